// Saving and restoring a DC's state, the page-space extents and viewport
// origin, and clipping to a rectangle. Ordinary DCs draw in MM_TEXT only, so
// on them the extents change nothing and the viewport origin stays (0, 0);
// a metafile DC records each call (platform/gdi/metafile/).
#pragma once

#include "platform/gdi/GdiTypes.h"

// Returns the new save level (from 1), 0 on failure.
int SaveDC(HDC dc);
// A negative level goes that many saves back; a positive one to that level.
BOOL RestoreDC(HDC dc, int level);

BOOL SetWindowExtEx(HDC dc, int x, int y, SIZE* old);
BOOL SetViewportExtEx(HDC dc, int x, int y, SIZE* old);
// Only (0, 0) on an ordinary DC.
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old);

// The clip becomes its intersection with the logical rectangle.
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);

namespace ZAV {
namespace Gdi {

// How many of depth saved states a RestoreDC to level leaves; -1 when the
// level names none of them. A metafile DC and the metafile player count
// their saves the same way.
int SavesKeptByRestore(int depth, int level);

}  // namespace Gdi
}  // namespace ZAV
