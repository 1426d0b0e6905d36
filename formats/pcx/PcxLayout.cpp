#include "formats/pcx/PcxLayout.h"

#include "formats/codec/PicDecoder.h"

namespace ZAV {

namespace {

constexpr int kCodeLayout = 2;
constexpr int kMaxBitPlanes = 4;

PcxLayout DepthAndPalette(const PcxHeader& h)
{
    PcxLayout layout;
    const int bits = h.bitsPerPixel;
    const int planes = h.planes;
    if (bits == 1 && planes == 1)
        layout = {0, 0, 1, PcxPaletteSource::kBlackWhite};
    else if (bits == 1 && planes >= 2 && planes <= kMaxBitPlanes)
        layout = {0, 0, 8, PcxPaletteSource::kHeader16};
    else if ((bits == 2 || bits == 4) && (planes == 1 || planes == 3))
        layout = {0, 0, 8, PcxPaletteSource::kHeader16};
    else if (bits == 8 && planes == 1)
        layout = {0, 0, 8, PcxPaletteSource::kTrailing256};
    else if (bits == 8 && planes == 3)
        layout = {0, 0, 24, PcxPaletteSource::kNone};
    else if (bits == 1 && planes > kMaxBitPlanes)
        CPicDecoder::ThrowError(kCodeLayout, "Can't handle image with more than 4 planes.");
    else
        CPicDecoder::ThrowError(kCodeLayout, "Can't handle bits per pixel image with planes.");
    return layout;
}

}  // namespace

PcxLayout ChoosePcxLayout(const PcxHeader& h)
{
    PcxLayout layout = DepthAndPalette(h);
    // A maximum below its minimum would make a size of zero or less, which
    // no buffer size computed from it survives.
    if (h.xMax < h.xMin || h.yMax < h.yMin)
        CPicDecoder::ThrowError(kCodeLayout, "Error decoding pcx: Invalid image size.");
    layout.width = h.Width();
    layout.height = h.Height();
    // Each plane's row must hold the image width at its depth, or the row
    // converters would read past the row into the next and past the buffer.
    const int64_t rowBits = int64_t(layout.width) * h.bitsPerPixel;
    if (int64_t(h.bytesPerLine) * 8 < rowBits)
        CPicDecoder::ThrowError(kCodeLayout, "Error decoding pcx: Bytes per line too small for the image width.");
    return layout;
}

}  // namespace ZAV
