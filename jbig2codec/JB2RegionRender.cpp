#include "jbig2codec/JB2RegionRender.h"

namespace ZAV {

JB2_Error JB2RenderRegionSegment(JB2SegmentHeader* segment, JB2Memory* memory, uint8_t* page, uint32_t pageWidth,
                                 uint32_t pageHeight, uint32_t combination, JB2Message* message)
{
    if (!segment || !memory || !page)
        return cJB2_Error_Internal;
    (void)pageWidth;
    (void)pageHeight;
    (void)combination;
    if (JB2SegmentTypeIsTextRegion(segment->type)) {
        JB2MessageError(message, "Text region decoding not yet supported!");
        return cJB2_Error_Not_Yet_Supported;
    }
    if (JB2SegmentTypeIsHalftoneRegion(segment->type)) {
        JB2MessageError(message, "Halftone region decoding not yet supported!");
        return cJB2_Error_Not_Yet_Supported;
    }
    if (JB2SegmentTypeIsGenericRegion(segment->type)) {
        JB2MessageError(message, "Generic region decoding not yet supported!");
        return cJB2_Error_Not_Yet_Supported;
    }
    return cJB2_Error_Internal;
}

}  // namespace ZAV
