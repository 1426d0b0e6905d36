// Ceilings of the format library for values read from files, each with the
// reason it holds. The pixel ceiling itself is kMaxImageBytes of the image
// library (image/core/ImageLimits.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/core/ImageLimits.h"

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
constexpr int64_t kMaxJpegLibraryBytes = kMaxImageBytes;

// Longest PNG chunk (ISO/IEC 15948 5.3: lengths are below 2^31).
constexpr uint64_t kMaxPngChunkLength = 0x7FFFFFFF;
// libpng's ceiling for one ancillary chunk's data, as stored or as inflated
// (compressed text and profiles): real pictures carry a few megabytes at
// most, and a 57-byte file may declare a 2 GB chunk.
constexpr uint32_t kMaxPngAncillaryChunkBytes = 16u << 20;
// Ancillary chunks of the kinds libpng keeps a list of (text, suggested
// palettes, unknown chunks) kept per file.
constexpr uint32_t kMaxPngCachedChunks = 128;

// TIFF: decoded bytes allowed per byte of the file. The densest codes real
// files use stay below it (a blank CCITT row is one bit whatever its width,
// Deflate tops out near 1032:1, LZW near 2700:1), so a small file cannot
// ask for gigabytes of pixels.
constexpr int64_t kTiffMaxDecodeExpansion = int64_t(1) << 16;

// libtiff's messages stored in an image's information list per decode:
// damaged data can raise one on every row, and the list is no log.
constexpr int kTiffMaxListedMessages = 256;

// An embedded ICC profile larger than this is no real profile.
constexpr uint32_t kTiffMaxIccProfileBytes = 64u << 20;
// Bytes a decoder reads into memory from one source (BMP, JBIG): the
// largest pixel block plus room for headers and colour tables before it.
constexpr size_t kMaxCodecSourceBytes = static_cast<size_t>(kMaxImageBytes) + 1024 * 1024;

// JBIG: JBIG-KIT allocates every bit plane at full size (and a half-size
// layer beside it) from the header alone, and stops the process when the
// heap refuses, so the header's size is bounded first. 2^25 bytes hold an
// A4 page at 1,200 dpi.
constexpr int64_t kMaxJbigPlaneBytes = int64_t(1) << 25;
// Every plane of the file is decoded, though only plane 0 is kept.
constexpr int64_t kMaxJbigDecodeBytes = int64_t(1) << 26;
// Rows of all planes together: each row costs decoding work even when a few
// bytes code millions of them, so a tiny file cannot ask for minutes.
constexpr int64_t kMaxJbigRows = int64_t(1) << 21;

// EXIF: directories of the main chain walked at most. Cameras write two
// (the main image and the thumbnail); the links come from the file, and
// directories at distinct but overlapping positions could otherwise be
// read again and again within one block of up to 100,000 bytes.
constexpr int kExifMaxChainDirectories = 16;

// GIF: image descriptors one file may hold. Each costs a record, so a small
// hostile file of bare descriptors cannot ask for gigabytes; real
// animations stay far below it.
constexpr int kMaxGifFrames = 1 << 16;
// GIF: pixels one byte of LZW data can give: a code is at least 3 bits and
// stands for at most 4096 pixels. A frame larger than its data could fill
// is refused before its pixels are allocated.
constexpr uint64_t kGifMaxPixelsPerCodeByte = 4096 * 8 / 3 + 1;

// PSD: PackBits turns two bytes into at most 128 samples, so the pixels of
// a merged image, layer or mask may be at most 64 times the bytes left for
// them; a larger header is refused before its pixels are allocated.
constexpr int64_t kPsdMaxPackBitsExpansion = 64;

}  // namespace ZAV
