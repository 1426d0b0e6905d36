#include "image/dib/DibRows.h"

#include <cstring>
#include <utility>

#include "image/kernels/ImgKernels.h"

namespace ZAV {

namespace {

// The 5-5-5 layout a 16-bit DIB without bit fields has.
constexpr uint32_t kRed555 = 0x7C00;
constexpr uint32_t kGreen555 = 0x03E0;
constexpr uint32_t kBlue555 = 0x001F;
// A 16-bit pixel's masks reach no higher than bit 15.
constexpr uint32_t kPixel16Bits = 0xFFFF;

bool IsValidDibCopy(const BYTE* source, const BYTE* target, int width, int height, int targetStride,
                    int bytesPerPixel)
{
    return source && target && width > 0 && height > 0 &&
           static_cast<int64_t>(targetStride) >= static_cast<int64_t>(width) * bytesPerPixel;
}

// Reverses the channel order of each pixel while copying rows bottom-up.
int ImageToDibRows(const BYTE* source, BYTE* target, int width, int height, int targetStride, int channels,
                   int channelBytes)
{
    const int bytesPerPixel = channels * channelBytes;
    if (!IsValidDibCopy(source, target, width, height, targetStride, bytesPerPixel))
        return zavkeMissingInput;
    const int64_t sourceStride = static_cast<int64_t>(width) * bytesPerPixel;
    for (int y = 0; y < height; ++y) {
        const BYTE* in = source + static_cast<int64_t>(height - 1 - y) * sourceStride;
        BYTE* out = target + static_cast<int64_t>(y) * targetStride;
        for (int x = 0; x < width; ++x, in += bytesPerPixel, out += bytesPerPixel) {
            for (int c = 0; c < channels; ++c)
                std::memcpy(out + c * channelBytes, in + (channels - 1 - c) * channelBytes,
                            static_cast<size_t>(channelBytes));
        }
    }
    return 0;
}

void WritePaletteColour(const uint32_t* palette, unsigned index, BYTE* out)
{
    const uint32_t entry = palette[index];
    out[0] = static_cast<BYTE>((entry >> 16) & 0xFF);
    out[1] = static_cast<BYTE>((entry >> 8) & 0xFF);
    out[2] = static_cast<BYTE>(entry & 0xFF);
}

void IndexedRowToImage(const BYTE* source, BYTE* target, int pixelCount, int bitCount, const uint32_t* palette)
{
    if (!palette)
        return;
    for (int i = 0; i < pixelCount; ++i) {
        unsigned index = 0;
        if (bitCount == 1)
            index = (source[i / 8] >> (7 - (i % 8))) & 1;
        else if (bitCount == 4)
            index = (i % 2 == 0) ? source[i / 2] >> 4 : source[i / 2] & 0x0F;
        else
            index = source[i];
        WritePaletteColour(palette, index, target + static_cast<int64_t>(i) * 3);
    }
}

void Row16ToImage(const BYTE* source, BYTE* target, int pixelCount, const uint32_t* masks)
{
    const uint32_t red = masks ? masks[0] : kRed555;
    const uint32_t green = masks ? masks[1] : kGreen555;
    const uint32_t blue = masks ? masks[2] : kBlue555;
    for (int i = 0; i < pixelCount; ++i) {
        const uint32_t pixel = static_cast<uint32_t>(source[2 * i]) | (static_cast<uint32_t>(source[2 * i + 1]) << 8);
        BYTE* out = target + static_cast<int64_t>(i) * 3;
        out[0] = ExpandMaskedChannel(pixel, red);
        out[1] = ExpandMaskedChannel(pixel, green);
        out[2] = ExpandMaskedChannel(pixel, blue);
    }
}

void Row32ToImage(const BYTE* source, BYTE* target, int pixelCount)
{
    for (int i = 0; i < pixelCount; ++i) {
        const BYTE* in = source + static_cast<int64_t>(i) * 4;
        BYTE* out = target + static_cast<int64_t>(i) * 3;
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
    }
}

}  // namespace

void SwapRedBlue(BYTE* data, int width, int height)
{
    if (!data || width <= 0 || height <= 0)
        return;
    const int64_t pixels = static_cast<int64_t>(width) * height;
    for (int64_t i = 0; i < pixels; ++i)
        std::swap(data[i * 3], data[i * 3 + 2]);
}

void SwapRedBlue48(BYTE* data, int width, int height)
{
    if (!data || width <= 0 || height <= 0)
        return;
    const int64_t pixels = static_cast<int64_t>(width) * height;
    for (int64_t i = 0; i < pixels; ++i) {
        BYTE* pixel = data + i * 6;
        std::swap(pixel[0], pixel[4]);
        std::swap(pixel[1], pixel[5]);
    }
}

int ImageToDib24(const BYTE* source, BYTE* target, int width, int height, int targetStride)
{
    return ImageToDibRows(source, target, width, height, targetStride, 3, 1);
}

int ImageToDib48(const BYTE* source, BYTE* target, int width, int height, int targetStride)
{
    return ImageToDibRows(source, target, width, height, targetStride, 3, 2);
}

void UnpackIndices(const BYTE* source, BYTE* target, int pixelCount, int bitCount)
{
    if (!source || !target)
        return;
    for (int i = 0; i < pixelCount; ++i) {
        if (bitCount == 1)
            target[i] = (source[i / 8] >> (7 - (i % 8))) & 1;
        else if (bitCount == 4)
            target[i] = (i % 2 == 0) ? source[i / 2] >> 4 : source[i / 2] & 0x0F;
        else if (bitCount == 8)
            target[i] = source[i];
        else
            return;
    }
}

BYTE ExpandMaskedChannel(uint32_t pixel, uint32_t mask)
{
    mask &= kPixel16Bits;
    if (mask == 0)
        return 0;
    int low = 0;
    while (!(mask & (1u << low)))
        ++low;
    int high = 15;
    while (!(mask & (1u << high)))
        --high;
    const int width = high - low + 1;
    const uint32_t value = (pixel & mask) >> low;
    if (width >= 8)
        return static_cast<BYTE>(value >> (width - 8));
    // Repeat the value's bits from the top down until all 8 are filled.
    uint32_t widened = 0;
    for (int position = 8 - width; position > -width; position -= width)
        widened |= position >= 0 ? value << position : value >> -position;
    return static_cast<BYTE>(widened);
}

int CImgKernels::SwapRedBlue(BYTE* data, int width, int height)
{
    m_errorCode = 0;
    if (!data)
        return FailCode(zavkeMissingInput);
    ZAV::SwapRedBlue(data, width, height);
    return 1;
}

void CImgKernels::DibRowToImage(const BYTE* source, BYTE* target, int pixelCount, int bitCount,
                                const uint32_t* palette, const uint32_t* masks)
{
    if (!source || !target || pixelCount <= 0)
        return;
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
        IndexedRowToImage(source, target, pixelCount, bitCount, palette);
        break;
    case 16:
        Row16ToImage(source, target, pixelCount, masks);
        break;
    case 24:
        std::memcpy(target, source, static_cast<size_t>(pixelCount) * 3);
        ZAV::SwapRedBlue(target, pixelCount, 1);
        break;
    case 32:
        Row32ToImage(source, target, pixelCount);
        break;
    case 48:
        std::memcpy(target, source, static_cast<size_t>(pixelCount) * 6);
        SwapRedBlue48(target, pixelCount, 1);
        break;
    default:
        break;
    }
}

int CImgKernels::PackIndices(const BYTE* source, int width, int height, BYTE* target, int bitsPerPixel)
{
    m_errorCode = 0;
    if (!source || !target || bitsPerPixel < 1 || bitsPerPixel > 8)
        return FailCode(zavkeMissingInput);
    const uint32_t mask = (1u << bitsPerPixel) - 1;
    const int64_t count = width > 0 && height > 0 ? static_cast<int64_t>(width) * height : 0;
    uint32_t accumulator = 0;
    int bits = 0;
    for (int64_t i = 0; i < count; ++i) {
        accumulator = (accumulator << bitsPerPixel) | (source[i] & mask);
        bits += bitsPerPixel;
        if (bits == 8) {
            *target++ = static_cast<BYTE>(accumulator);
            accumulator = 0;
            bits = 0;
        } else if (bits > 8) {
            *target++ = static_cast<BYTE>(accumulator >> (bits - 8));
            bits -= 8;
            accumulator &= (1u << bits) - 1;
        }
    }
    if (bits > 0)
        *target = static_cast<BYTE>((accumulator & 0xFF) << (8 - bits));
    return 1;
}

int CImgKernels::CopyRows(const BYTE* source, int sourceStride, int rows, int targetStride, BYTE* target)
{
    m_errorCode = 0;
    if (!source || !target)
        return FailCode(zavkeMissingInput);
    const int rowBytes = sourceStride < targetStride ? sourceStride : targetStride;
    if (rowBytes <= 0)
        return 1;
    for (int y = 0; y < rows; ++y)
        std::memcpy(target + static_cast<int64_t>(y) * targetStride, source + static_cast<int64_t>(y) * sourceStride,
                    static_cast<size_t>(rowBytes));
    return 1;
}

}  // namespace ZAV
