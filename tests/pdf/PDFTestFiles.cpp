#include "PDFTestFiles.h"

#include <boost/make_shared.hpp>

#include <cstdio>

#include "foundation/text/TextException.h"

namespace PDFTest {

ParsedText::ParsedText(const std::string& bytes) : text(bytes) {
    if (!text.empty()) source.OpenMemory(text.data(), text.size());
    document = boost::make_shared<ZAVPDF::CPDFDocument>();
    parser = boost::make_shared<ZAVPDF::CPDFParser>(&source, document.get());
    document->SetDataSource(&source);
    document->SetParser(parser);
}

ParsedText::~ParsedText() {
    // The document goes first: its objects may point at the parser's source.
    document.reset();
    parser.reset();
}

std::string FileBuilder::Build() {
    std::string out = header;
    offsets.clear();
    for (size_t i = 0; i < bodies.size(); ++i) {
        offsets.push_back(out.size());
        out += std::to_string(i + 1) + " 0 obj\r\n" + bodies[i] + "\r\nendobj\r\n";
    }
    xrefOffset = out.size();
    out += "xref\r\n0 " + std::to_string(bodies.size() + 1) + "\r\n0000000000 65535 f\r\n";
    char row[32];
    for (size_t offset : offsets) {
        std::snprintf(row, sizeof row, "%010zu 00000 n\r\n", offset);
        out += row;
    }
    out += "trailer\r\n<< /Size " + std::to_string(bodies.size() + 1) + " " + trailerEntries +
           " >>\r\nstartxref\r\n" + std::to_string(xrefOffset) + "\r\n%%EOF\r\n";
    return out;
}

FileBuilder PagesFile(int pageCount) {
    FileBuilder file;
    file.Add("<< /Type /Catalog /Pages 2 0 R >>");
    std::string kids;
    for (int i = 0; i < pageCount; ++i) kids += std::to_string(3 + i) + " 0 R ";
    file.Add("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pageCount) + " >>");
    for (int i = 0; i < pageCount; ++i)
        file.Add("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >>");
    return file;
}

OpenedFile::OpenedFile(const std::string& data, int formOption) : bytes(data) {
    if (!bytes.empty()) source.OpenMemory(bytes.data(), bytes.size());
    document = boost::make_shared<ZAVPDF::CPDFDocument>();
    document->SetOptionA(formOption);
    document->SetDataSource(&source);
    try {
        document->Parse();
    } catch (const CTextException& e) {
        error = e.GetText();
    }
}

OpenedFile::~OpenedFile() { document.reset(); }

}  // namespace PDFTest
