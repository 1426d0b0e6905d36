// The facets over image-edit objects and our KORVEX55 library built beside
// the program: a form whose source is the owner's own image gives the
// pixels the same form gives from a copy of it, and an overlay of two
// opaque colour pictures is the first.
#include <cstring>
#include <fstream>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "image/object/ZAVImg.h"
#include "interfaces/advanced/AdvancedSeams.h"
#include "interfaces/advanced/ZAVAdvancedImgProcSp.h"
#include "interfaces/advanced/binding/AipDynDll.h"
#include "tests/interfaces/advanced/RealKorvexFixture.h"
#include "interfaces/advanced/facets/ZAVAIPArithmetic.h"
#include "interfaces/advanced/facets/ZAVAIPColorConversion.h"
#include "interfaces/advanced/facets/ZAVAIPFilter.h"
#include "interfaces/advanced/facets/ZAVAIPImageProcessing.h"
#include "interfaces/advanced/facets/ZAVAIPTransformation.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"
#include "platform/GlobalMem.h"
#include "support/ThrownText.h"
#include "tests/interfaces/imageedit/ImageEditTestPixels.h"

namespace ZAVTest {
namespace {

using namespace ZAV;

// A 24-bit picture whose pixel (x, y) is R = 40 x + 3, G = 50 y + 7,
// B = 11 (x + y), so every pixel differs from its neighbours.
CZAVPtr<IZAVImageEditSp> MakePattern(int width, int height, int seed = 0)
{
    CZAVPtr<IZAVImageEditSp> image = CreateImageEditSp();
    image->Create(width, height, zavbpp24);
    HGLOBAL block = image->GetImageData();
    auto* pixels = static_cast<uint8_t*>(GlobalLock(block));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = pixels + (y * width + x) * 3;
            pixel[0] = static_cast<uint8_t>(40 * x + 3 + seed);
            pixel[1] = static_cast<uint8_t>(50 * y + 7);
            pixel[2] = static_cast<uint8_t>(11 * (x + y) + seed);
        }
    GlobalUnlock(block);
    return image;
}

class RealLibraryFacets : public RealKorvexFixture {};

struct OwnSourceForm {
    const char* name;
    std::function<void(IZAVAdvancedImgProcSp&, IZAVImageEditSp*)> call;
};

const OwnSourceForm kOwnSourceForms[] = {
    {"Grayscale8Bit", [](auto& o, IZAVImageEditSp* s) { o.GetColorConversion()->Grayscale8Bit(s); }},
    {"Crop", [](auto& o, IZAVImageEditSp* s) { o.GetImageProcessing()->Crop(s, 1, 1, 3, 2); }},
    {"Filter", [](auto& o, IZAVImageEditSp* s) { o.GetFilter()->Filter(0, s); }},
};

TEST_F(RealLibraryFacets, TheOwnImageAsSourceGivesWhatACopyOfItGives)
{
    for (const OwnSourceForm& form : kOwnSourceForms) {
        SCOPED_TRACE(form.name);
        CZAVPtr<IZAVImageEditSp> own = MakePattern(5, 4);
        CZAVPtr<IZAVImageEditSp> other = MakePattern(5, 4);
        CZAVPtr<IZAVImageEditSp> copy = MakePattern(5, 4);
        {
            CZAVPtr<IZAVAdvancedImgProcSp> ownObject = CreateAdvancedImgProcSpForImage(own.Get());
            CZAVPtr<IZAVAdvancedImgProcSp> otherObject = CreateAdvancedImgProcSpForImage(other.Get());
            ASSERT_EQ("(nothing thrown)", ThrownText([&] { form.call(*ownObject.Get(), own.Get()); }));
            ASSERT_EQ("(nothing thrown)", ThrownText([&] { form.call(*otherObject.Get(), copy.Get()); }));
        }
        EXPECT_EQ(other->GetWidth(), own->GetWidth());
        EXPECT_EQ(other->GetHeight(), own->GetHeight());
        EXPECT_EQ(other->GetBitsPerPixel(), own->GetBitsPerPixel());
        EXPECT_EQ(PixelsOf(*other.Get()), PixelsOf(*own.Get()));
    }
}

TEST_F(RealLibraryFacets, CropOfTheOwnImageCropsThePicture)
{
    CZAVPtr<IZAVImageEditSp> own = MakePattern(5, 4);
    {
        CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(own.Get());
        object->GetImageProcessing()->Crop(own.Get(), 1, 1, 3, 2);
    }
    ASSERT_EQ(3, own->GetWidth());
    ASSERT_EQ(2, own->GetHeight());
    const std::vector<uint8_t> pixels = PixelsOf(*own.Get());
    // (0, 0) of the crop is (1, 1) of the pattern, (2, 1) is (3, 2).
    EXPECT_EQ((std::vector<uint8_t>{43, 57, 22}), std::vector<uint8_t>(pixels.begin(), pixels.begin() + 3));
    EXPECT_EQ((std::vector<uint8_t>{123, 107, 55}), std::vector<uint8_t>(pixels.end() - 3, pixels.end()));
}

TEST_F(RealLibraryFacets, Grayscale8BitOfTheOwnImageGivesItsGreyWithTheGreyPalette)
{
    CZAVPtr<IZAVImageEditSp> own = MakePattern(2, 1);
    {
        CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(own.Get());
        object->GetColorConversion()->Grayscale8Bit(own.Get());
    }
    ASSERT_EQ(zavbpp8, own->GetBitsPerPixel());
    EXPECT_TRUE(own->GetPalette()->IsGrayScale());
    // (299 R + 587 G + 114 B + 500) / 1000 of (3, 7, 0) and (43, 7, 11).
    EXPECT_EQ((std::vector<uint8_t>{5, 18}), PixelsOf(*own.Get()));
}

TEST_F(RealLibraryFacets, AnOverlayOfTwoOpaqueColourPicturesIsTheFirst)
{
    CZAVPtr<IZAVImageEditSp> owner = MakePattern(3, 2, 1);
    CZAVPtr<IZAVImageEditSp> first = MakePattern(3, 2, 5);
    CZAVPtr<IZAVImageEditSp> second = MakePattern(3, 2, 9);
    {
        CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
        object->GetImageProcessing()->AlphaOverlay(first.Get(), second.Get(), 0);
    }
    EXPECT_EQ(zavbpp24, owner->GetBitsPerPixel());
    EXPECT_EQ(zavbpp24, first->GetBitsPerPixel());
    EXPECT_EQ(PixelsOf(*first.Get()), PixelsOf(*owner.Get()));
}

// A 1-bit owner becomes 8-bit grey before the sum, the 24-bit operand is
// brought to the owner's depth (the owner is not made colour), and the
// library then works on the owner's new block, not on the freed one.
TEST_F(RealLibraryFacets, AddConvertsTheOperandToTheOwnersNewDepthAndLendsTheNewBlock)
{
    CZAVPtr<IZAVImageEditSp> owner = CreateImageEditSp();
    owner->Create(4, 2, zavbpp1);
    owner->GetPalette()->CreateBlackWhite();
    CZAVPtr<IZAVImageEditSp> operand = MakePattern(4, 2);
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
    ASSERT_EQ("(nothing thrown)", ThrownText([&] { object->GetArithmetic()->Add(operand.Get()); }));
    EXPECT_EQ(zavbpp8, owner->GetBitsPerPixel());
    EXPECT_EQ(zavbpp8, operand->GetBitsPerPixel());
    EXPECT_EQ(object->GetImageMemory(), static_cast<void*>(owner->GetImageData()));
    EXPECT_EQ(8, object->GetBitsPerPixel());
    // Black (0) plus the operand's grey is the operand's grey.
    EXPECT_EQ(PixelsOf(*operand.Get()), PixelsOf(*owner.Get()));
}

TEST_F(RealLibraryFacets, AShearNoImageCanHoldIsRefusedWithAText)
{
    CZAVPtr<IZAVImageEditSp> owner = MakePattern(4, 4);
    CZAVPtr<IZAVImageEditSp> source = MakePattern(8, 8);
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
    const std::string text = ThrownText([&] { object->GetTransformation()->Shear(source.Get(), 1e9, 0.0, 0); });
    // The library's box query already refuses it; the facet's own ceiling
    // stands behind it for any box the library gives.
    EXPECT_EQ("ShearBox: the box exceeds the limit of 536870912 pixels!", text);
    EXPECT_EQ(4, owner->GetWidth());
}

// The image library's reduction of 16-bit samples through the seam: 12
// significant bits brought to the top, then each sample's high byte.
TEST_F(RealLibraryFacets, The16BitReductionRunsThroughTheLibrary)
{
    RegisterAdvancedImgProcSeams();
    CZAVImg image;
    ASSERT_EQ(1, image.Create(4, 1, 16));
    const uint16_t samples[] = {0, 0x0FFF, 0x0800, 0x0123};
    std::memcpy(image.GetImageData(), samples, sizeof(samples));
    image.ScaleHdr(12);
    ASSERT_EQ(8, image.GetBitsPerPixel());
    const auto* pixels = static_cast<const uint8_t*>(image.GetImageData());
    EXPECT_EQ((std::vector<uint8_t>{0x00, 0xFF, 0x80, 0x12}), std::vector<uint8_t>(pixels, pixels + 4));
}

}  // namespace
}  // namespace ZAVTest
