#include "jbig2codec/render/JB2RegionDispatch.h"

#include "jbig2codec/support/JB2Limits.h"
#include "jbig2codec/render/JB2DrawDecodedRegion.h"
#include "jbig2codec/render/JB2DrawGenericRegion.h"
#include "jbig2codec/segments/JB2SegmentFields.h"

namespace ZAV {

JB2_Error JB2RenderRegion(JB2SegmentHeader* segment, JB2Memory* memory, uint8_t* page, uint32_t pageWidth,
                                 uint32_t pageHeight, uint32_t combination, JB2Message* message)
{
    if (!segment || !memory || !page)
        return cJB2_Error_Internal;
    if (JB2SegmentTypeIsRegion(segment->type)) {
        uint32_t x = 0;
        uint32_t y = 0;
        uint32_t width = 0;
        uint32_t height = 0;
        JB2_Error status = JB2RegionGetX(segment, &x);
        if (status == cJB2_Error_OK)
            status = JB2RegionGetY(segment, &y);
        if (status == cJB2_Error_OK)
            status = JB2RegionGetWidth(segment, &width);
        if (status == cJB2_Error_OK)
            status = JB2RegionGetHeight(segment, &height);
        if (status != cJB2_Error_OK) return JB2Fail(message, status, "Error getting region segment information!");
        // Nothing of a region off the page reaches it.
        if (x >= pageWidth || y >= pageHeight)
            return cJB2_Error_OK;
        const uint64_t rows = height < pageHeight - y ? height : pageHeight - y;
        const uint64_t pagePixels = static_cast<uint64_t>(pageWidth) * pageHeight;
        const uint64_t budget = pagePixels * kJB2RegionWorkPerPage > kJB2MinRegionWork
                                    ? pagePixels * kJB2RegionWorkPerPage
                                    : kJB2MinRegionWork;
        if (static_cast<uint64_t>(width) * rows > budget) {
            return JB2Fail(message, cJB2_Error_Invalid_Segment_Data,
                           "Region of %lld x %lld pixels is too large for its page!", static_cast<long long>(width),
                           static_cast<long long>(height));
        }
        const uint8_t operation = static_cast<uint8_t>(combination > 127 ? kJB2CombinationFromRegion : combination);
        if (JB2SegmentTypeIsTextRegion(segment->type))
            return JB2DrawTextRegion(segment, memory, operation, page, pageWidth, pageHeight, message);
        if (JB2SegmentTypeIsHalftoneRegion(segment->type))
            return JB2DrawHalftoneRegion(segment, memory, operation, page, pageWidth, pageHeight, message);
        return JB2DrawGenericRegion(segment, memory, operation, page, pageWidth, pageHeight, message);
    }
    return cJB2_Error_Internal;
}

}  // namespace ZAV
