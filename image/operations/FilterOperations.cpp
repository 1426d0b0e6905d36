// Neighbourhood filters: the five predefined 3 x 3 operations, a caller's
// convolution matrix and the blur of bi-level images. Each writes a new
// block, which replaces the pixels only on success.
#include "foundation/text/TextException.h"
#include "image/core/ImageOperationGuard.h"
#include "image/kernels/filters/FilterMatrix.h"
#include "image/kernels/filters/MatrixKernels.h"
#include "image/object/ZAVImg.h"
#include "image/operations/ImageOperation.h"

namespace ZAV {

namespace {

constexpr int kFullStrength = 100;
constexpr int kGuardDuringBlur = 1;

void CheckFilterDepth(int depth)
{
    if (depth == 1)
        ThrowTextException("Requires Grayscale or 24bpp Images! Please convert it to 24bpp format.");
    if (depth != 8 && depth != 24)
        ThrowTextException("Error");
}

}  // namespace

void CZAVImg::ApplyMatrixOperation(int operation, int strength)
{
    if (!HasImage())
        return;
    const int depth = m_bitsPerPixel;
    CheckFilterDepth(depth);
    CImageOperation frame(*this);
    CMatrixKernels matrix(GetNotification());
    CGlobalMemBlock target;
    target.Alloc(GPTR, m_imageSize);
    const BYTE* source = static_cast<const BYTE*>(GetImageData());
    BYTE* out = target.GetData<BYTE>();
    const int result = depth == 8 ? matrix.ApplyOperation8(source, m_width, m_height, out, strength, operation)
                                  : matrix.ApplyOperation24(source, m_width, m_height, out, strength, operation);
    frame.Check(result, "Error applying the matrix! ", matrix.GetErrorText());
    frame.Install(target, m_width, m_height, depth);
}

void CZAVImg::Sharpen(int strength)
{
    ApplyMatrixOperation(kMatrixSharpen, strength);
}

void CZAVImg::Blur(int strength)
{
    ApplyMatrixOperation(kMatrixBlur, strength);
}

void CZAVImg::Soften(int strength)
{
    ApplyMatrixOperation(kMatrixSoften, strength);
}

void CZAVImg::Median()
{
    ApplyMatrixOperation(kMatrixMedian, kFullStrength);
}

void CZAVImg::GaussianBlur()
{
    ApplyMatrixOperation(kMatrixGaussian, kFullStrength);
}

void CZAVImg::ApplyUserMatrix(const int32_t* values, int count, int divisor, int columns, int rows, int strength,
                              bool addToSource, bool subtractFromSource)
{
    if (!HasImage())
        return;
    // Checked before any pixel is touched.
    if (!values || static_cast<int64_t>(columns) * rows != count)
        ThrowTextException("Array size doesn't match FilterCols and nFilterRows!");
    const int depth = m_bitsPerPixel;
    CheckFilterDepth(depth);
    CImageOperation frame(*this);
    CMatrixKernels kernels(GetNotification());
    CFilterMatrix matrix(values, divisor, columns, rows);
    CGlobalMemBlock target;
    target.Alloc(GPTR, m_imageSize);
    const BYTE* source = static_cast<const BYTE*>(GetImageData());
    BYTE* out = target.GetData<BYTE>();
    const int result = depth == 8 ? kernels.ApplyUserMatrix8(source, m_width, m_height, out, matrix, strength,
                                                             addToSource, subtractFromSource)
                                  : kernels.ApplyUserMatrix24(source, m_width, m_height, out, matrix, strength,
                                                              addToSource, subtractFromSource);
    frame.Check(result, "Error applying the user defined matrix! ", kernels.GetErrorText());
    frame.Install(target, m_width, m_height, depth);
}

void CZAVImg::BlurBitonal()
{
    if (!HasImage())
        return;
    if (m_bitsPerPixel != 1)
        ThrowTextException("Requires 1bpp Images!");
    CImageOperationGuard guard(*this);
    guard.Set(kGuardDuringBlur);
    // Both steps run on a work copy, so a failure or cancel in the second
    // leaves this image bi-level as it was.
    CZAVImg work(GetNotification());
    CopyTo(work);
    work.ConvertToGray8();
    work.GaussianBlur();
    CImageOperation frame(*this);
    frame.InstallFrom(work);
}

}  // namespace ZAV
