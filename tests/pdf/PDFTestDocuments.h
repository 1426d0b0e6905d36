// Small documents built in memory for the document, import and writer tests.
#pragma once

#include <string>
#include <vector>

#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFObject.h"

namespace ZAVPDFTest {

// A document whose pages all share one font object, each with its own
// content stream; every page's /Parent leads to one /Pages node, whose
// /Kids lead back to the pages (a cycle of references).
struct SharedFontDocument {
    explicit SharedFontDocument(int pageCount);

    ZAVPDF::CPDFDocument document;
    boost::shared_ptr<ZAVPDF::CPDFObject> pagesObject;
    boost::shared_ptr<ZAVPDF::CPDFObject> font;
    std::vector<boost::shared_ptr<ZAVPDF::CPDFObject>> pages;
};

// A content stream that draws text with the font /F1.
std::string PageContent(const std::string& text);

// Writes the document to a file and returns the file's bytes.
std::string WriteToFile(ZAVPDF::CPDFDocument& document, const std::string& path);

// The output of qpdf --check, or "" when it passed without warnings.
std::string QpdfProblems(const std::string& path);

// The value of one field of pdfinfo's report ("" when absent).
std::string PdfInfoField(const std::string& path, const std::string& field);

// Counts how often a text stands in another.
int CountOf(const std::string& text, const std::string& what);

}  // namespace ZAVPDFTest
