// Tables that segments select: a standard table by number, or a user table
// from a referred tables segment (type 53).
#pragma once

#include <cstdint>

#include "jbig2codec/huffman/JB2HuffmanTable.h"
#include "jbig2codec/segments/JB2SegmentHeader.h"

namespace ZAV {

// The n-th (from 0) tables segment the segment refers to, in referral order; null when none.
JB2SegmentHeader* JB2ReferredTablesSegment(JB2SegmentHeader* segment, uint32_t n);
// A user table from the whole data of a tables segment.
JB2_Error JB2HuffmanTableFromSegment(JB2SegmentHeader* tables, JB2Memory* memory, JB2HuffmanTable** out,
                                     JB2Message* message);
// Standard table B.standard (1 to 15), or, for 0, the user table of `tables`.
JB2_Error JB2HuffmanTableSelected(uint32_t standard, JB2SegmentHeader* tables, JB2Memory* memory, JB2HuffmanTable** out,
                                  JB2Message* message);

}  // namespace ZAV
