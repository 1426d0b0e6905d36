// Ceilings of the platform layer, each with the reason it exists, so that no
// caller's wrong size and no file the user may have edited alone drives an
// allocation.
#pragma once

#include "platform/WinTypes.h"

#include <cstddef>
#include <cstdint>

namespace ZAV {

// Pixels of one bitmap of the graphics layer: 256 megapixels, far beyond any
// device surface, keeps a caller's wrong size from exhausting memory.
constexpr uint64_t kMaxBitmapPixels = uint64_t(1) << 28;

// Bytes of a picture OleLoadPicture reads: the same order as the image limit.
constexpr uint64_t kMaxPictureStreamBytes = uint64_t(1) << 30;

}  // namespace ZAV

// The registry store is the user's own small text file; anything far larger is not one.
constexpr long kMaxStoreFileBytes = 16 * 1024 * 1024;
// Windows refuses longer key names; keeping the same bound keeps paths sane.
constexpr size_t kMaxKeyNameLength = 255;
// Deepest key chain the registry store accepts.
constexpr size_t kMaxKeyDepth = 64;
// Largest registry value the store accepts.
constexpr DWORD kMaxValueBytes = 1024 * 1024;
