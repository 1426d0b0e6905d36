#include "image/blend/OverlayDispatch.h"

#include "image/blend/BlendModes.h"

namespace ZAV {

namespace {

constexpr int kDepth1 = 1;
constexpr int kDepth8 = 8;
constexpr int kDepth24 = 24;
// Copying overlay bits replaces the target's bits; or-ing only sets them.
constexpr int kCopyBits = 0;
constexpr int kOrBits = 1;

bool UsesTable(const COverlayBlend& blend)
{
    return blend.mode != kBlendModeNormal && blend.table;
}

}  // namespace

int RunOverlayBlended(CImgKernels& kernels, const COverlayImages& images, int depth, const COverlayBlend& blend,
                      double opacity, int fast)
{
    const COverlayImages& i = images;
    switch (depth) {
    case kDepth1:
        return kernels.CopyBits1(i.base, i.baseWidth, i.baseHeight, i.overlay, i.overlayWidth, i.overlayHeight, i.x,
                                 i.y, kCopyBits);
    case kDepth8:
        if (UsesTable(blend))
            return kernels.OverlayBlendTable8(i.base, i.baseWidth, i.baseHeight, i.overlay, i.overlayWidth,
                                              i.overlayHeight, i.x, i.y, opacity, blend.table);
        return kernels.OverlayOpacity8(i.base, i.baseWidth, i.baseHeight, i.overlay, i.overlayWidth, i.overlayHeight,
                                       i.x, i.y, opacity, fast);
    case kDepth24:
        if (IsColorBlendMode(blend.mode))
            return kernels.OverlayColorMode24(i.base, i.baseWidth, i.baseHeight, i.overlay, i.overlayWidth,
                                              i.overlayHeight, i.x, i.y, opacity, MapColorBlendMode(blend.mode));
        if (UsesTable(blend))
            return kernels.OverlayBlendTable24(i.base, i.baseWidth, i.baseHeight, i.overlay, i.overlayWidth,
                                               i.overlayHeight, i.x, i.y, opacity, blend.table);
        return kernels.OverlayOpacity24(i.base, i.baseWidth, i.baseHeight, i.overlay, i.overlayWidth, i.overlayHeight,
                                        i.x, i.y, opacity, fast);
    default:
        return kOverlayUnsupportedDepth;
    }
}

int RunOverlayWithMask(CImgKernels& kernels, const COverlayImages& images, int depth, const COverlayBlend& blend)
{
    const COverlayImages& i = images;
    switch (depth) {
    case kDepth8:
        return kernels.OverlayMask8(i.base, i.baseWidth, i.baseHeight, i.overlay, i.overlayWidth, i.overlayHeight,
                                    i.mask, i.x, i.y);
    case kDepth24:
        if (IsColorBlendMode(blend.mode))
            return kernels.OverlayMaskColorMode24(i.base, i.baseWidth, i.baseHeight, i.overlay, i.overlayWidth,
                                                  i.overlayHeight, i.mask, i.x, i.y, MapColorBlendMode(blend.mode));
        if (UsesTable(blend))
            return kernels.OverlayMaskBlendTable24(i.base, i.baseWidth, i.baseHeight, i.overlay, i.overlayWidth,
                                                   i.overlayHeight, i.mask, i.x, i.y, blend.table);
        return kernels.OverlayMask24(i.base, i.baseWidth, i.baseHeight, i.overlay, i.overlayWidth, i.overlayHeight,
                                     i.mask, i.x, i.y);
    default:
        return kOverlayUnsupportedDepth;
    }
}

int RunOverlayWithOpacity(CImgKernels& kernels, const COverlayImages& images, int depth, double opacity, int fast,
                          COLORREF transparent)
{
    const COverlayImages& i = images;
    switch (depth) {
    case kDepth8:
        return kernels.OverlayTransparent8(i.base, i.baseWidth, i.baseHeight, i.overlay, i.overlayWidth,
                                           i.overlayHeight, i.x, i.y, opacity, static_cast<BYTE>(transparent & 0xFF),
                                           fast);
    case kDepth24:
        return kernels.OverlayTransparent24(i.base, i.baseWidth, i.baseHeight, i.overlay, i.overlayWidth,
                                            i.overlayHeight, i.x, i.y, opacity, transparent, fast);
    default:
        return kOverlayUnsupportedDepth;
    }
}

int RunOverlayTransparentColor(CImgKernels& kernels, const COverlayImages& images, int depth, COLORREF transparent)
{
    const COverlayImages& i = images;
    switch (depth) {
    case kDepth1:
        return kernels.CopyBits1(i.base, i.baseWidth, i.baseHeight, i.overlay, i.overlayWidth, i.overlayHeight, i.x,
                                 i.y, kOrBits);
    case kDepth24:
        return kernels.CopyNonTransparent24(i.base, i.baseWidth, i.baseHeight, i.overlay, i.overlayWidth,
                                            i.overlayHeight, i.x, i.y, transparent);
    default:
        return kOverlayUnsupportedDepth;
    }
}

}  // namespace ZAV
