#include "image/core/ZAVImgBase.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/ScreenMetrics.h"

namespace ZAV {

namespace {

// Dots per inch of a device along both axes; the screen's when no DC is given.
SIZE DeviceDpi(HDC dc)
{
    if (!dc)
        return SIZE{GetScreenLogPixels(LOGPIXELSX), GetScreenLogPixels(LOGPIXELSY)};
    return SIZE{GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)};
}

SIZE Convert(HDC dc, const SIZE& size, int (*convert)(int, int))
{
    const SIZE dpi = DeviceDpi(dc);
    return SIZE{convert(size.cx, dpi.cx), convert(size.cy, dpi.cy)};
}

}  // namespace

SIZE CZAVImgBase::HiMetricToDevicePixels(HDC dc, const SIZE& size)
{
    return Convert(dc, size, &HiMetricToPixels);
}

SIZE CZAVImgBase::DevicePixelsToHiMetric(HDC dc, const SIZE& size)
{
    return Convert(dc, size, &PixelsToHiMetric);
}

SIZE CZAVImgBase::TwipsToDevicePixels(HDC dc, const SIZE& size)
{
    return Convert(dc, size, &TwipsToPixels);
}

SIZE CZAVImgBase::DevicePixelsToTwips(HDC dc, const SIZE& size)
{
    return Convert(dc, size, &PixelsToTwips);
}

}  // namespace ZAV
