#include "image/shadow/Contours.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ZAV {

namespace {

constexpr double kConeSpread = 1020.0;  // 255 / 0.5^2: the cone reaches 0 at the ends
constexpr double kFull = 255.0;
constexpr int kToothSpan = 512;

double Offcentre(int index, int count)
{
    const double d = static_cast<double>(index) / count - 0.5;
    return d * d;
}

}  // namespace

CBaseContour::CBaseContour(const char* name, int count)
    : m_name(name), m_profile(static_cast<size_t>(std::max(count, 0)), 0), m_count(std::max(count, 0))
{
}

void CBaseContour::SetProfile(const BYTE* bytes, int count)
{
    if (!bytes || count <= 0)
        return;
    std::memcpy(m_profile.data(), bytes, static_cast<size_t>(std::min(count, m_count)));
}

// Rounded to the nearest integer, clamped to a byte.
void CBaseContour::Set(int index, double value)
{
    const double rounded = std::floor(value + 0.5);
    m_profile[static_cast<size_t>(index)] = static_cast<BYTE>(std::clamp(rounded, 0.0, kFull));
}

CConeContour::CConeContour(const char* name, int count) : CBaseContour(name, count)
{
    for (int i = 0; i < count; ++i)
        Set(i, kFull - kConeSpread * Offcentre(i, count));
    if (count > 0) {
        Set(0, 0);
        Set(count - 1, 0);
    }
}

CInvertedConeContour::CInvertedConeContour(const char* name, int count) : CBaseContour(name, count)
{
    for (int i = 0; i < count; ++i)
        Set(i, kConeSpread * Offcentre(i, count));
    if (count > 0) {
        Set(0, kFull);
        Set(count - 1, kFull);
    }
}

CSawtoothContour::CSawtoothContour(const char* name, int count) : CBaseContour(name, count)
{
    const int quarter = count / 4;
    const int half = count / 2;
    const int threeQuarters = 3 * count / 4;
    for (int i = 0; i < count; ++i) {
        const int step = i * kToothSpan / count;
        const int value = i < quarter         ? step
                          : i < half          ? kToothSpan / 2 - step
                          : i < threeQuarters ? step - kToothSpan / 2
                                              : kToothSpan - step;
        Set(i, value);
    }
}

CLineContour::CLineContour(const char* name, int count) : CBaseContour(name, count)
{
    for (int i = 0; i < count; ++i)
        Set(i, kFull - static_cast<double>(i) * kFull / count);
}

}  // namespace ZAV
