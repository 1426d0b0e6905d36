#include "foundation/containers/NameValuePairs.h"
#include "foundation/containers/NameVariantPairs.h"
#include "foundation/containers/ZAVVariant.h"

#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

using namespace ZAV;
using ZAVTest::ThrownText;

namespace {

CZAVVariant TextVariant(const std::string& text)
{
    CZAVVariant variant;
    variant.SetText(text);
    return variant;
}

CZAVVariant RealVariant(double value)
{
    CZAVVariant variant;
    variant.SetReal(value);
    return variant;
}

}  // namespace

TEST(CZAVVariant, NewVariantIsEmpty)
{
    CZAVVariant variant;
    EXPECT_EQ(variant.GetType(), zavVariantEmpty);
    EXPECT_EQ(variant.GetByte(), 0);
    EXPECT_EQ(variant.GetInt(), 0);
    EXPECT_EQ(variant.GetReal(), 0.0);
    EXPECT_EQ(variant.GetText(), "");
    EXPECT_EQ(variant.GetBytes().GetSize(), 0);
    EXPECT_EQ(variant.GetAsInt(), 0);
    EXPECT_EQ(variant.GetAsReal(), 0.0);
    EXPECT_EQ(variant.GetAsText(), "");
}

TEST(CZAVVariant, Readings)
{
    struct Case {
        const char* name;
        CZAVVariant variant;
        int32_t asInt;
        double asReal;
        std::string asText;
    };
    CZAVVariant byte;
    byte.SetByte(200);
    CZAVVariant byteAlt;
    byteAlt.SetByte(1, zavVariantByteAlt);
    CZAVVariant integer;
    integer.SetInt(-42);
    CZAVVariant bytes;
    bytes.SetBytes(CArraySimple<unsigned char, 1>(std::vector<unsigned char>{'1', '2'}));
    const Case cases[] = {
        {"byte", byte, 200, 200.0, "200"},
        {"byte under code 6", byteAlt, 1, 1.0, "1"},
        {"int", integer, -42, -42.0, "-42"},
        {"real 2.5", RealVariant(2.5), 2, 2.5, "2.50"},
        {"real -2.7", RealVariant(-2.7), -2, -2.7, "-2.70"},
        {"real 1e12", RealVariant(1e12), std::numeric_limits<int32_t>::max(), 1e12, "1000000000000.00"},
        {"real -1e12", RealVariant(-1e12), std::numeric_limits<int32_t>::min(), -1e12, "-1000000000000.00"},
        {"text 12", TextVariant("12"), 12, 12.0, "12"},
        {"text 12x", TextVariant("12x"), 0, 0.0, "12x"},
        {"text 2.5", TextVariant("2.5"), 0, 2.5, "2.5"},
        {"text 2,5", TextVariant("2,5"), 0, 2.5, "2,5"},
        {"text -7", TextVariant("-7"), -7, -7.0, "-7"},
        {"empty text", TextVariant(""), 0, 0.0, ""},
        {"text beyond 32 bits", TextVariant("4294967296"), 0, 4294967296.0, "4294967296"},
        {"byte array", bytes, 0, 0.0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.variant.GetAsInt(), c.asInt);
        EXPECT_DOUBLE_EQ(c.variant.GetAsReal(), c.asReal);
        EXPECT_EQ(c.variant.GetAsText(), c.asText);
    }
    EXPECT_EQ(byteAlt.GetType(), zavVariantByteAlt);
    EXPECT_EQ(integer.GetType(), zavVariantInt);
    EXPECT_EQ(bytes.GetType(), zavVariantByteArray);
}

TEST(CZAVVariant, CopyCopiesEveryField)
{
    CZAVVariant source;
    source.SetByte(3);
    source.SetInt(4);
    source.SetReal(5.5);
    source.SetText("six");
    source.SetBytes(CArraySimple<unsigned char, 1>(std::vector<unsigned char>{7, 8}));
    CZAVVariant copy(source);
    EXPECT_EQ(copy.GetType(), zavVariantByteArray);
    EXPECT_EQ(copy.GetByte(), 3);
    EXPECT_EQ(copy.GetInt(), 4);
    EXPECT_EQ(copy.GetReal(), 5.5);
    EXPECT_EQ(copy.GetText(), "six");
    EXPECT_TRUE(copy.GetBytes().IsEqual(source.GetBytes()));
    EXPECT_NE(copy.GetBytes().GetData(), source.GetBytes().GetData());

    copy.Clear();
    EXPECT_EQ(copy.GetType(), zavVariantEmpty);
    EXPECT_EQ(copy.GetBytes().GetSize(), 0);
    EXPECT_EQ(source.GetBytes().GetSize(), 2);
}

TEST(CNameValuePairs, OrderOfFirstSettingSurvivesAReplacedKey)
{
    CNameValuePairs pairs;
    pairs.SetValue("b", "1");
    pairs.SetValue("a", "2");
    pairs.SetValue("c", "3");
    pairs.SetValue("b", "4");
    ASSERT_EQ(pairs.GetCount(), 3);
    const char* keys[] = {"b", "a", "c"};
    const char* values[] = {"4", "2", "3"};
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(pairs.GetKeyAt(i), keys[i]);
        EXPECT_EQ(pairs.GetValueAt(i), values[i]);
    }
    EXPECT_EQ(pairs.GetValue("b"), "4");
    EXPECT_TRUE(pairs.HasKey("a"));
    EXPECT_FALSE(pairs.HasKey("A"));
}

TEST(CNameValuePairs, PositionsOutsideTheSetGiveEmptyTexts)
{
    CNameValuePairs pairs;
    pairs.SetValue("k", "v");
    for (int32_t index : {-1, 1, 2, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(pairs.GetKeyAt(index), "");
        EXPECT_EQ(pairs.GetValueAt(index), "");
    }
    CNameValuePairs empty;
    EXPECT_EQ(empty.GetValueAt(0), "");
}

TEST(CNameValuePairs, AbsentKeyIsRefused)
{
    CNameValuePairs pairs;
    pairs.SetValue("present", "");
    EXPECT_EQ(ThrownText([&] { pairs.GetValue("absent"); }), "Key not found!");
    EXPECT_FALSE(pairs.HasKey("absent"));
    EXPECT_EQ(pairs.GetValue("present"), "");
    EXPECT_EQ(pairs.GetCount(), 1);
}

TEST(CNameValuePairs, KeysInBucketOrderAndRemoveAll)
{
    CNameValuePairs pairs;
    for (int i = 0; i < 1500; ++i)  // past the first growth of 1000 buckets
        pairs.SetValue("key" + std::to_string(i), std::to_string(i));
    std::vector<std::string> keys{"stale"};
    pairs.GetKeys(keys);
    ASSERT_EQ(keys.size(), 1500u);
    std::vector<std::string> sorted(keys);
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
    EXPECT_EQ(pairs.GetValue("key1499"), "1499");
    EXPECT_EQ(pairs.GetKeyAt(1499), "key1499");

    pairs.RemoveAll();
    pairs.GetKeys(keys);
    EXPECT_TRUE(keys.empty());
    EXPECT_EQ(pairs.GetCount(), 0);
    EXPECT_EQ(pairs.GetKeyAt(0), "");
}

TEST(CNameVariantPairs, OrderTypedSettersAndRefusals)
{
    CNameVariantPairs pairs;
    pairs.SetInt("b", 1);
    pairs.SetString("a", std::string("text"));
    pairs.SetString("c", static_cast<const char*>(nullptr));
    pairs.SetValue("b", RealVariant(2.5));
    ASSERT_EQ(pairs.GetCount(), 3);
    EXPECT_EQ(pairs.GetKeyAt(0), "b");
    EXPECT_EQ(pairs.GetKeyAt(1), "a");
    EXPECT_EQ(pairs.GetKeyAt(2), "c");
    EXPECT_EQ(pairs.GetValueAt(0).GetType(), zavVariantReal);
    EXPECT_EQ(pairs.GetValueAt(0).GetAsText(), "2.50");
    EXPECT_EQ(pairs.GetValue("a").GetType(), zavVariantText);
    EXPECT_EQ(pairs.GetValue("a").GetText(), "text");
    EXPECT_EQ(pairs.GetValue("c").GetType(), zavVariantText);
    EXPECT_EQ(pairs.GetValue("c").GetText(), "");

    EXPECT_EQ(ThrownText([&] { pairs.GetValue("absent"); }), "Key not found!");
    for (int32_t index : {-1, 3}) {
        EXPECT_EQ(pairs.GetKeyAt(index), "");
        EXPECT_EQ(pairs.GetValueAt(index).GetType(), zavVariantEmpty);
    }

    pairs.RemoveAll();
    std::vector<std::string> keys;
    pairs.GetKeys(keys);
    EXPECT_TRUE(keys.empty());
    EXPECT_EQ(pairs.GetCount(), 0);
}

TEST(CNameVariantPairs, CopyKeepsValuesOrderAndIndependence)
{
    CNameVariantPairs source;
    source.SetInt("z", 1);
    source.SetString("y", "two");
    CNameVariantPairs copy(source);
    copy.SetInt("z", 9);
    copy.SetInt("x", 3);
    EXPECT_EQ(source.GetValue("z").GetInt(), 1);
    EXPECT_EQ(source.GetCount(), 2);
    EXPECT_EQ(copy.GetKeyAt(0), "z");
    EXPECT_EQ(copy.GetKeyAt(2), "x");
    std::vector<std::string> sourceKeys;
    std::vector<std::string> copyKeys;
    source.GetKeys(sourceKeys);
    CNameVariantPairs(source).GetKeys(copyKeys);
    EXPECT_EQ(copyKeys, sourceKeys);
}
