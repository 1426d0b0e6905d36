// GIF files made by hand that a decoder must survive: damaged code streams
// keep the rows decoded before the damage, damaged structure fails with a
// clear text, and nothing a file says makes the decoder loop, overflow or
// allocate beyond what its bytes justify.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "formats/registry/ImgFormat.h"
#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"
#include "support/ThrownText.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

using Bytes = std::vector<uint8_t>;

// Codes packed least significant bit first at the widths a decoder reads
// them: the width grows when the table reaches the next power of two and
// returns after a clear code.
Bytes PackCodes(const std::vector<int>& codes, int codeSize)
{
    const int clear = 1 << codeSize;
    int bits = codeSize + 1;
    int nextSlot = clear + 2;
    bool haveString = false;
    Bytes out;
    uint32_t accumulator = 0;
    int filled = 0;
    for (int code : codes) {
        accumulator |= static_cast<uint32_t>(code) << filled;
        filled += bits;
        while (filled >= 8) {
            out.push_back(static_cast<uint8_t>(accumulator));
            accumulator >>= 8;
            filled -= 8;
        }
        if (code == clear) {
            bits = codeSize + 1;
            nextSlot = clear + 2;
            haveString = false;
        } else if (code != clear + 1) {
            nextSlot += haveString && nextSlot < 4096 ? 1 : 0;
            haveString = true;
            if (nextSlot >= (1 << bits) && bits < 12)
                ++bits;
        }
    }
    if (filled)
        out.push_back(static_cast<uint8_t>(accumulator));
    return out;
}

void Append(Bytes& to, const Bytes& bytes)
{
    to.insert(to.end(), bytes.begin(), bytes.end());
}

// A GIF89a screen of width x height with a four-entry global table
// (entry i is grey 60 x i).
Bytes Screen(int width, int height)
{
    Bytes gif = {'G',
                 'I',
                 'F',
                 '8',
                 '9',
                 'a',
                 static_cast<uint8_t>(width),
                 static_cast<uint8_t>(width >> 8),
                 static_cast<uint8_t>(height),
                 static_cast<uint8_t>(height >> 8),
                 0x81,
                 0,
                 0};
    for (int i = 0; i < 4; ++i)
        gif.insert(gif.end(), 3, static_cast<uint8_t>(60 * i));
    return gif;
}

Bytes Descriptor(int width, int height, uint8_t codeSize)
{
    return {0x2C,
            0,
            0,
            0,
            0,
            static_cast<uint8_t>(width),
            static_cast<uint8_t>(width >> 8),
            static_cast<uint8_t>(height),
            static_cast<uint8_t>(height >> 8),
            0,
            codeSize};
}

// One frame of width x height whose code data is one sub-block (minimum
// code size 2: clear 4, end 5, first free 6).
Bytes OneFrame(int width, int height, const std::vector<int>& codes)
{
    Bytes gif = Screen(width, height);
    Append(gif, Descriptor(width, height, 2));
    const Bytes data = PackCodes(codes, 2);
    gif.push_back(static_cast<uint8_t>(data.size()));
    Append(gif, data);
    gif.push_back(0);
    gif.push_back(0x3B);
    return gif;
}

// The same frame with its code data in sub-blocks of one byte each, the
// last one announcing more bytes than the file holds.
Bytes CutFrame(int width, int height, const std::vector<int>& codes)
{
    Bytes gif = Screen(width, height);
    Append(gif, Descriptor(width, height, 2));
    for (uint8_t byte : PackCodes(codes, 2))
        Append(gif, {1, byte});
    Append(gif, {9, 0x11});
    return gif;
}

// The pixel index of each row of a one-pixel-wide frame.
std::vector<int> Column(const Bytes& gif, int frame = 0)
{
    CZAVImg image;
    image.m_pageIndex = frame;
    image.LoadFromMemory(gif.data(), static_cast<int64_t>(gif.size()), zavifGIF);
    std::vector<int> column;
    for (int y = 0; y < image.GetHeight(); ++y)
        column.push_back(image.GetPixel8(0, y));
    return column;
}

std::string LoadText(const Bytes& gif)
{
    return ThrownText([&] {
        CZAVImg image;
        image.LoadFromMemory(gif.data(), static_cast<int64_t>(gif.size()), zavifGIF);
    });
}

TEST(GifHostile, DamagedCodeStreamsKeepTheRowsBefore)
{
    struct Case {
        const char* name;
        Bytes gif;
        std::vector<int> column;
    };
    const Case cases[] = {
        {"whole stream", OneFrame(1, 4, {4, 1, 2, 3, 1, 5}), {1, 2, 3, 1}},
        {"no clear code first", OneFrame(1, 3, {2, 6, 5}), {2, 2, 2}},
        {"code above the next slot", OneFrame(1, 4, {4, 1, 7, 1, 5}), {1, 0, 0, 0}},
        // After a clear the old entries 6 and 7 are undefined again: a
        // stream that names them cannot walk their stale prefixes.
        {"stale entries after a clear", OneFrame(1, 6, {4, 1, 2, 6, 4, 7, 6, 5}), {1, 2, 1, 2, 0, 0}},
        {"no end code", OneFrame(1, 4, {4, 1, 2, 3}), {1, 2, 3, 0}},
        {"data cut inside a sub-block", CutFrame(1, 5, {4, 3, 3, 1}), {3, 3, 1, 0, 0}},
        {"more pixels than rows", OneFrame(1, 2, {4, 1, 2, 3, 3, 3, 5}), {1, 2}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.column, Column(c.gif)) << c.name;
}

TEST(GifHostile, OddSubBlocksEndTheDataQuietly)
{
    Bytes empty = Screen(2, 2);
    Append(empty, Descriptor(2, 2, 2));
    empty.push_back(0);  // no code data at all
    empty.push_back(0x3B);
    EXPECT_EQ((std::vector<int>{0, 0}), Column(empty));

    // A sub-block announcing 255 bytes where the file holds 2 gives no
    // codes, and no failure.
    Bytes overlong = Screen(1, 3);
    Append(overlong, Descriptor(1, 3, 2));
    overlong.push_back(255);
    Append(overlong, PackCodes({4, 2, 3, 1, 5}, 2));
    EXPECT_EQ((std::vector<int>{0, 0, 0}), Column(overlong));
}

TEST(GifHostile, EveryGraphicControlStatesItsTransparency)
{
    Bytes gif = Screen(1, 1);
    for (uint8_t flags : {uint8_t(0x01), uint8_t(0x00)}) {
        Append(gif, {0x21, 0xF9, 4, static_cast<uint8_t>(flags | 0x08), 10, 0, 3, 0});
        Append(gif, Descriptor(1, 1, 2));
        const Bytes data = PackCodes({4, 3, 5}, 2);
        gif.push_back(static_cast<uint8_t>(data.size()));
        Append(gif, data);
        gif.push_back(0);
    }
    gif.push_back(0x3B);
    for (int frame : {0, 1}) {
        CZAVImg image;
        image.m_pageIndex = frame;
        image.LoadFromMemory(gif.data(), static_cast<int64_t>(gif.size()), zavifGIF);
        const CNameVariantPairs& info = image.GetOwnImageInfo();
        const int expected = frame == 0 ? 3 : -1;
        EXPECT_EQ(expected, info.GetValue("TRANSPARENTCOLOR" + std::to_string(frame)).GetAsInt());
        EXPECT_EQ(2, info.GetValue("DISPOSALMETHOD" + std::to_string(frame)).GetAsInt());
        EXPECT_EQ(static_cast<COLORREF>(expected), image.GetTransparentColor());
    }
}

TEST(GifHostile, StructureErrorsFailWithTheirText)
{
    Bytes notGif = OneFrame(1, 1, {4, 1, 5});
    notGif[3] = '7';
    Bytes badExtension = Screen(1, 1);
    Append(badExtension, {0x21, 0xF9, 5, 0, 0, 0, 0, 0, 0});
    Bytes codeSize10 = OneFrame(1, 1, {4, 1, 5});
    codeSize10[13 + 12 + 10] = 10;
    Bytes truncated = Screen(1, 1);
    Append(truncated, {0x2C, 0, 0, 0});
    struct Case {
        const char* name;
        Bytes gif;
        const char* text;
    };
    const Case cases[] = {
        {"signature", notGif, "Decoder error: Invalid GIF Format"},
        {"graphic control size", badExtension, "Decoder error: Invalid GIF Extension"},
        {"code size", codeSize10, "Decoder error: Invalid GIF code size!"},
        {"short descriptor", truncated, "End of file reached while decoding.\n"},
        {"no frame", Screen(1, 1), "Decoder error: Invalid GIF Frame 0"},
    };
    for (const Case& c : cases)
        EXPECT_NE(std::string::npos, LoadText(c.gif).find(c.text)) << c.name << ": " << LoadText(c.gif);
}

TEST(GifHostile, CodeSizeNineIsAccepted)
{
    Bytes gif = Screen(1, 2);
    Append(gif, Descriptor(1, 2, 9));
    const Bytes data = PackCodes({512, 300, 7, 513}, 9);
    gif.push_back(static_cast<uint8_t>(data.size()));
    Append(gif, data);
    gif.push_back(0);
    gif.push_back(0x3B);
    EXPECT_EQ((std::vector<int>{300 & 0xFF, 7}), Column(gif));
}

TEST(GifHostile, SizeAndCountBombsAreRefused)
{
    Bytes huge = Screen(1, 1);
    Append(huge, Descriptor(60000, 60000, 2));
    Append(huge, {2, 0x0C, 0x05, 0, 0x3B});
    EXPECT_NE(std::string::npos, LoadText(huge).find("GIF frame larger than its data!")) << LoadText(huge);

    Bytes many = Screen(1, 1);
    for (int i = 0; i < (1 << 16) + 1; ++i)
        Append(many, {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 0});
    many.push_back(0x3B);
    EXPECT_NE(std::string::npos, LoadText(many).find("Too many GIF frames!")) << LoadText(many);
}

}  // namespace
