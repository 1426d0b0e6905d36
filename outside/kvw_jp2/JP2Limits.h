// Ceilings on values read from JPEG 2000 data, each with its reason.
#pragma once

#include <cstdint>

namespace KVWJP2 {

// OpenJPEG holds every component as 32-bit samples: width x height x
// components x 4 bytes above this is refused before decoding.
constexpr uint64_t kMaxSampleBufferBytes = uint64_t(1) << 32;
// A metadata box (xml, uuid, jp2i, colr ICC) is held in memory whole.
constexpr uint64_t kMaxMetadataBoxBytes = uint64_t(64) << 20;
// Boxes looked at in one file or superbox: guards against endless lists of empty boxes.
constexpr uint32_t kMaxBoxes = 4096;
// T.800 I.5.3.4: pclr holds 1 to 1024 entries of 1 to 255 columns.
constexpr uint32_t kMaxPaletteEntries = 1024;
constexpr uint32_t kMaxPaletteColumns = 255;
// T.800 A.5.1: Csiz is at most 16384.
constexpr uint32_t kMaxComponents = 16384;
// Samples above 16 bits do not fit the 16-bit delivery.
constexpr uint32_t kMaxBitsPerSample = 16;
// Main-header marker segments scanned for comments before giving up.
constexpr uint32_t kMaxMainHeaderSegments = 65536;
// T.800 A.4: every tile has a tile-part of at least SOT (12 bytes) and SOD (2 bytes),
// so a codestream of n bytes holds at most n / 14 tiles.
constexpr uint64_t kMinTilePartBytes = 14;
// Region rectangles kept by the compressor.
constexpr uint32_t kMaxRegions = 256;
// Decomposition levels OpenJPEG accepts (OPJ_J2K_MAXRLVLS - 1).
constexpr uint32_t kMaxLevels = 32;

}  // namespace KVWJP2
