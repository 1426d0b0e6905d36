#include "image/kernels/ToneCurve.h"

#include <cmath>
#include <cstdint>

#include "image/kernels/ImgKernels.h"

namespace ZAV {

namespace {

// The largest value of a look-up table the linear form scales control
// positions to.
constexpr int kCurveTop = 255;
// Bezier control points lie on the tangent, at most this share of the
// segment's length away from its end.
constexpr double kTangentShare = 0.25;

CCurvePoint Lerp(const CCurvePoint& a, const CCurvePoint& b, double t)
{
    return CCurvePoint{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// Samples per segment: the table's entries divided evenly.
int SamplesPerSegment(int tableSize, size_t points)
{
    const int perSegment = tableSize / static_cast<int>(points - 1);
    return perSegment > 0 ? perSegment : 1;
}

// Pads the samples to the table size with the last sample, then adds the
// curve's end so that the last table entries reach the last control value.
void FinishSamples(std::vector<CCurvePoint>& samples, int tableSize, const CCurvePoint& end)
{
    while (samples.size() < static_cast<size_t>(tableSize))
        samples.push_back(samples.back());
    samples.push_back(end);
}

// Entry j is the truncated y of the first sample, onward from where entry
// j - 1 stopped, whose x is not below j; without one, the previous value.
void ReadTable(const std::vector<CCurvePoint>& samples, int* table, int tableSize)
{
    size_t next = 0;
    int previous = static_cast<int>(samples.front().y);
    for (int j = 0; j < tableSize; ++j) {
        while (next < samples.size() && samples[next].x < j)
            ++next;
        if (next < samples.size())
            previous = static_cast<int>(samples[next].y);
        table[j] = previous;
    }
}

void FillConstant(int* table, int tableSize, int value)
{
    for (int j = 0; j < tableSize; ++j)
        table[j] = value;
}

// The tangent at point i (the vector between its neighbours; beyond the
// ends the mirrored neighbour), shortened to a share of the segment length.
CCurvePoint LimitedTangent(const std::vector<CCurvePoint>& points, size_t i, double segmentLength)
{
    const size_t last = points.size() - 1;
    const CCurvePoint before = i > 0 ? points[i - 1] : Lerp(points[1], points[0], 2.0);
    const CCurvePoint after = i < last ? points[i + 1] : Lerp(points[last - 1], points[last], 2.0);
    CCurvePoint tangent{after.x - before.x, after.y - before.y};
    const double length = std::hypot(tangent.x, tangent.y);
    const double limit = segmentLength * kTangentShare;
    if (length > limit && length > 0.0) {
        tangent.x *= limit / length;
        tangent.y *= limit / length;
    }
    return tangent;
}

// de Casteljau evaluation of a cubic Bezier segment.
CCurvePoint Bezier(const CCurvePoint& p0, const CCurvePoint& c0, const CCurvePoint& c1, const CCurvePoint& p1, double t)
{
    const CCurvePoint a = Lerp(p0, c0, t);
    const CCurvePoint b = Lerp(c0, c1, t);
    const CCurvePoint c = Lerp(c1, p1, t);
    return Lerp(Lerp(a, b, t), Lerp(b, c, t), t);
}

void AppendLinearSegment(const std::vector<CCurvePoint>& points, size_t k, int perSegment,
                         std::vector<CCurvePoint>& samples)
{
    for (int j = 0; j < perSegment; ++j)
        samples.push_back(Lerp(points[k], points[k + 1], static_cast<double>(j) / perSegment));
}

void AppendBezierSegment(const std::vector<CCurvePoint>& points, size_t k, int perSegment,
                         std::vector<CCurvePoint>& samples)
{
    const CCurvePoint& p0 = points[k];
    const CCurvePoint& p1 = points[k + 1];
    const double length = std::hypot(p1.x - p0.x, p1.y - p0.y);
    const CCurvePoint t0 = LimitedTangent(points, k, length);
    const CCurvePoint t1 = LimitedTangent(points, k + 1, length);
    const CCurvePoint c0{p0.x + t0.x, p0.y + t0.y};
    const CCurvePoint c1{p1.x - t1.x, p1.y - t1.y};
    for (int j = 0; j < perSegment; ++j)
        samples.push_back(Bezier(p0, c0, c1, p1, static_cast<double>(j) / perSegment));
}

}  // namespace

bool CCurveBuilder::CollectPoints(const int* controls, int controlCount, bool scaled, int* table, int tableSize,
                                  std::vector<CCurvePoint>& points)
{
    m_errorText = String();
    points.clear();
    for (int i = 0; controls && i < controlCount; ++i) {
        if (controls[i] == kUnsetCurveControl)
            continue;
        const double x = scaled && controlCount > 1 ? static_cast<double>(static_cast<int64_t>(i) * kCurveTop / (controlCount - 1)) : i;
        points.push_back(CCurvePoint{x, static_cast<double>(controls[i])});
    }
    if (!table || tableSize <= 0 || points.empty()) {
        m_errorText = kTextInvalidParameter;
        return false;
    }
    return true;
}

int CCurveBuilder::BuildCurveLinear(const int* controls, int controlCount, int* table, int tableSize)
{
    return BuildCurve(controls, controlCount, table, tableSize, false);
}

int CCurveBuilder::BuildCurveSmooth(const int* controls, int controlCount, int* table, int tableSize)
{
    return BuildCurve(controls, controlCount, table, tableSize, true);
}

int CCurveBuilder::BuildCurve(const int* controls, int controlCount, int* table, int tableSize, bool smooth)
{
    std::vector<CCurvePoint> points;
    if (!CollectPoints(controls, controlCount, !smooth, table, tableSize, points))
        return 0;
    if (points.size() == 1) {
        FillConstant(table, tableSize, static_cast<int>(points[0].y));
        return 1;
    }
    const int perSegment = SamplesPerSegment(tableSize, points.size());
    std::vector<CCurvePoint> samples;
    for (size_t k = 0; k + 1 < points.size(); ++k) {
        if (smooth)
            AppendBezierSegment(points, k, perSegment, samples);
        else
            AppendLinearSegment(points, k, perSegment, samples);
    }
    FinishSamples(samples, tableSize, points.back());
    ReadTable(samples, table, tableSize);
    return 1;
}

}  // namespace ZAV
