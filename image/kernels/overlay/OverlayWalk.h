// The walk every overlay kernel shares: check the buffers, clip the overlay
// to the base, hand each overlap row to the kernel's combination and report
// progress between rows.
#pragma once

#include <cstdint>

#include "image/kernels/ImgKernels.h"
#include "image/kernels/KernelProgress.h"
#include "image/kernels/overlay/OverlayMix.h"

namespace ZAV {

// The base, the overlay laid on it at (x, y), and the optional 8-bit mask of
// one byte per overlay pixel.
struct COverlayImages {
    BYTE* base;
    int baseWidth;
    int baseHeight;
    const BYTE* overlay;
    int overlayWidth;
    int overlayHeight;
    int x;
    int y;
    const BYTE* mask = nullptr;
};

// Which overlap rows are followed by a progress report.
enum class EOverlayReports {
    kEveryRow,
    kEveryHundredthRow,
    kNone,
};

// One overlap row: count pixels of the base, the overlay and the mask, each
// pointer at the first pixel of the overlap.
struct COverlayRow {
    BYTE* base;
    const BYTE* overlay;
    const BYTE* mask;
    int count;
};

// Runs combine(row) over the overlap rows; 1 on success, 0 with the error
// text set on a refused buffer or a cancel.
template <class Combine>
int WalkOverlay(CImgKernels& kernels, const COverlayImages& images, int bytesPerPixel, bool needsMask,
                EOverlayReports reports, Combine combine)
{
    kernels.ClearErrorText();
    if (!images.base || !images.overlay || images.overlay == images.base || (needsMask && !images.mask))
        return kernels.Fail(kTextInvalidParameter);
    COverlap overlap;
    ClipOverlay(overlap, images.baseWidth, images.baseHeight, images.overlayWidth, images.overlayHeight, images.x,
                images.y);
    CKernelProgress progress(kernels);
    if (overlap.IsEmpty())
        return 1;
    const int64_t firstColumn = static_cast<int64_t>(overlap.x0) - images.x;
    for (int row = overlap.y0; row < overlap.y1; ++row)
    {
        const int64_t overlayPixel = (static_cast<int64_t>(row) - images.y) * images.overlayWidth + firstColumn;
        COverlayRow span;
        span.base = images.base + (static_cast<int64_t>(row) * images.baseWidth + overlap.x0) * bytesPerPixel;
        span.overlay = images.overlay + overlayPixel * bytesPerPixel;
        span.mask = images.mask ? images.mask + overlayPixel : nullptr;
        span.count = overlap.x1 - overlap.x0;
        combine(span);
        const int done = row - overlap.y0;
        const bool report = reports == EOverlayReports::kEveryRow ||
                            (reports == EOverlayReports::kEveryHundredthRow && done % 100 == 0);
        if (report && !progress.Report(done, overlap.y1 - overlap.y0))
            return 0;
    }
    return 1;
}

}  // namespace ZAV
