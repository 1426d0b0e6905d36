#include "image/kernels/ImgKernels.h"
#include "image/kernels/overlay/Hsl.h"
#include "image/kernels/overlay/OverlayWalk.h"

namespace ZAV {

namespace {

COverlayImages MaskedImages(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth,
                            int overlayHeight, const BYTE* mask, int x, int y)
{
    return COverlayImages{base, baseWidth, baseHeight, overlay, overlayWidth, overlayHeight, x, y, mask};
}

int OverlayMask(CImgKernels& kernels, const COverlayImages& images, int bytesPerPixel)
{
    return WalkOverlay(kernels, images, bytesPerPixel, true, EOverlayReports::kEveryRow, [&](const COverlayRow& row) {
        for (int i = 0; i < row.count; ++i)
            for (int c = 0; c < bytesPerPixel; ++c)
            {
                BYTE& value = row.base[bytesPerPixel * i + c];
                value = MaskMix(value, row.overlay[bytesPerPixel * i + c], row.mask[i]);
            }
    });
}

}  // namespace

int CImgKernels::OverlayMask24(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth,
                               int overlayHeight, const BYTE* mask, int x, int y)
{
    return OverlayMask(*this, MaskedImages(base, baseWidth, baseHeight, overlay, overlayWidth, overlayHeight, mask, x, y),
                       3);
}

int CImgKernels::OverlayMask8(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth,
                              int overlayHeight, const BYTE* mask, int x, int y)
{
    return OverlayMask(*this, MaskedImages(base, baseWidth, baseHeight, overlay, overlayWidth, overlayHeight, mask, x, y),
                       1);
}

int CImgKernels::OverlayMaskBlendTable24(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay,
                                         int overlayWidth, int overlayHeight, const BYTE* mask, int x, int y,
                                         const BYTE* table)
{
    if (!table)
    {
        ClearErrorText();
        return Fail(kTextInvalidParameter);
    }
    const COverlayImages images =
        MaskedImages(base, baseWidth, baseHeight, overlay, overlayWidth, overlayHeight, mask, x, y);
    return WalkOverlay(*this, images, 3, true, EOverlayReports::kEveryRow, [&](const COverlayRow& row) {
        for (int i = 0; i < 3 * row.count; ++i)
        {
            const BYTE blended = table[row.base[i] * 256 + row.overlay[i]];
            row.base[i] = MaskMix(row.base[i], blended, row.mask[i / 3]);
        }
    });
}

int CImgKernels::OverlayMaskColorMode24(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay,
                                        int overlayWidth, int overlayHeight, const BYTE* mask, int x, int y, int mode)
{
    const COverlayImages images =
        MaskedImages(base, baseWidth, baseHeight, overlay, overlayWidth, overlayHeight, mask, x, y);
    return WalkOverlay(*this, images, 3, true, EOverlayReports::kEveryRow, [&](const COverlayRow& row) {
        for (int i = 0; i < row.count; ++i)
        {
            BYTE* b = row.base + 3 * i;
            BYTE mixed[3];
            for (int c = 0; c < 3; ++c)
                mixed[c] = MaskMix(b[c], row.overlay[3 * i + c], row.mask[i]);
            CombineColorMode(b[0], b[1], b[2], mixed[0], mixed[1], mixed[2], mode, b[0], b[1], b[2]);
        }
    });
}

int CImgKernels::CopyNonTransparent24(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay,
                                      int overlayWidth, int overlayHeight, int x, int y, COLORREF transparent)
{
    const BYTE key[3] = {GetRValue(transparent), GetGValue(transparent), GetBValue(transparent)};
    const COverlayImages images{base, baseWidth, baseHeight, overlay, overlayWidth, overlayHeight, x, y};
    return WalkOverlay(*this, images, 3, false, EOverlayReports::kEveryRow, [&](const COverlayRow& row) {
        for (int i = 0; i < row.count; ++i)
        {
            const BYTE* o = row.overlay + 3 * i;
            if (o[0] != key[0] || o[1] != key[1] || o[2] != key[2])
                for (int c = 0; c < 3; ++c)
                    row.base[3 * i + c] = o[c];
        }
    });
}

}  // namespace ZAV
