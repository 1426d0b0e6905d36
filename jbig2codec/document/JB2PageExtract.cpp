#include "jbig2codec/document/JB2PageExtract.h"

#include "jbig2codec/document/JB2Page.h"
#include "jbig2codec/support/JB2Limits.h"

namespace ZAV {

namespace {

bool IsPageEnd(const JB2SegmentHeader* segment)
{
    return segment->type == cJB2_Segment_End_Of_Page || segment->type == cJB2_Segment_End_Of_File;
}

// Marks the page's segments and, as far as they reach, what they refer to.
// Passes from the back settle links to earlier segments at once; the number
// of passes is bounded, so a damaged web of links cannot hang.
JB2_Error MarkPageSegments(JB2SegmentArray* segments, uint32_t association)
{
    for (uint32_t i = 0; i < segments->count; ++i) {
        JB2SegmentHeader* segment = segments->items[i];
        segment->mark = segment->pageAssociation == association && !IsPageEnd(segment);
    }
    bool changed = true;
    for (uint32_t pass = 0; changed && pass <= segments->count; ++pass) {
        changed = false;
        for (uint32_t i = segments->count; i-- > 0;) {
            JB2SegmentHeader* segment = segments->items[i];
            if (!segment->mark)
                continue;
            for (uint32_t r = 0; r < segment->referredCount; ++r) {
                JB2SegmentHeader* referred = segment->referredSegments ? segment->referredSegments[r] : nullptr;
                if (!referred)
                    return cJB2_Error_Invalid_Segment_Data;
                if (!referred->mark) {
                    referred->mark = 1;
                    changed = true;
                }
            }
        }
    }
    return cJB2_Error_OK;
}

// The copy refers to the copies of what the source refers to; a copied
// segment's mark is its copy's position + 2.
JB2_Error CopyReferences(const JB2SegmentHeader* source, JB2SegmentHeader* copy, JB2File* single,
                         JB2Message* message)
{
    JB2_Error status = JB2SegmentSetReferredCount(copy, source->referredCount, message);
    for (uint32_t r = 0; r < source->referredCount && status == cJB2_Error_OK; ++r) {
        const JB2SegmentHeader* referred = source->referredSegments[r];
        JB2SegmentHeader* referredCopy = nullptr;
        if (referred->mark > 1)
            JB2SegmentArrayGet(single->segments, referred->mark - 2, &referredCopy);
        if (!referredCopy || referredCopy->number >= copy->number)
            return cJB2_Error_Invalid_Segment_Data;
        copy->referredRetainBits[r] = source->referredRetainBits[r];
        status = JB2SegmentSetReferred(copy, r, referredCopy);
    }
    return status;
}

// The data, in pieces.
JB2_Error CopyData(JB2SegmentHeader* source, JB2SegmentHeader* copy)
{
    uint8_t chunk[kJB2SegmentCopyChunk];
    const uint32_t length = JB2SegmentDataLength(source);
    JB2_Error status = cJB2_Error_OK;
    for (uint32_t done = 0; done < length && status == cJB2_Error_OK;) {
        const uint32_t want = length - done < kJB2SegmentCopyChunk ? length - done : kJB2SegmentCopyChunk;
        status = JB2SegmentReadBytes(source, done, want, chunk);
        if (status == cJB2_Error_OK)
            status = JB2SegmentWriteBytes(copy, done, want, chunk);
        done += want;
    }
    return status;
}

// One marked segment appended to `single` as segment `number`, on page 1 or
// global as its source.
JB2_Error CopySegment(JB2SegmentHeader* source, uint32_t number, JB2File* single, JB2Message* message)
{
    // An unknown type is created as an extension and then takes its own type.
    const uint32_t type = JB2SegmentTypeIsKnown(source->type) ? static_cast<uint32_t>(source->type)
                                                               : static_cast<uint32_t>(cJB2_Segment_Extension);
    JB2SegmentHeader* copy = nullptr;
    JB2_Error status = JB2SegmentCreate(&copy, single->memory, number, type, message);
    if (status != cJB2_Error_OK)
        return status;
    copy->type = source->type;
    copy->retain = source->retain;
    JB2SegmentSetPageAssociation(copy, source->pageAssociation != 0 ? 1 : 0);
    status = CopyReferences(source, copy, single, message);
    if (status == cJB2_Error_OK)
        status = CopyData(source, copy);
    if (status == cJB2_Error_OK)
        status = JB2SegmentArrayAdd(single->segments, copy, message);
    JB2SegmentRelease(&copy);
    return status;
}

// The marked segments in file order, renumbered from 0; the marks are
// cleared on every path.
JB2_Error CopyMarkedSegments(JB2SegmentArray* segments, JB2File* single, JB2Message* message)
{
    JB2_Error status = cJB2_Error_OK;
    uint32_t next = 0;
    for (uint32_t i = 0; i < segments->count && status == cJB2_Error_OK; ++i) {
        JB2SegmentHeader* source = segments->items[i];
        if (!source->mark)
            continue;
        status = CopySegment(source, next, single, message);
        source->mark = ++next + 1;
    }
    for (uint32_t i = 0; i < segments->count; ++i)
        segments->items[i]->mark = 0;
    return status;
}

}  // namespace

JB2_Error JB2FileExtractPage(JB2File* file, uint32_t page, JB2File** out, JB2Message* message)
{
    if (!file || !out)
        return cJB2_Error_Internal;
    *out = nullptr;
    if (page >= UINT32_MAX)
        return cJB2_Error_Invalid_Index;
    JB2_Error status = MarkPageSegments(file->segments, page + 1);
    if (status != cJB2_Error_OK)
        return status;
    JB2File* single = nullptr;
    status = JB2FileCreate(&single, file->memory, message);
    if (status != cJB2_Error_OK)
        return status;
    single->organisation = file->organisation;
    status = CopyMarkedSegments(file->segments, single, message);
    if (status == cJB2_Error_OK)
        status = JB2PageAddNewSegment(single, cJB2_Segment_End_Of_Page, 1, message);
    if (status == cJB2_Error_OK)
        status = JB2PageAddNewSegment(single, cJB2_Segment_End_Of_File, 0, message);
    if (status != cJB2_Error_OK) {
        JB2FileRelease(&single);
        return status;
    }
    single->pages = JB2SegmentArrayLargestPage(single->segments);
    *out = single;
    return cJB2_Error_OK;
}

bool JB2FilePagesInOrder(const JB2File* file)
{
    uint32_t page = 0;
    for (uint32_t i = 0; i < file->segments->count; ++i) {
        const uint32_t association = file->segments->items[i]->pageAssociation;
        if (association != 0 && association < page)
            return false;
        page = association > page ? association : page;
    }
    return true;
}

}  // namespace ZAV
