#include "jbig2codec/segments/JB2SegmentArray.h"

#include "jbig2codec/support/JB2Limits.h"
#include "jbig2codec/segments/JB2SegmentFields.h"

namespace ZAV {

namespace {

constexpr uint32_t kMinimumIndexSize = 64;

uint32_t Slot(uint32_t number, uint32_t size)
{
    return (number * 2654435761u) & (size - 1);
}

// Places the segment unless a segment of its number is there already (the
// first one in array order is the one found).
void IndexPut(JB2SegmentArray* array, JB2SegmentHeader* segment)
{
    for (uint32_t slot = Slot(segment->number, array->indexSize);; slot = (slot + 1) & (array->indexSize - 1)) {
        JB2SegmentHeader* held = array->index[slot];
        if (!held) {
            array->index[slot] = segment;
            return;
        }
        if (held->number == segment->number)
            return;
    }
}

bool IndexRebuild(JB2SegmentArray* array)
{
    uint64_t size = kMinimumIndexSize;
    while (size < 2ull * array->count + 2)
        size *= 2;
    if (array->index)
        JB2MemoryFree(array->memory, &array->index);
    array->indexSize = 0;
    array->indexValid = 0;
    array->index = JB2MemoryAllocArray<JB2SegmentHeader*>(array->memory, size);
    if (!array->index)
        return false;
    array->indexSize = static_cast<uint32_t>(size);
    for (uint32_t i = 0; i < array->count; ++i)
        IndexPut(array, array->items[i]);
    array->indexValid = 1;
    return true;
}

JB2SegmentHeader* IndexFind(JB2SegmentArray* array, uint32_t number)
{
    for (uint32_t slot = Slot(number, array->indexSize);; slot = (slot + 1) & (array->indexSize - 1)) {
        JB2SegmentHeader* held = array->index[slot];
        if (!held || held->number == number)
            return held;
    }
}

JB2SegmentHeader* LinearFind(const JB2SegmentArray* array, uint32_t number)
{
    for (uint32_t i = 0; i < array->count; ++i)
        if (array->items[i]->number == number)
            return array->items[i];
    return nullptr;
}

// The first segment with the number; through the index where one can be had.
JB2SegmentHeader* FindFirst(JB2SegmentArray* array, uint32_t number)
{
    if (!array->indexValid && !IndexRebuild(array))
        return LinearFind(array, number);
    return IndexFind(array, number);
}

}  // namespace

JB2_Error JB2SegmentArrayCreate(JB2SegmentArray** out, JB2Memory* memory, JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = JB2MemoryNew<JB2SegmentArray>(memory);
    if (!*out) return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate segment array object!");
    (*out)->memory = memory;
    return cJB2_Error_OK;
}

JB2_Error JB2SegmentArrayRelease(JB2SegmentArray** holder)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2SegmentArray* array = *holder;
    JB2Memory* memory = array->memory;
    for (uint32_t i = 0; i < array->count; ++i)
        JB2SegmentRelease(&array->items[i]);
    if (array->items)
        JB2MemoryFree(memory, &array->items);
    if (array->index)
        JB2MemoryFree(memory, &array->index);
    return JB2MemoryFree(memory, holder);
}

JB2_Error JB2SegmentArrayAdd(JB2SegmentArray* array, JB2SegmentHeader* segment, JB2Message* message)
{
    if (!array || !segment || array->count > array->capacity)
        return cJB2_Error_Internal;
    if (array->count > 0 && array->items[array->count - 1]->number >= segment->number)
        JB2MessageWarning(message, "Invalid segment numbering -- segment numbers must be ascending!");
    if (array->count == array->capacity) {
        // Growing by half keeps adding many segments linear.
        const uint64_t growth = array->capacity / 2 > kJB2SegmentArrayGrowth ? array->capacity / 2
                                                                             : kJB2SegmentArrayGrowth;
        const uint64_t capacity = static_cast<uint64_t>(array->capacity) + growth;
        auto* items = static_cast<JB2SegmentHeader**>(
            JB2MemoryGrow(array->memory, array->items, array->capacity * sizeof(JB2SegmentHeader*),
                          capacity * sizeof(JB2SegmentHeader*)));
        if (!items || capacity > UINT32_MAX) {
            // The segments held so far are released rather than lost.
            for (uint32_t i = 0; i < array->count; ++i)
                JB2SegmentRelease(&array->items[i]);
            if (items)
                JB2MemoryFree(array->memory, &items);
            else if (array->items)
                JB2MemoryFree(array->memory, &array->items);
            array->items = nullptr;
            array->count = 0;
            array->indexValid = 0;
            array->capacity = 0;
            return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to increase size of segment array object!");
        }
        array->items = items;
        array->capacity = static_cast<uint32_t>(capacity);
    }
    array->items[array->count++] = segment;
    JB2SegmentAddReference(segment);
    if (array->indexValid && 2ull * array->count + 2 <= array->indexSize)
        IndexPut(array, segment);
    else
        array->indexValid = 0;
    return cJB2_Error_OK;
}

JB2_Error JB2SegmentArrayReserve(JB2SegmentArray* array, uint32_t extra, JB2Message* message)
{
    if (!array)
        return cJB2_Error_Internal;
    const uint64_t needed = static_cast<uint64_t>(array->count) + extra;
    if (needed <= array->capacity)
        return cJB2_Error_OK;
    if (needed > UINT32_MAX)
        return cJB2_Error_Internal;
    auto* items = static_cast<JB2SegmentHeader**>(JB2MemoryGrow(
        array->memory, array->items, array->capacity * sizeof(JB2SegmentHeader*), needed * sizeof(JB2SegmentHeader*)));
    if (!items) {
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to increase size of segment array object!");
    }
    array->items = items;
    array->capacity = static_cast<uint32_t>(needed);
    return cJB2_Error_OK;
}

JB2_Error JB2SegmentArrayRemove(JB2SegmentArray* array, uint32_t index)
{
    if (!array || index >= array->count)
        return cJB2_Error_Internal;
    JB2_Error status = JB2SegmentRelease(&array->items[index]);
    for (uint32_t i = index + 1; i < array->count; ++i)
        array->items[i - 1] = array->items[i];
    --array->count;
    array->items[array->count] = nullptr;
    array->indexValid = 0;
    return status;
}

JB2_Error JB2SegmentArrayGet(const JB2SegmentArray* array, uint32_t index, JB2SegmentHeader** segment)
{
    if (!segment)
        return cJB2_Error_Internal;
    *segment = nullptr;
    if (!array || index >= array->count)
        return cJB2_Error_Internal;
    *segment = array->items[index];
    return cJB2_Error_OK;
}

JB2_Error JB2SegmentArrayFindByNumber(JB2SegmentArray* array, uint32_t number, JB2SegmentHeader** segment,
                                      JB2Message* message)
{
    if (!array || !segment)
        return cJB2_Error_Internal;
    *segment = FindFirst(array, number);
    if (!*segment) JB2MessageWarning(message, "Unable to find requested segment!");
    return cJB2_Error_OK;
}

JB2_Error JB2SegmentArrayFindByTypeAndPage(const JB2SegmentArray* array, uint32_t type, uint32_t page,
                                           JB2SegmentHeader** segment, JB2Message* message)
{
    if (!array || !segment)
        return cJB2_Error_Internal;
    *segment = nullptr;
    for (uint32_t i = 0; i < array->count; ++i) {
        if (array->items[i]->type == type && array->items[i]->pageAssociation == page) {
            *segment = array->items[i];
            return cJB2_Error_OK;
        }
    }
    return JB2Warn(message, cJB2_Error_OK, "Unable to find requested segment!");
}

uint32_t JB2SegmentArrayLargestPage(const JB2SegmentArray* array)
{
    uint32_t largest = 0;
    if (array)
        for (uint32_t i = 0; i < array->count; ++i)
            if (array->items[i]->pageAssociation > largest)
                largest = array->items[i]->pageAssociation;
    return largest;
}

bool JB2SegmentArrayHasGlobalSegments(const JB2SegmentArray* array)
{
    if (array)
        for (uint32_t i = 0; i < array->count; ++i)
            if (array->items[i]->pageAssociation == 0)
                return true;
    return false;
}

uint32_t JB2SegmentArrayLastStripeRow(const JB2SegmentArray* array, uint32_t page)
{
    uint32_t last = 0;
    if (!array)
        return 0;
    for (uint32_t i = 0; i < array->count; ++i) {
        JB2SegmentHeader* segment = array->items[i];
        if (segment->type != cJB2_Segment_End_Of_Stripe || segment->pageAssociation != page)
            continue;
        uint32_t row = 0;
        if (JB2EndOfStripeGetRow(segment, &row) != cJB2_Error_OK)
            return 0;
        if (row > last)
            last = row;
    }
    return last;
}

JB2_Error JB2SegmentArrayDropTrailingEndOfFile(JB2SegmentArray* array)
{
    if (!array)
        return cJB2_Error_Internal;
    if (array->count > 0 && array->items[array->count - 1]->type == cJB2_Segment_End_Of_File)
        return JB2SegmentArrayRemove(array, array->count - 1);
    return cJB2_Error_OK;
}

JB2_Error JB2SegmentArrayAttachSource(JB2SegmentArray* array, JB2ReadData* readData, JB2Message* message)
{
    if (!array)
        return cJB2_Error_Internal;
    for (uint32_t i = 0; i < array->count; ++i) {
        JB2_Error status = JB2SegmentAttachSource(array->items[i], readData, message);
        if (status != cJB2_Error_OK)
            return status;
    }
    return cJB2_Error_OK;
}

JB2_Error JB2SegmentArrayAllRegionsSupported(const JB2SegmentArray* array, uint8_t* supported,
                                             JB2Message* message)
{
    if (!array || !supported)
        return cJB2_Error_Internal;
    *supported = 1;
    for (uint32_t i = 0; i < array->count && *supported == 1; ++i) {
        if (!JB2SegmentTypeIsRegion(array->items[i]->type))
            continue;
        JB2_Error status = JB2RegionIsSupported(array->items[i], supported, message);
        if (status != cJB2_Error_OK)
            return status;
    }
    return cJB2_Error_OK;
}

}  // namespace ZAV
