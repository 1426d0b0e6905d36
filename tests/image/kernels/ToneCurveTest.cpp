#include <gtest/gtest.h>

#include <vector>

#include "image/kernels/ToneCurve.h"

using namespace ZAV;

namespace {

constexpr int kUnset = kUnsetCurveControl;

TEST(ToneCurve, LinearJoinsTheSetControls)
{
    CCurveBuilder builder;
    std::vector<int> table(256, -7);
    const int ends[] = {0, kUnset, kUnset, kUnset, 255};
    ASSERT_EQ(1, builder.BuildCurveLinear(ends, 5, table.data(), 256));
    for (int j = 0; j < 256; ++j)
        EXPECT_EQ(j, table[j]) << j;  // the last entry reaches the last control

    const int peak[] = {0, 200, 0};
    ASSERT_EQ(1, builder.BuildCurveLinear(peak, 3, table.data(), 256));
    EXPECT_EQ(0, table[0]);
    EXPECT_EQ(101, table[64]);  // the first sample at or past 64 lies at x 64.5
    EXPECT_EQ(200, table[127]);
    EXPECT_EQ(0, table[255]);
}

TEST(ToneCurve, OneControlIsAConstantAndNoneFails)
{
    CCurveBuilder builder;
    std::vector<int> table(256, -7);
    const int one[] = {kUnset, 100, kUnset};
    for (bool smooth : {false, true}) {
        SCOPED_TRACE(smooth);
        ASSERT_EQ(1, smooth ? builder.BuildCurveSmooth(one, 3, table.data(), 256)
                            : builder.BuildCurveLinear(one, 3, table.data(), 256));
        EXPECT_EQ(std::vector<int>(256, 100), table);
        const int none[] = {kUnset, kUnset};
        EXPECT_EQ(0, smooth ? builder.BuildCurveSmooth(none, 2, table.data(), 256)
                            : builder.BuildCurveLinear(none, 2, table.data(), 256));
        EXPECT_STREQ("Invalid Parameter!", builder.GetErrorText().GetText());
        EXPECT_EQ(0, builder.BuildCurveLinear(one, 3, nullptr, 256));
    }
}

TEST(ToneCurve, SmoothBendsThroughItsControls)
{
    CCurveBuilder builder;
    std::vector<int> controls(256, kUnset);
    controls[0] = 0;
    controls[255] = 255;
    std::vector<int> table(256);
    ASSERT_EQ(1, builder.BuildCurveSmooth(controls.data(), 256, table.data(), 256));
    EXPECT_EQ(0, table[0]);
    EXPECT_EQ(255, table[255]);
    for (int j = 1; j < 256; ++j) {
        EXPECT_GE(table[j], table[j - 1]);
        EXPECT_NEAR(j, table[j], 1);  // the control points lie on the line
    }

    controls[128] = 255;
    controls[255] = 0;
    ASSERT_EQ(1, builder.BuildCurveSmooth(controls.data(), 256, table.data(), 256));
    EXPECT_EQ(255, table[128]);
    EXPECT_EQ(0, table[255]);
    EXPECT_GT(table[64], 128);  // bent above the straight chord
}

}  // namespace
