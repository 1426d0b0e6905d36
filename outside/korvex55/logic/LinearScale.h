// The linear map of KORV_Scale: samples are clamped into [from1, from2] (in
// either order) and mapped so that from1 gives to1 and from2 gives to2,
// rounded to the nearest integer (halves up) and saturated to 0..maximum.
// An empty range (from1 = from2) leaves every sample as it is.
#pragma once

#include <cstdint>

namespace KORVEX55 {

class LinearScale {
public:
    LinearScale(int32_t from1, int32_t from2, int32_t to1, int32_t to2, int64_t maximum);
    bool ChangesNothing() const { return m_from1 == m_from2; }
    int64_t Map(int64_t sample) const;

private:
    int64_t m_from1, m_from2, m_to1, m_to2, m_maximum;
};

}  // namespace KORVEX55
