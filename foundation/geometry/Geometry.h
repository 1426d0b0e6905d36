// Small numeric building blocks: angles, tolerance, a bounding box in y-up
// coordinates, 2-D/3-D vectors and clamping a rectangle into bounds.
#pragma once

#include "platform/WinTypes.h"

namespace ZAV {

// value / 180 x 3.141592654 (this constant, not the full-precision pi).
double DegreesToRadians(double degrees);

// |value| <= limit; false when the two cannot be compared.
bool IsAbsWithin(double value, double limit);

struct CPointD {
    double x = 0;
    double y = 0;
};

// left = smallest x, top = largest y, right = largest x, bottom = smallest y.
class CBoundingBox {
public:
    static constexpr double kEmptyMinimum = 9.999999999999999e30;

    CBoundingBox();
    void AddPoint(double x, double y);
    void AddRect(double x1, double y1, double x2, double y2);

    double left;
    double top;
    double right;
    double bottom;
};

class CVector {
public:
    CVector() {}
    explicit CVector(const CPointD& point);
    // A 2-D vector of the length at the angle (degrees).
    CVector(double angleDegrees, double length);

    void Scale(double factor);
    void Add(const CVector& other);
    void Subtract(const CVector& other);
    CPointD ToPoint() const;
    double GetLength() const;

    double x = 0;
    double y = 0;
    double z = 0;
    bool hasZ = false;
};

// Each side of the rectangle clamped into the bounds (the upper bound wins
// when the bounds are inverted).
void ClampRect(RECT& rect, const RECT& bounds);

}  // namespace ZAV
