// Arrays, dictionaries and indirect objects: their exact text, key order,
// typed getters with their messages, and the writing of streams.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "pdf/objects/PDFArray.h"
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

namespace {

std::string Written(CPDFObjectBase& object)
{
    std::ostringstream stream;
    object.WriteTo(stream);
    return stream.str();
}

}  // namespace

TEST(PDFContainersTest, ArrayTextSeparatesElementsWithOneBlank)
{
    CPDFDocument d;
    EXPECT_EQ("[]", CPDFArray(&d).ToPDFString());
    boost::shared_ptr<CPDFArray> array = CreatePDFArrayOf4Reals(&d, 0, 0, 595.2756, 841.89);
    EXPECT_EQ("[0.00 0.00 595.2756 841.89]", array->ToPDFString());
    boost::shared_ptr<CPDFArray> nested = CreatePDFArray(&d);
    nested->Add(CreatePDFArrayOf3Integers(&d, 1, 2, 3));
    nested->Add(CreatePDFArray(&d));
    nested->Add(CreatePDFName(&d, "/N"));
    nested->Add(CreatePDFString(&d, "s", false));
    nested->Add(CreatePDFRef(&d, 4, 1));
    boost::shared_ptr<CPDFDictionary> inner = CreatePDFDictionary(&d);
    inner->SetInteger("/A", 1);
    nested->Add(inner);
    EXPECT_EQ("[[1 2 3] [] /N (s) 4 1 R <<\r\n/A 1>>]", nested->ToPDFString());
    EXPECT_TRUE(nested->IsModified());
    EXPECT_EQ(nested.get(), inner->GetParent());
}

TEST(PDFContainersTest, ArrayBoundsTypesAndContains)
{
    CPDFDocument d;
    boost::shared_ptr<CPDFArray> array = CreatePDFIntegerArray(&d, {5, 6});
    EXPECT_EQ("PDF Array index out of bounds!", ThrownText([&] { array->Get(-1); }));
    EXPECT_EQ("PDF Array index out of bounds!", ThrownText([&] { array->Get(2); }));
    EXPECT_EQ("Required object has different type", ThrownText([&] { array->GetTyped(0, ptReal); }));
    EXPECT_EQ("6", array->GetTyped(1, ptInteger)->ToPDFString());
    array->Add(CreatePDFName(&d, "/DeviceRGB"));
    EXPECT_TRUE(array->Contains(CreatePDFName(&d, "/devicergb")));
    EXPECT_FALSE(array->Contains(CreatePDFString(&d, "DeviceRGB", false)));
    EXPECT_FALSE(array->Contains(CreatePDFInteger(&d, 7)));
}

TEST(PDFContainersTest, DictionaryTextKeepsKeyOrderAndSpacing)
{
    CPDFDocument d;
    EXPECT_EQ("<<\r\n>>", CPDFDictionary(&d).ToPDFString());

    CPDFDictionary page(&d);
    page.SetName("/Type", "/Page");
    page.SetRef("/Parent", 2, 0);
    page.Set("/MediaBox", CreatePDFArrayOf4Reals(&d, 0, 0, 612, 792));
    page.SetString("/T", "x", true);
    page.SetBool("/B", false);
    EXPECT_EQ("<<\r\n/Type/Page\r\n/Parent 2 0 R\r\n/MediaBox [0.00 0.00 612.00 792.00]"
              "\r\n/T <78>\r\n/B false>>",
              page.ToPDFString());

    // A replaced value keeps the key's first place; case makes another key.
    page.SetInteger("/Type", 3);
    page.SetInteger("/type", 4);
    EXPECT_EQ(6, page.GetCount());
    EXPECT_EQ("/Type", page.GetOriginalKeys()[0]);
    EXPECT_EQ("3", page.GetEntryAt(0)->ToPDFString());
    EXPECT_EQ("/type", page.GetOriginalKeys()[5]);

    boost::shared_ptr<CPDFDictionary> nested = CreatePDFDictionary(&d);
    nested->Set("/Inner", CreatePDFDictionary(&d));
    EXPECT_EQ("<<\r\n/Inner <<\r\n>>>>", nested->ToPDFString());
}

// Small dictionaries are searched in place, large ones through an index:
// both keep the keys' first places, replace in place and find every key.
TEST(PDFContainersTest, DictionariesOfEverySizeKeepOrderAndFindTheirKeys)
{
    CPDFDocument d;
    for (int size : {1, 16, 17, 40}) {
        CPDFDictionary dictionary(&d);
        for (int i = 0; i < size; ++i)
            dictionary.SetInteger("/K" + std::to_string(i), i);
        dictionary.SetInteger("/K0", 100);
        dictionary.SetInteger("/K" + std::to_string(size - 1), 200);
        ASSERT_EQ(size, dictionary.GetCount()) << size;
        for (int i = 0; i < size; ++i) {
            const std::string key = "/K" + std::to_string(i);
            EXPECT_EQ(key, dictionary.GetOriginalKeys()[static_cast<size_t>(i)]) << size;
            ASSERT_TRUE(dictionary.HasKey(key)) << size << key;
            const int expected = i == size - 1 ? 200 : i == 0 ? 100 : i;
            EXPECT_EQ(std::to_string(expected), dictionary.Get(key)->ToPDFString()) << size << key;
            EXPECT_EQ(dictionary.Get(key), dictionary.GetValues()[static_cast<size_t>(i)]) << size << key;
        }
        EXPECT_FALSE(dictionary.HasKey("/k0"));
        EXPECT_EQ("Entry '/Missing' not available!", ThrownText([&] { dictionary.Get("/Missing"); }));
        EXPECT_EQ("Invalid index '" + std::to_string(size) + "'", ThrownText([&] { dictionary.GetEntryAt(size); }));
    }
}

TEST(PDFContainersTest, SkippedReferenceIsLeftOutOfDictionaryButNotOfArray)
{
    CPDFDocument d;
    boost::shared_ptr<CPDFRef> skipped = CreatePDFRef(&d, 9, 0);
    skipped->SetSkip(true);
    CPDFDictionary dictionary(&d);
    dictionary.Set("/Gone", skipped);
    dictionary.SetInteger("/Kept", 1);
    EXPECT_EQ("<<\r\n\r\n/Kept 1>>", dictionary.ToPDFString());
    CPDFArray array(&d);
    array.Add(skipped);
    EXPECT_EQ("[9 0 R]", array.ToPDFString());
}

TEST(PDFContainersTest, TypedGettersAndTheirMessages)
{
    CPDFDocument d;
    boost::shared_ptr<CPDFObject> count = d.AddObject(CreatePDFInteger(&d, 7));
    CPDFDictionary pages(&d);
    pages.SetRef("/Count", count->GetObjectNumber(), 0);
    pages.SetName("/Type", "/Pages");
    pages.Set("/Kids", CreatePDFArray(&d));

    EXPECT_EQ(7, pages.GetInteger("/Count", true)->GetInteger());
    EXPECT_EQ(count.get(), pages.GetObject("/Count", true));
    EXPECT_EQ("Requested object '/Count' has different type", ThrownText([&] { pages.GetInteger("/Count", false); }));
    EXPECT_EQ("Requested object '/Count' (indirect reference) has different type",
              ThrownText([&] { pages.GetName("/Count", true); }));
    EXPECT_EQ("Object '/Missing' has not been found!", ThrownText([&] { pages.GetArray("/Missing", true); }));
    EXPECT_EQ("Reading pages Object '/Missing' has not been found!",
              ThrownText([&] { pages.GetArray("/Missing", true, "Reading pages"); }));
    EXPECT_EQ("Entry '/Missing' not available!", ThrownText([&] { pages.Get("/Missing"); }));
    EXPECT_EQ("Requested object '/Type' has different type", ThrownText([&] { pages.GetObject("/Type", true); }));
    EXPECT_EQ("/Pages", pages.GetName("/Type", false)->GetName());
    EXPECT_EQ(0, pages.GetArray("/Kids", false)->GetCount());
    EXPECT_EQ(ptArray, pages.GetEntryType("/Kids"));
}

TEST(PDFContainersTest, EntryTextsAndFilters)
{
    CPDFDocument d;
    CPDFDictionary* target = nullptr;
    boost::shared_ptr<CPDFObject> indirect = CreateIndirectDictionary(&d, target);
    target->SetName("/S", "/GoTo");
    d.AddObject(indirect);
    CPDFDictionary dictionary(&d);
    dictionary.SetName("/Type", "/XObject");
    dictionary.SetRef("/A", indirect->GetObjectNumber(), 0);

    EXPECT_EQ("/XObject", dictionary.GetEntryAsText("/Type", false));
    EXPECT_EQ("<<\r\n/S/GoTo>>", dictionary.GetEntryAsText("/A", true));
    EXPECT_EQ("", dictionary.GetEntryAsText("/None", true));
    EXPECT_TRUE(dictionary.EntryTextEquals("/Type", "/xobject"));
    EXPECT_FALSE(dictionary.EntryTextEquals("/None", ""));

    CPDFDictionary filter(&d);
    EXPECT_TRUE(dictionary.MatchesFilter(&filter));
    filter.SetName("/Type", "/XObject");
    EXPECT_TRUE(dictionary.MatchesFilter(&filter));
    filter.SetName("/Subtype", "/Image");
    EXPECT_FALSE(dictionary.MatchesFilter(&filter));
}

TEST(PDFContainersTest, IndirectObjectTextForms)
{
    CPDFDocument d;
    CPDFObject empty(&d);
    empty.SetObjectNumber(3);
    EXPECT_EQ(111, empty.GetInnerType());
    EXPECT_EQ("3 0 obj\r\n\r\nendobj\r\n", Written(empty));

    CPDFObject number(&d, CreatePDFInteger(&d, 3));
    number.SetObjectNumber(5);
    EXPECT_EQ("5 0 obj\r\n3\r\nendobj\r\n", number.ToPDFString());
    EXPECT_EQ("5 0 obj\r\n3\r\nendobj\r\n", Written(number));

    CPDFObject array(&d, CreatePDFArray(&d));
    array.SetObjectNumber(5);
    EXPECT_EQ("5 0 obj\r\n[]endobj\r\n", array.ToPDFString());
    EXPECT_EQ("5 0 obj\r\n[]\r\nendobj\r\n", Written(array));
}

TEST(PDFContainersTest, StreamsAreWrittenWithTheirLengthOnce)
{
    CPDFDocument d;
    CPDFDictionary* dictionary = nullptr;
    boost::shared_ptr<CPDFObject> empty = CreateIndirectDictionary(&d, dictionary);
    empty->SetObjectNumber(1);
    empty->SetHasStream(true);
    EXPECT_EQ("1 0 obj\r\n<<\r\n/Length 0>>\r\nstream\r\nendstream\r\nendobj\r\n", Written(*empty));

    boost::shared_ptr<CPDFObject> content = CreateIndirectDictionary(&d, dictionary);
    content->SetObjectNumber(2);
    dictionary->SetName("/Filter", "/FlateDecode");
    const std::string data("q\n0 0 m\nQ\x00\xFF", 12);
    content->SetStreamData(reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
    const std::string expected =
        "2 0 obj\r\n<<\r\n/Filter/FlateDecode\r\n/Length 12>>\r\nstream\r\n" + data + "endstream\r\nendobj\r\n";
    EXPECT_EQ(expected, Written(*content));
    // Writing again keeps one /Length in the place it was first added.
    EXPECT_EQ(expected, Written(*content));

    // A stream whose inner object is no dictionary writes no stream.
    CPDFObject odd(&d, CreatePDFInteger(&d, 1));
    odd.SetStreamData(reinterpret_cast<const unsigned char*>("ab"), 2);
    EXPECT_EQ("0 0 obj\r\n1\r\nendobj\r\n", Written(odd));
}

// Stream bytes handed over are taken, not copied; bytes lent by someone
// else are copied, since the object outlives the lender.
TEST(PDFContainersTest, StreamDataHandedOverIsTakenAndLentDataCopied)
{
    CPDFDocument d;
    CPDFObject object(&d, CreatePDFDictionary(&d));
    CPDFByteArray coded(std::vector<unsigned char>{'a', 'b', 'c'});
    const unsigned char* block = coded.GetData();
    object.SetStreamData(std::move(coded));
    EXPECT_TRUE(object.HasStream());
    EXPECT_EQ(object.GetStreamData().GetData(), block);
    EXPECT_EQ(object.GetStreamSize(), 3);
    EXPECT_EQ(coded.GetSize(), 0);

    unsigned char lentBytes[2] = {'x', 'y'};
    CPDFByteArray lent;
    lent.Attach(new unsigned char[2]{'x', 'y'}, 2);
    unsigned char* lentBlock = lent.GetData();
    lent.SetOwnsData(false);
    object.SetStreamData(std::move(lent));
    EXPECT_NE(object.GetStreamData().GetData(), lentBlock);
    EXPECT_TRUE(object.GetStreamData().OwnsData());
    ASSERT_EQ(object.GetStreamSize(), 2);
    EXPECT_EQ(0, std::memcmp(object.GetStreamData().GetData(), lentBytes, 2));
    delete[] lentBlock;
}

TEST(PDFContainersTest, ModifiedContentFollowsMembers)
{
    CPDFDocument d;
    boost::shared_ptr<CPDFDictionary> dictionary = CreatePDFDictionary(&d);
    boost::shared_ptr<CPDFArray> array = CreatePDFArray(&d);
    dictionary->Set("/A", array);
    CPDFObject object(&d, dictionary);
    EXPECT_TRUE(object.HasModifiedContent());
    dictionary->SetModified(false);
    array->SetModified(false);
    EXPECT_FALSE(object.HasModifiedContent());
    array->Add(CreatePDFInteger(&d, 1));
    EXPECT_TRUE(object.HasModifiedContent());
    EXPECT_FALSE(CPDFObject(&d).HasModifiedContent());
}

TEST(PDFContainersTest, DeepNestingIsRefusedInsteadOfExhaustingTheStack)
{
    CPDFDocument d;
    boost::shared_ptr<CPDFArray> root = CreatePDFArray(&d);
    boost::shared_ptr<CPDFArray> current = root;
    for (int i = 0; i < 5000; ++i) {
        boost::shared_ptr<CPDFArray> next = CreatePDFArray(&d);
        current->Add(next);
        current = next;
    }
    EXPECT_EQ("PDF object structure is nested too deeply!", ThrownText([&] { root->ToPDFString(); }));
    // Taking the chain apart from the leaf keeps destruction shallow too.
    std::vector<boost::shared_ptr<CPDFArray>> chain;
    for (CPDFObjectPtr node = root; node;) {
        auto* array = static_cast<CPDFArray*>(node.get());
        chain.push_back(boost::static_pointer_cast<CPDFArray>(node));
        node = array->GetCount() ? array->Get(0) : CPDFObjectPtr();
    }
    root.reset();
    current.reset();
    while (!chain.empty())
        chain.pop_back();
}
