// The number of a symbol among the symbols a segment may name (its referred
// dictionaries' exported symbols, then its own new ones), found by the
// encoders from the symbol object itself.
#pragma once

#include <cstdint>

#include "jbig2codec/segments/JB2SegmentHeader.h"
#include "jbig2codec/symbol/JB2Symbol.h"

namespace ZAV {

struct JB2SymbolLookupEntry {
    const JB2Symbol* symbol;
    uint32_t index;
};

struct JB2SymbolLookup {
    JB2Symbol** inputs;  // the referred dictionaries' exported symbols, in order
    uint32_t inputCount;
    JB2SymbolLookupEntry* entries;  // sorted by symbol, then index
    uint32_t count;
};

// Collects the input symbols of the segment (its referred dictionaries must
// be decoded or finished) and the symbols of `added` behind them.
JB2_Error JB2SymbolLookupStart(JB2SymbolLookup* lookup, JB2Memory* memory, JB2SegmentHeader* segment,
                               const JB2SymbolArray* added, JB2Message* message);
// The lowest number of the symbol, -1 when the segment cannot name it.
int64_t JB2SymbolLookupFind(const JB2SymbolLookup* lookup, const JB2Symbol* symbol);
void JB2SymbolLookupEnd(JB2SymbolLookup* lookup, JB2Memory* memory);

}  // namespace ZAV
