#include "jbig2codec/document/JB2PageSymbolSegments.h"

#include "jbig2codec/document/JB2Page.h"
#include "jbig2codec/segments/JB2SegmentFields.h"
#include "jbig2codec/symbol/JB2SymbolDictionaryWrite.h"

namespace ZAV {

namespace {

JB2_Error NewSegment(JB2File* file, uint32_t type, uint32_t page, JB2SegmentHeader* const* referred,
                     uint32_t referredCount, JB2SegmentHeader** out, JB2Message* message)
{
    const uint32_t count = JB2FileSegmentCount(file);
    JB2SegmentHeader* last = nullptr;
    if (count && JB2FileGetSegment(file, count - 1, &last) != cJB2_Error_OK)
        return cJB2_Error_Internal;
    JB2SegmentHeader* segment = nullptr;
    JB2_Error status = JB2SegmentCreate(&segment, file->memory, last ? last->number + 1 : 0, type, message);
    if (status != cJB2_Error_OK)
        return status;
    status = JB2SegmentSetPageAssociation(segment, page);
    if (status == cJB2_Error_OK && referredCount)
        status = JB2SegmentSetReferredCount(segment, referredCount, message);
    for (uint32_t i = 0; status == cJB2_Error_OK && i < referredCount; ++i)
        status = JB2SegmentSetReferred(segment, i, referred[i]);
    if (status != cJB2_Error_OK) {
        JB2SegmentRelease(&segment);
        return status;
    }
    *out = segment;
    return cJB2_Error_OK;
}

// The new segment goes into the file; the caller keeps a reference.
JB2_Error AddToFile(JB2File* file, JB2SegmentHeader* segment, JB2SegmentHeader** out, JB2Message* message)
{
    *out = segment;
    JB2SegmentAddReference(segment);
    JB2_Error status = JB2FileAddSegment(file, &segment, message);
    if (status != cJB2_Error_OK)
        JB2SegmentRelease(out);
    return status;
}

JB2_Error SetTextFields(JB2SegmentHeader* segment, const JB2TextRegionPlacement* p)
{
    JB2_Error status = JB2RegionSetWidth(segment, p->width);
    if (status == cJB2_Error_OK)
        status = JB2RegionSetHeight(segment, p->height);
    if (status == cJB2_Error_OK)
        status = JB2RegionSetX(segment, p->x);
    if (status == cJB2_Error_OK)
        status = JB2RegionSetY(segment, p->y);
    if (status == cJB2_Error_OK)
        status = JB2RegionSetFlags(segment, p->combination);
    if (status == cJB2_Error_OK)
        status = JB2TextSetFlags(segment, p->flags);
    const bool refinementAT = (p->flags & 2) && !(p->flags & 0x8000);
    if (status == cJB2_Error_OK && refinementAT)
        status = JB2TextSetNominalRefinementATPixels(segment);
    if (status == cJB2_Error_OK)
        status = JB2TextSetNumInstances(segment, 0);
    return status;
}

}  // namespace

JB2_Error JB2PageNewSymbolDictionary(JB2File* file, uint32_t page, JB2SegmentHeader* const* referred,
                                     uint32_t referredCount, JB2SegmentHeader** out, JB2SymbolDictionary** dictionary,
                                     JB2Message* message)
{
    if (!file || !out || !dictionary || (referredCount && !referred))
        return cJB2_Error_Internal;
    *out = nullptr;
    *dictionary = nullptr;
    JB2SegmentHeader* segment = nullptr;
    JB2_Error status =
        NewSegment(file, cJB2_Segment_Symbol_Dictionary, page, referred, referredCount, &segment, message);
    if (status != cJB2_Error_OK)
        return status;
    status = JB2SymbolDictionaryNew(segment, file->memory, message, dictionary);
    if (status != cJB2_Error_OK) {
        JB2SegmentRelease(&segment);
        return status;
    }
    return AddToFile(file, segment, out, message);
}

JB2_Error JB2PageNewTextRegion(JB2File* file, const JB2TextRegionPlacement* placement,
                               JB2SegmentHeader* const* referred, uint32_t referredCount, JB2SegmentHeader** out,
                               JB2Message* message)
{
    if (!file || !placement || !out || (referredCount && !referred) || (placement->flags & 1))
        return cJB2_Error_Internal;
    *out = nullptr;
    JB2SegmentHeader* segment = nullptr;
    JB2_Error status = NewSegment(file, cJB2_Segment_Immediate_Text_Region, placement->page, referred, referredCount,
                                  &segment, message);
    if (status == cJB2_Error_OK)
        status = SetTextFields(segment, placement);
    if (status != cJB2_Error_OK) {
        if (segment)
            JB2SegmentRelease(&segment);
        return status;
    }
    return AddToFile(file, segment, out, message);
}

}  // namespace ZAV
