#include "image/core/ZAVImgBase.h"

#include "foundation/geometry/AlignedRect.h"
#include "platform/MulDiv.h"
#include "platform/ScreenMetrics.h"

namespace ZAV {

namespace {

constexpr int kHiMetricPerInch = 2540;
constexpr int kTwipsPerInch = 1440;
// Dots per metre to dots per inch: value * 2540 / 100000, rounded to the
// nearest whole dot, since files store 300 dpi as 11,811 dots per metre
// (299.99 dpi).
constexpr int64_t kCentiMicronsPerInch = 2540;
constexpr int64_t kCentiMicronsPerMetre = 100000;

int ToDotsPerInch(int value, int unit)
{
    if (unit == kResolutionUnitInch)
        return value;
    if (unit == kResolutionUnitMetre) {
        const int64_t scaled = static_cast<int64_t>(value) * kCentiMicronsPerInch;
        const int64_t half = kCentiMicronsPerMetre / 2;
        return static_cast<int>(scaled >= 0 ? (scaled + half) / kCentiMicronsPerMetre
                                            : (scaled - half) / kCentiMicronsPerMetre);
    }
    return 0;
}

}  // namespace

void CZAVImgBase::ConvertResolution(int x, int y, int unit, int& outX, int& outY)
{
    outX = ToDotsPerInch(x, unit);
    outY = ToDotsPerInch(y, unit);
    // 0 and 1 are what files write when they know no resolution.
    if (outX == 0 || outX == 1 || outY == 0 || outY == 1) {
        outX = GetScreenLogPixels(LOGPIXELSX);
        outY = GetScreenLogPixels(LOGPIXELSY);
    }
}

void CZAVImgBase::SetXResolution(int dpi)
{
    m_xResolution = dpi > 0 ? dpi : GetScreenLogPixels(LOGPIXELSX);
}

void CZAVImgBase::SetYResolution(int dpi)
{
    m_yResolution = dpi > 0 ? dpi : GetScreenLogPixels(LOGPIXELSY);
}

void CZAVImgBase::SetResolution(int x, int y, int unit)
{
    int dpiX = 0;
    int dpiY = 0;
    ConvertResolution(x, y, unit, dpiX, dpiY);
    SetXResolution(dpiX);
    SetYResolution(dpiY);
}

int CZAVImgBase::HiMetricToPixels(int value, int dpi)
{
    return MulDiv(dpi, value, kHiMetricPerInch);
}

int CZAVImgBase::PixelsToHiMetric(int value, int dpi)
{
    return MulDiv(kHiMetricPerInch, value, dpi);
}

int CZAVImgBase::TwipsToPixels(int value, int dpi)
{
    return MulDiv(dpi, value, kTwipsPerInch);
}

int CZAVImgBase::PixelsToTwips(int value, int dpi)
{
    return MulDiv(kTwipsPerInch, value, dpi);
}

SIZE CZAVImgBase::HiMetricToImagePixels(const SIZE& size) const
{
    return SIZE{HiMetricToPixels(size.cx, m_xResolution), HiMetricToPixels(size.cy, m_yResolution)};
}

SIZE CZAVImgBase::ImagePixelsToHiMetric(const SIZE& size) const
{
    return SIZE{PixelsToHiMetric(size.cx, m_xResolution), PixelsToHiMetric(size.cy, m_yResolution)};
}

SIZE CZAVImgBase::TwipsToImagePixels(const SIZE& size) const
{
    return SIZE{TwipsToPixels(size.cx, m_xResolution), TwipsToPixels(size.cy, m_yResolution)};
}

SIZE CZAVImgBase::ImagePixelsToTwips(const SIZE& size) const
{
    return SIZE{PixelsToTwips(size.cx, m_xResolution), PixelsToTwips(size.cy, m_yResolution)};
}

void CZAVImgBase::CalcAlignedRect(const RECT& target, const SIZE& size, int alignment, bool keepProportions,
                                  bool fitWidth, bool fitHeight, RECT& out)
{
    out = GetAlignedRect(target, size, alignment, keepProportions, fitWidth, fitHeight);
}

}  // namespace ZAV
