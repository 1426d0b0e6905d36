#include <gtest/gtest.h>

#include <vector>

#include "image/shadow/ImageShadow.h"
#include "image/shadow/ImgShadowImage.h"
#include "support/ThrownText.h"

using namespace ZAV;
using ZAVTest::CImgShadowImage;
using ZAVTest::ShadowCalls;
using ZAVTest::ThrownText;

namespace {

constexpr int kSide = 24;
constexpr COLORREF kObjectColour = 0x3050A0;
constexpr COLORREF kBackground = 0x00FF00;

// A 24-bit object filled with one colour and an 8-bit mask with a square of
// 255 in the middle.
struct Scene {
    ShadowImagePtr object = CImgShadowImage::Make();
    ShadowImagePtr mask = CImgShadowImage::Make();
    Scene(int maskWidth = kSide)
    {
        object->Create(kSide, kSide, 24);
        object->FillRectangle(0, 0, kSide, kSide, kObjectColour);
        mask->Create(maskWidth, kSide, 8);
        mask->FillRectangle(8, 8, 8, 8, 255);
    }
};

std::vector<BYTE> PixelsOf(const ShadowImagePtr& image)
{
    CZAVImg& img = static_cast<CImgShadowImage&>(*image).Image();
    const BYTE* bits = static_cast<const BYTE*>(img.GetImageData());
    return std::vector<BYTE>(bits, bits + img.GetImageSize());
}

class ImageShadow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ShadowCalls() = ZAVTest::ShadowCallCounts();
        SetShadowImageFactory(&CImgShadowImage::Make);
    }
    void TearDown() override { SetShadowImageFactory(nullptr); }

    CShadowSettings settings;
    CLineContour contour{"line", 100};
};

}  // namespace

TEST_F(ImageShadow, MaskOfAnotherSizeFailsBeforeAnyWorkImage)
{
    Scene scene(kSide + 1);
    const int created = ShadowCalls().created;
    EXPECT_EQ("Mask size differs from object size!",
              ThrownText([&] { CImageShadow shadow(scene.object, scene.mask, settings, contour); }));
    EXPECT_EQ(created, ShadowCalls().created);
}

TEST_F(ImageShadow, RendersOnceWhateverIsAskedAfterwards)
{
    Scene scene;
    CImageShadow shadow(scene.object, scene.mask, settings, contour);
    EXPECT_EQ(scene.object, shadow.GetObjectImage());
    EXPECT_FALSE(shadow.IsRendered());
    shadow.GetEffectImage();
    const ZAVTest::ShadowCallCounts afterFirst = ShadowCalls();
    EXPECT_EQ(2, afterFirst.soften);  // mask growth, then the effect's soften
    EXPECT_EQ(1, afterFirst.contour);
    EXPECT_EQ(1, afterFirst.advancedFilter);
    EXPECT_EQ(kAdvancedFilterValue, afterFirst.lastFilterValue);
    shadow.GetEffectImage();
    shadow.GetEffectOverlayImage();
    shadow.GetEffectDoubleOverlayImage();
    const ShadowImagePtr composite = shadow.GetCompositeImage();
    EXPECT_EQ(composite, shadow.GetCompositeImage());
    EXPECT_EQ(afterFirst.soften, ShadowCalls().soften);
    EXPECT_EQ(afterFirst.contour, ShadowCalls().contour);
    EXPECT_EQ(afterFirst.advancedFilter, ShadowCalls().advancedFilter);
}

TEST_F(ImageShadow, ContourEffectOnlyForSizesOneTo254)
{
    for (int size : {0, 1, 254, 255}) {
        ShadowCalls().contour = 0;
        settings.effectSize = size;
        Scene scene;
        CImageShadow shadow(scene.object, scene.mask, settings, contour);
        shadow.GetEffectImage();
        EXPECT_EQ(size >= 1 && size <= 254 ? 1 : 0, ShadowCalls().contour) << size;
    }
}

TEST_F(ImageShadow, WithoutNoiseTwoEffectsBuiltAlikeAreIdentical)
{
    settings.angle = 30;
    settings.distance = 4;
    Scene scene;
    CImageShadow first(scene.object, scene.mask, settings, contour);
    CImageShadow second(scene.object, scene.mask, settings, contour);
    EXPECT_EQ(PixelsOf(first.GetEffectImage()), PixelsOf(second.GetEffectImage()));
    EXPECT_EQ(PixelsOf(first.GetCompositeImage()), PixelsOf(second.GetCompositeImage()));
    settings.noise = 50;  // runs; its values are the C library's to choose
    CImageShadow noisy(scene.object, scene.mask, settings, contour);
    EXPECT_EQ(PixelsOf(first.GetEffectImage()).size(), PixelsOf(noisy.GetEffectImage()).size());
}

TEST_F(ImageShadow, MovedOverlayAndComposites)
{
    settings.distance = 3;  // angle 0: the effect lands 3 pixels to the left
    settings.background = kBackground;
    Scene scene;
    CImageShadow shadow(scene.object, scene.mask, settings, contour);
    CZAVImg& effect = static_cast<CImgShadowImage&>(*shadow.GetEffectImage()).Image();
    CZAVImg& moved = static_cast<CImgShadowImage&>(*shadow.GetEffectOverlayImage()).Image();
    for (int y = 0; y < kSide; ++y)
        for (int x = 3; x < kSide; ++x)
            ASSERT_EQ(effect.GetPixel24(x, y), moved.GetPixel24(x - 3, y)) << x << "," << y;
    CZAVImg& composite = static_cast<CImgShadowImage&>(*shadow.GetCompositeImage()).Image();
    EXPECT_EQ(kObjectColour, composite.GetPixel24(12, 12));  // the object lies over its effect
    CZAVImg& reversed = static_cast<CImgShadowImage&>(*shadow.GetCompositeImageReversed()).Image();
    EXPECT_EQ(moved.GetPixel24(12, 12), reversed.GetPixel24(12, 12));  // the effect lies over the object
}
