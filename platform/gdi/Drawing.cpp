#include "platform/gdi/Drawing.h"

#include "platform/gdi/GdiKnobs.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/metafile/MetafileDC.h"

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

void PaintOutline(DC& dc, const RECT& r, const Pen& pen)
{
    const int w = std::max(1, pen.width);
    PaintRect(dc, RECT{r.left, r.top, r.right, std::min(r.bottom, r.top + w)}, pen.colour);
    PaintRect(dc, RECT{r.left, std::max(r.top, r.bottom - w), r.right, r.bottom}, pen.colour);
    PaintRect(dc, RECT{r.left, r.top, std::min(r.right, r.left + w), r.bottom}, pen.colour);
    PaintRect(dc, RECT{std::max(r.left, r.right - w), r.top, r.right, r.bottom}, pen.colour);
}

bool Record(HDC handle, const char* text, int length, int x, int y)
{
    DC* dc = FindDC(handle);
    if (!dc || !text)
        return false;
    if (length < 0)
        length = static_cast<int>(std::strlen(text));
    TextRecord record;
    record.text.assign(text, static_cast<size_t>(length));
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
    const RECT r{left, top, right, bottom};
    const Brush* brush = FindAs<Brush>(dc->brush, Kind::Brush);
    if (brush && !brush->nullBrush)
        PaintRect(*dc, r, brush->colour);
    const Pen* pen = FindAs<Pen>(dc->pen, Kind::Pen);
    if (pen && pen->style != PS_NULL)
        PaintOutline(*dc, r, *pen);
    return TRUE;
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

BOOL TextOutA(HDC dc, int x, int y, const char* text, int length)
{
    if (ZAV::Meta::RefusedOnMetafile(dc))
        return FALSE;
    return Record(dc, text, length, x, y) ? TRUE : FALSE;
}

int DrawTextA(HDC dc, const char* text, int length, RECT* rect, UINT)
{
    if (ZAV::Meta::RefusedOnMetafile(dc))
        return 0;
    if (!rect || !Record(dc, text, length, rect->left, rect->top))
        return 0;
    return kRecordedLineHeight;
}

namespace ZAV {

std::vector<RecordedText> GetRecordedTexts(HDC handle)
{
    std::vector<RecordedText> texts;
    if (const DC* dc = FindDC(handle))
        for (const TextRecord& r : dc->texts)
            texts.push_back(RecordedText{r.text, r.x, r.y, r.face, r.height});
    return texts;
}

}  // namespace ZAV
