// The clipboard, as a store inside this process. Data set on it belong to
// it from then on and are freed when it is emptied or the format is set
// again. A packed DIB is made from a bitmap on request when only CF_BITMAP
// was set.
#pragma once

#include "platform/gdi/GdiTypes.h"

constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_METAFILEPICT = 3;
constexpr UINT CF_DIB = 8;
constexpr UINT CF_ENHMETAFILE = 14;

// FALSE when it is already open or the clipboard knob refuses.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
// Frees all data; the clipboard must be open.
BOOL EmptyClipboard();
// CF_DIB and CF_METAFILEPICT take global blocks, CF_BITMAP a bitmap,
// CF_ENHMETAFILE a metafile. Returns the handle, null when not open.
HANDLE SetClipboardData(UINT format, HANDLE data);
// The clipboard's own handle (not to be freed); null when absent or closed.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);

namespace ZAV {

struct ClipboardFailureKnobs {
    bool open = false;  // OpenClipboard gives FALSE
};
ClipboardFailureKnobs& ClipboardKnobs();

}  // namespace ZAV
