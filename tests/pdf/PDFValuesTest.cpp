// The exact PDF text of the value objects, their copies and references.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pdf/objects/PDFBool.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFName.h"
#include "pdf/objects/PDFNull.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/objects/PDFRef.h"
#include "pdf/objects/PDFString.h"
#include "support/ThrownText.h"

using namespace ZAVPDF;
using ZAVTest::ThrownText;

namespace {

CPDFByteArray BytesWithZero(const std::string& text)
{
    std::vector<unsigned char> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return CPDFByteArray(bytes.data(), static_cast<int32_t>(bytes.size()));
}

}  // namespace

TEST(PDFValuesTest, ConstantsAndIntegers)
{
    CPDFDocument document;
    EXPECT_EQ("null", CPDFNull(&document).ToPDFString());
    EXPECT_EQ("true", CPDFBool(&document, true).ToPDFString());
    EXPECT_EQ("false", CPDFBool(&document, false).ToPDFString());
    const struct {
        int value;
        const char* text;
    } integers[] = {
        {0, "0"}, {-7, "-7"}, {42, "42"}, {2147483647, "2147483647"}, {-2147483647 - 1, "-2147483648"},
    };
    for (const auto& c : integers) {
        CPDFNumber number(&document, c.value);
        EXPECT_EQ(ptInteger, number.GetType());
        EXPECT_EQ(c.text, number.ToPDFString()) << c.value;
    }
}

TEST(PDFValuesTest, RealsKeepEveryDigitTheyNeedAndAtLeastTwo)
{
    CPDFDocument document;
    const struct {
        double value;
        const char* text;
    } reals[] = {
        {2.5, "2.50"},
        {-0.004, "-0.004"},
        {1.0 / 3.0, "0.3333333333333333"},
        {1e20, "100000000000000000000.00"},
        {595.2756, "595.2756"},
        {0.0, "0.00"},
        {-12.0, "-12.00"},
        {0.1, "0.10"},
        // The shortest text that reads back as the same double, never a
        // shorter one that only gives back the same float.
        {static_cast<double>(595.2756f), "595.2755737304688"},
        {16384.0625, "16384.0625"},
        {0.30000000000000004, "0.30000000000000004"},
    };
    for (const auto& c : reals) {
        CPDFNumber number(&document, c.value);
        EXPECT_EQ(ptReal, number.GetType());
        EXPECT_EQ(c.text, number.ToPDFString()) << c.value;
    }
}

TEST(PDFValuesTest, RealToIntegerTruncatesTowardZero)
{
    CPDFDocument document;
    EXPECT_EQ(-2, CPDFNumber(&document, -2.9).GetInteger());
    EXPECT_EQ(2, CPDFNumber(&document, 2.9).GetInteger());
    CPDFNumber number(&document, 7);
    number.SetInteger(-3);
    EXPECT_TRUE(number.IsModified());
    EXPECT_EQ("-3", number.ToPDFString());
}

TEST(PDFValuesTest, NamesEscapeEveryByteOutsideTheirPlainSet)
{
    CPDFDocument document;
    const struct {
        std::string name;
        const char* text;
    } names[] = {
        {"/Type", "/Type"},     {"/A.B", "/A#2eB"},           {std::string("/K\xE4se"), "/K#e4se"},
        {"/a b", "/a#20b"},     {"/x#y", "/x#23y"},           {"/x/y", "/x#2fy"},
        {"/plus+", "/plus#2b"}, {"/ok_-*?;09", "/ok_-*?;09"}, {"/(paren)", "/#28paren#29"},
    };
    for (const auto& c : names)
        EXPECT_EQ(c.text, CPDFName(&document, c.name).ToPDFString()) << c.name;
}

TEST(PDFValuesTest, LiteralStringsEscapeDelimitersControlHighBytesAndBackslash)
{
    CPDFDocument document;
    const struct {
        std::string text;
        const char* pdf;
    } strings[] = {
        {"", "()"},
        {"Hello World", "(Hello World)"},
        {"a(b)c", "(a\\050b\\051c)"},
        {"line\nbreak", "(line\\012break)"},
        {"tab\tcr\r", "(tab\\011cr\\015)"},
        {std::string("\xFF\x80", 2), "(\\377\\200)"},
        {"C:\\dir\\file", "(C:\\\\dir\\\\file)"},
        {"\\050", "(\\\\050)"},
    };
    for (const auto& c : strings)
        EXPECT_EQ(c.pdf, CPDFString(&document, c.text, false).ToPDFString()) << c.text;
}

TEST(PDFValuesTest, HexStringsAndStringsFromBytes)
{
    CPDFDocument document;
    EXPECT_EQ("<>", CPDFString(&document, "", true).ToPDFString());
    EXPECT_EQ("<00FF417A>", CPDFString(&document,
                                       std::string("\x00\xFF"
                                                   "Az",
                                                   4),
                                       true)
                                .ToPDFString());
    // Bytes handed over with their zero byte are written in hex form.
    CPDFString fromBytes(&document, BytesWithZero("(x)"));
    EXPECT_EQ("<287829>", fromBytes.ToPDFString());
    EXPECT_EQ(4, fromBytes.GetLength());
    EXPECT_EQ("(x)", fromBytes.GetText());
    fromBytes.SetHex(false);
    EXPECT_EQ("(\\050x\\051)", fromBytes.ToPDFString());
    EXPECT_EQ("", CPDFString(&document, "", false).GetText());
}

TEST(PDFValuesTest, ClonesCopyTheValueIntoTheTargetAndMarkTheCopy)
{
    CPDFDocument source;
    CPDFDocument target;
    CPDFVisitedMap references(10);
    CPDFKeySet keys;
    std::vector<CPDFObjectPtr> values = {
        CPDFObjectPtr(new CPDFNull(&source)),          CPDFObjectPtr(new CPDFBool(&source, true)),
        CPDFObjectPtr(new CPDFNumber(&source, 12)),    CPDFObjectPtr(new CPDFNumber(&source, 0.25)),
        CPDFObjectPtr(new CPDFName(&source, "/Font")),
    };
    for (const CPDFObjectPtr& value : values) {
        CPDFObjectPtr copy = value->Clone(&source, &target, references, keys, false);
        EXPECT_EQ(value->GetType(), copy->GetType());
        EXPECT_EQ(value->ToPDFString(), copy->ToPDFString());
        EXPECT_EQ(&target, copy->GetDocument());
        EXPECT_TRUE(copy->IsModified());
        EXPECT_FALSE(value->IsModified());
    }
}

TEST(PDFValuesTest, ClonedStringIsHexAndOnlyTheCopyIsModified)
{
    CPDFDocument source;
    CPDFDocument target;
    CPDFVisitedMap references(10);
    CPDFKeySet keys;
    CPDFObjectPtr original(new CPDFString(&source, "Title", false));
    CPDFObjectPtr copy = original->Clone(&source, &target, references, keys, false);
    EXPECT_EQ("<5469746C65>", copy->ToPDFString());
    EXPECT_TRUE(copy->IsModified());
    EXPECT_FALSE(original->IsModified());
    EXPECT_EQ("(Title)", original->ToPDFString());
}

TEST(PDFValuesTest, NullDocumentIsRefused)
{
    EXPECT_EQ("No document assigned!", ThrownText([] { CPDFNull value(nullptr); }));
    EXPECT_EQ("No document assigned!", ThrownText([] { CPDFNumber value(nullptr, 1); }));
}

TEST(PDFValuesTest, ReferenceTextAndResolution)
{
    CPDFDocument document;
    CPDFRef reference(&document, 5, 0);
    EXPECT_EQ("5 0 R", reference.ToPDFString());
    EXPECT_EQ("Referenced object not found in crt and there is no parser assigned to read the "
              "missing referenced object!",
              ThrownText([&] { reference.GetReferencedObject(); }));
    EXPECT_FALSE(reference.HasCachedObject());

    // An object entered into the document is found by number and key text.
    boost::shared_ptr<CPDFObject> target = document.AddObject(CPDFObjectPtr(new CPDFNumber(&document, 3)));
    CPDFRef toTarget(&document, target->GetObjectNumber(), 0);
    EXPECT_EQ(target, toTarget.GetReferencedObject());
    EXPECT_TRUE(toTarget.HasCachedObject());
    // A second resolution takes the cache, even once the map lost the object.
    document.RemoveObject(target->GetObjectNumber());
    EXPECT_EQ(target, toTarget.GetReferencedObject());

    // A cached target writes its own number.
    target->SetObjectNumber(17);
    EXPECT_EQ("17 0 R", toTarget.ToPDFString());
}

TEST(PDFValuesTest, ReferenceLooksInTheOtherDocumentWithItsOwnKeyText)
{
    CPDFDocument first;
    CPDFDocument second;
    boost::shared_ptr<CPDFObject> object = first.AddObject(CPDFObjectPtr(new CPDFNull(&first)));
    CPDFRef reference(&first, object->GetObjectNumber(), 0);
    // A reference made in the second document with the first one's key text.
    CPDFRef foreign(&second, object->GetObjectNumber(), 0);
    foreign.SetDocumentKeyText(first.GetKeyText());
    EXPECT_EQ(object, foreign.GetReferencedObject(&first));
}

TEST(PDFValuesTest, ObjectKeysDifferBetweenDocumentsAndNoKeyTextEndsAnother)
{
    CPDFDocument first;
    CPDFDocument second;
    CPDFObject a(&first);
    CPDFObject b(&second);
    a.SetObjectNumber(12);
    b.SetObjectNumber(12);
    EXPECT_NE(a.GetObjectKey(), b.GetObjectKey());
    EXPECT_EQ("12-" + first.GetKeyText(), a.GetObjectKey());
    EXPECT_EQ(first.GetKeyText().size(), second.GetKeyText().size());
    EXPECT_EQ("0-" + first.GetKeyText(), CPDFNull(&first).GetObjectKey());
}
