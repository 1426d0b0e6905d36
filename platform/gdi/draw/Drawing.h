// Pens, brushes and fonts, rectangles, and text. Text is drawn in the
// selected font (CairoText.h), and each DC also records what it was asked
// to write, where and in which font.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <string>
#include <vector>

HPEN CreatePen(int style, int width, COLORREF colour);
HBRUSH CreateSolidBrush(COLORREF colour);
HFONT CreateFontIndirectA(const LOGFONTA* font);

// The outline in the selected pen (centred on the box's edge pixels), the
// inside in the selected brush; right and bottom exclusive.
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
// The rectangle in the brush; right and bottom exclusive.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);

UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);

// Characters of TextOutA are Latin-1.
BOOL TextOutA(HDC dc, int x, int y, const char* text, int length);
// Advances, when given, are one a character in logical units.
BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, const WCHAR* text, UINT length,
                 const int* advances);
// Records the text at the rectangle's top-left; returns a line height.
int DrawTextA(HDC dc, const char* text, int length, RECT* rect, UINT format);

namespace ZAV {

struct RecordedText {
    std::string text;
    int x = 0;
    int y = 0;
    std::string face;
    LONG height = 0;  // the font's lfHeight
    UINT format = 0;  // DrawTextA's format flags; 0 for TextOutA
};

// Everything written on the DC so far, in order.
std::vector<RecordedText> GetRecordedTexts(HDC dc);

}  // namespace ZAV
