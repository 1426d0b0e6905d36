// Gray conversion: in place, 24 to 8 bits, palette indices to gray, and
// 1-bit pixels to 8-bit gray.
#include "image/kernels/ImgKernels.h"
#include "image/kernels/KernelProgress.h"
#include "image/kernels/color/GrayLevels.h"
#include "image/kernels/shared/PixelBlocks.h"
#include "image/kernels/shared/RowLoop.h"

#include <cstring>

namespace ZAV {

namespace {

// Rows 0, 20, 40, ... of the 1-bit conversion send no report.
constexpr int kBitonalQuietRowStep = 20;

}  // namespace

int CImgKernels::ConvertToGray24(BYTE* data, int width, int height)
{
    ClearErrorText();
    if (!data)
        return Fail(kTextInvalidParameter);
    return ForEachPixel24(*this, data, width, height,
                          [](BYTE* pixel) { pixel[0] = pixel[1] = pixel[2] = GrayOfPixel(pixel[0], pixel[1], pixel[2]); });
}

int CImgKernels::Gray24To8(const BYTE* source, int width, int height, BYTE* target)
{
    ClearErrorText();
    if (!source || !target)
        return Fail(kTextInvalidParameter);
    const size_t rowBytes = SpanBytes(width, 3);
    return ForEachRow(*this, height, [&](int y) {
        const BYTE* pixel = source + y * rowBytes;
        BYTE* gray = target + SpanBytes(y, width);
        for (int x = 0; x < width; ++x, pixel += 3)
            gray[x] = GrayOfPixel(pixel[0], pixel[1], pixel[2]);
    });
}

int CImgKernels::Palette8ToGray(BYTE* data, int width, int height, int paletteCount, const uint32_t* palette)
{
    ClearErrorText();
    if (!data || !palette || paletteCount < 256)
        return Fail(kTextInvalidParameter);
    BYTE grayOf[256];
    for (int i = 0; i < 256; ++i)
        grayOf[i] = GrayOfPaletteEntry(palette[i]);
    return ForEachRow(*this, height, [&](int y) {
        BYTE* row = data + SpanBytes(y, width);
        for (int x = 0; x < width; ++x)
            row[x] = grayOf[row[x]];
    });
}

int CImgKernels::Bitonal1To8Gray(const BYTE* source, int width, int height, int paletteCount, const uint32_t* palette,
                                 BYTE* target)
{
    ClearErrorText();
    if (!source || !target || !palette || paletteCount < 2)
        return Fail(kTextInvalidParameter);
    const BYTE gray0 = GrayOfPaletteEntry(palette[0]);
    const BYTE gray1 = GrayOfPaletteEntry(palette[1]);
    // Four gray bytes for each nibble, most significant bit first.
    BYTE patterns[16][4];
    for (int nibble = 0; nibble < 16; ++nibble)
        for (int k = 0; k < 4; ++k)
            patterns[nibble][k] = (nibble >> (3 - k)) & 1 ? gray1 : gray0;

    CKernelProgress progress(*this);
    const size_t sourceRow = BitRowBytes(width);
    for (int y = 0; y < height; ++y) {
        const BYTE* bits = source + y * sourceRow;
        BYTE* gray = target + SpanBytes(y, width);
        const int wholeBytes = width / 8;
        for (int i = 0; i < wholeBytes; ++i, gray += 8) {
            std::memcpy(gray, patterns[bits[i] >> 4], 4);
            std::memcpy(gray + 4, patterns[bits[i] & 0x0F], 4);
        }
        for (int x = wholeBytes * 8; x < width; ++x)
            *gray++ = bits[x / 8] & (0x80 >> (x % 8)) ? gray1 : gray0;
        if (y % kBitonalQuietRowStep != 0 && !progress.Report(y, height))
            return 0;
    }
    return 1;
}

}  // namespace ZAV
