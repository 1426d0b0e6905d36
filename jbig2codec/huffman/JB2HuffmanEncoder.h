// Writing values with a Huffman table (the reverse of T.88 B.4) through a
// bit writer: the prefix code of the line that covers the value, then the
// value's offset into that line's range.
#pragma once

#include <cstdint>

#include "jbig2codec/huffman/JB2HuffmanTable.h"
#include "jbig2codec/io/JB2BitWriter.h"

namespace ZAV {

struct JB2HuffmanEncoder {
    JB2BitWriter* writer;
};

// Writes from startOffset of the output on.
JB2_Error Huffman_Encoder_Start(JB2HuffmanEncoder** out, JB2Memory* memory, uint32_t startOffset, JB2WriteData* output,
                                JB2Message* message);
// Codes value, or the out-of-band line when oob is 1. A value no line
// covers, or out-of-band for a table without that line, gives -24.
JB2_Error Huffman_Encode_Value(JB2HuffmanEncoder* encoder, const JB2HuffmanTable* table, int32_t value, uint8_t oob);
// Puts the low count bits (up to 32) of value, the highest first.
JB2_Error Huffman_Write_Bits(JB2HuffmanEncoder* encoder, uint32_t value, uint32_t count);
// The line that codes value (or out-of-band), -1 when there is none.
int32_t Huffman_Find_Line(const JB2HuffmanTable* table, int64_t value, uint8_t oob);
// Completes the last byte with zero bits and writes what is held.
JB2_Error Huffman_Encoder_End(JB2HuffmanEncoder** encoder, JB2Memory* memory);

}  // namespace ZAV
