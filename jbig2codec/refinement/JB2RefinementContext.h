// The context of a pixel of generic refinement coding (T.88 6.3.5.3,
// Figures 12 and 13): a neighbourhood of the reference bitmap around the
// pixel and the target pixels coded before it. Shared by the decoder and
// the encoder so that both form every context alike.
#pragma once

#include <cstdint>

#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"
#include "jbig2codec/support/JB2Status.h"

namespace ZAV {

// The reference as the coders read it: packed rows, not copied, so it must
// outlive the coder.
struct JB2RefinementReference {
    const uint8_t* data;
    uint32_t width;
    uint32_t height;
    uint32_t stride;  // bytes per row, at least (width + 7) / 8
    int32_t dx;       // GRREFERENCEDX: reference pixel (c, r) lies at (c + dx, r + dy)
    int32_t dy;
};

// The target being coded, its template and AT pixels.
struct JB2RefinementTemplate {
    uint32_t width;
    uint32_t height;
    uint32_t stride;  // (width + 7) / 8
    uint8_t* target;  // the rows coded so far, zero below them
    JB2RefinementReference reference;
    uint8_t grTemplate;
    uint8_t nominal;
    int8_t atX[2];  // [0] the target AT pixel, [1] the reference AT pixel (template 0)
    int8_t atY[2];
};

// The rows around target row y: null where a row lies outside its bitmap,
// so that every pixel there reads 0.
struct JB2RefinementRows {
    const uint8_t* target[2];     // target rows y - 1 and y
    const uint8_t* reference[3];  // reference rows under target rows y - 1, y, y + 1
};

// Fills the template for a target of the size and allocates its rows. With
// nominal set the AT arrays may be null. Template above 1, an empty size or a
// reference without data give -500; a size beyond the region ceilings -22;
// an allocation failure -5 with allocationText.
JB2_Error JB2RefinementTemplateStart(JB2RefinementTemplate* t, JB2Memory* memory, uint32_t width, uint32_t height,
                                     uint8_t grTemplate, uint8_t nominal, const int8_t* atX, const int8_t* atY,
                                     const JB2RefinementReference* reference, const char* allocationText,
                                     JB2Message* message);
void JB2RefinementTemplateEnd(JB2RefinementTemplate* t, JB2Memory* memory);

void JB2RefinementRowsAt(const JB2RefinementTemplate* t, uint32_t y, JB2RefinementRows* rows);
// The context number of pixel (x, y), without the base of the refinement contexts.
uint32_t JB2RefinementContextAt(const JB2RefinementTemplate* t, const JB2RefinementRows& rows, int64_t x, int64_t y);

}  // namespace ZAV
