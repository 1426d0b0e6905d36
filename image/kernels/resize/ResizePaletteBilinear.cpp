// Bilinear resizing of palette indices: the colours of the four neighbours
// are blended, and the blend goes back to the nearest palette entry.
#include "image/core/ImagePalette.h"
#include "image/kernels/ImgKernels.h"
#include "image/kernels/KernelProgress.h"
#include "image/kernels/SquareTable.h"
#include "image/kernels/shared/PixelBlocks.h"
#include "image/kernels/resize/ResizeBuffers.h"
#include "image/kernels/resize/ResizeChecks.h"

#include <algorithm>
#include <cstring>

namespace ZAV {

namespace {

constexpr int kIndexCount = 256;

struct BlendedColor {
    double channel[3];
};

// The colour at a fractional column of one row of indices.
BlendedColor ColorAcross(const BYTE* row, const uint32_t* palette, int sourceWidth, double px)
{
    const int x0 = static_cast<int>(px);
    const uint32_t left = palette[row[x0]];
    const uint32_t right = palette[row[std::min(x0 + 1, sourceWidth - 1)]];
    const double wl = x0 + 1 - px;
    const double wr = px - x0;
    return BlendedColor{{PaletteRed(left) * wl + PaletteRed(right) * wr,
                         PaletteGreen(left) * wl + PaletteGreen(right) * wr,
                         PaletteBlue(left) * wl + PaletteBlue(right) * wr}};
}

}  // namespace

int CImgKernels::ResizePaletteBilinear(const BYTE* source, int sourceWidth, int sourceHeight, int paletteCount,
                                       const uint32_t* palette, BYTE* target, int targetWidth, int targetHeight)
{
    ClearErrorText();
    if (!palette || paletteCount <= 0)
        return Fail(kTextInvalidParameter);
    if (!CheckResizeArguments(*this, source, sourceWidth, sourceHeight, 1, target, targetWidth, targetHeight))
        return 0;
    // An index beyond the palette reads a zero entry instead of past its end.
    uint32_t entries[kIndexCount] = {};
    const int count = std::min(paletteCount, kIndexCount);
    std::memcpy(entries, palette, sizeof(uint32_t) * count);
    CDoubleBuffer positions(targetWidth);
    if (!FillSourcePositions(*this, positions, sourceWidth, targetWidth))
        return 0;

    const CSquareTable squares;
    const size_t sourceRow = SpanBytes(sourceWidth, 1);
    CKernelProgress progress(*this);
    BYTE* out = target;
    for (int y = 0; y < targetHeight; ++y) {
        const double sy = SourcePosition(y, sourceHeight, targetHeight);
        const int y0 = static_cast<int>(sy);
        const BYTE* upperRow = source + y0 * sourceRow;
        const BYTE* lowerRow = source + std::min(y0 + 1, sourceHeight - 1) * sourceRow;
        for (int x = 0; x < targetWidth; ++x) {
            const BlendedColor upper = ColorAcross(upperRow, entries, sourceWidth, positions[x]);
            const BlendedColor lower = ColorAcross(lowerRow, entries, sourceWidth, positions[x]);
            int rgb[3];
            for (int c = 0; c < 3; ++c)
                rgb[c] = static_cast<int>(upper.channel[c] * (y0 + 1 - sy) + lower.channel[c] * (sy - y0));
            *out++ = static_cast<BYTE>(
                FindNearestPaletteIndex(rgb[0], rgb[1], rgb[2], squares.Centre(), entries, count));
        }
        if (!progress.ReportFraction(sy / sourceHeight))
            return 0;
    }
    return 1;
}

}  // namespace ZAV
