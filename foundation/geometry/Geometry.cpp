#include "foundation/geometry/Geometry.h"

#include <cmath>

namespace ZAV {

double DegreesToRadians(double degrees)
{
    return degrees / 180.0 * 3.141592654;
}

bool IsAbsWithin(double value, double limit)
{
    return std::fabs(value) <= limit;
}

CBoundingBox::CBoundingBox()
    : left(kEmptyMinimum), top(-kEmptyMinimum), right(-kEmptyMinimum), bottom(kEmptyMinimum)
{
}

void CBoundingBox::AddPoint(double x, double y)
{
    if (x > right)
        right = x;
    if (y > top)
        top = y;
    if (x < left)
        left = x;
    if (y < bottom)
        bottom = y;
}

void CBoundingBox::AddRect(double x1, double y1, double x2, double y2)
{
    AddPoint(x1, y1);
    AddPoint(x2, y2);
}

CVector::CVector(const CPointD& point) : x(point.x), y(point.y) {}

CVector::CVector(double angleDegrees, double length)
    : x(std::cos(DegreesToRadians(angleDegrees)) * length), y(std::sin(DegreesToRadians(angleDegrees)) * length)
{
}

void CVector::Scale(double factor)
{
    x *= factor;
    y *= factor;
    if (hasZ)
        z *= factor;
}

void CVector::Add(const CVector& other)
{
    x += other.x;
    y += other.y;
    if (hasZ)
        z += other.z;
}

void CVector::Subtract(const CVector& other)
{
    x -= other.x;
    y -= other.y;
    if (hasZ)
        z -= other.z;
}

CPointD CVector::ToPoint() const
{
    CPointD point;
    point.x = x;
    point.y = y;
    return point;
}

double CVector::GetLength() const
{
    double sum = x * x + y * y;
    if (hasZ)
        sum += z * z;
    return std::sqrt(sum);
}

namespace {

LONG Clamp(LONG value, LONG low, LONG high)
{
    if (value >= high)
        return high;
    if (value <= low)
        return low;
    return value;
}

}  // namespace

void ClampRect(RECT& rect, const RECT& bounds)
{
    rect.left = Clamp(rect.left, bounds.left, bounds.right);
    rect.right = Clamp(rect.right, bounds.left, bounds.right);
    rect.top = Clamp(rect.top, bounds.top, bounds.bottom);
    rect.bottom = Clamp(rect.bottom, bounds.top, bounds.bottom);
}

}  // namespace ZAV
