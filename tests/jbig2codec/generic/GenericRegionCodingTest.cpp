#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "jbig2codec/generic/JB2ContextBuffer.h"
#include "jbig2codec/support/JB2Limits.h"
#include "jbig2codec/mmr/JB2MMREncoder.h"
#include "jbig2codec/generic/JB2MQContextDecoder.h"
#include "jbig2codec/generic/JB2MQContextEncoder.h"
#include "jbig2codec/mq/JB2MQContexts.h"
#include "jbig2codec/mq/JB2MQEncoder.h"
#include "jbig2codec/segments/JB2SegmentFields.h"
#include "tests/jbig2codec/JB2TestFiles.h"
#include "tests/jbig2codec/JB2TestFixtures.h"
#include "tests/jbig2codec/JB2TestPages.h"

using namespace ZAV;

namespace {

using JB2Test::Memory;
using JB2Test::Output;
using JB2Test::Page;

struct ATLayout {
    std::string name;
    int8_t x[4];
    int8_t y[4];
};

// Per template: the nominal layout and moved ones, the extremes of the ring included.
std::vector<ATLayout> Layouts(uint8_t gbTemplate)
{
    ATLayout nominal{"nominal", {}, {}};
    JB2GenericNominalATPixels(gbTemplate, nominal.x, nominal.y);
    if (gbTemplate == 0)
        return {nominal, {"far", {-128, 127, -1, 5}, {-128, -1, 0, -3}}, {"close", {-1, -2, 1, 0}, {0, 0, -1, -2}}};
    return {nominal, {"far", {127, 0, 0, 0}, {-128, 0, 0, 0}}, {"left", {-1, 0, 0, 0}, {0, 0, 0, 0}}};
}

std::vector<Page> Pages()
{
    Page repeats = JB2Test::BlankPage("repeated lines", 45, 30);
    for (uint32_t y = 5; y < 25; ++y)
        for (uint32_t x = 10; x < 30; ++x)
            if (y < 15 || x % 3 == 0)
                repeats.Set(x, y);
    return {JB2Test::TextPage("text", 131, 56, 3), JB2Test::NoisePage("noise", 29, 11, 8), repeats,
            JB2Test::BlackPage("black", 8, 3), JB2Test::DustPage("dust", 605, 80, 5)};
}

std::vector<uint8_t> Encode(Memory& memory, const Page& page, uint8_t gbTemplate, const ATLayout& at, bool tpgdon)
{
    Output output(memory);
    JB2MQContextEncoder* encoder = nullptr;
    EXPECT_EQ(0, MQ_Context_Encoder_Start_Adaptive(&encoder, memory.Get(), page.width, page.height, gbTemplate, at.x,
                                                   at.y, tpgdon, 0, output.Get(), memory.Message()));
    if (!encoder)
        return {};
    for (uint32_t y = 0; y < page.height; ++y)
        EXPECT_EQ(0, MQ_Context_Encoder_Line(encoder, page.Row(y)));
    EXPECT_EQ(-500, MQ_Context_Encoder_Line(encoder, page.Row(0)));
    EXPECT_EQ(0, MQ_Context_Encoder_End(&encoder, memory.Get()));
    return output.Bytes();
}

Page Decode(Memory& memory, const std::vector<uint8_t>& coded, uint32_t width, uint32_t height, uint8_t gbTemplate,
            const ATLayout& at, bool tpgdon)
{
    Page page = JB2Test::BlankPage("decoded", width, height);
    JB2MQContextDecoder* decoder = nullptr;
    EXPECT_EQ(0, MQ_Context_Decoder_Start(&decoder, memory.Get(), width, height, gbTemplate, 0, at.x, at.y,
                                          coded.data(), uint32_t(coded.size()), memory.Message()));
    if (!decoder)
        return page;
    for (uint32_t y = 0; y < height; ++y)
        EXPECT_EQ(0, MQ_Context_Decoder_Line(decoder, page.Row(y), tpgdon, nullptr));
    EXPECT_EQ(-500, MQ_Context_Decoder_Line(decoder, page.Row(0), tpgdon, nullptr));
    EXPECT_EQ(0, MQ_Context_Decoder_End(&decoder, memory.Get()));
    return page;
}

TEST(GenericRegionCoding, RoundTripsEveryTemplatePredictionAndATLayout)
{
    ZAVTest::TempDir dir;
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    for (uint8_t gbTemplate = 0; gbTemplate < 4; ++gbTemplate)
        for (const ATLayout& at : Layouts(gbTemplate))
            for (const bool tpgdon : {false, true})
                for (const Page& page : Pages()) {
                    const std::string what = "template " + std::to_string(gbTemplate) + ", AT " + at.name +
                                             (tpgdon ? ", TPGDON, " : ", ") + page.name;
                    Memory memory;
                    const std::vector<uint8_t> coded = Encode(memory, page, gbTemplate, at, tpgdon);
                    ASSERT_GE(coded.size(), 2u) << what;
                    EXPECT_EQ(0xFF, coded[coded.size() - 2]) << what;
                    EXPECT_EQ(0xAC, coded.back()) << what;
                    EXPECT_EQ(page.bits, Decode(memory, coded, page.width, page.height, gbTemplate, at, tpgdon).bits)
                        << what;
                    // An independent decoder reads the same pixels from a file around the code.
                    const std::vector<uint8_t> file =
                        JB2Test::OnePageFile(page.width, page.height,
                                             {JB2Test::GenericRegionData(page.width, page.height, false, gbTemplate,
                                                                         tpgdon, at.x, at.y, coded)});
                    const Page other = JB2Test::Jbig2decDecode(file, dir);
                    EXPECT_EQ(page.bits, other.bits) << what << " (jbig2dec)";
                }
}

// The output of the nominal line coder for the page, which writes from the
// offset on.
std::vector<uint8_t> EncodeNominal(Memory& memory, const Page& page, uint8_t gbTemplate, uint32_t offset)
{
    Output output(memory);
    JB2MQContextEncoder* encoder = nullptr;
    EXPECT_EQ(0, MQ_Context_Encoder_Start(&encoder, memory.Get(), page.width, page.height, gbTemplate, offset,
                                          output.Get(), nullptr));
    if (!encoder)
        return {};
    for (uint32_t y = 0; y < page.height; ++y)
        EXPECT_EQ(0, MQ_Context_Encoder_Line(encoder, page.Row(y)));
    EXPECT_EQ(0, MQ_Context_Encoder_End(&encoder, memory.Get()));
    return output.Bytes();
}

TEST(GenericRegionCoding, NominalEncoderMatchesTheAdaptiveOneAtNominalPlaces)
{
    const Page page = JB2Test::TextPage("text", 77, 40, 9);
    for (uint8_t gbTemplate = 0; gbTemplate < 4; ++gbTemplate) {
        Memory memory;
        const std::vector<uint8_t> nominal = EncodeNominal(memory, page, gbTemplate, 3);
        const std::vector<uint8_t> adaptive = Encode(memory, page, gbTemplate, Layouts(gbTemplate)[0], false);
        ASSERT_EQ(adaptive.size() + 3, nominal.size());
        EXPECT_TRUE(std::equal(adaptive.begin(), adaptive.end(), nominal.begin() + 3));
    }
}

// The nominal line coder takes white stretches as runs; what it writes must
// equal coding every pixel with the context the buffer cuts for it, on pages
// of wide white margins, lone dots near the stretches' ends and the edges,
// widths that are no multiple of 8, and long white pages.
std::vector<uint8_t> EncodePixelByPixel(Memory& memory, const Page& page, uint8_t gbTemplate)
{
    Output output(memory);
    JB2MQEncoder* mq = nullptr;
    JB2ContextBuffer* buffer = nullptr;
    EXPECT_EQ(0, MQ_Encoder_Start(&mq, memory.Get(), JB2MQContexts::kCount, 0, output.Get(), nullptr));
    EXPECT_EQ(0, Context_Buffer_Create(&buffer, memory.Get(), page.width, page.height, gbTemplate, 1, nullptr, nullptr,
                                       nullptr));
    if (!mq || !buffer)
        return {};
    for (uint32_t y = 0; y < page.height; ++y) {
        Context_Buffer_Put_Line(buffer, page.Row(y));
        for (uint32_t x = 0; x < page.width; ++x)
            MQ_Encoder_Encode_Bit(mq, JB2MQContexts::kGeneric + Context_Buffer_Context(buffer, x), page.Get(x, y));
        if (y + 1 < page.height) {
            EXPECT_EQ(0, Context_Buffer_Next_Line(buffer));
        }
    }
    EXPECT_EQ(0, MQ_Encoder_End(&mq, memory.Get()));
    Context_Buffer_End(&buffer, memory.Get());
    return output.Bytes();
}

std::vector<Page> SparsePages()
{
    Page dots = JB2Test::BlankPage("dots", 203, 61);
    for (uint32_t y = 0; y < dots.height; y += 3)
        dots.Set((y * 37 + y / 7) % dots.width, y);
    dots.Set(0, 0);
    dots.Set(dots.width - 1, dots.height - 1);
    Page bands = JB2Test::BlankPage("bands", 640, 40);
    for (uint32_t x = 100; x < 140; ++x)
        bands.Set(x, 20);
    for (uint32_t y = 10; y < 30; ++y)
        bands.Set(400 + y % 8, y);
    return {dots, bands, JB2Test::BlankPage("white", 2483, 300), JB2Test::TextPage("text", 517, 90, 5)};
}

TEST(GenericRegionCoding, NominalEncoderWritesWhatPixelByPixelCodingWrites)
{
    for (uint8_t gbTemplate = 0; gbTemplate < 4; ++gbTemplate)
        for (const Page& page : SparsePages()) {
            Memory memory;
            EXPECT_EQ(EncodePixelByPixel(memory, page, gbTemplate), EncodeNominal(memory, page, gbTemplate, 0))
                << "template " << int(gbTemplate) << ", " << page.name;
        }
}

TEST(GenericRegionCoding, MMRRegionsDecodeThroughJbig2dec)
{
    ZAVTest::TempDir dir;
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    for (const Page& page : Pages()) {
        Memory memory;
        Output output(memory);
        JB2MMREncoder* encoder = nullptr;
        ASSERT_EQ(0, MMR_Encoder_Start(&encoder, memory.Get(), page.width, page.height, 0, output.Get(), nullptr));
        for (uint32_t y = 0; y < page.height; ++y)
            ASSERT_EQ(0, MMR_Encoder_Line(encoder, page.Row(y)));
        ASSERT_EQ(0, MMR_Encoder_End(&encoder, memory.Get()));
        const std::vector<uint8_t> file = JB2Test::OnePageFile(
            page.width, page.height,
            {JB2Test::GenericRegionData(page.width, page.height, true, 0, false, nullptr, nullptr, output.Bytes())});
        EXPECT_EQ(page.bits, JB2Test::Jbig2decDecode(file, dir).bits) << page.name;
    }
}

// T.88 forbids AT pixels that are not yet coded when the pixel is.
TEST(GenericRegionCoding, ATPixelsAtOrAfterTheCurrentPixelAreRefused)
{
    struct Case {
        int8_t x;
        int8_t y;
        JB2_Error status;
    };
    const std::vector<Case> cases = {{0, 0, -19},  {1, 0, -19}, {127, 0, -19}, {0, 1, -19},
                                     {-5, 2, -19}, {-1, 0, 0},  {-128, 0, 0},  {127, -1, 0}};
    const uint8_t coded[2] = {0xFF, 0xAC};
    for (uint8_t gbTemplate : {uint8_t(0), uint8_t(2)})
        for (const Case& c : cases) {
            Memory memory;
            int8_t atX[4];
            int8_t atY[4];
            JB2GenericNominalATPixels(gbTemplate, atX, atY);
            atX[gbTemplate == 0 ? 3 : 0] = c.x;
            atY[gbTemplate == 0 ? 3 : 0] = c.y;
            JB2MQContextDecoder* decoder = nullptr;
            EXPECT_EQ(c.status, MQ_Context_Decoder_Start(&decoder, memory.Get(), 8, 8, gbTemplate, 0, atX, atY, coded,
                                                         2, memory.Message()))
                << int(c.x) << "," << int(c.y);
            EXPECT_EQ(c.status != 0, memory.Texts().Has("Invalid AT pixel position (" + std::to_string(c.x) + ", " +
                                                        std::to_string(c.y) + ")!"));
            EXPECT_EQ(c.status != 0, decoder == nullptr);
            if (decoder)
                MQ_Context_Decoder_End(&decoder, memory.Get());
        }
}

TEST(GenericRegionCoding, OversizedRegionsAreRefusedBeforeAllocating)
{
    struct Case {
        uint32_t width;
        uint32_t height;
        JB2_Error status;
    };
    const std::vector<Case> cases = {{0, 5, -500},
                                     {5, 0, -500},
                                     {kJB2MaxRegionWidth + 1, 1, -22},
                                     {0xFFFFFFFF, 0xFFFFFFFF, -22},
                                     {1u << 16, (1u << 14) + 1, -22},
                                     {kJB2MaxRegionWidth, 1, 0}};
    const uint8_t coded[2] = {0xFF, 0xAC};
    for (const Case& c : cases) {
        Memory memory;
        JB2MQContextDecoder* decoder = nullptr;
        memory.Allocations().largest = 0;
        EXPECT_EQ(c.status, MQ_Context_Decoder_Start(&decoder, memory.Get(), c.width, c.height, 0, 1, nullptr, nullptr,
                                                     coded, 2, memory.Message()))
            << c.width << " x " << c.height;
        if (c.status != 0) {
            EXPECT_EQ(0u, memory.Allocations().largest) << c.width << " x " << c.height;
        }
        if (decoder)
            MQ_Context_Decoder_End(&decoder, memory.Get());
    }
}

// A line with an empty skip line takes the pixel-by-pixel path; without one
// the line decoders take white bytes in one step and read the next pixel's
// context entries ahead. Both must leave the same pixels and the same coder
// registers and context states after every line.
TEST(GenericRegionCoding, LineDecodersMatchPixelByPixelDecoding)
{
    const Page page = JB2Test::DustPage("dust", 2000, 160, 7);
    const std::vector<uint8_t> none(page.Stride(), 0);
    for (uint8_t gbTemplate = 0; gbTemplate < 4; ++gbTemplate) {
        Memory memory;
        const std::vector<uint8_t> coded = Encode(memory, page, gbTemplate, Layouts(gbTemplate)[0], false);
        JB2MQContextDecoder* fast = nullptr;
        JB2MQContextDecoder* slow = nullptr;
        ASSERT_EQ(0, MQ_Context_Decoder_Start(&fast, memory.Get(), page.width, page.height, gbTemplate, 1, nullptr,
                                              nullptr, coded.data(), uint32_t(coded.size()), nullptr));
        ASSERT_EQ(0, MQ_Context_Decoder_Start(&slow, memory.Get(), page.width, page.height, gbTemplate, 1, nullptr,
                                              nullptr, coded.data(), uint32_t(coded.size()), nullptr));
        std::vector<uint8_t> fastLine(page.Stride()), slowLine(page.Stride());
        for (uint32_t y = 0; y < page.height; ++y) {
            ASSERT_EQ(0, MQ_Context_Decoder_Line(fast, fastLine.data(), 0, nullptr));
            ASSERT_EQ(0, MQ_Context_Decoder_Line(slow, slowLine.data(), 0, none.data()));
            ASSERT_EQ(slowLine, fastLine) << "template " << int(gbTemplate) << ", line " << y;
            ASSERT_TRUE(std::equal(page.Row(y), page.Row(y) + page.Stride(), fastLine.begin()));
            ASSERT_EQ(slow->mq->a, fast->mq->a) << "line " << y;
            ASSERT_EQ(slow->mq->c, fast->mq->c) << "line " << y;
            ASSERT_EQ(slow->mq->ct, fast->mq->ct) << "line " << y;
            ASSERT_EQ(slow->mq->position, fast->mq->position) << "line " << y;
        }
        EXPECT_EQ(0, std::memcmp(slow->mq->contexts, fast->mq->contexts, slow->mq->contextCount));
        MQ_Context_Decoder_End(&fast, memory.Get());
        MQ_Context_Decoder_End(&slow, memory.Get());
    }
}

TEST(GenericRegionCoding, SkippedPixelsStayWhiteAndCostNoDecision)
{
    Memory memory;
    const Page page = JB2Test::NoisePage("noise", 20, 2, 4);
    const std::vector<uint8_t> coded = Encode(memory, page, 1, Layouts(1)[0], false);
    JB2MQContextDecoder* decoder = nullptr;
    ASSERT_EQ(0, MQ_Context_Decoder_Start(&decoder, memory.Get(), 20, 3, 1, 1, nullptr, nullptr, coded.data(),
                                          uint32_t(coded.size()), nullptr));
    const uint8_t skipAll[3] = {0xFF, 0xFF, 0xF0};
    uint8_t line[3] = {9, 9, 9};
    const uint32_t a = decoder->mq->a;
    const uint32_t c = decoder->mq->c;
    ASSERT_EQ(0, MQ_Context_Decoder_Line(decoder, line, 0, skipAll));
    EXPECT_EQ(a, decoder->mq->a);
    EXPECT_EQ(c, decoder->mq->c);
    EXPECT_EQ(0, line[0] | line[1] | line[2]);
    MQ_Context_Decoder_End(&decoder, memory.Get());
}

TEST(GenericRegionCoding, CurrentLineATFormMatchesAMovedFirstATPixel)
{
    Memory memory;
    const Page page = JB2Test::TextPage("text", 64, 30, 12);
    ATLayout at{"A1 on the line", {}, {}};
    JB2GenericNominalATPixels(0, at.x, at.y);
    at.x[0] = -16;
    at.y[0] = 0;
    const std::vector<uint8_t> coded = Encode(memory, page, 0, at, false);
    JB2MQContextDecoder* decoder = nullptr;
    ASSERT_EQ(0, MQ_Context_Decoder_Start(&decoder, memory.Get(), page.width, page.height, 0, 1, nullptr, nullptr,
                                          coded.data(), uint32_t(coded.size()), nullptr));
    Page decoded = JB2Test::BlankPage("decoded", page.width, page.height);
    for (uint32_t y = 0; y < page.height; ++y)
        ASSERT_EQ(0, MQ_Context_Decoder_Line_Current_AT(decoder, decoded.Row(y), -16));
    EXPECT_EQ(page.bits, decoded.bits);
    MQ_Context_Decoder_End(&decoder, memory.Get());
}

}  // namespace
