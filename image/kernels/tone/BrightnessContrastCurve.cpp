#include "image/kernels/tone/BrightnessContrastCurve.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ZAV {

namespace {

// A value that is not a number counts as 0, so no curve point ever is one.
double LimitUnit(double value)
{
    if (std::isnan(value))
        return 0;
    return std::clamp(value, -1.0, 1.0);
}

// The ends move inwards with a positive contrast and upwards and downwards
// with a negative one; the inner points bend towards the middle.
void PlaceControlPoints(double contrast, double high, double middle, CPointD (&points)[kCurvePoints])
{
    const double c = contrast;
    const double flatness = 1 - std::fabs(c);
    if (c >= 0)
    {
        points[0] = {c * middle, 0};
        points[4] = {high - c * middle, high};
    }
    else
    {
        points[0] = {0, -c * middle};
        points[4] = {high, high + c * middle};
    }
    points[2] = {middle, middle};
    points[1] = {(points[0].x + middle) * 0.5, (middle - points[0].y) * 0.5 * flatness + points[0].y};
    points[3] = {(points[4].x + middle) * 0.5, points[4].y - 0.5 * (points[4].y - middle) * flatness};
}

template <class T>
void BuildCurveTable(T* table, int32_t size, double brightness, double contrast)
{
    const double high = size - 1;
    const double middle = std::floor(high / 2);
    CPointD points[kCurvePoints];
    std::vector<CPointD> curve(size);
    BuildBrightnessContrastCurve(brightness, contrast, points, size, 0, high, middle, curve.data());
    for (int32_t i = 0; i < size; ++i)
        table[i] = static_cast<T>(curve[i].y);
}

}  // namespace

void BuildBrightnessContrastCurve(double brightness, double contrast, CPointD (&points)[kCurvePoints],
                                  int32_t tableSize, double low, double high, double middle, CPointD* table)
{
    const double b = LimitUnit(brightness);
    PlaceControlPoints(LimitUnit(contrast), high, middle, points);
    for (CPointD& point : points)
    {
        point.x = std::clamp(point.x, low, high);
        point.y = std::clamp(point.y + b * high, low, high);
    }
    const int64_t lastLow = static_cast<int64_t>(middle);
    for (int32_t i = 0; i < tableSize; ++i)
        table[i] = {static_cast<double>(i), i > lastLow ? high : low};
    InterpolateCurvePieces(points, kCurvePoints, table, tableSize, low, high);
}

void InterpolateCurvePieces(const CPointD* points, int32_t pointCount, CPointD* table, int32_t tableSize,
                            double low, double high)
{
    for (int32_t k = 0; k + 1 < pointCount; ++k)
    {
        const CPointD& from = points[k];
        const CPointD& to = points[k + 1];
        const double width = to.x - from.x;
        if (!(width > 0))
            continue;
        const double slope = (to.y - from.y) / width;
        const int64_t start = static_cast<int64_t>(from.x);
        int64_t end = std::min<int64_t>(start + static_cast<int64_t>(width), tableSize - 1);
        if (k + 2 == pointCount)
            end = tableSize - 1;
        for (int64_t i = std::max<int64_t>(start, 0); i <= end; ++i)
            table[i] = {static_cast<double>(i), std::clamp(from.y + (i - start) * slope, low, high)};
    }
}

void BuildCurveTable8(BYTE* table, double brightness, double contrast)
{
    BuildCurveTable(table, 256, brightness, contrast);
}

void BuildCurveTable16(uint16_t* table, double brightness, double contrast)
{
    BuildCurveTable(table, 65536, brightness, contrast);
}

}  // namespace ZAV
