// CEntryPoint: one exported function of a bound library, its name and the
// address once it was resolved.
#pragma once

#include "foundation/text/String.h"
#include "platform/WinTypes.h"

namespace ZAV {

struct CEntryPoint {
    String name;
    FARPROC address = nullptr;  // null until resolved
};

}  // namespace ZAV
