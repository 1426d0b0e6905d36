// Inversion, gray conversion, look-up tables and brightness/contrast. The
// kernels run on a copy of the pixels or the palette, which replaces the
// image's only on success.
#include "foundation/text/TextException.h"
#include "image/kernels/levels/ChannelMask.h"
#include "image/object/ZAVImg.h"
#include "image/operations/ImageOperation.h"

namespace ZAV {

namespace {

bool IsOneOf(int depth, std::initializer_list<int> depths)
{
    for (int allowed : depths)
        if (depth == allowed)
            return true;
    return false;
}

}  // namespace

void CZAVImg::InvertImage()
{
    if (!HasImage())
        return;
    const int depth = m_bitsPerPixel;
    if (!IsOneOf(depth, {1, 8, 24}))
        ThrowTextException("Error");
    CImageOperation operation(*this);
    CGlobalMemBlock copy;
    operation.CopyPixels(copy);
    BYTE* pixels = copy.GetData<BYTE>();
    const int result = depth == 1 ? operation.Kernels().InvertBitonal(pixels, m_bytesPerLine, m_height)
                                  : operation.Kernels().InvertBytes(pixels, m_bytesPerLine, m_height);
    operation.Check(result, "Error inverting Image! ");
    operation.Install(copy, m_width, m_height, depth);
}

void CZAVImg::InvertPalette()
{
    if (!HasImage())
        return;
    CImageOperation operation(*this);
    CImagePalette palette;
    palette = m_palette;
    operation.Check(operation.Kernels().InvertPalette(palette.GetCount(), palette.GetEntries()),
                    "Error inverting Palette! ");
    m_palette = palette;
    operation.Finish();
}

void CZAVImg::ConvertToGray()
{
    if (!HasImage())
        return;
    if (m_bitsPerPixel != 24)
        ThrowTextException("Requires 24bpp Images! Please convert it to 24bpp format.");
    CImageOperation operation(*this);
    CGlobalMemBlock copy;
    operation.CopyPixels(copy);
    operation.Check(operation.Kernels().ConvertToGray24(copy.GetData<BYTE>(), m_width, m_height),
                    "Error converting to grayscale Image! ");
    operation.Install(copy, m_width, m_height, 24);
}

void CZAVImg::ConvertToGray8()
{
    if (!HasImage())
        return;
    const int depth = m_bitsPerPixel;
    if (!IsOneOf(depth, {1, 8, 24}))
        ThrowTextException("Error");
    CImageOperation operation(*this);
    CImgKernels& kernels = operation.Kernels();
    CGlobalMemBlock target;
    int result = 0;
    if (depth == 8) {
        operation.CopyPixels(target);
        result = kernels.Palette8ToGray(target.GetData<BYTE>(), m_width, m_height, m_palette.GetCount(),
                                        m_palette.GetEntries());
    } else {
        target.Alloc(GPTR, CalcImageSize(m_width, m_height, 8));
        const BYTE* source = static_cast<const BYTE*>(GetImageData());
        result = depth == 1 ? kernels.Bitonal1To8Gray(source, m_width, m_height, m_palette.GetCount(),
                                                      m_palette.GetEntries(), target.GetData<BYTE>())
                            : kernels.Gray24To8(source, m_width, m_height, target.GetData<BYTE>());
    }
    operation.Check(result, "Error converting to 8Bit grayscale Image! ");
    CImagePalette gray;
    gray.CreateGrayScale();
    m_palette = gray;
    operation.Install(target, m_width, m_height, 8);
}

void CZAVImg::ApplyLookupTable(const BYTE* table)
{
    if (!HasImage())
        return;
    const int depth = m_bitsPerPixel;
    if (depth != 8 && depth != 24)
        ThrowTextException("Requires 8bpp grayscale Images! Please convert it to grayscale format.");
    CImageOperation operation(*this);
    CGlobalMemBlock copy;
    operation.CopyPixels(copy);
    BYTE* pixels = copy.GetData<BYTE>();
    const int result = depth == 8 ? operation.Kernels().ApplyLut8(pixels, m_width, m_height, table)
                                  : operation.Kernels().ApplyLut24(pixels, m_width, m_height, kAllChannels, table);
    operation.Check(result, "Can't apply LookUpTable!", false);
    operation.Install(copy, m_width, m_height, depth);
}

void CZAVImg::AdjustBrightnessContrast(double brightness, double contrast)
{
    if (!HasImage())
        return;
    const int depth = m_bitsPerPixel;
    if (depth == 1)
        ThrowTextException("Requires 8bpp or 24bpp Images! Please convert it to 24bpp format.");
    if (!IsOneOf(depth, {8, 16, 24, 48}))
        ThrowTextException("Error");
    brightness /= 100.0;
    contrast /= 100.0;
    CImageOperation operation(*this);
    CImgKernels& kernels = operation.Kernels();
    if (depth == 8 && !m_palette.IsGrayScale()) {
        CImagePalette palette;
        palette = m_palette;
        operation.Check(
            kernels.BrightnessContrastPalette(palette.GetEntries(), palette.GetCount(), brightness, contrast),
            "Error adjusting brightness/contrast of the color palette! ");
        m_palette = palette;
        operation.Finish();
        return;
    }
    CGlobalMemBlock copy;
    operation.CopyPixels(copy);
    BYTE* pixels = copy.GetData<BYTE>();
    int result = 0;
    if (depth == 8)
        result = kernels.BrightnessContrast8(pixels, m_width, m_height, brightness, contrast);
    else if (depth == 16)
        result = kernels.BrightnessContrast16(pixels, m_width, m_height, brightness, contrast);
    else if (depth == 24)
        result = kernels.BrightnessContrast24(pixels, m_width, m_height, brightness, contrast);
    else
        result = kernels.BrightnessContrast48(pixels, m_width, m_height, brightness, contrast);
    operation.Check(result, "Error adjusting brightness/contrast of the Image! ");
    operation.Install(copy, m_width, m_height, depth);
}

}  // namespace ZAV
