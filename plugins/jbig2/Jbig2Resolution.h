// Resolutions between the host (dots per inch) and JBIG2 page information,
// which stores pixels per metre (T.88 7.4.8.3); 0 means unknown both ways.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace ZAV {

constexpr double kMetresPerInch = 0.0254;

// 300 dpi gives 11811; a dpi of 0 or less gives 0, which is not sent. The
// page information field has 32 bits: absurd resolutions stop at its top.
inline uint32_t DpiToPixelsPerMetre(int32_t dpi)
{
    if (dpi <= 0)
        return 0;
    return static_cast<uint32_t>(std::min<long long>(std::llround(dpi / kMetresPerInch), UINT32_MAX));
}

// 11811 gives 300; a stored 0 stays 0, so the host takes its default.
inline int32_t PixelsPerMetreToDpi(uint32_t pixelsPerMetre)
{
    return static_cast<int32_t>(std::lround(pixelsPerMetre * kMetresPerInch));
}

}  // namespace ZAV
