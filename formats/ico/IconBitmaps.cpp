#include "formats/ico/IconBitmaps.h"

#include "formats/codec/PicDecoder.h"
#include "image/core/ImagePalette.h"
#include "image/kernels/ImgKernels.h"
#include "platform/GlobalMem.h"

#include <cstdlib>
#include <cstring>

namespace ZAV {

namespace {

constexpr int kCodeData = 2;
constexpr int kCodeMemory = 10;
constexpr size_t kInfoHeaderBytes = 40;

[[noreturn]] void Invalid()
{
    CPicDecoder::ThrowError(kCodeData, "Decoding Icon: Invalid Icondata.");
}

// A packed DIB in a global block, freed with its holder.
class CDibBlock {
public:
    explicit CDibBlock(size_t size) : m_handle(GlobalAlloc(GPTR, size))
    {
        if (!m_handle)
            CPicDecoder::ThrowError(kCodeMemory, "Out of memory!");
    }
    ~CDibBlock() { GlobalFree(m_handle); }
    CDibBlock(const CDibBlock&) = delete;
    CDibBlock& operator=(const CDibBlock&) = delete;
    HGLOBAL Handle() const { return m_handle; }
    uint8_t* Bytes() const { return static_cast<uint8_t*>(m_handle); }

private:
    HGLOBAL m_handle;
};

void PutLittle(uint8_t* out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out[i] = static_cast<uint8_t>(value >> (8 * i));
}

// The 24-bit rows of a DIB block; null data is refused.
std::vector<uint8_t> ToRgb(const CDibBlock& dib, const IconImage& image)
{
    CImgKernels kernels;
    int width = 0, height = 0;
    HGLOBAL rows = kernels.DibToImage24(dib.Handle(), width, height);
    if (!rows)
        Invalid();
    const size_t size = size_t(image.width) * std::abs(image.height) * 3;
    std::vector<uint8_t> rgb;
    if (width == image.width && height == std::abs(image.height))
        rgb.assign(static_cast<uint8_t*>(rows), static_cast<uint8_t*>(rows) + size);
    GlobalFree(rows);
    if (rgb.empty())
        Invalid();
    return rgb;
}

// The colour bitmap alone: its header with the height of one bitmap.
std::vector<uint8_t> ColourRgb(const IconImage& image)
{
    CDibBlock dib(image.colourBitsOffset + image.colourBitsSize);
    std::memcpy(dib.Bytes(), image.bytes, image.colourBitsOffset + image.colourBitsSize);
    if (image.header.biSize >= kInfoHeaderBytes) {
        PutLittle(dib.Bytes() + 8, static_cast<uint32_t>(image.height), 4);
        PutLittle(dib.Bytes() + 20, 0, 4);  // the image size covered both bitmaps
    } else {
        PutLittle(dib.Bytes() + 6, static_cast<uint32_t>(image.height), 2);
    }
    return ToRgb(dib, image);
}

// The mask bits as a 1-bit DIB whose palette is black, white.
std::vector<uint8_t> MaskRgb(const IconImage& image)
{
    const size_t tableBytes = 8;
    CDibBlock dib(kInfoHeaderBytes + tableBytes + image.maskBitsSize);
    uint8_t* p = dib.Bytes();
    PutLittle(p, kInfoHeaderBytes, 4);
    PutLittle(p + 4, static_cast<uint32_t>(image.width), 4);
    PutLittle(p + 8, static_cast<uint32_t>(image.height), 4);
    PutLittle(p + 12, 1, 2);
    PutLittle(p + 14, 1, 2);
    PutLittle(p + 32, 2, 4);
    PutLittle(p + kInfoHeaderBytes + 4, MakePaletteEntry(255, 255, 255, 0), 4);
    std::memcpy(p + kInfoHeaderBytes + tableBytes, image.bytes + image.maskBitsOffset, image.maskBitsSize);
    return ToRgb(dib, image);
}

}  // namespace

std::vector<uint8_t> DecodeIconPixels(const IconImage& image)
{
    CheckIconImageBounds(image);
    const std::vector<uint8_t> mask = MaskRgb(image);
    const std::vector<uint8_t> colour = ColourRgb(image);
    std::vector<uint8_t> pixels(mask.size(), 255);
    CImgKernels kernels;
    const int rows = std::abs(image.height);
    kernels.CombineMask24(pixels.data(), mask.data(), image.width, rows, 0);
    kernels.CombineMask24(pixels.data(), colour.data(), image.width, rows, 1);
    return pixels;
}

}  // namespace ZAV
