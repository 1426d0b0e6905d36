#include <gtest/gtest.h>

#include <vector>

#include "jbig2codec/support/JB2Limits.h"
#include "jbig2codec/mq/JB2MQContexts.h"
#include "jbig2codec/mq/JB2MQDecoder.h"
#include "jbig2codec/mq/JB2MQEncoder.h"
#include "tests/jbig2codec/JB2TestFixtures.h"

using namespace ZAV;

namespace {

using JB2Test::Memory;
using JB2Test::Output;

// The arithmetic-coder test sequence of T.88 Annex H.2.
const std::vector<uint8_t> kAnnexHDecisions = {0x00, 0x02, 0x00, 0x51, 0x00, 0x00, 0x00, 0xC0, 0x03, 0x52, 0x87,
                                               0x2A, 0xAA, 0xAA, 0xAA, 0xAA, 0x82, 0xC0, 0x20, 0x00, 0xFC, 0xD7,
                                               0x9E, 0xF6, 0xBF, 0x7F, 0xED, 0x90, 0x4F, 0x46, 0xA3, 0xBF};
const std::vector<uint8_t> kAnnexHCode = {0x84, 0xC7, 0x3B, 0xFC, 0xE1, 0xA1, 0x43, 0x04, 0x02, 0x20,
                                          0x00, 0x00, 0x41, 0x0D, 0xBB, 0x86, 0xF4, 0x31, 0x7F, 0xFF,
                                          0x88, 0xFF, 0x37, 0x47, 0x1A, 0xDB, 0x6A, 0xDF, 0xFF, 0xAC};

JB2MQEncoder* StartEncoder(Memory& memory, Output& output, uint32_t offset = 0)
{
    JB2MQEncoder* encoder = nullptr;
    EXPECT_EQ(0, MQ_Encoder_Start(&encoder, memory.Get(), JB2MQContexts::kCount, offset, output.Get(), nullptr));
    return encoder;
}

JB2MQDecoder* StartDecoder(Memory& memory, const std::vector<uint8_t>& code, JB2Message* message = nullptr)
{
    JB2MQDecoder* decoder = nullptr;
    EXPECT_EQ(0, MQ_Decoder_Start(&decoder, memory.Get(), JB2MQContexts::kCount, code.data(), uint32_t(code.size()),
                                  message));
    return decoder;
}

TEST(MQCoder, EncodesTheAnnexHSequenceToItsCodeBytes)
{
    Memory memory;
    Output output(memory);
    JB2MQEncoder* encoder = StartEncoder(memory, output);
    for (uint8_t byte : kAnnexHDecisions)
        for (int bit = 7; bit >= 0; --bit)
            MQ_Encoder_Encode_Bit(encoder, 0, (byte >> bit) & 1);
    ASSERT_EQ(0, MQ_Encoder_End(&encoder, memory.Get()));
    EXPECT_EQ(nullptr, encoder);
    EXPECT_EQ(kAnnexHCode, output.Bytes());
    EXPECT_EQ(1, output.References());
}

TEST(MQCoder, DecodesTheAnnexHCodeBackToTheSequence)
{
    Memory memory;
    JB2MQDecoder* decoder = StartDecoder(memory, kAnnexHCode);
    ASSERT_NE(nullptr, decoder);
    std::vector<uint8_t> decoded;
    for (size_t i = 0; i < kAnnexHDecisions.size(); ++i) {
        uint8_t byte = 0;
        for (int bit = 0; bit < 8; ++bit)
            byte = uint8_t((byte << 1) | MQ_Decoder_Decode_Bit(decoder, 0));
        decoded.push_back(byte);
    }
    EXPECT_EQ(kAnnexHDecisions, decoded);
    EXPECT_EQ(0, MQ_Decoder_End(&decoder, memory.Get()));
}

TEST(MQCoder, WritesAtTheStartOffset)
{
    Memory memory;
    Output output(memory);
    JB2MQEncoder* encoder = StartEncoder(memory, output, 5);
    for (uint8_t byte : kAnnexHDecisions)
        for (int bit = 7; bit >= 0; --bit)
            MQ_Encoder_Encode_Bit(encoder, 7, (byte >> bit) & 1);
    ASSERT_EQ(0, MQ_Encoder_End(&encoder, memory.Get()));
    ASSERT_EQ(kAnnexHCode.size() + 5, output.Bytes().size());
    EXPECT_TRUE(std::equal(kAnnexHCode.begin(), kAnnexHCode.end(), output.Bytes().begin() + 5));
}

TEST(MQCoder, EncoderWithoutDecisionsWritesNothing)
{
    Memory memory;
    Output output(memory);
    JB2MQEncoder* encoder = StartEncoder(memory, output);
    EXPECT_EQ(2, output.References());
    EXPECT_EQ(0, MQ_Encoder_End(&encoder, memory.Get()));
    EXPECT_TRUE(output.Bytes().empty());
    EXPECT_EQ(1, output.References());
}

// Data without the closing marker must never be read past its end: the
// bytes sit in an exactly sized heap block, so an over-read is reported.
TEST(MQCoder, DecoderNeverReadsPastItsData)
{
    Memory memory;
    for (const std::vector<uint8_t>& data :
         {std::vector<uint8_t>{0xFF, 0xAC}, std::vector<uint8_t>{0x12, 0x34}, std::vector<uint8_t>{0x00, 0xFF},
          std::vector<uint8_t>{0x84, 0xC7, 0x3B, 0xFF, 0x7F}}) {
        auto* exact = new uint8_t[data.size()];
        std::copy(data.begin(), data.end(), exact);
        Memory local;
        JB2MQDecoder* decoder = nullptr;
        ASSERT_EQ(0, MQ_Decoder_Start(&decoder, memory.Get(), JB2MQContexts::kCount, exact, uint32_t(data.size()),
                                      local.Message()));
        const bool marked = data[data.size() - 2] == 0xFF && data.back() == 0xAC;
        EXPECT_EQ(marked ? 0u : 3u, local.Texts().pieces.size());
        EXPECT_EQ(marked, !local.Texts().HasOfType(11, "MQ stream should end with 0xff 0xac!"));
        EXPECT_EQ(marked, !local.Texts().HasOfType(11, "Attempting to decode anyway!"));
        for (int i = 0; i < 20000; ++i)
            MQ_Decoder_Decode_Bit(decoder, uint32_t(i % 3));
        EXPECT_LE(decoder->position, data.size());
        EXPECT_EQ(0, MQ_Decoder_Restart(decoder, uint32_t(data.size() - 1)));
        for (int i = 0; i < 1000; ++i)
            MQ_Decoder_Decode_Bit(decoder, 0);
        EXPECT_EQ(0, MQ_Decoder_End(&decoder, memory.Get()));
        delete[] exact;
    }
}

TEST(MQCoder, RefusesBadArguments)
{
    Memory memory;
    const uint8_t data[2] = {0xFF, 0xAC};
    JB2MQDecoder* decoder = nullptr;
    EXPECT_EQ(-500, MQ_Decoder_Start(nullptr, memory.Get(), 10, data, 2, nullptr));
    EXPECT_EQ(-500, MQ_Decoder_Start(&decoder, memory.Get(), 10, nullptr, 2, nullptr));
    EXPECT_EQ(-500, MQ_Decoder_Start(&decoder, memory.Get(), 10, data, 1, nullptr));
    EXPECT_EQ(-500, MQ_Decoder_Start(&decoder, memory.Get(), 0, data, 2, nullptr));
    JB2MQEncoder* encoder = nullptr;
    EXPECT_EQ(-500, MQ_Encoder_Start(&encoder, memory.Get(), 10, 0, nullptr, nullptr));
    EXPECT_EQ(-500, MQ_Encoder_Start(&encoder, memory.Get(), 0, 0, nullptr, nullptr));
}

struct IntegerCase {
    uint32_t magnitude;
    uint8_t sign;
    uint64_t decisions;  // sign, prefix and value bits
};

TEST(MQCoder, IntegersRoundTripOverEveryRange)
{
    const std::vector<IntegerCase> cases = {{0, 0, 4},     {0, 1, 4},        {3, 0, 4},          {4, 1, 7},
                                            {19, 0, 7},    {20, 0, 10},      {83, 1, 10},        {84, 0, 13},
                                            {339, 0, 13},  {340, 1, 18},     {4435, 0, 18},      {4436, 0, 38},
                                            {4436, 1, 38}, {1000000, 0, 38}, {0x7FFFFFFF, 1, 38}};
    Memory memory;
    Output output(memory);
    JB2MQEncoder* encoder = StartEncoder(memory, output);
    const uint32_t bases[3] = {JB2MQContexts::kIADH, JB2MQContexts::kIARI, JB2MQContexts::kIAAI};
    for (int pass = 0; pass < 3; ++pass)
        for (const IntegerCase& c : cases) {
            const uint64_t before = encoder->decisions;
            ASSERT_EQ(0, MQ_Encoder_Encode_Integer(encoder, bases[pass], c.magnitude, c.sign));
            EXPECT_EQ(c.decisions, encoder->decisions - before) << c.magnitude;
        }
    ASSERT_EQ(0, MQ_Encoder_End(&encoder, memory.Get()));
    const std::vector<uint8_t>& code = output.Bytes();
    ASSERT_GE(code.size(), 2u);
    EXPECT_EQ(0xFF, code[code.size() - 2]);
    EXPECT_EQ(0xAC, code.back());

    JB2MQDecoder* decoder = StartDecoder(memory, code);
    for (int pass = 0; pass < 3; ++pass)
        for (const IntegerCase& c : cases) {
            uint8_t sign = 9;
            uint32_t magnitude = 1;
            ASSERT_EQ(0, MQ_Decoder_Decode_Integer(decoder, bases[pass], &sign, &magnitude));
            EXPECT_EQ(c.sign, sign);
            EXPECT_EQ(c.magnitude, magnitude);
        }
    EXPECT_EQ(0, MQ_Decoder_End(&decoder, memory.Get()));
}

TEST(MQCoder, MagnitudeBeyondThirtyOneBitsIsRefused)
{
    Memory memory;
    Output output(memory);
    JB2MQEncoder* encoder = StartEncoder(memory, output);
    MQ_Encoder_Encode_Integer(encoder, JB2MQContexts::kIADW, 0xFFFFFFFF, 0);
    ASSERT_EQ(0, MQ_Encoder_End(&encoder, memory.Get()));
    JB2MQDecoder* decoder = StartDecoder(memory, output.Bytes());
    uint8_t sign = 0;
    uint32_t magnitude = 0;
    EXPECT_EQ(-19, MQ_Decoder_Decode_Integer(decoder, JB2MQContexts::kIADW, &sign, &magnitude));
    EXPECT_EQ(0, MQ_Decoder_End(&decoder, memory.Get()));
}

TEST(MQCoder, SymbolIdentifiersRoundTripAndLongCodesAreRefused)
{
    Memory memory;
    Output output(memory);
    JB2MQEncoder* encoder = StartEncoder(memory, output);
    const std::vector<std::pair<uint32_t, uint32_t>> ids = {{0, 0},       {1, 1},       {5, 3},
                                                            {0x7FFF, 15}, {0x1234, 15}, {0, 15}};
    for (auto [value, length] : ids)
        ASSERT_EQ(0, MQ_Encoder_Encode_IAID(encoder, value, length));
    EXPECT_NE(0, MQ_Encoder_Encode_IAID(encoder, 0, kJB2MaxSymbolCodeLength + 1));
    ASSERT_EQ(0, MQ_Encoder_End(&encoder, memory.Get()));

    JB2MQDecoder* decoder = StartDecoder(memory, output.Bytes());
    for (auto [value, length] : ids) {
        uint32_t decoded = 99;
        ASSERT_EQ(0, MQ_Decoder_Decode_IAID(decoder, &decoded, length));
        EXPECT_EQ(value, decoded);
    }
    uint32_t decoded = 99;
    EXPECT_EQ(-19, MQ_Decoder_Decode_IAID(decoder, &decoded, 16));
    EXPECT_EQ(0u, decoded);
    EXPECT_EQ(0, MQ_Decoder_End(&decoder, memory.Get()));
}

TEST(MQCoder, SharedDecoderLivesUntilTheLastEnd)
{
    Memory memory;
    JB2MQDecoder* first = StartDecoder(memory, kAnnexHCode);
    MQ_Decoder_Share(first);
    JB2MQDecoder* second = first;
    EXPECT_EQ(0, MQ_Decoder_End(&first, memory.Get()));
    EXPECT_EQ(nullptr, first);
    EXPECT_EQ(0u, MQ_Decoder_Decode_Bit(second, 0));  // still alive: the first decision is 0
    EXPECT_EQ(0, MQ_Decoder_End(&second, memory.Get()));
}

// Enough decisions to fill the output buffer many times over.
TEST(MQCoder, LongStreamsRoundTripAcrossBufferFlushes)
{
    Memory memory;
    Output output(memory);
    JB2MQEncoder* encoder = StartEncoder(memory, output, 2);
    std::vector<uint8_t> bits;
    uint32_t seed = 7;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1103515245 + 12345;
        // Skewed so that both exchanges, carries and stuffed bytes occur.
        bits.push_back(((seed >> 16) % 7) == 0);
        MQ_Encoder_Encode_Bit(encoder, (seed >> 8) % 5, bits.back());
    }
    ASSERT_EQ(0, MQ_Encoder_End(&encoder, memory.Get()));
    const std::vector<uint8_t> code(output.Bytes().begin() + 2, output.Bytes().end());
    ASSERT_GT(code.size(), 3 * kMQEncoderBufferSize);
    JB2MQDecoder* decoder = StartDecoder(memory, code);
    seed = 7;
    for (size_t i = 0; i < bits.size(); ++i) {
        seed = seed * 1103515245 + 12345;
        ASSERT_EQ(bits[i], MQ_Decoder_Decode_Bit(decoder, (seed >> 8) % 5)) << i;
    }
    EXPECT_EQ(0, MQ_Decoder_End(&decoder, memory.Get()));
}

// Runs of equal decisions coded at once write what the same decisions coded
// one by one write: short and very long runs, both symbols, in contexts
// whose states the decisions between them keep moving.
TEST(MQCoder, RunsCodeLikeSingleDecisions)
{
    Memory memory;
    Output single(memory), runs(memory);
    JB2MQEncoder* one = StartEncoder(memory, single);
    JB2MQEncoder* many = StartEncoder(memory, runs);
    uint32_t seed = 11;
    for (int i = 0; i < 3000; ++i) {
        seed = seed * 1103515245 + 12345;
        const uint32_t context = (seed >> 8) % 3;
        const uint8_t bit = ((seed >> 16) % 3) == 0;
        const uint64_t length = i % 50 == 0 ? 70000 + (seed >> 20) : (seed >> 12) % 40;
        for (uint64_t k = 0; k < length; ++k)
            MQ_Encoder_Encode_Bit(one, context, bit);
        MQ_Encoder_Encode_Run(many, context, bit, length);
    }
    MQ_Encoder_Encode_Run(many, JB2MQContexts::kCount, 1, 5);  // beyond the contexts: nothing
    ASSERT_EQ(0, MQ_Encoder_End(&one, memory.Get()));
    ASSERT_EQ(0, MQ_Encoder_End(&many, memory.Get()));
    ASSERT_GT(single.Bytes().size(), 3 * kMQEncoderBufferSize);
    EXPECT_EQ(single.Bytes(), runs.Bytes());
}

TEST(MQCoder, FailedWriteIsReportedAtTheEnd)
{
    Memory memory;
    Output output(memory, 100);  // refuses everything that reaches past byte 100
    JB2MQEncoder* encoder = StartEncoder(memory, output);
    uint32_t seed = 1;
    for (int i = 0; i < 40000; ++i) {
        seed = seed * 1103515245 + 12345;
        MQ_Encoder_Encode_Bit(encoder, (seed >> 8) & 15, (seed >> 16) & 1);
    }
    EXPECT_EQ(-12, MQ_Encoder_End(&encoder, memory.Get()));
}

}  // namespace
