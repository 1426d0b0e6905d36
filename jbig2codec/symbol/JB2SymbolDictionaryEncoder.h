// Encoding the new symbols and export flags of a symbol dictionary into its
// segment (T.88 6.5 in reverse), arithmetically: every symbol by generic
// region coding, or, with SDREFAGG 1, as a refinement of its reference.
#pragma once

#include "jbig2codec/mq/JB2MQEncoder.h"
#include "jbig2codec/symbol/JB2SymbolDictionary.h"

namespace ZAV {

struct JB2SymbolDictionaryEncoder {
    JB2SegmentHeader* segment;  // one share held
    JB2SymbolDictionary* dictionary;
    JB2MQEncoder* mq;
};

// The dictionary must have its header written. SDHUFF 1 is refused with
// -22: Huffman coded dictionaries are only read.
JB2_Error Symbol_Dictionary_Encoder_Start(JB2SymbolDictionaryEncoder** out, JB2Memory* memory,
                                          JB2SegmentHeader* segment, JB2Message* message);
JB2_Error Symbol_Dictionary_Encode(JB2SymbolDictionaryEncoder* encoder, JB2Memory* memory, JB2Message* message);
// Ends the coder, which flushes the code into the segment.
JB2_Error Symbol_Dictionary_Encoder_End(JB2SymbolDictionaryEncoder** encoder, JB2Memory* memory);

}  // namespace ZAV
