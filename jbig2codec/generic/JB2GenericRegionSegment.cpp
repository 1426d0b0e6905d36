#include "jbig2codec/generic/JB2GenericRegionSegment.h"

#include "jbig2codec/generic/JB2ContextBuffer.h"
#include "jbig2codec/segments/JB2SegmentFields.h"

namespace ZAV {

namespace {

bool IsImmediate(uint32_t type)
{
    return type == cJB2_Segment_Immediate_Generic_Region || type == cJB2_Segment_Immediate_Lossless_Generic_Region;
}

}  // namespace

JB2_Error JB2GenericRegionReadSize(JB2SegmentHeader* segment, uint8_t* flags, uint32_t* width, uint32_t* height,
                     JB2Message* message)
{
    JB2_Error status = JB2GenericGetFlags(segment, flags);
    if (status != cJB2_Error_OK) return JB2Fail(message, status, "Error getting generic region segment flags!");
    status = JB2RegionGetWidth(segment, width);
    if (status != cJB2_Error_OK) return JB2Fail(message, status, "Error getting region width!");
    status = JB2RegionGetHeight(segment, height);
    if (status != cJB2_Error_OK) return JB2Fail(message, status, "Error getting region height!");
    // Sizes come from the file: check them before any buffer is sized by them.
    if (*width == 0 || *height == 0) return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Invalid region size!");
    return JB2GenericCheckSize(*width, *height, message);
}

bool JB2GenericRegionIsCoded(JB2SegmentHeader* segment, JB2Message* message)
{
    if (!segment || !IsImmediate(JB2SegmentType(segment))) {
        JB2MessageWarning(message, "Unsupported generic region segment!");
        return false;
    }
    return true;
}

}  // namespace ZAV
