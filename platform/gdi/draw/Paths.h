// Path brackets: between BeginPath and EndPath the shape calls add to the
// DC's path instead of drawing; the path is then stroked, filled or made
// the clip. Each of these calls uses the path up.
#pragma once

#include "platform/gdi/GdiTypes.h"

BOOL BeginPath(HDC dc);
BOOL EndPath(HDC dc);
BOOL AbortPath(HDC dc);
BOOL CloseFigure(HDC dc);
BOOL StrokePath(HDC dc);
BOOL FillPath(HDC dc);
BOOL StrokeAndFillPath(HDC dc);
// RGN_COPY makes the path the clip path; RGN_AND is taken as RGN_COPY when
// no clip path is set. Other modes fail.
BOOL SelectClipPath(HDC dc, int mode);
