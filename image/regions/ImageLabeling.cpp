#include "image/regions/ImageLabeling.h"

#include <cstdlib>
#include <new>

#include "foundation/text/TextException.h"
#include "image/core/ImageLimits.h"
#include "image/kernels/KernelProgress.h"

namespace ZAV {

namespace {

constexpr int kRowsPerProgress = 200;
constexpr char kTextCanceled[] = "Operation canceled!";
constexpr char kTextOutOfMemory[] = "Out of memory!";

}  // namespace

// North-west, north, north-east, west, east, south-west, south, south-east:
// the order in which a pixel takes the label of a matching neighbour.
const CImageLabeling::Neighbour CImageLabeling::kNeighbours[8] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0},
                                                                  {1, 0},   {-1, 1}, {0, 1},  {1, 1}};

CImageLabeling::~CImageLabeling()
{
    DeleteFeatureLists();
}

void CImageLabeling::CheckArguments(int depth, int tolerance) const
{
    if (depth != 8 && depth != 24)
        ThrowTextException("Invalid colordepth!");
    if (tolerance < 0)
        ThrowTextException("Invalid color tolerance!");
}

void CImageLabeling::Label(const BYTE* data, int width, int height, int depth, int tolerance)
{
    CheckArguments(depth, tolerance);
    if (!data || width < 1 || height < 1)
        ThrowTextException("Invalid Parameter!");
    m_data = data;
    m_width = width;
    m_height = height;
    m_bytesPerPixel = depth / 8;
    m_tolerance = tolerance;
    m_errorText = String();
    m_nextLabel = 1;
    m_equivalences.Clear();
    AllocateLabelMap();
    FirstPass();
    m_nextLabel = m_equivalences.Resolve(m_nextLabel);
    Relabel();
    m_equivalences.Clear();
}

void CImageLabeling::AllocateLabelMap()
{
    const int64_t count = static_cast<int64_t>(m_width) * m_height;
    if (!IsWithinImageCeiling(count * static_cast<int64_t>(sizeof(int32_t))))
        ThrowTextException(kTextOutOfMemory);
    std::vector<int32_t> labels;
    try {
        labels.assign(static_cast<size_t>(count), 0);
    } catch (const std::bad_alloc&) {
        ThrowTextException(kTextOutOfMemory);
    }
    m_labels.swap(labels);
}

void CImageLabeling::ReportRow(CKernelProgress& progress, int y)
{
    if (y % kRowsPerProgress != 0)
        return;
    if (!progress.Report(y, m_height))
        ThrowTextException(kTextCanceled);
}

void CImageLabeling::FirstPass()
{
    CKernelProgress progress(m_sink, m_errorText);
    for (int y = 0; y < m_height; ++y) {
        ReportRow(progress, y);
        for (int x = 0; x < m_width; ++x)
            LabelPixel(x, y);
    }
}

int32_t CImageLabeling::TakeNextLabel()
{
    const int32_t label = m_nextLabel++;
    m_equivalences.Reserve(label);
    return label;
}

int CImageLabeling::MatchingNeighbours(int x, int y, size_t (&offsets)[8]) const
{
    const size_t here = Offset(x, y);
    int count = 0;
    for (const Neighbour& n : kNeighbours) {
        if (!Inside(x + n.dx, y + n.dy))
            continue;
        const size_t there = Offset(x + n.dx, y + n.dy);
        if (Matches(here, there))
            offsets[count++] = there;
    }
    return count;
}

// A pixel labelled earlier as someone's neighbour still looks at its own
// neighbours, so every matching pair of pixels ends with one label or a
// recorded equivalence. The neighbours are compared once, for both steps.
void CImageLabeling::LabelPixel(int x, int y)
{
    size_t matching[8];
    const int count = MatchingNeighbours(x, y, matching);
    int32_t& mine = m_labels[Offset(x, y)];
    // An unlabelled pixel first takes the label of the first labelled match.
    for (int i = 0; mine == 0 && i < count; ++i)
        mine = m_labels[matching[i]];
    for (int i = 0; i < count; ++i) {
        int32_t& theirs = m_labels[matching[i]];
        if (mine == 0 && theirs == 0)
            mine = theirs = TakeNextLabel();
        else if (mine == 0)
            mine = theirs;
        else if (theirs == 0)
            theirs = mine;
        else if (theirs != mine)
            m_equivalences.Join(mine, theirs);
    }
    if (mine == 0)
        mine = TakeNextLabel();
}

void CImageLabeling::Relabel()
{
    CKernelProgress progress(m_sink, m_errorText);
    for (int y = 0; y < m_height; ++y) {
        ReportRow(progress, y);
        for (int x = 0; x < m_width; ++x) {
            int32_t& label = m_labels[Offset(x, y)];
            label = m_equivalences.Final(label);
        }
    }
}

int32_t CImageLabeling::ValueAt(size_t offset) const
{
    const BYTE* p = m_data + offset * static_cast<size_t>(m_bytesPerPixel);
    if (m_bytesPerPixel == 1)
        return p[0];
    return static_cast<int32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
}

// Tolerance 0: equal values; otherwise a difference below the tolerance.
// A 24-bit pixel matches when each of its three bytes does.
bool CImageLabeling::Matches(size_t a, size_t b) const
{
    const BYTE* pa = m_data + a * static_cast<size_t>(m_bytesPerPixel);
    const BYTE* pb = m_data + b * static_cast<size_t>(m_bytesPerPixel);
    for (int i = 0; i < m_bytesPerPixel; ++i) {
        const int difference = std::abs(static_cast<int>(pa[i]) - static_cast<int>(pb[i]));
        if (m_tolerance == 0 ? difference != 0 : difference >= m_tolerance)
            return false;
    }
    return true;
}

}  // namespace ZAV
