// Text-like pages made in code, the same on every machine: glyphs drawn
// from strokes and rings at a sub-pixel offset that follows a skewed
// baseline (so that copies of one glyph differ in a few edge pixels, as in
// a scan), words in lines, a table of rules, speckle and salt noise. All
// arithmetic is in integers (sixteenths of a pixel).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/jbig2codec/JB2TestPages.h"

namespace JB2Test {

namespace MadePages {

constexpr int64_t kSub = 16;  // sub-pixel units per pixel

struct Random {
    uint32_t state;
    uint32_t Next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    int32_t Below(int32_t n) { return int32_t(Next() % uint32_t(n)); }
};

// A stroke from a to b, or (ring) an ellipse ring of radii rx, ry about a;
// half the line width in h. In sub-pixel units of the glyph box.
struct Stroke {
    bool ring;
    int64_t ax, ay, bx, by;
    int64_t h;
};

struct Glyph {
    int32_t width;  // pixels
    int32_t height;
    std::vector<Stroke> strokes;
};

inline bool InsideStroke(const Stroke& s, int64_t px, int64_t py)
{
    const int64_t dx = px - s.ax, dy = py - s.ay;
    if (s.ring) {
        // Outside the ellipse of radii (rx - h, ry - h), inside that of (rx + h, ry + h).
        const int64_t ix = s.bx - s.h, iy = s.by - s.h, ox = s.bx + s.h, oy = s.by + s.h;
        return dx * dx * iy * iy + dy * dy * ix * ix >= ix * ix * iy * iy &&
               dx * dx * oy * oy + dy * dy * ox * ox <= ox * ox * oy * oy;
    }
    const int64_t ex = s.bx - s.ax, ey = s.by - s.ay;
    const int64_t length2 = ex * ex + ey * ey;
    const int64_t t = dx * ex + dy * ey;
    if (length2 == 0 || t <= 0)
        return dx * dx + dy * dy <= s.h * s.h;
    if (t >= length2) {
        const int64_t fx = px - s.bx, fy = py - s.by;
        return fx * fx + fy * fy <= s.h * s.h;
    }
    const int64_t cross = dx * ey - dy * ex;
    return cross * cross <= s.h * s.h * length2;
}

inline Glyph MakeGlyph(Random& r)
{
    Glyph g;
    const bool tall = r.Below(3) == 0;
    g.width = 9 + r.Below(12);
    g.height = tall ? 22 + r.Below(5) : 13 + r.Below(4);
    const int64_t w = g.width * kSub, h = g.height * kSub, thick = 12 + r.Below(8);
    const int parts = 1 + r.Below(3);
    for (int i = 0; i < parts; ++i) {
        Stroke s = {};
        s.h = thick;
        if (r.Below(3) == 0) {
            s.ring = true;
            s.bx = w / 2 - thick;
            s.by = (tall && r.Below(2) ? h / 4 : h / 2) - thick;
            s.ax = w / 2;
            s.ay = h - s.by - thick;
        } else {
            s.ax = thick + r.Below(int32_t(w - 2 * thick));
            s.ay = thick + r.Below(int32_t(h / 3));
            s.bx = thick + r.Below(int32_t(w - 2 * thick));
            s.by = h - thick - r.Below(int32_t(h / 3));
            if (r.Below(4) == 0)
                s.ay = s.by;  // a crossbar
        }
        g.strokes.push_back(s);
    }
    return g;
}

// The glyph with its box's top left corner at (x, y), in sub-pixels.
inline void DrawGlyph(Page& page, const Glyph& g, int64_t x, int64_t y)
{
    const int64_t left = x / kSub, top = y / kSub;
    for (int64_t row = top - 1; row <= top + g.height + 1; ++row)
        for (int64_t column = left - 1; column <= left + g.width + 1; ++column) {
            if (row < 0 || column < 0 || row >= page.height || column >= page.width)
                continue;
            const int64_t px = column * kSub + kSub / 2 - x, py = row * kSub + kSub / 2 - y;
            for (const Stroke& s : g.strokes)
                if (InsideStroke(s, px, py)) {
                    page.Set(uint32_t(column), uint32_t(row));
                    break;
                }
        }
}

inline void FillBox(Page& page, uint32_t x, uint32_t y, uint32_t w, uint32_t h)
{
    for (uint32_t row = y; row < y + h && row < page.height; ++row)
        for (uint32_t column = x; column < x + w && column < page.width; ++column)
            page.Set(column, row);
}

// A page of width x height pixels from the seed: the skew is `skew`
// sixteenths of a pixel of drop per 100 pixels of run.
inline Page TextPage(const std::string& name, uint32_t width, uint32_t height, uint32_t seed, int32_t skew)
{
    Page page;
    page.name = name;
    page.width = width;
    page.height = height;
    page.bits.assign(size_t(page.Stride()) * height, 0);
    Random r{seed};
    Random font{7};  // one font for every page
    std::vector<Glyph> glyphs;
    for (int i = 0; i < 60; ++i)
        glyphs.push_back(MakeGlyph(font));
    const uint32_t margin = width / 12;
    // Lines of words, now and then a table of rules with figures.
    for (uint32_t line = 0; margin + line * 34 + 40 < height - margin; ++line) {
        const int64_t base = int64_t(margin + line * 34) * kSub;
        if (r.Below(9) == 0) {
            FillBox(page, margin, uint32_t(base / kSub) + 30, width - 2 * margin, 2);
            for (uint32_t column = 0; column < 5; ++column)
                FillBox(page, margin + column * (width - 2 * margin) / 4, uint32_t(base / kSub) - 4, 2, 36);
        }
        int64_t x = int64_t(margin) * kSub;
        while (x < int64_t(width - margin - 30) * kSub) {
            const int letters = 1 + r.Below(8);
            for (int i = 0; i < letters && x < int64_t(width - margin - 30) * kSub; ++i) {
                const Glyph& g = glyphs[size_t(r.Below(r.Below(4) == 0 ? 60 : 20))];
                const int64_t y = base + 26 * kSub - g.height * kSub + x * skew / (100 * kSub);
                DrawGlyph(page, g, x, y);
                x += (g.width + 2) * kSub + r.Below(kSub);
            }
            x += 9 * kSub + r.Below(4 * kSub);
        }
    }
    // Speckle: dots of 1 to 3 pixels a side, then single flipped pixels.
    for (uint32_t i = 0; i < width * height / 4000; ++i)
        FillBox(page, uint32_t(r.Below(int32_t(width))), uint32_t(r.Below(int32_t(height))), 1 + r.Below(3),
                1 + r.Below(3));
    for (uint32_t i = 0; i < width * height / 1500; ++i) {
        const uint32_t x = uint32_t(r.Below(int32_t(width))), y = uint32_t(r.Below(int32_t(height)));
        page.Row(y)[x / 8] ^= uint8_t(0x80 >> (x % 8));
    }
    return page;
}

}  // namespace MadePages

}  // namespace JB2Test
