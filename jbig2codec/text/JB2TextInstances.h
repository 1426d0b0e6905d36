// The text region decoding procedure of T.88 6.4: symbol instances placed
// strip by strip into a bitmap. Serves the text region segments of a page
// and the aggregate symbols of symbol dictionaries.
#pragma once

#include <cstdint>

#include "jbig2codec/huffman/JB2HuffmanTable.h"
#include "jbig2codec/mq/JB2MQDecoder.h"
#include "jbig2codec/symbol/JB2Symbol.h"

namespace ZAV {

// The symbols instances may name: the input symbols, then (for a symbol
// dictionary's aggregates) its new symbols decoded so far.
struct JB2SymbolSet {
    JB2Symbol* const* inputs;
    uint32_t inputCount;
    const JB2SymbolArray* added;  // may be null
};

// Symbol i of the set, or null when it does not exist (yet).
JB2Symbol* JB2SymbolSetGet(const JB2SymbolSet* set, uint64_t index);

// Reference corners.
enum : uint8_t { cJB2_Corner_Bottom_Left = 0, cJB2_Corner_Top_Left, cJB2_Corner_Bottom_Right, cJB2_Corner_Top_Right };

struct JB2TextParameters {
    uint8_t huffman;      // SBHUFF
    uint8_t refine;       // SBREFINE
    uint8_t refCorner;    // REFCORNER
    uint8_t transposed;   // TRANSPOSED
    uint8_t combination;  // SBCOMBOP
    uint8_t rTemplate;    // SBRTEMPLATE
    uint8_t ratNominal;
    int8_t ratX[2];
    int8_t ratY[2];
    uint32_t instances;      // SBNUMINSTANCES
    uint32_t strips;         // SBSTRIPS
    uint32_t logStrips;      // LOG2SBSTRIPS
    int32_t dsOffset;        // SBDSOFFSET
    uint32_t symCodeLength;  // SBSYMCODELEN
    // Huffman mode: the tables; a null symbolID table reads the IDs as
    // symCodeLength raw bits (aggregates of symbol dictionaries).
    const JB2HuffmanTable* fs;
    const JB2HuffmanTable* ds;
    const JB2HuffmanTable* dt;
    const JB2HuffmanTable* rdw;
    const JB2HuffmanTable* rdh;
    const JB2HuffmanTable* rdx;
    const JB2HuffmanTable* rdy;
    const JB2HuffmanTable* rsize;
    const JB2HuffmanTable* symbolID;
};

// Packed rows that the instances are combined into.
struct JB2TextBitmap {
    uint8_t* rows;
    uint32_t width;
    uint32_t height;
    uint32_t stride;
};

// The coders: the MQ decoder (arithmetic mode, and refinements in Huffman
// mode: made over data on first use when null) and the bit reader of
// Huffman mode over the same data.
struct JB2TextCoder {
    JB2MQDecoder* mq;
    JB2BitReader* reader;
    const uint8_t* data;
    uint32_t length;
};

// Decodes the instances into the bitmap. *pixels is the work left: every
// instance's pixels are taken from it, and running out fails with -19.
JB2_Error JB2TextDecodeInstances(const JB2TextParameters* parameters, const JB2SymbolSet* symbols,
                                 JB2TextBitmap* bitmap, JB2TextCoder* coder, uint64_t* pixels, JB2Memory* memory,
                                 JB2Message* message);

// Huffman mode: reads a refinement data size with its table, aligns the
// reader and starts (or restarts) the coder's MQ decoder at that byte.
// *size is the byte count the caller skips once the refinement is decoded.
JB2_Error JB2StartRefinementData(JB2TextCoder* coder, const JB2HuffmanTable* sizeTable, int64_t* size,
                                 JB2Memory* memory, JB2Message* message);

}  // namespace ZAV
