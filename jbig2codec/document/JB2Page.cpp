#include "jbig2codec/document/JB2Page.h"

#include "jbig2codec/document/JB2PageExtract.h"
#include "jbig2codec/render/JB2RegionDispatch.h"
#include "jbig2codec/segments/JB2SegmentFields.h"

namespace ZAV {

JB2_Error JB2PageGetInformation(JB2File* file, uint32_t page, JB2SegmentHeader** information)
{
    if (!information)
        return cJB2_Error_Internal;
    *information = nullptr;
    if (!file || page >= file->pages)
        return cJB2_Error_Internal;
    JB2SegmentArray* segments = file->segments;
    for (uint32_t i = 0; i < segments->count; ++i) {
        JB2SegmentHeader* segment = segments->items[i];
        if (segment->type == cJB2_Segment_Page_Information && segment->pageAssociation == page + 1) {
            *information = segment;
            return cJB2_Error_OK;
        }
    }
    return cJB2_Error_Internal;
}

namespace {

// A field of the page's information segment, read by `get`.
template <class T>
JB2_Error FromInformation(JB2File* file, uint32_t page, T* value, JB2_Error (*get)(JB2SegmentHeader*, T*))
{
    if (!value)
        return cJB2_Error_Internal;
    *value = 0;
    JB2SegmentHeader* information = nullptr;
    JB2_Error status = JB2PageGetInformation(file, page, &information);
    return status != cJB2_Error_OK ? status : get(information, value);
}

}  // namespace

JB2_Error JB2PageGetWidth(JB2File* file, uint32_t page, uint32_t* width)
{
    return FromInformation(file, page, width, JB2PageInfoGetWidth);
}

JB2_Error JB2PageGetHeight(JB2File* file, uint32_t page, uint32_t* height)
{
    JB2_Error status = FromInformation(file, page, height, JB2PageInfoGetHeight);
    if (status == cJB2_Error_OK && *height == 0xFFFFFFFFu) {
        const uint32_t last = JB2SegmentArrayLastStripeRow(file->segments, page + 1);
        *height = last == 0xFFFFFFFFu ? last : last + 1;
    }
    return status;
}

JB2_Error JB2PageGetXResolution(JB2File* file, uint32_t page, uint32_t* resolution)
{
    return FromInformation(file, page, resolution, JB2PageInfoGetXResolution);
}

JB2_Error JB2PageGetYResolution(JB2File* file, uint32_t page, uint32_t* resolution)
{
    return FromInformation(file, page, resolution, JB2PageInfoGetYResolution);
}

JB2_Error JB2PageGetDefaultPixel(JB2File* file, uint32_t page, uint8_t* pixel)
{
    return FromInformation(file, page, pixel, JB2PageInfoGetDefaultPixel);
}

JB2_Error JB2PageGetDefaultCombinationOperator(JB2File* file, uint32_t page, uint32_t* combination)
{
    return FromInformation(file, page, combination, JB2PageInfoGetDefaultCombinationOperator);
}

uint32_t JB2FileSegmentCount(const JB2File* file)
{
    return file && file->segments ? file->segments->count : 0;
}

JB2_Error JB2FileGetSegment(const JB2File* file, uint32_t index, JB2SegmentHeader** segment)
{
    if (!file)
        return cJB2_Error_Internal;
    return JB2SegmentArrayGet(file->segments, index, segment);
}

JB2_Error JB2FileAddSegment(JB2File* file, JB2SegmentHeader** segment, JB2Message* message)
{
    if (!file || !segment || !*segment)
        return cJB2_Error_Internal;
    JB2_Error status = JB2SegmentArrayAdd(file->segments, *segment, message);
    if (status == cJB2_Error_OK && (*segment)->pageAssociation > file->pages)
        file->pages = (*segment)->pageAssociation;
    JB2SegmentRelease(segment);
    return status;
}

JB2_Error JB2FileFindSegment(JB2File* file, uint32_t number, JB2SegmentHeader** segment, JB2Message* message)
{
    if (!file)
        return cJB2_Error_Internal;
    return JB2SegmentArrayFindByNumber(file->segments, number, segment, message);
}

uint32_t JB2FilePageCount(const JB2File* file)
{
    return file ? JB2SegmentArrayLargestPage(file->segments) : 0;
}

JB2_Error JB2FileRegionsSupported(const JB2File* file, uint8_t* supported, JB2Message* message)
{
    if (!file)
        return cJB2_Error_Internal;
    if (!supported)
        return cJB2_Error_Internal;
    // Drawable, not only decodable: property 70 tells a caller in advance
    // whether the page renderer will skip a region.
    *supported = 1;
    const JB2SegmentArray* segments = file->segments;
    for (uint32_t i = 0; i < segments->count && *supported == 1; ++i) {
        if (!JB2SegmentTypeIsRegion(segments->items[i]->type))
            continue;
        JB2_Error status = JB2RegionCanRender(segments->items[i], supported, message);
        if (status != cJB2_Error_OK)
            return status;
    }
    return cJB2_Error_OK;
}

namespace {

uint32_t NextSegmentNumber(const JB2File* file)
{
    const JB2SegmentArray* segments = file->segments;
    return segments->count ? segments->items[segments->count - 1]->number + 1 : 0;
}

}  // namespace

JB2_Error JB2PageAddNewSegment(JB2File* file, uint32_t type, uint32_t page, JB2Message* message)
{
    if (!file)
        return cJB2_Error_Internal;
    JB2SegmentHeader* segment = nullptr;
    JB2_Error status = JB2SegmentCreate(&segment, file->memory, NextSegmentNumber(file), type, message);
    if (status != cJB2_Error_OK)
        return status;
    JB2SegmentSetPageAssociation(segment, page);
    return JB2FileAddSegment(file, &segment, message);
}

JB2_Error JB2PageNewGenericRegion(JB2File* file, uint32_t width, uint32_t height, uint32_t coder,
                                  uint32_t gbTemplate, JB2SegmentHeader** out, JB2Message* message)
{
    if (!file || !out || width == 0 || height == 0 || gbTemplate > 3 ||
        (coder != cJB2_Coder_MMR && coder != cJB2_Coder_Arithmetic))
        return cJB2_Error_Internal;
    *out = nullptr;
    JB2SegmentHeader* segment = nullptr;
    JB2_Error status = JB2SegmentCreate(&segment, file->memory, NextSegmentNumber(file),
                                        cJB2_Segment_Immediate_Generic_Region, message);
    if (status != cJB2_Error_OK)
        return status;
    JB2SegmentSetPageAssociation(segment, 1);
    status = JB2RegionSetWidth(segment, width);
    if (status == cJB2_Error_OK)
        status = JB2RegionSetHeight(segment, height);
    if (status == cJB2_Error_OK)
        status = JB2RegionSetX(segment, 0);
    if (status == cJB2_Error_OK)
        status = JB2RegionSetY(segment, 0);
    if (status == cJB2_Error_OK)
        status = JB2RegionSetFlags(segment, 2);
    if (status == cJB2_Error_OK)
        status = JB2GenericSetFlags(segment, coder == cJB2_Coder_MMR ? 1 : static_cast<uint8_t>(gbTemplate << 1));
    if (status == cJB2_Error_OK && coder == cJB2_Coder_Arithmetic)
        status = JB2GenericSetNominalATPixels(segment, gbTemplate);
    if (status != cJB2_Error_OK) {
        JB2SegmentRelease(&segment);
        return status;
    }
    *out = segment;
    JB2SegmentAddReference(segment);
    return JB2FileAddSegment(file, &segment, message);
}

namespace {

// Everything that can fail is checked before the destination is touched:
// numbers and associations must not wrap, and room is reserved.
JB2_Error PrepareInsert(JB2File* to, uint32_t destination, const JB2SegmentArray* added, uint64_t* first,
                        JB2Message* message)
{
    JB2SegmentArray* existing = to->segments;
    const bool dropEnd = existing->count > 0 && existing->items[existing->count - 1]->type == cJB2_Segment_End_Of_File;
    const uint32_t kept = existing->count - (dropEnd ? 1 : 0);
    *first = kept ? static_cast<uint64_t>(existing->items[kept - 1]->number) + 1 : 0;
    bool fits = *first + added->count <= UINT32_MAX;
    for (uint32_t i = 0; i < existing->count && fits; ++i)
        fits = existing->items[i]->pageAssociation < UINT32_MAX;
    if (!fits || destination >= UINT32_MAX) {
        return JB2Fail(message, cJB2_Error_Internal,
                       "Failure updating page association for existing segments in document!");
    }
    JB2_Error status = JB2SegmentArrayReserve(existing, added->count, message);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Failure inserting new page segments into existing document!");
    return cJB2_Error_OK;
}

// The new page's segments: their page, their numbers after the last kept
// segment, and references that follow the renumbering.
void RenumberAdded(JB2SegmentArray* added, uint32_t destination, uint64_t first)
{
    for (uint32_t i = 0; i < added->count; ++i) {
        JB2SegmentHeader* segment = added->items[i];
        if (segment->pageAssociation != 0)
            JB2SegmentSetPageAssociation(segment, destination + 1);
        segment->number = static_cast<uint32_t>(first + i);
    }
    added->indexValid = 0;
    for (uint32_t i = 0; i < added->count; ++i) {
        JB2SegmentHeader* segment = added->items[i];
        for (uint32_t r = 0; r < segment->referredCount; ++r)
            segment->referredNumbers[r] = segment->referredSegments[r]->number;
    }
}

// Existing pages from the destination on move up by one; the added segments
// follow all existing ones, in place of the old end of file segment.
JB2_Error AppendAdded(JB2File* to, uint32_t destination, JB2SegmentArray* added, JB2Message* message)
{
    JB2SegmentArray* existing = to->segments;
    for (uint32_t i = 0; i < existing->count; ++i) {
        JB2SegmentHeader* segment = existing->items[i];
        if (segment->pageAssociation >= destination + 1)
            JB2SegmentSetPageAssociation(segment, segment->pageAssociation + 1);
    }
    if (existing->count > 0 && existing->items[existing->count - 1]->type == cJB2_Segment_End_Of_File)
        JB2SegmentArrayRemove(existing, existing->count - 1);
    JB2_Error status = cJB2_Error_OK;
    // Room was reserved: adding only takes a reference.
    for (uint32_t i = 0; i < added->count && status == cJB2_Error_OK; ++i)
        status = JB2SegmentArrayAdd(existing, added->items[i], message);
    to->pages = JB2SegmentArrayLargestPage(existing);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Failure inserting new page segments into existing document!");
    return cJB2_Error_OK;
}

}  // namespace

JB2_Error JB2PageInsert(JB2File* to, uint32_t destination, JB2File* from, uint32_t source, JB2Message* message)
{
    if (!to || !from)
        return cJB2_Error_Internal;
    if (source >= from->pages) return JB2Fail(message, cJB2_Error_Invalid_Index, "Invalid source page index!");
    if (destination > to->pages) return JB2Fail(message, cJB2_Error_Invalid_Index, "Invalid destination page index!");
    JB2File* page = nullptr;
    JB2_Error status = JB2FileExtractPage(from, source, &page, message);
    if (status != cJB2_Error_OK) {
        return JB2Fail(message, status, "Failure getting page %lld from source file!", static_cast<long long>(source));
    }
    uint64_t first = 0;
    status = PrepareInsert(to, destination, page->segments, &first, message);
    if (status == cJB2_Error_OK) {
        RenumberAdded(page->segments, destination, first);
        status = AppendAdded(to, destination, page->segments, message);
    }
    JB2FileRelease(&page);
    return status;
}

}  // namespace ZAV
