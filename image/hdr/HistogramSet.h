// The four histogram arrays of an image (gray or luminance, red, green,
// blue, in the order CZAVImg::GetHistogram fills them) and the extent of the
// values the first one counts.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/containers/ArraySimple.h"

namespace ZAV {

// Both outputs -1 without counts; otherwise first = 99,999,999 and last = -1
// raised and lowered by every index whose count is not 0, so counts that are
// all zero (or no entries) leave 99,999,999 and -1.
void FindHistogramExtent(const int32_t* counts, int32_t entries, int32_t& first, int32_t& last);

constexpr int32_t kHistogramNoFirst = 99999999;

class CHistogramSet {
public:
    // Copies of the four arrays, each of entries counts.
    CHistogramSet(const std::vector<uint32_t>& gray, const std::vector<uint32_t>& red,
                  const std::vector<uint32_t>& green, const std::vector<uint32_t>& blue, int32_t entries);

    // The extent of the first array's values.
    void GetExtent(int32_t& first, int32_t& last) const;

    const CArraySimple<int32_t, 2>& GetCounts(int index) const { return m_counts[index]; }
    int32_t GetEntryCount() const { return m_entries; }

private:
    CArraySimple<int32_t, 2> m_counts[4];
    int32_t m_entries = 0;
};

}  // namespace ZAV
