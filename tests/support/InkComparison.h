// Comparing a picture with an independent renderer's picture of the same
// file: which pixels carry ink (differ clearly from a white background),
// the filled areas (ink that survives an opening by a 7 x 7 square, so
// that hairlines, pens up to 6 pixels and text drop out) and their intersection over union, and
// whether the thin ink of one lies near ink of the other.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace ZAVTest {

struct InkBox {
    int left, top, right, bottom;  // right and bottom exclusive
    bool Holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

class InkMask {
public:
    // RGB bytes, top row first. A pixel is ink when a channel lies more
    // than 60 levels below white.
    InkMask(const std::vector<uint8_t>& rgb, int width, int height) : m_width(width), m_height(height)
    {
        m_ink.assign(static_cast<size_t>(width) * height, false);
        for (size_t i = 0; i < m_ink.size() && i * 3 + 2 < rgb.size(); ++i)
            m_ink[i] = std::min({rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]}) < 195;
    }

    bool At(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < m_width && y < m_height && m_ink[static_cast<size_t>(y) * m_width + x];
    }

    // The filled areas: erosion then dilation by a 7 x 7 square.
    InkMask Filled() const { return Spread(3, true).Spread(3, false); }

    // Ink within the distance (a square) of some ink.
    bool Near(int x, int y, int distance) const
    {
        for (int dy = -distance; dy <= distance; ++dy)
            for (int dx = -distance; dx <= distance; ++dx)
                if (At(x + dx, y + dy))
                    return true;
        return false;
    }

    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    InkMask Spread(int radius, bool erode) const
    {
        InkMask out = *this;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x) {
                bool all = true, any = false;
                for (int dy = -radius; dy <= radius; ++dy)
                    for (int dx = -radius; dx <= radius; ++dx) {
                        const bool v = At(x + dx, y + dy);
                        all = all && v;
                        any = any || v;
                    }
                out.m_ink[static_cast<size_t>(y) * m_width + x] = erode ? all : any;
            }
        return out;
    }

    int m_width;
    int m_height;
    std::vector<bool> m_ink;
};

// Intersection over union of two masks of one size, outside the boxes.
inline double IntersectionOverUnion(const InkMask& a, const InkMask& b, const std::vector<InkBox>& outside = {})
{
    int both = 0, either = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            if (std::any_of(outside.begin(), outside.end(), [&](const InkBox& box) { return box.Holds(x, y); }))
                continue;
            both += a.At(x, y) && b.At(x, y);
            either += a.At(x, y) || b.At(x, y);
        }
    return either ? double(both) / either : 1.0;
}

// The share of a's ink pixels (outside the boxes) that have b's ink within
// the distance.
inline double ShareNear(const InkMask& a, const InkMask& b, int distance, const std::vector<InkBox>& outside = {})
{
    int ink = 0, near = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            if (!a.At(x, y) ||
                std::any_of(outside.begin(), outside.end(), [&](const InkBox& box) { return box.Holds(x, y); }))
                continue;
            ++ink;
            near += b.Near(x, y, distance);
        }
    return ink ? double(near) / ink : 1.0;
}

}  // namespace ZAVTest
