// The simple depth steps: palette indices to 24 bits, and 24 to 32 bits and
// back. None of them reports progress.
#include "image/core/ImagePalette.h"
#include "image/kernels/ImgKernels.h"
#include "image/kernels/shared/PixelBlocks.h"

namespace ZAV {

int CImgKernels::Indexed8To24(const BYTE* source, BYTE* target, int width, int height, int /*paletteCount*/,
                              const uint32_t* palette)
{
    ClearErrorText();
    if (!source || !target || !palette)
        return Fail(kTextInvalidParameter);
    const size_t pixels = SpanBytes(width, 1) * SpanBytes(height, 1);
    for (size_t i = 0; i < pixels; ++i, target += 3) {
        const uint32_t entry = palette[source[i]];
        target[0] = PaletteRed(entry);
        target[1] = PaletteGreen(entry);
        target[2] = PaletteBlue(entry);
    }
    return 1;
}

int CImgKernels::Expand24To32(const BYTE* source, int width, int height, BYTE fourth, BYTE* target)
{
    ClearErrorText();
    if (!source || !target)
        return Fail(kTextInvalidParameter);
    const size_t pixels = SpanBytes(width, 1) * SpanBytes(height, 1);
    for (size_t i = 0; i < pixels; ++i, source += 3, target += 4) {
        target[0] = source[0];
        target[1] = source[1];
        target[2] = source[2];
        target[3] = fourth;
    }
    return 1;
}

int CImgKernels::Reduce32To24(const BYTE* source, int width, int height, BYTE* target)
{
    ClearErrorText();
    if (!source || !target)
        return Fail(kTextInvalidParameter);
    const size_t pixels = SpanBytes(width, 1) * SpanBytes(height, 1);
    for (size_t i = 0; i < pixels; ++i, source += 4, target += 3) {
        target[0] = source[0];
        target[1] = source[1];
        target[2] = source[2];
    }
    return 1;
}

}  // namespace ZAV
