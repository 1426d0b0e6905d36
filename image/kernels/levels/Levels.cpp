#include "image/kernels/levels/Levels.h"

#include <algorithm>

namespace ZAV {

namespace {

// A fraction outside 0..1 (or not a number) would make the clip limits
// meaningless or overflow their conversion.
double LimitFraction(double fraction)
{
    if (fraction >= 1)
        return 1;
    if (fraction > 0)
        return fraction;
    return 0;
}

bool FindLevelsIn(const uint32_t* counts, int size, int64_t pixelCount, double lowFraction, double highFraction,
                  int& low, int& high)
{
    low = -1;
    high = -1;
    const int64_t lowLimit = static_cast<int64_t>(LimitFraction(lowFraction) * pixelCount);
    const int64_t highLimit = static_cast<int64_t>(pixelCount * LimitFraction(highFraction));
    int64_t sum = 0;
    for (int i = 0; i < size && low < 0; ++i)
    {
        sum += counts[i];
        if (sum > lowLimit)
            low = i;
    }
    sum = 0;
    for (int i = size - 1; i >= 0 && high < 0; --i)
    {
        sum += counts[i];
        if (sum > highLimit)
            high = i;
    }
    return low >= 0 && high >= 0;
}

// A stretched value limited to 0..top; also safe for factors far beyond the
// range of an integer.
double LimitStretched(double value, double top)
{
    if (value >= top)
        return top;
    if (value >= 1)
        return static_cast<double>(static_cast<int64_t>(value));
    return 0;
}

template <class T>
std::vector<T> BuildRatioTable(int size, int low, int high)
{
    std::vector<T> table(size);
    const int64_t top = size - 1;
    const int64_t range = static_cast<int64_t>(high) - low;
    for (int i = 0; i < size; ++i)
        table[i] = static_cast<T>(std::clamp<int64_t>((static_cast<int64_t>(i) - low) * top / range, 0, top));
    return table;
}

}  // namespace

bool FindLevels(const uint32_t* counts, int64_t pixelCount, double lowFraction, double highFraction, int& low,
                int& high)
{
    return FindLevelsIn(counts, kLevels8, pixelCount, lowFraction, highFraction, low, high);
}

bool FindLevels16(const uint32_t* counts, int64_t pixelCount, double lowFraction, double highFraction, int& low,
                  int& high)
{
    return FindLevelsIn(counts, kLevels16, pixelCount, lowFraction, highFraction, low, high);
}

double PercentToFraction(double percent)
{
    return LimitFraction(percent / 100);
}

std::vector<BYTE> BuildStretchTable8(int low, int high)
{
    return BuildRatioTable<BYTE>(kLevels8, low, high);
}

std::vector<uint16_t> BuildStretchTable16(int low, int high)
{
    return BuildRatioTable<uint16_t>(kLevels16, low, high);
}

std::vector<uint16_t> BuildStretchTable16(int low, double factor)
{
    std::vector<uint16_t> table(kLevels16);
    for (int i = 0; i < kLevels16; ++i)
        table[i] = static_cast<uint16_t>(LimitStretched((static_cast<double>(i) - low) * factor, kLevels16 - 1));
    return table;
}

}  // namespace ZAV
