// Everything the writer writes is read back equal: single objects of every
// kind, and whole documents written to a file.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "PDFTestFiles.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFBool.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFName.h"
#include "pdf/objects/PDFNull.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/document/PDFPage.h"
#include "pdf/objects/PDFRef.h"
#include "pdf/objects/PDFString.h"
#include "support/TestSupport.h"

using namespace ZAVPDF;

namespace {

std::string AllBytes()
{
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes.push_back(static_cast<char>(i));
    return bytes;
}

std::string StreamText(const CPDFObject& object)
{
    return std::string(reinterpret_cast<const char*>(object.GetStreamData().GetData()),
                       static_cast<size_t>(object.GetStreamSize()));
}

// A dictionary holding one value of every kind the writer writes.
boost::shared_ptr<CPDFDictionary> EveryKind(CPDFDocument* document)
{
    boost::shared_ptr<CPDFDictionary> dictionary = CreatePDFDictionary(document);
    dictionary->Set("/Null", boost::shared_ptr<CPDFObjectBase>(new CPDFNull(document)));
    dictionary->SetBool("/True", true);
    dictionary->SetBool("/False", false);
    dictionary->SetInteger("/Int", -2147483647);
    dictionary->SetInteger("/Zero", 0);
    dictionary->Set("/Real", CreatePDFReal(document, 2.5));
    dictionary->Set("/Small", CreatePDFReal(document, -0.004));
    dictionary->Set("/Big", CreatePDFReal(document, 1e20));
    dictionary->SetName("/Name", "/Image");
    dictionary->SetName("/OddName", std::string("/a.b c#d/e(f)\xE4\x01"));
    dictionary->SetString("/Literal", AllBytes(), false);
    dictionary->SetString("/Hex", AllBytes(), true);
    dictionary->SetString("/Empty", "", false);
    dictionary->SetString("/EmptyHex", "", true);
    dictionary->SetString("/Parens", "(unbalanced)) \\ end", false);
    dictionary->SetRef("/Ref", 12, 3);
    std::vector<double> rect = {0, 0, 612, 792.25};
    dictionary->Set("/Rect", CreatePDFRealArray(document, rect));
    dictionary->Set("/Ints", CreatePDFArrayOf3Integers(document, 1, -2, 3));
    boost::shared_ptr<CPDFArray> nested = CreatePDFArray(document);
    nested->Add(CreatePDFArray(document));
    nested->Add(CreatePDFDictionary(document));
    boost::shared_ptr<CPDFDictionary> inner = CreatePDFDictionary(document);
    inner->SetName("/Type", "/Inner");
    inner->Set("/List", CreatePDFIntegerArray(document, std::vector<int>{4, 5}));
    nested->Add(inner);
    dictionary->Set("/Nested", nested);
    return dictionary;
}

TEST(PDFParserRoundTrip, KeysWithDelimitersAndEscapesReadBackEqual)
{
    const std::vector<std::string> keys = {
        "/a#b", "/x y",        "/p(q)r",    "/s/t",     "/<<k>>",
        "/[i]", "/{c}",        "/per%cent", "/dot.ted", std::string("/\xE4\x01\x7F"),
        "/#20", "/Plain_-*?;",
    };
    PDFTest::ParsedText writer("x");
    boost::shared_ptr<CPDFDictionary> dictionary = CreatePDFDictionary(writer.document.get());
    for (size_t i = 0; i < keys.size(); ++i) {
        // After a name value no blank is written: the key that follows must still end it.
        if (i % 2 == 0)
            dictionary->SetInteger(keys[i], static_cast<int>(i));
        else
            dictionary->SetName(keys[i], keys[i]);
    }
    const std::string text = dictionary->ToPDFString();
    EXPECT_EQ(std::string::npos, text.find("/a#b")) << text;
    EXPECT_NE(std::string::npos, text.find("/a#23b")) << text;

    PDFTest::ParsedText reader(text);
    boost::shared_ptr<CPDFObjectBase> read = reader.parser->ParseObject();
    ASSERT_EQ(ptDictionary, read->GetType()) << text;
    auto* readBack = static_cast<CPDFDictionary*>(read.get());
    EXPECT_EQ(keys, readBack->GetOriginalKeys()) << text;
    for (size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(dictionary->Get(keys[i])->ToPDFString(), readBack->Get(keys[i])->ToPDFString()) << keys[i];
    EXPECT_TRUE(reader.parser->IsAtEnd()) << text;
    EXPECT_EQ("", reader.parser->GetMessages());
}

TEST(PDFParserRoundTrip, EveryObjectKindReadsBackEqual)
{
    PDFTest::ParsedText writer("x");
    CPDFDocument* document = writer.document.get();
    boost::shared_ptr<CPDFDictionary> dictionary = EveryKind(document);
    boost::shared_ptr<CPDFObject> object(new CPDFObject(document, dictionary));
    object->SetObjectNumber(7);
    object->SetGenerationNumber(2);
    std::string data = AllBytes() + "endstream\r\nendobj";  // keywords inside the data too
    object->SetStreamData(reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));

    std::ostringstream out;
    object->WriteTo(out);

    PDFTest::ParsedText reader(out.str());
    boost::shared_ptr<CPDFObject> read = reader.parser->ParseIndirectObject();
    EXPECT_EQ(7, read->GetObjectNumber());
    EXPECT_EQ(2, read->GetGenerationNumber());
    ASSERT_TRUE(read->HasStream());
    EXPECT_EQ(data, StreamText(*read));
    ASSERT_EQ(ptDictionary, read->GetInnerType());
    EXPECT_EQ(dictionary->ToPDFString(), read->GetInnerObject()->ToPDFString());
    EXPECT_EQ("", reader.parser->GetMessages());

    // Each value on its own, as a direct object.
    for (const CPDFObjectPtr& value : dictionary->GetValues()) {
        std::string text = value->ToPDFString();
        PDFTest::ParsedText single(text);
        EXPECT_EQ(text, single.parser->ParseObject()->ToPDFString());
        EXPECT_TRUE(single.parser->IsAtEnd()) << text;
    }
}

TEST(PDFParserRoundTrip, WrittenDocumentOpensWithEveryPageAndObject)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ZAVTest::TempDir dir;
    const int kPages = 12;
    std::vector<std::string> pageTexts;
    std::vector<std::string> contents;
    {
        boost::shared_ptr<CPDFDocument> document(new CPDFDocument());
        for (int i = 0; i < kPages; ++i) {
            boost::shared_ptr<CPDFDictionary> streamDictionary = CreatePDFDictionary(document.get());
            boost::shared_ptr<CPDFObject> content = document->AddObject(streamDictionary);
            std::string drawing = "0 0 m " + std::to_string(10 * i) + " 100 l S";
            content->SetStreamData(reinterpret_cast<const unsigned char*>(drawing.data()),
                                   static_cast<int>(drawing.size()));
            contents.push_back(drawing);

            boost::shared_ptr<CPDFDictionary> page = CreatePDFDictionary(document.get());
            page->SetName("/Type", "/Page");
            page->Set("/MediaBox", CreatePDFArrayOf4Reals(document.get(), 0, 0, 200 + i, 300.5));
            page->Set("/Resources", EveryKind(document.get()));
            boost::shared_ptr<CPDFRef> reference = CreatePDFRef(document.get(), content->GetObjectNumber(), 0);
            reference->SetCachedObject(content);
            page->Set("/Contents", reference);
            boost::shared_ptr<CPDFObject> pageObject = document->AddObject(page);
            document->AddPage()->SetPageObject(pageObject);
        }
        std::ofstream file(dir.File("written.pdf"), std::ios::binary);
        document->Write(file);
        for (int i = 0; i < kPages; ++i)
            pageTexts.push_back(document->GetPage(i)->GetPageObject()->GetInnerObject()->ToPDFString());
    }
    ZAVTest::RunResult check = ZAVTest::Run("qpdf --check " + ZAVTest::ShellQuote(dir.File("written.pdf")));
    EXPECT_EQ(0, check.exitCode) << check.output;

    PDFTest::OpenedFile opened(ZAVTest::ReadText(dir.File("written.pdf")));
    ASSERT_EQ("", opened.error);
    ASSERT_EQ(kPages, opened.document->GetPageCount());
    for (int i = 0; i < kPages; ++i) {
        boost::shared_ptr<CPDFObject> page = opened.document->GetPage(i)->GetPageObject();
        EXPECT_EQ(pageTexts[static_cast<size_t>(i)], page->GetInnerObject()->ToPDFString()) << "page " << i;
        CPDFDictionary* dictionary = static_cast<CPDFDictionary*>(page->GetInnerObject().get());
        CPDFObject* content = dictionary->GetObject("/Contents", true);
        ASSERT_NE(nullptr, content);
        EXPECT_EQ(contents[static_cast<size_t>(i)], StreamText(*content));
    }
    EXPECT_EQ("", opened.document->GetParser()->GetMessages());
}

}  // namespace
