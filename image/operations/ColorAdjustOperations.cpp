// Hue/saturation/value, colour replacement and black/white conversion; each
// kernel works on a copy of the pixels, which replaces them only on success.
#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"
#include "image/operations/ImageOperation.h"

namespace ZAV {

void CZAVImg::AdjustHsv(int hue, int saturation, int value)
{
    if (!HasImage())
        return;
    if (m_bitsPerPixel != 24)
        ThrowTextException("Requires 24bpp Images! Please convert it to 24bpp format.");
    CImageOperation operation(*this);
    CGlobalMemBlock copy;
    operation.CopyPixels(copy);
    operation.Check(operation.Kernels().AdjustHsv(copy.GetData<BYTE>(), m_width, m_height, hue, saturation, value),
                    "Error adjusting HSV! ");
    operation.Install(copy, m_width, m_height, 24);
}

void CZAVImg::ReplaceColor(COLORREF find, COLORREF replacement, uint32_t tolerance, bool replaceOthers, COLORREF other)
{
    if (!HasImage())
        return;
    if (m_bitsPerPixel != 24)
        ThrowTextException("Requires 24bpp Images!");
    CImageOperation operation(*this);
    CGlobalMemBlock copy;
    operation.CopyPixels(copy);
    operation.Check(operation.Kernels().ReplaceColor(copy.GetData<BYTE>(), m_width, m_height, find, replacement,
                                                     tolerance, replaceOthers, other),
                    "Error replacing color! ");
    operation.Install(copy, m_width, m_height, 24);
}

void CZAVImg::ConvertToBlackWhite()
{
    if (!HasImage())
        return;
    const int depth = m_bitsPerPixel;
    if (depth != 8 && depth != 24)
        ThrowTextException("Requires 8bpp or 24bpp Images!");
    CImageOperation operation(*this);
    CGlobalMemBlock copy;
    operation.CopyPixels(copy);
    operation.Check(operation.Kernels().ConvertToBlackWhite(copy.GetData<BYTE>(), m_width, m_height, depth == 24),
                    "Error converting to Black/White! ");
    operation.Install(copy, m_width, m_height, depth);
}

}  // namespace ZAV
