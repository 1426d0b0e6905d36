// Bi-level test pages built in code: packed rows, 1 = black.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace JB2Test {

struct Page {
    std::string name;
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> bits;  // height rows of (width + 7) / 8 bytes

    uint32_t Stride() const { return (width + 7) / 8; }
    uint8_t* Row(uint32_t y) { return bits.data() + size_t(y) * Stride(); }
    const uint8_t* Row(uint32_t y) const { return bits.data() + size_t(y) * Stride(); }
    bool Get(uint32_t x, uint32_t y) const { return (Row(y)[x / 8] >> (7 - x % 8)) & 1; }
    void Set(uint32_t x, uint32_t y) { Row(y)[x / 8] |= uint8_t(0x80 >> (x % 8)); }
};

// One pixel as a combination operator leaves it: destination d, source s;
// 0 or, 1 and, 2 xor, 3 xnor, anything else replace.
inline bool CombinePixel(bool d, bool s, uint8_t op)
{
    switch (op) {
    case 0:
        return d || s;
    case 1:
        return d && s;
    case 2:
        return d != s;
    case 3:
        return d == s;
    default:
        return s;
    }
}

inline Page BlankPage(std::string name, uint32_t width, uint32_t height)
{
    Page page;
    page.name = std::move(name);
    page.width = width;
    page.height = height;
    page.bits.assign(size_t(page.Stride()) * height, 0);
    return page;
}

inline Page BlackPage(std::string name, uint32_t width, uint32_t height)
{
    Page page = BlankPage(std::move(name), width, height);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            page.Set(x, y);
    return page;
}

// Lines of letter-like blobs: strokes, bowls and gaps, as scanned text has.
inline Page TextPage(std::string name, uint32_t width, uint32_t height, uint32_t seed)
{
    Page page = BlankPage(std::move(name), width, height);
    auto next = [&seed]() { return seed = seed * 1664525u + 1013904223u, seed >> 8; };
    for (uint32_t top = 4; top + 14 < height; top += 18) {
        uint32_t x = 3 + next() % 5;
        while (x + 12 < width) {
            const uint32_t w = 4 + next() % 8;
            const uint32_t shape = next() % 4;
            for (uint32_t dy = 0; dy < 12; ++dy)
                for (uint32_t dx = 0; dx < w; ++dx) {
                    bool on = false;
                    if (shape == 0)
                        on = dx < 2 || dy > 9;  // L
                    if (shape == 1)
                        on = dy < 2 || dy > 9 || dx < 2 || dx + 2 >= w;  // box
                    if (shape == 2)
                        on = (dx + dy) % 5 < 2;  // slant
                    if (shape == 3)
                        on = (next() & 7) == 0;  // noise
                    if (on)
                        page.Set(x + dx, top + dy);
                }
            x += w + 1 + next() % 6;
            if (next() % 9 == 0)
                x += 10;  // word gap
        }
    }
    return page;
}

inline Page NoisePage(std::string name, uint32_t width, uint32_t height, uint32_t seed)
{
    Page page = BlankPage(std::move(name), width, height);
    for (uint8_t& byte : page.bits)
        byte = uint8_t((seed = seed * 1664525u + 1013904223u) >> 24);
    // Clear the bits past the width.
    if (width % 8)
        for (uint32_t y = 0; y < height; ++y)
            page.Row(y)[page.Stride() - 1] &= uint8_t(0xFF << (8 - width % 8));
    return page;
}

// Mostly white, as margins and gaps of a scan are: specks whose density
// rises band by band down the page (none in the first band, then about one
// in 4096, 512 and 64 pixels), and a short line of text in the last band.
inline Page DustPage(std::string name, uint32_t width, uint32_t height, uint32_t seed)
{
    Page page = BlankPage(std::move(name), width, height);
    auto next = [&seed]() { return seed = seed * 1664525u + 1013904223u, seed >> 8; };
    const uint32_t band = (height + 3) / 4;
    for (uint32_t y = band; y < height; ++y) {
        const uint32_t odds = 4096u >> (3 * (y / band - 1));
        for (uint32_t x = 0; x < width; ++x)
            if (next() % odds == 0)
                page.Set(x, y);
    }
    const Page text = TextPage("", width / 2, band, seed);
    for (uint32_t y = 0; y < text.height; ++y)
        for (uint32_t x = 0; x < text.width; ++x)
            if (text.Get(x, y))
                page.Set(width / 4 + x, height - band + y);
    return page;
}

// Long runs to exercise the make-up codes: bands of different lengths.
inline Page LongRunPage(std::string name, uint32_t width, uint32_t height)
{
    Page page = BlankPage(std::move(name), width, height);
    for (uint32_t y = 0; y < height; ++y) {
        const uint32_t start = (y * 131) % 97;
        const uint32_t length = (y % 3 == 0) ? width - start : (y * 977) % (width - start);
        for (uint32_t x = start; x < start + length; ++x)
            page.Set(x, y);
    }
    return page;
}

}  // namespace JB2Test
