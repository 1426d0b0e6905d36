#include "image/kernels/SmallDotRemoval.h"

#include <cmath>
#include <new>
#include <utility>

#include "foundation/text/TextException.h"
#include "image/core/ImageLimits.h"
#include "image/kernels/ImgKernels.h"
#include "image/kernels/KernelProgress.h"

namespace ZAV {

namespace {

// Visited-map values.
constexpr BYTE kUnvisited = 0;
constexpr BYTE kCounted = 1;
constexpr BYTE kSettled = 3;  // a small region repainted or kept; never counted again

constexpr int kMinTolerance = 1;
constexpr int kMaxTolerance = 256;

}  // namespace

void CDespeckle::CheckArguments(const BYTE* data, int width, int height, int depth, int tolerance, int dotSize) const
{
    if (dotSize < 1)
        ThrowTextException("Invalid speckle size!");
    if (tolerance < kMinTolerance || tolerance > kMaxTolerance)
        ThrowTextException("Tolerance value ranges from 1 to 256!");
    if (depth != 8 && depth != 24)
        ThrowTextException("Invalid colordepth!");
    if (!data || width <= 0 || height <= 0)
        ThrowTextException(kTextInvalidParameter);
}

void CDespeckle::AllocateVisitedMap()
{
    const int64_t pixels = static_cast<int64_t>(m_width) * m_height;
    if (!IsWithinImageCeiling(pixels))
        ThrowTextException(kTextOutOfMemory);
    try {
        m_visited.assign(static_cast<size_t>(pixels), kUnvisited);
    } catch (const std::bad_alloc&) {
        ThrowTextException(kTextOutOfMemory);
    }
}

int CDespeckle::Despeckle(BYTE* data, int width, int height, int depth, int tolerance, int dotSize)
{
    m_errorText = String();
    CheckArguments(data, width, height, depth, tolerance, dotSize);
    m_data = data;
    m_width = width;
    m_height = height;
    m_bytesPerPixel = depth / 8;
    m_tolerance = tolerance;
    m_largestDot = dotSize;
    AllocateVisitedMap();
    bool canceled = false;
    {
        CKernelProgress progress(m_sink, m_errorText);
        for (int y = 0; y < height && !canceled; ++y) {
            for (int x = 0; x < width; ++x) {
                while (m_visited[static_cast<size_t>(Offset(x, y))] == kUnvisited && ProcessRegion(x, y)) {
                }
            }
            canceled = !progress.Report(y, height);
        }
    }
    std::vector<BYTE>().swap(m_visited);
    return canceled ? 0 : 1;
}

bool CDespeckle::ProcessRegion(int x, int y)
{
    std::vector<Span> spans;
    const int64_t size = CountRegion(x, y, spans);
    if (size > m_largestDot)
        return false;
    const uint32_t colour = ColourAt(Offset(x, y));
    int64_t neighbour = -1;
    uint64_t distance = 0;
    if (!FindNearestNeighbour(spans, colour, neighbour, distance) ||
        std::sqrt(static_cast<double>(distance)) > m_tolerance) {
        MarkSpans(spans, kSettled);
        return false;
    }
    PaintSpans(spans, ColourAt(neighbour));
    // Joined to a region not yet counted: the grown region is judged anew.
    if (m_visited[static_cast<size_t>(neighbour)] == kUnvisited) {
        MarkSpans(spans, kUnvisited);
        return true;
    }
    MarkSpans(spans, kSettled);
    return false;
}

int64_t CDespeckle::CountRegion(int x0, int y0, std::vector<Span>& spans)
{
    const uint32_t colour = ColourAt(Offset(x0, y0));
    auto joins = [&](int x, int y) {
        const int64_t offset = Offset(x, y);
        return m_visited[static_cast<size_t>(offset)] == kUnvisited && ColourAt(offset) == colour;
    };
    int64_t count = 0;
    std::vector<std::pair<int, int>> seeds{{x0, y0}};
    while (!seeds.empty()) {
        const auto [x, y] = seeds.back();
        seeds.pop_back();
        if (!joins(x, y))
            continue;
        int left = x;
        int right = x;
        while (left > 0 && joins(left - 1, y))
            --left;
        while (right < m_width - 1 && joins(right + 1, y))
            ++right;
        for (int i = left; i <= right; ++i)
            m_visited[static_cast<size_t>(Offset(i, y))] = kCounted;
        count += right - left + 1;
        if (count <= m_largestDot)
            spans.push_back(Span{y, left, right});
        for (int row = y - 1; row <= y + 1; row += 2) {
            if (row < 0 || row >= m_height)
                continue;
            bool inRun = false;
            for (int i = left; i <= right; ++i) {
                const bool member = joins(i, row);
                if (member && !inRun)
                    seeds.emplace_back(i, row);
                inRun = member;
            }
        }
    }
    return count;
}

bool CDespeckle::FindNearestNeighbour(const std::vector<Span>& spans, uint32_t colour, int64_t& best,
                                      uint64_t& bestDistance) const
{
    best = -1;
    for (const Span& span : spans) {
        ConsiderCandidate(span.left - 1, span.y, colour, best, bestDistance);
        ConsiderCandidate(span.right + 1, span.y, colour, best, bestDistance);
        for (int x = span.left; x <= span.right; ++x) {
            ConsiderCandidate(x, span.y - 1, colour, best, bestDistance);
            ConsiderCandidate(x, span.y + 1, colour, best, bestDistance);
        }
    }
    return best >= 0;
}

void CDespeckle::ConsiderCandidate(int x, int y, uint32_t colour, int64_t& best, uint64_t& bestDistance) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    const int64_t offset = Offset(x, y);
    const uint32_t candidate = ColourAt(offset);
    if (candidate == colour)
        return;
    const uint64_t distance = ColourDistance(candidate, colour);
    // The first found wins a tie.
    if (best < 0 || distance < bestDistance) {
        best = offset;
        bestDistance = distance;
    }
}

void CDespeckle::PaintSpans(const std::vector<Span>& spans, uint32_t colour)
{
    for (const Span& span : spans) {
        for (int x = span.left; x <= span.right; ++x) {
            BYTE* pixel = m_data + Offset(x, span.y) * m_bytesPerPixel;
            for (int channel = 0; channel < m_bytesPerPixel; ++channel)
                pixel[channel] = static_cast<BYTE>(colour >> (8 * channel));
        }
    }
}

void CDespeckle::MarkSpans(const std::vector<Span>& spans, BYTE mark)
{
    for (const Span& span : spans) {
        for (int x = span.left; x <= span.right; ++x)
            m_visited[static_cast<size_t>(Offset(x, span.y))] = mark;
    }
}

uint32_t CDespeckle::ColourAt(int64_t offset) const
{
    const BYTE* pixel = m_data + offset * m_bytesPerPixel;
    if (m_bytesPerPixel == 1)
        return pixel[0];
    return static_cast<uint32_t>(pixel[0]) | (static_cast<uint32_t>(pixel[1]) << 8) |
           (static_cast<uint32_t>(pixel[2]) << 16);
}

uint64_t CDespeckle::ColourDistance(uint32_t a, uint32_t b) const
{
    uint64_t sum = 0;
    for (int channel = 0; channel < m_bytesPerPixel; ++channel) {
        const int64_t d = static_cast<int64_t>((a >> (8 * channel)) & 0xFF) - ((b >> (8 * channel)) & 0xFF);
        sum += static_cast<uint64_t>(d * d);
    }
    return sum;
}

}  // namespace ZAV
