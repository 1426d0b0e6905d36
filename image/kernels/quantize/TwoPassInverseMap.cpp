// The inverse colour map of the two-pass quantizer: the histogram cells are
// reused to cache the nearest palette index of each cell, filled a box of
// 4 x 8 x 4 cells at a time. Only colours that can be nearest to some point
// of the box are tried for its cells.
#include "image/kernels/quantize/TwoPassQuantizer.h"

#include "image/kernels/quantize/TwoPassCells.h"

#include <algorithm>
#include <limits>

namespace ZAV {

namespace {

using namespace TwoPassCells;

struct SampleBox {
    int low[3];     // centre of the box's first cell, in sample units
    int high[3];    // centre of its last cell
};

int64_t ScaledSquare(int component, int difference)
{
    const int64_t scaled = static_cast<int64_t>(difference) * kScale[component];
    return scaled * scaled;
}

// Smallest and largest distance from a colour to any point of the box.
void DistanceRange(const SampleBox& box, const int color[3], int64_t& nearest, int64_t& farthest)
{
    nearest = 0;
    farthest = 0;
    for (int c = 0; c < 3; ++c) {
        const int low = box.low[c];
        const int high = box.high[c];
        if (color[c] < low) {
            nearest += ScaledSquare(c, color[c] - low);
            farthest += ScaledSquare(c, color[c] - high);
        } else if (color[c] > high) {
            nearest += ScaledSquare(c, color[c] - high);
            farthest += ScaledSquare(c, color[c] - low);
        } else {
            farthest += ScaledSquare(c, color[c] <= (low + high) / 2 ? color[c] - high : color[c] - low);
        }
    }
}

}  // namespace

int CTwoPassQuantizer::FindCachedIndex(int c0, int c1, int c2)
{
    if (Cell(c0, c1, c2) == 0)
        FillInverseMapBox(c0, c1, c2);
    return Cell(c0, c1, c2) - 1;
}

void CTwoPassQuantizer::FillInverseMapBox(int c0, int c1, int c2)
{
    const int cell[3] = {c0, c1, c2};
    SampleBox box;
    int first[3];
    for (int c = 0; c < 3; ++c) {
        const int boxIndex = cell[c] >> kBoxLog[c];
        first[c] = boxIndex << kBoxLog[c];
        box.low[c] = (boxIndex << kBoxSampleShift) + ((1 << kShift[c]) >> 1);
        box.high[c] = box.low[c] + (1 << kBoxSampleShift) - (1 << kShift[c]);
    }

    // Candidates: every colour whose nearest point is no farther than the
    // farthest point of the colour that is best in the worst case.
    std::vector<int64_t> nearest(static_cast<size_t>(m_colorCount));
    int64_t bestWorst = std::numeric_limits<int64_t>::max();
    for (int i = 0; i < m_colorCount; ++i) {
        const int color[3] = {m_colormap[0][i], m_colormap[1][i], m_colormap[2][i]};
        int64_t farthest = 0;
        DistanceRange(box, color, nearest[i], farthest);
        bestWorst = std::min(bestWorst, farthest);
    }

    int64_t bestDistance[4][8][4];
    int bestColor[4][8][4] = {};
    std::fill(&bestDistance[0][0][0], &bestDistance[0][0][0] + 128, std::numeric_limits<int64_t>::max());
    for (int i = 0; i < m_colorCount; ++i) {
        if (nearest[i] > bestWorst)
            continue;
        for (int k0 = 0; k0 < kBoxCells[0]; ++k0) {
            const int64_t d0 = ScaledSquare(0, box.low[0] + (k0 << kShift[0]) - m_colormap[0][i]);
            for (int k1 = 0; k1 < kBoxCells[1]; ++k1) {
                const int64_t d1 = d0 + ScaledSquare(1, box.low[1] + (k1 << kShift[1]) - m_colormap[1][i]);
                for (int k2 = 0; k2 < kBoxCells[2]; ++k2) {
                    const int64_t d = d1 + ScaledSquare(2, box.low[2] + (k2 << kShift[2]) - m_colormap[2][i]);
                    if (d < bestDistance[k0][k1][k2]) {
                        bestDistance[k0][k1][k2] = d;
                        bestColor[k0][k1][k2] = i;
                    }
                }
            }
        }
    }

    for (int k0 = 0; k0 < kBoxCells[0]; ++k0)
        for (int k1 = 0; k1 < kBoxCells[1]; ++k1)
            for (int k2 = 0; k2 < kBoxCells[2]; ++k2)
                Cell(first[0] + k0, first[1] + k1, first[2] + k2) = static_cast<uint16_t>(bestColor[k0][k1][k2] + 1);
}

}  // namespace ZAV
