#include "foundation/geometry/AlignedRect.h"
#include "foundation/geometry/Geometry.h"
#include "foundation/containers/RowMatrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

RECT Rect(LONG l, LONG t, LONG r, LONG b)
{
    RECT rect;
    rect.left = l;
    rect.top = t;
    rect.right = r;
    rect.bottom = b;
    return rect;
}

::testing::AssertionResult SameRect(const RECT& a, const RECT& b)
{
    if (a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.left << ", " << a.top << ", " << a.right << ", " << a.bottom
                                         << ") != (" << b.left << ", " << b.top << ", " << b.right << ", " << b.bottom
                                         << ")";
}

}  // namespace

TEST(AlignedRect, PlacementFittingAndProportions)
{
    struct Case {
        RECT frame;
        SIZE size;
        int alignment;
        bool keep, fitW, fitH;
        RECT expected;
    };
    const RECT square = Rect(0, 0, 100, 100);
    const Case cases[] = {
        {square, {20, 10}, 4, false, false, false, Rect(40, 45, 60, 55)},
        {square, {20, 10}, 0, false, false, false, Rect(0, 0, 20, 10)},
        {square, {20, 10}, 8, false, false, false, Rect(80, 90, 100, 100)},
        {Rect(10, 20, 110, 120), {20, 10}, 2, false, false, false, Rect(10, 110, 30, 120)},
        {square, {21, 11}, 4, false, false, false, Rect(39, 44, 60, 55)},  // halves truncate
        {square, {20, 10}, 9, false, false, false, Rect(0, 0, 20, 10)},    // unknown code: at 0, 0
        {square, {50, 25}, 0, true, true, false, Rect(0, 0, 100, 50)},
        {square, {50, 25}, 2, true, true, false, Rect(0, 50, 100, 100)},
        {square, {50, 25}, 1, true, true, false, Rect(0, 24, 100, 74)},
        {square, {50, 25}, 0, false, true, false, Rect(0, 0, 100, 25)},  // stretched, not kept
        {square, {50, 25}, 0, true, false, true, Rect(0, 0, 200, 100)},  // by height: width follows
        {square, {50, 25}, 3, true, false, true, Rect(-50, 0, 150, 100)},  // centred on the item
        {square, {50, 25}, 4, true, true, true, Rect(0, 25, 100, 75)},   // both: the smaller scale wins
        {square, {0, 25}, 4, true, true, true, Rect(0, 0, 100, 100)},    // no width: nothing to keep
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alignment);
        EXPECT_TRUE(SameRect(ZAV::GetAlignedRect(c.frame, c.size, c.alignment, c.keep, c.fitW, c.fitH), c.expected));
    }
}

TEST(Geometry, AnglesAndTolerance)
{
    EXPECT_DOUBLE_EQ(ZAV::DegreesToRadians(180), 3.141592654);
    EXPECT_TRUE(ZAV::IsAbsWithin(-0.5, 0.5));
    EXPECT_TRUE(ZAV::IsAbsWithin(0.5, 0.5));
    EXPECT_FALSE(ZAV::IsAbsWithin(0.6, 0.5));
    EXPECT_FALSE(ZAV::IsAbsWithin(std::nan(""), 0.5));
}

TEST(Geometry, BoundingBox)
{
    ZAV::CBoundingBox box;
    EXPECT_EQ(box.left, 9.999999999999999e30);
    EXPECT_EQ(box.right, -9.999999999999999e30);
    EXPECT_LT(box.left, 1e31);
    box.AddPoint(2, 3);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.right, 2);
    EXPECT_EQ(box.top, 3);
    EXPECT_EQ(box.bottom, 3);
    box.AddRect(5, -1, -4, 10);
    EXPECT_EQ(box.left, -4);
    EXPECT_EQ(box.right, 5);
    EXPECT_EQ(box.top, 10);
    EXPECT_EQ(box.bottom, -1);
}

TEST(Geometry, Vectors)
{
    ZAV::CVector up(90, 2);
    EXPECT_NEAR(up.x, 0, 1e-9);
    EXPECT_NEAR(up.y, 2, 1e-9);
    EXPECT_FALSE(up.hasZ);

    ZAV::CPointD p;
    EXPECT_EQ(p.x, 0);
    p.x = 3;
    p.y = 4;
    ZAV::CVector v(p);
    EXPECT_DOUBLE_EQ(v.GetLength(), 5);
    v.Scale(2);
    EXPECT_DOUBLE_EQ(v.ToPoint().x, 6);
    EXPECT_DOUBLE_EQ(v.ToPoint().y, 8);

    // z takes part only where the vector itself has one.
    ZAV::CVector w;
    w.x = 1;
    w.z = 5;
    v.Add(w);
    EXPECT_DOUBLE_EQ(v.x, 7);
    EXPECT_DOUBLE_EQ(v.z, 0);
    v.hasZ = true;
    v.Subtract(w);
    EXPECT_DOUBLE_EQ(v.z, -5);
    v.Scale(2);
    EXPECT_DOUBLE_EQ(v.GetLength(), std::sqrt(12.0 * 12 + 16 * 16 + 10 * 10));
}

TEST(Geometry, ClampRect)
{
    struct Case {
        RECT rect, bounds, expected;
    };
    const Case cases[] = {
        {Rect(-5, -5, 500, 500), Rect(0, 0, 100, 50), Rect(0, 0, 100, 50)},
        {Rect(10, 20, 30, 40), Rect(0, 0, 100, 50), Rect(10, 20, 30, 40)},
        {Rect(10, 20, 30, 40), Rect(100, 50, 0, 0), Rect(0, 0, 0, 0)},  // inverted: the upper bound wins
    };
    for (const Case& c : cases) {
        RECT r = c.rect;
        ZAV::ClampRect(r, c.bounds);
        EXPECT_TRUE(SameRect(r, c.expected));
    }
}

TEST(RowMatrix, RowsAddressOneBlock)
{
    unsigned char** m = nullptr;
    ASSERT_TRUE(ZAV::AllocRowMatrixZeroed(m, 3, 5));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m[i], reinterpret_cast<unsigned char*>(m + 3) + 5 * i);
        for (int j = 0; j < 5; ++j)
            EXPECT_EQ(m[i][j], 0);
    }
    m[2][4] = 9;  // the last byte is inside the block
    ASSERT_TRUE(ZAV::AllocRowMatrix(m, 2, 7));  // replaces the first block
    m[1][6] = 1;
    ASSERT_TRUE(ZAV::AllocRowMatrix(m, 0, 7));
    EXPECT_NE(m, nullptr);
    EXPECT_TRUE(ZAV::FreeRowMatrix(m));
    EXPECT_EQ(m, nullptr);
}

TEST(RowMatrix, OversizedMatrixIsRefused)
{
    unsigned char** m = nullptr;
    ASSERT_TRUE(ZAV::AllocRowMatrix(m, 1, 1));
    const size_t huge = std::numeric_limits<size_t>::max();
    EXPECT_FALSE(ZAV::AllocRowMatrix(m, huge / 4, 8));
    EXPECT_EQ(m, nullptr);
    EXPECT_FALSE(ZAV::AllocRowMatrixZeroed(m, 2, huge - 4));
    EXPECT_FALSE(ZAV::AllocRowMatrix(m, huge, huge));
    EXPECT_EQ(m, nullptr);
}
