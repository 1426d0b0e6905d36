#include <gtest/gtest.h>

#include <cstring>

#include "image/blend/BlendFunctions.h"
#include "image/object/ZAVImg.h"
#include "support/ThrownText.h"

using namespace ZAV;
using ZAVTest::ThrownText;

namespace {

BYTE* TableOfMode(CZAVImg& image, int mode)
{
    image.m_overlayBlendMode = mode;
    BYTE* table = nullptr;
    image.GetBlendTable(table);
    return table;
}

TEST(ZAVImgBlend, PsdKeysGiveTheirModes)
{
    CZAVImg image;
    image.SetErrorText("old");
    EXPECT_EQ(image.BlendModeFromPsdKey(" NORM "), 0);
    EXPECT_STREQ(image.GetErrorText().GetText(), "");
    EXPECT_EQ(image.BlendModeFromPsdKey("lum"), 20);
    EXPECT_EQ(ThrownText([&] { image.BlendModeFromPsdKey("xyz"); }), "Unsupported PSD blendmode!");
}

TEST(ZAVImgBlend, ModesWithoutATableLeaveItNull)
{
    CZAVImg image;
    for (int mode : {0, 18, 19, 20, 21, 22, -1})
        EXPECT_EQ(TableOfMode(image, mode), nullptr) << mode;
    for (BYTE* table : image.m_blendTables)
        EXPECT_EQ(table, nullptr);
}

TEST(ZAVImgBlend, TablesAreBuiltOnceIntoTheirDeclaredSlots)
{
    CZAVImg image;
    BYTE* multiply = TableOfMode(image, 3);
    ASSERT_NE(multiply, nullptr);
    EXPECT_EQ(multiply[200 * 256 + 100], BlendMultiply(200, 100));
    EXPECT_EQ(TableOfMode(image, 5), image.m_blendTables[5]);
    EXPECT_EQ(TableOfMode(image, 3), multiply);  // back to 3: not rebuilt
    EXPECT_EQ(image.m_blendTables[3], multiply);

    // Exclusion sits first; 8 and 9 share one table; 1 and 14 hold the same
    // function in two tables; slot 9 serves no mode.
    EXPECT_EQ(TableOfMode(image, 17), image.m_blendTables[0]);
    EXPECT_EQ(TableOfMode(image, 8), TableOfMode(image, 9));
    EXPECT_EQ(TableOfMode(image, 8), image.m_blendTables[8]);
    BYTE* average = TableOfMode(image, 1);
    BYTE* secondAverage = TableOfMode(image, 14);
    EXPECT_NE(average, secondAverage);
    EXPECT_EQ(std::memcmp(average, secondAverage, kBlendTableBytes), 0);
    for (int mode = 0; mode < 22; ++mode)
        TableOfMode(image, mode);
    EXPECT_EQ(image.m_blendTables[9], nullptr);
    EXPECT_EQ(image.m_blendTables[12][100 * 256 + 200], BlendHardLight(100, 200));
}

TEST(ZAVImgBlend, BuildReplacesAnOldTable)
{
    CZAVImg image;
    BYTE* table = nullptr;
    image.BuildBlendTable(table, BlendDarken);
    image.BuildBlendTable(table, BlendLighten);
    EXPECT_EQ(table[10 * 256 + 20], 20);
    image.m_blendTables[2] = table;  // the image frees it
}

}  // namespace
