// Generic refinement coding: what the encoder writes the decoder reads
// back, and reference offsets from the file far outside the bitmap read the
// reference as 0 (T.88 6.3.5.3) instead of wrapping.
#include <gtest/gtest.h>

#include <vector>

#include "jbig2codec/mq/JB2MQContexts.h"
#include "jbig2codec/refinement/JB2RefinementDecoder.h"
#include "jbig2codec/refinement/JB2RefinementEncoder.h"
#include "tests/jbig2codec/JB2SegmentFixture.h"

using namespace ZAV;

namespace {

struct Refinement : SegmentFixture {
    std::vector<uint8_t> data;

    // The 40 x 12 bitmap the same coded bytes give against `reference`.
    std::vector<uint8_t> Decode(uint8_t grTemplate, const JB2RefinementReference& reference)
    {
        JB2MQDecoder* mq = nullptr;
        EXPECT_EQ(0, MQ_Decoder_Start(&mq, memory, JB2MQContexts::kCount, data.data(), uint32_t(data.size()), nullptr));
        JB2RefinementDecoder* decoder = nullptr;
        const int8_t at[2] = {-1, -1};
        EXPECT_EQ(0, MQ_Context_Reference_Decoder_Start(&decoder, memory, 40, 12, grTemplate, 0, at, at, &reference, mq,
                                                        message));
        std::vector<uint8_t> bitmap(5 * 12);
        for (uint32_t y = 0; y < 12; ++y)
            EXPECT_EQ(0, MQ_Context_Reference_Decoder_Line(decoder, &bitmap[y * 5]));
        MQ_Context_Reference_Decoder_End(&decoder, memory);
        MQ_Decoder_End(&mq, memory);
        return bitmap;
    }
};

}  // namespace

TEST_F(Refinement, OffsetsBeyondAByteReadNothing)
{
    for (uint32_t i = 0; i < 64; ++i)
        data.push_back(uint8_t(i * 37 + 11));
    data.insert(data.end(), {0xFF, 0xAC});
    const std::vector<uint8_t> black(12 * 12, 0xFF);
    const std::vector<uint8_t> white(6 * 12, 0);
    for (uint8_t grTemplate : {0, 1}) {
        const JB2RefinementReference none = {white.data(), 48, 12, 6, 0, 0};
        const std::vector<uint8_t> alone = Decode(grTemplate, none);
        // 200 and -300 would wrap to -56 and -44 in 8 bits, where the 96 pixels
        // wide reference still covers the bitmap.
        for (int32_t offset : {200, -300}) {
            EXPECT_EQ(Decode(grTemplate, {black.data(), 96, 12, 12, offset, 0}), alone) << offset;
            EXPECT_EQ(Decode(grTemplate, {black.data(), 96, 12, 12, 0, offset}), alone) << offset;
            EXPECT_NE(Decode(grTemplate, {black.data(), 96, 12, 12, int8_t(offset), 0}), alone) << offset;
        }
    }
}

TEST_F(Refinement, EncodedBitmapsDecodeBackAgainstTheirReference)
{
    // A 40 x 12 target near a 48 x 14 reference of other pixels.
    std::vector<uint8_t> reference(6 * 14);
    std::vector<uint8_t> bitmap(5 * 12);
    for (size_t i = 0; i < reference.size(); ++i)
        reference[i] = uint8_t(i * 73 + 5);
    for (size_t i = 0; i < bitmap.size(); ++i)
        bitmap[i] = uint8_t(reference[i + i / 5] ^ (i % 7 == 0 ? 0x10 : 0));
    const struct {
        uint8_t grTemplate;
        int32_t dx, dy;
    } cases[] = {{0, 0, 0}, {1, 0, 0}, {0, -3, 2}, {1, 5, -1}, {0, -128, 0}, {1, 0, -40}};
    for (const auto& c : cases) {
        const JB2RefinementReference view = {reference.data(), 48, 14, 6, c.dx, c.dy};
        JB2MQEncoder* mq = nullptr;
        ASSERT_EQ(0, MQ_Encoder_Start(&mq, memory, JB2MQContexts::kCount, 0, writeData, message));
        JB2RefinementEncoder* encoder = nullptr;
        ASSERT_EQ(0, MQ_Context_Reference_Encoder_Start(&encoder, memory, 40, 12, c.grTemplate, &view, mq, message));
        for (uint32_t y = 0; y < 12; ++y)
            EXPECT_EQ(0, MQ_Context_Reference_Encoder_Line(encoder, &bitmap[y * 5]));
        EXPECT_EQ(0, MQ_Context_Reference_Encoder_End(&encoder, memory));
        EXPECT_EQ(0, MQ_Encoder_End(&mq, memory));
        data = target.bytes;
        target.bytes.clear();
        EXPECT_EQ(Decode(c.grTemplate, view), bitmap) << int(c.grTemplate) << " " << c.dx << " " << c.dy;
    }
}

// The encoder slides its template windows along each row; it must write
// what coding every pixel with the context the template cuts for it writes,
// also where the reference is offset, narrower or wider, and the width is
// no multiple of 8.
TEST_F(Refinement, EncoderWritesWhatPixelByPixelCodingWrites)
{
    const uint32_t width = 37, height = 11, stride = (width + 7) / 8;
    std::vector<uint8_t> bitmap(stride * height);
    uint32_t seed = 3;
    for (uint8_t& byte : bitmap)
        byte = uint8_t((seed = seed * 1664525u + 1013904223u) >> 24);
    const struct {
        uint32_t referenceWidth, referenceHeight;
        int32_t dx, dy;
    } cases[] = {{37, 11, 0, 0}, {37, 11, -1, 1}, {30, 9, 2, -2}, {45, 14, -4, 0}, {37, 11, 1, 0}, {8, 3, 0, 5}};
    for (const auto& c : cases)
        for (uint8_t grTemplate = 0; grTemplate < 2; ++grTemplate) {
            const uint32_t referenceStride = (c.referenceWidth + 7) / 8;
            std::vector<uint8_t> reference(referenceStride * c.referenceHeight);
            for (uint32_t y = 0; y < c.referenceHeight && y < height; ++y)
                for (uint32_t i = 0; i < referenceStride && i < stride; ++i)
                    reference[y * referenceStride + i] = uint8_t(bitmap[y * stride + i] ^ (y % 3 == 0 ? 0x24 : 0));
            const JB2RefinementReference view = {
                reference.data(), c.referenceWidth, c.referenceHeight, referenceStride, c.dx, c.dy};
            JB2MQEncoder* mq = nullptr;
            ASSERT_EQ(0, MQ_Encoder_Start(&mq, memory, JB2MQContexts::kCount, 0, writeData, message));
            JB2RefinementEncoder* encoder = nullptr;
            ASSERT_EQ(
                0, MQ_Context_Reference_Encoder_Start(&encoder, memory, width, height, grTemplate, &view, mq, message));
            for (uint32_t y = 0; y < height; ++y)
                EXPECT_EQ(0, MQ_Context_Reference_Encoder_Line(encoder, &bitmap[y * stride]));
            EXPECT_EQ(0, MQ_Context_Reference_Encoder_End(&encoder, memory));
            EXPECT_EQ(0, MQ_Encoder_End(&mq, memory));
            const std::vector<uint8_t> slid = target.bytes;
            target.bytes.clear();

            ASSERT_EQ(0, MQ_Encoder_Start(&mq, memory, JB2MQContexts::kCount, 0, writeData, message));
            JB2RefinementTemplate shape = {};
            ASSERT_EQ(0, JB2RefinementTemplateStart(&shape, memory, width, height, grTemplate, 1, nullptr, nullptr,
                                                    &view, "", message));
            for (uint32_t y = 0; y < height; ++y) {
                std::copy(&bitmap[y * stride], &bitmap[y * stride] + stride, shape.target + y * stride);
                JB2RefinementRows rows;
                JB2RefinementRowsAt(&shape, y, &rows);
                for (uint32_t x = 0; x < width; ++x)
                    MQ_Encoder_Encode_Bit(mq, JB2MQContexts::kRefinement + JB2RefinementContextAt(&shape, rows, x, y),
                                          (bitmap[y * stride + x / 8] >> (7 - x % 8)) & 1);
            }
            JB2RefinementTemplateEnd(&shape, memory);
            EXPECT_EQ(0, MQ_Encoder_End(&mq, memory));
            EXPECT_EQ(slid, target.bytes) << int(grTemplate) << " " << c.dx << " " << c.dy;
            target.bytes.clear();
        }
}
