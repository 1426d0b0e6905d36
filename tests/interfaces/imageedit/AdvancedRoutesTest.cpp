// The operations that run through the advanced image-processing library
// when the image asks for it, and only then.
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "support/ThrownText.h"
#include "FacetTestImages.h"
#include "ImageEditTestPixels.h"

namespace {

using namespace ZAV;
using ZAVTest::Bilevel;
using ZAVTest::PixelsOf;
using ZAVTest::Rgb24;
using ZAVTest::ThrownText;

const struct RouteCase {
    const char* name;
    bool bilevel;
    std::function<void(IZAVImageEditSp&)> run;
} kRoutes[] = {
    {"Resize", false, [](IZAVImageEditSp& e) { e.GetImageProcessing()->Resize(8, 6, 1); }},
    {"Rotate", false, [](IZAVImageEditSp& e) { e.GetImageProcessing()->Rotate(90.0); }},
    {"FlipHorizontal", false, [](IZAVImageEditSp& e) { e.GetImageProcessing()->FlipHorizontal(); }},
    {"FlipVertical", false, [](IZAVImageEditSp& e) { e.GetImageProcessing()->FlipVertical(); }},
    {"InvertImage", false, [](IZAVImageEditSp& e) { e.GetImageProcessing()->InvertImage(); }},
    {"ConvertBitDepth", false, [](IZAVImageEditSp& e) { e.GetColor()->ConvertBitDepth(8, 0, 0); }},
    {"ConvertToGray8", false, [](IZAVImageEditSp& e) { e.GetColor()->ConvertToGray8(); }},
    {"BlurBilevelToGray", true, [](IZAVImageEditSp& e) { e.GetColor()->BlurBilevelToGray(); }},
};

CZAVPtr<IZAVImageEditSp> PictureFor(const RouteCase& route)
{
    return route.bilevel ? Bilevel(16, 3) : Rgb24(4, 3);
}

TEST(AdvancedRoutes, WithoutTheLibraryTheFlagRefusesAndLeavesTheImage)
{
    for (const auto& route : kRoutes) {
        SCOPED_TRACE(route.name);
        CZAVPtr<IZAVImageEditSp> edit = PictureFor(route);
        const std::vector<unsigned char> before = PixelsOf(*edit.Get());
        const zavBitsPerPixel depth = edit->GetBitsPerPixel();
        edit->SetUseAdvancedImgProc(1);
        EXPECT_EQ(ThrownText([&] { route.run(*edit.Get()); }),
                  "The advanced image-processing library is not available!");
        EXPECT_EQ(edit->GetBitsPerPixel(), depth);
        EXPECT_EQ(PixelsOf(*edit.Get()), before);
    }
}

TEST(AdvancedRoutes, WithoutTheFlagTheImageWorksItself)
{
    for (const auto& route : kRoutes) {
        SCOPED_TRACE(route.name);
        CZAVPtr<IZAVImageEditSp> edit = PictureFor(route);
        const std::vector<unsigned char> before = PixelsOf(*edit.Get());
        route.run(*edit.Get());
        EXPECT_NE(PixelsOf(*edit.Get()), before);
    }
}

}  // namespace
