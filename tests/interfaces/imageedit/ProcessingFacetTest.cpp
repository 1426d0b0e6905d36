// The Image-processing facet: the operations it builds itself (resampling to
// a resolution, canvas, mirrored tile, transparency, lookup-table check,
// rectangle copies) and the main path of the ones it hands to the image.
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/GlobalMem.h"
#include "support/ThrownText.h"
#include "FacetTestImages.h"
#include "ImageEditTestPixels.h"

namespace {

using namespace ZAV;
using namespace ZAVTest;

TEST(ProcessingFacet, ResampleToResolution)
{
    const struct {
        const char* name;
        int width, height, xDpi, yDpi;
        int newX, newY;
        int expectedWidth, expectedHeight;
        const char* text;
    } cases[] = {
        {"same resolution", 100, 50, 96, 96, 96, 96, 100, 50, kNothingThrown},
        {"half both", 100, 50, 96, 96, 48, 48, 50, 25, kNothingThrown},
        {"half x only", 100, 50, 96, 96, 48, 96, 50, 50, kNothingThrown},
        {"odd sizes truncate", 9, 7, 200, 200, 100, 100, 4, 3, kNothingThrown},
        {"double", 10, 5, 72, 72, 144, 144, 20, 10, kNothingThrown},
        {"current x below 2", 10, 5, 1, 96, 48, 48, 10, 5, "No valid DPI values available!"},
        {"current y below 2", 10, 5, 96, 1, 48, 48, 10, 5, "No valid DPI values available!"},
        {"new x below 2", 10, 5, 96, 96, 1, 48, 10, 5, "Invalid destination DPI values!"},
        {"new y below 2", 10, 5, 96, 96, 48, -3, 10, 5, "Invalid destination DPI values!"},
        {"too small", 3, 3, 300, 300, 2, 2, 3, 3, "Destination size too small"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZAVPtr<IZAVImageEditSp> edit = Rgb24(c.width, c.height);
        edit->SetXResolution(c.xDpi);
        edit->SetYResolution(c.yDpi);
        const std::vector<unsigned char> before = PixelsOf(*edit.Get());
        EXPECT_EQ(ThrownText([&] { edit->GetImageProcessing()->ResampleToResolution(c.newX, c.newY); }), c.text);
        EXPECT_EQ(edit->GetWidth(), c.expectedWidth);
        EXPECT_EQ(edit->GetHeight(), c.expectedHeight);
        const bool changed = c.text == std::string(kNothingThrown) && (c.newX != c.xDpi || c.newY != c.yDpi);
        EXPECT_EQ(edit->GetXResolution(), changed ? c.newX : c.xDpi);
        EXPECT_EQ(edit->GetYResolution(), changed ? c.newY : c.yDpi);
        if (!changed) {
            EXPECT_EQ(PixelsOf(*edit.Get()), before);
        }
    }
}

TEST(ProcessingFacet, ResampleToResolutionOfAnEmptyImage)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->SetXResolution(96);
    edit->SetYResolution(96);
    EXPECT_EQ(ThrownText([&] { edit->GetImageProcessing()->ResampleToResolution(48, 48); }), "No imagedata available!");
}

TEST(ProcessingFacet, ApplyLookupTableNeeds256EntriesBeforeAnyChange)
{
    const struct {
        int entries;
        const char* text;
    } cases[] = {
        {0, "Invalid lookuptable size! 256 entries expected."},
        {255, "Invalid lookuptable size! 256 entries expected."},
        {257, "Invalid lookuptable size! 256 entries expected."},
        {256, kNothingThrown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entries);
        CZAVPtr<IZAVImageEditSp> edit = Gray8(4, 3, [](int x, int y) { return x * 10 + y; });
        const std::vector<unsigned char> before = PixelsOf(*edit.Get());
        std::vector<unsigned char> inverse(static_cast<size_t>(c.entries));
        for (size_t i = 0; i < inverse.size(); ++i)
            inverse[i] = static_cast<unsigned char>(255 - i);
        const CArraySimple<unsigned char, 1> table(inverse);
        EXPECT_EQ(ThrownText([&] { edit->GetImageProcessing()->ApplyLookupTable(table); }), c.text);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(ByteAt(*edit.Get(), x, y), c.entries == 256 ? 255 - (x * 10 + y) : before[y * 4 + x]);
    }
}

TEST(ProcessingFacet, ApplyTransparencyScalesSamplesByDepth)
{
    CZAVPtr<IZAVImageEditSp> gray = Gray8(3, 1, [](int x, int) { return x * 100 + 1; });  // 1, 101, 201
    gray->GetImageProcessing()->ApplyTransparency(50.0);
    EXPECT_EQ(PixelsOf(*gray.Get()), (std::vector<unsigned char>{0, 50, 100}));

    CZAVPtr<IZAVImageEditSp> colour = Rgb24(2, 1);  // (1, 2, 0) and (17, 2, 1)
    colour->GetImageProcessing()->ApplyTransparency(300.0);
    EXPECT_EQ(PixelsOf(*colour.Get()), (std::vector<unsigned char>{3, 6, 0, 51, 6, 3}));
    colour->GetImageProcessing()->ApplyTransparency(-20.0);
    EXPECT_EQ(PixelsOf(*colour.Get()), (std::vector<unsigned char>(6, 0)));

    CZAVPtr<IZAVImageEditSp> bilevel = Bilevel(16, 2);
    const std::vector<unsigned char> before = PixelsOf(*bilevel.Get());
    bilevel->GetImageProcessing()->ApplyTransparency(10.0);
    EXPECT_EQ(PixelsOf(*bilevel.Get()), before);

    CZAVPtr<IZAVImageEditSp> wide = CreateImageEditSp();
    wide->Create(2, 2, zavbpp32);
    EXPECT_EQ(ThrownText([&] { wide->GetImageProcessing()->ApplyTransparency(50.0); }),
              "Invalid color depth! ApplyTransparencyb requires 8 or 24bit color depth.");
}

TEST(ProcessingFacet, ResizeCanvasSameSizeDoesNothingAtAnyDepth)
{
    CZAVPtr<IZAVImageEditSp> bilevel = Bilevel(16, 4);
    const std::vector<unsigned char> before = PixelsOf(*bilevel.Get());
    EXPECT_EQ(ThrownText([&] { bilevel->GetImageProcessing()->ResizeCanvas(16, 4, 4, 0); }), kNothingThrown);
    EXPECT_EQ(PixelsOf(*bilevel.Get()), before);
    EXPECT_EQ(ThrownText([&] { bilevel->GetImageProcessing()->ResizeCanvas(20, 4, 4, 0); }),
              "Requires 8bit or 24bit data!");
    EXPECT_EQ(bilevel->GetWidth(), 16);
    EXPECT_EQ(PixelsOf(*bilevel.Get()), before);
}

TEST(ProcessingFacet, ResizeCanvasPlacesThePictureByAlignment)
{
    const Rgb fill{9, 8, 7};
    // A 2 x 2 picture on a 4 x 3 canvas; (left, top) of the picture.
    const struct {
        int alignment, left, top;
    } cases[] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 1}, {3, 1, 0}, {4, 1, 0}, {5, 1, 1}, {6, 2, 0}, {8, 2, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.alignment);
        CZAVPtr<IZAVImageEditSp> edit = Rgb24(2, 2);
        CZAVPtr<IZAVImageEditSp> original = Rgb24(2, 2);
        edit->SetXResolution(150);
        edit->GetImageProcessing()->ResizeCanvas(4, 3, c.alignment, RGB(fill.r, fill.g, fill.b));
        ASSERT_EQ(edit->GetWidth(), 4);
        ASSERT_EQ(edit->GetHeight(), 3);
        EXPECT_EQ(edit->GetBitsPerPixel(), zavbpp24);
        EXPECT_EQ(edit->GetXResolution(), 150);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) {
                const bool inside = x >= c.left && x < c.left + 2 && y >= c.top && y < c.top + 2;
                const Rgb expected = inside ? PixelAt(*original.Get(), x - c.left, y - c.top) : fill;
                EXPECT_EQ(PixelAt(*edit.Get(), x, y), expected) << x << "," << y;
            }
    }
}

TEST(ProcessingFacet, ResizeCanvasSmallerKeepsTheAlignedPart)
{
    CZAVPtr<IZAVImageEditSp> edit = Gray8(4, 4, [](int x, int y) { return y * 4 + x; });
    edit->GetImageProcessing()->ResizeCanvas(2, 2, 4, RGB(200, 0, 0));
    ASSERT_EQ(edit->GetWidth(), 2);
    EXPECT_EQ(PixelsOf(*edit.Get()), (std::vector<unsigned char>{5, 6, 9, 10}));
    EXPECT_TRUE(edit->GetPalette()->IsGrayScale());
}

int32_t CancelAtOnce(double)
{
    return 0;
}

TEST(ProcessingFacet, ResizeCanvasCancelledLeavesThePicture)
{
    CZAVPtr<IZAVImageEditSp> edit = Gray8(64, 64, [](int x, int y) { return x ^ y; });
    edit->SetXResolution(120);
    const std::vector<unsigned char> before = PixelsOf(*edit.Get());
    edit->SetProgressCallback(&CancelAtOnce);
    EXPECT_EQ(ThrownText([&] { edit->GetImageProcessing()->ResizeCanvas(80, 70, 4, 0); }), "Operation canceled!");
    edit->SetProgressCallback(nullptr);
    EXPECT_EQ(edit->GetWidth(), 64);
    EXPECT_EQ(edit->GetHeight(), 64);
    EXPECT_EQ(edit->GetXResolution(), 120);
    EXPECT_TRUE(edit->GetPalette()->IsGrayScale());
    EXPECT_EQ(PixelsOf(*edit.Get()), before);
}

TEST(ProcessingFacet, CreateMirroredTileQuadrants)
{
    CZAVPtr<IZAVImageEditSp> edit = Rgb24(3, 2);
    edit->SetXResolution(300);
    CZAVPtr<IZAVImageEditSp> tile = edit->GetImageProcessing()->CreateMirroredTile();
    ASSERT_EQ(tile->GetWidth(), 6);
    ASSERT_EQ(tile->GetHeight(), 4);
    EXPECT_EQ(tile->GetBitsPerPixel(), zavbpp24);
    EXPECT_EQ(tile->GetXResolution(), 300);
    const struct {
        const char* name;
        int left, top;
        bool mirrored, upsideDown;
    } quadrants[] = {{"top left", 0, 0, false, false},
                     {"top right", 3, 0, true, false},
                     {"bottom right", 3, 2, true, true},
                     {"bottom left", 0, 2, false, true}};
    for (const auto& q : quadrants)
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                const int sx = q.mirrored ? 2 - x : x;
                const int sy = q.upsideDown ? 1 - y : y;
                EXPECT_EQ(PixelAt(*tile.Get(), q.left + x, q.top + y), PixelAt(*edit.Get(), sx, sy))
                    << q.name << " " << x << "," << y;
            }

    CZAVPtr<IZAVImageEditSp> empty = CreateImageEditSp();
    EXPECT_EQ(ThrownText([&] { empty->GetImageProcessing()->CreateMirroredTile(); }), "No imagedata!");
}

TEST(ProcessingFacet, CreateMirroredTileRefusesASideThatCannotDouble)
{
    // A one-bit row of 2^30 + 1 pixels is 128 MiB, within the image
    // ceiling; twice its width is not a 32-bit number.
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->Create((1 << 30) + 1, 1, zavbpp1);
    EXPECT_EQ(ThrownText([&] { edit->GetImageProcessing()->CreateMirroredTile(); }), "Error");
    EXPECT_EQ(edit->GetWidth(), (1 << 30) + 1);
}

TEST(ProcessingFacet, CreateMirroredTileOfAGrayImage)
{
    CZAVPtr<IZAVImageEditSp> edit = Gray8(2, 1, [](int x, int) { return 10 + x; });
    CZAVPtr<IZAVImageEditSp> tile = edit->GetImageProcessing()->CreateMirroredTile();
    EXPECT_EQ(PixelsOf(*tile.Get()), (std::vector<unsigned char>{10, 11, 11, 10, 10, 11, 11, 10}));
    EXPECT_TRUE(tile->GetPalette()->IsGrayScale());
}

TEST(ProcessingFacet, GeometryMainPaths)
{
    CZAVPtr<IZAVImageEditSp> edit = Rgb24(4, 3);
    CZAVPtr<IZAVImageEditSp> original = Rgb24(4, 3);
    IZAVImageEditImageProcessingCpp* processing = edit->GetImageProcessing();

    processing->FlipHorizontal();
    EXPECT_EQ(PixelAt(*edit.Get(), 0, 0), PixelAt(*original.Get(), 3, 0));
    processing->FlipVertical();
    EXPECT_EQ(PixelAt(*edit.Get(), 0, 0), PixelAt(*original.Get(), 3, 2));
    processing->FlipVertical();
    processing->FlipHorizontal();
    EXPECT_EQ(PixelsOf(*edit.Get()), PixelsOf(*original.Get()));

    processing->Rotate(90.0);
    EXPECT_EQ(edit->GetWidth(), 3);
    EXPECT_EQ(edit->GetHeight(), 4);
    processing->Rotate(-90.0);
    EXPECT_EQ(PixelsOf(*edit.Get()), PixelsOf(*original.Get()));

    processing->Resize(8, 6, 0);
    EXPECT_EQ(edit->GetWidth(), 8);
    EXPECT_EQ(edit->GetHeight(), 6);
    EXPECT_EQ(PixelAt(*edit.Get(), 7, 5), PixelAt(*original.Get(), 3, 2));

    processing->InvertImage();
    EXPECT_EQ(PixelAt(*edit.Get(), 0, 0).r, 255 - PixelAt(*original.Get(), 0, 0).r);

    CZAVPtr<IZAVImageEditSp> bilevel = Bilevel(8, 8);
    EXPECT_EQ(ThrownText([&] { bilevel->GetImageProcessing()->Rotate(45.0); }),
              "Can't rotate 1 BitPerPixel Images! Please convert it to a different format.");
}

TEST(ProcessingFacet, CropsClampAndWriteTheRectangleBack)
{
    CZAVPtr<IZAVImageEditSp> edit = Rgb24(5, 4);
    CZAVPtr<IZAVImageEditSp> original = Rgb24(5, 4);
    int32_t left = -3, top = 1, right = 2, bottom = 40;
    edit->GetImageProcessing()->CropToRect(left, top, right, bottom);
    EXPECT_EQ(std::vector<int32_t>({left, top, right, bottom}), std::vector<int32_t>({0, 1, 2, 3}));
    ASSERT_EQ(edit->GetWidth(), 3);
    ASSERT_EQ(edit->GetHeight(), 3);
    EXPECT_EQ(PixelAt(*edit.Get(), 0, 0), PixelAt(*original.Get(), 0, 1));

    edit->GetImageProcessing()->Crop(1, 1, 1, 2);
    EXPECT_EQ(edit->GetWidth(), 1);
    EXPECT_EQ(edit->GetHeight(), 2);
    EXPECT_EQ(PixelAt(*edit.Get(), 0, 0), PixelAt(*original.Get(), 1, 2));
}

TEST(ProcessingFacet, RectangleCopies)
{
    CZAVPtr<IZAVImageEditSp> edit = Gray8(5, 4, [](int x, int y) { return y * 5 + x; });
    edit->SetXResolution(200);
    IZAVImageEditImageProcessingCpp* processing = edit->GetImageProcessing();

    int32_t left = 3, top = -1, right = 9, bottom = 1;
    HGLOBAL block = nullptr;
    int32_t size = 0;
    processing->CopyRectToBlock(left, top, right, bottom, block, size);
    EXPECT_EQ(std::vector<int32_t>({left, top, right, bottom}), std::vector<int32_t>({3, 0, 4, 1}));
    ASSERT_NE(block, nullptr);
    ASSERT_EQ(size, 4);
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(block));
    EXPECT_EQ(std::vector<unsigned char>(bytes, bytes + 4), (std::vector<unsigned char>{3, 4, 8, 9}));
    GlobalUnlock(block);
    GlobalFree(block);

    // The whole image, however far the rectangle reaches past it.
    CZAVPtr<IZAVImageEditSp> whole = processing->CopyRectToImage(-5, -5, 5 + 5, 4 + 5);
    EXPECT_EQ(PixelsOf(*whole.Get()), PixelsOf(*edit.Get()));
    EXPECT_TRUE(whole->GetPalette()->IsGrayScale());
    EXPECT_EQ(whole->GetXResolution(), 200);

    CZAVPtr<IZAVImageEditSp> part = processing->CopyRectToNewImage(RECT{1, 2, 2, 3});
    ASSERT_EQ(part->GetWidth(), 2);
    EXPECT_EQ(PixelsOf(*part.Get()), (std::vector<unsigned char>{11, 12, 16, 17}));
}

TEST(ProcessingFacet, ToneAndRegionMainPaths)
{
    IZAVImageEditImageProcessingCpp* processing = nullptr;

    // A narrow ramp stretched to the full range.
    CZAVPtr<IZAVImageEditSp> ramp = Gray8(4, 1, [](int x, int) { return 100 + x * 10; });
    processing = ramp->GetImageProcessing();
    processing->AutoLevels(0.0, 0.0);
    EXPECT_EQ(ByteAt(*ramp.Get(), 0, 0), 0);
    EXPECT_EQ(ByteAt(*ramp.Get(), 3, 0), 255);

    CZAVPtr<IZAVImageEditSp> contrast = Gray8(4, 1, [](int x, int) { return 100 + x * 10; });
    contrast->GetImageProcessing()->AutoContrast(0.0, 0.0);
    EXPECT_EQ(ByteAt(*contrast.Get(), 0, 0), 0);
    EXPECT_EQ(ByteAt(*contrast.Get(), 3, 0), 255);

    CZAVPtr<IZAVImageEditSp> unchanged = Rgb24(3, 3);
    unchanged->GetImageProcessing()->AdjustBrightnessContrast(0.0, 0.0);
    EXPECT_EQ(PixelsOf(*unchanged.Get()), PixelsOf(*Rgb24(3, 3).Get()));

    // Two white blocks on black: two regions besides the background.
    CZAVPtr<IZAVImageEditSp> blocks =
        Gray8(8, 4, [](int x, int y) { return (x < 2 && y < 2) || (x >= 5 && y >= 2) ? 255 : 0; });
    CZAVPtr<IZAVArrayDoubleSp> regions = blocks->GetImageProcessing()->LabelConnectedComponents(0);
    ASSERT_EQ(regions->GetSize() % 9, 0);
    double whitePixels = 0;
    for (int32_t i = 0; i < regions->GetSize(); i += 9)
        if (regions->GetAt(i + 1) == 255)
            whitePixels += regions->GetAt(i + 2);
    EXPECT_EQ(whitePixels, 4 + 6);

    CZAVPtr<IZAVImageEditSp> colour = Rgb24(2, 2);
    EXPECT_EQ(ThrownText([&] { colour->GetImageProcessing()->LabelConnectedComponents(0); }),
              "Unsupported color format!");
    EXPECT_EQ(ThrownText([&] { colour->GetImageProcessing()->AdaptiveThreshold(3, 3, 0); }),
              "Requires 8bpp grayscale Image!");

    CZAVPtr<IZAVImageEditSp> threshold = Gray8(4, 4, [](int x, int) { return x < 2 ? 10 : 240; });
    threshold->GetImageProcessing()->AdaptiveThreshold(3, 3, 0);
    for (unsigned char value : PixelsOf(*threshold.Get()))
        EXPECT_TRUE(value == 0 || value == 255);

    CZAVPtr<IZAVImageEditSp> contour = Gray8(8, 8, [](int, int) { return 0; });
    const CArraySimple<unsigned char, 1> profile(std::vector<unsigned char>{0, 128, 255});
    EXPECT_EQ(ThrownText([&] { colour->GetImageProcessing()->CreateContourImage(3, profile); }),
              "Requires 8bpp grayscale Images! Please convert it to grayscale format.");
    EXPECT_EQ(ThrownText([&] { contour->GetImageProcessing()->CreateContourImage(3, profile); }), kNothingThrown);
}

}  // namespace
