// The /RunLengthDecode decoder: literal and
// repeated runs, cut runs, missing bytes, data after the end code, and
// sizes refused before anything is allocated.
#include "formats/runlength/RunLengthDecoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ThrownText.h"

namespace {

using namespace ZAV;
using ZAVTest::ThrownText;

std::vector<unsigned char> Decode(const std::vector<unsigned char>& data, int width, int height, int depth)
{
    CArraySimple<unsigned char, 1> out;
    DecodeRunLengthRows(data.data(), data.size(), width, height, depth, out);
    return std::vector<unsigned char>(out.GetData(), out.GetData() + out.GetSize());
}

TEST(RunLengthDecoder, StreamsToRows)
{
    using Bytes = std::vector<unsigned char>;
    const struct {
        const char* name;
        Bytes data;
        int width, height, depth;
        Bytes expected;
    } cases[] = {
        {"literal then repeat then end", {2, 1, 2, 3, 254, 9, 128}, 6, 1, 8, {1, 2, 3, 9, 9, 9}},
        {"rows across runs", {255, 7, 0, 5, 128}, 3, 1, 24, {7, 7, 5, 0, 0, 0, 0, 0, 0}},
        {"repeat cut at the end", {129, 4}, 2, 2, 8, {4, 4, 4, 4}},
        {"literal cut at the end", {5, 1, 2, 3, 4, 5, 6}, 4, 1, 8, {1, 2, 3, 4}},
        {"truncated literal", {3, 1, 2}, 4, 1, 8, {1, 2, 0, 0}},
        {"repeat without its byte", {250}, 2, 1, 8, {0, 0}},
        {"no end code", {1, 8, 9}, 3, 1, 8, {8, 9, 0}},
        {"bytes after the end code ignored", {0, 1, 128, 0, 2}, 2, 1, 8, {1, 0}},
        {"empty stream", {}, 2, 2, 8, {0, 0, 0, 0}},
        {"1-bit rows of whole bytes", {1, 0xF0, 0x0F}, 9, 1, 1, {0xF0, 0x0F}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Decode(c.data, c.width, c.height, c.depth), c.expected) << c.name;
}

TEST(RunLengthDecoder, SizesAreCheckedFirst)
{
    const std::vector<unsigned char> data = {0, 1, 128};
    EXPECT_EQ(ThrownText([&] { Decode(data, 0, 4, 8); }), "Invalid Parameter!");
    EXPECT_EQ(ThrownText([&] { Decode(data, 4, 4, 7); }), "Invalid Parameter!");
    EXPECT_EQ(ThrownText([&] { Decode(data, 1 << 30, 1 << 30, 24); }), "Invalid Image Size!");
}

}  // namespace
