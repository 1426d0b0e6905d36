// Ceilings of the format library for values read from files, each with the
// reason it holds. The pixel ceiling itself is kMaxImageBytes of the image
// library (image/core/ImageLimits.h).
#pragma once

#include <cstdint>

namespace ZAV {

// Deflate turns one byte into at most 1032 (RFC 1951: a 258-byte match in
// two one-bit codes), so a zlib stream of n bytes inflates to at most
// n x 1032: a PNG whose rows need more than that is short of data.
constexpr uint64_t kMaxDeflateExpansion = 1032;

// Bytes a PNG header, its chunks and its end take besides the image data,
// allowed on top of the deflate bound so tiny images are never refused.
constexpr uint64_t kPngChunkAllowance = 4096;

// libjpeg's own working memory (progressive coefficient buffers, colour
// tables): no more than the largest pixel block the image may hold.
constexpr int64_t kMaxJpegLibraryBytes = 0x7FFDEFFF;

// Longest PNG chunk (ISO/IEC 15948 5.3: lengths are below 2^31).
constexpr uint64_t kMaxPngChunkLength = 0x7FFFFFFF;

}  // namespace ZAV
