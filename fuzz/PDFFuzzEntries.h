// What the PDF fuzz targets do with one input, shared with the test that
// replays every input kept under tests/data/fuzz/. Each input must end in
// objects or in a CTextException: never a crash, a hang or a leak.
#pragma once

#include <boost/make_shared.hpp>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "pdf/document/PDFCrt.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/document/PDFPage.h"
#include "pdf/parse/PDFParser.h"
#include "pdf/objects/PDFRef.h"

namespace ZAVFuzz {

// Objects one after another, then the same bytes as one indirect object.
inline void ParsePDFObjects(const uint8_t* data, size_t size)
{
    if (size == 0)
        return;
    ZAV::CDataSource source;
    if (!source.OpenMemory(data, size))
        return;
    ZAVPDF::CPDFDocument document;
    ZAVPDF::CPDFParser parser(&source, &document);
    try {
        while (!parser.IsAtEnd()) {
            parser.SkipBlanks();
            ParserPosition before = parser.SavePosition();
            parser.ParseObject();
            if (parser.SavePosition().position == before.position)
                break;
        }
    } catch (const CTextException&) {
    }
    try {
        parser.RestorePosition(ParserPosition());
        parser.ParseIndirectObject();
    } catch (const CTextException&) {
    }
}

// Objects a file may number at most are resolved one by one.
const int kMaxObjectsResolved = 4096;

inline void ParsePDFFile(const uint8_t* data, size_t size)
{
    if (size == 0)
        return;
    ZAV::CDataSource source;
    if (!source.OpenMemory(data, size))
        return;
    // Loaded objects point back at the reference that loaded them, so the
    // references outlive the document.
    std::vector<boost::shared_ptr<ZAVPDF::CPDFRef>> references;
    boost::shared_ptr<ZAVPDF::CPDFDocument> document = boost::make_shared<ZAVPDF::CPDFDocument>();
    document->SetDataSource(&source);
    document->SetOptionA(1);
    try {
        document->Parse();
    } catch (const CTextException&) {
    }
    // Pages listed unread are read here, as a command reading them would.
    const int pages = document->GetPageCount() < kMaxObjectsResolved ? document->GetPageCount() : kMaxObjectsResolved;
    for (int index = 0; index < pages; ++index) {
        try {
            document->GetPage(index)->GetPageObject();
        } catch (const CTextException&) {
        }
    }
    int count = document->GetCrt() ? document->GetCrt()->GetSize() : 0;
    if (!document->GetParser() || count > kMaxObjectsResolved)
        count = 0;
    for (int number = 1; number < count; ++number) {
        try {
            references.push_back(boost::make_shared<ZAVPDF::CPDFRef>(document.get(), number, 0));
            references.back()->GetReferencedObject(nullptr, false);
        } catch (const CTextException&) {
        }
    }
}

}  // namespace ZAVFuzz
