#include <cstdint>
#include <cstring>

#include "image/kernels/ImgKernels.h"
#include "image/kernels/overlay/Hsl.h"
#include "image/kernels/overlay/OverlayWalk.h"

namespace ZAV {

namespace {

COverlayImages Images(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth,
                      int overlayHeight, int x, int y)
{
    return COverlayImages{base, baseWidth, baseHeight, overlay, overlayWidth, overlayHeight, x, y};
}

// Opacity 1 copies the overlay row; below it every byte is mixed.
int OverlayOpacity(CImgKernels& kernels, const COverlayImages& images, int bytesPerPixel, double opacity, int fast,
                   EOverlayReports reports)
{
    COpacityTables tables;
    BuildOpacityTables(opacity, tables);
    const bool copy = LimitOpacity(opacity) == 1;
    return WalkOverlay(kernels, images, bytesPerPixel, false, reports, [&](const COverlayRow& row) {
        const int64_t bytes = static_cast<int64_t>(row.count) * bytesPerPixel;
        if (copy)
            std::memcpy(row.base, row.overlay, bytes);
        else
            for (int64_t i = 0; i < bytes; ++i)
                row.base[i] = tables.Mix(row.base[i], row.overlay[i], fast != 0);
    });
}

// The blended value base x 256 + overlay of the table, mixed with the base
// below opacity 1, so that a blend mode keeps its look when it is faded.
int OverlayBlendTable(CImgKernels& kernels, const COverlayImages& images, int bytesPerPixel, double opacity,
                      const BYTE* table)
{
    if (!table)
    {
        kernels.ClearErrorText();
        return kernels.Fail(kTextInvalidParameter);
    }
    COpacityTables tables;
    BuildOpacityTables(opacity, tables);
    const bool full = LimitOpacity(opacity) == 1;
    const EOverlayReports reports = full ? EOverlayReports::kNone : EOverlayReports::kEveryRow;
    return WalkOverlay(kernels, images, bytesPerPixel, false, reports, [&](const COverlayRow& row) {
        const int64_t bytes = static_cast<int64_t>(row.count) * bytesPerPixel;
        for (int64_t i = 0; i < bytes; ++i)
        {
            const BYTE blended = table[row.base[i] * 256 + row.overlay[i]];
            row.base[i] = full ? blended : tables.Mix(row.base[i], blended, false);
        }
    });
}

}  // namespace

int CImgKernels::OverlayOpacity24(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth,
                                  int overlayHeight, int x, int y, double opacity, int fast)
{
    const COverlayImages images = Images(base, baseWidth, baseHeight, overlay, overlayWidth, overlayHeight, x, y);
    return OverlayOpacity(*this, images, 3, opacity, fast, EOverlayReports::kEveryRow);
}

int CImgKernels::OverlayOpacity8(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth,
                                 int overlayHeight, int x, int y, double opacity, int fast)
{
    const COverlayImages images = Images(base, baseWidth, baseHeight, overlay, overlayWidth, overlayHeight, x, y);
    return OverlayOpacity(*this, images, 1, opacity, fast, EOverlayReports::kEveryHundredthRow);
}

int CImgKernels::OverlayBlendTable24(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay,
                                     int overlayWidth, int overlayHeight, int x, int y, double opacity,
                                     const BYTE* table)
{
    const COverlayImages images = Images(base, baseWidth, baseHeight, overlay, overlayWidth, overlayHeight, x, y);
    return OverlayBlendTable(*this, images, 3, opacity, table);
}

int CImgKernels::OverlayBlendTable8(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay,
                                    int overlayWidth, int overlayHeight, int x, int y, double opacity,
                                    const BYTE* table)
{
    const COverlayImages images = Images(base, baseWidth, baseHeight, overlay, overlayWidth, overlayHeight, x, y);
    return OverlayBlendTable(*this, images, 1, opacity, table);
}

int CImgKernels::OverlayColorMode24(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay,
                                    int overlayWidth, int overlayHeight, int x, int y, double opacity, int mode)
{
    COpacityTables tables;
    BuildOpacityTables(opacity, tables);
    const bool full = LimitOpacity(opacity) == 1;
    const EOverlayReports reports = full ? EOverlayReports::kNone : EOverlayReports::kEveryRow;
    const COverlayImages images = Images(base, baseWidth, baseHeight, overlay, overlayWidth, overlayHeight, x, y);
    return WalkOverlay(*this, images, 3, false, reports, [&](const COverlayRow& row) {
        for (int i = 0; i < row.count; ++i)
        {
            BYTE* b = row.base + 3 * i;
            BYTE other[3];
            for (int c = 0; c < 3; ++c)
                other[c] = full ? row.overlay[3 * i + c] : tables.Mix(b[c], row.overlay[3 * i + c], false);
            CombineColorMode(b[0], b[1], b[2], other[0], other[1], other[2], mode, b[0], b[1], b[2]);
        }
    });
}

int CImgKernels::OverlayTransparent24(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay,
                                      int overlayWidth, int overlayHeight, int x, int y, double opacity,
                                      COLORREF transparent, int fast)
{
    COpacityTables tables;
    BuildOpacityTables(opacity, tables);
    const BYTE key[3] = {GetRValue(transparent), GetGValue(transparent), GetBValue(transparent)};
    const COverlayImages images = Images(base, baseWidth, baseHeight, overlay, overlayWidth, overlayHeight, x, y);
    return WalkOverlay(*this, images, 3, false, EOverlayReports::kEveryRow, [&](const COverlayRow& row) {
        for (int i = 0; i < row.count; ++i)
        {
            const BYTE* o = row.overlay + 3 * i;
            if (o[0] == key[0] && o[1] == key[1] && o[2] == key[2])
                continue;
            for (int c = 0; c < 3; ++c)
                row.base[3 * i + c] = tables.Mix(row.base[3 * i + c], o[c], fast != 0);
        }
    });
}

int CImgKernels::OverlayTransparent8(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay,
                                     int overlayWidth, int overlayHeight, int x, int y, double opacity,
                                     BYTE transparent, int fast)
{
    COpacityTables tables;
    BuildOpacityTables(opacity, tables);
    const COverlayImages images = Images(base, baseWidth, baseHeight, overlay, overlayWidth, overlayHeight, x, y);
    return WalkOverlay(*this, images, 1, false, EOverlayReports::kEveryRow, [&](const COverlayRow& row) {
        for (int i = 0; i < row.count; ++i)
            if (row.overlay[i] != transparent)
                row.base[i] = tables.Mix(row.base[i], row.overlay[i], fast != 0);
    });
}

}  // namespace ZAV
