// The segment array object: the segments of a file in file order, each
// held by one reference of the array.
#pragma once

#include <cstdint>

#include "jbig2codec/segments/JB2SegmentHeader.h"

namespace ZAV {

struct JB2SegmentArray {
    JB2SegmentHeader** items;
    uint32_t capacity;
    uint32_t count;
    JB2Memory* memory;
    // A hash table from segment number to the first segment with it, so that
    // resolving the references of many segments stays linear. Whoever
    // renumbers segments the array holds clears indexValid.
    JB2SegmentHeader** index;
    uint32_t indexSize;  // a power of two, at least twice the items
    uint8_t indexValid;
};

JB2_Error JB2SegmentArrayCreate(JB2SegmentArray** out, JB2Memory* memory, JB2Message* message);
// Releases every segment, then the array.
JB2_Error JB2SegmentArrayRelease(JB2SegmentArray** holder);

// Appends the segment and takes a reference on it. A number not above the
// last one is warned about and appended all the same.
JB2_Error JB2SegmentArrayAdd(JB2SegmentArray* array, JB2SegmentHeader* segment, JB2Message* message);
// Makes room for `extra` more segments, so that adding them cannot fail.
JB2_Error JB2SegmentArrayReserve(JB2SegmentArray* array, uint32_t extra, JB2Message* message);
// Removes the segment at index (releasing the array's reference).
JB2_Error JB2SegmentArrayRemove(JB2SegmentArray* array, uint32_t index);
JB2_Error JB2SegmentArrayGet(const JB2SegmentArray* array, uint32_t index, JB2SegmentHeader** segment);
// The first segment with that number; none found is a warning and a null result.
JB2_Error JB2SegmentArrayFindByNumber(JB2SegmentArray* array, uint32_t number, JB2SegmentHeader** segment,
                                      JB2Message* message);
JB2_Error JB2SegmentArrayFindByTypeAndPage(const JB2SegmentArray* array, uint32_t type, uint32_t page,
                                           JB2SegmentHeader** segment, JB2Message* message);
// The largest page association of all segments: the number of pages.
uint32_t JB2SegmentArrayLargestPage(const JB2SegmentArray* array);
bool JB2SegmentArrayHasGlobalSegments(const JB2SegmentArray* array);
// The largest end row among the page's end-of-stripe segments (0 if none).
uint32_t JB2SegmentArrayLastStripeRow(const JB2SegmentArray* array, uint32_t page);
// Drops a last segment of type end of file.
JB2_Error JB2SegmentArrayDropTrailingEndOfFile(JB2SegmentArray* array);
JB2_Error JB2SegmentArrayAttachSource(JB2SegmentArray* array, JB2ReadData* readData, JB2Message* message);
// 1 when the region support test passes for every region segment.
JB2_Error JB2SegmentArrayAllRegionsSupported(const JB2SegmentArray* array, uint8_t* supported,
                                             JB2Message* message);

}  // namespace ZAV
