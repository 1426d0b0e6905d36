// The stripe encoder: collects a whole bi-level page row by row and, once
// full, codes it into the segments of a one-page file object. The page is
// always one stripe; nothing is coded before the last row.
#pragma once

#include <cstdint>

#include "jbig2codec/document/JB2File.h"
#include "jbig2codec/match/JB2Components.h"

namespace ZAV {

struct JB2StripeEncoder {
    uint32_t width;
    uint32_t height;
    uint32_t rows;      // rows collected so far
    uint8_t* bitmap;    // height rows of stride bytes, 1 = black
    uint32_t stride;    // (width + 7) / 8
    uint8_t pageCoded;  // 1 once nothing of the page is left to code
    uint8_t lossless;
    uint32_t quality;  // symbol matching quality, 0 to 10
};

// -500 for a width or height of 0, a lossless flag other than 0 or 1 or a
// quality above 10; -5 when the object or its bitmap cannot be allocated.
JB2_Error JB2StripeEncoderCreate(JB2StripeEncoder** out, JB2Memory* memory, uint32_t width, uint32_t height,
                                 uint32_t lossless, uint32_t quality, JB2Message* message);
JB2_Error JB2StripeEncoderRelease(JB2StripeEncoder** holder, JB2Memory* memory);

// Copies stride bytes into the next row; -500 when the page is full or the line null.
JB2_Error JB2StripeEncoderAddLine(JB2StripeEncoder* encoder, const uint8_t* line);
const uint8_t* JB2StripeEncoderRow(const JB2StripeEncoder* encoder, uint32_t index);  // null out of range
bool JB2StripeEncoderIsFull(const JB2StripeEncoder* encoder);
// 0 when every row is there, else -500.
JB2_Error JB2StripeEncoderComplete(const JB2StripeEncoder* encoder);
uint8_t JB2StripeEncoderPageCoded(const JB2StripeEncoder* encoder);
JB2_Error JB2StripeEncoderSetPageCoded(JB2StripeEncoder* encoder, uint32_t coded);  // 0 or 1, else -500

// Codes the whole page as one immediate generic region (T.88 7.4.6) that is
// XORed onto the page at (0, 0): MMR (coder 10) or arithmetic (20) with the
// template's nominal AT pixels. Sets the page-coded flag.
JB2_Error JB2StripeEncoderGenericPath(JB2StripeEncoder* encoder, JB2Memory* memory, JB2File* file, uint32_t coder,
                                      uint32_t gbTemplate, JB2Message* message);

// XORs the component's bitmap into the page at its position, which takes
// it off the page (or puts it back); -500 when it reaches past the page.
JB2_Error JB2StripeEncoderRemoveComponent(JB2StripeEncoder* encoder, const JB2Component* component);
// XORs a bitmap into the page at (x, y), clipped at the right and the
// bottom and above the page; shapes never start left of it (-500).
JB2_Error JB2StripeEncoderRemoveBitmap(JB2StripeEncoder* encoder, const JB2BitmapView* bitmap, int64_t x, int64_t y);

}  // namespace ZAV
