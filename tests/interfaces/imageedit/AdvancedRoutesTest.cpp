// The operations that run through the advanced image-processing library when
// the image asks for it, over the stand-in library: the entry points each
// calls in order, the depth it converts to first, the object it makes and
// lets go on every path, and the image it leaves.
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"
#include "tests/interfaces/advanced/FakeKorvex55Control.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "support/ThrownText.h"
#include "FacetTestImages.h"
#include "ImageEditTestPixels.h"

namespace {

using namespace ZAV;
using ZAVTest::Bilevel;
using ZAVTest::CFakeKorvex55;
using ZAVTest::kNothingThrown;
using ZAVTest::PixelsOf;
using ZAVTest::Rgb24;
using ZAVTest::ThrownText;

using Names = std::vector<std::string>;

const char kCreate[] = "CreateCZAVAdvancedImgProc";
const char kFree[] = "FreeCZAVAdvancedImgProc";
const char kAttach[] = "AttachNoFree";

CZAVPtr<IZAVImageEditSp> Picture(zavBitsPerPixel depth)
{
    if (depth == zavbpp1)
        return Bilevel(16, 3);
    CZAVPtr<IZAVImageEditSp> edit = Rgb24(4, 3);
    if (depth != zavbpp24)
        edit->GetColor()->ConvertBitDepth(depth, 0, 0);
    return edit;
}

CZAVPtr<IZAVImageEditSp> AdvancedPicture(zavBitsPerPixel depth)
{
    CZAVPtr<IZAVImageEditSp> edit = Picture(depth);
    edit->SetUseAdvancedImgProc(1);
    return edit;
}

Names NamesOf(const std::vector<std::string>& lines)
{
    Names names;
    for (const std::string& line : lines)
        names.push_back(line.substr(0, line.find('(')));
    return names;
}

// The last argument of a recorded call: the depth of an AttachNoFree.
std::string LastArgument(const std::string& line)
{
    const size_t comma = line.rfind(", ");
    return line.substr(comma + 2, line.size() - comma - 3);
}

// A route over a fresh object: made, the image lent, then the calls of the
// form, then the object freed.
Names InPlace(const char* entryPoint)
{
    return {kCreate, kAttach, entryPoint, kFree};
}

// A new-destination route: the object on this image, the destination
// re-created and lent again, an object on the copy of the source, the call,
// both freed.
Names NewDestination(const char* entryPoint)
{
    return {kCreate, kAttach, kAttach, kCreate, kAttach, entryPoint, kFree, kFree};
}

const struct RouteCase {
    const char* name;
    zavBitsPerPixel depth;
    std::function<void(IZAVImageEditSp&)> run;
    const char* entryPoint;
    Names calls;
    // The image the fake leaves: size and depth.
    int width, height;
    zavBitsPerPixel result;
    // What the image's own operation says without the flag.
    const char* ownPathText = kNothingThrown;
} kRoutes[] = {
    {"Resize", zavbpp24, [](IZAVImageEditSp& e) { e.GetImageProcessing()->Resize(8, 6, 1); }, "Resize",
     NewDestination("Resize"), 8, 6, zavbpp24},
    {"Rotate",
     zavbpp24,
     [](IZAVImageEditSp& e) { e.GetImageProcessing()->Rotate(30.0); },
     "Rotate",
     {kCreate, kAttach, kCreate, kAttach, "RotateBox", kAttach, "Fill", "Rotate", kFree, kFree},
     4,
     3,
     zavbpp24},
    {"FlipHorizontal", zavbpp24, [](IZAVImageEditSp& e) { e.GetImageProcessing()->FlipHorizontal(); },
     "MirrorHorizontal", InPlace("MirrorHorizontal"), 4, 3, zavbpp24},
    {"FlipVertical", zavbpp24, [](IZAVImageEditSp& e) { e.GetImageProcessing()->FlipVertical(); }, "MirrorVertical",
     InPlace("MirrorVertical"), 4, 3, zavbpp24},
    {"InvertImage", zavbpp24, [](IZAVImageEditSp& e) { e.GetImageProcessing()->InvertImage(); }, "Invert",
     InPlace("Invert"), 4, 3, zavbpp24},
    {"ConvertBitDepth 1", zavbpp24, [](IZAVImageEditSp& e) { e.GetColor()->ConvertBitDepth(1, 0, 0); }, "ConvertTo1Bit",
     NewDestination("ConvertTo1Bit"), 4, 3, zavbpp1},
    {"ConvertBitDepth 9", zavbpp24, [](IZAVImageEditSp& e) { e.GetColor()->ConvertBitDepth(9, 0, 0); }, "Grayscale8Bit",
     NewDestination("Grayscale8Bit"), 4, 3, zavbpp8, "Invalid destination Bitdepth"},
    {"ConvertToGray8", zavbpp24, [](IZAVImageEditSp& e) { e.GetColor()->ConvertToGray8(); }, "Grayscale8Bit",
     NewDestination("Grayscale8Bit"), 4, 3, zavbpp8},
    {"BlurBilevelToGray", zavbpp1, [](IZAVImageEditSp& e) { e.GetColor()->BlurBilevelToGray(); }, "ScaleToGray",
     NewDestination("ScaleToGray"), 16, 3, zavbpp8},
};

TEST(AdvancedRoutes, EachRouteCallsItsEntryPointsAndLeavesTheFakesPicture)
{
    CFakeKorvex55 fake;
    for (const auto& route : kRoutes) {
        SCOPED_TRACE(route.name);
        CZAVPtr<IZAVImageEditSp> edit = AdvancedPicture(route.depth);
        fake.Reset();
        fake.SetFill(route.entryPoint, 0x5A);
        route.run(*edit.Get());
        EXPECT_EQ(NamesOf(fake.CallLines()), route.calls);
        EXPECT_EQ(fake.LiveHandles(), 0);
        EXPECT_EQ(edit->GetWidth(), route.width);
        EXPECT_EQ(edit->GetHeight(), route.height);
        EXPECT_EQ(edit->GetBitsPerPixel(), route.result);
        EXPECT_EQ(PixelsOf(*edit.Get()), std::vector<unsigned char>(size_t(edit->GetImageSize()), 0x5A));
    }
}

TEST(AdvancedRoutes, AFailingRouteRaisesTheLibrarysTextAndLetsItsObjectGo)
{
    CFakeKorvex55 fake;
    for (const auto& route : kRoutes) {
        SCOPED_TRACE(route.name);
        CZAVPtr<IZAVImageEditSp> edit = AdvancedPicture(route.depth);
        fake.Reset();
        fake.SetStatus(route.entryPoint, 5, "The stand-in refused.");
        EXPECT_EQ(ThrownText([&] { route.run(*edit.Get()); }), "The stand-in refused.");
        EXPECT_EQ(fake.LiveHandles(), 0);
        EXPECT_EQ(NamesOf(fake.CallLines()).back(), kFree);
    }
}

// The depths of the pictures lent to the route's own object, in order.
std::vector<std::string> DepthsLentToFirstObject(CFakeKorvex55& fake)
{
    const std::vector<std::string> attached = fake.CallsOf({kAttach});
    std::vector<std::string> depths;
    if (attached.empty())
        return depths;
    const std::string handle = attached.front().substr(0, attached.front().find(','));
    for (const std::string& line : attached)
        if (line.compare(0, handle.size() + 1, handle + ",") == 0)
            depths.push_back(LastArgument(line));
    return depths;
}

TEST(AdvancedRoutes, DepthsAreConvertedAndTheConvertedImageLentAgain)
{
    const struct {
        const char* name;
        zavBitsPerPixel depth;
        std::function<void(IZAVImageEditSp&)> run;
        // As made, after the conversion, as the destination.
        std::vector<std::string> lentDepths;
    } cases[] = {
        {"Resize 1 bit to grey",
         zavbpp1,
         [](IZAVImageEditSp& e) { e.GetImageProcessing()->Resize(8, 2, 0); },
         {"1", "8", "8"}},
        {"Resize 32 bits to 24",
         zavbpp32,
         [](IZAVImageEditSp& e) { e.GetImageProcessing()->Resize(8, 2, 0); },
         {"32", "24", "24"}},
        {"Rotate keeps 1 bit", zavbpp1, [](IZAVImageEditSp& e) { e.GetImageProcessing()->Rotate(90.0); }, {"1", "1"}},
        {"Rotate 32 bits to 24",
         zavbpp32,
         [](IZAVImageEditSp& e) { e.GetImageProcessing()->Rotate(90.0); },
         {"32", "24", "24"}},
    };
    CFakeKorvex55 fake;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZAVPtr<IZAVImageEditSp> edit = AdvancedPicture(c.depth);
        fake.Reset();
        c.run(*edit.Get());
        EXPECT_EQ(DepthsLentToFirstObject(fake), c.lentDepths);
    }
}

TEST(AdvancedRoutes, WithoutTheLibraryNothingChanges)
{
    ZAVTest::TempDir emptyFolder;
    CAipDynDll::SetLibraryFolderForTests(emptyFolder.Path());
    for (const auto& route : kRoutes) {
        SCOPED_TRACE(route.name);
        CZAVPtr<IZAVImageEditSp> edit = AdvancedPicture(route.depth == zavbpp24 ? zavbpp32 : route.depth);
        const zavBitsPerPixel depth = edit->GetBitsPerPixel();
        const std::vector<unsigned char> before = PixelsOf(*edit.Get());
        EXPECT_EQ(ThrownText([&] { route.run(*edit.Get()); }), "Can't load dll 'KORVEX55.DLL'");
        EXPECT_EQ(edit->GetBitsPerPixel(), depth);
        EXPECT_EQ(PixelsOf(*edit.Get()), before);
    }
    CAipDynDll::SetLibraryFolderForTests("");
}

TEST(AdvancedRoutes, ConvertBitDepthToOtherDepthsStaysWithTheImage)
{
    CFakeKorvex55 fake;
    CZAVPtr<IZAVImageEditSp> edit = AdvancedPicture(zavbpp24);
    fake.Reset();
    edit->GetColor()->ConvertBitDepth(32, 0, 0);
    EXPECT_EQ(edit->GetBitsPerPixel(), zavbpp32);
    EXPECT_EQ(fake.Calls(), "");
}

TEST(AdvancedRoutes, WithoutTheFlagTheImageWorksItself)
{
    CFakeKorvex55 fake;
    for (const auto& route : kRoutes) {
        SCOPED_TRACE(route.name);
        CZAVPtr<IZAVImageEditSp> edit = Picture(route.depth);
        const std::vector<unsigned char> before = PixelsOf(*edit.Get());
        fake.Reset();
        EXPECT_EQ(ThrownText([&] { route.run(*edit.Get()); }), route.ownPathText);
        EXPECT_EQ(fake.Calls(), "");
        EXPECT_EQ(PixelsOf(*edit.Get()) != before, route.ownPathText == std::string(kNothingThrown));
    }
}

}  // namespace
