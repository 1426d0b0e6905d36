#include "outside/korvex55/logic/LinearScale.h"

#include <algorithm>

namespace KORVEX55 {

namespace {

// floor(numerator / denominator) for a positive denominator.
__int128 FloorDivide(__int128 numerator, __int128 denominator)
{
    __int128 quotient = numerator / denominator;
    if (numerator % denominator != 0 && numerator < 0)
        --quotient;
    return quotient;
}

}  // namespace

LinearScale::LinearScale(int32_t from1, int32_t from2, int32_t to1, int32_t to2, int64_t maximum)
    : m_from1(from1), m_from2(from2), m_to1(to1), m_to2(to2), m_maximum(maximum)
{
}

int64_t LinearScale::Map(int64_t sample) const
{
    if (ChangesNothing())
        return sample;
    const int64_t clamped = std::clamp(sample, std::min(m_from1, m_from2), std::max(m_from1, m_from2));
    __int128 numerator = static_cast<__int128>(clamped - m_from1) * (m_to2 - m_to1);
    __int128 denominator = m_from2 - m_from1;
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    // to1 + round(numerator / denominator), halves up.
    const __int128 mapped = m_to1 + FloorDivide(2 * numerator + denominator, 2 * denominator);
    return static_cast<int64_t>(std::clamp<__int128>(mapped, 0, m_maximum));
}

}  // namespace KORVEX55
