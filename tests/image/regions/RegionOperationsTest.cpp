#include <gtest/gtest.h>

#include <vector>

#include "image/object/ZAVImg.h"
#include "image/support/ImageTestSupport.h"
#include "support/ThrownText.h"

using namespace ZAV;
using ZAVTest::ThrownText;

namespace {

std::vector<BYTE> Pixels(const CZAVImg& image)
{
    const BYTE* bits = static_cast<const BYTE*>(image.GetImageData());
    return std::vector<BYTE>(bits, bits + image.GetImageSize());
}

// An 8-bit 6 x 5 image of value 100 with one pixel of 104 at (2, 2).
void MakeDotted(CZAVImg& image)
{
    ASSERT_EQ(1, image.Create(6, 5, 8));
    BYTE* bits = static_cast<BYTE*>(image.GetImageData());
    for (int i = 0; i < image.GetImageSize(); ++i)
        bits[i] = 100;
    bits[2 * 6 + 2] = 104;
}

}  // namespace

TEST(RegionOperations, SmallDotRemovalRepaintsTheLoneDotOfAnyEightBitImage)
{
    CZAVImg image;
    MakeDotted(image);  // no gray palette is needed
    image.Despeckle(10, 1);
    EXPECT_EQ(std::vector<BYTE>(30, 100), Pixels(image));
}

TEST(RegionOperations, SmallDotRemovalFailuresKeepThePixels)
{
    ZAVTest::CRecordingSink sink(1);
    CZAVImg image(&sink);
    MakeDotted(image);
    const std::vector<BYTE> before = Pixels(image);
    EXPECT_EQ("Operation canceled!", ThrownText([&] { image.Despeckle(10, 1); }));
    EXPECT_EQ(before, Pixels(image));
    EXPECT_EQ("Invalid speckle size!", ThrownText([&] { image.Despeckle(10, 0); }));
    EXPECT_EQ(before, Pixels(image));
}

TEST(RegionOperations, DepthTexts)
{
    const struct {
        int depth;
        const char* dotRemoval;
        const char* label;
    } cases[] = {
        {1, "Requires 8bpp grayscale or 24bpp Image!", "Requires 8bpp grayscale Image!"},
        {16, "Unsupported color format!", "Unsupported color format!"},
        {24, nullptr, "Unsupported color format!"},
        {32, "Unsupported color format!", "Unsupported color format!"},
    };
    for (const auto& c : cases) {
        CZAVImg image;
        ASSERT_EQ(1, image.Create(4, 4, c.depth));
        if (c.dotRemoval) {
            EXPECT_EQ(c.dotRemoval, ThrownText([&] { image.Despeckle(10, 1); })) << c.depth;
        }
        CRegionList regions(3);
        EXPECT_EQ(c.label, ThrownText([&] { image.LabelConnectedComponents(0, regions); })) << c.depth;
        EXPECT_TRUE(regions.empty()) << c.depth;
    }
}

TEST(RegionOperations, LabelConnectedComponentsListsEveryRegion)
{
    CZAVImg image;
    MakeDotted(image);
    CRegionList regions;
    image.LabelConnectedComponents(0, regions);
    ASSERT_EQ(2u, regions.size());
    for (const CRegionRecord& r : regions) {
        const bool dot = r.value == 104;
        EXPECT_EQ(dot ? 1 : 29, r.pixelCount);
        EXPECT_EQ(dot ? 2 : 0, r.left);
        EXPECT_EQ(dot ? 2 : 5, r.right);
        EXPECT_EQ(dot ? 2 : 0, r.top);
        EXPECT_EQ(dot ? 2 : 4, r.bottom);
    }
}
