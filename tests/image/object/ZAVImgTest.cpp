#include <gtest/gtest.h>

#include <cstring>

#include "image/object/ZAVImg.h"
#include "platform/GlobalMem.h"
#include "platform/ole/Pictures.h"
#include "support/ThrownText.h"

using namespace ZAV;
using ZAVTest::ThrownText;

namespace {

struct FailureKnob {
    explicit FailureKnob(int count) { SetGlobalAllocFailures(count); }
    ~FailureKnob() { SetGlobalAllocFailures(0); }
};

// A picture that only counts its references.
struct CountingPicture : IPicture {
    int refs = 1;
    HRESULT QueryInterface(const IID&, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG Release() override { return static_cast<ULONG>(--refs); }
    HRESULT get_Handle(HANDLE*) override { return E_FAIL; }
    HRESULT get_hPal(HPALETTE*) override { return E_FAIL; }
    HRESULT get_Type(short*) override { return E_FAIL; }
    HRESULT get_Width(LONG*) override { return E_FAIL; }
    HRESULT get_Height(LONG*) override { return E_FAIL; }
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

TEST(ZAVImg, CopyToThrowsWhenMemoryRunsOutAndKeepsTheTarget)
{
    CZAVImg source;
    FillPattern(source, 6, 6, 24);
    CZAVImg target;
    FillPattern(target, 2, 2, 8);
    {
        FailureKnob knob(1);
        EXPECT_NE(ThrownText([&] { source.CopyTo(target); }), "(nothing thrown)");
    }
    EXPECT_EQ(target.GetWidth(), 2);
    EXPECT_EQ(target.GetBitsPerPixel(), 8);
}

TEST(ZAVImg, HoldsTheOlePictureWithAReference)
{
    CountingPicture picture;
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
