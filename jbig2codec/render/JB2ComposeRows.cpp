#include "jbig2codec/render/JB2ComposeRows.h"

#include <algorithm>

#include "jbig2codec/render/JB2BitmapOps.h"

namespace ZAV {

JB2_Error JB2ComposeRegionRows(uint8_t* page, uint32_t pageWidth, uint32_t pageHeight, uint32_t x, uint32_t y,
                              uint32_t width, uint32_t height, uint8_t combination, uint8_t* line,
                              JB2RegionRowSource source, void* user)
{
    if (!page || !line || !source) return cJB2_Error_Internal;
    // Ends in 64 bits: a position near 2^32 must not wrap back onto the page.
    const uint64_t right = std::min<uint64_t>(uint64_t(x) + width, pageWidth);
    const uint64_t bottom = std::min<uint64_t>(uint64_t(y) + height, pageHeight);
    if (x >= right) return cJB2_Error_OK;
    const uint32_t visible = uint32_t(right - x);
    const uint64_t stride = (uint64_t(pageWidth) + 7) / 8;
    for (uint64_t r = y; r < bottom; ++r) {
        JB2_Error status = source(user, uint32_t(r - y), line);
        if (status != cJB2_Error_OK) return status;
        JB2RowCombine(page + r * stride, line, visible, x, combination);
    }
    return cJB2_Error_OK;
}

}  // namespace ZAV
