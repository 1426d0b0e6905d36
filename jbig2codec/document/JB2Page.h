// Page access on a file object: page information by page index (from 0),
// the segment list, new segments of a page, and moving a page between
// documents. Page associations count from 1; 0 marks global segments.
#pragma once

#include <cstdint>

#include "jbig2codec/document/JB2File.h"

namespace ZAV {

// Page information of page index `page`; -500 for an index out of range or
// a page without page information segment.
JB2_Error JB2PageGetInformation(JB2File* file, uint32_t page, JB2SegmentHeader** information);
JB2_Error JB2PageGetWidth(JB2File* file, uint32_t page, uint32_t* width);
// A height of 0xFFFFFFFF (not known in advance) is taken from the page's
// end-of-stripe segments: one more than their last row.
JB2_Error JB2PageGetHeight(JB2File* file, uint32_t page, uint32_t* height);
JB2_Error JB2PageGetXResolution(JB2File* file, uint32_t page, uint32_t* resolution);
JB2_Error JB2PageGetYResolution(JB2File* file, uint32_t page, uint32_t* resolution);
JB2_Error JB2PageGetDefaultPixel(JB2File* file, uint32_t page, uint8_t* pixel);
JB2_Error JB2PageGetDefaultCombinationOperator(JB2File* file, uint32_t page, uint32_t* combination);

uint32_t JB2FileSegmentCount(const JB2File* file);
JB2_Error JB2FileGetSegment(const JB2File* file, uint32_t index, JB2SegmentHeader** segment);
// Appends the segment, raises the page count to its association, and
// releases the caller's reference (also when appending fails).
JB2_Error JB2FileAddSegment(JB2File* file, JB2SegmentHeader** segment, JB2Message* message);
JB2_Error JB2FileFindSegment(JB2File* file, uint32_t number, JB2SegmentHeader** segment, JB2Message* message);
uint32_t JB2FilePageCount(const JB2File* file);
JB2_Error JB2FileRegionsSupported(const JB2File* file, uint8_t* supported, JB2Message* message);

// A new segment of the type with the next segment number, added to the
// file: end of page, end of file (and any type that needs no fields).
JB2_Error JB2PageAddNewSegment(JB2File* file, uint32_t type, uint32_t page, JB2Message* message);
// A new generic region segment of page 1 for the MMR (10) or arithmetic
// (20) coder with the given template; XOR onto the page at (0, 0).
JB2_Error JB2PageNewGenericRegion(JB2File* file, uint32_t width, uint32_t height, uint32_t coder,
                                  uint32_t gbTemplate, JB2SegmentHeader** segment, JB2Message* message);

// Inserts page `source` (from 0) of `from` as page `destination` of `to`.
// A failure leaves `to` as it was.
JB2_Error JB2PageInsert(JB2File* to, uint32_t destination, JB2File* from, uint32_t source, JB2Message* message);

}  // namespace ZAV
