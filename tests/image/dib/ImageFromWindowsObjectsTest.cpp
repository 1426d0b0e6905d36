// Images made from device contexts, device bitmaps, OLE pictures and
// picture files read the OLE way: the pixels that were drawn come back,
// and a failure names itself and leaves the image as it was.
#include "image/kernels/ImgKernels.h"
#include "image/object/ZAVImg.h"
#include "platform/gdi/Blits.h"
#include "platform/gdi/GdiKnobs.h"
#include "platform/ole/Pictures.h"
#include "support/GdiPixels.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ZAV;
using ZAVTest::ThrownText;

namespace {

// 3 x 2: red, green, blue / white, black, grey.
const std::vector<COLORREF> kColours = {RGB(255, 0, 0),     RGB(0, 255, 0), RGB(0, 0, 255),
                                        RGB(255, 255, 255), RGB(0, 0, 0),   RGB(128, 128, 128)};
const std::vector<BYTE> kRgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 128, 128, 128};

std::vector<BYTE> PixelBytes(const CZAVImg& image)
{
    const auto* bytes = static_cast<const BYTE*>(image.GetImageData());
    return bytes ? std::vector<BYTE>(bytes, bytes + image.GetImageSize()) : std::vector<BYTE>();
}

// An image the failing creations must leave alone.
void MakeEarlierImage(CZAVImg& image)
{
    ASSERT_EQ(image.Create(5, 4, 8), 1);
    image.SetPixel8(1, 1, 77);
}

void ExpectEarlierImage(const CZAVImg& image)
{
    EXPECT_EQ(image.GetWidth(), 5);
    EXPECT_EQ(image.GetBitsPerPixel(), 8);
    EXPECT_EQ(image.GetPixel8(1, 1), 77);
}

HDC TestDC(int rasterCaps = RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_STRETCHBLT | RC_STRETCHDIB)
{
    TestDeviceSettings settings;
    settings.width = settings.height = 8;
    settings.rasterCaps = rasterCaps;
    return CreateTestDC(settings);
}

// The 3 x 2 colours blitted to (1, 1) of the DC.
void DrawColours(HDC dc)
{
    ZAVTest::MemoryPicture picture(3, 2, kColours, dc);
    ASSERT_TRUE(BitBlt(dc, 1, 1, 3, 2, picture.dc(), 0, 0, SRCCOPY));
}

// A picture whose calls fail from the given one on (0 get_Handle ... 3 get_Height).
class RefusingPicture : public Ole::RefCounted<IPicture> {
public:
    explicit RefusingPicture(int failingCall) : m_failing(failingCall) {}
    HRESULT get_Handle(HANDLE* handle) override { return Answer(0, handle); }
    HRESULT get_hPal(HPALETTE* palette) override { return Answer(1, palette); }
    HRESULT get_Type(short* type) override { return Answer(-1, type); }
    HRESULT get_Width(LONG* width) override { return Answer(2, width); }
    HRESULT get_Height(LONG* height) override { return Answer(3, height); }

protected:
    const IID& OwnIid() const override { return IID_IPicture; }

private:
    template <class T>
    HRESULT Answer(int call, T* out)
    {
        *out = T{};
        return call >= m_failing ? E_FAIL : S_OK;
    }
    int m_failing;
};

}  // namespace

TEST(ImageFromWindowsObjects, DeviceContextRectanglesBecome24BitImages)
{
    HDC dc = TestDC();
    DrawColours(dc);
    CZAVImg image;
    image.CreateFromDC(dc, 1, 1, 3, 2);
    EXPECT_EQ(image.GetBitsPerPixel(), 24);
    EXPECT_EQ(image.GetWidth(), 3);
    EXPECT_EQ(image.GetHeight(), 2);
    EXPECT_EQ(PixelBytes(image), kRgb);

    HDC screen = GetDC(nullptr);  // no DC given: the screen's
    DrawColours(screen);
    ReleaseDC(nullptr, screen);
    CZAVImg fromScreen;
    fromScreen.CreateFromDC(nullptr, 1, 1, 3, 2);
    EXPECT_EQ(PixelBytes(fromScreen), kRgb);

    struct Case {
        const char* name;
        bool GdiFailureKnobs::*knob;
        int rasterCaps;
    } cases[] = {
        {"no blit", &GdiFailureKnobs::blit, RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP},
        {"no bitmap", &GdiFailureKnobs::bitmapCreation, RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP},
        {"no compatible DC", &GdiFailureKnobs::compatibleDC, RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP},
        {"device without bitmaps", nullptr, RC_BITBLT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HDC device = TestDC(c.rasterCaps);
        if (c.knob)
            GdiKnobs().*c.knob = true;
        CZAVImg kept;
        MakeEarlierImage(kept);
        // Failures of the device calls carry a code and no text of their own.
        EXPECT_EQ(ThrownText([&] { kept.CreateFromDC(device, 0, 0, 2, 2); }), "Error creating Image! ");
        ResetGdiKnobs();
        ExpectEarlierImage(kept);
        DeleteDC(device);
    }
    CZAVImg kept;
    MakeEarlierImage(kept);
    EXPECT_EQ(ThrownText([&] { kept.CreateFromDC(dc, 0, 0, 0, 2); }), "Error creating Image! ");
    ExpectEarlierImage(kept);
    DeleteDC(dc);
}

TEST(ImageFromWindowsObjects, BitmapsAndOlePicturesBecome24BitImages)
{
    HBITMAP bitmap = ZAVTest::MakePictureBitmap(3, 2, kColours);
    CZAVImg image;
    image.CreateFromBitmapHandle(bitmap, nullptr);
    EXPECT_EQ(image.GetBitsPerPixel(), 24);
    EXPECT_EQ(PixelBytes(image), kRgb);
    EXPECT_EQ(ThrownText([&] { image.CreateFromBitmapHandle(nullptr, nullptr); }),
              "Error creating Image! Invalid Parameter!");
    EXPECT_EQ(PixelBytes(image), kRgb);

    PICTDESC description{sizeof(PICTDESC), PICTYPE_BITMAP, bitmap, nullptr};
    IPicture* picture = nullptr;
    ASSERT_EQ(OleCreatePictureIndirect(&description, IID_IPicture, TRUE, reinterpret_cast<void**>(&picture)), S_OK);
    CZAVImg fromPicture;
    fromPicture.CreateFromOlePicture(picture);
    EXPECT_EQ(PixelBytes(fromPicture), kRgb);
    IPicture* held = fromPicture.GetOlePicture();
    EXPECT_EQ(held, picture);
    EXPECT_EQ(held->Release(), 2u);  // the caller's and the image's
    fromPicture.Clear();
    EXPECT_EQ(fromPicture.GetOlePicture(), nullptr);
    picture->Release();  // the last: the bitmap goes with it
}

TEST(ImageFromWindowsObjects, RefusedOlePicturesLeaveTheImage)
{
    CZAVImg image;
    MakeEarlierImage(image);
    EXPECT_EQ(ThrownText([&] { image.CreateFromOlePicture(nullptr); }), "Can't create Image from OLEPicture object!");
    for (int failing = 0; failing <= 4; ++failing) {  // 4: every call answers, but with no bitmap
        SCOPED_TRACE(failing);
        IPicture* refusing = new RefusingPicture(failing);
        EXPECT_EQ(ThrownText([&] { image.CreateFromOlePicture(refusing); }),
                  "Can't create Image from OLEPicture object!");
        refusing->Release();
        ExpectEarlierImage(image);
        EXPECT_EQ(image.GetOlePicture(), nullptr);
    }
}

TEST(ImageFromWindowsObjects, FilesLoadThroughOlePictures)
{
    ZAVTest::TempDir dir;
    CImgKernels kernels;
    HGLOBAL dib = kernels.Image24ToDib(kRgb.data(), 3, 2, 96, 96);
    const std::string bmp = dir.File("picture.bmp");
    ASSERT_EQ(CImgKernels::WriteDibToBmpFile(bmp.c_str(), dib), 1);
    GlobalFree(dib);
    CZAVImg image;
    image.LoadFromFileThroughOle(bmp.c_str());
    EXPECT_EQ(image.GetBitsPerPixel(), 24);
    EXPECT_EQ(PixelBytes(image), kRgb);
    IPicture* held = image.GetOlePicture();
    ASSERT_NE(held, nullptr);
    held->Release();

    std::vector<uint8_t> cut = ZAVTest::ReadBytes(bmp);
    cut.resize(cut.size() - 1);  // the last row's pad byte gone
    ZAVTest::WriteBytes(dir.File("cut.bmp"), cut);
    ZAVTest::WriteText(dir.File("empty.bmp"), "");
    ZAVTest::WriteText(dir.File("text.bmp"), "not a picture");
    for (const char* name : {"missing.bmp", "empty.bmp", "text.bmp", "cut.bmp"}) {
        SCOPED_TRACE(name);
        CZAVImg kept;
        MakeEarlierImage(kept);
        EXPECT_EQ(ThrownText([&] { kept.LoadFromFileThroughOle(dir.File(name).c_str()); }), "Error");
        ExpectEarlierImage(kept);
    }
    EXPECT_EQ(ThrownText([&] { image.LoadFromFileThroughOle(nullptr); }), "Error");
}
