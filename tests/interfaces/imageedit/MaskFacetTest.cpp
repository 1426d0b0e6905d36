// The Mask facet: masks as blocks and as 8-bit pictures (checked against
// Pillow's alpha band), the two masks' size rules, who owns a refused
// block, masks made from a transparent colour at 1, 8 and 24 bits (also
// through the advanced library when the image asks for it), and the
// transparency the facet passes on.
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"
#include "interfaces/imageedit/facets/mask/ZAVImageEditMask.h"
#include "tests/interfaces/advanced/FakeKorvex55Control.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "ImageEditTestPixels.h"
#include "platform/GlobalMem.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

namespace {

using namespace ZAV;
using Bytes = std::vector<unsigned char>;

const char kNoMaskText[] = "There is no mask available!";

CZAVPtr<IZAVImageEditSp> NewImage(int width, int height, zavBitsPerPixel depth)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->Create(width, height, depth);
    return edit;
}

CZAVImg& ImageOf(CZAVPtr<IZAVImageEditSp>& edit)
{
    return edit->GetImageEdit()->GetImage();
}

HGLOBAL BlockOf(const Bytes& bytes)
{
    HGLOBAL block = GlobalAlloc(GPTR, bytes.size());
    std::memcpy(block, bytes.data(), bytes.size());
    return block;
}

Bytes BytesOf(HGLOBAL block)
{
    const auto* bytes = static_cast<const unsigned char*>(block);
    return Bytes(bytes, bytes + GlobalSize(block));
}

std::string LastError(CZAVPtr<IZAVImageEditSp>& edit)
{
    return ImageOf(edit).GetErrorText().GetText();
}

TEST(MaskFacet, MaskImageOfAnRgbaPngIsPillowsAlphaBand)
{
    ZAVTest::TempDir dir;
    const std::string png = dir.File("rgba.png");
    const std::string alpha = dir.File("alpha.raw");
    // Alpha 0, 255 and values between, different in every pixel of a
    // picture whose width is not a multiple of four.
    const std::string script = "import sys\n"
                               "from PIL import Image\n"
                               "im = Image.new('RGBA', (7, 5))\n"
                               "im.putdata([(x * 30, y * 40, 90, (x * 37 + y * 61) % 256)\n"
                               "            for y in range(5) for x in range(7)])\n"
                               "im.save(sys.argv[1])\n"
                               "open(sys.argv[2], 'wb').write(Image.open(sys.argv[1]).getchannel('A').tobytes())\n";
    const ZAVTest::RunResult made = ZAVTest::Run("/usr/bin/python3 -c " + ZAVTest::ShellQuote(script) + " " +
                                                 ZAVTest::ShellQuote(png) + " " + ZAVTest::ShellQuote(alpha));
    ASSERT_EQ(0, made.exitCode) << "Pillow is needed for this test: " << made.output;

    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->LoadFromFile(png, 0);
    IZAVImageEditMaskCpp& mask = *edit->GetMask();
    ASSERT_TRUE(mask.HasMask());
    EXPECT_EQ(7, mask.GetMaskWidth());
    EXPECT_EQ(5, mask.GetMaskHeight());
    EXPECT_EQ(35, mask.GetMaskSize());

    CZAVPtr<IZAVImageEditSp> picture = mask.GetMaskImage();
    EXPECT_EQ(7, picture->GetWidth());
    EXPECT_EQ(5, picture->GetHeight());
    EXPECT_EQ(zavbpp8, picture->GetBitsPerPixel());
    EXPECT_EQ(ZAVTest::ReadBytes(alpha), ZAVTest::PixelsOf(*picture.Get()));
    // The picture has a copy: the image keeps its own mask.
    EXPECT_NE(picture->GetImageData(), mask.GetMaskHandle());
    EXPECT_TRUE(mask.HasMask());
}

TEST(MaskFacet, BlocksOfTheMaskAndWhoOwnsThem)
{
    CZAVPtr<IZAVImageEditSp> edit = NewImage(4, 3, zavbpp24);
    IZAVImageEditMaskCpp& mask = *edit->GetMask();
    EXPECT_FALSE(mask.HasMask());
    EXPECT_EQ(nullptr, mask.GetMaskHandle());
    EXPECT_EQ(nullptr, mask.CopyMask());
    EXPECT_EQ(kNoMaskText, ZAVTest::ThrownText([&] { mask.GetMaskImage(); }));
    EXPECT_EQ(kNoMaskText, ZAVTest::ThrownText([&] { mask.GetMask2Image(); }));

    // A refused block stays the caller's: it is written to and freed here,
    // which the sanitizer would report if the image had freed or kept it.
    HGLOBAL wrong = BlockOf(Bytes(11, 7));
    EXPECT_FALSE(mask.SetMask(wrong));
    EXPECT_EQ("Invalid Mask Size Width*Height", LastError(edit));
    EXPECT_FALSE(mask.HasMask());
    static_cast<unsigned char*>(wrong)[10] = 1;
    EXPECT_EQ(nullptr, GlobalFree(wrong));

    const Bytes values = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110};
    HGLOBAL right = BlockOf(values);
    EXPECT_TRUE(mask.SetMask(right));
    EXPECT_EQ("", LastError(edit));
    EXPECT_TRUE(mask.HasMask());
    EXPECT_EQ(right, mask.GetMaskHandle());
    HGLOBAL copy = mask.CopyMask();
    EXPECT_NE(right, copy);
    EXPECT_EQ(values, BytesOf(copy));
    GlobalFree(copy);

    HGLOBAL detached = mask.DetachMask();
    EXPECT_EQ(right, detached);
    EXPECT_FALSE(mask.HasMask());
    EXPECT_EQ(nullptr, mask.GetMaskHandle());
    EXPECT_EQ(values, BytesOf(detached));
    GlobalFree(detached);

    EXPECT_EQ(1, mask.GetPsdMaskFlag());
    mask.SetPsdMaskFlag(0);
    EXPECT_EQ(0, mask.GetPsdMaskFlag());
    EXPECT_EQ(0, ImageOf(edit).m_psdOptionB);
}

// The second mask is checked against its own size while a width is set,
// and against the image's again after SetMask2Width(0).
TEST(MaskFacet, SecondMaskSizeFollowsItsWidth)
{
    struct Case {
        int mask2Width;
        int mask2Height;
        size_t bytes;
        const char* refusal;  // null when the block is taken
        int pictureWidth;
        int pictureHeight;
    };
    const Case cases[] = {
        {2, 2, 4, nullptr, 2, 2},
        {2, 2, 12, "Invalid Mask2 Size Mask2Width*Mask2Height", 0, 0},
        {0, 2, 4, "Invalid Mask2 Size Width*Height", 0, 0},
        {0, 2, 12, nullptr, 4, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mask2Width << " x " << c.mask2Height << ", " << c.bytes << " bytes");
        CZAVPtr<IZAVImageEditSp> edit = NewImage(4, 3, zavbpp8);
        IZAVImageEditMaskCpp& mask = *edit->GetMask();
        mask.SetMask2Width(2);
        mask.SetMask2Height(c.mask2Height);
        mask.SetMask2Width(c.mask2Width);
        EXPECT_EQ(c.mask2Width, mask.GetMask2Width());
        EXPECT_EQ(c.mask2Height, mask.GetMask2Height());

        Bytes values(c.bytes);
        for (size_t i = 0; i < values.size(); ++i)
            values[i] = static_cast<unsigned char>(i * 20);
        HGLOBAL block = BlockOf(values);
        const bool taken = mask.SetMask2(block);
        EXPECT_EQ(c.refusal == nullptr, taken);
        if (!taken) {
            EXPECT_EQ(c.refusal, LastError(edit));
            EXPECT_FALSE(mask.HasMask2());
            GlobalFree(block);
            continue;
        }
        EXPECT_EQ(static_cast<int>(c.bytes), mask.GetMask2Size());
        EXPECT_EQ(block, mask.GetMask2Handle());
        CZAVPtr<IZAVImageEditSp> picture = mask.GetMask2Image();
        EXPECT_EQ(c.pictureWidth, picture->GetWidth());
        EXPECT_EQ(c.pictureHeight, picture->GetHeight());
        EXPECT_EQ(values, ZAVTest::PixelsOf(*picture.Get()));
        HGLOBAL copy = mask.CopyMask2();
        EXPECT_EQ(values, BytesOf(copy));
        GlobalFree(copy);
        mask.RemoveMasks();
        EXPECT_FALSE(mask.HasMask2());
        EXPECT_EQ(nullptr, mask.GetMask2Handle());
    }
}

// The image's own blocks given back: each mask keeps a block of its own.
TEST(MaskFacet, OwnBlocksGivenBackAreCopied)
{
    CZAVPtr<IZAVImageEditSp> edit = NewImage(2, 2, zavbpp8);
    IZAVImageEditMaskCpp& mask = *edit->GetMask();
    const Bytes values = {5, 6, 7, 8};
    ASSERT_TRUE(mask.SetMask(BlockOf(values)));
    EXPECT_TRUE(mask.SetMask(mask.GetMaskHandle()));
    EXPECT_TRUE(mask.SetMask2(mask.GetMaskHandle()));
    EXPECT_TRUE(mask.SetMask2(mask.GetMask2Handle()));
    EXPECT_NE(mask.GetMaskHandle(), mask.GetMask2Handle());
    EXPECT_EQ(values, BytesOf(mask.GetMaskHandle()));
    EXPECT_EQ(values, BytesOf(mask.GetMask2Handle()));
    mask.SetMask2Width(3);
    EXPECT_FALSE(mask.SetMask2(mask.GetMaskHandle()));
    EXPECT_EQ(values, BytesOf(mask.GetMask2Handle()));
}

TEST(MaskFacet, DetachedSecondMaskIsTheCallers)
{
    CZAVPtr<IZAVImageEditSp> edit = NewImage(2, 2, zavbpp24);
    IZAVImageEditMaskCpp& mask = *edit->GetMask();
    HGLOBAL block = BlockOf({1, 2, 3, 4});
    ASSERT_TRUE(mask.SetMask2(block));
    EXPECT_EQ(block, mask.DetachMask2());
    EXPECT_FALSE(mask.HasMask2());
    GlobalFree(block);
}

// 1-bit rows: most significant bit first, 1 is the palette's second entry.
void SetBit(IZAVImageEditSp& edit, int x, int y)
{
    auto* rows = static_cast<unsigned char*>(edit.GetImageData());
    rows[y * edit.GetBytesPerLine() + x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
}

struct TransparentCase {
    const char* name;
    std::function<CZAVPtr<IZAVImageEditSp>()> make;
    COLORREF color;
    Bytes expected;
};

// Pixels of 3 x 2 images, row by row.
std::vector<TransparentCase> TransparentCases()
{
    return {
        {"24 bits",
         [] {
             CZAVPtr<IZAVImageEditSp> edit = NewImage(3, 2, zavbpp24);
             const COLORREF colors[] = {RGB(10, 20, 30), RGB(30, 20, 10), RGB(10, 20, 30),
                                        RGB(10, 20, 31), RGB(0, 0, 0),    RGB(10, 20, 30)};
             for (int i = 0; i < 6; ++i)
                 ImageOf(edit).SetPixel24(i % 3, i / 3, colors[i]);
             return edit;
         },
         RGB(10, 20, 30),
         {0, 255, 0, 255, 255, 0}},
        // A colour palette of 16 entries: the mask is made of the indices,
        // not of the palette's colours.
        {"8 bits",
         [] {
             CZAVPtr<IZAVImageEditSp> edit = NewImage(3, 2, zavbpp8);
             IZAVImageEditPaletteCpp& palette = *edit->GetPalette();
             palette.SetPaletteSize(16);
             for (int i = 0; i < 16; ++i)
                 palette.SetPaletteEntry(i, RGB(i * 16, 200 - i * 8, 90));
             const unsigned char indices[] = {3, 0, 3, 15, 4, 3};
             std::memcpy(edit->GetImageData(), indices, sizeof indices);
             return edit;
         },
         0x103,
         {0, 255, 0, 255, 255, 0}},
        // Black and white whatever colour is asked for.
        {"1 bit",
         [] {
             CZAVPtr<IZAVImageEditSp> edit = NewImage(3, 2, zavbpp1);
             SetBit(*edit.Get(), 1, 0);
             SetBit(*edit.Get(), 0, 1);
             SetBit(*edit.Get(), 2, 1);
             return edit;
         },
         RGB(255, 255, 255),
         {0, 255, 0, 255, 0, 255}},
    };
}

TEST(MaskFacet, MaskFromTransparentColor)
{
    for (const TransparentCase& c : TransparentCases()) {
        SCOPED_TRACE(c.name);
        CZAVPtr<IZAVImageEditSp> edit = c.make();
        const Bytes pixels = ZAVTest::PixelsOf(*edit.Get());
        const zavBitsPerPixel depth = edit->GetBitsPerPixel();
        IZAVImageEditMaskCpp& mask = *edit->GetMask();
        mask.CreateMaskFromTransparentColor(c.color);
        ASSERT_TRUE(mask.HasMask());
        EXPECT_EQ(c.expected, BytesOf(mask.GetMaskHandle()));
        // The image itself is left as it was.
        EXPECT_EQ(depth, edit->GetBitsPerPixel());
        EXPECT_EQ(pixels, ZAVTest::PixelsOf(*edit.Get()));
    }
}

TEST(MaskFacet, TransparentColorRefusesOtherDepthsAndKeepsTheMask)
{
    CZAVPtr<IZAVImageEditSp> edit = NewImage(2, 2, zavbpp32);
    IZAVImageEditMaskCpp& mask = *edit->GetMask();
    HGLOBAL block = BlockOf({9, 8, 7, 6});
    ASSERT_TRUE(mask.SetMask(block));
    EXPECT_EQ("Invalid color depth! CreateMaskFromTransparentColor requires 1, 8 or 24bit color depth.",
              ZAVTest::ThrownText([&] { mask.CreateMaskFromTransparentColor(0); }));
    EXPECT_EQ(block, mask.GetMaskHandle());
    EXPECT_EQ(Bytes({9, 8, 7, 6}), BytesOf(mask.GetMaskHandle()));
}

// The copy keeps the image's use-advanced flag, so its grey conversion runs
// through the library: the mask is the library's grey picture.
TEST(MaskFacet, TransparentColorTakesTheAdvancedGreyConversion)
{
    ZAVTest::CFakeKorvex55 fake;
    CZAVPtr<IZAVImageEditSp> edit = TransparentCases()[0].make();
    edit->SetUseAdvancedImgProc(1);
    const Bytes pixels = ZAVTest::PixelsOf(*edit.Get());
    fake.SetFill("Grayscale8Bit", 0x42);
    edit->GetMask()->CreateMaskFromTransparentColor(RGB(10, 20, 30));
    EXPECT_EQ(1u, fake.CallsOf({"Grayscale8Bit"}).size());
    EXPECT_EQ(0, fake.LiveHandles());
    EXPECT_EQ(Bytes(6, 0x42), BytesOf(edit->GetMask()->GetMaskHandle()));
    EXPECT_EQ(pixels, ZAVTest::PixelsOf(*edit.Get()));
}

// The Image-processing facet's transparency: every sample scaled by the
// percentage, and its refusal of other depths.
TEST(MaskFacet, ApplyTransparencyScalesTheSamples)
{
    CZAVPtr<IZAVImageEditSp> rgb = NewImage(2, 1, zavbpp24);
    ImageOf(rgb).SetPixel24(0, 0, RGB(10, 200, 255));
    ImageOf(rgb).SetPixel24(1, 0, RGB(1, 0, 99));
    rgb->GetMask()->ApplyTransparency(50.0);
    EXPECT_EQ(Bytes({5, 100, 127, 0, 0, 49}), ZAVTest::PixelsOf(*rgb.Get()));

    CZAVPtr<IZAVImageEditSp> deep = NewImage(2, 1, zavbpp32);
    EXPECT_EQ("Invalid color depth! ApplyTransparencyb requires 8 or 24bit color depth.",
              ZAVTest::ThrownText([&] { deep->GetMask()->ApplyTransparency(50.0); }));
}

}  // namespace
