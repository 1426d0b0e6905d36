// Device contexts of the software graphics layer: the screen, memory DCs,
// window DCs and test DCs whose device values a test chooses. Every DC
// draws into a bitmap in memory; only MM_TEXT mapping exists, moved by the
// window origin.
#pragma once

#include "platform/gdi/GdiTypes.h"

namespace ZAV {

// The screen every GetDC(nullptr) draws on; its resolution is the screen
// metrics' (GetScreenLogPixels). At the default 96 dpi its pixels span
// whole millimetres (381 x 254 mm, HORZSIZE and VERTSIZE), so the sizes a
// metafile header takes from it agree with that resolution exactly.
constexpr int kScreenWidth = 1440;
constexpr int kScreenHeight = 960;
constexpr int kScreenBitsPixel = 32;

// Device values of a test DC and the size of the surface it draws on.
struct TestDeviceSettings {
    int width = 64;
    int height = 64;
    int bitsPixel = 32;
    int technology = DT_RASDISPLAY;
    int rasterCaps = RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_STRETCHBLT | RC_STRETCHDIB;
    int logPixelsX = 96;
    int logPixelsY = 96;
};

// A DC over a black surface of its own; DeleteDC frees both.
HDC CreateTestDC(const TestDeviceSettings& settings);

}  // namespace ZAV

// A memory DC with the reference DC's device values (the screen's for
// null), holding a 1 x 1 monochrome bitmap until another is selected.
HDC CreateCompatibleDC(HDC reference);
BOOL DeleteDC(HDC dc);

// The screen DC for a null window, else a DC over the window's client area.
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);

int GetDeviceCaps(HDC dc, int index);

// Selects a bitmap (memory DCs only), pen, brush or font and returns the
// one it replaces; a region is handed to SelectClipRgn and its result
// returned. Null on failure.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);

COLORREF SetBkColor(HDC dc, COLORREF colour);
COLORREF GetBkColor(HDC dc);
COLORREF SetTextColor(HDC dc, COLORREF colour);
COLORREF GetTextColor(HDC dc);
int SetMapMode(HDC dc, int mode);
int GetMapMode(HDC dc);
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* old);
BOOL GetWindowOrgEx(HDC dc, POINT* origin);
BOOL DPtoLP(HDC dc, POINT* points, int count);
BOOL LPtoDP(HDC dc, POINT* points, int count);
