#include "outside/korvex55/color/ColorMath.h"

#include <cmath>

#include "outside/korvex55/core/Rows.h"

namespace KORVEX55 {

namespace {

uint8_t RoundToByte(double value)
{
    return SaturateByte(static_cast<int64_t>(std::floor(value + 0.5)));
}

using Matrix = double[3][3];

// sRGB primaries under D65 (IEC 61966-2-1), each row divided by its sum so
// that white maps onto white.
struct XyzMatrices {
    Matrix forward;
    Matrix inverse;

    XyzMatrices()
    {
        const Matrix srgb = {
            {0.4124564, 0.3575761, 0.1804375}, {0.2126729, 0.7151522, 0.0721750}, {0.0193339, 0.1191920, 0.9503041}};
        for (int row = 0; row < 3; ++row) {
            const double white = srgb[row][0] + srgb[row][1] + srgb[row][2];
            for (int column = 0; column < 3; ++column)
                forward[row][column] = srgb[row][column] / white;
        }
        Invert();
    }

    void Invert()
    {
        const Matrix& m = forward;
        const double determinant = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                                   m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                                   m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 3; ++column) {
                // The cofactor of (column, row), rows and columns taken cyclically.
                const int r1 = (column + 1) % 3, r2 = (column + 2) % 3;
                const int c1 = (row + 1) % 3, c2 = (row + 2) % 3;
                inverse[row][column] = (m[r1][c1] * m[r2][c2] - m[r1][c2] * m[r2][c1]) / determinant;
            }
    }
};

const XyzMatrices& TheXyzMatrices()
{
    static const XyzMatrices matrices;
    return matrices;
}

Triple Apply(const Matrix& m, double a, double b, double c)
{
    return Triple{RoundToByte(m[0][0] * a + m[0][1] * b + m[0][2] * c),
                  RoundToByte(m[1][0] * a + m[1][1] * b + m[1][2] * c),
                  RoundToByte(m[2][0] * a + m[2][1] * b + m[2][2] * c)};
}

}  // namespace

uint8_t GreyOf(uint8_t red, uint8_t green, uint8_t blue)
{
    return static_cast<uint8_t>((299 * red + 587 * green + 114 * blue + 500) / 1000);
}

Triple RgbToYcc(uint8_t red, uint8_t green, uint8_t blue)
{
    return Triple{RoundToByte(0.299 * red + 0.587 * green + 0.114 * blue),
                  RoundToByte(128.0 - 0.168736 * red - 0.331264 * green + 0.5 * blue),
                  RoundToByte(128.0 + 0.5 * red - 0.418688 * green - 0.081312 * blue)};
}

Triple YccToRgb(uint8_t luma, uint8_t blueDifference, uint8_t redDifference)
{
    const double cb = blueDifference - 128.0;
    const double cr = redDifference - 128.0;
    return Triple{RoundToByte(luma + 1.402 * cr), RoundToByte(luma - 0.344136 * cb - 0.714136 * cr),
                  RoundToByte(luma + 1.772 * cb)};
}

Triple RgbToXyz(uint8_t red, uint8_t green, uint8_t blue)
{
    return Apply(TheXyzMatrices().forward, red, green, blue);
}

Triple XyzToRgb(uint8_t x, uint8_t y, uint8_t z)
{
    return Apply(TheXyzMatrices().inverse, x, y, z);
}

void BuildGammaTable(int32_t value, uint8_t table[256])
{
    const double exponent = 100.0 / value;
    for (int sample = 0; sample < 256; ++sample)
        table[sample] = RoundToByte(255.0 * std::pow(sample / 255.0, exponent));
}

}  // namespace KORVEX55
