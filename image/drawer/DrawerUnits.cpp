// Length units of the drawing calls, converted to device pixels.
#include <limits>

#include "image/drawer/DrawerExtent.h"
#include "image/drawer/ImgDrawer.h"
#include "platform/MulDiv.h"
#include "platform/gdi/DeviceContexts.h"

namespace ZAV {

namespace {

enum class Base { None, Twip, HiMetric, Pixel };

struct Unit {
    double factor;
    Base base;
};

constexpr int kTwipsPerInch = 1440;
constexpr int kHiMetricPerInch = 2540;

// Codes 1-11: 1/75 inch, 1/300 inch, inch, millimetre, pixel, point,
// 1/100 inch, 1/100 mm, 1/10 mm, 1/1000 inch, twip.
Unit GetUnitFactor(int unit)
{
    static const Unit units[] = {{19.200000000000003, Base::Twip},
                                 {4.800000000000001, Base::Twip},
                                 {1440, Base::Twip},
                                 {100, Base::HiMetric},
                                 {1, Base::Pixel},
                                 {20, Base::Twip},
                                 {14.4, Base::Twip},
                                 {1, Base::HiMetric},
                                 {10, Base::HiMetric},
                                 {1.44, Base::Twip},
                                 {1, Base::Twip}};
    if (unit < 1 || unit > 11)
        return Unit{0, Base::None};
    return units[unit - 1];
}

// MulDiv(dpi, value, per inch); a result past 32 bits (where MulDiv would
// give -1) is clamped instead.
int ScaleToDevice(int value, int dpi, int perInch)
{
    const int64_t exact = int64_t{dpi} * value / perInch;
    if (exact >= std::numeric_limits<int32_t>::max() || exact <= std::numeric_limits<int32_t>::min())
        return ClampToInt32(exact);
    return MulDiv(dpi, value, perInch);
}

int ToPixels(int value, Base base, int dpi)
{
    switch (base) {
    case Base::Twip:
        return ScaleToDevice(value, dpi, kTwipsPerInch);
    case Base::HiMetric:
        return ScaleToDevice(value, dpi, kHiMetricPerInch);
    default:
        return value;
    }
}

}  // namespace

RECT CZAVImgDrawer::ConvertRectToDevice(const RECT& rect, int unit, HDC dc)
{
    const Unit u = GetUnitFactor(unit);
    if (u.base == Base::None)
        return rect;
    HDC device = dc ? dc : GetDC(nullptr);
    const int dpiX = GetDeviceCaps(device, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(device, LOGPIXELSY);
    if (!dc)
        ReleaseDC(nullptr, device);
    // Products and differences in doubles and 64 bits, clamped into 32 bits:
    // a rectangle beyond them is then refused by the drawing ceiling.
    const int x = ToPixels(ClampToInt32(rect.left * u.factor), u.base, dpiX);
    const int y = ToPixels(ClampToInt32(rect.top * u.factor), u.base, dpiY);
    const int w = ToPixels(ClampToInt32(static_cast<double>(int64_t{rect.right} - rect.left) * u.factor), u.base, dpiX);
    const int h = ToPixels(ClampToInt32(static_cast<double>(int64_t{rect.bottom} - rect.top) * u.factor), u.base, dpiY);
    return RectFromExtent(x, y, w, h);
}

}  // namespace ZAV
