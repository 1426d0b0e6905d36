#include "foundation/objects/ZAVRectSp.h"

#include <gtest/gtest.h>

using namespace ZAV;

namespace {

RECT Edges(CZAVPtr<IZAVRectSp>& rect)
{
    return RECT{rect->GetLeft(), rect->GetTop(), rect->GetRight(), rect->GetBottom()};
}

bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST(ZAVRectSp, EdgesSizesAndTheObjectView)
{
    CZAVPtr<IZAVRectSp> rect = CreateRectSp(RECT{1, 2, 11, 22});
    EXPECT_EQ(rect->GetRefCount(), 1);
    EXPECT_EQ(rect->GetWidth(), 10);
    EXPECT_EQ(rect->GetHeight(), 20);
    EXPECT_EQ(rect->SetLeft(-5), -5);
    EXPECT_EQ(rect->SetTop(-6), -6);
    EXPECT_EQ(rect->SetRight(7), 7);
    EXPECT_EQ(rect->SetBottom(8), 8);
    EXPECT_TRUE((Edges(rect) == RECT{-5, -6, 7, 8}));
    EXPECT_EQ(rect->GetWidth(), 12);
    EXPECT_EQ(rect->GetHeight(), 14);

    {
        CZAVPtr<IZAVObjectSp> object = rect->GetObjectSp();
        EXPECT_EQ(rect->GetRefCount(), 2);
        EXPECT_EQ(object->GetRefCount(), 2);
        const RECT* payload = static_cast<const RECT*>(object->GetImplementation());
        EXPECT_TRUE((*payload == RECT{-5, -6, 7, 8}));
        EXPECT_TRUE(object->SupportsInterface(zaviidRect));
        EXPECT_FALSE(object->SupportsInterface(54));
    }
    EXPECT_EQ(rect->GetRefCount(), 1);
}

TEST(ZAVRectSp, Normalizing)
{
    const struct {
        RECT in;
        RECT normal;
        RECT bottomUp;
    } cases[] = {
        {{10, 0, 0, 20}, {0, 0, 10, 20}, {0, 20, 10, 0}},
        {{0, 20, 10, 0}, {0, 0, 10, 20}, {0, 20, 10, 0}},
        {{5, 5, 5, 5}, {5, 5, 5, 5}, {5, 5, 5, 5}},
        {{3, -4, -3, 4}, {-3, -4, 3, 4}, {-3, 4, 3, -4}},
    };
    for (const auto& c : cases) {
        CZAVPtr<IZAVRectSp> a = CreateRectSp(c.in);
        a->Normalize();
        EXPECT_TRUE(Edges(a) == c.normal) << c.in.left << "," << c.in.top;
        CZAVPtr<IZAVRectSp> b = CreateRectSp(c.in);
        b->NormalizeBottomUp();
        EXPECT_TRUE(Edges(b) == c.bottomUp) << c.in.left << "," << c.in.top;
    }
}
