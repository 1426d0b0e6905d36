#include "platform/GlobalMem.h"
#include "platform/gdi/Bitmaps.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/Objects.h"
#include "platform/ole/Pictures.h"
#include "platform/ole/SafeArrays.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A 2 x 1 24-bit .bmp: red, then blue.
std::vector<uint8_t> SmallBmp()
{
    std::vector<uint8_t> b = {'B', 'M'};
    Put(b, 14 + 40 + 8, 4);
    Put(b, 0, 4);
    Put(b, 54, 4);
    for (uint32_t v : {40u, 2u, 1u})
        Put(b, v, 4);
    Put(b, 1, 2);
    Put(b, 24, 2);
    for (int i = 0; i < 6; ++i)
        Put(b, 0, 4);
    for (uint8_t v : {0, 0, 255, 255, 0, 0, 0, 0})
        b.push_back(v);
    return b;
}

IStream* StreamOf(const std::vector<uint8_t>& bytes)
{
    HGLOBAL block = GlobalAlloc(GHND, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(block, TRUE, &stream);
    return stream;
}

}  // namespace

TEST(OleStreams, WriteGrowsTheBlockAndSeekMoves)
{
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    ULONG written = 0;
    ASSERT_EQ(stream->Write("abcdef", 6, &written), S_OK);
    HGLOBAL block = nullptr;
    ASSERT_EQ(GetHGlobalFromStream(stream, &block), S_OK);
    EXPECT_EQ(GlobalSize(block), 6u);
    uint64_t position = 0;
    stream->Seek(-2, STREAM_SEEK_END, &position);
    EXPECT_EQ(position, 4u);
    char read[8] = {};
    ULONG got = 0;
    stream->Read(read, sizeof read, &got);
    EXPECT_EQ(got, 2u);
    EXPECT_STREQ(read, "ef");
    EXPECT_EQ(stream->Seek(-1, STREAM_SEEK_SET, nullptr), E_INVALIDARG);
    stream->Release();
}

TEST(OlePictures, BmpStreamsLoadAndOtherDataIsRefused)
{
    IStream* stream = StreamOf(SmallBmp());
    IPicture* picture = nullptr;
    ASSERT_EQ(OleLoadPicture(stream, 0, FALSE, IID_IPicture, reinterpret_cast<void**>(&picture)), S_OK);
    HANDLE bitmap = nullptr;
    picture->get_Handle(&bitmap);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 2);
    LONG width = 0;
    picture->get_Width(&width);
    EXPECT_EQ(width, 53);  // 2 pixels at 96 dpi in 1/100 mm
    BITMAPINFO out{};
    out.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 2, 1, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    uint8_t row[8] = {};
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, 1, row, &out, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(row[2], 255);  // red first
    EXPECT_EQ(row[3], 255);  // then blue
    picture->Release();
    stream->Release();

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    png.resize(80);
    std::vector<uint8_t> truncated = SmallBmp();
    truncated.resize(truncated.size() - 4);
    for (const auto& bytes : {png, truncated}) {
        IStream* refused = StreamOf(bytes);
        void* out2 = nullptr;
        EXPECT_EQ(OleLoadPicture(refused, 0, FALSE, IID_IPicture, &out2), CTL_E_INVALIDPICTURE);
        EXPECT_EQ(out2, nullptr);
        refused->Release();
    }
}

TEST(OlePictures, PicturesOverBitmapsOwnThemWhenAsked)
{
    HDC screen = GetDC(nullptr);
    HBITMAP owned = CreateCompatibleBitmap(screen, 4, 2);
    HBITMAP lent = CreateCompatibleBitmap(screen, 4, 2);
    ReleaseDC(nullptr, screen);
    for (BOOL own : {TRUE, FALSE}) {
        const PICTDESC description{sizeof(PICTDESC), PICTYPE_BITMAP, own ? owned : lent, nullptr};
        IPicture* picture = nullptr;
        ASSERT_EQ(OleCreatePictureIndirect(&description, IID_IPicture, own, reinterpret_cast<void**>(&picture)), S_OK);
        HANDLE handle = nullptr;
        picture->get_Handle(&handle);
        EXPECT_EQ(handle, description.hbitmap);
        picture->Release();
    }
    BITMAP info{};
    // The lent bitmap outlives its picture; the owned one went with it.
    EXPECT_EQ(GetObjectA(lent, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(GetObjectA(owned, sizeof info, &info), 0);
    DeleteObject(lent);
    const PICTDESC none{sizeof(PICTDESC), PICTYPE_BITMAP, nullptr, nullptr};
    void* out = nullptr;
    EXPECT_EQ(OleCreatePictureIndirect(&none, IID_IPicture, TRUE, &out), E_INVALIDARG);
    EXPECT_EQ(out, nullptr);
}

TEST(OleSafeArrays, ByteArraysLiveInVariants)
{
    SAFEARRAYBOUND bound{5, 0};
    SAFEARRAY* array = SafeArrayCreate(VT_UI1, 1, &bound);
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(SafeArrayCreate(VT_I4, 1, &bound), nullptr);
    LONG lower = -9;
    LONG upper = -9;
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
    EXPECT_EQ(upper - lower + 1, 5);
    EXPECT_EQ(SafeArrayGetUBound(array, 2, &upper), E_INVALIDARG);
    void* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(array, &data), S_OK);
    std::memset(data, 7, 5);
    EXPECT_EQ(SafeArrayDestroy(array), E_FAIL);  // still accessed
    SafeArrayUnaccessData(array);

    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_ARRAY | VT_UI1;
    variant.parray = array;
    EXPECT_EQ(VariantClear(&variant), S_OK);  // frees the array
    EXPECT_EQ(variant.vt, VT_EMPTY);
}
