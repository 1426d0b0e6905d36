// An image made from a packed DIB: indexed DIBs keep their indices (1 bit
// stays 1 bit, 4 and 8 bits become 8), 48 bits stays 48, every other depth
// becomes 24 bits. The DIB is checked against its block before it is read.
#include "foundation/text/TextException.h"
#include "image/dib/DibHeader.h"
#include "image/kernels/ImgKernels.h"
#include "image/object/ZAVImg.h"

#include <cmath>

namespace ZAV {

namespace {

constexpr char kCreatePrefix[] = "Error creating Image from DIB! ";
constexpr double kMetresPerInch = 0.0254;

// The image depth a DIB depth becomes, or 0 for one the image cannot take.
int ImageDepthOfDib(int dibBits)
{
    switch (dibBits) {
    case 1:
        return 1;
    case 4:
    case 8:
        return 8;
    case 48:
        return 48;
    case 0:
    case 16:
    case 24:
    case 32:
        return 24;
    default:
        return 0;
    }
}

int DpiOfPelsPerMeter(int32_t pelsPerMeter)
{
    return static_cast<int>(std::lround(pelsPerMeter * kMetresPerInch));
}

}  // namespace

void CZAVImg::AdoptCreatedPixels(HGLOBAL pixels, int width, int height, int bitsPerPixel)
{
    CGlobalMemBlock block;
    block.Attach(pixels);
    Clear();
    Attach(block, CalcImageSize(width, height, bitsPerPixel), width, height, bitsPerPixel);
}

void CZAVImg::CreateFromDib(HGLOBAL dib)
{
    BITMAPINFOHEADER header{};
    const void* bytes = dib ? GlobalLock(dib) : nullptr;
    const bool readable = bytes && ReadDibHeader(bytes, GlobalSize(dib), header);
    if (bytes)
        GlobalUnlock(dib);
    if (!readable)
        ThrowTextException("Error Bad parameter DIB!");
    const int depth = ImageDepthOfDib(header.biBitCount);
    if (!depth)
        ThrowTextException("Error creating Image from DIB! Invalid bitdepth.");

    CImgKernels kernels;
    int width = 0;
    int height = 0;
    int colourCount = 0;
    uint32_t palette[256] = {};
    HGLOBAL pixels = (depth == 1 || depth == 8) ? kernels.DibToImage8(dib, depth, width, height, colourCount, palette)
                                                : kernels.DibToImage24(dib, width, height);
    if (!pixels)
        ThrowTextException((String(kCreatePrefix) + kernels.GetErrorText()).GetText());
    AdoptCreatedPixels(pixels, width, height, depth);
    if (depth == 1 || depth == 8) {
        GetPalette().Create(depth);
        GetPalette().SetEntries(palette, colourCount < GetPalette().GetCount() ? colourCount : GetPalette().GetCount());
    }
    SetXResolution(DpiOfPelsPerMeter(header.biXPelsPerMeter));
    SetYResolution(DpiOfPelsPerMeter(header.biYPelsPerMeter));
}

}  // namespace ZAV
