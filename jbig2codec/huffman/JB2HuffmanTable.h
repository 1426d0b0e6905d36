// Huffman code tables of JBIG2 (T.88 Annex B): the prefix-code lines of a
// table, the assignment of their codes and the tree that decodes them.
#pragma once

#include <cstdint>

#include "jbig2codec/io/JB2BitReader.h"
#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"
#include "jbig2codec/support/JB2Status.h"

namespace ZAV {

// What a table line stands for, known once the table is finished.
enum JB2HuffmanKind : uint8_t {
    cJB2_Huffman_Absent = 0,
    cJB2_Huffman_Normal,
    cJB2_Huffman_Lower,
    cJB2_Huffman_Upper,
    cJB2_Huffman_OOB
};

struct JB2HuffmanEntry {
    uint8_t prefixLength;  // PREFLEN, 0 for a line the table does not use
    uint8_t rangeLength;   // RANGELEN
    int32_t rangeLow;      // RANGELOW
    uint32_t code;         // the prefix code, in the low prefixLength bits
    uint8_t kind;
};

// A node of the decode tree: either a leaf naming an entry or up to two children.
struct JB2HuffmanNode {
    int32_t child[2];  // node indices, -1 for none
    int32_t entry;     // entry index of a leaf, -1 otherwise
};

// Entries in this order: the normal lines in ascending range order, then
// the lower range, upper range and out-of-band lines (absent ones with
// PREFLEN 0).
struct JB2HuffmanTable {
    uint32_t count;
    uint32_t capacity;
    JB2HuffmanEntry* entries;
    JB2HuffmanNode* nodes;
    uint32_t nodeCount;
    uint8_t finished;
};

JB2_Error Huffman_Table_Create(JB2HuffmanTable** out, JB2Memory* memory, JB2Message* message);
JB2_Error Huffman_Table_Add_Entry(JB2HuffmanTable* table, JB2Memory* memory, uint32_t prefixLength,
                                  uint32_t rangeLength, int32_t rangeLow, JB2Message* message);
// Checks the lines, assigns the codes (T.88 B.3) and builds the decode tree.
JB2_Error Huffman_Table_Finish(JB2HuffmanTable* table, JB2Memory* memory, JB2Message* message);
// Standard table B.(number + 1), number 0 to 14.
JB2_Error Huffman_Table_Standard(JB2HuffmanTable** out, JB2Memory* memory, uint32_t number, JB2Message* message);
// A table read from the data of a tables segment (T.88 B.2).
JB2_Error Huffman_Table_User_Defined(JB2HuffmanTable** out, JB2Memory* memory, const uint8_t* data, uint32_t length,
                                     JB2Message* message);
// The symbol-ID table of a Huffman text region of `symbols` symbols, read
// from the reader, which is left at the next byte boundary.
JB2_Error Huffman_Table_Symbol_ID(JB2HuffmanTable** out, JB2Memory* memory, JB2BitReader* reader, uint32_t symbols,
                                  JB2Message* message);
// Makes room for `count` lines at once (tables whose size is known).
JB2_Error Huffman_Table_Reserve(JB2HuffmanTable* table, JB2Memory* memory, uint64_t count, JB2Message* message);
JB2_Error Huffman_Table_End(JB2HuffmanTable** table, JB2Memory* memory);

// Decodes one value (T.88 B.4). *oob is 1 for the out-of-band line. A code
// the table lacks gives -24; data that runs out gives -19; a value beyond
// 32 signed bits gives -19.
JB2_Error Huffman_Decode_Value(JB2BitReader* reader, const JB2HuffmanTable* table, int32_t* value, uint8_t* oob);

// Moves the reader on by whole bytes (data a decoder read elsewhere).
void Huffman_Skip_Bytes(JB2BitReader* reader, uint64_t count);

}  // namespace ZAV
