// zlib compression and decompression of byte buffers and streams through the
// Boost.Iostreams zlib filters: zlib header and trailer, default level,
// window bits 15, memory level 8, 4096-byte stream buffers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "foundation/FoundationLimits.h"

namespace ZAV {

// Both give an empty result for an empty input.
std::vector<uint8_t> ZlibCompress(const uint8_t* data, size_t size);
// Corrupt or truncated data, and output beyond maxOutput bytes, fail with
// a CTextException naming the fault.
std::vector<uint8_t> ZlibDecompress(const uint8_t* data, size_t size,
                                    uint64_t maxOutput = kMaxInflatedBufferBytes);

// Stream forms, for files: what names the input in error texts ("file 'x'").
// An input that ends at once decompresses to nothing.
void ZlibCompressStream(std::istream& input, std::ostream& output, const std::string& what);
void ZlibDecompressStream(std::istream& input, std::ostream& output, const std::string& what);

}  // namespace ZAV
