#include "image/kernels/quantize/OnePassQuantizer.h"

#include "image/kernels/quantize/QuantizerMessages.h"

#include <algorithm>
#include <cstring>

namespace ZAV {

namespace {

const char kOnePassPrefix[] = "Error 1-pass quantizer!";
constexpr int kMaxSample = 255;
constexpr int kDitherSize = 16;
constexpr int kDitherCells = kDitherSize * kDitherSize;

// Green first, then red, then blue: the eye tells green levels apart best,
// so an RGB cube grows its green axis first.
const int kRgbGrowthOrder[3] = {1, 0, 2};

// The published 16 x 16 base matrix: each of the four bit pairs of the row
// and column picks one cell of the 2 x 2 pattern {0, 3; 2, 1}, the lowest
// bits weighing most. Its first row is 0, 192, 48, 240, ...
int BaseDitherValue(int row, int column)
{
    static const int kPattern[2][2] = {{0, 3}, {2, 1}};
    int value = 0;
    for (int bit = 0; bit < 4; ++bit)
        value = value * 4 + kPattern[(row >> bit) & 1][(column >> bit) & 1];
    return value;
}

// Colour value of level j of a component with maxLevel + 1 levels.
int LevelValue(int level, int maxLevel)
{
    return (level * kMaxSample + maxLevel / 2) / maxLevel;
}

// Greatest input value that maps to level j: halfway to the next level.
int LevelUpperBound(int level, int maxLevel)
{
    return ((2 * level + 1) * kMaxSample + maxLevel) / (2 * maxLevel);
}

BYTE ClampSample(int value)
{
    return static_cast<BYTE>(std::min(std::max(value, 0), kMaxSample));
}

}  // namespace

void COnePassQuantizer::Setup(int components, int maxColors, int ditherMode, int width)
{
    if (maxColors > kQuantizerMaxColors)
        RaiseQuantizerError(kOnePassPrefix, kQuantizerManyColors, kQuantizerMaxColors);
    m_components = std::min(std::max(components, 1), kQuantizerMaxComponents);
    m_width = std::max(width, 0);
    m_dither = (ditherMode == kDitherOrdered || ditherMode == kDitherFloydSteinberg) ? ditherMode : kDitherNone;
    ChooseLevels(maxColors);
    BuildColormap();
    BuildColorIndex();
    if (m_dither == kDitherOrdered)
        BuildOrderedDither();
    m_ditherRow = 0;
    m_oddRow = false;
    for (int c = 0; c < kQuantizerMaxComponents; ++c)
        m_errors[c].assign(c < m_components && m_dither == kDitherFloydSteinberg ? m_width + 2 : 0, 0);
}

// The largest equal number of levels a component that fits, then one more
// level for as many components as still fit, in the growth order.
void COnePassQuantizer::ChooseLevels(int maxColors)
{
    int root = 1;
    long long cube = 1;
    do {
        ++root;
        cube = 1;
        for (int c = 0; c < m_components; ++c)
            cube *= root;
    } while (cube <= maxColors);
    --root;
    if (root < 2)
        RaiseQuantizerError(kOnePassPrefix, kQuantizerFewColors, static_cast<int>(cube));
    m_colorCount = 1;
    for (int c = 0; c < m_components; ++c) {
        m_levels[c] = root;
        m_colorCount *= root;
    }
    bool grown = true;
    while (grown) {
        grown = false;
        for (int i = 0; i < m_components; ++i) {
            const int c = m_components == 3 ? kRgbGrowthOrder[i] : i;
            const int bigger = m_colorCount / m_levels[c] * (m_levels[c] + 1);
            if (bigger > maxColors)
                break;
            ++m_levels[c];
            m_colorCount = bigger;
            grown = true;
        }
    }
}

// Palette index = sum of level x block size; the first component varies slowest.
void COnePassQuantizer::BuildColormap()
{
    int blockDistance = m_colorCount;
    for (int c = 0; c < kQuantizerMaxComponents; ++c)
        m_colormap[c].assign(c < m_components ? m_colorCount : 0, 0);
    for (int c = 0; c < m_components; ++c) {
        const int blockSize = blockDistance / m_levels[c];
        for (int level = 0; level < m_levels[c]; ++level) {
            const BYTE value = static_cast<BYTE>(LevelValue(level, m_levels[c] - 1));
            for (int start = level * blockSize; start < m_colorCount; start += blockDistance)
                std::fill_n(m_colormap[c].begin() + start, blockSize, value);
        }
        blockDistance = blockSize;
    }
}

void COnePassQuantizer::BuildColorIndex()
{
    int blockSize = m_colorCount;
    for (int c = 0; c < m_components; ++c) {
        const int maxLevel = m_levels[c] - 1;
        blockSize /= m_levels[c];
        int level = 0;
        int bound = LevelUpperBound(0, maxLevel);
        for (int value = 0; value <= kMaxSample; ++value) {
            while (value > bound)
                bound = LevelUpperBound(++level, maxLevel);
            m_colorIndex[c][value] = level * blockSize;
        }
    }
}

// Each cell spreads +-half a level step around the sample.
void COnePassQuantizer::BuildOrderedDither()
{
    for (int c = 0; c < m_components; ++c) {
        const long long divisor = 2LL * kDitherCells * (m_levels[c] - 1);
        for (int row = 0; row < kDitherSize; ++row) {
            for (int column = 0; column < kDitherSize; ++column) {
                const long long spread = kDitherCells - 1 - 2LL * BaseDitherValue(row, column);
                m_orderedDither[c][row][column] = static_cast<int>(spread * kMaxSample / divisor);
            }
        }
    }
}

BYTE COnePassQuantizer::GetColor(int component, int index) const
{
    if (component < 0 || component >= m_components || index < 0 || index >= m_colorCount)
        return 0;
    return m_colormap[component][index];
}

void COnePassQuantizer::MapRow(const BYTE* in, BYTE* out)
{
    if (m_dither == kDitherOrdered)
        MapRowOrdered(in, out);
    else if (m_dither == kDitherFloydSteinberg)
        MapRowFloydSteinberg(in, out);
    else
        MapRowPlain(in, out);
}

void COnePassQuantizer::MapRowPlain(const BYTE* in, BYTE* out) const
{
    for (int x = 0; x < m_width; ++x) {
        int index = 0;
        for (int c = 0; c < m_components; ++c)
            index += m_colorIndex[c][*in++];
        out[x] = static_cast<BYTE>(index);
    }
}

void COnePassQuantizer::MapRowOrdered(const BYTE* in, BYTE* out)
{
    for (int x = 0; x < m_width; ++x) {
        int index = 0;
        for (int c = 0; c < m_components; ++c) {
            const int dithered = *in++ + m_orderedDither[c][m_ditherRow][x % kDitherSize];
            index += m_colorIndex[c][ClampSample(dithered)];
        }
        out[x] = static_cast<BYTE>(index);
    }
    m_ditherRow = (m_ditherRow + 1) % kDitherSize;
}

void COnePassQuantizer::MapRowFloydSteinberg(const BYTE* in, BYTE* out)
{
    std::memset(out, 0, static_cast<size_t>(m_width));
    for (int c = 0; c < m_components; ++c)
        DiffuseComponent(c, in, out);
    m_oddRow = !m_oddRow;
}

// Serpentine Floyd-Steinberg for one component: 7/16 of the error to the
// next pixel, 3/16, 5/16 and 1/16 to the row below. The error row holds
// width + 2 cells: cell x + 1 belongs to pixel x.
void COnePassQuantizer::DiffuseComponent(int component, const BYTE* in, BYTE* out)
{
    const int step = m_oddRow ? -1 : 1;
    int x = m_oddRow ? m_width - 1 : 0;
    int* error = m_errors[component].data() + (m_oddRow ? m_width + 1 : 0);
    int carried = 0;
    int belowPrevious = 0;
    int below = 0;
    for (int n = 0; n < m_width; ++n, x += step, error += step) {
        int value = (carried + error[step] + 8) >> 4;
        value = ClampSample(value + in[x * m_components + component]);
        const int index = m_colorIndex[component][value];
        out[x] = static_cast<BYTE>(out[x] + index);
        const int residual = value - m_colormap[component][index];
        error[0] = belowPrevious + residual * 3;
        belowPrevious = below + residual * 5;
        below = residual;
        carried = residual * 7;
    }
    error[0] = belowPrevious;
}

}  // namespace ZAV
