// The player: mapping modes and passed-over records, and damaged or
// unsupported metafiles failing with the record they stopped at.
#include "platform/LastError.h"
#include "platform/gdi/Metafiles.h"
#include "platform/gdi/metafile/play/EmfPlayer.h"
#include "support/GdiPixels.h"
#include "support/MetafileBuilder.h"

#include <gtest/gtest.h>

#include <string>

using namespace ZAVTest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// 20 x 20 pixels of the screen stand-in.
constexpr int32_t kFrame = 529;

MetaBytes RedDib()
{
    return MakeDib(24, 1, 1, [](int, int) { return 0xFF0000u; });
}

struct Played {
    BOOL result = FALSE;
    DWORD error = 0;
    DWORD record = 0;
    HDC dc = nullptr;
};

Played Play(const MetaBytes& bytes)
{
    Played played;
    ZAV::TestDeviceSettings settings;
    settings.width = settings.height = 20;
    played.dc = ZAV::CreateTestDC(settings);
    HENHMETAFILE metafile = SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
    const RECT whole{0, 0, 20, 20};
    SetLastError(0);
    played.result = PlayEnhMetaFile(played.dc, metafile, &whole);
    played.error = GetLastError();
    played.record = ZAV::GetLastUnplayedRecord();
    DeleteEnhMetaFile(metafile);
    return played;
}

TEST(EmfPlayer, IsotropicMappingTakesTheSmallerScaleAndSettingsArePassedOver)
{
    EmfBuilder emf(kFrame, kFrame);
    emf.Values(70, {0}).Values(18, {1}).Values(19, {1}).Values(20, {13}).Values(22, {0}).Values(24, {0});
    emf.Values(25, {0}).Values(21, {4});
    emf.Values(17, {MM_ISOTROPIC}).Values(9, {10, 10}).Values(11, {20, 40}).Values(12, {2, 0});
    emf.StretchDIBits(0, 0, 5, 5, 0, 0, 1, 1, RedDib(), 0);
    const Played played = Play(emf.Finish());
    ASSERT_TRUE(played.result);
    // Both axes scale by 2 (the smaller of 20/10 and 40/10), moved 2 right.
    EXPECT_EQ(kBlack, PixelAt(played.dc, 1, 0));
    EXPECT_EQ(kRed, PixelAt(played.dc, 2, 0));
    EXPECT_EQ(kRed, PixelAt(played.dc, 11, 9));
    EXPECT_EQ(kBlack, PixelAt(played.dc, 12, 9));
    EXPECT_EQ(kBlack, PixelAt(played.dc, 2, 10));
    DeleteDC(played.dc);
}

// A clip region of two rectangles, which only a full region engine plays.
MetaBytes TwoRectangleRegion()
{
    return EmfBuilder(kFrame, kFrame)
        .Values(75, {64, RGN_COPY, 32, 1, 2, 32, 0, 0, 9, 9, 0, 0, 4, 4, 5, 5, 9, 9})
        .Finish();
}

MetaBytes DeepSave()
{
    EmfBuilder emf(kFrame, kFrame);
    for (int i = 0; i < 300; ++i)
        emf.Values(33, {});
    return emf.Finish();
}

TEST(EmfPlayer, DamagedAndUnsupportedRecordsStopThePlay)
{
    const MetaBytes dib = RedDib();
    const auto picture = [&] {
        EmfBuilder emf(kFrame, kFrame);
        emf.StretchDIBits(0, 0, 20, 20, 0, 0, 1, 1, dib, 0);
        return emf.Finish();
    };
    const auto with = [&](size_t at, uint32_t value) {
        MetaBytes bytes = picture();
        Patch32(bytes, at, value);
        return bytes;
    };
    constexpr size_t kRecord = 108;  // the EMR_STRETCHDIBITS record
    const struct {
        const char* name;
        MetaBytes bytes;
        DWORD error;
        DWORD record;
    } cases[] = {
        {"record size 4", with(kRecord + 4, 4), ERROR_INVALID_DATA, 81},
        {"record size not a multiple of 4", with(kRecord + 4, 126), ERROR_INVALID_DATA, 81},
        {"record past the data", with(kRecord + 4, 0x10000), ERROR_INVALID_DATA, 81},
        {"DIB header past the record", with(kRecord + 48, 0x1000), ERROR_INVALID_DATA, 81},
        {"DIB bits past the record", with(kRecord + 60, 0x1000), ERROR_INVALID_DATA, 81},
        {"bits short of the rows", with(kRecord + 80 + 8, 2), ERROR_INVALID_DATA, 81},
        {"DIB of 100000 x 100000", with(kRecord + 80 + 4, 100000), ERROR_INVALID_DATA, 81},
        {"palette colours", with(kRecord + 64, 1), ERROR_NOT_SUPPORTED, 81},
        {"other raster operation", with(kRecord + 68, 0x008800C6), ERROR_NOT_SUPPORTED, 81},
        {"mirrored destination", with(kRecord + 72, static_cast<uint32_t>(-20)), ERROR_NOT_SUPPORTED, 81},
        {"16-bit DIB", with(kRecord + 80 + 12, 0x00100001), ERROR_NOT_SUPPORTED, 81},
        {"no EMR_EOF",
         [&] {
             MetaBytes bytes = picture();
             bytes[bytes.size() - 20] = 70;  // the end record becomes a comment
             return bytes;
         }(),
         ERROR_INVALID_DATA, 0},
        {"MM_LOMETRIC", EmfBuilder(kFrame, kFrame).Values(17, {2}).Finish(), ERROR_NOT_SUPPORTED, 17},
        {"zero window extent", EmfBuilder(kFrame, kFrame).Values(9, {0, 5}).Finish(), ERROR_INVALID_DATA, 9},
        {"RestoreDC without SaveDC", EmfBuilder(kFrame, kFrame).Values(34, {-1}).Finish(), ERROR_INVALID_DATA, 34},
        {"300 nested SaveDC", DeepSave(), ERROR_INVALID_DATA, 33},
        {"region of two rectangles", TwoRectangleRegion(), ERROR_NOT_SUPPORTED, 75},
        {"EMR_ANGLEARC", EmfBuilder(kFrame, kFrame).Values(41, {5, 5, 4, 0, 0}).Finish(), ERROR_NOT_SUPPORTED, 41},
        {"R2_XORPEN line mix", EmfBuilder(kFrame, kFrame).Values(20, {7}).Finish(), ERROR_NOT_SUPPORTED, 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Played played = Play(c.bytes);
        EXPECT_FALSE(played.result);
        EXPECT_EQ(c.error, played.error);
        EXPECT_EQ(c.record, played.record);
        DeleteDC(played.dc);
    }
}

TEST(EmfPlayer, HeadersThatDescribeNoPlayablePictureAreRefused)
{
    const auto header = [](size_t at, uint32_t value) {
        MetaBytes bytes = EmfBuilder(kFrame, kFrame).Finish();
        Patch32(bytes, at, value);
        return bytes;
    };
    const struct {
        const char* name;
        MetaBytes bytes;
    } cases[] = {
        {"too short",
         [] {
             MetaBytes bytes = EmfBuilder(kFrame, kFrame).Finish();
             bytes.resize(80);
             return bytes;
         }()},
        {"no signature", header(40, 0x20202020)},
        {"more bytes than there are", header(48, 4096)},
        {"header size not a multiple of 4", header(4, 106)},
        {"zero device millimetres", header(80, 0)},
        {"zero device pixels", header(76, 0)},
        {"empty frame", header(32, 0)},
        {"frame of 100000 x 100000 pixels", [] { return EmfBuilder(2645834, 2645834).Finish(); }()},
        {"description past the header",
         [&] {
             MetaBytes bytes = header(60, 40);
             Patch32(bytes, 64, 100);
             return bytes;
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HENHMETAFILE metafile = SetEnhMetaFileBits(static_cast<UINT>(c.bytes.size()), c.bytes.data());
        EXPECT_EQ(0u, GetEnhMetaFileHeader(metafile, 0, nullptr));
        const Played played = Play(c.bytes);
        EXPECT_FALSE(played.result);
        EXPECT_EQ(1u, played.record);
        DeleteDC(played.dc);
        DeleteEnhMetaFile(metafile);
    }
}

}  // namespace
