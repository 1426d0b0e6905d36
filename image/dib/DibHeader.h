// Headers of packed DIBs: the classic helpers (stride, colour count, size
// of the colour table) and the check every DIB from outside passes before
// a byte of it is read: header fields, then the header, masks, colour table
// and bits against the bytes the block really holds.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <cstddef>
#include <cstdint>

namespace ZAV {

// Bytes of one DIB row, padded to 32 bits, in 64 bits.
int64_t GetDibStride(const BITMAPINFOHEADER& header);
int64_t GetDibStride(int64_t width, int planes, int bitCount);
// biClrUsed when set (never for a core header), else 2, 16 or 256 for 1, 4
// and 8 bits, else 0.
int GetDibColorCount(const BITMAPINFOHEADER& header);
// Colour table bytes (3 an entry for a core header), plus 12 for the masks
// of BI_BITFIELDS after a 40-byte header.
int64_t GetDibPaletteSize(const BITMAPINFOHEADER& header);

// Copies a header out of a block (a core header widened to the 40-byte
// form) and fills in biSizeImage and biClrUsed when they are 0. False when
// the block is too small for its header.
bool ReadDibHeader(const void* block, size_t blockSize, BITMAPINFOHEADER& header);

// The bits of an icon image's DIB: every header whose size is not 40 is
// read as a core header (3 bytes a colour entry). Null when the header, its
// colour table or the rows it describes do not fit the length.
const BYTE* GetDibBits(const BYTE* dib, size_t length);

// Where everything of a checked DIB lies within its block.
struct DibLayout {
    BITMAPINFOHEADER header{};  // widened from a core header when core
    bool core = false;
    int32_t width = 0;
    int32_t height = 0;  // rows, positive
    bool bottomUp = true;
    int colourCount = 0;  // entries really in the table
    size_t colourOffset = 0;
    int colourEntrySize = 4;
    uint32_t masks[3] = {0, 0, 0};  // for BI_BITFIELDS
    size_t bitsOffset = 0;
    int64_t stride = 0;
    size_t bitsSize = 0;  // uncompressed: stride * height; RLE: the coded bytes there are
};

// Why a DIB was refused: kDibInvalid ("Invalid Parameter!"),
// kDibBadDepth ("Invalid Bitdepth!") or kDibCompressionMismatch (code 107,
// "Invalid Bitdepth!").
enum class DibFault { None, Invalid, BadDepth, CompressionMismatch };

// Checks a packed DIB of blockSize bytes: header size 12 or at least 40;
// width at least 1; height not 0 nor INT_MIN; one plane; 1, 4, 8, 16, 24,
// 32 or 48 bits; RLE8 only at 8 bits and RLE4 only at 4; bit fields only at
// 16 or 32 bits with no empty mask; biClrUsed at most 2^bits up to 8 bits;
// sizes below the image ceiling; everything inside the block.
DibFault CheckDib(const void* block, size_t blockSize, DibLayout& layout);

// The colour table as 256 entries of blue, green, red, alpha: indices past
// the table read its last entry, so no index can reach beyond it.
void ClampedDibPalette(const void* block, const DibLayout& layout, uint32_t palette[256]);

}  // namespace ZAV
