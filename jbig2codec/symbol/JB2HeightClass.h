// The collective bitmap of a height class of a Huffman-coded symbol
// dictionary (T.88 6.5.9): all the class's symbols side by side, stored
// plain or MMR-coded, cut into the symbols' bitmaps.
#pragma once

#include <cstdint>

#include "jbig2codec/huffman/JB2HuffmanTable.h"
#include "jbig2codec/symbol/JB2Symbol.h"

namespace ZAV {

struct JB2HeightClass {
    JB2SymbolArray* symbols;
    uint32_t first;  // the class's symbols are first to end - 1
    uint32_t end;
    uint64_t totalWidth;
    uint32_t height;
};

// Reads BMSIZE with its table and the bitmap behind it; the reader is left
// behind the bitmap. `data` is what the reader reads.
JB2_Error JB2DecodeCollectiveBitmap(const JB2HeightClass* heightClass, JB2BitReader* reader,
                                    const JB2HuffmanTable* sizeTable, const uint8_t* data, JB2Memory* memory,
                                    JB2Message* message);

}  // namespace ZAV
