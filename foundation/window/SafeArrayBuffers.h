// Byte buffers to and from one-dimensional OLE safe arrays of bytes, for
// the byte-array load and save of the image-edit interface.
#pragma once

#include <cstdint>

#include "platform/ole/SafeArrays.h"

namespace ZAV {

// Upper bound - lower bound + 1 of dimension 1; a bound that can't be read
// counts as -1.
int32_t GetSafeArraySize(SAFEARRAY* array);

// With allocate set, the buffer and size are cleared, then a buffer of the
// array's size is made with new[] (the caller deletes it with delete[]).
// Without it, the caller's buffer must be there and hold exactly the
// array's size. False copies nothing (and leaves no buffer made here).
bool CopySafeArrayToBuffer(SAFEARRAY* array, BYTE*& buffer, int32_t& size, bool allocate);

// Clears the variant, then makes it a VT_ARRAY | VT_UI1 array of the bytes
// (lower bound 0). False leaves the variant cleared.
bool CreateByteSafeArrayVariant(const BYTE* buffer, int32_t size, VARIANT* variant);

}  // namespace ZAV
