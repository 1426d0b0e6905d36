#include "foundation/objects/ZAVNameValuePairsSp.h"
#include "foundation/objects/ZAVNameVariantPairsSp.h"

#include "foundation/text/TextException.h"

#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using namespace ZAV;
using ZAVTest::ThrownText;

namespace {

std::vector<std::string> Keys(CZAVPtr<IZAVArrayStringSp> keys)
{
    std::vector<std::string> result;
    for (int32_t i = 0; i < keys->GetSize(); ++i)
        result.push_back(keys->GetAt(i));
    return result;
}

CZAVPtr<IZAVVariantSp> IntVariant(int32_t value)
{
    CZAVVariant v;
    v.SetInt(value);
    return CreateVariantSp(v);
}

}  // namespace

TEST(ZAVNameValuePairsSp, KeysInTheOrderOfFirstSetting)
{
    CZAVPtr<IZAVNameValuePairsSp> pairs = CreateNameValuePairsSp();
    EXPECT_EQ(pairs->GetCount(), 0);
    EXPECT_EQ(pairs->GetKeys()->GetSize(), 0);

    pairs->SetValue("b", "1");
    pairs->SetValue("a", "2");
    pairs->SetValue("c", "3");
    pairs->SetValue("b", "4");
    EXPECT_EQ(pairs->GetCount(), 3);
    EXPECT_EQ(Keys(pairs->GetKeys()), (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(pairs->GetValue("b"), "4");
    EXPECT_EQ(pairs->GetValueAt(0), "4");
    EXPECT_EQ(pairs->GetKeyAt(2), "c");
    EXPECT_TRUE(pairs->HasKey("a"));
    EXPECT_FALSE(pairs->HasKey("A"));
    EXPECT_EQ(ThrownText([&] { pairs->GetValue("A"); }), "Key not found!");

    // Positions outside the key order: keys read as "", values are refused.
    EXPECT_EQ(pairs->GetKeyAt(-1), "");
    EXPECT_EQ(pairs->GetKeyAt(3), "");
    for (int32_t index : {-1, 3, INT_MAX, INT_MIN})
        EXPECT_EQ(ThrownText([&] { pairs->GetValueAt(index); }),
                  "Invalid key index '" + std::to_string(index) + "' (set of 3 keys)!");
}

TEST(ZAVNameVariantPairsSp, VariantsGoInAndOutAsCopies)
{
    CNameVariantPairs source;
    source.SetInt("width", 640);
    source.SetString("name", "page");
    CZAVPtr<IZAVNameVariantPairsSp> pairs = CreateNameVariantPairsSp(source);
    source.SetInt("height", 480);  // the object holds its own copy
    EXPECT_EQ(pairs->GetCount(), 2);
    EXPECT_EQ(Keys(pairs->GetKeys()), (std::vector<std::string>{"width", "name"}));

    CZAVPtr<IZAVVariantSp> width = pairs->GetVariant("width");
    EXPECT_EQ(width->GetRefCount(), 1);
    EXPECT_EQ(width->GetInt(), 640);
    width->SetInt(1);
    EXPECT_EQ(pairs->GetVariant("width")->GetInt(), 640);

    CZAVPtr<IZAVVariantSp> depth = IntVariant(24);
    pairs->SetVariant("depth", depth.Get());
    EXPECT_EQ(depth->GetRefCount(), 1);  // the reference taken was given back
    depth->SetInt(8);
    EXPECT_EQ(pairs->GetVariantAt(2)->GetInt(), 24);
    EXPECT_EQ(pairs->GetKeyAt(2), "depth");
    EXPECT_EQ(pairs->GetVariantAt(1)->GetString(), "page");

    EXPECT_EQ(ThrownText([&] { pairs->GetVariant("missing"); }), "Key not found!");
    EXPECT_EQ(ThrownText([&] { pairs->GetVariantAt(3); }), "Invalid key index '3' (set of 3 keys)!");
    EXPECT_EQ(ThrownText([&] { pairs->GetVariantAt(-1); }), "Invalid key index '-1' (set of 3 keys)!");
    EXPECT_EQ(pairs->GetKeyAt(3), "");
    EXPECT_EQ(ThrownText([&] { pairs->SetVariant("x", nullptr); }), "Interface not available!");
    EXPECT_FALSE(pairs->HasKey("x"));
}
