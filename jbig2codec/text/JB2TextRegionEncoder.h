// Encoding symbol instances into a text region segment (T.88 6.4 in
// reverse), arithmetically, strip by strip, with refined instances coded
// against their symbols.
#pragma once

#include <cstdint>

#include "jbig2codec/mq/JB2MQEncoder.h"
#include "jbig2codec/segments/JB2SegmentHeader.h"
#include "jbig2codec/symbol/JB2SymbolInstances.h"

namespace ZAV {

struct JB2TextRegionEncoder {
    JB2SegmentHeader* segment;  // one share held
    uint16_t flags;
    uint32_t width;
    uint32_t height;
    JB2MQEncoder* mq;
};

// The segment's flags, size and (with SBREFINE and template 0) nominal
// refinement AT pixels must be set; the symbols come from the dictionaries
// it refers to, which must be finished. SBHUFF 1 is refused with -22:
// Huffman coded text regions are only read.
JB2_Error Text_Region_Encoder_Start(JB2TextRegionEncoder** out, JB2Memory* memory, JB2SegmentHeader* segment,
                                    JB2Message* message);
// Codes the instances in the order of the array and writes their number.
JB2_Error Text_Region_Encode(JB2TextRegionEncoder* encoder, JB2Memory* memory, const JB2SymbolInstanceArray* instances,
                             JB2Message* message);
// Ends the coder, which flushes the code into the segment.
JB2_Error Text_Region_Encoder_End(JB2TextRegionEncoder** encoder, JB2Memory* memory);

}  // namespace ZAV
