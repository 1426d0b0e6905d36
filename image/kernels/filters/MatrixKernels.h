// CMatrixKernels: the context of one neighbourhood filter. Five predefined
// 3 x 3 operations (sharpen, blur, median, soften, Gaussian) with a
// strength, and convolution with a caller's matrix, on 8-bit gray or 24-bit
// pixels, reading a source and writing a separate destination of the same
// size. Edge pixels repeat outward.
#pragma once

#include "foundation/IProgressNotification.h"
#include "foundation/text/String.h"
#include "image/kernels/ImgKernels.h"
#include "image/kernels/filters/FilterMatrix.h"
#include "platform/WinTypes.h"

namespace ZAV {

enum MatrixOperation {
    kMatrixSharpen = 0,
    kMatrixBlur = 1,
    kMatrixMedian = 2,
    kMatrixSoften = 3,
    kMatrixGaussian = 4,
};

// Ascending order of two bytes (a - b), the comparison of the median.
int CompareBytes(const void* a, const void* b);

class CMatrixKernels {
public:
    explicit CMatrixKernels(IProgressNotification* sink);

    // Strength in percent, limited to 0..100; operation 0-4. 1 on success,
    // 0 with the error text set (a cancel also fails).
    int ApplyOperation24(const BYTE* src, int width, int height, BYTE* dst, int strength, int operation);
    int ApplyOperation8(const BYTE* src, int width, int height, BYTE* dst, int strength, int operation);
    // Convolution with the matrix; the strength (percent, not limited) mixes
    // the result with the source, or adds it to / subtracts it from the
    // source when one of the flags is set.
    int ApplyUserMatrix24(const BYTE* src, int width, int height, BYTE* dst, CFilterMatrix& matrix, int strength,
                          bool addToSource, bool subtractFromSource);
    int ApplyUserMatrix8(const BYTE* src, int width, int height, BYTE* dst, CFilterMatrix& matrix, int strength,
                         bool addToSource, bool subtractFromSource);

    const String& GetErrorText() const { return m_context.GetErrorText(); }

    // The per-pixel functions: read the neighbour pointers, strength and
    // complement, write through the destination cursor.
    static void SharpenPixel24(CMatrixKernels& k);
    static void SharpenPixel8(CMatrixKernels& k);
    static void BlurPixel24(CMatrixKernels& k);
    static void BlurPixel8(CMatrixKernels& k);
    static void MedianPixel24(CMatrixKernels& k);
    static void MedianPixel8(CMatrixKernels& k);
    static void SoftenPixel24(CMatrixKernels& k);
    static void SoftenPixel8(CMatrixKernels& k);
    static void GaussianPixel24(CMatrixKernels& k);
    static void GaussianPixel8(CMatrixKernels& k);

private:
    using PixelFunction = void (*)(CMatrixKernels&);
    template <int Channels>
    friend struct MatrixPixel;

    int ApplyOperation(const BYTE* src, int width, int height, BYTE* dst, int strength, int operation, int channels);
    int ApplyUserMatrix(const BYTE* src, int width, int height, BYTE* dst, CFilterMatrix& matrix, int strength,
                        bool addToSource, bool subtractFromSource, int channels);
    void SetNeighbours(const BYTE* src, int width, int height, int x, int y, int channels);

    // Carries the error text and the progress protocol.
    CImgKernels m_context;
    BYTE* m_cursor = nullptr;
    // Top-left, top, top-right, left, centre, right, bottom-left, bottom,
    // bottom-right; three pointers each (bytes 0, 1, 2) for 24 bits.
    const BYTE* m_neighbours24[27] = {};
    const BYTE* m_neighbours8[9] = {};
    double m_strength = 0;
    double m_complement = 1;
};

}  // namespace ZAV
