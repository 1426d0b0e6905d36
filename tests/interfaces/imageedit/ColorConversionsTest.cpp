// The Color facet's depth and colour conversions.
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/ThrownText.h"
#include "FacetTestImages.h"
#include "ImageEditTestPixels.h"

namespace {

using namespace ZAV;
using namespace ZAVTest;

TEST(ColorConversions, ConvertBitDepth)
{
    const struct {
        zavBitsPerPixel from;
        int to;
        zavBitsPerPixel expected;
        const char* text;
    } cases[] = {
        {zavbpp24, 8, zavbpp8, kNothingThrown},
        {zavbpp24, 1, zavbpp1, kNothingThrown},
        {zavbpp24, 32, zavbpp32, kNothingThrown},
        {zavbpp8, 24, zavbpp24, kNothingThrown},
        {zavbpp24, 7, zavbpp24, "Invalid destination Bitdepth"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.to);
        CZAVPtr<IZAVImageEditSp> edit = c.from == zavbpp24 ? Rgb24(4, 4) : Gray8(4, 4, [](int x, int) { return x; });
        EXPECT_EQ(ThrownText([&] { edit->GetColor()->ConvertBitDepth(c.to, 0, 0); }), c.text);
        EXPECT_EQ(edit->GetBitsPerPixel(), c.expected);
    }
}

TEST(ColorConversions, GrayConversions)
{
    CZAVPtr<IZAVImageEditSp> edit = Rgb24(3, 2);
    edit->GetColor()->ConvertToGray();
    EXPECT_EQ(edit->GetBitsPerPixel(), zavbpp24);
    const Rgb first = PixelAt(*edit.Get(), 1, 1);
    EXPECT_TRUE(first.r == first.g && first.g == first.b);

    CZAVPtr<IZAVImageEditSp> eight = Rgb24(3, 2);
    eight->GetColor()->ConvertToGray8();
    EXPECT_EQ(eight->GetBitsPerPixel(), zavbpp8);
    EXPECT_TRUE(eight->GetPalette()->IsGrayScale());
    EXPECT_EQ(ByteAt(*eight.Get(), 1, 1), first.r);
}

TEST(ColorConversions, BlurBilevelToGrayOnlyForOneBit)
{
    CZAVPtr<IZAVImageEditSp> bilevel = Bilevel(16, 4);
    bilevel->GetColor()->BlurBilevelToGray();
    EXPECT_EQ(bilevel->GetBitsPerPixel(), zavbpp8);
    EXPECT_EQ(bilevel->GetWidth(), 16);

    CZAVPtr<IZAVImageEditSp> colour = Rgb24(2, 2);
    EXPECT_EQ(ThrownText([&] { colour->GetColor()->BlurBilevelToGray(); }), "Requires 1bpp Images!");
}

TEST(ColorConversions, ReplaceColorAndBlackWhite)
{
    CZAVPtr<IZAVImageEditSp> edit = Rgb24(2, 1);  // (1, 2, 0) and (17, 2, 1)
    edit->GetColor()->ReplaceColor(RGB(1, 2, 0), RGB(200, 100, 50), 0, 1, RGB(9, 9, 9));
    EXPECT_EQ(PixelsOf(*edit.Get()), (std::vector<unsigned char>{200, 100, 50, 9, 9, 9}));

    CZAVPtr<IZAVImageEditSp> gray = Gray8(2, 2, [](int, int) { return 3; });
    EXPECT_EQ(ThrownText([&] { gray->GetColor()->ReplaceColor(0, 0, 0, 0, 0); }), "Requires 24bpp Images!");

    CZAVPtr<IZAVImageEditSp> blackWhite = Rgb24(4, 4);
    blackWhite->GetColor()->ConvertToBlackWhite();
    EXPECT_EQ(blackWhite->GetBitsPerPixel(), zavbpp24);
    for (unsigned char value : PixelsOf(*blackWhite.Get()))
        EXPECT_TRUE(value == 0 || value == 255);
}

TEST(ColorConversions, AdjustHsvWithNoChangeKeepsThePixels)
{
    CZAVPtr<IZAVImageEditSp> edit = Gray8(3, 3, [](int x, int y) { return x * 40 + y; });
    edit->GetColor()->ConvertBitDepth(24, 0, 0);
    const std::vector<unsigned char> before = PixelsOf(*edit.Get());
    edit->GetColor()->AdjustHsv(0, 0, 0);
    EXPECT_EQ(PixelsOf(*edit.Get()), before);
}

TEST(ColorConversions, AdjustColorsLayers)
{
    std::vector<int32_t> identity(256);
    for (int i = 0; i < 256; ++i)
        identity[static_cast<size_t>(i)] = i;
    const CArraySimple<int32_t, 2> curve(identity);
    const CArraySimple<int32_t, 2> none;
    const CArraySimple<int32_t, 2> shortCurve(std::vector<int32_t>(255, 0));

    // One black ink layer over the grey value: white stays white, black
    // stays black, and the caller's curve is left as it was.
    CZAVPtr<IZAVImageEditSp> edit = Gray8(2, 1, [](int x, int) { return x ? 255 : 0; });
    edit->GetColor()->ConvertBitDepth(24, 0, 0);
    edit->GetColor()->AdjustColors(curve, RGB(0, 0, 0), none, 0, none, 0, none, 0);
    EXPECT_EQ(PixelsOf(*edit.Get()), (std::vector<unsigned char>{255, 255, 255, 0, 0, 0}));
    EXPECT_EQ(std::vector<int32_t>(curve.GetData(), curve.GetData() + 256), identity);

    const std::vector<unsigned char> before = PixelsOf(*edit.Get());
    EXPECT_EQ(ThrownText([&] { edit->GetColor()->AdjustColors(curve, 0, shortCurve, 0, none, 0, none, 0); }),
              "Invalid layer size! 256 entries expected.");
    EXPECT_EQ(PixelsOf(*edit.Get()), before);

    CZAVPtr<IZAVImageEditSp> gray = Gray8(2, 2, [](int, int) { return 3; });
    EXPECT_EQ(ThrownText([&] { gray->GetColor()->AdjustColors(curve, 0, none, 0, none, 0, none, 0); }),
              "Requires 24bpp Image!");
}

}  // namespace
