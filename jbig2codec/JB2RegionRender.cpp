#include "jbig2codec/JB2RegionRender.h"

#include "jbig2codec/JB2RenderGenericRegion.h"

namespace ZAV {

JB2_Error JB2RenderRegionSegment(JB2SegmentHeader* segment, JB2Memory* memory, uint8_t* page, uint32_t pageWidth,
                                 uint32_t pageHeight, uint32_t combination, JB2Message* message)
{
    if (!segment || !memory || !page)
        return cJB2_Error_Internal;
    if (JB2SegmentTypeIsTextRegion(segment->type)) {
        JB2MessageError(message, "Text region decoding not yet supported!");
        return cJB2_Error_Not_Yet_Supported;
    }
    if (JB2SegmentTypeIsHalftoneRegion(segment->type)) {
        JB2MessageError(message, "Halftone region decoding not yet supported!");
        return cJB2_Error_Not_Yet_Supported;
    }
    if (JB2SegmentTypeIsGenericRegion(segment->type)) {
        JB2RenderGenericRegion* render = nullptr;
        JB2_Error status = JB2RenderGenericRegionCreate(&render, memory, segment,
                                                        static_cast<uint8_t>(combination > 127 ? 128 : combination),
                                                        message);
        if (status != cJB2_Error_OK)
            return status;
        status = JB2RenderGenericRegionRender(render, page, pageWidth, pageHeight);
        const JB2_Error ended = JB2RenderGenericRegionEnd(&render, memory);
        return status != cJB2_Error_OK ? status : ended;
    }
    return cJB2_Error_Internal;
}

}  // namespace ZAV
