#include "image/hdr/HistogramSet.h"

#include <algorithm>

namespace ZAV {

void FindHistogramExtent(const int32_t* counts, int32_t entries, int32_t& first, int32_t& last)
{
    first = -1;
    last = -1;
    if (!counts)
        return;
    first = kHistogramNoFirst;
    for (int32_t i = 0; i < entries; ++i) {
        if (counts[i] == 0)
            continue;
        if (i > last)
            last = i;
        if (i < first)
            first = i;
    }
}

namespace {

void CopyCounts(CArraySimple<int32_t, 2>& target, const std::vector<uint32_t>& source, int32_t entries)
{
    const int32_t count = std::min<int32_t>(entries, static_cast<int32_t>(source.size()));
    if (count <= 0)
        return;
    target.SetSize(count);
    for (int32_t i = 0; i < count; ++i)
        target.GetData()[i] = static_cast<int32_t>(source[static_cast<size_t>(i)]);
}

}  // namespace

CHistogramSet::CHistogramSet(const std::vector<uint32_t>& gray, const std::vector<uint32_t>& red,
                             const std::vector<uint32_t>& green, const std::vector<uint32_t>& blue, int32_t entries)
    : m_entries(entries)
{
    CopyCounts(m_counts[0], gray, entries);
    CopyCounts(m_counts[1], red, entries);
    CopyCounts(m_counts[2], green, entries);
    CopyCounts(m_counts[3], blue, entries);
}

void CHistogramSet::GetExtent(int32_t& first, int32_t& last) const
{
    FindHistogramExtent(m_counts[0].GetData(), m_counts[0].GetSize(), first, last);
}

}  // namespace ZAV
