// Pages that look to a decoder like real scans rather than clean renders:
// the encode benches' text pages turned by a small skew, with dithered grey
// areas (photos, shaded boxes), ragged glyph edges and speckle noise over
// the whole page, so that hardly a line is blank or repeats the one above;
// and glyph shapes with the same kind of damage for symbol-coded pages.
#pragma once

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace JB2ScanPages {

struct Page {
    uint32_t width;
    uint32_t height;
    std::vector<uint8_t> rows;  // packed, 1 is black
    uint32_t Stride() const { return (width + 7) / 8; }
    bool Get(int64_t x, int64_t y) const
    {
        if (x < 0 || y < 0 || x >= int64_t(width) || y >= int64_t(height))
            return false;
        return (rows[size_t(y) * Stride() + size_t(x) / 8] >> (7 - x % 8)) & 1;
    }
    void Set(uint32_t x, uint32_t y, bool black)
    {
        uint8_t& byte = rows[size_t(y) * Stride() + x / 8];
        const uint8_t bit = uint8_t(0x80 >> (x % 8));
        byte = black ? uint8_t(byte | bit) : uint8_t(byte & ~bit);
    }
};

// Turns the page by `degrees` about its centre (nearest pixel).
inline Page Skew(const Page& in, double degrees)
{
    Page out{in.width, in.height, std::vector<uint8_t>(in.rows.size(), 0)};
    const double s = std::sin(degrees * M_PI / 180), c = std::cos(degrees * M_PI / 180);
    const double cx = in.width / 2.0, cy = in.height / 2.0;
    for (uint32_t y = 0; y < in.height; ++y)
        for (uint32_t x = 0; x < in.width; ++x) {
            const double dx = x - cx, dy = y - cy;
            if (in.Get(int64_t(std::lround(cx + c * dx + s * dy)), int64_t(std::lround(cy - s * dx + c * dy))))
                out.Set(x, y, true);
        }
    return out;
}

// A grey picture of w x h at (left, top), Floyd-Steinberg dithered as a
// scanner's halftoning does.
inline void DitherArea(Page& page, uint32_t left, uint32_t top, uint32_t w, uint32_t h, uint32_t seed)
{
    std::vector<float> grey(size_t(w) * h);
    const double fx = 30 + seed % 40, fy = 45 + seed % 25;
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x)
            grey[size_t(y) * w + x] = float(0.5 + 0.35 * std::sin(x / fx) * std::cos(y / fy) + 0.1 * double(x) / w);
    for (uint32_t y = 0; y < h && top + y < page.height; ++y)
        for (uint32_t x = 0; x < w && left + x < page.width; ++x) {
            const float old = grey[size_t(y) * w + x];
            const float value = old < 0.5f ? 0.f : 1.f;
            page.Set(left + x, top + y, value == 0.f);
            const float error = old - value;
            if (x + 1 < w)
                grey[size_t(y) * w + x + 1] += error * 7 / 16;
            if (y + 1 < h) {
                if (x > 0)
                    grey[size_t(y + 1) * w + x - 1] += error * 3 / 16;
                grey[size_t(y + 1) * w + x] += error * 5 / 16;
                if (x + 1 < w)
                    grey[size_t(y + 1) * w + x + 1] += error * 1 / 16;
            }
        }
}

// Ragged edges (a pixel beside an edge flips now and then) and dust: black
// specks of one to a few pixels anywhere, with `specks` per million pixels.
inline void AddNoise(Page& page, std::mt19937& random, uint32_t specks)
{
    const Page before = page;
    std::uniform_int_distribution<uint32_t> percent(0, 99);
    for (uint32_t y = 0; y < page.height; ++y)
        for (uint32_t x = 0; x < page.width; ++x) {
            const bool here = before.Get(x, y);
            if (here != before.Get(int64_t(x) + 1, y) || here != before.Get(x, int64_t(y) + 1))
                if (percent(random) < 12)
                    page.Set(x, y, !here);
        }
    const uint64_t count = uint64_t(page.width) * page.height * specks / 1000000;
    for (uint64_t i = 0; i < count; ++i) {
        const uint32_t x = random() % page.width, y = random() % page.height;
        const uint32_t w = 1 + random() % 3, h = 1 + random() % 2;
        for (uint32_t dy = 0; dy < h && y + dy < page.height; ++dy)
            for (uint32_t dx = 0; dx < w && x + dx < page.width; ++dx)
                page.Set(x + dx, y + dy, true);
    }
}

// The rendered page as a scan: skewed by up to half a degree, one or two
// dithered grey areas, ragged edges and dust.
inline Page ScanOf(const Page& rendered, uint32_t seed)
{
    std::mt19937 random(seed);
    Page page = Skew(rendered, (double(random() % 101) - 50) / 100);
    const uint32_t areas = 1 + seed % 2;
    for (uint32_t i = 0; i < areas; ++i) {
        const uint32_t w = 500 + random() % 600, h = 300 + random() % 500;
        DitherArea(page, 200 + random() % (page.width - w - 400), 300 + random() % (page.height - h - 600), w, h,
                   seed + i);
    }
    AddNoise(page, random, 600);
    return page;
}

}  // namespace JB2ScanPages
