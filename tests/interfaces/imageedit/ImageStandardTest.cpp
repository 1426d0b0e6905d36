// The image-standard view of the image-edit object: it shares the object's
// bodies and views, and crops and copies rectangles of pixels, clamped to
// the image, at 1, 8 and 24 bits.
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/GlobalMem.h"
#include "support/ThrownText.h"

namespace {

using namespace ZAV;
using ZAVTest::ThrownText;

constexpr int kWidth = 11;
constexpr int kHeight = 4;
constexpr int kDpiX = 150;
constexpr int kDpiY = 75;

// A picture of the depth whose bytes follow a pattern, with a palette of
// distinct entries for 1 and 8 bits and its own resolution.
CZAVPtr<IZAVImageEditSp> MakePicture(zavBitsPerPixel bits)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->Create(kWidth, kHeight, bits);
    auto* data = static_cast<BYTE*>(edit->GetImageData());
    for (int i = 0; i < edit->GetImageSize(); ++i)
        data[i] = static_cast<BYTE>(i * 37 + 11);
    IZAVImageEditPaletteCpp& palette = *edit->GetPalette();
    for (int i = 0; i < palette.GetPaletteCount(); ++i)
        palette.SetPaletteEntry(i, RGB(static_cast<BYTE>(i), static_cast<BYTE>(255 - i), 7));
    edit->SetXResolution(kDpiX);
    edit->SetYResolution(kDpiY);
    return edit;
}

int BytesPerLine(int width, int bits)
{
    return bits == 1 ? (width + 7) / 8 : width * bits / 8;
}

// The value of pixel (x, y) of unpadded rows: a bit, an index or red,
// green, blue packed.
uint32_t PixelValue(const BYTE* data, int width, int bits, int x, int y)
{
    const BYTE* row = data + y * BytesPerLine(width, bits);
    if (bits == 1)
        return (row[x / 8] >> (7 - x % 8)) & 1;
    if (bits == 8)
        return row[x];
    const BYTE* p = row + x * 3;
    return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
}

// Empty when the pixels are the source's pixels of the rectangle, else
// where they first differ.
std::string CompareWithSource(const BYTE* copy, const BYTE* source, int bits, const RECT& used)
{
    const int width = used.right - used.left + 1;
    for (int y = 0; y <= used.bottom - used.top; ++y)
        for (int x = 0; x < width; ++x)
            if (PixelValue(copy, width, bits, x, y) != PixelValue(source, kWidth, bits, used.left + x, used.top + y))
                return "differs at " + std::to_string(x) + "," + std::to_string(y);
    return "";
}

std::string Text(int left, int top, int right, int bottom)
{
    return std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(right) + "," +
           std::to_string(bottom);
}

std::string Text(const RECT& r)
{
    return Text(r.left, r.top, r.right, r.bottom);
}

struct RectCase {
    const char* name;
    RECT asked;
    RECT used;
};

const RectCase kRectCases[] = {
    {"inside", {1, 1, 3, 2}, {1, 1, 3, 2}},
    {"reaching outside", {-2, -3, 9, 2}, {0, 0, 9, 2}},
    {"beyond every side", {-5, -5, kWidth + 5, kHeight + 5}, {0, 0, kWidth - 1, kHeight - 1}},
    {"one pixel", {kWidth - 1, kHeight - 1, kWidth - 1, kHeight - 1}, {10, 3, 10, 3}},
    {"not on a byte boundary", {3, 0, 9, 3}, {3, 0, 9, 3}},
};

const zavBitsPerPixel kDepths[] = {zavbpp1, zavbpp8, zavbpp24};

TEST(ImageStandard, CopiesHoldTheClampedRectangle)
{
    for (zavBitsPerPixel bits : kDepths)
        for (const RectCase& c : kRectCases) {
            const std::string name = std::string(c.name) + " at " + std::to_string(int(bits));
            CZAVPtr<IZAVImageEditSp> edit = MakePicture(bits);
            CZAVPtr<IZAVImageStandardSp> standard = edit->GetImageStandardSp();
            const auto* source = static_cast<const BYTE*>(edit->GetImageData());
            const int usedWidth = c.used.right - c.used.left + 1;
            const int usedHeight = c.used.bottom - c.used.top + 1;
            const int expectedSize = BytesPerLine(usedWidth, bits) * usedHeight;

            int left = c.asked.left, top = c.asked.top, right = c.asked.right, bottom = c.asked.bottom;
            HGLOBAL block = nullptr;
            int size = -1;
            standard->CopyRectToBlock(left, top, right, bottom, block, size);
            EXPECT_EQ(Text(left, top, right, bottom), Text(c.used)) << name;
            EXPECT_EQ(size, expectedSize) << name;
            EXPECT_EQ(CompareWithSource(static_cast<BYTE*>(block), source, bits, c.used), "") << name;
            GlobalFree(block);

            standard->CopyRect(c.asked, block, size);
            EXPECT_EQ(size, expectedSize) << name;
            EXPECT_EQ(CompareWithSource(static_cast<BYTE*>(block), source, bits, c.used), "") << name;
            GlobalFree(block);

            CZAVPtr<IZAVImageStandardSp> copies[] = {
                standard->CopyRectToImage(c.asked.left, c.asked.top, c.asked.right, c.asked.bottom),
                standard->CopyRectToNewImage(c.asked)};
            for (CZAVPtr<IZAVImageStandardSp>& copy : copies) {
                EXPECT_EQ(copy->GetRefCount(), 1) << name;
                EXPECT_EQ(copy->GetWidth(), usedWidth) << name;
                EXPECT_EQ(copy->GetHeight(), usedHeight) << name;
                EXPECT_EQ(copy->GetBitsPerPixel(), bits) << name;
                EXPECT_EQ(copy->GetXResolution(), kDpiX) << name;
                EXPECT_EQ(copy->GetYResolution(), kDpiY) << name;
                EXPECT_EQ(copy->GetStandardPalette()->GetPaletteCount(), edit->GetPalette()->GetPaletteCount());
                if (bits != zavbpp24) {
                    EXPECT_EQ(copy->GetStandardPalette()->GetPaletteEntry(1), RGB(1, 254, 7)) << name;
                }
                EXPECT_EQ(CompareWithSource(static_cast<BYTE*>(copy->GetImageData()), source, bits, c.used), "")
                    << name;
            }
        }
}

TEST(ImageStandard, CropsKeepTheClampedRectangle)
{
    for (zavBitsPerPixel bits : kDepths)
        for (const RectCase& c : kRectCases) {
            const std::string name = std::string(c.name) + " at " + std::to_string(int(bits));
            CZAVPtr<IZAVImageEditSp> original = MakePicture(bits);
            const auto* source = static_cast<const BYTE*>(original->GetImageData());
            for (bool byReference : {true, false}) {
                CZAVPtr<IZAVImageEditSp> edit = MakePicture(bits);
                CZAVPtr<IZAVImageStandardSp> standard = edit->GetImageStandardSp();
                if (byReference) {
                    int left = c.asked.left, top = c.asked.top, right = c.asked.right, bottom = c.asked.bottom;
                    standard->CropToRect(left, top, right, bottom);
                    EXPECT_EQ(Text(left, top, right, bottom), Text(c.used)) << name;
                } else {
                    standard->Crop(c.asked.left, c.asked.top, c.asked.right, c.asked.bottom);
                }
                EXPECT_EQ(edit->GetWidth(), c.used.right - c.used.left + 1) << name;
                EXPECT_EQ(edit->GetHeight(), c.used.bottom - c.used.top + 1) << name;
                EXPECT_EQ(CompareWithSource(static_cast<BYTE*>(edit->GetImageData()), source, bits, c.used), "")
                    << name;
                // The view follows the cropped image.
                EXPECT_EQ(edit->GetViewLayerSp()->GetWorldRect().right, edit->GetWidth()) << name;
            }
        }
}

TEST(ImageStandard, RectanglesWithNothingOfTheImageAreRefused)
{
    const char* const refused = "Error cropping Image! Invalid Parameter!";
    const RECT outside[] = {{kWidth, 0, kWidth + 3, 2}, {0, kHeight + 1, 3, kHeight + 4}, {3, 2, 1, 1}};
    for (const RECT& r : outside) {
        CZAVPtr<IZAVImageEditSp> edit = MakePicture(zavbpp8);
        CZAVPtr<IZAVImageStandardSp> standard = edit->GetImageStandardSp();
        int left = r.left, top = r.top, right = r.right, bottom = r.bottom;
        HGLOBAL block = nullptr;
        int size = -1;
        EXPECT_EQ(ThrownText([&] { standard->CropToRect(left, top, right, bottom); }), refused) << Text(r);
        EXPECT_EQ(ThrownText([&] { standard->Crop(r.left, r.top, r.right, r.bottom); }), refused) << Text(r);
        EXPECT_EQ(ThrownText([&] { standard->CopyRect(r, block, size); }), refused) << Text(r);
        EXPECT_EQ(ThrownText([&] { standard->CopyRectToNewImage(r); }), refused) << Text(r);
        EXPECT_EQ(block, nullptr);
        // Nothing changed.
        EXPECT_EQ(edit->GetWidth(), kWidth);
        EXPECT_EQ(edit->GetHeight(), kHeight);
    }
}

TEST(ImageStandard, AnEmptyImageCopiesNothing)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    CZAVPtr<IZAVImageStandardSp> standard = edit->GetImageStandardSp();
    HGLOBAL block = reinterpret_cast<HGLOBAL>(1);
    int size = -1;
    standard->CopyRect(RECT{0, 0, 3, 3}, block, size);
    EXPECT_EQ(block, nullptr);
    EXPECT_EQ(size, 0);
    CZAVPtr<IZAVImageStandardSp> copy = standard->CopyRectToImage(0, 0, 3, 3);
    EXPECT_EQ(copy->HasImage(), 0);
    int left = -1, top = -2, right = 3, bottom = 4;
    standard->CropToRect(left, top, right, bottom);
    EXPECT_EQ(standard->HasImage(), 0);
    standard->Crop(0, 0, 3, 3);
    EXPECT_EQ(standard->HasImage(), 0);
}

TEST(ImageStandard, SharesTheObjectsBodiesAndViews)
{
    CZAVPtr<IZAVImageEditSp> edit = MakePicture(zavbpp8);
    CZAVPtr<IZAVImageStandardSp> standard = edit->GetImageStandardSp();
    // The same object: one count, one view layer, one palette.
    EXPECT_EQ(edit->GetRefCount(), 2);
    EXPECT_EQ(standard->GetViewLayerSp().Get(), edit->GetViewLayerSp().Get());
    EXPECT_EQ(standard->GetObjectSp().Get(), edit->GetObjectSp().Get());
    EXPECT_EQ(standard->GetImageEdit(), edit->GetImageEdit());
    IZAVImageStandardPaletteCpp* palette = standard->GetStandardPalette();
    EXPECT_EQ(standard->GetStandardPalette(), palette);
    EXPECT_EQ(edit->GetImageStandardSp()->GetStandardPalette(), palette);
    EXPECT_EQ(edit->GetRefCount(), 2);

    // Settings made through one view are the other's.
    EXPECT_EQ(standard->SetUserData(17), 17);
    EXPECT_EQ(edit->GetUserData(), 17);
    standard->SetTransparentColor(0x010203);
    EXPECT_EQ(edit->GetTransparentColor(), 0x010203u);
    standard->Create(3, 2, zavbpp24);
    EXPECT_EQ(edit->GetWidth(), 3);
    EXPECT_EQ(standard->GetBytesPerLine(), edit->GetBytesPerLine());
    EXPECT_EQ(standard->GetImageSize(), 18);
}

}  // namespace
