#include "outside/korvex55/geometry/AreaResample.h"

#include <algorithm>
#include <vector>

namespace KORVEX55 {

namespace {

// The source pixels under one destination pixel and their weights. Along an
// axis of `from` source and `to` destination pixels, lengths are counted in
// 1/to of a source pixel: destination pixel i covers [i * from, (i + 1) *
// from), source pixel j covers [j * to, (j + 1) * to), and the weights of
// one destination pixel add up to `from`, exactly.
struct Span {
    int32_t first = 0;
    std::vector<int64_t> weights;
};

std::vector<Span> Spans(int32_t from, int32_t to)
{
    std::vector<Span> spans(static_cast<size_t>(to));
    for (int32_t i = 0; i < to; ++i) {
        const int64_t start = int64_t(i) * from;
        const int64_t end = start + from;
        Span& span = spans[static_cast<size_t>(i)];
        span.first = static_cast<int32_t>(start / to);
        for (int64_t j = span.first; j * to < end; ++j)
            span.weights.push_back(std::min(end, (j + 1) * to) - std::max(start, j * to));
    }
    return spans;
}

// Row y of the source averaged across: the weighed sums of each destination
// column, every channel, before any division.
void SumRow(const PixelView& source, int32_t y, const std::vector<Span>& columns, std::vector<int64_t>& sums)
{
    const int32_t channels = source.Channels();
    for (size_t x = 0; x < columns.size(); ++x)
        for (int32_t c = 0; c < channels; ++c) {
            int64_t sum = 0;
            const Span& span = columns[x];
            for (size_t k = 0; k < span.weights.size(); ++k)
                sum += span.weights[k] * source.Get(span.first + static_cast<int32_t>(k), y, c);
            sums[x * channels + c] = sum;
        }
}

}  // namespace

void ResizeByArea(const PixelView& source, const PixelView& destination)
{
    const std::vector<Span> columns = Spans(source.width, destination.width);
    const std::vector<Span> rows = Spans(source.height, destination.height);
    const int32_t channels = source.Channels();
    const size_t rowSamples = static_cast<size_t>(destination.width) * channels;
    // Every weighed sum is at most 255 x source width x source height, and
    // a picture holds at most 2^29 pixels: 64 bits are plenty.
    const int64_t total = int64_t(source.width) * source.height;
    std::vector<int64_t> rowSums(rowSamples);
    std::vector<int64_t> sums(rowSamples);
    for (int32_t y = 0; y < destination.height; ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        const Span& span = rows[static_cast<size_t>(y)];
        for (size_t k = 0; k < span.weights.size(); ++k) {
            SumRow(source, span.first + static_cast<int32_t>(k), columns, rowSums);
            for (size_t i = 0; i < rowSamples; ++i)
                sums[i] += span.weights[k] * rowSums[i];
        }
        for (int32_t x = 0; x < destination.width; ++x)
            for (int32_t c = 0; c < channels; ++c)
                destination.Set(x, y, c,
                                static_cast<uint8_t>((2 * sums[size_t(x) * channels + c] + total) / (2 * total)));
    }
}

}  // namespace KORVEX55
