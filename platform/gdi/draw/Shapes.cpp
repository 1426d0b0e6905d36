#include "platform/gdi/draw/Shapes.h"

#include "platform/gdi/draw/CairoPaint.h"
#include "platform/gdi/GdiKnobs.h"
#include "platform/gdi/metafile/record/MetafileDC.h"

#include <cmath>
#include <utility>

using namespace ZAV::Gdi;

namespace {

// The DC a drawing call draws on; null (the call fails) for an unknown
// handle or a metafile DC, which records none of these calls.
DC* DrawingDC(HDC handle)
{
    if (ZAV::Meta::RefusedOnMetafile(handle))
        return nullptr;
    return FindDC(handle);
}

BOOL Paint(HDC handle, int parts, const PathBuilder& build)
{
    DC* dc = DrawingDC(handle);
    return dc && PaintShape(*dc, parts, build) ? TRUE : FALSE;
}

void AddLines(cairo_t* cr, const POINT* points, size_t count, bool fromCurrent)
{
    for (size_t i = 0; i < count; ++i) {
        if (i == 0 && !fromCurrent)
            cairo_move_to(cr, points[i].x, points[i].y);
        else
            cairo_line_to(cr, points[i].x, points[i].y);
    }
}

void AddBeziers(cairo_t* cr, const POINT* p, size_t count)
{
    for (size_t i = 0; i + 2 < count; i += 3)
        cairo_curve_to(cr, p[i].x, p[i].y, p[i + 1].x, p[i + 1].y, p[i + 2].x, p[i + 2].y);
}

// A box of a closed shape, one pixel smaller on the right and bottom for its outline.
struct Box {
    double left, top, right, bottom;
};

Box BoxOf(int left, int top, int right, int bottom, bool outline)
{
    const double shrink = outline ? 1 : 0;
    Box b{double(std::min(left, right)), double(std::min(top, bottom)), double(std::max(left, right)),
          double(std::max(top, bottom))};
    b.right = std::max(b.left, b.right - shrink);
    b.bottom = std::max(b.top, b.bottom - shrink);
    return b;
}

enum class ArcKind { Open, Chord, Pie, To };

// The angle of a point's radial on the unit circle the box's ellipse scales.
double RadialAngle(const Box& b, double x, double y)
{
    const double cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
    const double rx = std::max(1e-9, (b.right - b.left) / 2), ry = std::max(1e-9, (b.bottom - b.top) / 2);
    return std::atan2((y - cy) / ry, (x - cx) / rx);
}

void AddArc(cairo_t* cr, const Box& b, double from, double to, ArcKind kind)
{
    const double cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
    const double rx = (b.right - b.left) / 2, ry = (b.bottom - b.top) / 2;
    if (rx <= 0 || ry <= 0)
        return;
    if (to >= from)  // counter-clockwise on the screen is decreasing angles here
        to -= 2 * M_PI;
    if (kind == ArcKind::Pie)
        cairo_move_to(cr, cx, cy);
    else if (kind == ArcKind::Open)
        cairo_new_sub_path(cr);
    cairo_matrix_t keep;
    cairo_get_matrix(cr, &keep);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc_negative(cr, 0, 0, 1, from, to);
    cairo_set_matrix(cr, &keep);
    if (kind == ArcKind::Chord || kind == ArcKind::Pie)
        cairo_close_path(cr);
}

BOOL ArcShape(HDC handle, int l, int t, int r, int b, int xs, int ys, int xe, int ye, ArcKind kind)
{
    DC* dc = DrawingDC(handle);
    if (!dc)
        return FALSE;
    const bool open = kind == ArcKind::Open || kind == ArcKind::To;
    const POINT from = dc->current;
    const bool inPath = dc->pathBuilder != nullptr;
    if (kind == ArcKind::To) {
        const Box box = BoxOf(l, t, r, b, true);
        const double a = RadialAngle(box, xe, ye);
        dc->current = POINT{LONG(std::lround((box.left + box.right) / 2 + (box.right - box.left) / 2 * std::cos(a))),
                            LONG(std::lround((box.top + box.bottom) / 2 + (box.bottom - box.top) / 2 * std::sin(a)))};
    }
    return PaintShape(*dc, open ? kStrokePart : kFillPart | kStrokePart,
                      [=](cairo_t* cr, bool outline) {
                          const Box box = BoxOf(l, t, r, b, outline);
                          if (kind == ArcKind::To && (!inPath || !cairo_has_current_point(cr)))
                              cairo_move_to(cr, from.x, from.y);  // the arc is joined to the current position
                          AddArc(cr, box, RadialAngle(box, xs, ys), RadialAngle(box, xe, ye), kind);
                      })
               ? TRUE
               : FALSE;
}

// Puts an accepted mode into a DC's field; the old mode, or 0 when the
// handle is no DC or the mode is not one this layer draws.
int SwapMode(HDC handle, int DC::*field, int mode, bool accepted)
{
    DC* dc = FindDC(handle);
    if (!dc || !accepted)
        return 0;
    std::swap(dc->*field, mode);
    return mode;
}

}  // namespace

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD*)
{
    if (!brush || styleCount != 0 || brush->lbStyle != BS_SOLID || ZAV::GdiKnobs().objectCreation)
        return nullptr;  // user styles and pattern pens are not drawn by this layer
    auto pen = std::make_unique<Pen>();
    pen->style = static_cast<int>(style & PS_STYLE_MASK);
    pen->width = static_cast<int>(std::min<DWORD>(width, INT32_MAX));
    pen->colour = brush->lbColor & 0xFFFFFF;
    pen->cosmetic = (style & PS_GEOMETRIC) == 0;
    pen->endCap = style & PS_ENDCAP_MASK;
    pen->join = style & PS_JOIN_MASK;
    return Register(std::move(pen));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF colour)
{
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS || ZAV::GdiKnobs().objectCreation)
        return nullptr;
    auto brush = std::make_unique<Brush>();
    brush->colour = colour & 0xFFFFFF;
    brush->hatch = hatch;
    return Register(std::move(brush));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* logBrush)
{
    if (!logBrush || ZAV::GdiKnobs().objectCreation)
        return nullptr;
    if (logBrush->lbStyle == BS_HATCHED)
        return CreateHatchBrush(static_cast<int>(logBrush->lbHatch), logBrush->lbColor);
    if (logBrush->lbStyle != BS_SOLID && logBrush->lbStyle != BS_NULL)
        return nullptr;  // pattern brushes are not drawn by this layer
    auto brush = std::make_unique<Brush>();
    brush->colour = logBrush->lbColor & 0xFFFFFF;
    brush->nullBrush = logBrush->lbStyle == BS_NULL;
    return Register(std::move(brush));
}

int SetBkMode(HDC handle, int mode)
{
    return SwapMode(handle, &DC::bkMode, mode, mode == TRANSPARENT || mode == OPAQUE);
}

int GetBkMode(HDC handle)
{
    return ModeOf(handle, &DC::bkMode);
}

int SetPolyFillMode(HDC handle, int mode)
{
    return SwapMode(handle, &DC::polyFillMode, mode, mode == ALTERNATE || mode == WINDING);
}

int GetPolyFillMode(HDC handle)
{
    return ModeOf(handle, &DC::polyFillMode);
}

BOOL MoveToEx(HDC handle, int x, int y, POINT* old)
{
    DC* dc = DrawingDC(handle);
    if (!dc)
        return FALSE;
    if (old)
        *old = dc->current;
    dc->current = POINT{x, y};
    if (dc->pathBuilder) {
        cairo_matrix_t m = DeviceMatrix(*dc);
        cairo_set_matrix(dc->pathBuilder.get(), &m);
        cairo_move_to(dc->pathBuilder.get(), x, y);
    }
    return TRUE;
}

BOOL LineTo(HDC handle, int x, int y)
{
    const POINT to{x, y};
    return PolylineTo(handle, &to, 1);
}

BOOL Polyline(HDC handle, const POINT* points, int count)
{
    if (!points || count < 2)
        return FALSE;
    return Paint(handle, kStrokePart,
                 [=](cairo_t* cr, bool) { AddLines(cr, points, static_cast<size_t>(count), false); });
}

BOOL PolylineTo(HDC handle, const POINT* points, DWORD count)
{
    DC* dc = DrawingDC(handle);
    if (!dc || !points || count == 0)
        return FALSE;
    const POINT from = dc->current;
    const bool inPath = dc->pathBuilder != nullptr;
    dc->current = points[count - 1];
    return PaintShape(*dc, kStrokePart,
                      [=](cairo_t* cr, bool) {
                          if (!inPath || !cairo_has_current_point(cr))
                              cairo_move_to(cr, from.x, from.y);
                          AddLines(cr, points, count, true);
                      })
               ? TRUE
               : FALSE;
}

BOOL Polygon(HDC handle, const POINT* points, int count)
{
    if (!points || count < 2)
        return FALSE;
    return Paint(handle, kFillPart | kStrokePart, [=](cairo_t* cr, bool) {
        AddLines(cr, points, static_cast<size_t>(count), false);
        cairo_close_path(cr);
    });
}

BOOL PolyPolygon(HDC handle, const POINT* points, const int* counts, int polygons)
{
    if (!points || !counts || polygons <= 0)
        return FALSE;
    for (int i = 0; i < polygons; ++i)
        if (counts[i] < 2)
            return FALSE;
    return Paint(handle, kFillPart | kStrokePart, [=](cairo_t* cr, bool) {
        const POINT* p = points;
        for (int i = 0; i < polygons; ++i) {
            AddLines(cr, p, static_cast<size_t>(counts[i]), false);
            cairo_close_path(cr);
            p += counts[i];
        }
    });
}

BOOL PolyPolyline(HDC handle, const POINT* points, const DWORD* counts, DWORD polylines)
{
    if (!points || !counts || polylines == 0)
        return FALSE;
    for (DWORD i = 0; i < polylines; ++i)
        if (counts[i] < 2)
            return FALSE;
    return Paint(handle, kStrokePart, [=](cairo_t* cr, bool) {
        const POINT* p = points;
        for (DWORD i = 0; i < polylines; ++i) {
            AddLines(cr, p, counts[i], false);
            p += counts[i];
        }
    });
}

BOOL PolyBezier(HDC handle, const POINT* points, DWORD count)
{
    if (!points || count < 4 || (count - 1) % 3 != 0)
        return FALSE;
    return Paint(handle, kStrokePart, [=](cairo_t* cr, bool) {
        cairo_move_to(cr, points[0].x, points[0].y);
        AddBeziers(cr, points + 1, count - 1);
    });
}

BOOL PolyBezierTo(HDC handle, const POINT* points, DWORD count)
{
    DC* dc = DrawingDC(handle);
    if (!dc || !points || count < 3 || count % 3 != 0)
        return FALSE;
    const POINT from = dc->current;
    const bool inPath = dc->pathBuilder != nullptr;
    dc->current = points[count - 1];
    return PaintShape(*dc, kStrokePart,
                      [=](cairo_t* cr, bool) {
                          if (!inPath || !cairo_has_current_point(cr))
                              cairo_move_to(cr, from.x, from.y);
                          AddBeziers(cr, points, count);
                      })
               ? TRUE
               : FALSE;
}

BOOL RoundRect(HDC handle, int left, int top, int right, int bottom, int width, int height)
{
    return Paint(handle, kFillPart | kStrokePart, [=](cairo_t* cr, bool outline) {
        const Box b = BoxOf(left, top, right, bottom, outline);
        const double rx = std::min(std::abs(width) / 2.0, (b.right - b.left) / 2);
        const double ry = std::min(std::abs(height) / 2.0, (b.bottom - b.top) / 2);
        if (rx <= 0 || ry <= 0) {
            cairo_rectangle(cr, b.left, b.top, b.right - b.left, b.bottom - b.top);
            return;
        }
        cairo_new_sub_path(cr);
        const Box corners[4] = {{b.right - 2 * rx, b.top, b.right, b.top + 2 * ry},
                                {b.right - 2 * rx, b.bottom - 2 * ry, b.right, b.bottom},
                                {b.left, b.bottom - 2 * ry, b.left + 2 * rx, b.bottom},
                                {b.left, b.top, b.left + 2 * rx, b.top + 2 * ry}};
        for (int i = 0; i < 4; ++i) {
            cairo_matrix_t keep;
            cairo_get_matrix(cr, &keep);
            cairo_translate(cr, (corners[i].left + corners[i].right) / 2, (corners[i].top + corners[i].bottom) / 2);
            cairo_scale(cr, rx, ry);
            cairo_arc(cr, 0, 0, 1, (i - 1) * M_PI / 2, i * M_PI / 2);
            cairo_set_matrix(cr, &keep);
        }
        cairo_close_path(cr);
    });
}

BOOL Ellipse(HDC handle, int left, int top, int right, int bottom)
{
    return Paint(handle, kFillPart | kStrokePart, [=](cairo_t* cr, bool outline) {
        const Box b = BoxOf(left, top, right, bottom, outline);
        AddArc(cr, b, 0, 0, ArcKind::Chord);
    });
}

BOOL Arc(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    return ArcShape(dc, l, t, r, b, xs, ys, xe, ye, ArcKind::Open);
}

BOOL ArcTo(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    return ArcShape(dc, l, t, r, b, xs, ys, xe, ye, ArcKind::To);
}

BOOL Chord(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    return ArcShape(dc, l, t, r, b, xs, ys, xe, ye, ArcKind::Chord);
}

BOOL Pie(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    return ArcShape(dc, l, t, r, b, xs, ys, xe, ye, ArcKind::Pie);
}

COLORREF SetPixel(HDC handle, int x, int y, COLORREF colour)
{
    DC* dc = DrawingDC(handle);
    if (!dc)
        return 0xFFFFFFFF;
    const cairo_matrix_t m = DeviceMatrix(*dc);
    double dx = x, dy = y;
    cairo_matrix_transform_point(&m, &dx, &dy);
    const RECT area = DrawableArea(*dc);
    if (!(dx >= area.left && dx < area.right && dy >= area.top && dy < area.bottom))
        return 0xFFFFFFFF;
    PaintPixel(*dc, LONG(std::floor(dx)), LONG(std::floor(dy)), colour & 0xFFFFFF);
    return colour & 0xFFFFFF;
}
