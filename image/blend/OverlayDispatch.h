// The overlay kernel each overlay operation of the image object runs, chosen
// by the depth of the target and the overlay blend mode. The overlay has the
// target's depth; the images' base is the buffer the kernel changes.
#pragma once

#include "image/kernels/ImgKernels.h"
#include "image/kernels/overlay/OverlayWalk.h"
#include "platform/WinTypes.h"

namespace ZAV {

// What the dispatchers return when no kernel serves the target's depth.
constexpr int kOverlayUnsupportedDepth = -1;

// The blend mode and the table of its function (null for the modes that
// have none).
struct COverlayBlend {
    int mode = 0;
    const BYTE* table = nullptr;
};

// 1 bit: the overlay's bits replace the target's (no opacity). 8 bits: the
// table blend, else the opacity blend. 24 bits: the colour modes, then the
// table blend, else the opacity blend. Opacity in 0..1.
int RunOverlayBlended(CImgKernels& kernels, const COverlayImages& images, int depth, const COverlayBlend& blend,
                      double opacity, int fast);

// 8 bits: the mask blend. 24 bits: the colour modes, then the table blend,
// else the mask blend.
int RunOverlayWithMask(CImgKernels& kernels, const COverlayImages& images, int depth, const COverlayBlend& blend);

// 8 and 24 bits: the opacity blend skipping overlay pixels equal to the
// transparent value (a gray in the low byte for 8 bits).
int RunOverlayWithOpacity(CImgKernels& kernels, const COverlayImages& images, int depth, double opacity, int fast,
                          COLORREF transparent);

// 1 bit: only set overlay bits reach the target. 24 bits: every overlay
// pixel but the transparent colour is copied.
int RunOverlayTransparentColor(CImgKernels& kernels, const COverlayImages& images, int depth, COLORREF transparent);

}  // namespace ZAV
