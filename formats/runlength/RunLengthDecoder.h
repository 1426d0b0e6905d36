// The decoder of PDF /RunLengthDecode data (ISO 32000-1, 7.4.5; the
// PackBits scheme): a length byte n of 0 to 127 is followed by n + 1
// literal bytes, one of 129 to 255 by a byte repeated 257 - n times, and 128
// ends the data.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/containers/ArraySimple.h"

namespace ZAV {

// The length byte that ends the data; writers put it after the last row.
constexpr uint8_t kRunLengthEndOfData = 128;

// Decodes into exactly bytes per line x height of the picture: a run that
// would pass the end is cut, bytes the data does not reach stay 0, and
// anything after the end-of-data code is ignored. Throws "Invalid
// Parameter!" for a size or depth no image has and "Invalid Image Size!"
// above the ceiling, before anything is allocated.
void DecodeRunLengthRows(const uint8_t* data, size_t size, int width, int height, int bitsPerPixel,
                         CArraySimple<unsigned char, 1>& output);

// The bytes the PackBits data decodes to, written into output (at most
// capacity bytes); returns the count written.
size_t DecodePackBits(const uint8_t* data, size_t size, uint8_t* output, size_t capacity);

}  // namespace ZAV
