#include "image/kernels/quantize/TwoPassQuantizer.h"

#include "image/kernels/quantize/TwoPassCells.h"

#include "image/kernels/quantize/QuantizerMessages.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace ZAV {

namespace {

const char kTwoPassPrefix[] = "Error 2-pass quantizer!";
constexpr int kMinColors = 2;
constexpr int kMaxSample = 255;

using namespace TwoPassCells;
constexpr uint16_t kMaxCount = std::numeric_limits<uint16_t>::max();
// Larger errors are passed on only in part, so that no colour bleeds far.
constexpr int kErrorStep = (kMaxSample + 1) / 16;

int ClampSample(int value)
{
    return std::min(std::max(value, 0), kMaxSample);
}

int LimitedError(int error)
{
    const int magnitude = std::abs(error);
    int limited = magnitude;
    if (magnitude >= 3 * kErrorStep)
        limited = 2 * kErrorStep;
    else if (magnitude >= kErrorStep)
        limited = kErrorStep + (magnitude - kErrorStep) / 2;
    return error < 0 ? -limited : limited;
}

int64_t WeightedExtent(int component, int low, int high)
{
    return static_cast<int64_t>((high - low) << kShift[component]) * kScale[component];
}

int64_t Square(int64_t value)
{
    return value * value;
}

}  // namespace

CTwoPassQuantizer::CTwoPassQuantizer() : m_histogram(static_cast<size_t>(kCells[0]) * kCells[1] * kCells[2], 0) {}

void CTwoPassQuantizer::Setup(int maxColors, int ditherMode, int width)
{
    if (maxColors < kMinColors)
        RaiseQuantizerError(kTwoPassPrefix, kQuantizerFewColors, kMinColors);
    if (maxColors > kQuantizerMaxColors)
        RaiseQuantizerError(kTwoPassPrefix, kQuantizerManyColors, kQuantizerMaxColors);
    m_maxColors = maxColors;
    m_dither = ditherMode == kDitherOrdered || ditherMode == kDitherFloydSteinberg;
    m_width = std::max(width, 0);
    std::fill(m_histogram.begin(), m_histogram.end(), 0);
    m_histogramCounts = true;
    m_colorCount = 0;
}

uint16_t& CTwoPassQuantizer::Cell(int c0, int c1, int c2)
{
    return m_histogram[(static_cast<size_t>(c0) * kCells[1] + c1) * kCells[2] + c2];
}

void CTwoPassQuantizer::CountRow(const BYTE* rgb)
{
    for (int x = 0; x < m_width; ++x, rgb += 3) {
        uint16_t& count = Cell(rgb[0] >> kShift[0], rgb[1] >> kShift[1], rgb[2] >> kShift[2]);
        if (count < kMaxCount)
            ++count;
    }
}

void CTwoPassQuantizer::ChoosePalette()
{
    std::vector<Box> boxes;
    boxes.reserve(static_cast<size_t>(m_maxColors));
    Box whole{};
    for (int c = 0; c < 3; ++c)
        whole.max[c] = kCells[c] - 1;
    ShrinkBox(whole);
    boxes.push_back(whole);
    const int count = SplitBoxes(boxes);
    for (int c = 0; c < 3; ++c)
        m_colormap[c].assign(static_cast<size_t>(count), 0);
    for (int i = 0; i < count; ++i)
        AverageColor(boxes[i], i);
    m_colorCount = count;
    StartMapping();
}

// Shrinks the box to the cells that hold pixels; its volume and the number
// of such cells decide which box median cut splits next.
void CTwoPassQuantizer::ShrinkBox(Box& box)
{
    int low[3] = {kCells[0], kCells[1], kCells[2]};
    int high[3] = {-1, -1, -1};
    int64_t cells = 0;
    for (int c0 = box.min[0]; c0 <= box.max[0]; ++c0) {
        for (int c1 = box.min[1]; c1 <= box.max[1]; ++c1) {
            for (int c2 = box.min[2]; c2 <= box.max[2]; ++c2) {
                if (Cell(c0, c1, c2) == 0)
                    continue;
                const int at[3] = {c0, c1, c2};
                for (int c = 0; c < 3; ++c) {
                    low[c] = std::min(low[c], at[c]);
                    high[c] = std::max(high[c], at[c]);
                }
                ++cells;
            }
        }
    }
    if (cells > 0) {
        std::copy(low, low + 3, box.min);
        std::copy(high, high + 3, box.max);
    }
    box.volume = 0;
    for (int c = 0; c < 3; ++c)
        box.volume += Square(WeightedExtent(c, box.min[c], box.max[c]));
    box.cellCount = cells;
}

// Median cut: while fewer than half the colours exist, split the box with
// the most occupied cells, then the one of the greatest volume; each split
// halves the longest weighted side (ties: green, then red, then blue).
int CTwoPassQuantizer::SplitBoxes(std::vector<Box>& boxes)
{
    while (static_cast<int>(boxes.size()) < m_maxColors) {
        const bool byPopulation = static_cast<int>(boxes.size()) * 2 <= m_maxColors;
        int chosen = -1;
        int64_t best = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            const int64_t measure = byPopulation ? boxes[i].cellCount : boxes[i].volume;
            if (measure > best && boxes[i].volume > 0) {
                best = measure;
                chosen = static_cast<int>(i);
            }
        }
        if (chosen < 0)
            break;
        Box first = boxes[chosen];
        Box second = first;
        int axis = 1;
        int64_t longest = WeightedExtent(1, first.min[1], first.max[1]);
        if (WeightedExtent(0, first.min[0], first.max[0]) > longest) {
            axis = 0;
            longest = WeightedExtent(0, first.min[0], first.max[0]);
        }
        if (WeightedExtent(2, first.min[2], first.max[2]) > longest)
            axis = 2;
        const int middle = (first.max[axis] + first.min[axis]) / 2;
        first.max[axis] = middle;
        second.min[axis] = middle + 1;
        ShrinkBox(first);
        ShrinkBox(second);
        boxes[chosen] = first;
        boxes.push_back(second);
    }
    return static_cast<int>(boxes.size());
}

// The box's colour is the pixel-weighted mean of its cell centres, rounded.
void CTwoPassQuantizer::AverageColor(const Box& box, int index)
{
    int64_t total = 0;
    int64_t sums[3] = {0, 0, 0};
    for (int c0 = box.min[0]; c0 <= box.max[0]; ++c0) {
        for (int c1 = box.min[1]; c1 <= box.max[1]; ++c1) {
            for (int c2 = box.min[2]; c2 <= box.max[2]; ++c2) {
                const int64_t count = Cell(c0, c1, c2);
                const int at[3] = {c0, c1, c2};
                total += count;
                for (int c = 0; c < 3; ++c)
                    sums[c] += ((at[c] << kShift[c]) + ((1 << kShift[c]) >> 1)) * count;
            }
        }
    }
    for (int c = 0; c < 3; ++c) {
        // An empty image has no pixels to average; its one colour is black.
        m_colormap[c][index] = total ? static_cast<BYTE>((sums[c] + total / 2) / total) : 0;
    }
}

void CTwoPassQuantizer::StartMapping()
{
    if (m_colorCount < 1)
        RaiseQuantizerError(kTwoPassPrefix, kQuantizerFewColors, 1);
    if (m_colorCount > kQuantizerMaxColors)
        RaiseQuantizerError(kTwoPassPrefix, kQuantizerManyColors, kQuantizerMaxColors);
    // From here on a cell holds its palette index + 1, or 0 while unknown.
    std::fill(m_histogram.begin(), m_histogram.end(), 0);
    m_histogramCounts = false;
    m_oddRow = false;
    if (!m_dither)
        return;
    m_errors.assign(static_cast<size_t>(m_width + 2) * 3, 0);
    m_errorLimit.resize(2 * kMaxSample + 1);
    for (int error = -kMaxSample; error <= kMaxSample; ++error)
        m_errorLimit[error + kMaxSample] = LimitedError(error);
}

BYTE CTwoPassQuantizer::GetColor(int component, int index) const
{
    if (component < 0 || component > 2 || index < 0 || index >= m_colorCount)
        return 0;
    return m_colormap[component][index];
}

void CTwoPassQuantizer::MapRow(const BYTE* rgb, BYTE* out)
{
    if (m_dither)
        MapRowFloydSteinberg(rgb, out);
    else
        MapRowPlain(rgb, out);
}

void CTwoPassQuantizer::MapRowPlain(const BYTE* rgb, BYTE* out)
{
    for (int x = 0; x < m_width; ++x, rgb += 3)
        out[x] = static_cast<BYTE>(FindCachedIndex(rgb[0] >> kShift[0], rgb[1] >> kShift[1], rgb[2] >> kShift[2]));
}

// Serpentine Floyd-Steinberg on all three components at once; the error
// row holds (width + 2) x 3 cells, cells x + 1 belonging to pixel x.
void CTwoPassQuantizer::MapRowFloydSteinberg(const BYTE* rgb, BYTE* out)
{
    const int step = m_oddRow ? -1 : 1;
    int x = m_oddRow ? m_width - 1 : 0;
    int* error = m_errors.data() + (m_oddRow ? (m_width + 1) * 3 : 0);
    int carried[3] = {0, 0, 0};
    int belowPrevious[3] = {0, 0, 0};
    int below[3] = {0, 0, 0};
    for (int n = 0; n < m_width; ++n, x += step, error += 3 * step) {
        int value[3];
        for (int c = 0; c < 3; ++c) {
            const int spread = std::min(std::max((carried[c] + error[3 * step + c] + 8) >> 4, -kMaxSample), kMaxSample);
            value[c] = ClampSample(m_errorLimit[spread + kMaxSample] + rgb[x * 3 + c]);
        }
        const int index = FindCachedIndex(value[0] >> kShift[0], value[1] >> kShift[1], value[2] >> kShift[2]);
        out[x] = static_cast<BYTE>(index);
        for (int c = 0; c < 3; ++c) {
            const int residual = value[c] - m_colormap[c][index];
            error[c] = belowPrevious[c] + residual * 3;
            belowPrevious[c] = below[c] + residual * 5;
            below[c] = residual;
            carried[c] = residual * 7;
        }
    }
    for (int c = 0; c < 3; ++c)
        error[c] = belowPrevious[c];
    m_oddRow = !m_oddRow;
}

}  // namespace ZAV
