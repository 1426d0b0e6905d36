// The encoding routines: run-length rows, the IDAT walk, the palette tests
// and what a failed encode leaves behind.
#include <gtest/gtest.h>

#include <cstring>

#include "foundation/datasource/DataSource.h"
#include "formats/pdf/PDFCodes.h"
#include "formats/pdf/PDFEncoder.h"
#include "formats/pdf/PDFPngChunks.h"
#include "formats/pdf/PdfTestSupport.h"
#include "support/ThrownText.h"

using namespace ZAV;
using namespace ZAVPdfTest;
using ZAVTest::ThrownText;

namespace {

std::vector<uint8_t> Collected(CDataSource& target)
{
    CArraySimple<unsigned char, 1> bytes;
    target.GetBinStream().CopyTo(bytes);
    return std::vector<uint8_t>(bytes.GetData(), bytes.GetData() + bytes.GetSize());
}

// PDF 32000-1 7.4.5, written from the standard's words.
std::vector<uint8_t> RunLengthDecode(const std::vector<uint8_t>& coded, bool& sawEnd)
{
    std::vector<uint8_t> out;
    sawEnd = false;
    for (size_t i = 0; i < coded.size();) {
        const int length = coded[i++];
        if (length == 128) {
            sawEnd = i == coded.size();
            break;
        }
        if (length < 128) {
            out.insert(out.end(), coded.begin() + i, coded.begin() + i + length + 1);
            i += length + 1;
        } else {
            out.insert(out.end(), 257 - length, coded[i]);
            ++i;
        }
    }
    return out;
}

void AddChunk(std::vector<uint8_t>& png, const char* type, const std::string& data)
{
    const uint32_t length = static_cast<uint32_t>(data.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        png.push_back(static_cast<uint8_t>(length >> shift));
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    png.insert(png.end(), 4, 0);  // the CRC is not read
}

std::string WalkIdat(const std::vector<uint8_t>& png, std::string& copied)
{
    CDataSource file;
    file.OpenMemory(png.data(), png.size());
    CDataSource target;
    target.OpenBinStream();
    const std::string thrown = ThrownText([&] { CopyPngIdatData(file, target); });
    const std::vector<uint8_t> bytes = Collected(target);
    copied.assign(bytes.begin(), bytes.end());
    return thrown;
}

// The image's /RunLengthDecode stream, decoded back.
std::vector<uint8_t> RunLengthRoundTrip(CZAVImg& image, bool& sawEnd)
{
    CDataSource target;
    target.OpenBinStream();
    CPDFEncoder encoder(&image);
    encoder.WriteRunLengthStream(&target);
    return RunLengthDecode(Collected(target), sawEnd);
}

}  // namespace

TEST(PDFStreamEncode, RunLengthRowsDecodeBackAndEndWith128)
{
    for (int depth : {1, 8, 24}) {
        CZAVImg image;
        MakePicture(image, 300, 7, depth, 72);
        BYTE** rows = image.GetLineArray();
        std::memset(rows[2], 0x5A, static_cast<size_t>(image.GetBytesPerLine()));  // a row of one long run
        bool sawEnd = false;
        const std::vector<uint8_t> decoded = RunLengthRoundTrip(image, sawEnd);
        EXPECT_TRUE(sawEnd) << depth;
        ASSERT_EQ(decoded.size(), static_cast<size_t>(image.GetImageSize())) << depth;
        EXPECT_EQ(std::memcmp(decoded.data(), image.GetDataBlock()->GetData<BYTE>(), decoded.size()), 0) << depth;
    }
}

// A row whose run after a short literal codes to more than the coder's
// 100,000-byte buffer.
TEST(PDFStreamEncode, RunLengthOfALongRunAfterALiteral)
{
    CZAVImg image;
    ASSERT_EQ(1, image.Create(6500000, 1, 8));
    BYTE* row = image.GetLineArray()[0];
    row[0] = 1;
    row[1] = 2;
    row[2] = 3;
    bool sawEnd = false;
    const std::vector<uint8_t> decoded = RunLengthRoundTrip(image, sawEnd);
    EXPECT_TRUE(sawEnd);
    ASSERT_EQ(decoded.size(), size_t(6500000));
    EXPECT_EQ(std::memcmp(decoded.data(), row, decoded.size()), 0);
}

TEST(PDFStreamEncode, IdatWalkJoinsSplitChunksAndRefusesABrokenRun)
{
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    AddChunk(png, "IHDR", std::string(13, '\0'));
    AddChunk(png, "IDAT", "abc");
    AddChunk(png, "IDAT", "defg");
    AddChunk(png, "tEXt", "k");
    AddChunk(png, "IEND", "");
    std::string copied;
    EXPECT_EQ(WalkIdat(png, copied), "(nothing thrown)");
    EXPECT_EQ(copied, "abcdefg");

    std::vector<uint8_t> broken = png;
    broken.resize(broken.size() - 12);  // IEND off
    AddChunk(broken, "IDAT", "h");
    EXPECT_EQ(WalkIdat(broken, copied), "PNG IDAT chunk sequence broken");

    std::vector<uint8_t> cut(png.begin(), png.begin() + 8 + 25 + 8 + 2);  // inside the first IDAT
    EXPECT_EQ(WalkIdat(cut, copied), "Seek in PNG file failed!");
}

TEST(PDFStreamEncode, PaletteTestsFollowLuminance)
{
    struct Case {
        uint32_t first, second;
        int depth;
        bool blackFirst, needsInversion;
    };
    const Case cases[] = {
        {MakePaletteEntry(0, 0, 0), MakePaletteEntry(255, 255, 255), 1, true, false},
        {MakePaletteEntry(255, 255, 255), MakePaletteEntry(0, 0, 0), 1, false, true},
        {MakePaletteEntry(9, 9, 9), MakePaletteEntry(9, 9, 9), 1, true, false},
        // Equal luminance of different colours counts entry 1 as the darker.
        {MakePaletteEntry(0, 0, 255), MakePaletteEntry(0, 0, 254), 1, false, true},
        {MakePaletteEntry(255, 255, 255), MakePaletteEntry(0, 0, 0), 8, false, false},
    };
    for (const Case& c : cases) {
        CZAVImg image;
        MakePicture(image, 4, 4, c.depth, 72);
        image.GetPalette().SetEntry(0, c.first);
        image.GetPalette().SetEntry(1, c.second);
        CPDFEncoder encoder(&image);
        EXPECT_EQ(encoder.IsPaletteBlackFirst(), c.blackFirst);
        EXPECT_EQ(encoder.NeedsInversion(), c.needsInversion);
    }
    CZAVImg empty;
    CPDFEncoder encoder(&empty);
    EXPECT_TRUE(encoder.IsPaletteBlackFirst());
}

// A save that fails after the pixels were inverted for it leaves the
// caller's pixels and save settings as they were.
TEST(PDFStreamEncode, FailedEncodeLeavesPixelsAndSettings)
{
    CZAVImg image;
    MakePicture(image, 30, 9, 1, 72);
    image.GetPalette().CreateWhiteBlack();
    image.m_tiffCompression = kTiffLzw;
    image.m_prepareBeforeSave = 1;
    image.m_jpegGray = 7;
    image.m_pngColorType = 6;
    const std::vector<uint8_t> before(image.GetDataBlock()->GetData<BYTE>(),
                                      image.GetDataBlock()->GetData<BYTE>() + image.GetImageSize());
    CDataSource target;  // never opened: every write fails
    CPDFEncoder encoder(&image);
    EXPECT_NE(ThrownText([&] { encoder.WriteTiffStripsInverted(&target); }), "(nothing thrown)");
    const std::vector<uint8_t> after(image.GetDataBlock()->GetData<BYTE>(),
                                     image.GetDataBlock()->GetData<BYTE>() + image.GetImageSize());
    EXPECT_EQ(after, before);
    EXPECT_EQ(image.m_tiffCompression, kTiffLzw);
    EXPECT_EQ(image.m_prepareBeforeSave, 1);
    EXPECT_EQ(image.m_jpegGray, 7);
    EXPECT_EQ(image.m_pngColorType, 6);
}
