#include "outside/korvex55/geometry/Matrix3.h"

#include <cmath>

namespace KORVEX55 {

namespace {

// Quarter turns come out exact, so that a rotation by 90 degrees moves
// every pixel centre onto a pixel centre.
void SineCosine(double degrees, double& sine, double& cosine)
{
    const double turned = std::fmod(degrees, 360.0);
    const double quarters = turned / 90.0;
    if (quarters == std::floor(quarters)) {
        const int quarter = (static_cast<int>(quarters) % 4 + 4) % 4;
        const double sines[4] = {0, 1, 0, -1};
        sine = sines[quarter];
        cosine = sines[(quarter + 1) % 4];
        return;
    }
    const double radians = turned * M_PI / 180.0;
    sine = std::sin(radians);
    cosine = std::cos(radians);
}

}  // namespace

Matrix3 Translation(double dx, double dy)
{
    return Matrix3{{1, 0, dx, 0, 1, dy, 0, 0, 1}};
}

Matrix3 Scaling(double sx, double sy)
{
    return Matrix3{{sx, 0, 0, 0, sy, 0, 0, 0, 1}};
}

Matrix3 Rotation(double degrees)
{
    double s = 0;
    double c = 1;
    SineCosine(degrees, s, c);
    return Matrix3{{c, s, 0, -s, c, 0, 0, 0, 1}};
}

Matrix3 Shearing(double shearX, double shearY)
{
    return Matrix3{{1, shearX, 0, shearY, 1, 0, 0, 0, 1}};
}

Matrix3 Multiply(const Matrix3& a, const Matrix3& b)
{
    Matrix3 product;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            double sum = 0;
            for (int k = 0; k < 3; ++k)
                sum += a.m[r * 3 + k] * b.m[k * 3 + c];
            product.m[r * 3 + c] = sum;
        }
    return product;
}

bool Invert(const Matrix3& a, Matrix3& inverse)
{
    const auto& m = a.m;
    const double c0 = m[4] * m[8] - m[5] * m[7];
    const double c1 = m[5] * m[6] - m[3] * m[8];
    const double c2 = m[3] * m[7] - m[4] * m[6];
    const double determinant = m[0] * c0 + m[1] * c1 + m[2] * c2;
    if (!std::isfinite(determinant) || determinant == 0)
        return false;
    const double f = 1.0 / determinant;
    inverse.m = {c0 * f, (m[2] * m[7] - m[1] * m[8]) * f, (m[1] * m[5] - m[2] * m[4]) * f,
                 c1 * f, (m[0] * m[8] - m[2] * m[6]) * f, (m[2] * m[3] - m[0] * m[5]) * f,
                 c2 * f, (m[1] * m[6] - m[0] * m[7]) * f, (m[0] * m[4] - m[1] * m[3]) * f};
    // A map next to singular overflows here rather than at every pixel.
    for (double value : inverse.m)
        if (!std::isfinite(value))
            return false;
    return true;
}

double Divisor(const Matrix3& a, PointD p)
{
    return a.m[6] * p.x + a.m[7] * p.y + a.m[8];
}

PointD Apply(const Matrix3& a, PointD p)
{
    const double w = Divisor(a, p);
    return {(a.m[0] * p.x + a.m[1] * p.y + a.m[2]) / w, (a.m[3] * p.x + a.m[4] * p.y + a.m[5]) / w};
}

}  // namespace KORVEX55
