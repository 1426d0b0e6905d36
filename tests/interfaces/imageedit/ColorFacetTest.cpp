// The Color facet's operations the page writer uses.
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"

#include <gtest/gtest.h>

namespace {

using namespace ZAV;

TEST(ColorFacet, MinIsBlackAndMinIsWhiteKeepTheLook)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->Create(16, 2, zavbpp1);
    edit->GetPalette()->CreateWhiteBlack();
    auto* pixels = static_cast<unsigned char*>(edit->GetImageData());
    pixels[0] = 0x0F;
    edit->GetColor()->SetMinIsBlack();
    EXPECT_FALSE(edit->GetPalette()->IsInverted());
    EXPECT_EQ(static_cast<unsigned char*>(edit->GetImageData())[0], 0xF0);
    edit->GetColor()->SetMinIsWhite();
    EXPECT_TRUE(edit->GetPalette()->IsInverted());
    EXPECT_EQ(static_cast<unsigned char*>(edit->GetImageData())[0], 0x0F);
}

TEST(ColorFacet, ConvertToAllowedBitDepth)
{
    const struct {
        zavBitsPerPixel from;
        std::vector<int32_t> allowed;
        zavBitsPerPixel expected;
    } cases[] = {
        {zavbpp24, {1, 8, 24}, zavbpp24},
        {zavbpp24, {8}, zavbpp8},
        {zavbpp32, {24}, zavbpp24},
        {zavbpp8, {1}, zavbpp1},
    };
    for (const auto& c : cases) {
        CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
        edit->Create(8, 8, c.from);
        CZAVInt32Array depths(c.allowed);
        edit->GetColor()->ConvertToAllowedBitDepth(depths);
        EXPECT_EQ(edit->GetBitsPerPixel(), c.expected) << c.from;
    }
}

}  // namespace
