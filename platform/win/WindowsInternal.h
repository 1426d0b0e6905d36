// What the graphics, message and timer services need to know of windows.
// Internal to the platform layer.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <cstdint>

namespace ZAV {
namespace Win {

// The bitmap behind the window's client area; null for no window.
HBITMAP SurfaceOfWindow(HWND window);

// The queue key of the thread that made the window; false for no window.
bool OwnerOfWindow(HWND window, uint64_t& threadKey);

}  // namespace Win
}  // namespace ZAV
