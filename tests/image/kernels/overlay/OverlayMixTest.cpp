#include "image/kernels/overlay/OverlayMix.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

TEST(OverlayMix, OverlapIsClippedToTheBase)
{
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    struct Case {
        int32_t overlayWidth, overlayHeight, x, y;
        ZAV::COverlap expected;
    };
    const Case cases[] = {
        {10, 10, -5, 0, {0, 0, 5, 10}},          // columns 0..4
        {10, 10, 15, 25, {15, 25, 20, 30}},      // right and bottom cut
        {10, 10, 20, 0, {20, 0, 20, 10}},        // wholly right of the base: empty
        {10, 10, kMax - 5, kMax - 5, {20, 30, 20, 30}},  // x + width would wrap in 32 bits
        {kMax, kMax, kMin, kMin, {0, 0, 0, 0}},
        {kMax, kMax, -1, -1, {0, 0, 20, 30}},
    };
    for (const Case& c : cases)
    {
        ZAV::COverlap overlap;
        ZAV::ClipOverlay(overlap, 20, 30, c.overlayWidth, c.overlayHeight, c.x, c.y);
        SCOPED_TRACE(std::to_string(c.x) + ", " + std::to_string(c.y));
        EXPECT_EQ(overlap.x0, c.expected.x0);
        EXPECT_EQ(overlap.y0, c.expected.y0);
        EXPECT_EQ(overlap.x1, c.expected.x1);
        EXPECT_EQ(overlap.y1, c.expected.y1);
    }
}

TEST(OverlayMix, OpacityMixAndSquares)
{
    ZAV::COpacityTables tables;
    ZAV::BuildOpacityTables(0.5, tables);
    EXPECT_EQ(tables.Mix(101, 201, false), 151);  // 100.5 + 50.5
    EXPECT_EQ(tables.Mix(101, 201, true), 150);   // 100 + 50
    ZAV::BuildOpacityTables(1.7, tables);
    EXPECT_EQ(tables.Mix(101, 201, false), 201);
    ZAV::BuildOpacityTables(-0.2, tables);
    EXPECT_EQ(tables.Mix(101, 201, true), 101);
    EXPECT_EQ(ZAV::MaskMix(100, 200, 128), 150);  // trunc(200 x 0.50196 + 100 x 0.49804)
    EXPECT_EQ(ZAV::MaskMix(7, 7, 77), 7);

    int squares[ZAV::kSquareTableSize];
    const int* middle = ZAV::BuildSquareTable(squares);
    EXPECT_EQ(middle[0], 0);
    EXPECT_EQ(middle[-255], 65025);
    EXPECT_EQ(middle[255], 65025);
    EXPECT_EQ(middle[-3], 9);
}
