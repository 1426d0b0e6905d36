// Small PDF files written object by object, with a correct cross-reference
// table, for tests that need a page tree or stream the way a file may hold
// it (inherited attributes, content arrays, Flate streams).
#pragma once

#include <cstdio>
#include <map>
#include <string>

namespace ZAVTest {

class PdfFileBuilder {
public:
    // The next object number, to refer to an object before it is written.
    int Reserve() { return m_next++; }

    void Set(int number, const std::string& body) { m_objects[number] = body; }
    int Add(const std::string& body)
    {
        const int number = Reserve();
        Set(number, body);
        return number;
    }
    // A stream object: the dictionary's entries without /Length, and its data.
    void SetStream(int number, const std::string& entries, const std::string& data)
    {
        Set(number,
            "<< " + entries + " /Length " + std::to_string(data.size()) + " >>\nstream\n" + data + "\nendstream");
    }
    int AddStream(const std::string& entries, const std::string& data)
    {
        const int number = Reserve();
        SetStream(number, entries, data);
        return number;
    }

    // The whole file; the trailer names the catalog and, when given, /Info.
    std::string Build(int root, int info = 0, const std::string& version = "1.4") const
    {
        std::string file = "%PDF-" + version + "\n%\xE2\xE3\xCF\xD3\n";
        std::map<int, size_t> offsets;
        for (const auto& object : m_objects) {
            offsets[object.first] = file.size();
            file += std::to_string(object.first) + " 0 obj\n" + object.second + "\nendobj\n";
        }
        const size_t xref = file.size();
        file += "xref\n0 " + std::to_string(m_next) + "\n0000000000 65535 f\r\n";
        char row[32];
        for (int number = 1; number < m_next; ++number) {
            auto found = offsets.find(number);
            if (found == offsets.end())
                std::snprintf(row, sizeof row, "0000000000 00000 f\r\n");
            else
                std::snprintf(row, sizeof row, "%010zu 00000 n\r\n", found->second);
            file += row;
        }
        file += "trailer\n<< /Size " + std::to_string(m_next) + " /Root " + std::to_string(root) + " 0 R";
        if (info)
            file += " /Info " + std::to_string(info) + " 0 R";
        file += " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
        return file;
    }

private:
    int m_next = 1;
    std::map<int, std::string> m_objects;
};

}  // namespace ZAVTest
