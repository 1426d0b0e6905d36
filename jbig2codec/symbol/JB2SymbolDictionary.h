// The symbol dictionary object a symbol dictionary segment (type 0) owns:
// its header fields, its new symbols and the symbols it exports.
#pragma once

#include <cstdint>

#include "jbig2codec/segments/JB2SegmentHeader.h"
#include "jbig2codec/symbol/JB2Symbol.h"

namespace ZAV {

struct JB2SymbolDictionary {
    JB2SegmentHeader* segment;  // link, not owned
    uint8_t sdrTemplate;        // SDRTEMPLATE, flags bit 12
    uint8_t sdTemplate;         // SDTEMPLATE, bits 10-11
    uint8_t contextUsed;        // bit 8
    uint8_t contextRetained;    // bit 9
    uint8_t huffAggInst;        // SDHUFFAGGINST, bit 7
    uint8_t huffBMSize;         // SDHUFFBMSIZE, bit 6
    uint8_t huffDH;             // SDHUFFDH, bits 2-3
    uint8_t huffDW;             // SDHUFFDW, bits 4-5
    uint8_t huffman;            // SDHUFF, bit 0
    uint8_t refAgg;             // SDREFAGG, bit 1
    int8_t atX[4];
    int8_t atY[4];
    int8_t ratX[2];
    int8_t ratY[2];
    uint32_t numExported;  // SDNUMEXSYMS
    uint32_t numNew;       // SDNUMNEWSYMS
    uint32_t* exportList;  // per exported symbol its index among the input and new symbols
    uint8_t decoded;
    uint8_t failed;           // decoding failed once: every region that refers to it fails at once
    JB2SymbolArray* symbols;  // the new symbols
    JB2Symbol** exported;     // the exported symbols themselves, once decoded
    uint32_t headerLength;
    uint32_t references;
};

// A dictionary with every flag 0, nominal AT pixels and no symbols (header
// length 18), not yet attached to its segment.
JB2_Error JB2SymbolDictionaryCreate(JB2SymbolDictionary** out, JB2SegmentHeader* segment, JB2Memory* memory,
                                    JB2Message* message);
// The dictionary of a symbol dictionary segment, made and its header read
// on first use; the segment keeps it.
JB2_Error JB2SymbolDictionaryOf(JB2SegmentHeader* segment, JB2Memory* memory, JB2Message* message,
                                JB2SymbolDictionary** dictionary);
JB2_Error JB2SymbolDictionaryReadHeader(JB2SymbolDictionary* dictionary, JB2Message* message);
uint32_t JB2SymbolDictionaryHeaderLength(const JB2SymbolDictionary* dictionary);

// Decodes the dictionary once, after the dictionaries it refers to; depth
// counts the dictionaries that are waiting for this one.
JB2_Error JB2SymbolDictionaryDecode(JB2SymbolDictionary* dictionary, JB2Memory* memory, uint32_t depth,
                                    JB2Message* message);

// The symbols a segment (a dictionary or a text region) takes from the
// decoded dictionaries it refers to: their exported symbols in referral
// order. *count is their number; -19 when a referred dictionary is not
// decoded or the sum passes the ceiling.
JB2_Error JB2ReferredSymbolCount(JB2SegmentHeader* segment, uint32_t* count, JB2Message* message);
// Fills `symbols` (room for the count above) with those symbols.
JB2_Error JB2ReferredSymbols(JB2SegmentHeader* segment, JB2Symbol** symbols, uint32_t count);

// Frees the object a segment holds (the segment's type object release).
JB2_Error JB2SymbolDictionaryRelease(void** dictionary, JB2Memory* memory);

}  // namespace ZAV
