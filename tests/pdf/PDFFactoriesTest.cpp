// Factories, type checks and casts with their exact messages.
#include <gtest/gtest.h>

#include <string>

#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFBool.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFName.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/objects/PDFRef.h"
#include "pdf/objects/PDFString.h"
#include "support/ThrownText.h"

using namespace ZAVPDF;
using ZAVTest::ThrownText;

TEST(PDFFactoriesTest, FactoriesMakeObjectsOfTheirDocumentOutsideItsMap)
{
    CPDFDocument d;
    const struct {
        CPDFObjectPtr object;
        int type;
        const char* text;
    } made[] = {
        {CreatePDFBool(&d, true), ptBool, "true"},
        {CreatePDFName(&d, "/XObject"), ptName, "/XObject"},
        {CreatePDFString(&d, "a", false), ptString, "(a)"},
        {CreatePDFString(&d, "a", true), ptString, "<61>"},
        {CreatePDFInteger(&d, -1), ptInteger, "-1"},
        {CreatePDFReal(&d, 1.5), ptReal, "1.50"},
        {CreatePDFRef(&d, 3, 2), ptRef, "3 2 R"},
        {CreatePDFDictionary(&d), ptDictionary, "<<\r\n>>"},
        {CreatePDFArray(&d), ptArray, "[]"},
        {CreatePDFIntegerArray(&d, {1, 2}), ptArray, "[1 2]"},
        {CreatePDFRealArray(&d, {0.5}), ptArray, "[0.50]"},
        {CreatePDFArrayOf2Reals(&d, 1, 2), ptArray, "[1.00 2.00]"},
        {CreatePDFArrayOf3Integers(&d, 7, 8, 9), ptArray, "[7 8 9]"},
    };
    for (const auto& m : made) {
        EXPECT_EQ(m.type, m.object->GetType()) << m.text;
        EXPECT_EQ(m.text, m.object->ToPDFString());
        EXPECT_EQ(&d, m.object->GetDocument());
    }
    const double rect[4] = {10, 20, 30.25, 40};
    EXPECT_EQ("[10.00 20.00 30.25 40.00]", CreatePDFRectArray(&d, rect)->ToPDFString());
    EXPECT_EQ(ptObject, CreatePDFObject(&d)->GetType());
    CPDFDictionary* dictionary = nullptr;
    boost::shared_ptr<CPDFObject> indirect = CreateIndirectDictionary(&d, dictionary);
    EXPECT_EQ(dictionary, indirect->GetInnerObject().get());
    EXPECT_TRUE(d.GetObjectKeys().empty());
}

TEST(PDFFactoriesTest, CastsAndTheirMessages)
{
    CPDFDocument d;
    CPDFObjectPtr empty;
    CPDFObjectPtr real = CreatePDFReal(&d, 1.0);
    CPDFObjectPtr integer = CreatePDFInteger(&d, 1);
    EXPECT_EQ("Null Object!", ThrownText([&] { CastToPDFDictionary(empty, "my message"); }));
    EXPECT_EQ("PDFNumber expected!", ThrownText([&] { CastToPDFNumber(real); }));
    EXPECT_EQ(integer.get(), CastToPDFNumber(integer));
    EXPECT_EQ("PDFDictionary expected!", ThrownText([&] { CastToPDFDictionary(integer); }));
    EXPECT_EQ("my message", ThrownText([&] { CastToPDFDictionary(integer, "my message"); }));
    EXPECT_EQ("PDFArray expected!", ThrownText([&] { CastToPDFArray(integer); }));
    EXPECT_EQ("PDFRef expected!", ThrownText([&] { CastToPDFRef(integer); }));
    EXPECT_EQ("PDFName expected!", ThrownText([&] { CastToPDFName(integer); }));
    EXPECT_EQ("PDFString expected!", ThrownText([&] { CastToPDFString(integer); }));
    EXPECT_EQ("PDFObject expected!", ThrownText([&] { CastToPDFObject(integer); }));
    EXPECT_EQ("PDFObject expected!", ThrownText([&] { CastToPDFObject(integer.get()); }));
    EXPECT_EQ("Null Object!", ThrownText([&] { CastToPDFObject(static_cast<CPDFObjectBase*>(nullptr)); }));
    EXPECT_EQ(ptInteger, CheckPDFObjectType(integer, ptInteger, "PDFNumber"));
}

TEST(PDFFactoriesTest, GetPDFDictionaryLooksIntoIndirectObjects)
{
    CPDFDocument d;
    CPDFDictionary* dictionary = nullptr;
    boost::shared_ptr<CPDFObject> indirect = CreateIndirectDictionary(&d, dictionary);
    EXPECT_EQ(dictionary, GetPDFDictionary(indirect, true));
    boost::shared_ptr<CPDFDictionary> direct = CreatePDFDictionary(&d);
    EXPECT_EQ(direct.get(), GetPDFDictionary(direct, true));
    CPDFObjectPtr holdingArray(new CPDFObject(&d, CreatePDFArray(&d)));
    EXPECT_EQ(nullptr, GetPDFDictionary(holdingArray, false));
    EXPECT_EQ("No dictionary object found!", ThrownText([&] { GetPDFDictionary(holdingArray, true); }));
    EXPECT_EQ("Page No dictionary object found!", ThrownText([&] { GetPDFDictionary(holdingArray, true, "Page"); }));
}

TEST(PDFFactoriesTest, ResolveAndCollectReferences)
{
    CPDFDocument d;
    boost::shared_ptr<CPDFObject> target = d.AddObject(CreatePDFInteger(&d, 5));
    CPDFObjectPtr reference = CreatePDFRef(&d, target->GetObjectNumber(), 0);
    EXPECT_EQ(CPDFObjectPtr(target), ResolvePDFReference(reference));
    CPDFObjectPtr name = CreatePDFName(&d, "/N");
    EXPECT_EQ(name, ResolvePDFReference(name));
    EXPECT_FALSE(ResolvePDFReference(CPDFObjectPtr()));

    std::vector<CPDFObjectPtr> list;
    CollectReferenceList(reference, list);
    boost::shared_ptr<CPDFArray> contents = CreatePDFArray(&d);
    contents->Add(CreatePDFRef(&d, 7, 0));
    contents->Add(name);
    contents->Add(CreatePDFRef(&d, 8, 0));
    CollectReferenceList(contents, list);
    CollectReferenceList(name, list);
    ASSERT_EQ(3u, list.size());
    EXPECT_EQ("8 0 R", list[2]->ToPDFString());
}
