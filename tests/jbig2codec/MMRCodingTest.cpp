#include <gtest/gtest.h>

#include <tiffio.h>

#include <string>
#include <vector>

#include "jbig2codec/mmr/JB2MMRDecoder.h"
#include "jbig2codec/mmr/JB2MMREncoder.h"
#include "tests/jbig2codec/JB2TestFixtures.h"
#include "tests/jbig2codec/JB2TestPages.h"
#include "support/TestSupport.h"

using namespace ZAV;

namespace {

using JB2Test::Memory;
using JB2Test::Output;
using JB2Test::Page;

std::vector<Page> Pages()
{
    return {JB2Test::BlankPage("blank", 64, 20),
            JB2Test::BlackPage("black", 100, 30),
            JB2Test::TextPage("text", 640, 120, 7),
            JB2Test::TextPage("text odd width", 517, 90, 11),
            JB2Test::NoisePage("noise odd width", 203, 40, 5),
            JB2Test::BlankPage("one pixel wide", 1, 9),
            JB2Test::BlackPage("black odd width", 37, 5),
            JB2Test::LongRunPage("long runs", 6001, 24)};
}

// Writes a page as a Group 4 TIFF through libtiff and gives its coded strip.
std::vector<uint8_t> LibtiffG4(const Page& page, const std::string& path)
{
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    EXPECT_NE(nullptr, tif);
    if (!tif)
        return {};
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, page.width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, page.height);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
    TIFFSetField(tif, TIFFTAG_FILLORDER, FILLORDER_MSB2LSB);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, page.height);
    std::vector<uint8_t> row(page.Stride());
    for (uint32_t y = 0; y < page.height; ++y) {
        std::copy(page.Row(y), page.Row(y) + page.Stride(), row.begin());
        EXPECT_EQ(1, TIFFWriteScanline(tif, row.data(), y, 0));
    }
    TIFFClose(tif);
    tif = TIFFOpen(path.c_str(), "r");
    EXPECT_NE(nullptr, tif);
    if (!tif)
        return {};
    const tmsize_t size = TIFFRawStripSize(tif, 0);
    std::vector<uint8_t> coded(size_t(size > 0 ? size : 0));
    EXPECT_EQ(size, TIFFReadRawStrip(tif, 0, coded.data(), size));
    TIFFClose(tif);
    return coded;
}

// Wraps Group 4 data into a TIFF and decodes it through libtiff.
Page LibtiffDecode(const std::vector<uint8_t>& coded, uint32_t width, uint32_t height, const std::string& path)
{
    Page page = JB2Test::BlankPage("decoded", width, height);
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    EXPECT_NE(nullptr, tif);
    if (!tif)
        return page;
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
    TIFFSetField(tif, TIFFTAG_FILLORDER, FILLORDER_MSB2LSB);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, height);
    std::vector<uint8_t> copy = coded;
    EXPECT_EQ(tmsize_t(copy.size()), TIFFWriteRawStrip(tif, 0, copy.data(), tmsize_t(copy.size())));
    TIFFClose(tif);
    tif = TIFFOpen(path.c_str(), "r");
    EXPECT_NE(nullptr, tif);
    if (!tif)
        return page;
    for (uint32_t y = 0; y < height; ++y)
        EXPECT_EQ(1, TIFFReadScanline(tif, page.Row(y), y, 0)) << y;
    TIFFClose(tif);
    return page;
}

// Decodes MMR data through the codec's decoder; the status of the first failing line.
int32_t DecodeMMR(std::vector<uint8_t> coded, uint32_t width, uint32_t height, Page* page)
{
    Memory memory;
    const uint32_t length = uint32_t(coded.size());
    coded.resize(coded.size() + 7);
    JB2MMRDecoder* decoder = nullptr;
    int32_t status =
        MMR_Decoder_Start(&decoder, memory.Get(), width, height, coded.data(), length, uint32_t(coded.size()), nullptr);
    if (status != 0)
        return status;
    *page = JB2Test::BlankPage("decoded", width, height);
    for (uint32_t y = 0; y < height && status == 0; ++y)
        status = MMR_Decoder_Line(decoder, page->Row(y));
    MMR_Decoder_End(&decoder, memory.Get());
    return status;
}

class MMRCoding : public ::testing::Test {
protected:
    void SetUp() override { TIFFSetWarningHandler(nullptr); }
    ZAVTest::TempDir dir;
};

TEST_F(MMRCoding, DecodesGroup4DataWrittenByLibtiff)
{
    for (const Page& page : Pages()) {
        const std::vector<uint8_t> coded = LibtiffG4(page, dir.File("in.tif"));
        ASSERT_FALSE(coded.empty()) << page.name;
        Page decoded;
        ASSERT_EQ(0, DecodeMMR(coded, page.width, page.height, &decoded)) << page.name;
        EXPECT_EQ(page.bits, decoded.bits) << page.name;
    }
}

TEST_F(MMRCoding, LibtiffDecodesTheEncodersOutput)
{
    for (const Page& page : Pages()) {
        const std::vector<uint8_t> coded = JB2Test::EncodeMMR(page);
        ASSERT_FALSE(coded.empty()) << page.name;
        const Page decoded = LibtiffDecode(coded, page.width, page.height, dir.File("out.tif"));
        EXPECT_EQ(page.bits, decoded.bits) << page.name;
        Page own;
        ASSERT_EQ(0, DecodeMMR(coded, page.width, page.height, &own)) << page.name;
        EXPECT_EQ(page.bits, own.bits) << page.name;
    }
}

// Bits of a code sequence, packed and padded with zeros.
std::vector<uint8_t> Pack(const std::string& bits)
{
    std::vector<uint8_t> bytes((bits.size() + 7) / 8, 0);
    for (size_t i = 0; i < bits.size(); ++i)
        if (bits[i] == '1')
            bytes[i / 8] |= uint8_t(0x80 >> (i % 8));
    return bytes;
}

TEST_F(MMRCoding, EncoderWritesTheExpectedCodes)
{
    struct Case {
        uint32_t width;
        uint32_t blackRun;  // black from pixel 0 on the single line
        std::string bits;
    };
    const std::vector<Case> cases = {
        // An all-white line is one vertical-0 code.
        {64, 0, "1"},
        // 2560 black: its common make-up code and the terminating code for 0.
        {2600, 2560,
         "001"
         "00110101"
         "000000011111"
         "0000110111"
         "1"},
        // 2624 black: 2560, then the 64 make-up code and the terminating code for 0.
        {2700, 2624,
         "001"
         "00110101"
         "000000011111"
         "0000001111"
         "0000110111"
         "1"},
    };
    for (const Case& c : cases) {
        Page page = JB2Test::BlankPage("codes", c.width, 1);
        for (uint32_t x = 0; x < c.blackRun; ++x)
            page.Set(x, 0);
        EXPECT_EQ(Pack(c.bits), JB2Test::EncodeMMR(page)) << c.width;
    }
}

TEST_F(MMRCoding, CodesThatMoveBackwardsFailTheLine)
{
    // Line 1: horizontal white 2, black 2, then vertical 0 to the end.
    // Line 2: vertical 0 onto pixel 2, then vertical left 3, which lands left of a0.
    const std::vector<uint8_t> coded = Pack("001"
                                            "0111"
                                            "11"
                                            "1"
                                            "1"
                                            "0000010");
    Page page;
    EXPECT_EQ(-500, DecodeMMR(coded, 10, 2, &page));
    EXPECT_EQ(0, DecodeMMR(coded, 10, 1, &page));
    EXPECT_EQ(0x30, page.Row(0)[0]);
}

// Corrupt data must end in a clean failure or a decoded page, never a write
// outside the run lists or the line (the sanitizer watches), nor a hang.
TEST_F(MMRCoding, RandomDataNeverOverrunsTheRunLists)
{
    uint32_t seed = 99;
    auto next = [&seed]() { return seed = seed * 1664525u + 1013904223u, seed >> 16; };
    for (int round = 0; round < 3000; ++round) {
        const uint32_t width = 1 + next() % 300;
        std::vector<uint8_t> coded(1 + next() % 64);
        for (uint8_t& byte : coded)
            byte = uint8_t(next());
        // Bias towards mode codes that are easy to hit: vertical and pass.
        if (round % 2)
            for (uint8_t& byte : coded)
                byte |= 0x90;
        Page page;
        const int32_t status = DecodeMMR(coded, width, 1 + next() % 40, &page);
        EXPECT_TRUE(status == 0 || status == -500);
    }
}

TEST_F(MMRCoding, EndOfBlockIsSkippedOnlyWhenPresent)
{
    // Plane 1: three white lines. Plane 2: a black line, then two lines alike.
    const std::string plane1 = "111";
    const std::string plane2 = "001"
                               "00110101"
                               "0000010111"
                               "11"
                               "11";
    const std::string endOfBlock = "000000000001"
                                   "000000000001";
    for (const bool withEnd : {true, false}) {
        std::string bits = plane1 + (withEnd ? endOfBlock : "");
        bits.resize((bits.size() + 7) / 8 * 8, '0');
        std::vector<uint8_t> coded = Pack(bits + plane2);
        const uint32_t length = uint32_t(coded.size());
        coded.resize(coded.size() + 7);
        Memory memory;
        JB2MMRDecoder* decoder = nullptr;
        ASSERT_EQ(
            0, MMR_Decoder_Start(&decoder, memory.Get(), 16, 3, coded.data(), length, uint32_t(coded.size()), nullptr));
        uint8_t line[2];
        for (int y = 0; y < 3; ++y) {
            ASSERT_EQ(0, MMR_Decoder_Line(decoder, line));
            EXPECT_EQ(0, line[0] | line[1]);
        }
        EXPECT_EQ(-500, MMR_Decoder_Line(decoder, line));  // past the last line
        ASSERT_EQ(0, MMR_Decoder_Next_Plane(decoder));
        for (int y = 0; y < 3; ++y) {
            ASSERT_EQ(0, MMR_Decoder_Line(decoder, line)) << withEnd;
            EXPECT_EQ(0xFF, line[0]);
            EXPECT_EQ(0xFF, line[1]);
        }
        MMR_Decoder_End(&decoder, memory.Get());
    }
}

TEST_F(MMRCoding, RefusesBadArguments)
{
    Memory memory;
    std::vector<uint8_t> buffer(16);
    JB2MMRDecoder* decoder = nullptr;
    EXPECT_EQ(-500, MMR_Decoder_Start(&decoder, memory.Get(), 0, 1, buffer.data(), 4, 16, nullptr));
    EXPECT_EQ(-500, MMR_Decoder_Start(&decoder, memory.Get(), 1, 0, buffer.data(), 4, 16, nullptr));
    EXPECT_EQ(-500, MMR_Decoder_Start(&decoder, memory.Get(), 1, 1, buffer.data(), 0, 16, nullptr));
    EXPECT_EQ(-500, MMR_Decoder_Start(&decoder, memory.Get(), 1, 1, buffer.data(), 13, 16, nullptr));
    EXPECT_EQ(0, MMR_Decoder_Start(&decoder, memory.Get(), 1, 1, buffer.data(), 9, 16, nullptr));
    MMR_Decoder_End(&decoder, memory.Get());
    Output output(memory);
    JB2MMREncoder* encoder = nullptr;
    EXPECT_EQ(-500, MMR_Encoder_Start(&encoder, memory.Get(), 0, 1, 0, output.Get(), nullptr));
    EXPECT_EQ(-500, MMR_Encoder_Start(&encoder, memory.Get(), 1, 1, 0, nullptr, nullptr));
}

TEST_F(MMRCoding, FailedWriteIsReportedAtTheEnd)
{
    const Page page = JB2Test::NoisePage("noise", 800, 100, 3);
    Memory memory;
    Output output(memory, 500);
    JB2MMREncoder* encoder = nullptr;
    ASSERT_EQ(0, MMR_Encoder_Start(&encoder, memory.Get(), page.width, page.height, 0, output.Get(), nullptr));
    for (uint32_t y = 0; y < page.height; ++y)
        ASSERT_EQ(0, MMR_Encoder_Line(encoder, page.Row(y)));
    EXPECT_EQ(-12, MMR_Encoder_End(&encoder, memory.Get()));
}

}  // namespace
