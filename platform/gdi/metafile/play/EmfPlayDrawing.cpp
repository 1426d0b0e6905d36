// The drawing records ([MS-EMF] drawing, path bracket and state records):
// lines, curves and shapes in both the 32-bit and the 16-bit point forms,
// paths, filled regions, text, and the attributes and world transform they
// draw with. Each record is drawn by the graphics layer's own calls on the
// target, with the target's transform set to the metafile's world
// transform, page mapping and frame placement together.
#include "platform/gdi/draw/CairoPaint.h"
#include "platform/gdi/draw/Drawing.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/draw/Paths.h"
#include "platform/gdi/draw/Shapes.h"
#include "platform/gdi/metafile/play/EmfPlayContext.h"
#include "platform/gdi/metafile/MetaBytes.h"
#include "platform/gdi/metafile/MetafileLimits.h"

#include <cmath>
#include <string>

namespace ZAV {
namespace Meta {

namespace {

constexpr uint32_t kBoundsEnd = 24;  // Type, Size and a Bounds rectangle
constexpr uint32_t MWT_IDENTITY = 1;
constexpr uint32_t MWT_LEFTMULTIPLY = 2;
constexpr uint32_t MWT_RIGHTMULTIPLY = 3;
constexpr uint32_t MWT_SET = 4;
constexpr uint32_t AD_COUNTERCLOCKWISE = 1;
constexpr uint32_t ETO_PDY = 0x2000;
constexpr uint32_t ETO_GLYPH_INDEX = 0x0010;

cairo_matrix_t MatrixOf(const double w[6])
{
    cairo_matrix_t m;
    cairo_matrix_init(&m, w[0], w[1], w[2], w[3], w[4], w[5]);
    return m;
}

void Store(const cairo_matrix_t& m, double w[6])
{
    w[0] = m.xx, w[1] = m.yx, w[2] = m.xy, w[3] = m.yy, w[4] = m.x0, w[5] = m.y0;
}

// World transform, page mapping and frame placement, then the target's own
// transform; false when the result is not a usable transform.
bool TargetTransform(const PlayContext& c, cairo_matrix_t& out)
{
    const MetaMapping& map = c.state.mapping;
    cairo_matrix_t page, place, both;
    cairo_matrix_init(&page, map.ScaleX(), 0, 0, map.ScaleY(), map.X(0), map.Y(0));
    cairo_matrix_init(&place, c.scaleX, 0, 0, c.scaleY, c.originX - c.frameLeft * c.scaleX,
                      c.originY - c.frameTop * c.scaleY);
    const cairo_matrix_t world = MatrixOf(c.state.draw.world);
    const cairo_matrix_t target = MatrixOf(c.targetAttributes.world);
    cairo_matrix_multiply(&both, &world, &page);
    cairo_matrix_multiply(&both, &both, &place);
    cairo_matrix_multiply(&out, &both, &target);
    for (double v : {out.xx, out.yx, out.xy, out.yy, out.x0, out.y0})
        if (!std::isfinite(v) || std::fabs(v) > kMaxPlayCoordinate)
            return false;
    cairo_matrix_t inverse = out;
    return cairo_matrix_invert(&inverse) == CAIRO_STATUS_SUCCESS;
}

// Hands the play's drawing state to the target before a drawing record.
bool Prepare(PlayContext& c)
{
    cairo_matrix_t m;
    if (!TargetTransform(c, m) || !ApplyClip(c))
        return false;
    Gdi::DC& dc = *c.target;
    const DrawState& d = c.state.draw;
    dc.pen = d.pen, dc.brush = d.brush, dc.font = d.font;
    dc.textColour = d.textColour, dc.background = d.bkColour;
    dc.bkMode = d.bkMode, dc.polyFillMode = d.polyFillMode, dc.textAlign = d.textAlign;
    dc.clipPath = d.clipPath, dc.clipPathFillMode = d.clipPathFillMode;
    Store(m, dc.world);
    return true;
}

// Points of a record: Count at the offset, the points after it, 8 or 4
// bytes each.
bool ReadPoints(const EmfRecord& r, uint32_t at, uint32_t count, bool shortForm, std::vector<POINT>& points)
{
    const uint64_t bytes = uint64_t(count) * (shortForm ? 4 : 8);
    if (at > r.size || bytes > r.size - at)
        return false;
    points.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* p = r.data + at + i * (shortForm ? 4 : 8);
        points[i] = shortForm ? POINT{GetShort(p), GetShort(p + 2)} : POINT{GetLong(p), GetLong(p + 4)};
    }
    return true;
}

bool ShortForm(uint32_t type)
{
    return type >= EMR_POLYBEZIER16 && type <= EMR_POLYPOLYGON16;
}

// EMR_POLYLINE and its kin: Bounds, Count, points.
PlayResult PolyRecord(HDC dc, const EmfRecord& r)
{
    if (r.size < kBoundsEnd + 4)
        return PlayResult::Broken;
    std::vector<POINT> p;
    if (!ReadPoints(r, kBoundsEnd + 4, GetDword(r.data + kBoundsEnd), ShortForm(r.type), p))
        return PlayResult::Broken;
    const DWORD n = static_cast<DWORD>(p.size());
    switch (r.type) {
    case EMR_POLYBEZIER:
    case EMR_POLYBEZIER16:
        PolyBezier(dc, p.data(), n);
        break;
    case EMR_POLYGON:
    case EMR_POLYGON16:
        Polygon(dc, p.data(), static_cast<int>(n));
        break;
    case EMR_POLYLINE:
    case EMR_POLYLINE16:
        Polyline(dc, p.data(), static_cast<int>(n));
        break;
    case EMR_POLYBEZIERTO:
    case EMR_POLYBEZIERTO16:
        PolyBezierTo(dc, p.data(), n);
        break;
    default:
        PolylineTo(dc, p.data(), n);
        break;
    }
    return PlayResult::Played;
}

// EMR_POLYPOLYGON and EMR_POLYPOLYLINE: Bounds, NumberOfPolygons, Count,
// the point count of each, then the points.
PlayResult PolyPolyRecord(HDC dc, const EmfRecord& r)
{
    if (r.size < kBoundsEnd + 8)
        return PlayResult::Broken;
    const uint32_t figures = GetDword(r.data + kBoundsEnd);
    const uint32_t total = GetDword(r.data + kBoundsEnd + 4);
    const uint64_t countsEnd = kBoundsEnd + 8 + uint64_t(figures) * 4;
    if (figures == 0 || countsEnd > r.size)
        return PlayResult::Broken;
    std::vector<DWORD> counts(figures);
    uint64_t sum = 0;
    for (uint32_t i = 0; i < figures; ++i)
        sum += counts[i] = GetDword(r.data + kBoundsEnd + 8 + 4 * i);
    std::vector<POINT> p;
    if (sum != total || !ReadPoints(r, static_cast<uint32_t>(countsEnd), total, ShortForm(r.type), p))
        return PlayResult::Broken;
    if (r.type == EMR_POLYPOLYLINE || r.type == EMR_POLYPOLYLINE16) {
        PolyPolyline(dc, p.data(), counts.data(), figures);
    } else {
        if (total > INT32_MAX)
            return PlayResult::Broken;
        const std::vector<int> asInt(counts.begin(), counts.end());
        PolyPolygon(dc, p.data(), asInt.data(), static_cast<int>(figures));
    }
    return PlayResult::Played;
}

// The box records: a RECTL, then a corner size (EMR_ROUNDRECT) or the
// start and end points (EMR_ARC, EMR_CHORD, EMR_PIE, EMR_ARCTO).
PlayResult BoxRecord(HDC dc, const EmfRecord& r)
{
    const bool arc = r.type == EMR_ARC || r.type == EMR_CHORD || r.type == EMR_PIE || r.type == EMR_ARCTO;
    const uint32_t needed = 24 + (r.type == EMR_ROUNDRECT ? 8 : arc ? 16 : 0);
    if (r.size < needed)
        return PlayResult::Broken;
    const RECTL b = GetRectl(r.data + 8);
    const uint8_t* q = r.data + 24;
    switch (r.type) {
    case EMR_ELLIPSE:
        Ellipse(dc, b.left, b.top, b.right, b.bottom);
        break;
    case EMR_RECTANGLE:
        Rectangle(dc, b.left, b.top, b.right, b.bottom);
        break;
    case EMR_ROUNDRECT:
        RoundRect(dc, b.left, b.top, b.right, b.bottom, GetLong(q), GetLong(q + 4));
        break;
    default: {
        using ArcCall = BOOL (*)(HDC, int, int, int, int, int, int, int, int);
        const ArcCall call = r.type == EMR_ARC ? Arc : r.type == EMR_CHORD ? Chord : r.type == EMR_PIE ? Pie : ArcTo;
        call(dc, b.left, b.top, b.right, b.bottom, GetLong(q), GetLong(q + 4), GetLong(q + 8), GetLong(q + 12));
        break;
    }
    }
    return PlayResult::Played;
}

// The rectangles of a RegionData (a 32-byte header, then nCount RECTLs).
bool ReadRegion(const EmfRecord& r, uint32_t at, uint32_t dataBytes, std::vector<RECTL>& rects)
{
    if (at > r.size || dataBytes > r.size - at || dataBytes < kRegionHeaderBytes)
        return false;
    const uint8_t* region = r.data + at;
    const uint32_t count = GetDword(region + 8);
    if (GetDword(region) != kRegionHeaderBytes || uint64_t(count) * 16 > dataBytes - kRegionHeaderBytes)
        return false;
    for (uint32_t i = 0; i < count; ++i)
        rects.push_back(GetRectl(region + kRegionHeaderBytes + 16 * i));
    return true;
}

// EMR_FILLRGN (Bounds, cbRgnData, ihBrush, RgnData) and EMR_PAINTRGN
// (Bounds, cbRgnData, RgnData): the region's rectangles in a brush.
PlayResult RegionRecord(PlayContext& c, const EmfRecord& r)
{
    const bool fill = r.type == EMR_FILLRGN;
    const uint32_t at = fill ? 32 : 28;
    if (r.size < at)
        return PlayResult::Broken;
    std::vector<RECTL> rects;
    if (!ReadRegion(r, at, GetDword(r.data + 24), rects))
        return PlayResult::Broken;
    Gdi::DC& dc = *c.target;
    if (fill) {
        const uint32_t index = GetDword(r.data + 28);
        HGDIOBJ brush = (index & kStockObjectFlag) ? GetStockObject(static_cast<int>(index & ~kStockObjectFlag))
                        : index < c.objects.size() ? c.objects[index]
                                                   : nullptr;
        if (!Gdi::FindAs<Gdi::Brush>(brush, Gdi::Kind::Brush))
            return PlayResult::Broken;
        dc.brush = brush;
    }
    Gdi::PaintShape(dc, Gdi::kFillPart, [&rects](cairo_t* cr, bool) {
        for (const RECTL& b : rects)
            cairo_rectangle(cr, b.left, b.top, double(b.right) - b.left, double(b.bottom) - b.top);
    });
    return PlayResult::Played;
}

// EMR_EXTTEXTOUTW and EMR_EXTTEXTOUTA: Bounds, iGraphicsMode, exScale,
// eyScale, then EmrText (Reference, Chars, offString, Options, Rectangle,
// offDx); the string and the advances lie inside the record.
PlayResult TextRecord(HDC dc, const EmfRecord& r)
{
    if (r.size < kExtTextOutFixedBytes)
        return PlayResult::Broken;
    const uint8_t* t = r.data + 36;
    const POINT at{GetLong(t), GetLong(t + 4)};
    const uint32_t chars = GetDword(t + 8), offString = GetDword(t + 12), options = GetDword(t + 16);
    const RECTL box = GetRectl(t + 20);
    const uint32_t offDx = GetDword(t + 36);
    if (options & ETO_GLYPH_INDEX)
        return PlayResult::Unsupported;  // glyph numbers of a font file, not characters
    const bool wide = r.type == EMR_EXTTEXTOUTW;
    const uint64_t stringBytes = uint64_t(chars) * (wide ? 2 : 1);
    if (offString > r.size || stringBytes > r.size - offString)
        return PlayResult::Broken;
    std::u16string text;
    for (uint32_t i = 0; i < chars; ++i)
        text += wide ? char16_t(GetWord(r.data + offString + 2 * i)) : char16_t(r.data[offString + i]);
    std::vector<int> advances;
    if (offDx != 0 && chars != 0) {
        const uint32_t step = (options & ETO_PDY) ? 8 : 4;
        if (offDx > r.size || uint64_t(chars) * step > r.size - offDx)
            return PlayResult::Broken;
        for (uint32_t i = 0; i < chars; ++i)
            advances.push_back(GetLong(r.data + offDx + step * i));
    }
    const RECT rect{box.left, box.top, box.right, box.bottom};
    ExtTextOutW(dc, at.x, at.y, options & (ETO_OPAQUE | ETO_CLIPPED), &rect, text.data(),
                static_cast<UINT>(text.size()), advances.empty() ? nullptr : advances.data());
    return PlayResult::Played;
}

PlayResult PathRecord(PlayContext& c, const EmfRecord& r)
{
    HDC dc = c.dc;
    switch (r.type) {
    case EMR_BEGINPATH:
        BeginPath(dc);
        break;
    case EMR_ENDPATH:
        EndPath(dc);
        break;
    case EMR_CLOSEFIGURE:
        CloseFigure(dc);
        break;
    case EMR_ABORTPATH:
        AbortPath(dc);
        break;
    case EMR_FILLPATH:
        FillPath(dc);
        break;
    case EMR_STROKEPATH:
        StrokePath(dc);
        break;
    case EMR_STROKEANDFILLPATH:
        StrokeAndFillPath(dc);
        break;
    case EMR_FLATTENPATH:
        break;  // cairo flattens every curve as it draws
    default: {  // EMR_SELECTCLIPPATH
        if (r.size < 12)
            return PlayResult::Broken;
        const int mode = GetLong(r.data + 8);
        if (mode != RGN_COPY && mode != RGN_AND)
            return PlayResult::Unsupported;
        if (SelectClipPath(dc, mode)) {
            c.state.draw.clipPath = c.target->clipPath;
            c.state.draw.clipPathFillMode = c.target->clipPathFillMode;
        } else if (c.target->path) {
            return PlayResult::Unsupported;  // a clip path met with another
        }
        break;
    }
    }
    return PlayResult::Played;
}

// EMR_SETWORLDTRANSFORM (an XFORM) and EMR_MODIFYWORLDTRANSFORM (an XFORM
// and the mode).
PlayResult TransformRecord(DrawState& d, const EmfRecord& r)
{
    const bool modify = r.type == EMR_MODIFYWORLDTRANSFORM;
    if (r.size < (modify ? 36u : 32u))
        return PlayResult::Broken;
    double x[6];
    for (int i = 0; i < 6; ++i) {
        x[i] = GetFloat(r.data + 8 + 4 * i);
        if (!std::isfinite(x[i]))
            return PlayResult::Broken;
    }
    const uint32_t mode = modify ? GetDword(r.data + 32) : MWT_SET;
    const cairo_matrix_t given = MatrixOf(x), current = MatrixOf(d.world);
    cairo_matrix_t result;
    switch (mode) {
    case MWT_IDENTITY:
        cairo_matrix_init_identity(&result);
        break;
    case MWT_LEFTMULTIPLY:
        cairo_matrix_multiply(&result, &given, &current);
        break;
    case MWT_RIGHTMULTIPLY:
        cairo_matrix_multiply(&result, &current, &given);
        break;
    case MWT_SET:
        result = given;
        break;
    default:
        return PlayResult::Broken;
    }
    Store(result, d.world);
    return PlayResult::Played;
}

// The attribute records: one 32-bit value each.
PlayResult AttributeRecord(DrawState& d, const EmfRecord& r)
{
    if (r.size < 12)
        return PlayResult::Broken;
    const uint32_t v = GetDword(r.data + 8);
    switch (r.type) {
    case EMR_SETBKMODE:
        d.bkMode = v == TRANSPARENT ? TRANSPARENT : OPAQUE;
        break;
    case EMR_SETPOLYFILLMODE:
        d.polyFillMode = v == WINDING ? WINDING : ALTERNATE;
        break;
    case EMR_SETTEXTALIGN:
        d.textAlign = v & (TA_UPDATECP | TA_CENTER | TA_BASELINE);
        break;
    case EMR_SETTEXTCOLOR:
        d.textColour = v & 0xFFFFFF;
        break;
    case EMR_SETBKCOLOR:
        d.bkColour = v & 0xFFFFFF;
        break;
    case EMR_SETARCDIRECTION:
        return v == AD_COUNTERCLOCKWISE ? PlayResult::Played : PlayResult::Unsupported;
    default:  // EMR_SETMITERLIMIT: cairo's own limit is near the designed-for device's
        break;
    }
    return PlayResult::Played;
}

bool IsAttributeRecord(uint32_t type)
{
    switch (type) {
    case EMR_SETBKMODE:
    case EMR_SETPOLYFILLMODE:
    case EMR_SETTEXTALIGN:
    case EMR_SETTEXTCOLOR:
    case EMR_SETBKCOLOR:
    case EMR_SETARCDIRECTION:
    case EMR_SETMITERLIMIT:
        return true;
    default:
        return false;
    }
}

PlayResult Draw(PlayContext& c, const EmfRecord& r)
{
    HDC dc = c.dc;
    switch (r.type) {
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON:
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16:
        return PolyPolyRecord(dc, r);
    case EMR_SETPIXELV:
        if (r.size < 20)
            return PlayResult::Broken;
        SetPixel(dc, GetLong(r.data + 8), GetLong(r.data + 12), GetDword(r.data + 16));
        return PlayResult::Played;
    case EMR_MOVETOEX:
    case EMR_LINETO:
        if (r.size < 16)
            return PlayResult::Broken;
        if (r.type == EMR_MOVETOEX)
            MoveToEx(dc, GetLong(r.data + 8), GetLong(r.data + 12), nullptr);
        else
            LineTo(dc, GetLong(r.data + 8), GetLong(r.data + 12));
        return PlayResult::Played;
    case EMR_ELLIPSE:
    case EMR_RECTANGLE:
    case EMR_ROUNDRECT:
    case EMR_ARC:
    case EMR_CHORD:
    case EMR_PIE:
    case EMR_ARCTO:
        return BoxRecord(dc, r);
    case EMR_FILLRGN:
    case EMR_PAINTRGN:
        return RegionRecord(c, r);
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW:
        return TextRecord(dc, r);
    default:
        if (r.type >= EMR_BEGINPATH && r.type <= EMR_ABORTPATH && r.type != EMR_WIDENPATH)
            return PathRecord(c, r);
        return PolyRecord(dc, r);
    }
}

}  // namespace

bool IsDrawingRecord(uint32_t type)
{
    if (IsAttributeRecord(type) || type == EMR_SETWORLDTRANSFORM || type == EMR_MODIFYWORLDTRANSFORM)
        return true;
    if ((type >= EMR_POLYBEZIER && type <= EMR_POLYPOLYGON) || (type >= EMR_POLYBEZIER16 && type <= EMR_POLYPOLYGON16))
        return true;
    if (type >= EMR_BEGINPATH && type <= EMR_ABORTPATH && type != EMR_WIDENPATH)
        return true;
    switch (type) {
    case EMR_SETPIXELV:
    case EMR_MOVETOEX:
    case EMR_LINETO:
    case EMR_ELLIPSE:
    case EMR_RECTANGLE:
    case EMR_ROUNDRECT:
    case EMR_ARC:
    case EMR_CHORD:
    case EMR_PIE:
    case EMR_ARCTO:
    case EMR_FILLRGN:
    case EMR_PAINTRGN:
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW:
        return true;
    default:
        return false;
    }
}

PlayResult PlayDrawingRecord(PlayContext& c, const EmfRecord& r)
{
    if (IsAttributeRecord(r.type))
        return AttributeRecord(c.state.draw, r);
    if (r.type == EMR_SETWORLDTRANSFORM || r.type == EMR_MODIFYWORLDTRANSFORM)
        return TransformRecord(c.state.draw, r);
    if (!Prepare(c))
        return PlayResult::Broken;
    const PlayResult result = Draw(c, r);
    RestoreTargetClip(c);
    return result;
}

}  // namespace Meta
}  // namespace ZAV
