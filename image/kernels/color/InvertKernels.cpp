// Inversion of pixel bytes and of palettes.
#include "image/kernels/ImgKernels.h"
#include "image/kernels/shared/PixelBlocks.h"
#include "image/kernels/shared/RowLoop.h"

#include <cstring>
#include <utility>

namespace ZAV {

int CImgKernels::InvertBytes(BYTE* data, int rowBytes, int rows)
{
    ClearErrorText();
    if (!data)
        return Fail(kTextInvalidParameter);
    const size_t stride = SpanBytes(rowBytes, 1);
    return ForEachRow(*this, rows, [&](int y) {
        BYTE* row = data + y * stride;
        for (size_t i = 0; i < stride; ++i)
            row[i] = static_cast<BYTE>(255 - row[i]);
    });
}

// Whole 32-bit words first, then the bytes left over; the result is the
// same as InvertBytes.
int CImgKernels::InvertBitonal(BYTE* data, int rowBytes, int rows)
{
    ClearErrorText();
    if (!data)
        return Fail(kTextInvalidParameter);
    const size_t stride = SpanBytes(rowBytes, 1);
    const size_t words = stride / sizeof(uint32_t);
    return ForEachRow(*this, rows, [&](int y) {
        BYTE* row = data + y * stride;
        for (size_t i = 0; i < words; ++i) {
            uint32_t word;
            std::memcpy(&word, row + i * sizeof(word), sizeof(word));
            word = ~word;
            std::memcpy(row + i * sizeof(word), &word, sizeof(word));
        }
        for (size_t i = words * sizeof(uint32_t); i < stride; ++i)
            row[i] = static_cast<BYTE>(~row[i]);
    });
}

// A two-entry palette swaps its entries, so a 1-bit image shows inverted
// without touching its bits; larger palettes invert each colour.
int CImgKernels::InvertPalette(int count, uint32_t* palette)
{
    ClearErrorText();
    if (count <= 0 || !palette)
        return Fail(kTextInvalidParameter);
    if (count == 2) {
        std::swap(palette[0], palette[1]);
        return 1;
    }
    for (int i = 0; i < count; ++i)
        palette[i] ^= 0x00FFFFFFu;
    return 1;
}

}  // namespace ZAV
