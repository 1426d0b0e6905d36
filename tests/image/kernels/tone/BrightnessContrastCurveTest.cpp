#include "image/kernels/tone/BrightnessContrastCurve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

std::vector<BYTE> Table8(double brightness, double contrast)
{
    std::vector<BYTE> table(256);
    ZAV::BuildCurveTable8(table.data(), brightness, contrast);
    return table;
}

}  // namespace

TEST(BrightnessContrastCurve, NeutralCurveIsTheIdentity)
{
    ZAV::CPointD points[ZAV::kCurvePoints];
    std::vector<ZAV::CPointD> curve(256);
    ZAV::BuildBrightnessContrastCurve(0, 0, points, 256, 0, 255, 127, curve.data());
    const double expected[][2] = {{0, 0}, {63.5, 63.5}, {127, 127}, {191, 191}, {255, 255}};
    for (int i = 0; i < ZAV::kCurvePoints; ++i)
    {
        EXPECT_DOUBLE_EQ(points[i].x, expected[i][0]) << i;
        EXPECT_DOUBLE_EQ(points[i].y, expected[i][1]) << i;
    }
    const std::vector<BYTE> table = Table8(0, 0);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(table[i], i);
    std::vector<uint16_t> table16(65536);
    ZAV::BuildCurveTable16(table16.data(), 0, 0);
    for (int i = 0; i < 65536; ++i)
        ASSERT_EQ(table16[i], i);
}

TEST(BrightnessContrastCurve, BrightnessAndLimits)
{
    const std::vector<BYTE> brighter = Table8(0.5, 0);
    EXPECT_EQ(brighter[0], 127);  // 127.5 truncated
    EXPECT_LT(brighter[190], 255);
    for (int i = 191; i < 256; ++i)
        EXPECT_EQ(brighter[i], 255) << i;
    EXPECT_EQ(Table8(2, 0), Table8(1, 0));
    EXPECT_EQ(Table8(0, -3), Table8(0, -1));
    EXPECT_EQ(Table8(-7, 5), Table8(-1, 1));
    EXPECT_EQ(Table8(std::numeric_limits<double>::quiet_NaN(), 0), Table8(0, 0));
}

TEST(BrightnessContrastCurve, FullContrastIsAThresholdAtTheMiddle)
{
    // At contrast 1 neighbouring points share an x: those pieces have no
    // slope and leave the step of the prefilled table.
    const std::vector<BYTE> table = Table8(0, 1);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(table[i], i < 127 ? 0 : 255) << i;
    std::vector<uint16_t> table16(65536);
    ZAV::BuildCurveTable16(table16.data(), 0, 1);
    EXPECT_EQ(table16[32766], 0);
    EXPECT_EQ(table16[32767], 65535);

    ZAV::CPointD points[ZAV::kCurvePoints];
    std::vector<ZAV::CPointD> curve(256);
    for (double contrast : {1.0, -1.0})
    {
        ZAV::BuildBrightnessContrastCurve(0.3, contrast, points, 256, 0, 255, 127, curve.data());
        for (const ZAV::CPointD& entry : curve)
            ASSERT_TRUE(std::isfinite(entry.y) && entry.y >= 0 && entry.y <= 255);
    }
    const std::vector<BYTE> flat = Table8(0, -1);  // everything near the middle
    EXPECT_EQ(flat[0], 127);
    EXPECT_EQ(flat[255], 128);
}
