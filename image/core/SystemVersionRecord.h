// The system version as the image code reads it once at construction: the
// version record and four platform flags derived from it.
#pragma once

#include "platform/Version.h"

namespace ZAV {

struct CSystemVersionRecord {
    OSVERSIONINFOA info{};
    int isWindows9x41 = 0;  // Windows 9x platform at version 4.1 or later
    int isNT41 = 0;         // NT platform at version 4.1 or later
    int isEither41 = 0;     // either of the two
    int isNT = 0;           // NT platform

    // Reads the record with GetVersionExA and derives the flags.
    void Fill();
};

}  // namespace ZAV
