// Taking shapes off the collected page: what the symbols reproduce is
// XORed away, so that the page keeps only what the generic region must code.
#include <algorithm>

#include "jbig2codec/compress/JB2StripeEncoder.h"

namespace ZAV {

namespace {

// XORs `width` pixels of a packed source row into the destination row from
// pixel x on; the destination is at least x + width pixels wide.
void XorRow(uint8_t* destination, const uint8_t* source, uint32_t width, uint32_t x)
{
    const uint32_t bytes = (width + 7) / 8;
    const uint32_t shift = x % 8;
    uint8_t* out = destination + x / 8;
    for (uint32_t i = 0; i < bytes; ++i) {
        uint8_t b = source[i];
        if (i + 1 == bytes && width % 8)
            b &= uint8_t(0xFF00u >> (width % 8));
        out[i] ^= uint8_t(b >> shift);
        // Only set bits spill into the next byte, and they lie inside the width.
        const uint8_t spill = shift ? uint8_t(b << (8 - shift)) : 0;
        if (spill)
            out[i + 1] ^= spill;
    }
}

}  // namespace

JB2_Error JB2StripeEncoderRemoveComponent(JB2StripeEncoder* e, const JB2Component* c)
{
    if (!e || !c || !c->bitmap || c->width == 0 || c->height == 0 || uint64_t(c->left) + c->width > e->width ||
        uint64_t(c->top) + c->height > e->height)
        return cJB2_Error_Internal;
    for (uint32_t y = 0; y < c->height; ++y)
        XorRow(e->bitmap + uint64_t(c->top + y) * e->stride, JB2ComponentRow(c, y), c->width, c->left);
    return cJB2_Error_OK;
}

JB2_Error JB2StripeEncoderRemoveBitmap(JB2StripeEncoder* e, const JB2BitmapView* bitmap, int64_t x, int64_t y)
{
    if (!e || !bitmap || !bitmap->rows)
        return cJB2_Error_Internal;
    if (x < 0 || x >= int64_t(e->width))
        return x < 0 ? cJB2_Error_Internal : cJB2_Error_OK;
    const uint32_t width = uint32_t(std::min<int64_t>(bitmap->width, int64_t(e->width) - x));
    for (uint32_t row = 0; row < bitmap->height; ++row) {
        const int64_t py = y + row;
        if (py < 0 || py >= int64_t(e->height))
            continue;
        XorRow(e->bitmap + uint64_t(py) * e->stride, bitmap->rows + uint64_t(row) * bitmap->stride, width, uint32_t(x));
    }
    return cJB2_Error_OK;
}

}  // namespace ZAV
