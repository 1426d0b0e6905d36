// The coded bytes of text-like pages with every symbol choice stay what they
// were: a change meant only to make the symbol path faster must not change
// one byte of what it writes. Each case compares an FNV-1a hash of the
// exported JBIG2 file with the one stored here.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/jbig2codec/compress/JB2MadePages.h"
#include "tests/jbig2codec/compress/JB2SymbolPagesFixture.h"

namespace JB2Test {
namespace {

uint64_t Fnv1a(const std::vector<uint8_t>& bytes)
{
    uint64_t hash = 14695981039346656037ull;
    for (uint8_t b : bytes) {
        hash ^= b;
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string Hex(uint64_t value)
{
    char text[17];
    std::snprintf(text, sizeof(text), "%016llx", static_cast<unsigned long long>(value));
    return text;
}

struct OutputCase {
    uint32_t seed;
    int32_t skew;
    SymbolChoice choice;
    const char* hash;
};

constexpr uint32_t A = cJB2_Coder_Arithmetic, M = cJB2_Coder_MMR;
constexpr uint32_t E = cJB2_Matching_Efficient, S = cJB2_Matching_Single_Dictionary;
constexpr uint32_t LL = cJB2_Encoding_Lossless, LY = cJB2_Encoding_Lossy;

const OutputCase kCases[] = {
    {1, 3, {A, 0, E, LY, 5}, "aad6b773b93ec889"},  {1, 3, {A, 0, E, LY, 0}, "b2bcf8da4dfdaf11"},
    {1, 3, {A, 0, E, LY, 10}, "e02e8fdc9ec0ece5"}, {1, 3, {A, 0, E, LL, 5}, "69b97fc70b160c5b"},
    {1, 3, {A, 0, S, LL, 5}, "8402ed1c8fc84211"},  {1, 3, {A, 0, S, LY, 5}, "bcb534598f4629d7"},
    {2, -5, {A, 0, E, LY, 5}, "54c2c96eb3db11cb"}, {2, -5, {M, 0, E, LY, 3}, "0216e78e02f0a236"},
    {2, -5, {A, 2, E, LL, 5}, "58b4a8bb850d670f"}, {2, -5, {A, 1, E, LY, 5}, "36366d3e6509c678"},
    {1, 3, {A, 3, S, LL, 5}, "6d26d4a1da41ed44"},
};

class SymbolOutputTest : public ::testing::TestWithParam<OutputCase> {};

TEST_P(SymbolOutputTest, CodedBytesStayTheSame)
{
    const OutputCase& c = GetParam();
    const Page page = MadePages::TextPage("made", 1240, 1754, c.seed, c.skew);
    Compression compression;
    JB2_Handle_Compress h = compression.handle;
    compression.SetSize(page.width, page.height, 5906);
    EXPECT_EQ(JB2_Compress_Set_Property(h, cJB2_Prop_Bitmap_Coder, c.choice.coder), 0);
    if (c.choice.coder == cJB2_Coder_Arithmetic) {
        EXPECT_EQ(JB2_Compress_Set_Property(h, cJB2_Prop_Generic_Template, c.choice.textTemplate), 0);
    }
    EXPECT_EQ(JB2_Compress_Set_Property(h, cJB2_Prop_Text_Template, c.choice.textTemplate), 0);
    EXPECT_EQ(JB2_Compress_Set_Property(h, cJB2_Prop_Symbol_Matching_Mode, c.choice.matching), 0);
    EXPECT_EQ(JB2_Compress_Set_Property(h, cJB2_Prop_Encoding_Mode, c.choice.encoding), 0);
    if (c.choice.matching == cJB2_Matching_Efficient) {
        EXPECT_EQ(JB2_Compress_Set_Property(h, cJB2_Prop_Symbol_Matching_Quality, c.choice.quality), 0);
    }
    ASSERT_EQ(compression.Run(page), 0) << compression.messages.All();
    const std::vector<uint8_t> file = compression.Export(cJB2_Export_Format_JBIG2_File);
    EXPECT_EQ(Hex(Fnv1a(file)), c.hash) << "page " << c.seed << ", " << Describe(c.choice) << ", " << file.size()
                                        << " bytes";
}

INSTANTIATE_TEST_SUITE_P(MadePages, SymbolOutputTest, ::testing::ValuesIn(kCases));

}  // namespace
}  // namespace JB2Test
