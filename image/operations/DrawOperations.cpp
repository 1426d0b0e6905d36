// Rectangles and lines drawn into the pixels, clipped to the image; the
// kernel draws into a copy, which replaces the pixels only on success.
#include <algorithm>

#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"
#include "image/operations/ImageOperation.h"

namespace ZAV {

void CZAVImg::DrawRectangle(int x1, int y1, int x2, int y2, COLORREF color)
{
    if (!HasImage())
        return;
    const int depth = m_bitsPerPixel;
    if (depth != 1 && depth != 8 && depth != 24)
        ThrowTextException("Error");
    // (x2, y2) is the corner past the rectangle: (0, 0, width, height)
    // fills the whole image.
    const int left = std::max(0, std::min(x1, x2));
    const int top = std::max(0, std::min(y1, y2));
    const int width = std::max(x1, x2) - left;
    const int height = std::max(y1, y2) - top;
    if (width <= 0 || height <= 0)
        return;
    CImageOperation operation(*this);
    CImgKernels& kernels = operation.Kernels();
    CGlobalMemBlock copy;
    operation.CopyPixels(copy);
    BYTE* pixels = copy.GetData<BYTE>();
    int result = 0;
    if (depth == 1)
        result = kernels.FillRect1(pixels, m_bytesPerLine, m_width, m_height, left, top, width, height, color);
    else if (depth == 8)
        result = kernels.FillRect8(pixels, m_width, m_height, left, top, width, height, GetRValue(color));
    else
        result = kernels.FillRect24(pixels, m_width, m_height, left, top, width, height, color);
    operation.Check(result, "Error drawing rectangle! ");
    operation.Install(copy, m_width, m_height, depth);
}

void CZAVImg::DrawLine(int x1, int y1, int x2, int y2, COLORREF color)
{
    if (!HasImage())
        return;
    const int depth = m_bitsPerPixel;
    if (depth != 1 && depth != 8 && depth != 24 && depth != 32)
        ThrowTextException("Error");
    CImageOperation operation(*this);
    CGlobalMemBlock copy;
    operation.CopyPixels(copy);
    operation.Check(operation.Kernels().DrawLine(copy.GetData<BYTE>(), m_width, m_height, m_bytesPerLine, depth, x1, y1,
                                                 x2, y2, color),
                    "Error drawing line! ");
    operation.Install(copy, m_width, m_height, depth);
}

}  // namespace ZAV
