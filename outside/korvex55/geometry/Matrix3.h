// Plane maps in homogeneous coordinates: a point (x, y) becomes
// (m0 x + m1 y + m2, m3 x + m4 y + m5) / (m6 x + m7 y + m8).
#pragma once

#include <array>

namespace KORVEX55 {

struct Matrix3 {
    std::array<double, 9> m{1, 0, 0, 0, 1, 0, 0, 0, 1};
};

struct PointD {
    double x = 0;
    double y = 0;
};

Matrix3 Translation(double dx, double dy);
Matrix3 Scaling(double sx, double sy);
// Anticlockwise on the screen, where y grows downwards.
Matrix3 Rotation(double degrees);
// x' = x + shearX * y, y' = y + shearY * x.
Matrix3 Shearing(double shearX, double shearY);
Matrix3 Multiply(const Matrix3& a, const Matrix3& b);
// False when the map has no inverse.
bool Invert(const Matrix3& a, Matrix3& inverse);
// The homogeneous divisor of a point, and the mapped point.
double Divisor(const Matrix3& a, PointD p);
PointD Apply(const Matrix3& a, PointD p);

}  // namespace KORVEX55
