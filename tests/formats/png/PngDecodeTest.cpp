// What the PNG decoder reports of a file, how it refuses damaged and
// hostile data, and the PNG wrapping of raw IDAT data that PDF streams use.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "formats/codec/CodecErrorText.h"
#include "formats/support/CodecPictures.h"
#include "formats/png/PNGDecoder.h"
#include "formats/png/PNGEncoder.h"
#include "foundation/datasource/DataSource.h"
#include "image/object/ZAVImg.h"
#include "support/ScopedEnv.h"
#include "support/ThrownText.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

std::string InfoText(CZAVImg& image, const char* key)
{
    return image.GetImageInfoList()->GetValue(key).GetAsText();
}

std::vector<uint8_t> SavedPng(CZAVImg& image)
{
    TempDir dir;
    const std::string path = dir.File("saved.png");
    image.SaveToFile(path.c_str(), 6, nullptr);
    return ReadBytes(path);
}

uint32_t Be32(const std::vector<uint8_t>& bytes, size_t at)
{
    return (uint32_t(bytes[at]) << 24) | (bytes[at + 1] << 16) | (bytes[at + 2] << 8) | bytes[at + 3];
}

void PutBe32(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

TEST(PngDecode, ReportsTheFileFactsAndResolution)
{
    CZAVImg image;
    FillPatternImage(image, 10, 4, 24);
    image.SetResolution(96, 96, kResolutionUnitInch);
    const std::vector<uint8_t> file = SavedPng(image);

    CZAVImg loaded;
    loaded.LoadFromMemory(file.data(), static_cast<int64_t>(file.size()), 6);
    EXPECT_EQ("Portable Network Graphics (PNG)", InfoText(loaded, "TYPE"));
    EXPECT_EQ("RGB", InfoText(loaded, "SUBTYPE"));
    EXPECT_EQ(8, loaded.GetImageInfoList()->GetValue("COLORDEPTH").GetAsInt());
    EXPECT_EQ("3780pixels/meter", InfoText(loaded, "DPIX"));
    EXPECT_EQ("3780pixels/meter", InfoText(loaded, "DPIY"));
    EXPECT_EQ(96, loaded.GetXResolution());

    CDataSource source;
    ASSERT_TRUE(source.OpenMemory(file.data(), file.size()));
    FilterImageInfo info{};
    CPNGDecoder decoder;
    EXPECT_EQ(1, decoder.GetFileInfo(&loaded, &source, &info));
    EXPECT_EQ(10, info.width);
    EXPECT_EQ(4, info.height);
    EXPECT_EQ(8, info.bitsPerPixel);
    EXPECT_EQ(96, info.dpiX);
}

TEST(PngDecode, AFileWithoutResolutionGetsTheScreens)
{
    TempDir dir;
    const std::string path = dir.File("plain.png");
    const RunResult made = RunPython(
        dir, "import sys\nfrom PIL import Image\nImage.new('L', (3, 2), 9).save(sys.argv[1])\n", ShellQuote(path));
    ASSERT_EQ(0, made.exitCode) << made.output;
    CZAVImg image;
    image.LoadFromFile(path.c_str(), 6);
    EXPECT_EQ("Gray", InfoText(image, "SUBTYPE"));
    EXPECT_EQ("0", InfoText(image, "DPIX"));
    EXPECT_EQ(CZAVImg().GetXResolution(), image.GetXResolution());
}

TEST(PngDecode, ContentDetectionFindsAPngWhateverItsName)
{
    CZAVImg image;
    FillPatternImage(image, 4, 4, 8);
    const std::vector<uint8_t> file = SavedPng(image);
    TempDir dir;
    const std::string path = dir.File("picture.jpg");
    WriteBytes(path, file);
    CZAVImg detected;
    detected.m_detectByExtension = 0;
    EXPECT_EQ(6, detected.GetFileFormatFromFile(path.c_str()));
    const std::vector<uint8_t> shortFile = {0x89, 'P'};
    CDataSource source;
    ASSERT_TRUE(source.OpenMemory(shortFile.data(), shortFile.size()));
    EXPECT_EQ(0, CPNGDecoder().IsFileFormat(&detected, &source));
}

TEST(PngDecode, DamagedDataFailsAndLeavesTheImageEmpty)
{
    CZAVImg source;
    FillPatternImage(source, 40, 30, 24);
    const std::vector<uint8_t> file = SavedPng(source);
    const std::vector<uint8_t> truncated(file.begin(), file.begin() + file.size() / 2);
    CZAVImg image;
    const std::string text =
        ThrownText([&] { image.LoadFromMemory(truncated.data(), static_cast<int64_t>(truncated.size()), 6); });
    EXPECT_EQ("Decoder error: Read Error", text);
    EXPECT_STREQ("Read Error", GetCodecErrorText());
    EXPECT_FALSE(image.HasImage());

    std::vector<uint8_t> corrupt = file;
    const size_t idat = std::string(file.begin(), file.end()).find("IDAT");
    ASSERT_NE(std::string::npos, idat);
    corrupt[idat + 10] ^= 0xFF;  // inside the IDAT data: its CRC no longer fits
    // libpng names the chunk it failed in.
    EXPECT_EQ(0u, ThrownText([&] {
                      image.LoadFromMemory(corrupt.data(), static_cast<int64_t>(corrupt.size()), 6);
                  }).rfind("Decoder error: IDAT: ", 0));
    EXPECT_FALSE(image.HasImage());
}

// A header that claims a picture its data cannot hold is refused before
// the picture is allocated.
TEST(PngDecode, AHeaderLargerThanItsDataIsRefused)
{
    CZAVImg source;
    FillPatternImage(source, 8, 8, 24);
    std::vector<uint8_t> file = SavedPng(source);
    PutBe32(file, 16, 20000);  // IHDR width and height
    PutBe32(file, 20, 20000);
    PutBe32(file, 29, static_cast<uint32_t>(crc32(0, file.data() + 12, 17)));
    ASSERT_EQ(20000u, Be32(file, 16));
    CZAVImg image;
    EXPECT_EQ("Decoder error: Not enough image data",
              ThrownText([&] { image.LoadFromMemory(file.data(), static_cast<int64_t>(file.size()), 6); }));
}

// The file with a chunk of the type and data put in after IHDR.
std::vector<uint8_t> WithChunk(std::vector<uint8_t> file, const char* type, const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> chunk(4);
    PutBe32(chunk, 0, static_cast<uint32_t>(data.size()));
    chunk.insert(chunk.end(), type, type + 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    chunk.resize(chunk.size() + 4);
    PutBe32(chunk, chunk.size() - 4, static_cast<uint32_t>(crc32(0, chunk.data() + 4, uInt(chunk.size() - 8))));
    file.insert(file.begin() + 33, chunk.begin(), chunk.end());  // after the signature and IHDR
    return file;
}

// libpng's "huge chunk" files: 57 bytes whose ancillary chunk declares
// nearly 2 GB. libpng only warns that such a chunk is too large and would
// then allocate it whole; the decode must fail at once instead. The child
// runs under a memory ceiling (AddressSanitizer's largest allocation, or
// the address-space limit without it), so a big allocation ends it.
// Loads file under a ceiling on the address space (where no sanitizer
// reserves its own) and exits 0 when the load failed with the read error.
// A function of its own: the braces of the ceiling hold a comma, which the
// death-test macro would take for an argument separator.
[[noreturn]] void ExitWithTheLoadsVerdict(const std::vector<uint8_t>& file)
{
#if !defined(__SANITIZE_ADDRESS__)
    const rlimit limit{size_t(1) << 30, size_t(1) << 30};
    setrlimit(RLIMIT_AS, &limit);
#endif
    CZAVImg image;
    const std::string text =
        ThrownText([&] { image.LoadFromMemory(file.data(), static_cast<int64_t>(file.size()), 6); });
    std::_Exit(text == "Decoder error: Read Error" ? 0 : 3);
}

TEST(PngDecode, AHugeAncillaryChunkIsRefusedWithoutItsAllocation)
{
    CZAVImg tiny;
    ASSERT_EQ(1, tiny.Create(1, 1, 8));
    const std::vector<uint8_t> plain = SavedPng(tiny);
    const char* asan = std::getenv("ASAN_OPTIONS");
    ScopedEnv ceiling("ASAN_OPTIONS", std::string(asan ? asan : "") + ":max_allocation_size_mb=64");
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const char* type : {"iTXt", "sPLT", "juNK"}) {
        SCOPED_TRACE(type);
        // Signature and IHDR, the chunk's length and type and four bytes of
        // its data, then IEND (which the chunk's data swallows).
        std::vector<uint8_t> file(plain.begin(), plain.begin() + 33);
        file.resize(37);
        PutBe32(file, 33, 0x7FFFFFF0);
        file.insert(file.end(), type, type + 4);
        const uint8_t tail[] = {'k', 0, 1, 0, 0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
        file.insert(file.end(), std::begin(tail), std::end(tail));
        ASSERT_EQ(57u, file.size());
        EXPECT_EXIT(ExitWithTheLoadsVerdict(file), testing::ExitedWithCode(0), "");
    }
}

// Chunks the decoder does not read, of real sizes, are passed over.
TEST(PngDecode, AncillaryChunksOfRealSizesArePassedOver)
{
    CZAVImg source;
    FillPatternImage(source, 12, 5, 24);
    std::vector<uint8_t> text(300000, 'x');
    text[3] = 0;
    const std::vector<uint8_t> file = WithChunk(WithChunk(SavedPng(source), "tEXt", text), "juNK", {1, 2, 3});
    CZAVImg image;
    image.LoadFromMemory(file.data(), static_cast<int64_t>(file.size()), 6);
    ASSERT_EQ(12, image.GetWidth());
    EXPECT_EQ(0, std::memcmp(image.GetImageData(), source.GetImageData(), size_t(source.GetImageSize())));
}

// Rows with their filter byte (0, none), zlib-compressed: IDAT data.
std::vector<uint8_t> RawIdat(CZAVImg& image)
{
    std::vector<uint8_t> rows;
    for (int y = 0; y < image.GetHeight(); ++y) {
        rows.push_back(0);
        rows.insert(rows.end(), image.GetLineArray()[y], image.GetLineArray()[y] + image.GetBytesPerLine());
    }
    uLongf size = compressBound(rows.size());
    std::vector<uint8_t> data(size);
    EXPECT_EQ(Z_OK, compress(data.data(), &size, rows.data(), rows.size()));
    data.resize(size);
    return data;
}

TEST(PngRawIdat, WrapsRowsByTheImageDepth)
{
    ASSERT_TRUE(HaveTool("pngcheck"));
    const struct {
        int depth;
        int colorType;
        int predictor;
    } cases[] = {{1, 3, 10}, {8, 3, 15}, {24, 2, 14}};
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        CZAVImg image;
        FillPatternImage(image, 19, 5, c.depth);
        const std::vector<uint8_t> idat = RawIdat(image);
        const std::string path = dir.File("raw.png");
        uint32_t bytes = 0;
        {
            CDataSource target;
            ASSERT_TRUE(target.OpenFileForWriting(path.c_str(), false));
            CPNGEncoder().WriteRawIdat(&image, &target, idat.data(), idat.size(), c.predictor, &bytes);
            target.Close();
        }
        const std::vector<uint8_t> file = ReadBytes(path);
        EXPECT_EQ(file.size(), bytes);
        EXPECT_EQ(c.colorType, file[25]);
        const RunResult check = ZAVTest::Run("pngcheck " + ShellQuote(path));
        EXPECT_EQ(0, check.exitCode) << check.output;
        PillowPixels(dir, path);
        EXPECT_EQ(ImageRgb(image), ReadBytes(path + ".rgb"));
    }
}

TEST(PngRawIdat, RefusesPredictorsOutsideTheFilterSets)
{
    CZAVImg image;
    FillPatternImage(image, 4, 4, 8);
    CDataSource target;
    ASSERT_TRUE(target.OpenBinStream());
    const uint8_t data[1] = {0};
    for (int predictor : {9, 16, 2}) {
        EXPECT_EQ("Invalid PNG predictor value " + std::to_string(predictor) + "!",
                  ThrownText([&] { CPNGEncoder().WriteRawIdat(&image, &target, data, 1, predictor, nullptr); }));
    }
}

}  // namespace
