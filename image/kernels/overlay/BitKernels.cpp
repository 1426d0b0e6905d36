#include <cstdint>

#include "image/kernels/ImgKernels.h"
#include "image/kernels/overlay/OverlayMix.h"

namespace ZAV {

namespace {

int64_t RowBytes1(int width)
{
    return (static_cast<int64_t>(width) + 7) / 8;
}

BYTE BitOf(int64_t column)
{
    return static_cast<BYTE>(0x80 >> (column % 8));
}

}  // namespace

int CImgKernels::CopyBits1(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth,
                           int overlayHeight, int x, int y, int orFlag)
{
    ClearErrorText();
    if (!base || !overlay || overlay == base)
        return Fail(kTextInvalidParameter);
    COverlap overlap;
    ClipOverlay(overlap, baseWidth, baseHeight, overlayWidth, overlayHeight, x, y);
    const int64_t baseRowBytes = RowBytes1(baseWidth);
    const int64_t overlayRowBytes = RowBytes1(overlayWidth);
    for (int row = overlap.y0; row < overlap.y1; ++row)
    {
        BYTE* baseRow = base + row * baseRowBytes;
        const BYTE* overlayRow = overlay + (static_cast<int64_t>(row) - y) * overlayRowBytes;
        for (int column = overlap.x0; column < overlap.x1; ++column)
        {
            const int64_t source = static_cast<int64_t>(column) - x;
            const bool set = (overlayRow[source / 8] & BitOf(source)) != 0;
            BYTE& target = baseRow[column / 8];
            if (set)
                target |= BitOf(column);
            else if (!orFlag)
                target &= static_cast<BYTE>(~BitOf(column));
        }
    }
    return 1;
}

int CImgKernels::CombineMask24(BYTE* first, const BYTE* second, int width, int height, int mode)
{
    ClearErrorText();
    if (!first || !second)
        return Fail(kTextInvalidParameter);
    if (height < 1 || width < 1)
        return 1;
    const int64_t bytes = static_cast<int64_t>(width) * 3 * height;
    if (mode == 0)
        for (int64_t i = 0; i < bytes; ++i)
            first[i] &= second[i];
    else if (mode == 1)
        for (int64_t i = 0; i < bytes; ++i)
            first[i] ^= second[i];
    return 1;
}

}  // namespace ZAV
