// Ceilings the platform layer puts on what it reads from files of its own
// that the user may have edited, so that no file alone drives an allocation.
#pragma once

#include "platform/WinTypes.h"

#include <cstddef>

// The registry store is the user's own small text file; anything far larger is not one.
constexpr long kMaxStoreFileBytes = 16 * 1024 * 1024;
// Windows refuses longer key names; keeping the same bound keeps paths sane.
constexpr size_t kMaxKeyNameLength = 255;
// Deepest key chain the registry store accepts.
constexpr size_t kMaxKeyDepth = 64;
// Largest registry value the store accepts.
constexpr DWORD kMaxValueBytes = 1024 * 1024;
