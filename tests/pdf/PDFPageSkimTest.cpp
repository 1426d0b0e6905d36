// The look at a page tree kid's bytes: which objects it takes for plain
// pages, and that the parser reads each of those as a page dictionary.
#include <gtest/gtest.h>

#include <string>

#include "PDFTestFiles.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFName.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/parse/PDFPageSkim.h"

using namespace ZAVPDF;

namespace {

struct SkimCase {
    const char* what;
    const char* bytes;  // object 7 0, as it stands at its offset
    bool plain;
};

const SkimCase kSkimCases[] = {
    {"a plain page", "7 0 obj\r\n<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] >>\r\nendobj", true},
    {"no blanks where none are needed", "7 0 obj<</Type/Page/Parent 2 0 R/Contents[3 0 R 4 0 R]>>endobj", true},
    {"nested values", "7 0 obj <</Resources<</Font<</F1 1 0 R>>/ProcSet[/PDF/Text]>>/Type /Page>> endobj", true},
    {"reals, negatives, strings, keywords",
     "7 0 obj << /Type /Page /UserUnit 1.5 /X -.25 /Y 4. /T (a (b) \\) c) /H <0aF 1> /B true /N null >> endobj", true},
    {"an integer alone before a key", "7 0 obj << /Rotate 90 /Type /Page >> endobj", true},
    {"integers in an array that are no reference", "7 0 obj << /Type /Page /A [1 2 3 0 5] >> endobj", true},
    {"another object number", "8 0 obj << /Type /Page >> endobj", false},
    {"another generation", "7 1 obj << /Type /Page >> endobj", false},
    {"blank before the header", " 7 0 obj << /Type /Page >> endobj", false},
    {"a page tree node", "7 0 obj << /Type /Pages /Kids [] /Count 0 >> endobj", false},
    {"no /Type", "7 0 obj << /Parent 2 0 R >> endobj", false},
    {"/Type twice", "7 0 obj << /Type /Page /Type /Page >> endobj", false},
    {"/Type given by reference", "7 0 obj << /Type 9 0 R >> endobj", false},
    {"/Type in a nested dictionary only", "7 0 obj << /X << /Type /Page >> >> endobj", false},
    {"a comment", "7 0 obj << /Type /Page % note\r\n>> endobj", false},
    {"an escaped name", "7 0 obj << /Typ#65 /Page >> endobj", false},
    {"an octal escape", "7 0 obj << /Type /Page /T (\\400) >> endobj", false},
    {"a plus sign", "7 0 obj << /Type /Page /X +1 >> endobj", false},
    {"a stream", "7 0 obj << /Type /Page /Length 0 >> stream\r\n\r\nendstream endobj", false},
    {"no endobj", "7 0 obj << /Type /Page >> 8 0 obj", false},
    {"a key without value", "7 0 obj << /Type /Page /Rotate >> endobj", false},
    {"a number running into a name", "7 0 obj << /Type /Page /X 12/Y 1 >> endobj", true},
    {"a number running into a letter", "7 0 obj << /Type /Page /X 12a >> endobj", false},
    {"a reference without its R", "7 0 obj << /Type /Page /X [1 0 S] >> endobj", false},
    {"a bare word", "7 0 obj << /Type /Page /X nothing >> endobj", false},
    {"cut short", "7 0 obj << /Type /Page /X [1 2", false},
    {"an unclosed string", "7 0 obj << /Type /Page /T (abc >> endobj", false},
    {"a bad hex digit", "7 0 obj << /Type /Page /H <0g> >> endobj", false},
    {"too deep",
     "7 0 obj << /Type /Page /A [[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]] >> endobj",
     false},
};

TEST(PDFPageSkim, TellsPlainPagesFromEverythingElse)
{
    for (const SkimCase& c : kSkimCases) {
        const std::string bytes = c.bytes;
        EXPECT_EQ(c.plain, IsPlainPageObject(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 7, 0))
            << c.what;
    }
    EXPECT_FALSE(IsPlainPageObject(nullptr, 0, 7, 0));
}

// What the look takes for a page, the parser reads as one without a word.
TEST(PDFPageSkim, WhatItTakesForAPageTheParserReadsAsOne)
{
    for (const SkimCase& c : kSkimCases) {
        if (!c.plain)
            continue;
        PDFTest::ParsedText parsed(c.bytes);
        boost::shared_ptr<CPDFObject> object = parsed.parser->ParseIndirectObject();
        ASSERT_TRUE(object && object->GetInnerType() == ptDictionary) << c.what;
        CPDFDictionary* dictionary = static_cast<CPDFDictionary*>(object->GetInnerObject().get());
        EXPECT_EQ("/Page", dictionary->GetName("/Type", true)->GetName()) << c.what;
        EXPECT_EQ("", parsed.parser->GetMessages()) << c.what;
    }
}

}  // namespace
