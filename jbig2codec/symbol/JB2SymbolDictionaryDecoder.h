// Decoding the data of a symbol dictionary segment (T.88 6.5): the new
// symbols, height class by height class, and the export flags.
#pragma once

#include "jbig2codec/symbol/JB2SymbolDictionary.h"

namespace ZAV {

// Decodes a dictionary whose referred dictionaries are decoded, fills its
// new symbols and exported symbols and marks it decoded.
JB2_Error Symbol_Dictionary_Decode(JB2SymbolDictionary* dictionary, JB2Memory* memory, JB2Message* message);

// ceil(log2(n)): the bits of a code that numbers n things, 0 for n up to 1.
uint32_t JB2CodeLength(uint64_t n);

}  // namespace ZAV
