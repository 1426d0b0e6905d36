// Failure texts of the JPEG 2000 plug-in that carry a number, raised as the
// library's text exception.
#pragma once

#include <cstdint>

namespace ZAV {

extern const char kJp2InternalError[];  // "Internal library error (%ld).\n"
extern const char kJp2OutOfMemory[];

// Throws the format filled with the number.
[[noreturn]] void ThrowJpeg2000Text(const char* format, long value);

// Throws the format with the status unless the status is 0.
void CheckJpeg2000Status(int32_t status, const char* format = kJp2InternalError);

}  // namespace ZAV
