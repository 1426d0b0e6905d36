// Small PDF inputs built in code for the parser tests: a text to parse, and
// whole files with a correct cross-reference table around given objects.
#pragma once

#include <boost/shared_ptr.hpp>

#include <memory>
#include <string>
#include <vector>

#include "foundation/datasource/DataSource.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/parse/PDFParser.h"

namespace PDFTest {

// A parser over bytes in memory, with a document its objects belong to.
struct ParsedText {
    explicit ParsedText(const std::string& bytes);
    ~ParsedText();
    std::string text;
    ZAV::CDataSource source;
    boost::shared_ptr<ZAVPDF::CPDFDocument> document;
    boost::shared_ptr<ZAVPDF::CPDFParser> parser;
};

// A file: header, objects 1..n (each body between "obj" and "endobj"), one
// cross-reference table and a trailer holding /Size and trailerEntries.
struct FileBuilder {
    std::string header = "%PDF-1.4\r\n%\xE2\xE3\xCF\xD3\r\n";
    std::vector<std::string> bodies;
    std::string trailerEntries = "/Root 1 0 R";

    int Add(const std::string& body)
    {
        bodies.push_back(body);
        return static_cast<int>(bodies.size());
    }
    // The file's bytes; offsets of the objects and of "xref" are recorded.
    std::string Build();
    std::vector<size_t> offsets;
    size_t xrefOffset = 0;
};

// The objects of a catalog and a flat page tree with the given page count:
// 1 catalog, 2 page tree root, 3.. pages.
FileBuilder PagesFile(int pageCount);

// A document read from bytes in memory (the bytes must outlive it).
struct OpenedFile {
    explicit OpenedFile(const std::string& bytes, int formOption = 0);
    ~OpenedFile();
    std::string bytes;
    ZAV::CDataSource source;
    boost::shared_ptr<ZAVPDF::CPDFDocument> document;
    std::string error;  // the parse failure's text, "" when it opened
};

}  // namespace PDFTest
