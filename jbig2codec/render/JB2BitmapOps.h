// The line operations through which every packed bi-level row of the codec
// is placed: rows are one bit per pixel, most significant bit first.
#pragma once

#include <cstdint>

namespace ZAV {

// Combination operators of regions and pages; any value above 3 replaces.
enum : uint8_t {
    cJB2_Combine_Or = 0,
    cJB2_Combine_And = 1,
    cJB2_Combine_Xor = 2,
    cJB2_Combine_Xnor = 3,
    cJB2_Combine_Replace = 4,
};

// Shifts the (width + 7) / 8 bytes of a row left by shift (0 to 7) bits.
void JB2RowShiftLeft(uint8_t* row, uint32_t width, uint32_t shift);

// Combines width pixels of source into destination from pixel x on; the
// destination outside [x, x + width) is unchanged. The source may be
// shifted in place and needs one spare byte behind its (width + 7) / 8
// bytes. The caller keeps the span inside the destination.
void JB2RowCombine(uint8_t* destination, uint8_t* source, uint32_t width, int64_t x, uint8_t combination);
// The same from column x >= 0 on; the source is only read, no spare byte.
void JB2RowCombineAt(uint8_t* destination, const uint8_t* source, uint32_t width, uint64_t x, uint8_t combination);

// JB2RowCombineAt over `rows` rows, source and destination each moving on
// by its stride: a whole glyph is placed with one setup.
void JB2RowsCombineAt(uint8_t* destination, uint64_t destinationStride, const uint8_t* source, uint64_t sourceStride,
                      uint32_t width, uint32_t rows, uint64_t x, uint8_t combination);

// Sets count pixels from pixel x on.
void JB2RowSetRun(uint8_t* row, uint32_t x, uint32_t count);

// Copies pixels [x, x + width) of a row to the start of out, which holds
// (width + 7) / 8 + 1 bytes; bits behind the width are cleared.
void JB2RowExtract(const uint8_t* row, uint64_t x, uint8_t* out, uint32_t width);

}  // namespace ZAV
