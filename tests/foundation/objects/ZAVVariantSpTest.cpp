#include "foundation/objects/ZAVVariantSp.h"

#include <gtest/gtest.h>

#include <string>

using namespace ZAV;

TEST(ZAVVariantSp, SettersChooseTheTypeAndKeepTheOtherFields)
{
    CZAVVariant initial;
    initial.SetInt(7);
    CZAVPtr<IZAVVariantSp> variant = CreateVariantSp(initial);
    EXPECT_EQ(variant->GetRefCount(), 1);
    EXPECT_EQ(variant->GetType(), 2);

    variant->SetDouble(2.5);
    EXPECT_EQ(variant->GetType(), 3);
    EXPECT_EQ(variant->GetInt(), 7);  // a getter reads its own field
    variant->SetString("abc");
    EXPECT_EQ(variant->GetType(), 4);
    EXPECT_EQ(variant->GetDouble(), 2.5);
    variant->SetBool(1);
    EXPECT_EQ(variant->GetType(), 1);
    EXPECT_EQ(variant->GetString(), "abc");
    const unsigned char raw[] = {9, 8, 7};
    variant->SetBytes(CArraySimple<unsigned char, 1>(raw, 3));
    EXPECT_EQ(variant->GetType(), 5);
    EXPECT_TRUE(variant->GetBytes().IsEqual(CArraySimple<unsigned char, 1>(raw, 3)));
    EXPECT_EQ(variant->GetBool(), 1);

    variant->SetInt(5);
    variant->Clear();
    EXPECT_EQ(variant->GetType(), 0);
    // Only the type goes: each getter still reads its own field.
    EXPECT_EQ(variant->GetInt(), 5);
    EXPECT_EQ(variant->GetString(), "abc");
    EXPECT_EQ(variant->GetBool(), 1);
    EXPECT_EQ(variant->GetAsInt(), 0);

    // The factory copied: the caller's variant is untouched.
    EXPECT_EQ(initial.GetType(), 2);
    EXPECT_EQ(initial.GetInt(), 7);
}

TEST(ZAVVariantSp, Readings)
{
    CZAVPtr<IZAVVariantSp> variant = CreateVariantSp(CZAVVariant());
    const struct {
        const char* what;
        void (*set)(IZAVVariantSp*);
        int32_t asInt;
        double asDouble;
        const char* asString;
    } cases[] = {
        {"empty", [](IZAVVariantSp* v) { v->Clear(); }, 0, 0.0, ""},
        {"byte", [](IZAVVariantSp* v) { v->SetBool(200); }, 200, 200.0, "200"},
        {"int", [](IZAVVariantSp* v) { v->SetInt(-42); }, -42, -42.0, "-42"},
        {"double 2.5", [](IZAVVariantSp* v) { v->SetDouble(2.5); }, 2, 2.5, "2.50"},
        {"double -2.7", [](IZAVVariantSp* v) { v->SetDouble(-2.7); }, -2, -2.7, "-2.70"},
        {"text 12", [](IZAVVariantSp* v) { v->SetString("12"); }, 12, 12.0, "12"},
        {"text 12x", [](IZAVVariantSp* v) { v->SetString("12x"); }, 0, 0.0, "12x"},
        {"text 1.5", [](IZAVVariantSp* v) { v->SetString("1.5"); }, 0, 1.5, "1.5"},
        {"bytes", [](IZAVVariantSp* v) { v->SetBytes(CArraySimple<unsigned char, 1>()); }, 0, 0.0, ""},
    };
    for (const auto& c : cases) {
        c.set(variant.Get());
        EXPECT_EQ(variant->GetAsInt(), c.asInt) << c.what;
        EXPECT_DOUBLE_EQ(variant->GetAsDouble(), c.asDouble) << c.what;
        EXPECT_EQ(variant->GetAsString(), c.asString) << c.what;
    }
}
