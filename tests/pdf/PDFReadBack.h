// A document written to a file and parsed from it again, for the tests that
// copy or rewrite what a real file holds.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "PDFTestDocuments.h"
#include "foundation/datasource/DataSource.h"
#include "pdf/document/PDFDocument.h"

namespace ZAVPDFTest {

// Writes a SharedFontDocument of pageCount pages to path and parses the file
// into document. The input must outlive the document: its objects load from
// the file as their references are followed. Call it inside
// ASSERT_NO_FATAL_FAILURE.
inline void ReadBackSharedFontDocument(int pageCount, const std::string& path, ZAV::CDataSource& input,
                                       ZAVPDF::CPDFDocument& document)
{
    {
        SharedFontDocument written(pageCount);
        WriteToFile(written.document, path);
    }
    ASSERT_TRUE(input.OpenFile(path.c_str()));
    document.SetDataSource(&input);
    document.Parse();
    ASSERT_EQ(pageCount, document.GetPageCount());
}

}  // namespace ZAVPDFTest
