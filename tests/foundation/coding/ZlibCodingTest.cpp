#include "foundation/coding/ZlibCoding.h"

#include "support/ThrownText.h"
#include "support/ZlibTestData.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

using namespace ZAV;
using ZAVTest::Compress;
using ZAVTest::RandomBytes;

namespace {

// The text of the CTextException that decompressing the bytes throws.
std::string DecompressFailure(const std::vector<uint8_t>& bytes, uint64_t limit = kMaxInflatedBufferBytes)
{
    return ZAVTest::ThrownText([&] { ZlibDecompress(bytes.data(), bytes.size(), limit); });
}

}  // namespace

TEST(ZlibCoding, RoundTripsAndTheSystemZlibReadsTheOutput)
{
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"one byte", {0x42}},
        {"text", std::vector<uint8_t>(100, 'a')},
        {"1 MB random", RandomBytes(1 << 20, 7)},
        {"1 MB zeros", std::vector<uint8_t>(1 << 20, 0)},
    };
    for (const auto& c : cases) {
        const std::vector<uint8_t> packed = Compress(c.bytes);
        ASSERT_GE(packed.size(), 6u) << c.name;
        // zlib header of deflate with a 32 KB window at the default level.
        EXPECT_EQ(packed[0], 0x78) << c.name;
        EXPECT_EQ(packed[1], 0x9C) << c.name;

        EXPECT_EQ(ZlibDecompress(packed.data(), packed.size()), c.bytes) << c.name;

        std::vector<uint8_t> system(c.bytes.size() + 1);
        uLongf systemSize = system.size();
        ASSERT_EQ(uncompress(system.data(), &systemSize, packed.data(), packed.size()), Z_OK) << c.name;
        system.resize(systemSize);
        EXPECT_EQ(system, c.bytes) << c.name;
    }
    // Data from the system zlib reads back too.
    const std::vector<uint8_t> plain = RandomBytes(5000, 3);
    std::vector<uint8_t> packed(compressBound(plain.size()));
    uLongf packedSize = packed.size();
    ASSERT_EQ(compress2(packed.data(), &packedSize, plain.data(), plain.size(), 9), Z_OK);
    packed.resize(packedSize);
    EXPECT_EQ(ZlibDecompress(packed.data(), packed.size()), plain);
}

TEST(ZlibCoding, EmptyInputGivesEmptyOutput)
{
    EXPECT_TRUE(ZlibCompress(nullptr, 0).empty());
    EXPECT_TRUE(ZlibDecompress(nullptr, 0).empty());
    const uint8_t one = 1;
    EXPECT_TRUE(ZlibCompress(&one, 0).empty());
    EXPECT_TRUE(ZlibDecompress(&one, 0).empty());
}

TEST(ZlibCoding, DamagedInputFailsWithATextNamingTheFault)
{
    const std::vector<uint8_t> packed = Compress(RandomBytes(20000, 5));

    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* text;
    } cases[] = {
        {"cut in half", std::vector<uint8_t>(packed.begin(), packed.begin() + packed.size() / 2),
         "Error decompressing data: compressed data is truncated!"},
        {"trailer cut", std::vector<uint8_t>(packed.begin(), packed.end() - 2),
         "Error decompressing data: compressed data is truncated!"},
        {"header only", {0x78, 0x9C}, "Error decompressing data: compressed data is truncated!"},
        {"not zlib", {'h', 'e', 'l', 'l', 'o'}, "Error decompressing data: corrupt compressed data!"},
        {"bad checksum",
         [&] {
             auto b = packed;
             b.back() ^= 0x01;
             return b;
         }(),
         "Error decompressing data: corrupt compressed data!"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecompressFailure(c.bytes), c.text) << c.name;

    // Flipped bits inside the deflate data: whatever zlib notices first, the
    // failure is always a text exception, never a crash or a silent success.
    std::mt19937 rng(11);
    for (int round = 0; round < 50; ++round) {
        auto bytes = packed;
        bytes[2 + rng() % (bytes.size() - 2)] ^= uint8_t(1 + rng() % 255);
        const std::string failure = DecompressFailure(bytes);
        EXPECT_EQ(failure.rfind("Error decompressing data: ", 0), 0u) << failure;
    }
}

TEST(ZlibCoding, OutputBeyondTheCeilingIsRefused)
{
    const std::vector<uint8_t> packed = Compress(std::vector<uint8_t>(100000, 0));
    EXPECT_EQ(DecompressFailure(packed, 65536), "Error decompressing data: output exceeds 65536 bytes!");
    EXPECT_EQ(ZlibDecompress(packed.data(), packed.size(), 100000).size(), 100000u);
}
