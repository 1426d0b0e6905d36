// How alike two shapes are: the weighted measure between components (the
// differing pixels weighted by how clustered they are) and the plain count
// of differing pixels against a symbol.
#pragma once

#include <cstdint>

#include "jbig2codec/match/JB2Components.h"

namespace ZAV {

// One reference component with its thresholds and room for two rows of
// differences (rows of 64-bit words as the component's words, Components.h,
// with a zero word on each side) for components wider than one word.
struct JB2ComponentMatch {
    JB2Component* component;
    uint32_t width;
    uint32_t height;
    uint32_t pixels;
    uint32_t t1;     // differing pixels allowed: 20 % of the pixels, 40 % from 75 pixels on
    uint32_t t2;     // weighted sum allowed: the pixel count, at least 40
    uint64_t* rows;  // 2 rows of the component's word stride + 2 words
};

JB2_Error JB2ComponentMatchCreate(JB2ComponentMatch** out, JB2Memory* memory, JB2Component* component,
                                  JB2Message* message);
// The weighted measure against a component of the same height and the
// same width or one more; -1 when they do not match.
JB2_Error JB2ComponentMatchWeighted(JB2ComponentMatch* match, JB2Component* other, JB2Memory* memory, int32_t* measure);
JB2_Error JB2ComponentMatchFree(JB2ComponentMatch** match, JB2Memory* memory);

// Differing pixels of a component and a bitmap of its size holding
// `bitmapPixels` black pixels; -1 when the sizes differ or more than `bound` differ.
int32_t JB2ComponentPlainMeasure(const JB2Component* component, const JB2BitmapView* bitmap, uint32_t bitmapPixels,
                                 uint32_t bound);
// Black pixels of a bitmap.
uint32_t JB2BitmapPixelCount(const JB2BitmapView* bitmap);

}  // namespace ZAV
