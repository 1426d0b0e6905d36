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

template <uint8_t Combination>
inline uint8_t Combine(uint8_t destination, uint8_t source)
{
    switch (Combination) {
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

// Combines only the bits of mask; the others keep their value.
template <uint8_t Combination>
inline uint8_t CombineMasked(uint8_t destination, uint8_t source, uint8_t mask)
{
    return uint8_t((Combine<Combination>(destination, source) & mask) | (destination & ~mask));
}

// Byte i of the source shifted right by shift (0 to 7) bits; bytes past
// the source's end read as 0.
inline uint8_t ShiftedByte(const uint8_t* source, uint32_t sourceBytes, uint32_t i, uint32_t shift)
{
    const uint32_t here = i < sourceBytes ? source[i] : 0;
    const uint32_t before = i > 0 ? source[i - 1] : 0;
    return uint8_t((here >> shift) | (before << (8 - shift)));
}

// The span's bytes: the first and last under their masks, the ones between
// whole, shifting on the fly so that nothing is written twice. Instances of
// each operator keep the inner loop free of tests, so that it vectorises.
template <uint8_t Combination>
void CombineSpan(uint8_t* destination, const uint8_t* source, uint32_t sourceBytes, uint32_t bytes, uint32_t shift,
                 uint8_t firstMask, uint8_t lastMask)
{
    if (bytes == 1) {
        destination[0] = CombineMasked<Combination>(destination[0], ShiftedByte(source, sourceBytes, 0, shift),
                                                    uint8_t(firstMask & lastMask));
        return;
    }
    destination[0] = CombineMasked<Combination>(destination[0], ShiftedByte(source, sourceBytes, 0, shift), firstMask);
    const uint32_t last = bytes - 1;
    // Bytes 1 to last - 1 lie within the source.
    if (shift == 0) {
        for (uint32_t i = 1; i < last; ++i)
            destination[i] = Combine<Combination>(destination[i], source[i]);
    } else {
        for (uint32_t i = 1; i < last; ++i)
            destination[i] =
                Combine<Combination>(destination[i], uint8_t((source[i] >> shift) | (source[i - 1] << (8 - shift))));
    }
    destination[last] =
        CombineMasked<Combination>(destination[last], ShiftedByte(source, sourceBytes, last, shift), lastMask);
}

// Where a span of width pixels from pixel x on falls in its row's bytes.
struct SpanLayout {
    uint32_t shift;
    uint32_t sourceBytes;
    uint32_t bytes;
    uint8_t firstMask;
    uint8_t lastMask;
};

SpanLayout LayoutOf(uint32_t width, uint64_t x)
{
    SpanLayout s;
    s.shift = uint32_t(x % 8);
    s.sourceBytes = (width + 7) / 8;
    s.bytes = (width + s.shift + 7) / 8;
    const uint32_t tailBits = (width + s.shift) % 8;
    s.firstMask = uint8_t(0xFF >> s.shift);
    s.lastMask = tailBits ? uint8_t(0xFF << (8 - tailBits)) : uint8_t(0xFF);
    return s;
}

template <uint8_t Combination>
void CombineRows(uint8_t* destination, uint64_t destinationStride, const uint8_t* source, uint64_t sourceStride,
                 uint32_t rows, const SpanLayout& s)
{
    for (uint32_t row = 0; row < rows; ++row, destination += destinationStride, source += sourceStride)
        CombineSpan<Combination>(destination, source, s.sourceBytes, s.bytes, s.shift, s.firstMask, s.lastMask);
}

}  // namespace

// T.88 7.4.1.5: the combination operators OR, AND, XOR, XNOR
// and REPLACE, applied over the span the source covers.
void JB2RowsCombineAt(uint8_t* destination, uint64_t destinationStride, const uint8_t* source, uint64_t sourceStride,
                      uint32_t width, uint32_t rows, uint64_t x, uint8_t combination)
{
    if (width == 0 || rows == 0)
        return;
    destination += x / 8;
    const SpanLayout s = LayoutOf(width, x);
    switch (combination) {
    case cJB2_Combine_Or:
        return CombineRows<cJB2_Combine_Or>(destination, destinationStride, source, sourceStride, rows, s);
    case cJB2_Combine_And:
        return CombineRows<cJB2_Combine_And>(destination, destinationStride, source, sourceStride, rows, s);
    case cJB2_Combine_Xor:
        return CombineRows<cJB2_Combine_Xor>(destination, destinationStride, source, sourceStride, rows, s);
    case cJB2_Combine_Xnor:
        return CombineRows<cJB2_Combine_Xnor>(destination, destinationStride, source, sourceStride, rows, s);
    default:
        return CombineRows<cJB2_Combine_Replace>(destination, destinationStride, source, sourceStride, rows, s);
    }
}

void JB2RowCombineAt(uint8_t* destination, const uint8_t* source, uint32_t width, uint64_t x, uint8_t combination)
{
    JB2RowsCombineAt(destination, 0, source, 0, width, 1, x, combination);
}

void JB2RowCombine(uint8_t* destination, uint8_t* source, uint32_t width, int64_t x, uint8_t combination)
{
    if (x >= 0) {
        JB2RowCombineAt(destination, source, width, uint64_t(x), combination);
        return;
    }
    // Left of the destination: the source's visible part is moved to its start.
    const uint64_t skip = uint64_t(-x);
    if (skip >= width)
        return;
    source += skip / 8;
    const uint32_t span = uint32_t(width - skip);
    JB2RowShiftLeft(source, span + uint32_t(skip % 8), uint32_t(skip % 8));
    JB2RowCombineAt(destination, source, span, 0, combination);
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
