// The per-pixel functions of the predefined 3 x 3 operations, each channel
// on its own. c is the centre value, N the sum of the eight neighbours.
#include "image/kernels/filters/MatrixKernels.h"

#include "image/kernels/filters/ByteClamp.h"

#include <algorithm>

namespace ZAV {

namespace {

enum Neighbour { kTopLeft, kTop, kTopRight, kLeft, kCentre, kRight, kBottomLeft, kBottom, kBottomRight, kNeighbours };

}  // namespace

int CompareBytes(const void* a, const void* b)
{
    return *static_cast<const BYTE*>(a) - *static_cast<const BYTE*>(b);
}

template <int Channels>
struct MatrixPixel {
    static int Value(const CMatrixKernels& k, int neighbour, int channel)
    {
        return Channels == 3 ? *k.m_neighbours24[neighbour * 3 + channel] : *k.m_neighbours8[neighbour];
    }

    static int SumAround(const CMatrixKernels& k, int channel)
    {
        int sum = 0;
        for (int n = 0; n < kNeighbours; ++n)
            sum += n == kCentre ? 0 : Value(k, n, channel);
        return sum;
    }

    static void Sharpen(CMatrixKernels& k)
    {
        for (int ch = 0; ch < Channels; ++ch) {
            const int c = Value(k, kCentre, ch);
            k.m_cursor[ch] = ClampToByte((9 * c - SumAround(k, ch)) * k.m_strength + c * k.m_complement);
        }
    }

    static void Blur(CMatrixKernels& k)
    {
        for (int ch = 0; ch < Channels; ++ch) {
            const int c = Value(k, kCentre, ch);
            k.m_cursor[ch] = static_cast<BYTE>(SumAround(k, ch) / 8 * k.m_strength + c * k.m_complement);
        }
    }

    static void Median(CMatrixKernels& k)
    {
        for (int ch = 0; ch < Channels; ++ch) {
            BYTE values[kNeighbours];
            for (int n = 0; n < kNeighbours; ++n)
                values[n] = static_cast<BYTE>(Value(k, n, ch));
            std::sort(values, values + kNeighbours,
                      [](const BYTE& a, const BYTE& b) { return CompareBytes(&a, &b) < 0; });
            k.m_cursor[ch] = values[kNeighbours / 2];
        }
    }

    static void Soften(CMatrixKernels& k)
    {
        for (int ch = 0; ch < Channels; ++ch) {
            const int c = Value(k, kCentre, ch);
            k.m_cursor[ch] = ClampToByte(c - (9 * c - SumAround(k, ch)) * k.m_strength);
        }
    }

    static void Gaussian(CMatrixKernels& k)
    {
        for (int ch = 0; ch < Channels; ++ch) {
            const int sides = Value(k, kTop, ch) + Value(k, kLeft, ch) + Value(k, kRight, ch) + Value(k, kBottom, ch);
            const int corners = Value(k, kTopLeft, ch) + Value(k, kTopRight, ch) + Value(k, kBottomLeft, ch) +
                                Value(k, kBottomRight, ch);
            k.m_cursor[ch] = ClampToByte((8 * Value(k, kCentre, ch) + 2 * sides + corners) / 20);
        }
    }
};

void CMatrixKernels::SharpenPixel24(CMatrixKernels& k) { MatrixPixel<3>::Sharpen(k); }
void CMatrixKernels::SharpenPixel8(CMatrixKernels& k) { MatrixPixel<1>::Sharpen(k); }
void CMatrixKernels::BlurPixel24(CMatrixKernels& k) { MatrixPixel<3>::Blur(k); }
void CMatrixKernels::BlurPixel8(CMatrixKernels& k) { MatrixPixel<1>::Blur(k); }
void CMatrixKernels::MedianPixel24(CMatrixKernels& k) { MatrixPixel<3>::Median(k); }
void CMatrixKernels::MedianPixel8(CMatrixKernels& k) { MatrixPixel<1>::Median(k); }
void CMatrixKernels::SoftenPixel24(CMatrixKernels& k) { MatrixPixel<3>::Soften(k); }
void CMatrixKernels::SoftenPixel8(CMatrixKernels& k) { MatrixPixel<1>::Soften(k); }
void CMatrixKernels::GaussianPixel24(CMatrixKernels& k) { MatrixPixel<3>::Gaussian(k); }
void CMatrixKernels::GaussianPixel8(CMatrixKernels& k) { MatrixPixel<1>::Gaussian(k); }

}  // namespace ZAV
