#include "foundation/objects/ZAVCastSp.h"

#include "foundation/text/TextException.h"
#include "foundation/objects/ZAVArrayDoubleSp.h"
#include "foundation/objects/ZAVArrayObjectSp.h"
#include "foundation/objects/ZAVArrayStringSp.h"
#include "foundation/objects/ZAVEncoder.h"
#include "foundation/objects/ZAVRectSp.h"
#include "foundation/objects/ZAVVariantSp.h"

#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace ZAV;
using ZAVTest::ThrownText;

namespace {

// An object held by its counting part, with its query part at hand.
struct Held {
    const char* what;
    CZAVPtr<IZAVUnknownSp> holder;
    IZAVQueryInterfaceSp* object;
    std::vector<int32_t> ids;  // the ids it answers
};

template <class I>
Held Hold(const char* what, CZAVPtr<I> sp, std::vector<int32_t> ids)
{
    IZAVQueryInterfaceSp* object = sp.Get();
    return Held{what, CZAVPtr<IZAVUnknownSp>(sp.Detach(), true), object, std::move(ids)};
}

}  // namespace

TEST(ZAVCastSp, CountsStayRightAcrossFailedAndSuccessfulCasts)
{
    CZAVPtr<IZAVCastSp> cast = CreateCastSp();
    CZAVPtr<IZAVRectSp> rect = CreateRectSp(RECT{0, 0, 4, 3});
    EXPECT_EQ(cast->GetRefCount(), 1);

    EXPECT_FALSE(cast->IsImageEditSp(rect.Get()));
    EXPECT_EQ(ThrownText([&] { cast->ToImageEditSp(rect.Get()); }), "Interface not available!");
    EXPECT_EQ(ThrownText([&] { cast->ToImageStandardSp(rect.Get()); }), "Interface not available!");
    EXPECT_EQ(ThrownText([&] { cast->ToInterface54(rect.Get()); }), "Interface not available!");
    EXPECT_EQ(ThrownText([&] { cast->ToNameValuePairsSp(rect.Get()); }), "Interface not available!");
    EXPECT_EQ(rect->GetRefCount(), 1);

    {
        CZAVPtr<IZAVObjectSp> object = cast->ToObjectSp(rect.Get());
        EXPECT_EQ(rect->GetRefCount(), 2);
        // Back from the object view to the rectangle.
        CZAVPtr<IZAVRectSp> again = QueryInterfaceSp<IZAVRectSp>(object.Get());
        EXPECT_EQ(again.Get(), rect.Get());
        EXPECT_EQ(rect->GetRefCount(), 3);
        EXPECT_EQ(ThrownText([&] { cast->ToArrayByteSp(object.Get()); }), "Interface not available!");
        EXPECT_EQ(rect->GetRefCount(), 3);
    }
    EXPECT_EQ(rect->GetRefCount(), 1);

    CZAVPtr<IZAVArrayByteSp> bytes = CreateArrayByteSp();
    EXPECT_TRUE(cast->IsArrayByteSp(bytes.Get()));
    {
        CZAVPtr<IZAVArrayByteSp> same = cast->ToArrayByteSp(bytes.Get());
        EXPECT_EQ(same.Get(), bytes.Get());
        EXPECT_EQ(bytes->GetRefCount(), 2);
    }
    EXPECT_EQ(bytes->GetRefCount(), 1);

    // The cast object asks the object it is given, not itself.
    EXPECT_FALSE(cast->IsNameValuePairsSp(cast.Get()));
    CZAVPtr<IZAVNameValuePairsSp> values = CreateNameValuePairsSp();
    CZAVPtr<IZAVNameVariantPairsSp> variants = CreateNameVariantPairsSp(CNameVariantPairs());
    EXPECT_TRUE(cast->IsNameValuePairsSp(values.Get()));
    EXPECT_FALSE(cast->IsNameVariantPairsSp(values.Get()));
    EXPECT_TRUE(cast->IsNameVariantPairsSp(variants.Get()));
    EXPECT_EQ(cast->ToNameVariantPairsSp(variants.Get()).Get(), variants.Get());
    EXPECT_EQ(cast->ToNameValuePairsSp(values.Get()).Get(), values.Get());
    EXPECT_EQ(values->GetRefCount(), 1);
    EXPECT_EQ(variants->GetRefCount(), 1);

    // A null object is no interface at all.
    EXPECT_FALSE(cast->IsArrayByteSp(nullptr));
    EXPECT_EQ(ThrownText([&] { cast->ToObjectSp(nullptr); }), "Interface not available!");
}

TEST(ZAVCastSp, EveryObjectAnswersItsOwnIdsAndNoReservedOne)
{
    CZAVPtr<IZAVCastSp> cast = CreateCastSp();
    CArrayString noStrings;
    const Held objects[] = {
        Hold("rect", CreateRectSp(RECT{}), {1, 40}),
        Hold("doubles", CreateArrayDoubleSp(CArraySimple<double, 3>()), {1, 43}),
        Hold("strings", CreateArrayStringSp(noStrings), {1, 44}),
        Hold("bytes", CreateArrayByteSp(), {1, 45}),
        Hold("variant", CreateVariantSp(CZAVVariant()), {1, 47}),
        Hold("name/variant", CreateNameVariantPairsSp(CNameVariantPairs()), {1, 48}),
        Hold("name/value", CreateNameValuePairsSp(), {1, 49}),
        Hold("objects", CreateArrayObjectSp(), {1, 55}),
        Hold("cast", CreateCastSp(), {1, 56}),
        Hold("encoder", CreateEncoder(), {17}),
    };
    const int32_t allIds[] = {1,  6,  10, 11, 12, 13, 14, 16, 17, 20, 27, 29, 40, 43,
                              44, 45, 47, 48, 49, 54, 55, 56, 62, 65, 72, 100, 103, 104};
    for (const auto& o : objects) {
        for (int32_t id : allIds) {
            const bool own = std::find(o.ids.begin(), o.ids.end(), id) != o.ids.end();
            EXPECT_EQ(o.object->SupportsInterface(id), own) << o.what << " id " << id;
            if (!own) {
                EXPECT_EQ(ThrownText([&] { o.object->QueryInterface(id); }), "Interface not available!")
                    << o.what << " id " << id;
            }
        }
        EXPECT_FALSE(cast->IsInterface54(o.object)) << o.what;
        EXPECT_FALSE(cast->IsImageEditSp(o.object)) << o.what;
        EXPECT_FALSE(cast->IsImageStandardSp(o.object)) << o.what;
    }
    for (const auto& o : objects)
        EXPECT_EQ(o.holder->GetRefCount(), 1) << o.what;
}
