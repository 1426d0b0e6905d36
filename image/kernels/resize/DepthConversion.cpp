// Depth conversion between 1, 8 and 24 bits into new GPTR blocks. A block
// goes to the caller only on success; on failure it is freed and the
// caller's handle is left alone.
#include "image/core/GlobalMemBlock.h"
#include "image/core/ImagePalette.h"
#include "image/kernels/ImgKernels.h"
#include "image/kernels/quantize/OnePassQuantizer.h"
#include "image/kernels/quantize/Quantize.h"
#include "image/kernels/shared/PixelBlocks.h"

#include <algorithm>
#include <cstring>

namespace ZAV {

namespace {

constexpr int kIndexCount = 256;
constexpr int kBitonalColors = 2;

// Black and white, or the source palette's first two entries.
void BitonalColors(int paletteCount, const uint32_t* palette, uint32_t colors[2])
{
    colors[0] = MakePaletteEntry(0, 0, 0);
    colors[1] = MakePaletteEntry(255, 255, 255);
    if (palette && paletteCount >= kBitonalColors) {
        colors[0] = palette[0];
        colors[1] = palette[1];
    }
}

// The source palette as 256 entries, zero beyond its count, so that any
// index reads inside it.
void FullPalette(int paletteCount, const uint32_t* palette, uint32_t entries[kIndexCount])
{
    std::fill_n(entries, kIndexCount, 0u);
    if (palette && paletteCount > 0)
        std::memcpy(entries, palette, sizeof(uint32_t) * std::min(paletteCount, kIndexCount));
}

bool BitAt(const BYTE* row, int x)
{
    return (row[x / 8] & (0x80 >> (x % 8))) != 0;
}

// Checks the source (and that what the result needs is there), then
// allocates the result block of height rows of rowBytes.
bool BeginResult(CImgKernels& context, const BYTE* source, int width, int height, bool needsMet, int64_t rowBytes,
                 CGlobalHandle& block)
{
    if (!source || width <= 0 || height <= 0 || !needsMet) {
        context.Fail(kTextInvalidParameter);
        return false;
    }
    block.Attach(AllocPixelBlock(BlockBytes(rowBytes, height, 1)));
    if (!block.GetHandle())
        context.Fail(kTextOutOfMemory);
    return block.GetHandle() != nullptr;
}

}  // namespace

int CImgKernels::Convert1To8(const BYTE* source, int width, int height, int paletteCount, const uint32_t* palette,
                             HGLOBAL& target, uint32_t* targetPalette)
{
    ClearErrorText();
    CGlobalHandle block;
    if (!BeginResult(*this, source, width, height, targetPalette != nullptr, width, block))
        return 0;
    BYTE* out = static_cast<BYTE*>(block.GetHandle());
    const size_t sourceRow = BitRowBytes(width);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            *out++ = BitAt(source + y * sourceRow, x) ? 1 : 0;
    std::fill_n(targetPalette, kIndexCount, 0u);
    BitonalColors(paletteCount, palette, targetPalette);
    target = block.Detach();
    return 1;
}

int CImgKernels::Convert1To24(const BYTE* source, int width, int height, int paletteCount, const uint32_t* palette,
                              HGLOBAL& target)
{
    ClearErrorText();
    CGlobalHandle block;
    if (!BeginResult(*this, source, width, height, true, int64_t(width) * 3, block))
        return 0;
    uint32_t colors[kBitonalColors];
    BitonalColors(paletteCount, palette, colors);
    BYTE* out = static_cast<BYTE*>(block.GetHandle());
    const size_t sourceRow = BitRowBytes(width);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, out += 3) {
            const uint32_t color = colors[BitAt(source + y * sourceRow, x) ? 1 : 0];
            out[0] = PaletteRed(color);
            out[1] = PaletteGreen(color);
            out[2] = PaletteBlue(color);
        }
    }
    target = block.Detach();
    return 1;
}

int CImgKernels::Convert8To24(const BYTE* source, int width, int height, int paletteCount, const uint32_t* palette,
                              HGLOBAL& target)
{
    ClearErrorText();
    CGlobalHandle block;
    if (!BeginResult(*this, source, width, height, palette != nullptr, int64_t(width) * 3, block))
        return 0;
    uint32_t entries[kIndexCount];
    FullPalette(paletteCount, palette, entries);
    if (!Indexed8To24(source, static_cast<BYTE*>(block.GetHandle()), width, height, kIndexCount, entries))
        return 0;
    target = block.Detach();
    return 1;
}

int CImgKernels::Convert24To8(const BYTE* source, int width, int height, bool twoPass, int ditherMode,
                              HGLOBAL& target, uint32_t* targetPalette, int& colorCount)
{
    ClearErrorText();
    CGlobalHandle block;
    if (!BeginResult(*this, source, width, height, targetPalette != nullptr, width, block))
        return 0;
    BYTE* indices = static_cast<BYTE*>(block.GetHandle());
    const int done = twoPass ? QuantizeTwoPass(*this, source, 24, indices, 8, width, height, colorCount,
                                               targetPalette, ditherMode, kQuantizerMaxColors)
                             : QuantizeOnePass(*this, source, 24, indices, 8, width, height, colorCount,
                                               targetPalette, ditherMode, kQuantizerMaxColors);
    if (!done)
        return 0;
    target = block.Detach();
    return 1;
}

int CImgKernels::Convert24To1(const BYTE* source, int width, int height, HGLOBAL& target, uint32_t* targetPalette,
                              int& colorCount)
{
    ClearErrorText();
    CGlobalHandle indices;
    if (!BeginResult(*this, source, width, height, targetPalette != nullptr, width, indices))
        return 0;
    if (!QuantizeTwoPass(*this, source, 24, static_cast<BYTE*>(indices.GetHandle()), 8, width, height, colorCount,
                         targetPalette, kDitherNone, kBitonalColors))
        return 0;
    return Convert8To1(static_cast<const BYTE*>(indices.GetHandle()), width, height, target);
}

int CImgKernels::Convert8To1(const BYTE* source, int width, int height, HGLOBAL& target)
{
    ClearErrorText();
    const size_t rowBytes = BitRowBytes(width);
    CGlobalHandle block;
    if (!BeginResult(*this, source, width, height, true, static_cast<int64_t>(rowBytes), block))
        return 0;
    BYTE* bits = static_cast<BYTE*>(block.GetHandle());
    for (int y = 0; y < height; ++y, bits += rowBytes) {
        const BYTE* row = source + SpanBytes(y, width);
        for (int x = 0; x < width; ++x)
            if (row[x])
                bits[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    }
    target = block.Detach();
    return 1;
}

int CImgKernels::Convert8To1ViaColor(const BYTE* source, int width, int height, int paletteCount,
                                     const uint32_t* palette, HGLOBAL& target, uint32_t* targetPalette,
                                     int& colorCount)
{
    ClearErrorText();
    HGLOBAL colors = nullptr;
    if (!Convert8To24(source, width, height, paletteCount, palette, colors))
        return 0;
    CGlobalHandle colorBlock;
    colorBlock.Attach(colors);
    return Convert24To1(static_cast<const BYTE*>(colorBlock.GetHandle()), width, height, target, targetPalette,
                        colorCount);
}

}  // namespace ZAV
