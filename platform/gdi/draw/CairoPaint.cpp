#include "platform/gdi/draw/CairoPaint.h"

#include <algorithm>
#include <cmath>

namespace ZAV {
namespace Gdi {

namespace {

// Dash lengths of the line styles, in pen widths (a cosmetic pen's width is
// one pixel).
const std::vector<double>& DashesOf(int style)
{
    static const std::vector<double> none;
    static const std::vector<double> dash{18, 6};
    static const std::vector<double> dot{3, 3};
    static const std::vector<double> dashDot{9, 6, 3, 6};
    static const std::vector<double> dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case PS_DASH:
        return dash;
    case PS_DOT:
        return dot;
    case PS_DASHDOT:
        return dashDot;
    case PS_DASHDOTDOT:
        return dashDotDot;
    default:
        return none;
    }
}

// The 8 x 8 hatch cell: which pixels of row y, column x carry the colour.
bool HatchBit(int hatch, int x, int y)
{
    switch (hatch) {
    case HS_HORIZONTAL:
        return y == 4;
    case HS_VERTICAL:
        return x == 4;
    case HS_FDIAGONAL:
        return x == y;
    case HS_BDIAGONAL:
        return x == 7 - y;
    case HS_CROSS:
        return x == 4 || y == 4;
    default:
        return x == y || x == 7 - y;
    }
}

// A hatched brush: the hatch in the brush colour, the gaps in the
// background colour when the background mode is opaque. The cell is tied to
// the device grid, as hatches are on the designed-for device.
void SetHatch(cairo_t* cr, const DC& dc, const Brush& brush)
{
    cairo_surface_t* cell = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
    uint8_t* data = cairo_image_surface_get_data(cell);
    const int stride = cairo_image_surface_get_stride(cell);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool ink = HatchBit(brush.hatch, x, y);
            if (!ink && dc.bkMode != OPAQUE)
                continue;
            const COLORREF c = ink ? brush.colour : dc.background;
            auto* pixel = reinterpret_cast<uint32_t*>(data + y * stride + x * 4);
            *pixel = 0xFF000000u | (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
        }
    cairo_surface_mark_dirty(cell);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(cell);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    cairo_matrix_t keep;
    cairo_get_matrix(cr, &keep);
    cairo_identity_matrix(cr);  // the pattern takes the user space in effect now
    cairo_set_source(cr, pattern);
    cairo_set_matrix(cr, &keep);
    cairo_pattern_destroy(pattern);
    cairo_surface_destroy(cell);
}

void Fill(cairo_t* cr, const DC& dc, const Brush& brush)
{
    cairo_set_fill_rule(cr, dc.polyFillMode == WINDING ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
    if (brush.hatch >= 0)
        SetHatch(cr, dc, brush);
    else
        SetColour(cr, brush.colour);
    cairo_fill(cr);
}

cairo_line_cap_t CapOf(const Pen& pen)
{
    if (pen.endCap == PS_ENDCAP_FLAT)
        return CAIRO_LINE_CAP_BUTT;
    return pen.endCap == PS_ENDCAP_SQUARE ? CAIRO_LINE_CAP_SQUARE : CAIRO_LINE_CAP_ROUND;
}

cairo_line_join_t JoinOf(const Pen& pen)
{
    if (pen.join == PS_JOIN_MITER)
        return CAIRO_LINE_JOIN_MITER;
    return pen.join == PS_JOIN_BEVEL ? CAIRO_LINE_JOIN_BEVEL : CAIRO_LINE_JOIN_ROUND;
}

// The pen's width in device pixels under the transform in effect; a pen
// never draws thinner than one pixel.
void Stroke(cairo_t* cr, const Pen& pen)
{
    double dx = pen.width, dy = pen.width;
    cairo_user_to_device_distance(cr, &dx, &dy);
    const double deviceWidth = std::sqrt(std::fabs(dx * dy));
    // A pen about one pixel wide draws as the designed-for device's thin
    // lines: one pixel, without caps past the end point.
    const bool hairline = pen.cosmetic || pen.width <= 0 || deviceWidth < 1.5;
    if (hairline)
        cairo_identity_matrix(cr);
    const double width = hairline ? 1.0 : pen.width;
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, hairline ? CAIRO_LINE_CAP_BUTT : CapOf(pen));
    cairo_set_line_join(cr, hairline ? CAIRO_LINE_JOIN_MITER : JoinOf(pen));
    std::vector<double> dashes = DashesOf(pen.style);
    for (double& d : dashes)
        d *= width;
    cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), 0);
    SetColour(cr, pen.colour);
    cairo_stroke(cr);
}

cairo_matrix_t Shifted(cairo_matrix_t m, double by)
{
    m.x0 += by;
    m.y0 += by;
    return m;
}

}  // namespace

void SetColour(cairo_t* cr, COLORREF c)
{
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

PathBuilder DevicePathBuilder(const DC& dc, const cairo_path_t* path)
{
    const cairo_matrix_t m = DeviceMatrix(dc);
    return [m, path](cairo_t* cr, bool) {
        cairo_matrix_t current;
        cairo_get_matrix(cr, &current);
        cairo_matrix_t shift;  // the half-pixel shift of an outline, if any
        cairo_matrix_init_translate(&shift, current.x0 - m.x0, current.y0 - m.y0);
        cairo_set_matrix(cr, &shift);
        cairo_append_path(cr, path);
        cairo_set_matrix(cr, &current);
    };
}

cairo_matrix_t DeviceMatrix(const DC& dc)
{
    cairo_matrix_t m;
    cairo_matrix_init(&m, dc.world[0], dc.world[1], dc.world[2], dc.world[3], dc.world[4] - dc.windowOrg.x,
                      dc.world[5] - dc.windowOrg.y);
    return m;
}

void AppendDevicePath(cairo_t* cr, const cairo_path_t* path)
{
    cairo_matrix_t keep;
    cairo_get_matrix(cr, &keep);
    cairo_identity_matrix(cr);
    cairo_append_path(cr, path);
    cairo_set_matrix(cr, &keep);
}

cairo_t* OpenRecording(DC& dc, cairo_surface_t*& recording)
{
    recording = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
    cairo_t* cr = cairo_create(recording);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    if (dc.clipPath) {
        AppendDevicePath(cr, dc.clipPath.get());
        cairo_set_fill_rule(cr, dc.clipPathFillMode == WINDING ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
        cairo_clip(cr);
    }
    return cr;
}

void LayOver(DC& dc, cairo_surface_t* recording)
{
    double x0 = 0, y0 = 0, w = 0, h = 0;
    cairo_recording_surface_ink_extents(recording, &x0, &y0, &w, &h);
    const RECT area = DrawableArea(dc);
    const LONG left = std::max<LONG>(area.left, LONG(std::max(std::floor(x0), double(INT32_MIN / 2))));
    const LONG top = std::max<LONG>(area.top, LONG(std::max(std::floor(y0), double(INT32_MIN / 2))));
    const LONG right = std::min<LONG>(area.right, LONG(std::min(std::ceil(x0 + w), double(INT32_MAX / 2))));
    const LONG bottom = std::min<LONG>(area.bottom, LONG(std::min(std::ceil(y0 + h), double(INT32_MAX / 2))));
    if (right <= left || bottom <= top)
        return;
    cairo_surface_t* layer = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, right - left, bottom - top);
    cairo_t* cr = cairo_create(layer);
    cairo_set_source_surface(cr, recording, -left, -top);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(layer);
    const uint8_t* data = cairo_image_surface_get_data(layer);
    const int stride = cairo_image_surface_get_stride(layer);
    Bitmap* surface = SurfaceOf(dc);
    for (LONG y = top; y < bottom; ++y)
        for (LONG x = left; x < right; ++x) {
            const uint32_t p = *reinterpret_cast<const uint32_t*>(data + (y - top) * stride + (x - left) * 4);
            const uint32_t a = p >> 24;
            if (a == 0)
                continue;
            // Premultiplied source over the surface pixel.
            const auto over = [&](uint32_t src, BYTE dst) { return BYTE(src + (dst * (255 - a) + 127) / 255); };
            const COLORREF under = a == 255 ? 0 : ReadPixel(*surface, x, y);
            PaintPixel(dc, x, y,
                       RGB(over((p >> 16) & 0xFF, GetRValue(under)), over((p >> 8) & 0xFF, GetGValue(under)),
                           over(p & 0xFF, GetBValue(under))));
        }
    cairo_surface_destroy(layer);
}

bool PaintShape(DC& dc, int parts, const PathBuilder& build)
{
    const cairo_matrix_t m = DeviceMatrix(dc);
    if (dc.pathBuilder) {
        cairo_set_matrix(dc.pathBuilder.get(), &m);
        build(dc.pathBuilder.get(), true);
        return true;
    }
    const Brush* brush = FindAs<Brush>(dc.brush, Kind::Brush);
    const Pen* pen = FindAs<Pen>(dc.pen, Kind::Pen);
    const bool fill = (parts & kFillPart) && brush && !brush->nullBrush;
    const bool stroke = (parts & kStrokePart) && pen && pen->style != PS_NULL;
    if (!fill && !stroke)
        return true;
    cairo_surface_t* recording = nullptr;
    cairo_t* cr = OpenRecording(dc, recording);
    if (fill) {
        cairo_set_matrix(cr, &m);
        build(cr, false);
        Fill(cr, dc, *brush);
    }
    if (stroke) {
        // Just short of half a pixel, so that pixel centres on a line's end
        // fall outside it and those on its start inside.
        const cairo_matrix_t centred = Shifted(m, 0.5 - 1.0 / 64);
        cairo_set_matrix(cr, &centred);
        cairo_new_path(cr);
        build(cr, true);
        Stroke(cr, *pen);
    }
    cairo_destroy(cr);
    LayOver(dc, recording);
    cairo_surface_destroy(recording);
    return true;
}

}  // namespace Gdi
}  // namespace ZAV
