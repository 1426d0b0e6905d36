#include "jbig2codec/render/JB2BitmapOps.h"

#include <cstring>

namespace ZAV {

void JB2RowShiftLeft(uint8_t* row, uint32_t width, uint32_t shift)
{
    const uint32_t bytes = (width + 7) / 8;
    if (shift == 0 || bytes == 0)
        return;
    for (uint32_t i = 0; i + 1 < bytes; ++i)
        row[i] = uint8_t((row[i] << shift) | (row[i + 1] >> (8 - shift)));
    row[bytes - 1] = uint8_t(row[bytes - 1] << shift);
}

namespace {

// Shifts a row right by shift bits into its spare byte.
void ShiftRight(uint8_t* row, uint32_t bytes, uint32_t shift)
{
    if (shift == 0)
        return;
    row[bytes] = uint8_t(row[bytes - 1] << (8 - shift));
    for (uint32_t i = bytes - 1; i > 0; --i)
        row[i] = uint8_t((row[i] >> shift) | (row[i - 1] << (8 - shift)));
    row[0] = uint8_t(row[0] >> shift);
}

// Makes the bits outside mask neutral, so that combining leaves them as they are.
inline uint8_t Neutral(uint8_t source, uint8_t destination, uint8_t mask, uint8_t combination)
{
    switch (combination) {
    case cJB2_Combine_Or:
    case cJB2_Combine_Xor:
        return uint8_t(source & mask);
    case cJB2_Combine_And:
    case cJB2_Combine_Xnor:
        return uint8_t(source | ~mask);
    default:
        return uint8_t((source & mask) | (destination & ~mask));
    }
}

inline uint8_t Combine(uint8_t destination, uint8_t source, uint8_t combination)
{
    switch (combination) {
    case cJB2_Combine_Or:
        return uint8_t(destination | source);
    case cJB2_Combine_And:
        return uint8_t(destination & source);
    case cJB2_Combine_Xor:
        return uint8_t(destination ^ source);
    case cJB2_Combine_Xnor:
        return uint8_t(~(destination ^ source));
    default:
        return source;
    }
}

}  // namespace

// T.88 7.4.1.5: the combination operators OR, AND, XOR, XNOR
// and REPLACE, applied over the span the source covers.
void JB2RowCombine(uint8_t* destination, uint8_t* source, uint32_t width, int64_t x, uint8_t combination)
{
    if (width == 0)
        return;
    uint32_t bitOffset = 0;
    uint32_t span = width;
    if (x < 0) {
        const uint64_t skip = uint64_t(-x);
        if (skip >= width)
            return;
        source += skip / 8;
        span = uint32_t(width - skip);
        JB2RowShiftLeft(source, span + uint32_t(skip % 8), uint32_t(skip % 8));
    } else {
        destination += uint64_t(x) / 8;
        bitOffset = uint32_t(uint64_t(x) % 8);
        ShiftRight(source, (width + 7) / 8, bitOffset);
    }
    const uint32_t bytes = (span + bitOffset + 7) / 8;
    const uint32_t tailBits = (span + bitOffset) % 8;
    for (uint32_t i = 0; i < bytes; ++i) {
        uint8_t mask = 0xFF;
        if (i == 0)
            mask = uint8_t(mask >> bitOffset);
        if (i == bytes - 1 && tailBits)
            mask &= uint8_t(0xFF << (8 - tailBits));
        uint8_t s = source[i];
        if (mask != 0xFF)
            s = Neutral(s, destination[i], mask, combination);
        destination[i] = Combine(destination[i], s, combination);
    }
}

void JB2RowSetRun(uint8_t* row, uint32_t x, uint32_t count)
{
    if (count == 0)
        return;
    uint8_t* p = row + x / 8;
    const uint32_t lead = x % 8;
    if (lead + count <= 8) {
        *p |= uint8_t(((0xFF00u >> count) & 0xFF) >> lead);
        return;
    }
    *p++ |= uint8_t(0xFF >> lead);
    count -= 8 - lead;
    std::memset(p, 0xFF, count / 8);
    p += count / 8;
    if (count % 8)
        *p |= uint8_t(0xFF00u >> (count % 8));
}

void JB2RowExtract(const uint8_t* row, uint64_t x, uint8_t* out, uint32_t width)
{
    if (width == 0)
        return;
    const uint32_t shift = uint32_t(x % 8);
    const uint32_t bytes = (width + shift + 7) / 8;
    std::memcpy(out, row + x / 8, bytes);
    JB2RowShiftLeft(out, width + shift, shift);
    const uint32_t kept = (width + 7) / 8;
    if (width % 8)
        out[kept - 1] &= uint8_t(0xFF << (8 - width % 8));
    if (bytes > kept)
        out[kept] = 0;
}

}  // namespace ZAV
