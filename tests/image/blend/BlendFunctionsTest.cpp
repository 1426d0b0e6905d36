#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/blend/BlendFunctions.h"
#include "image/blend/BlendModes.h"

namespace {

struct CBlendCase {
    const char* name;
    ZAV::BlendFunction function;
    int a;
    int b;
    int expected;
};

// Values worked by hand. The negative quotients (burns) must truncate
// towards zero; flooring would give one less.
const CBlendCase kBlendCases[] = {
    {"average", ZAV::BlendAverage, 255, 254, 254},
    {"darken", ZAV::BlendDarken, 90, 30, 30},
    {"lighten", ZAV::BlendLighten, 90, 30, 90},
    {"multiply", ZAV::BlendMultiply, 255, 255, 254},
    {"color burn of b 0", ZAV::BlendColorBurn, 200, 0, 0},
    {"color burn truncates", ZAV::BlendColorBurn, 100, 200, 57},
    {"color burn floor 0", ZAV::BlendColorBurn, 10, 20, 0},
    {"soft burn above 256", ZAV::BlendSoftBurn, 200, 100, 185},
    {"soft burn below 256", ZAV::BlendSoftBurn, 100, 50, 41},
    {"soft burn of a 255, b 0", ZAV::BlendSoftBurn, 255, 0, 255},
    {"soft burn dodge limit", ZAV::BlendSoftBurn, 250, 5, 128},
    {"screen", ZAV::BlendScreen, 100, 200, 222},
    {"color dodge of b 255", ZAV::BlendColorDodge, 200, 255, 255},
    {"color dodge", ZAV::BlendColorDodge, 50, 100, 82},
    {"color dodge limit", ZAV::BlendColorDodge, 100, 200, 255},
    {"hard light dark", ZAV::BlendHardLight, 100, 50, 39},
    {"hard light bright", ZAV::BlendHardLight, 100, 200, 189},
    {"overlay swaps", ZAV::BlendOverlay, 200, 100, 189},
    {"reflect of a 255", ZAV::BlendReflect, 255, 10, 255},
    {"reflect", ZAV::BlendReflect, 100, 50, 16},
    {"reflect limit", ZAV::BlendReflect, 200, 200, 255},
    {"linear light floor", ZAV::BlendLinearLight, 100, 50, 0},
    {"linear light", ZAV::BlendLinearLight, 100, 200, 244},
    {"linear light ceiling", ZAV::BlendLinearLight, 200, 200, 255},
    {"difference", ZAV::BlendDifference, 50, 200, 150},
    {"exclusion", ZAV::BlendExclusion, 100, 200, 144},
    {"exclusion of whites", ZAV::BlendExclusion, 255, 255, 2},
    {"soft light rounds up", ZAV::SoftLightBlend, 10, 250, 35},
    {"soft light dark base", ZAV::SoftLightBlend, 50, 200, 86},
    {"soft light dark layer", ZAV::SoftLightBlend, 200, 50, 174},
    {"soft light middle", ZAV::SoftLightBlend, 128, 128, 128},
};

TEST(BlendFunctions, GiveTheWorkedValues)
{
    for (const CBlendCase& c : kBlendCases)
        EXPECT_EQ(c.function(static_cast<BYTE>(c.a), static_cast<BYTE>(c.b)), c.expected) << c.name;
}

TEST(BlendFunctions, SoftLightKeepsBothEndsOfTheBase)
{
    for (int b = 0; b < 256; b += 17) {
        EXPECT_EQ(ZAV::SoftLightBlend(0, static_cast<BYTE>(b)), 0) << b;
        EXPECT_EQ(ZAV::SoftLightBlend(255, static_cast<BYTE>(b)), 255) << b;
    }
}

TEST(BlendModes, KeysAreFoundLowerCasedAndTrimmed)
{
    const std::vector<std::pair<std::string, int>> cases = {
        {" NORM ", 0}, {"norm", 0},        {"Diss", 1},  {"dark", 2},  {"mul", 3},    {"idiv", 4},    {"lbrn", 5},
        {"lite", 6},   {"scrn", 7},        {"div", 8},   {"lddg", 9},  {"over", 10},  {"slit", 11},   {"hlit", 12},
        {"vlit", 13},  {"llit", 14},       {"plit", 15}, {"diff", 16}, {"smud", 17},  {"hue", 18},    {"sat", 19},
        {"lum", 20},   {"\tColr\r\n", 21}, {"xyz", -1},  {"", -1},     {"no rm", -1}, {"normal", -1},
    };
    for (const auto& [key, mode] : cases)
        EXPECT_EQ(ZAV::FindPsdBlendMode(key), mode) << "'" << key << "'";
}

TEST(BlendModes, ColorModesMapToTheKernelCodes)
{
    const int cases[][2] = {{18, 1}, {19, 2}, {20, 4}, {21, 3}, {0, 1}, {5, 1}, {22, 1}, {-1, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(ZAV::MapColorBlendMode(c[0]), c[1]) << c[0];
}

TEST(BlendModes, SlotsFollowTheDeclaredOrder)
{
    // Slot order 17, 1..8 (8 also for 9), unused, 10..16.
    const int slotOfMode[] = {-1, 1, 2, 3, 4, 5, 6, 7, 8, 8, 10, 11, 12, 13, 14, 15, 16, 0, -1, -1, -1, -1};
    for (int mode = 0; mode < 22; ++mode)
        EXPECT_EQ(ZAV::BlendTableSlot(mode), slotOfMode[mode]) << mode;
    EXPECT_EQ(ZAV::BlendTableSlot(-1), -1);
    EXPECT_EQ(ZAV::BlendTableSlot(22), -1);
    EXPECT_EQ(ZAV::BlendFunctionOfSlot(0), ZAV::BlendExclusion);
    EXPECT_EQ(ZAV::BlendFunctionOfSlot(9), nullptr);
    EXPECT_EQ(ZAV::BlendFunctionOfSlot(14), ZAV::BlendAverage);
    EXPECT_EQ(ZAV::BlendFunctionOfSlot(17), nullptr);
}

TEST(BlendModes, TableRowsAreTheBaseAndColumnsTheOverlay)
{
    std::vector<BYTE> table(ZAV::kBlendTableBytes);
    ZAV::FillBlendTable(table.data(), ZAV::BlendColorBurn);
    EXPECT_EQ(table[100 * 256 + 200], 57);
    EXPECT_EQ(table[200 * 256 + 100], 115);
    EXPECT_EQ(table[200 * 256 + 0], 0);
    EXPECT_EQ(table[255 * 256 + 255], 255);
}

}  // namespace
