#include "image/kernels/levels/Levels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

TEST(Levels, FindLevelsPassesTheClippedCounts)
{
    std::vector<uint32_t> counts(ZAV::kLevels8, 0);
    counts[7] = 100;
    int low = 0, high = 0;
    EXPECT_TRUE(ZAV::FindLevels(counts.data(), 100, 0.01, 0.01, low, high));
    EXPECT_EQ(low, 7);
    EXPECT_EQ(high, 7);

    counts.assign(ZAV::kLevels8, 1);  // one pixel of every value
    EXPECT_TRUE(ZAV::FindLevels(counts.data(), 256, 0.1, 0.05, low, high));
    EXPECT_EQ(low, 25);    // running sum 26 passes trunc(25.6)
    EXPECT_EQ(high, 243);  // 13 from the top pass trunc(12.8)

    EXPECT_TRUE(ZAV::FindLevels(counts.data(), 256, -1, std::nan(""), low, high));  // both as 0
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 255);

    counts.assign(ZAV::kLevels8, 0);  // nothing counted: neither level
    EXPECT_FALSE(ZAV::FindLevels(counts.data(), 0, 0, 0, low, high));
    EXPECT_EQ(low, -1);
    EXPECT_EQ(high, -1);

    std::vector<uint32_t> counts16(ZAV::kLevels16, 0);
    counts16[300] = 5;
    counts16[60000] = 5;
    EXPECT_TRUE(ZAV::FindLevels16(counts16.data(), 10, 0, 0, low, high));
    EXPECT_EQ(low, 300);
    EXPECT_EQ(high, 60000);
}

TEST(Levels, StretchTables)
{
    const std::vector<BYTE> table = ZAV::BuildStretchTable8(50, 100);
    const int values[][2] = {{0, 0}, {49, 0}, {50, 0}, {51, 5}, {75, 127}, {100, 255}, {101, 255}, {255, 255}};
    for (const auto& v : values)
        EXPECT_EQ(table[v[0]], v[1]) << v[0];

    const std::vector<uint16_t> identity = ZAV::BuildStretchTable16(0, 65535);
    for (int i = 0; i < ZAV::kLevels16; ++i)
        ASSERT_EQ(identity[i], i);

    const std::vector<uint16_t> doubled = ZAV::BuildStretchTable16(1000, 2.0);
    EXPECT_EQ(doubled[999], 0);
    EXPECT_EQ(doubled[1000], 0);
    EXPECT_EQ(doubled[1001], 2);
    EXPECT_EQ(doubled[40000], 65535);
    const std::vector<uint16_t> huge = ZAV::BuildStretchTable16(0, 1e300);  // no overflowing conversion
    EXPECT_EQ(huge[0], 0);
    EXPECT_EQ(huge[1], 65535);

    EXPECT_EQ(ZAV::PercentToFraction(-5), 0);
    EXPECT_EQ(ZAV::PercentToFraction(50), 0.5);
    EXPECT_EQ(ZAV::PercentToFraction(250), 1);
    EXPECT_EQ(ZAV::PercentToFraction(std::nan("")), 0);
}
