// Lines, curves and shapes in the selected pen and brush, drawn through
// cairo (CairoPaint.h). Coordinates are logical; boxes are right and bottom
// exclusive. Arcs run counter-clockwise from the radial through the start
// point to the radial through the end point. Inside a path bracket
// (Paths.h) every call adds to the path instead of drawing.
#pragma once

#include "platform/gdi/GdiTypes.h"

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles);
HBRUSH CreateHatchBrush(int hatch, COLORREF colour);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);

int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
int SetPolyFillMode(HDC dc, int mode);
int GetPolyFillMode(HDC dc);

BOOL MoveToEx(HDC dc, int x, int y, POINT* old);
// From the current position to the point, which becomes the current one.
BOOL LineTo(HDC dc, int x, int y);
BOOL Polyline(HDC dc, const POINT* points, int count);
BOOL PolylineTo(HDC dc, const POINT* points, DWORD count);
BOOL Polygon(HDC dc, const POINT* points, int count);
BOOL PolyPolygon(HDC dc, const POINT* points, const int* counts, int polygons);
BOOL PolyPolyline(HDC dc, const POINT* points, const DWORD* counts, DWORD polylines);
// Cubic Béziers: a start point, then three points per curve.
BOOL PolyBezier(HDC dc, const POINT* points, DWORD count);
// From the current position: three points per curve.
BOOL PolyBezierTo(HDC dc, const POINT* points, DWORD count);

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
BOOL ArcTo(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
BOOL Chord(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
BOOL Pie(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);

// Returns the colour written, CLR_INVALID (0xFFFFFFFF) outside the drawable area.
COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour);
