#include "jbig2codec/render/JB2DrawGenericRegion.h"

#include "jbig2codec/segments/JB2SegmentFields.h"

namespace ZAV {

namespace {

// Bytes behind a row that the row combination may shift into.
constexpr uint32_t kLineSpare = 4;

JB2_Error DecodeRow(void* user, uint32_t, uint8_t* line)
{
    return Generic_Region_Decoder_Line(static_cast<JB2GenericRegionDraw*>(user)->decoder, line);
}

JB2_Error Field(JB2_Error status, JB2Message* message, const char* text)
{
    return status != cJB2_Error_OK ? JB2Fail(message, status, "%s", text) : status;
}

}  // namespace

JB2_Error JB2GenericRegionDrawCreate(JB2GenericRegionDraw** out, JB2Memory* memory, JB2SegmentHeader* segment,
                                       uint8_t combination, JB2Message* message)
{
    if (!out) return cJB2_Error_Internal;
    *out = nullptr;
    uint8_t supported = 0;
    JB2_Error status = JB2RegionIsSupported(segment, &supported, message);
    if (status != cJB2_Error_OK) return status;
    if (!supported) return cJB2_Error_Not_Yet_Supported;
    auto* r = JB2MemoryNew<JB2GenericRegionDraw>(memory);
    if (!r) return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate render generic region object!");
    r->combination = combination;
    if (combination == kJB2CombinationFromRegion) {
        uint8_t flags = 0;
        status = Field(JB2RegionGetFlags(segment, &flags), message, "Error getting region segment flags!");
        r->combination = flags & 7;
    }
    if (status == cJB2_Error_OK) status = Generic_Region_Decoder_Start(&r->decoder, memory, segment, message);
    if (status == cJB2_Error_OK)
        status = Field(JB2RegionGetX(segment, &r->x), message, "Error getting region segment x location!");
    if (status == cJB2_Error_OK)
        status = Field(JB2RegionGetY(segment, &r->y), message, "Error getting region segment y location!");
    if (status == cJB2_Error_OK)
        status = Field(JB2RegionGetHeight(segment, &r->height), message, "Error getting region segment height!");
    if (status == cJB2_Error_OK)
        status = Field(JB2RegionGetWidth(segment, &r->width), message, "Error getting region segment width!");
    if (status == cJB2_Error_OK) {
        r->stride = (r->width + 7) / 8;
        r->line = JB2MemoryAllocArray<uint8_t>(memory, uint64_t(r->stride) + kLineSpare);
        if (!r->line) {
            status = JB2Fail(message, cJB2_Error_Allocation_Failure,
                             "Unable to allocate line buffer of generic region rendering!");
        }
    }
    if (status != cJB2_Error_OK) {
        JB2GenericRegionDrawEnd(&r, memory);
        return status;
    }
    *out = r;
    return cJB2_Error_OK;
}

JB2_Error JB2GenericRegionDrawRows(JB2GenericRegionDraw* r, uint8_t* page, uint32_t pageWidth,
                                       uint32_t pageHeight)
{
    if (!r || !r->decoder) return cJB2_Error_Internal;
    return JB2ComposeRegionRows(page, pageWidth, pageHeight, r->x, r->y, r->width, r->height, r->combination,
                               r->line, DecodeRow, r);
}

JB2_Error JB2GenericRegionDrawEnd(JB2GenericRegionDraw** holder, JB2Memory* memory)
{
    if (!holder || !*holder) return cJB2_Error_Internal;
    JB2GenericRegionDraw* r = *holder;
    JB2_Error status = cJB2_Error_OK;
    if (r->decoder) status = Generic_Region_Decoder_End(&r->decoder, memory);
    if (r->line) JB2MemoryFree(memory, &r->line);
    *holder = nullptr;
    JB2_Error freed = JB2MemoryFree(memory, &r);
    return status != cJB2_Error_OK ? status : freed;
}

JB2_Error JB2DrawGenericRegion(JB2SegmentHeader* segment, JB2Memory* memory, uint8_t combination,
                               const JB2PageBitmap& page, JB2Message* message)
{
    JB2GenericRegionDraw* render = nullptr;
    JB2_Error status = JB2GenericRegionDrawCreate(&render, memory, segment, combination, message);
    if (status != cJB2_Error_OK) return status;
    status = JB2GenericRegionDrawRows(render, page.bits, page.width, page.height);
    const JB2_Error released = JB2GenericRegionDrawEnd(&render, memory);
    return status != cJB2_Error_OK ? status : released;
}

}  // namespace ZAV
