#include "image/kernels/filters/MatrixKernels.h"

#include "image/kernels/filters/ByteClamp.h"

#include "image/kernels/shared/PixelBlocks.h"
#include "image/kernels/shared/RowLoop.h"

#include <algorithm>

namespace ZAV {

namespace {

constexpr int kMinStrength = 0;
constexpr int kMaxStrength = 100;

int Clamp(int value, int low, int high)
{
    return std::min(std::max(value, low), high);
}

}  // namespace

CMatrixKernels::CMatrixKernels(IProgressNotification* sink) : m_context(sink) {}

int CMatrixKernels::ApplyOperation24(const BYTE* src, int width, int height, BYTE* dst, int strength, int operation)
{
    return ApplyOperation(src, width, height, dst, strength, operation, 3);
}

int CMatrixKernels::ApplyOperation8(const BYTE* src, int width, int height, BYTE* dst, int strength, int operation)
{
    return ApplyOperation(src, width, height, dst, strength, operation, 1);
}

int CMatrixKernels::ApplyUserMatrix24(const BYTE* src, int width, int height, BYTE* dst, CFilterMatrix& matrix,
                                      int strength, bool addToSource, bool subtractFromSource)
{
    return ApplyUserMatrix(src, width, height, dst, matrix, strength, addToSource, subtractFromSource, 3);
}

int CMatrixKernels::ApplyUserMatrix8(const BYTE* src, int width, int height, BYTE* dst, CFilterMatrix& matrix,
                                     int strength, bool addToSource, bool subtractFromSource)
{
    return ApplyUserMatrix(src, width, height, dst, matrix, strength, addToSource, subtractFromSource, 1);
}

void CMatrixKernels::SetNeighbours(const BYTE* src, int width, int height, int x, int y, int channels)
{
    const size_t stride = SpanBytes(width, channels);
    const int rows[3] = {std::max(y - 1, 0), y, std::min(y + 1, height - 1)};
    const int columns[3] = {std::max(x - 1, 0), x, std::min(x + 1, width - 1)};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            const BYTE* pixel = src + rows[r] * stride + static_cast<size_t>(columns[c]) * channels;
            if (channels == 3) {
                for (int ch = 0; ch < 3; ++ch)
                    m_neighbours24[(r * 3 + c) * 3 + ch] = pixel + ch;
            } else {
                m_neighbours8[r * 3 + c] = pixel;
            }
        }
    }
}

int CMatrixKernels::ApplyOperation(const BYTE* src, int width, int height, BYTE* dst, int strength, int operation,
                                   int channels)
{
    m_context.ClearErrorText();
    if (!src || !dst || src == dst)
        return m_context.Fail(kTextInvalidParameter);
    m_strength = Clamp(strength, kMinStrength, kMaxStrength) * 0.01;
    m_complement = 1 - m_strength;
    static const PixelFunction kFunctions24[] = {SharpenPixel24, BlurPixel24, MedianPixel24, SoftenPixel24,
                                                 GaussianPixel24};
    static const PixelFunction kFunctions8[] = {SharpenPixel8, BlurPixel8, MedianPixel8, SoftenPixel8, GaussianPixel8};
    if (operation < kMatrixSharpen || operation > kMatrixGaussian)
        return m_context.Fail("Invalid matrix operation!");
    const PixelFunction function = channels == 3 ? kFunctions24[operation] : kFunctions8[operation];

    m_cursor = dst;
    return ForEachRow(m_context, height, [&](int y) {
        for (int x = 0; x < width; ++x, m_cursor += channels) {
            SetNeighbours(src, width, height, x, y, channels);
            function(*this);
        }
    });
}

int CMatrixKernels::ApplyUserMatrix(const BYTE* src, int width, int height, BYTE* dst, CFilterMatrix& matrix,
                                    int strength, bool addToSource, bool subtractFromSource, int channels)
{
    m_context.ClearErrorText();
    if ((addToSource && subtractFromSource) || !src || !dst || src == dst)
        return m_context.Fail(kTextInvalidParameter);
    const double* weights = matrix.Normalize();
    if (!weights)
        return m_context.Fail("Invalid Matrix!");
    m_strength = strength * 0.01;
    m_complement = 1 - m_strength;
    const int halfWidth = matrix.GetCols() / 2;
    const int halfHeight = matrix.GetRows() / 2;
    const size_t stride = SpanBytes(width, channels);

    BYTE* out = dst;
    return ForEachRow(m_context, height, [&](int y) {
        for (int x = 0; x < width; ++x) {
            for (int ch = 0; ch < channels; ++ch, ++out) {
                double sum = 0;
                const double* weight = weights;
                for (int dy = -halfHeight; dy <= halfHeight; ++dy) {
                    const BYTE* row = src + Clamp(y + dy, 0, height - 1) * stride + ch;
                    for (int dx = -halfWidth; dx <= halfWidth; ++dx)
                        sum += row[static_cast<size_t>(Clamp(x + dx, 0, width - 1)) * channels] * *weight++;
                }
                const int c = src[y * stride + static_cast<size_t>(x) * channels + ch];
                double value = c * m_complement + sum * m_strength;
                if (addToSource)
                    value = sum * m_strength + c;
                else if (subtractFromSource)
                    value = c - sum * m_strength;
                *out = ClampToByte(value);
            }
        }
    });
}

}  // namespace ZAV
