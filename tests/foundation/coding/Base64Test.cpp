#include "foundation/coding/Base64.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ZAV;

namespace {

std::string Encode(const std::vector<uint8_t>& bytes, uint32_t flags)
{
    size_t room = Base64EncodeGetRequiredLength(bytes.size(), flags);
    std::string text(room, '\0');
    static const uint8_t none = 0;
    EXPECT_TRUE(Base64Encode(bytes.empty() ? &none : bytes.data(), bytes.size(), &text[0], &room, flags));
    text.resize(room);
    return text;
}

std::vector<uint8_t> Decode(const std::string& text)
{
    std::vector<uint8_t> bytes(text.size() + 1);
    size_t count = bytes.size();
    EXPECT_TRUE(Base64Decode(text.data(), text.size(), bytes.data(), &count));
    bytes.resize(count);
    return bytes;
}

std::vector<uint8_t> Sequence(size_t n)
{
    std::vector<uint8_t> bytes(n);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = uint8_t(i * 37 + 11);
    return bytes;
}

// The text with every alphabet character shown as x, so that its shape
// (line lengths, breaks, pad characters) can be compared.
std::string Shape(const std::string& text)
{
    std::string shape;
    for (char c : text)
        shape += (c == '\r' || c == '\n' || c == '=') ? c : 'x';
    return shape;
}

std::string X(size_t n) { return std::string(n, 'x'); }
const std::string CRLF = "\r\n";

}  // namespace

TEST(Base64, KnownVectors)
{
    const struct {
        const char* plain;
        const char* coded;
    } cases[] = {{"", ""},        {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
                 {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}};
    for (const auto& c : cases) {
        std::string plain = c.plain;
        EXPECT_EQ(Encode(std::vector<uint8_t>(plain.begin(), plain.end()), 0), c.coded) << plain;
    }
    EXPECT_EQ(Encode({0xFB, 0xFF, 0xBF}, 0), "+/+/");
}

TEST(Base64, LinesAndOptionBitsAroundTheLineLength)
{
    const uint32_t NOPAD = ZAV_BASE64_FLAG_NOPAD, NOCRLF = ZAV_BASE64_FLAG_NOCRLF;
    const struct {
        size_t n;
        uint32_t flags;
        std::string shape;
    } cases[] = {
        {0, 0, ""},
        {0, NOPAD | NOCRLF, ""},
        {1, 0, "xx=="},
        {1, NOPAD, "xx"},
        {1, NOCRLF, "xx=="},
        {2, 0, "xxx="},
        {2, NOPAD, "xxx"},
        {3, 0, "xxxx"},
        {3, NOPAD | NOCRLF, "xxxx"},
        {56, 0, X(75) + "="},
        {56, NOPAD, X(75)},
        {57, 0, X(76) + CRLF},
        {57, NOPAD, X(76) + CRLF},
        {57, NOCRLF, X(76)},
        {58, 0, X(76) + CRLF + "xx=="},
        {58, NOPAD, X(76) + CRLF + "xx"},
        {58, NOCRLF, X(76) + "xx=="},
        {58, NOPAD | NOCRLF, X(78)},
        {114, 0, X(76) + CRLF + X(76) + CRLF},
        {114, NOCRLF, X(152)},
        {115, 0, X(76) + CRLF + X(76) + CRLF + "xx=="},
        {115, NOPAD, X(76) + CRLF + X(76) + CRLF + "xx"},
        {115, NOCRLF, X(152) + "xx=="},
    };
    for (const auto& c : cases) {
        const std::vector<uint8_t> bytes = Sequence(c.n);
        const std::string text = Encode(bytes, c.flags);
        EXPECT_EQ(Shape(text), c.shape) << "n=" << c.n << " flags=" << c.flags;
        EXPECT_EQ(Decode(text), bytes) << "n=" << c.n << " flags=" << c.flags;
    }
}

TEST(Base64, RequiredLengthCoversEveryOutputAndIsEnforced)
{
    // Values of the sizing rule itself at the line boundary.
    EXPECT_EQ(Base64EncodeGetRequiredLength(0, 0), 2u);
    EXPECT_EQ(Base64EncodeGetRequiredLength(1, 0), 6u);
    EXPECT_EQ(Base64EncodeGetRequiredLength(57, 0), 80u);
    EXPECT_EQ(Base64EncodeGetRequiredLength(58, 0), 84u);
    EXPECT_EQ(Base64EncodeGetRequiredLength(57, ZAV_BASE64_FLAG_NOCRLF), 76u);
    EXPECT_EQ(Base64EncodeGetRequiredLength(1, ZAV_BASE64_FLAG_NOPAD | ZAV_BASE64_FLAG_NOCRLF), 4u);

    for (uint32_t flags = 0; flags < 4; ++flags) {
        for (size_t n = 0; n <= 400; ++n) {
            const std::vector<uint8_t> bytes = Sequence(n + 1);
            const size_t required = Base64EncodeGetRequiredLength(n, flags);
            // A guard zone behind the room catches any write past it.
            std::string dest(required + 16, '#');
            size_t room = required;
            ASSERT_TRUE(Base64Encode(bytes.data(), n, &dest[0], &room, flags));
            EXPECT_LE(room, required) << n;
            EXPECT_EQ(dest.substr(required), std::string(16, '#')) << n;

            if (required == 0)
                continue;
            std::string small(required + 16, '#');
            size_t tooLittle = required - 1;
            EXPECT_FALSE(Base64Encode(bytes.data(), n, &small[0], &tooLittle, flags)) << n;
            EXPECT_EQ(small, std::string(required + 16, '#')) << n;
        }
    }
}

TEST(Base64, NullPointersFail)
{
    size_t room = 100;
    char dest[100];
    const uint8_t src[1] = {1};
    EXPECT_FALSE(Base64Encode(nullptr, 1, dest, &room, 0));
    EXPECT_FALSE(Base64Encode(src, 1, nullptr, &room, 0));
    EXPECT_FALSE(Base64Encode(src, 1, dest, nullptr, 0));
}

TEST(Base64, DecodingSkipsLineEndsBlanksAndForeignCharacters)
{
    const std::vector<uint8_t> bytes = Sequence(120);
    const std::string clean = Encode(bytes, ZAV_BASE64_FLAG_NOCRLF);
    std::string noisy;
    for (size_t i = 0; i < clean.size(); ++i) {
        noisy += clean[i];
        if (i % 7 == 3)
            noisy += " \r\n\t";
        if (i % 11 == 5)
            noisy += "!*\xE9.-_";
    }
    EXPECT_EQ(Decode(noisy), bytes);
    EXPECT_EQ(Decode(Encode(bytes, 0)), bytes);
    EXPECT_EQ(Decode("Zm9v YmFy"), Decode("Zm9vYmFy"));
}

TEST(Base64, ShortLastGroupGivesItsWholeBytesOnly)
{
    EXPECT_EQ(Decode("Zm9vYg"), (std::vector<uint8_t>{'f', 'o', 'o', 'b'}));
    EXPECT_EQ(Decode("Zm9vYmE"), (std::vector<uint8_t>{'f', 'o', 'o', 'b', 'a'}));
    EXPECT_EQ(Decode("Zm9vY"), (std::vector<uint8_t>{'f', 'o', 'o'}));
    EXPECT_EQ(Decode("===\r\n"), std::vector<uint8_t>{});
}

TEST(Base64, DecodingBeyondTheRoomCountsButDoesNotWrite)
{
    uint8_t dest[4] = {0xAA, 0xAA, 0xAA, 0xAA};
    size_t count = 2;
    EXPECT_FALSE(Base64Decode("Zm9vYmFy", 8, dest, &count));
    EXPECT_EQ(count, 6u);
    EXPECT_EQ(dest[0], 'f');
    EXPECT_EQ(dest[1], 'o');
    EXPECT_EQ(dest[2], 0xAA);
    EXPECT_EQ(dest[3], 0xAA);
}
