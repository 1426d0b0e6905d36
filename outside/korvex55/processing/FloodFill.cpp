#include "outside/korvex55/processing/FloodFill.h"

#include <utility>
#include <vector>

namespace KORVEX55 {

namespace {

class Flood {
public:
    Flood(const PixelView& picture, int32_t seedX, int32_t seedY, const FloodRange& range)
        : m_picture(picture), m_range(range), m_visited(static_cast<size_t>(picture.width) * picture.height)
    {
        for (int32_t c = 0; c < picture.Channels(); ++c)
            m_seed[c] = picture.Get(seedX, seedY, c);
    }

    // Marks every pixel of the region; the fill colour may itself lie
    // in the range, so the visited map, not the colour, stops the walk.
    void Walk(int32_t seedX, int32_t seedY)
    {
        std::vector<std::pair<int32_t, int32_t>> pending{{seedX, seedY}};
        Visit(seedX, seedY);
        while (!pending.empty()) {
            const auto [x, y] = pending.back();
            pending.pop_back();
            for (int32_t dy = -1; dy <= 1; ++dy)
                for (int32_t dx = -1; dx <= 1; ++dx)
                    if (IsNeighbour(dx, dy) && Admits(x + dx, y + dy)) {
                        Visit(x + dx, y + dy);
                        pending.emplace_back(x + dx, y + dy);
                    }
        }
    }

    bool Visited(int32_t x, int32_t y) const { return m_visited[Index(x, y)]; }

private:
    bool IsNeighbour(int32_t dx, int32_t dy) const
    {
        if (dx == 0 && dy == 0)
            return false;
        return m_range.connectivity == 8 || dx == 0 || dy == 0;
    }

    bool Admits(int32_t x, int32_t y) const
    {
        if (x < 0 || y < 0 || x >= m_picture.width || y >= m_picture.height || m_visited[Index(x, y)])
            return false;
        for (int32_t c = 0; c < m_picture.Channels(); ++c) {
            const int32_t sample = m_picture.Get(x, y, c);
            if (sample < m_seed[c] - m_range.lower || sample > m_seed[c] + m_range.upper)
                return false;
        }
        return true;
    }

    void Visit(int32_t x, int32_t y) { m_visited[Index(x, y)] = true; }
    size_t Index(int32_t x, int32_t y) const { return static_cast<size_t>(y) * m_picture.width + x; }

    const PixelView& m_picture;
    FloodRange m_range;
    std::vector<bool> m_visited;
    int32_t m_seed[4] = {};
};

}  // namespace

void FloodFillPicture(const PixelView& picture, int32_t seedX, int32_t seedY, const Samples& colour,
                      const FloodRange& range)
{
    Flood flood(picture, seedX, seedY, range);
    flood.Walk(seedX, seedY);
    for (int32_t y = 0; y < picture.height; ++y)
        for (int32_t x = 0; x < picture.width; ++x)
            if (flood.Visited(x, y))
                for (int32_t c = 0; c < picture.Channels(); ++c)
                    picture.Set(x, y, c, colour[c]);
}

}  // namespace KORVEX55
