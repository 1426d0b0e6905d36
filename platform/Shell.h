// Opening a file with the application the desktop associates with it.
#pragma once

#include "platform/WinTypes.h"

using HWND = void*;
using HINSTANCE = void*;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMAXIMIZED = 3;

// Result codes at or below 32 report a failure.
constexpr int SE_ERR_NOASSOC = 31;

// The verb "open" (any case, or none) runs `xdg-open FILE` detached, when
// xdg-open is on the PATH and a display is set; the window, parameters,
// folder and show mode have no meaning here. Returns a value above 32 when
// the application was started, SE_ERR_NOASSOC when nothing was done.
HINSTANCE ShellExecuteA(HWND window, const char* verb, const char* file, const char* parameters, const char* directory,
                        int show);
