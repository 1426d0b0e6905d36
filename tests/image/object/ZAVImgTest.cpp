#include <gtest/gtest.h>

#include <cstring>

#include "image/object/ZAVImg.h"
#include "platform/GlobalMem.h"
#include "image/support/CountingPicture.h"
#include "support/ThrownText.h"

using namespace ZAV;
using ZAVTest::ThrownText;

namespace {

struct FailureKnob {
    explicit FailureKnob(int count) { SetGlobalAllocFailures(count); }
    ~FailureKnob() { SetGlobalAllocFailures(0); }
};

void FillPattern(CZAVImg& image, int width, int height, int depth)
{
    ASSERT_EQ(image.Create(width, height, depth), 1);
    BYTE* bits = static_cast<BYTE*>(image.GetImageData());
    for (int i = 0; i < image.GetImageSize(); ++i)
        bits[i] = static_cast<BYTE>(i * 7 + 3);
}

TEST(ZAVImg, NewImageHasTheDefaults)
{
    CZAVImg image;
    EXPECT_FALSE(image.HasImage());
    EXPECT_EQ(image.GetBitsPerPixel(), 0);
    EXPECT_STREQ(image.GetClassName(), "CZAVImg");
    EXPECT_EQ(image.GetTransparentColor(), 0xFFFFFFu);
    EXPECT_EQ(image.GetDrawer().m_transparentColor, 0xFFFFFFu);
    EXPECT_EQ(image.m_gifEnabled, 1);
    EXPECT_EQ(image.m_jpegQuality, 60);
    EXPECT_EQ(image.m_pdfImageCoding, 5);
    EXPECT_EQ(image.m_highDynamicRange, 1);
    EXPECT_EQ(image.m_detectByExtension, 1);
    EXPECT_EQ(image.m_jbig2Settings[7], 5);
    EXPECT_EQ(image.m_gif.values[0], -1);
    EXPECT_EQ(image.m_magickSettings[4], 0xFFFFFF);
    for (BYTE* table : image.m_blendTables)
        EXPECT_EQ(table, nullptr);
}

TEST(ZAVImg, ClearKeepsSettingsAndSetDefaultsRestoresThem)
{
    CZAVImg image;
    FillPattern(image, 4, 3, 24);
    image.m_jpegQuality = 90;
    image.m_lastLoadedFile = "a.png";
    image.SetTransparentColor(0x123456);
    image.Clear();
    EXPECT_FALSE(image.HasImage());
    EXPECT_EQ(image.m_jpegQuality, 90);
    EXPECT_TRUE(image.m_lastLoadedFile.empty());
    image.SetDefaults();
    EXPECT_EQ(image.m_jpegQuality, 60);
    EXPECT_EQ(image.GetTransparentColor(), 0xFFFFFFu);
}

TEST(ZAVImg, CopyToReplacesPixelsAndDropsAbsentMasks)
{
    CZAVImg source;
    FillPattern(source, 5, 3, 8);
    source.SetResolution(150, 200, kResolutionUnitInch);
    source.SetTransparentColor(0x00FF00);
    CZAVImg target;
    FillPattern(target, 2, 2, 24);
    HGLOBAL mask = GlobalAlloc(GPTR, 4);
    ASSERT_EQ(target.SetMask(mask, 4), 1);
    source.CopyTo(target);
    EXPECT_EQ(target.GetWidth(), 5);
    EXPECT_EQ(target.GetHeight(), 3);
    EXPECT_EQ(target.GetBitsPerPixel(), 8);
    EXPECT_EQ(target.GetXResolution(), 150);
    EXPECT_EQ(target.GetYResolution(), 200);
    EXPECT_EQ(target.GetMask(), nullptr);
    EXPECT_EQ(target.GetTransparentColor(), 0x00FF00u);
    EXPECT_EQ(std::memcmp(target.GetImageData(), source.GetImageData(), 15), 0);
    EXPECT_NE(target.GetImageData(), source.GetImageData());
    CZAVImg assigned;
    assigned = source;
    EXPECT_EQ(std::memcmp(assigned.GetImageData(), source.GetImageData(), 15), 0);
}

// Every depth Create makes copies, 32 bits included, and assignment too.
TEST(ZAVImg, CopyToCopiesEveryCreatableDepth)
{
    for (int depth : {1, 8, 16, 24, 32, 48}) {
        SCOPED_TRACE(depth);
        CZAVImg source;
        FillPattern(source, 7, 5, depth);
        source.SetResolution(300, 150, kResolutionUnitInch);
        HGLOBAL mask = GlobalAlloc(GPTR, 35);
        static_cast<BYTE*>(mask)[34] = 9;
        ASSERT_EQ(source.SetMask(mask, 35), 1);
        CZAVImg target;
        FillPattern(target, 2, 2, 8);
        source.CopyTo(target);
        ASSERT_TRUE(target.HasImage());
        EXPECT_EQ(target.GetBitsPerPixel(), depth);
        EXPECT_EQ(target.GetWidth(), 7);
        EXPECT_EQ(target.GetHeight(), 5);
        EXPECT_EQ(target.GetBytesPerLine(), source.GetBytesPerLine());
        ASSERT_EQ(target.GetImageSize(), source.GetImageSize());
        EXPECT_EQ(std::memcmp(target.GetImageData(), source.GetImageData(), size_t(source.GetImageSize())), 0);
        EXPECT_EQ(target.GetXResolution(), 300);
        EXPECT_EQ(target.GetYResolution(), 150);
        ASSERT_EQ(target.GetPalette().GetCount(), source.GetPalette().GetCount());
        if (source.GetPalette().GetCount() > 0) {
            EXPECT_EQ(std::memcmp(target.GetPalette().GetEntries(), source.GetPalette().GetEntries(),
                                  size_t(source.GetPalette().GetCount()) * 4),
                      0);
        }
        ASSERT_NE(target.GetMask(), nullptr);
        EXPECT_EQ(static_cast<const BYTE*>(GlobalLock(target.GetMask()))[34], 9);
        GlobalUnlock(target.GetMask());
        // The row array follows the new pixels.
        EXPECT_EQ(target.GetLineArray()[4], static_cast<BYTE*>(target.GetImageData()) + 4 * target.GetBytesPerLine());
        CZAVImg assigned;
        assigned = source;
        ASSERT_EQ(assigned.GetBitsPerPixel(), depth);
        EXPECT_EQ(std::memcmp(assigned.GetImageData(), source.GetImageData(), size_t(source.GetImageSize())), 0);
    }
}

TEST(ZAVImg, CopyToThrowsWhenMemoryRunsOutAndKeepsTheTarget)
{
    for (int depth : {24, 32}) {
        CZAVImg source;
        FillPattern(source, 6, 6, depth);
        CZAVImg target;
        FillPattern(target, 2, 2, 8);
        {
            FailureKnob knob(1);
            EXPECT_NE(ThrownText([&] { source.CopyTo(target); }), "(nothing thrown)");
        }
        EXPECT_EQ(target.GetWidth(), 2);
        EXPECT_EQ(target.GetBitsPerPixel(), 8);
        EXPECT_EQ(static_cast<BYTE*>(target.GetImageData())[3], 24);
    }
}

TEST(ZAVImg, HoldsTheOlePictureWithAReference)
{
    ZAVTest::CCountingPicture picture;
    {
        CZAVImg image;
        image.SetOlePicture(&picture);
        EXPECT_EQ(picture.refs, 2);
        IPicture* held = image.GetOlePicture();
        EXPECT_EQ(held, &picture);
        held->Release();
        image.Clear();
        EXPECT_EQ(picture.refs, 1);
        EXPECT_EQ(image.GetOlePicture(), nullptr);
        image.SetOlePicture(&picture);
    }
    EXPECT_EQ(picture.refs, 1);
}

TEST(ZAVImg, SaveBufferSizeDoesNotOverflow)
{
    CZAVImg image;
    ASSERT_EQ(image.Create(30000, 30000, 1), 1);
    EXPECT_EQ(image.GetSaveBufferSize(), int64_t(30000) * 30000 * 3 + 66560);
}

}  // namespace
