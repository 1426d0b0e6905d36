#include "plugins/jpeg2000/Jpeg2000Texts.h"

#include <cstdio>

#include "foundation/text/TextException.h"

namespace ZAV {

const char kJp2InternalError[] = "Internal library error (%ld).\n";
const char kJp2OutOfMemory[] = "Out of memory.\n";

void ThrowJpeg2000Text(const char* format, long value)
{
    char text[256];
    std::snprintf(text, sizeof(text), format, value);
    ThrowTextException(text);
}

void CheckJpeg2000Status(int32_t status, const char* format)
{
    if (status != 0)
        ThrowJpeg2000Text(format, status);
}

}  // namespace ZAV
