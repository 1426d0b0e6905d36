#include "jbig2codec/render/JB2RegionDispatch.h"

#include "jbig2codec/render/JB2ComposeRows.h"
#include "jbig2codec/render/JB2DrawDecodedRegion.h"
#include "jbig2codec/render/JB2DrawGenericRegion.h"
#include "jbig2codec/segments/JB2SegmentFields.h"
#include "jbig2codec/support/JB2Limits.h"

namespace ZAV {

namespace {

bool IsImmediateGenericRegion(uint32_t type)
{
    return type == cJB2_Segment_Immediate_Generic_Region || type == cJB2_Segment_Immediate_Lossless_Generic_Region;
}

bool IsImmediateTextRegion(uint32_t type)
{
    return type == cJB2_Segment_Immediate_Text_Region || type == cJB2_Segment_Immediate_Lossless_Text_Region;
}

bool IsImmediateHalftoneRegion(uint32_t type)
{
    return type == cJB2_Segment_Immediate_Halftone_Region || type == cJB2_Segment_Immediate_Lossless_Halftone_Region;
}

// Refinement regions join here when their decoder arrives. Intermediate
// regions are never drawn onto the page (T.88 7.4.1 and 8.2): they only
// feed a refinement region.
const JB2RegionRenderer kRenderers[] = {
    {IsImmediateGenericRegion, JB2DrawGenericRegion},
    {IsImmediateTextRegion, JB2DrawTextRegion},
    {IsImmediateHalftoneRegion, JB2DrawHalftoneRegion},
};

const char* RegionKind(uint32_t type)
{
    if (JB2SegmentTypeIsTextRegion(type))
        return "Text region";
    if (JB2SegmentTypeIsHalftoneRegion(type))
        return "Halftone region";
    if (JB2SegmentTypeIsRefinementRegion(type))
        return "Refinement region";
    return "Generic region";
}

// Two pieces of one warning: the kind of region, then which segment is skipped.
void WarnSkipped(const JB2SegmentHeader* segment, JB2Message* message)
{
    JB2MessageSend(message, cJB2_Message_Warning, "%s decoding not yet supported!", RegionKind(segment->type));
    JB2MessageSend(message, cJB2_Message_Warning, "Skipping region segment %lld (%s)!",
                   static_cast<long long>(segment->number), JB2SegmentTypeName(segment->type));
    JB2MessageEnd(message, cJB2_Message_Warning);
}

// A region's pixels times rows on the page must stay within a budget tied to
// the page size, so that no file can make one page decode without end.
JB2_Error CheckRegionWork(JB2SegmentHeader* segment, const JB2PageBitmap& page, bool* onPage, JB2Message* message)
{
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
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Error getting region segment information!");
    // Nothing of a region off the page reaches it.
    *onPage = x < page.width && y < page.height;
    if (!*onPage)
        return cJB2_Error_OK;
    const uint64_t rows = height < page.height - y ? height : page.height - y;
    const uint64_t pagePixels = static_cast<uint64_t>(page.width) * page.height;
    const uint64_t budget =
        pagePixels * kJB2RegionWorkPerPage > kJB2MinRegionWork ? pagePixels * kJB2RegionWorkPerPage : kJB2MinRegionWork;
    if (static_cast<uint64_t>(width) * rows > budget) {
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data,
                       "Region of %lld x %lld pixels is too large for its page!", static_cast<long long>(width),
                       static_cast<long long>(height));
    }
    return cJB2_Error_OK;
}

}  // namespace

const JB2RegionRenderer* JB2RegionRendererFor(uint32_t type)
{
    for (const JB2RegionRenderer& renderer : kRenderers)
        if (renderer.takes(type))
            return &renderer;
    return nullptr;
}

JB2_Error JB2RegionCanRender(JB2SegmentHeader* segment, uint8_t* renderable, JB2Message* message)
{
    if (!segment || !renderable)
        return cJB2_Error_Internal;
    JB2_Error status = JB2RegionIsSupported(segment, renderable, message);
    if (status != cJB2_Error_OK || !*renderable)
        return status;
    if (!JB2RegionRendererFor(segment->type)) {
        WarnSkipped(segment, message);
        *renderable = 0;
    }
    return cJB2_Error_OK;
}

JB2_Error JB2RenderRegion(JB2SegmentHeader* segment, JB2Memory* memory, const JB2PageBitmap& page, uint32_t combination,
                          JB2Message* message)
{
    if (!segment || !memory || !page.bits)
        return cJB2_Error_Internal;
    const JB2RegionRenderer* renderer = JB2RegionRendererFor(segment->type);
    if (!renderer) {
        WarnSkipped(segment, message);
        return cJB2_Error_Not_Yet_Supported;
    }
    bool onPage = false;
    JB2_Error status = CheckRegionWork(segment, page, &onPage, message);
    if (status != cJB2_Error_OK || !onPage)
        return status;
    const uint8_t operation = static_cast<uint8_t>(combination > 127 ? kJB2CombinationFromRegion : combination);
    return renderer->draw(segment, memory, operation, page, message);
}

}  // namespace ZAV
