#include "platform/gdi/draw/Drawing.h"

#include "platform/gdi/draw/CairoPaint.h"
#include "platform/gdi/draw/CairoText.h"
#include "platform/gdi/GdiKnobs.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/metafile/record/MetafileDC.h"

#include <algorithm>
#include <cstring>

using namespace ZAV::Gdi;

namespace {

constexpr int kRecordedLineHeight = 16;

void PaintRect(DC& dc, RECT r, COLORREF colour)
{
    const POINT a = ToDevice(dc, r.left, r.top);
    const POINT b = ToDevice(dc, r.right, r.bottom);
    for (LONG y = a.y; y < b.y; ++y)
        for (LONG x = a.x; x < b.x; ++x)
            PaintPixel(dc, x, y, colour);
}

bool Record(HDC handle, const std::string& text, int x, int y)
{
    DC* dc = FindDC(handle);
    if (!dc)
        return false;
    TextRecord record;
    record.text = text;
    record.x = x;
    record.y = y;
    if (const Font* font = FindAs<Font>(dc->font, Kind::Font)) {
        record.face = font->logFont.lfFaceName;
        record.height = font->logFont.lfHeight;
    }
    dc->texts.push_back(record);
    return true;
}

}  // namespace

HPEN CreatePen(int style, int width, COLORREF colour)
{
    if (ZAV::GdiKnobs().objectCreation)
        return nullptr;
    auto pen = std::make_unique<Pen>();
    pen->style = style;
    pen->width = width;
    pen->colour = colour & 0xFFFFFF;
    return Register(std::move(pen));
}

HBRUSH CreateSolidBrush(COLORREF colour)
{
    if (ZAV::GdiKnobs().objectCreation)
        return nullptr;
    auto brush = std::make_unique<Brush>();
    brush->colour = colour & 0xFFFFFF;
    return Register(std::move(brush));
}

HFONT CreateFontIndirectA(const LOGFONTA* logFont)
{
    if (!logFont || ZAV::GdiKnobs().objectCreation)
        return nullptr;
    auto font = std::make_unique<Font>();
    font->logFont = *logFont;
    font->logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    return Register(std::move(font));
}

BOOL Rectangle(HDC handle, int left, int top, int right, int bottom)
{
    if (ZAV::Meta::RefusedOnMetafile(handle))
        return FALSE;
    DC* dc = FindDC(handle);
    if (!dc)
        return FALSE;
    return PaintShape(*dc, kFillPart | kStrokePart,
                      [=](cairo_t* cr, bool outline) {
                          const double shrink = outline ? 1 : 0;
                          const double l = std::min(left, right), t = std::min(top, bottom);
                          const double w = std::max(0.0, std::abs(double(right) - left) - shrink);
                          const double h = std::max(0.0, std::abs(double(bottom) - top) - shrink);
                          cairo_rectangle(cr, l, t, w, h);
                      })
               ? TRUE
               : FALSE;
}

int FillRect(HDC handle, const RECT* rect, HBRUSH brushHandle)
{
    if (ZAV::Meta::RefusedOnMetafile(handle))
        return 0;
    DC* dc = FindDC(handle);
    const Brush* brush = FindAs<Brush>(brushHandle, Kind::Brush);
    if (!dc || !rect || !brush)
        return 0;
    if (!brush->nullBrush)
        PaintRect(*dc, *rect, brush->colour);
    return 1;
}

UINT SetTextAlign(HDC handle, UINT align)
{
    DC* dc = FindDC(handle);
    if (!dc)
        return 0xFFFFFFFF;  // GDI_ERROR
    const UINT old = dc->textAlign;
    dc->textAlign = align & (TA_UPDATECP | TA_CENTER | TA_BASELINE);
    return old;
}

UINT GetTextAlign(HDC handle)
{
    const DC* dc = FindDC(handle);
    return dc ? dc->textAlign : 0xFFFFFFFF;
}

BOOL TextOutA(HDC handle, int x, int y, const char* text, int length)
{
    if (ZAV::Meta::RefusedOnMetafile(handle) || !text)
        return FALSE;
    const std::string bytes(text, static_cast<size_t>(length < 0 ? std::strlen(text) : size_t(length)));
    if (!Record(handle, bytes, x, y))
        return FALSE;
    std::u32string characters;
    for (unsigned char c : bytes)
        characters += char32_t(c);
    return PaintText(*FindDC(handle), x, y, 0, nullptr, characters, nullptr) ? TRUE : FALSE;
}

BOOL ExtTextOutW(HDC handle, int x, int y, UINT options, const RECT* rect, const WCHAR* text, UINT length,
                 const int* advances)
{
    if (ZAV::Meta::RefusedOnMetafile(handle) || (!text && length))
        return FALSE;
    std::u32string characters;
    for (UINT i = 0; i < length; ++i) {
        char32_t c = text[i];
        // A surrogate pair is one character; a lone surrogate is drawn as U+FFFD.
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;
        characters += c;
    }
    std::vector<int> perCharacter;
    if (advances) {  // advances are given per UTF-16 unit; a pair's two are summed
        UINT unit = 0;
        for (char32_t c : characters) {
            perCharacter.push_back(advances[unit] + (c >= 0x10000 ? advances[unit + 1] : 0));
            unit += c >= 0x10000 ? 2 : 1;
        }
    }
    if (!Record(handle, ToUtf8(characters), x, y))
        return FALSE;
    return PaintText(*FindDC(handle), x, y, options, rect, characters, advances ? perCharacter.data() : nullptr)
               ? TRUE
               : FALSE;
}

int DrawTextA(HDC dc, const char* text, int length, RECT* rect, UINT format)
{
    if (ZAV::Meta::RefusedOnMetafile(dc))
        return 0;
    if (!rect || !text ||
        !Record(dc, std::string(text, static_cast<size_t>(length < 0 ? std::strlen(text) : size_t(length))), rect->left,
                rect->top))
        return 0;
    FindDC(dc)->texts.back().format = format;
    return kRecordedLineHeight;
}

namespace ZAV {

std::vector<RecordedText> GetRecordedTexts(HDC handle)
{
    std::vector<RecordedText> texts;
    if (const DC* dc = FindDC(handle))
        for (const TextRecord& r : dc->texts)
            texts.push_back(RecordedText{r.text, r.x, r.y, r.face, r.height, r.format});
    return texts;
}

}  // namespace ZAV
