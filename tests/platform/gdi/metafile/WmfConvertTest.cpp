// Old-style metafiles: read from files, copied out, and converted to
// enhanced metafiles, with what the conversion refuses.
#include "platform/LastError.h"
#include "platform/gdi/Metafiles.h"
#include "platform/gdi/metafile/play/EmfPlayer.h"
#include "platform/gdi/metafile/wmf/WmfFiles.h"
#include "support/GdiPixels.h"
#include "support/MetafileBuilder.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace ZAVTest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// 8 x 8 pixels of the screen stand-in, in 0.01 mm.
const METAFILEPICT kPicture{MM_ANISOTROPIC, 212, 212, nullptr};

// Window 8 x 8: a band of the bottom four rows of an 8-row DIB set to the
// device (red), and a 2 x 2 blue DIB stretched over the right half.
WmfBuilder Picture()
{
    WmfBuilder wmf;
    wmf.Record(0x020C, {8, 8}).Record(0x0102, {1});
    // ColorUsage, ScanCount 4, StartScan 0, yDib, xDib, Height, Width, yDest, xDest.
    wmf.Record(0x0D33, {0, 4, 0, 0, 0, 4, 8, 4, 0}, MakeDib(24, 8, 4, [](int, int) { return 0xFF0000u; }));
    wmf.Record(0x0B41, {0x0020, 0x00CC, 2, 2, 0, 0, 8, 4, 0, 4}, MakeDib(24, 2, 2, [](int, int) { return 0x0000FFu; }));
    return wmf;
}

HDC Target()
{
    ZAV::TestDeviceSettings settings;
    settings.width = settings.height = 8;
    return ZAV::CreateTestDC(settings);
}

TEST(WmfConvert, DibRecordsBecomeEnhancedRecordsInThePicturesExtents)
{
    const MetaBytes bytes = Picture().Finish();
    HENHMETAFILE metafile = SetWinMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data(), nullptr, &kPicture);
    ASSERT_NE(nullptr, metafile);
    ENHMETAHEADER header{};
    ASSERT_EQ(108u, GetEnhMetaFileHeader(metafile, sizeof header, &header));
    EXPECT_EQ(212, header.rclFrame.right);
    HDC dc = Target();
    const RECT whole{0, 0, 8, 8};
    ASSERT_TRUE(PlayEnhMetaFile(dc, metafile, &whole));
    EXPECT_EQ(kBlack, PixelAt(dc, 0, 3));
    EXPECT_EQ(kRed, PixelAt(dc, 0, 4));
    EXPECT_EQ(kRed, PixelAt(dc, 3, 7));
    EXPECT_EQ(kBlue, PixelAt(dc, 4, 0));
    EXPECT_EQ(kBlue, PixelAt(dc, 7, 7));
    DeleteDC(dc);
    DeleteEnhMetaFile(metafile);
}

TEST(WmfConvert, FilesAreReadWholeAndCopiedOut)
{
    TempDir dir;
    const MetaBytes bytes = Picture().Finish();
    WriteBytes(dir.File("a.wmf"), bytes);
    WriteBytes(dir.File("placeable.wmf"), Picture().FinishPlaceable(0, 0, 8, 8, 96));
    HMETAFILE wmf = GetMetaFileA(dir.File("a.wmf").c_str());
    ASSERT_NE(nullptr, wmf);
    ASSERT_EQ(bytes.size(), GetMetaFileBitsEx(wmf, 0, nullptr));
    MetaBytes copy(bytes.size());
    EXPECT_EQ(bytes.size(), GetMetaFileBitsEx(wmf, static_cast<UINT>(copy.size()), copy.data()));
    EXPECT_EQ(bytes, copy);
    EXPECT_TRUE(DeleteMetaFile(wmf));
    EXPECT_FALSE(DeleteMetaFile(wmf));
    EXPECT_EQ(nullptr, GetMetaFileA(dir.File("placeable.wmf").c_str()));
    EXPECT_EQ(nullptr, GetMetaFileA(dir.File("missing.wmf").c_str()));
    EXPECT_EQ(nullptr, GetEnhMetaFileA(dir.File("a.wmf").c_str()));
}

TEST(WmfConvert, RecordsOutsideTheConvertedSetAndDamagedDataAreRefused)
{
    const MetaBytes dib = MakeDib(24, 1, 1, [](int, int) { return 0u; });
    const MetaBytes rle = MakeDib(
        8, 2, 2, [](int, int) { return 0u; }, {0, 0xFFFFFF}, 1);
    MetaBytes noEof = Picture().Finish();
    noEof.resize(noEof.size() - 6);
    noEof[6] -= 3;  // the header's Size no longer counts the end record
    MetaBytes pastData = Picture().Finish();
    pastData[18] = 0xFF;  // the first record claims 255 words
    MetaBytes headerSize = Picture().Finish();
    headerSize[2] = 8;
    MetaBytes sizePastData = Picture().Finish();
    sizePastData[8] = 1;
    MetaBytes twoWords = WmfBuilder().Record(0x001E, {}).Finish();
    Patch32(twoWords, 18, 2);  // below the three words of every record
    const struct {
        const char* name;
        MetaBytes bytes;
        DWORD error;
    } cases[] = {
        {"META_FLOODFILL", WmfBuilder().Record(0x0419, {0, 0, 1, 1}).Finish(), ERROR_NOT_SUPPORTED},
        {"META_SETROP2 R2_XORPEN", WmfBuilder().Record(0x0104, {7}).Finish(), ERROR_NOT_SUPPORTED},
        {"META_POLYGON of more points than the record holds", WmfBuilder().Record(0x0324, {100, 1, 1}).Finish(),
         ERROR_INVALID_DATA},
        {"META_POLYPOLYGON counts past the record", WmfBuilder().Record(0x0538, {3, 2, 2}).Finish(),
         ERROR_INVALID_DATA},
        {"META_SELECTOBJECT of an empty index", WmfBuilder().Record(0x012D, {0}).Finish(), ERROR_INVALID_DATA},
        {"META_TEXTOUT longer than the record", WmfBuilder().Record(0x0521, {40, 0x4241, 0, 0}).Finish(),
         ERROR_INVALID_DATA},
        {"META_CREATEFONTINDIRECT cut short", WmfBuilder().Record(0x02FB, {-12, 0, 0}).Finish(), ERROR_INVALID_DATA},
        {"META_DIBBITBLT without a DIB", WmfBuilder().Record(0x0940, {0x0020, 0x00CC, 0, 0, 0, 1, 1, 0, 0}).Finish(),
         ERROR_NOT_SUPPORTED},
        {"other raster operation",
         WmfBuilder().Record(0x0F43, {0x00C6, 0x0088, 0, 1, 1, 0, 0, 1, 1, 0, 0}, dib).Finish(), ERROR_NOT_SUPPORTED},
        {"palette colours", WmfBuilder().Record(0x0F43, {0x0020, 0x00CC, 1, 1, 1, 0, 0, 1, 1, 0, 0}, dib).Finish(),
         ERROR_NOT_SUPPORTED},
        {"BI_RLE8 DIB", WmfBuilder().Record(0x0F43, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 2, 2, 0, 0}, rle).Finish(),
         ERROR_NOT_SUPPORTED},
        {"DIB cut short",
         WmfBuilder()
             .Record(0x0F43, {0x0020, 0x00CC, 0, 1, 1, 0, 0, 1, 1, 0, 0}, MetaBytes(dib.begin(), dib.end() - 4))
             .Finish(),
         ERROR_INVALID_DATA},
        {"record of two words", twoWords, ERROR_INVALID_DATA},
        {"no META_EOF", noEof, ERROR_INVALID_DATA},
        {"record past the data", pastData, ERROR_INVALID_DATA},
        {"header of 8 words", headerSize, ERROR_INVALID_DATA},
        {"Size past the data", sizePastData, ERROR_INVALID_DATA},
        {"RestoreDC without SaveDC", WmfBuilder().Record(0x0127, {-1}).Finish(), ERROR_INVALID_DATA},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetLastError(0);
        EXPECT_EQ(nullptr, SetWinMetaFileBits(static_cast<UINT>(c.bytes.size()), c.bytes.data(), nullptr, &kPicture));
        EXPECT_EQ(c.error, GetLastError());
    }
}

}  // namespace
