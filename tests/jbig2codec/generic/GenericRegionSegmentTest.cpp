#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jbig2codec/generic/JB2GenericRegionDecoder.h"
#include "jbig2codec/generic/JB2GenericRegionEncoder.h"
#include "jbig2codec/render/JB2DrawGenericRegion.h"
#include "jbig2codec/segments/JB2SegmentFields.h"
#include "tests/jbig2codec/JB2SegmentFixture.h"
#include "tests/jbig2codec/JB2TestFiles.h"
#include "tests/jbig2codec/JB2TestPages.h"

using namespace ZAV;

namespace {

using JB2Test::Page;

struct GenericSegment : SegmentFixture {
    // A generic region segment with its header fields and, when a page is
    // given, the page coded into it.
    JB2SegmentHeader* Build(uint32_t type, uint32_t width, uint32_t height, uint32_t x, uint32_t y, uint8_t regionFlags,
                            uint8_t genericFlags, const Page* page)
    {
        JB2SegmentHeader* segment = Make(type, {});
        EXPECT_EQ(0, JB2RegionSetWidth(segment, width));
        EXPECT_EQ(0, JB2RegionSetHeight(segment, height));
        EXPECT_EQ(0, JB2RegionSetX(segment, x));
        EXPECT_EQ(0, JB2RegionSetY(segment, y));
        EXPECT_EQ(0, JB2RegionSetFlags(segment, regionFlags));
        EXPECT_EQ(0, JB2GenericSetFlags(segment, genericFlags));
        if (!(genericFlags & 1)) {
            EXPECT_EQ(0, JB2GenericSetNominalATPixels(segment, (genericFlags >> 1) & 3));
        }
        if (page) {
            JB2GenericRegionEncoder* encoder = nullptr;
            EXPECT_EQ(0, Generic_Region_Encoder_Start(&encoder, memory, segment, message));
            if (encoder) {
                for (uint32_t row = 0; row < page->height; ++row)
                    EXPECT_EQ(0, Generic_Region_Encoder_Line(encoder, page->Row(row)));
                EXPECT_EQ(0, Generic_Region_Encoder_End(&encoder, memory));
            }
        }
        return segment;
    }

    std::vector<uint8_t> Data(JB2SegmentHeader* segment)
    {
        std::vector<uint8_t> bytes(JB2SegmentDataLength(segment));
        EXPECT_EQ(0, JB2SegmentReadBytes(segment, 0, uint32_t(bytes.size()), bytes.data()));
        return bytes;
    }
};

TEST_F(GenericSegment, EncodedSegmentsDecodeHereAndThroughJbig2dec)
{
    ZAVTest::TempDir dir;
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    const Page page = JB2Test::TextPage("text", 93, 47, 21);
    for (const uint8_t flags : {uint8_t(0x00), uint8_t(0x02), uint8_t(0x04), uint8_t(0x06), uint8_t(0x01)}) {
        JB2SegmentHeader* segment = Build(38, page.width, page.height, 0, 0, 0, flags, &page);
        JB2GenericRegionDecoder* decoder = nullptr;
        ASSERT_EQ(0, Generic_Region_Decoder_Start(&decoder, memory, segment, message)) << messages.All();
        Page decoded = JB2Test::BlankPage("decoded", page.width, page.height);
        for (uint32_t row = 0; row < page.height; ++row)
            ASSERT_EQ(0, Generic_Region_Decoder_Line(decoder, decoded.Row(row)));
        EXPECT_EQ(-500, Generic_Region_Decoder_Line(decoder, decoded.Row(0)));
        EXPECT_EQ(0, Generic_Region_Decoder_End(&decoder, memory));
        EXPECT_EQ(page.bits, decoded.bits) << int(flags);

        const std::vector<uint8_t> file = JB2Test::OnePageFile(page.width, page.height, {Data(segment)});
        EXPECT_EQ(page.bits, JB2Test::Jbig2decDecode(file, dir).bits) << int(flags);
        JB2SegmentRelease(&segment);
    }
}

TEST_F(GenericSegment, OnlyImmediateGenericRegionsAreCoded)
{
    for (const uint32_t type : {36u, 40u, 42u, 43u}) {
        messages.pieces.clear();
        JB2SegmentHeader* segment = Make(type, std::vector<uint8_t>(40, 0));
        JB2GenericRegionDecoder* decoder = nullptr;
        EXPECT_EQ(-500, Generic_Region_Decoder_Start(&decoder, memory, segment, message)) << type;
        JB2GenericRegionEncoder* encoder = nullptr;
        EXPECT_EQ(-500, Generic_Region_Encoder_Start(&encoder, memory, segment, message)) << type;
        EXPECT_TRUE(messages.HasOfType(11, "Unsupported generic region segment!")) << type;
        JB2GenericRegionDraw* render = nullptr;
        EXPECT_EQ(-22, JB2GenericRegionDrawCreate(&render, memory, segment, 128, message)) << type;
        JB2SegmentRelease(&segment);
    }
}

TEST_F(GenericSegment, DamagedSizesAndLengthsAreRefused)
{
    struct Case {
        std::string name;
        uint32_t width;
        uint32_t height;
        uint32_t extraBytes;  // coded bytes behind the header fields
        JB2_Error status;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"no coded data", 10, 10, 0, -19, "Invalid segment data length!"},
        {"zero width", 0, 10, 4, -19, "Invalid region size!"},
        {"zero height", 10, 0, 4, -19, "Invalid region size!"},
        {"too wide", 0xFFFFFFF0u, 2, 4, -22, "Region of 4294967280 x 2 pixels is too large!"},
        {"too many pixels", 1u << 16, 1u << 16, 4, -22, "Region of 65536 x 65536 pixels is too large!"},
    };
    for (const Case& c : cases) {
        messages.pieces.clear();
        JB2SegmentHeader* segment = Build(38, 1, 1, 0, 0, 0, 0x02, nullptr);
        ASSERT_EQ(0, JB2SegmentWriteU32(segment, 0, c.width));
        ASSERT_EQ(0, JB2SegmentWriteU32(segment, 4, c.height));
        const std::vector<uint8_t> extra(c.extraBytes, 0x55);
        if (!extra.empty()) {
            ASSERT_EQ(0, JB2SegmentWriteBytes(segment, 20, uint32_t(extra.size()), extra.data()));
        }
        allocator.largest = 0;
        JB2GenericRegionDecoder* decoder = nullptr;
        EXPECT_EQ(c.status, Generic_Region_Decoder_Start(&decoder, memory, segment, message)) << c.name;
        EXPECT_TRUE(messages.HasOfType(91, c.text)) << c.name << "\n" << messages.All();
        EXPECT_LT(allocator.largest, 4096u) << c.name;
        EXPECT_EQ(nullptr, decoder);
        JB2SegmentRelease(&segment);
    }
}

TEST_F(GenericSegment, DataLengthBeyondTheFileIsRefusedBeforeAllocating)
{
    // Header: number 1, type 38, no referred-to segments, page 1, 5,000,000 data bytes; 30 are there.
    source.bytes = {0, 0, 0, 1, 38, 0, 1};
    JB2Test::PutU32(source.bytes, 5000000);
    const std::vector<uint8_t> fields = JB2Test::RegionInfo(8, 8, 0, 0, 0);
    source.bytes.insert(source.bytes.end(), fields.begin(), fields.end());
    source.bytes.insert(source.bytes.end(), {0x02, 3, 0xFF});  // template 1, AT (3, -1)
    source.bytes.resize(source.bytes.size() + 10, 0);
    JB2SegmentHeader* segment = nullptr;
    uint32_t headerLength = 0;
    ASSERT_EQ(0, JB2SegmentReadHeader(&segment, memory, nullptr, readData, 0, &headerLength, message));
    ASSERT_EQ(0, JB2SegmentAttachSource(segment, readData, message));
    allocator.largest = 0;
    JB2GenericRegionDecoder* decoder = nullptr;
    EXPECT_EQ(-13, Generic_Region_Decoder_Start(&decoder, memory, segment, message));
    EXPECT_TRUE(messages.HasOfType(91, "Unable to read generic region segment data!"));
    EXPECT_LT(allocator.largest, 1000000u);
    JB2SegmentRelease(&segment);
}

// The page is pre-filled so that every operator shows; positions on and off the page.
TEST_F(GenericSegment, RenderingCombinesClipsAndTakesTheRegionOperator)
{
    const Page region = JB2Test::NoisePage("region", 21, 9, 44);
    struct Case {
        uint32_t x;
        uint32_t y;
        uint8_t regionFlags;
        uint8_t combination;
    };
    const std::vector<Case> cases = {{0, 0, 0, 0},           {5, 3, 0, 1},   {11, 2, 0, 2}, {3, 7, 0, 3},
                                     {29, 1, 0, 4},          {7, 4, 2, 128}, {40, 0, 0, 0}, {0, 12, 0, 0},
                                     {0xFFFFFFFBu, 0, 0, 0}, {19, 8, 4, 128}};
    for (const Case& c : cases) {
        Page page = JB2Test::NoisePage("page", 40, 12, c.x + c.y);
        Page expected = page;
        const uint8_t op = c.combination == 128 ? (c.regionFlags & 7) : c.combination;
        for (uint64_t ry = 0; ry < region.height; ++ry)
            for (uint64_t rx = 0; rx < region.width; ++rx) {
                const uint64_t px = c.x + rx;
                const uint64_t py = c.y + ry;
                if (px >= page.width || py >= page.height)
                    continue;
                const bool d = page.Get(uint32_t(px), uint32_t(py));
                const bool s = region.Get(uint32_t(rx), uint32_t(ry));
                const bool on = op == 0 ? (d || s) : op == 1 ? (d && s) : op == 2 ? d != s : op == 3 ? d == s : s;
                uint8_t& byte = expected.Row(uint32_t(py))[px / 8];
                byte = on ? uint8_t(byte | (0x80 >> (px % 8))) : uint8_t(byte & ~(0x80 >> (px % 8)));
            }
        JB2SegmentHeader* segment = Build(39, region.width, region.height, c.x, c.y, c.regionFlags, 0x00, &region);
        JB2GenericRegionDraw* render = nullptr;
        ASSERT_EQ(0, JB2GenericRegionDrawCreate(&render, memory, segment, c.combination, message)) << messages.All();
        EXPECT_EQ(0, JB2GenericRegionDrawRows(render, page.bits.data(), page.width, page.height));
        EXPECT_EQ(0, JB2GenericRegionDrawEnd(&render, memory));
        EXPECT_EQ(expected.bits, page.bits) << c.x << ", " << c.y << " op " << int(op);
        JB2SegmentRelease(&segment);
    }
}

}  // namespace
