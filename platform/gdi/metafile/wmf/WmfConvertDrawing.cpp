// The old-style drawing records become their enhanced forms ([MS-WMF]
// drawing, object and state records): points keep their 16-bit form
// (EMR_POLYGON16 and its kin), text becomes EMR_EXTTEXTOUTW with its
// characters taken as Latin-1, objects move to the enhanced table one
// index up. Records that draw nothing on a true-colour target (palettes,
// raster operations, escapes) are passed over.
#include "platform/gdi/metafile/MetaBytes.h"
#include "platform/gdi/metafile/MetafileLimits.h"
#include "platform/gdi/metafile/wmf/WmfConvert.h"

namespace ZAV {
namespace Meta {

namespace {

// A growing record body.
struct Body {
    std::vector<uint8_t> bytes;
    RecordWriter w{bytes};
};

// The device bounds of the points as an EMF Bounds field.
void WriteBounds(RecordWriter& w, const std::vector<POINT>& points, EmfRecording& r)
{
    JoinBounds(r, points);
    w.Rectl(RECTL{r.bounds.left, r.bounds.top, r.bounds.right, r.bounds.bottom});
}

// POINTS (x, y) from the parameters.
bool ReadPoints(const WmfRecord& w, size_t at, uint32_t count, std::vector<POINT>& points)
{
    if (at > w.paramBytes || uint64_t(count) * 4 > w.paramBytes - at)
        return false;
    for (uint32_t i = 0; i < count; ++i)
        points.push_back(POINT{GetShort(w.params + at + 4 * i), GetShort(w.params + at + 4 * i + 2)});
    return true;
}

void WritePoints16(RecordWriter& w, const std::vector<POINT>& points)
{
    for (const POINT& p : points) {
        w.Word(static_cast<uint16_t>(p.x));
        w.Word(static_cast<uint16_t>(p.y));
    }
}

// META_POLYGON and META_POLYLINE: NumberOfPoints, then the points.
Outcome ConvertPoly(EmfRecording& r, const WmfRecord& w)
{
    if (w.paramBytes < 2)
        return Outcome::Broken;
    std::vector<POINT> points;
    if (!ReadPoints(w, 2, GetWord(w.params), points))
        return Outcome::Broken;
    Body b;
    WriteBounds(b.w, points, r);
    b.w.Dword(static_cast<uint32_t>(points.size()));
    WritePoints16(b.w, points);
    return Check(AppendRecord(r, w.function == META_POLYGON ? EMR_POLYGON16 : EMR_POLYLINE16, b.bytes));
}

// META_POLYPOLYGON: NumberOfPolygons, the point count of each, the points.
Outcome ConvertPolyPolygon(EmfRecording& r, const WmfRecord& w)
{
    if (w.paramBytes < 2)
        return Outcome::Broken;
    const uint32_t polygons = GetWord(w.params);
    if (polygons == 0 || 2 + uint64_t(polygons) * 2 > w.paramBytes)
        return Outcome::Broken;
    uint32_t total = 0;
    for (uint32_t i = 0; i < polygons; ++i)
        total += GetWord(w.params + 2 + 2 * i);  // at most 65535 x 65535: no overflow
    std::vector<POINT> points;
    if (!ReadPoints(w, 2 + size_t(polygons) * 2, total, points))
        return Outcome::Broken;
    Body b;
    WriteBounds(b.w, points, r);
    b.w.Dword(polygons);
    b.w.Dword(total);
    for (uint32_t i = 0; i < polygons; ++i)
        b.w.Dword(GetWord(w.params + 2 + 2 * i));
    WritePoints16(b.w, points);
    return Check(AppendRecord(r, EMR_POLYPOLYGON16, b.bytes));
}

// The parameters of the box records are stored last field first: read
// backwards they come in the enhanced order (left, top, right, bottom, then
// the corner's width and height, or the start and end points each x first).
bool ReadReversed(const WmfRecord& w, size_t words, std::vector<int32_t>& values)
{
    if (w.paramBytes < words * 2)
        return false;
    for (size_t i = 0; i < words; ++i)
        values.push_back(GetShort(w.params + 2 * (words - 1 - i)));
    return true;
}

// META_RECTANGLE, META_ELLIPSE (Bottom, Right, Top, Left), META_ROUNDRECT
// (Height, Width, then the box), META_ARC, META_PIE, META_CHORD (yEnd,
// xEnd, yStart, xStart, then the box).
Outcome ConvertBox(EmfRecording& r, const WmfRecord& w)
{
    const bool arc = w.function == META_ARC || w.function == META_PIE || w.function == META_CHORD;
    const size_t words = w.function == META_ROUNDRECT ? 6 : arc ? 8 : 4;
    std::vector<int32_t> v;
    if (!ReadReversed(w, words, v))
        return Outcome::Broken;
    const uint32_t type = w.function == META_RECTANGLE   ? EMR_RECTANGLE
                          : w.function == META_ELLIPSE   ? EMR_ELLIPSE
                          : w.function == META_ROUNDRECT ? EMR_ROUNDRECT
                          : w.function == META_ARC       ? EMR_ARC
                          : w.function == META_PIE       ? EMR_PIE
                                                         : EMR_CHORD;
    JoinBounds(r, {POINT{v[0], v[1]}, POINT{v[2], v[3]}});
    Body b;
    for (int32_t value : v)
        b.w.Long(value);
    return Check(AppendRecord(r, type, b.bytes));
}

// META_MOVETO and META_LINETO: y, then x.
Outcome ConvertPoint(EmfRecording& r, const WmfRecord& w)
{
    if (w.paramBytes < 4)
        return Outcome::Broken;
    const POINT p{GetShort(w.params + 2), GetShort(w.params)};
    JoinBounds(r, {p});
    return Check(AppendValues(r, w.function == META_MOVETO ? EMR_MOVETOEX : EMR_LINETO,
                              {static_cast<uint32_t>(p.x), static_cast<uint32_t>(p.y)}));
}

// META_SETPIXEL: ColorRef, y, x.
Outcome ConvertPixel(EmfRecording& r, const WmfRecord& w)
{
    if (w.paramBytes < 8)
        return Outcome::Broken;
    const POINT p{GetShort(w.params + 6), GetShort(w.params + 4)};
    JoinBounds(r, {p});
    return Check(
        AppendValues(r, EMR_SETPIXELV, {static_cast<uint32_t>(p.x), static_cast<uint32_t>(p.y), GetDword(w.params)}));
}

// EMR_EXTTEXTOUTW of Latin-1 characters at (x, y), with the options, the
// rectangle and the advances (one per character or none).
Outcome AppendText(EmfRecording& r, POINT at, uint32_t options, const RECTL& box, const uint8_t* chars, uint32_t count,
                   const std::vector<int32_t>& advances)
{
    JoinBounds(r, {at});
    const uint32_t offString = kExtTextOutFixedBytes;
    const uint32_t stringBytes = (count * 2 + 3) / 4 * 4;
    Body b;
    b.w.Rectl(RECTL{r.bounds.left, r.bounds.top, r.bounds.right, r.bounds.bottom});
    b.w.Dword(1);           // GM_COMPATIBLE
    b.w.Dword(0x3F800000);  // exScale 1.0
    b.w.Dword(0x3F800000);  // eyScale 1.0
    b.w.Long(at.x), b.w.Long(at.y);
    b.w.Dword(count);
    b.w.Dword(offString);
    b.w.Dword(options);
    b.w.Rectl(box);
    b.w.Dword(advances.empty() ? 0 : offString + stringBytes);
    for (uint32_t i = 0; i < count; ++i)
        b.w.Word(chars[i]);
    if (count % 2)
        b.w.Word(0);
    for (int32_t a : advances)
        b.w.Long(a);
    return Check(AppendRecord(r, EMR_EXTTEXTOUTW, b.bytes));
}

// META_TEXTOUT: StringLength, String (padded to a word), YStart, XStart.
Outcome ConvertTextOut(EmfRecording& r, const WmfRecord& w)
{
    if (w.paramBytes < 2)
        return Outcome::Broken;
    const uint32_t length = GetWord(w.params);
    const size_t padded = (size_t(length) + 1) / 2 * 2;
    if (2 + padded + 4 > w.paramBytes)
        return Outcome::Broken;
    const uint8_t* tail = w.params + 2 + padded;
    return AppendText(r, POINT{GetShort(tail + 2), GetShort(tail)}, 0, RECTL{0, 0, 0, 0}, w.params + 2, length, {});
}

// META_EXTTEXTOUT: Y, X, StringLength, fwOpts, a Rectangle when the
// options ask for one, String (padded to a word), then optional advances.
Outcome ConvertExtTextOut(EmfRecording& r, const WmfRecord& w)
{
    if (w.paramBytes < 8)
        return Outcome::Broken;
    const POINT at{GetShort(w.params + 2), GetShort(w.params)};
    const uint32_t length = GetWord(w.params + 4);
    const uint32_t options = GetWord(w.params + 6);
    size_t offset = 8;
    RECTL box{0, 0, 0, 0};
    if (options & (ETO_OPAQUE | ETO_CLIPPED)) {
        if (w.paramBytes < 16)
            return Outcome::Broken;
        box = RECTL{GetShort(w.params + 8), GetShort(w.params + 10), GetShort(w.params + 12), GetShort(w.params + 14)};
        offset = 16;
    }
    const size_t padded = (size_t(length) + 1) / 2 * 2;
    if (offset + length > w.paramBytes)
        return Outcome::Broken;
    std::vector<int32_t> advances;
    const size_t dxAt = offset + padded;
    if (dxAt <= w.paramBytes && w.paramBytes - dxAt >= size_t(length) * 2 && length > 0)
        for (uint32_t i = 0; i < length; ++i)
            advances.push_back(GetShort(w.params + dxAt + 2 * i));
    return AppendText(r, at, options & (ETO_OPAQUE | ETO_CLIPPED), box, w.params + offset, length, advances);
}

// The lowest free index of the old-style table, taken.
bool TakeIndex(WmfObjectTable& t, uint32_t& index)
{
    for (index = 0; index < t.used.size() && t.used[index]; ++index) {
    }
    if (index + 1 >= kMaxMetafileObjects)
        return false;
    if (index == t.used.size())
        t.used.push_back(false);
    t.used[index] = true;
    return true;
}

// META_CREATEPENINDIRECT (PenStyle, Width as POINTS, ColorRef),
// META_CREATEBRUSHINDIRECT (BrushStyle, ColorRef, BrushHatch) and
// META_CREATEFONTINDIRECT (a Font: five 16-bit fields, eight bytes, then
// up to 32 bytes of face name); META_CREATEPALETTE takes an index only.
Outcome ConvertCreate(EmfRecording& r, WmfObjectTable& t, const WmfRecord& w)
{
    const uint8_t* p = w.params;
    const size_t needed = w.function == META_CREATEPENINDIRECT     ? 10
                          : w.function == META_CREATEBRUSHINDIRECT ? 8
                          : w.function == META_CREATEFONTINDIRECT  ? 18
                                                                   : 0;
    uint32_t index = 0;
    if (w.paramBytes < needed)
        return Outcome::Broken;
    if (!TakeIndex(t, index))
        return Outcome::Broken;
    const uint32_t ih = index + 1;
    switch (w.function) {
    case META_CREATEPENINDIRECT:
        return Check(AppendValues(r, EMR_CREATEPEN,
                                  {ih, GetWord(p), static_cast<uint32_t>(GetShort(p + 2)), 0, GetDword(p + 6)}));
    case META_CREATEBRUSHINDIRECT:
        return Check(AppendValues(r, EMR_CREATEBRUSHINDIRECT, {ih, GetWord(p), GetDword(p + 2), GetWord(p + 6)}));
    case META_CREATEFONTINDIRECT: {
        Body b;
        b.w.Dword(ih);
        for (int i = 0; i < 5; ++i)
            b.w.Long(GetShort(p + 2 * i));
        b.w.Bytes(p + 10, 8);
        bool ended = false;  // the face ends at its first zero, or at the record's end
        for (size_t i = 0; i < 32; ++i) {
            ended = ended || i == 31 || 18 + i >= w.paramBytes || p[18 + i] == 0;
            b.w.Word(ended ? 0 : p[18 + i]);
        }
        return Check(AppendRecord(r, EMR_EXTCREATEFONTINDIRECTW, b.bytes));
    }
    default:  // META_CREATEPALETTE: an index that selects nothing drawn
        return Check(AppendValues(r, EMR_CREATEPALETTE, {ih}));
    }
}

// META_SELECTOBJECT and META_DELETEOBJECT: an index of the table.
Outcome ConvertObjectUse(EmfRecording& r, WmfObjectTable& t, const WmfRecord& w)
{
    if (w.paramBytes < 2)
        return Outcome::Broken;
    const uint32_t index = GetWord(w.params);
    if (index >= t.used.size() || !t.used[index])
        return Outcome::Broken;
    if (w.function == META_DELETEOBJECT)
        t.used[index] = false;
    return Check(AppendValues(r, w.function == META_SELECTOBJECT ? EMR_SELECTOBJECT : EMR_DELETEOBJECT, {index + 1}));
}

// The attribute records: a 16-bit value or a ColorRef.
Outcome ConvertAttribute(EmfRecording& r, const WmfRecord& w)
{
    const bool colour = w.function == META_SETBKCOLOR || w.function == META_SETTEXTCOLOR;
    if (w.paramBytes < (colour ? 4u : 2u))
        return Outcome::Broken;
    const uint32_t value = colour ? GetDword(w.params) : GetWord(w.params);
    const uint32_t type = w.function == META_SETBKCOLOR        ? EMR_SETBKCOLOR
                          : w.function == META_SETTEXTCOLOR    ? EMR_SETTEXTCOLOR
                          : w.function == META_SETBKMODE       ? EMR_SETBKMODE
                          : w.function == META_SETPOLYFILLMODE ? EMR_SETPOLYFILLMODE
                                                               : EMR_SETTEXTALIGN;
    return Check(AppendValues(r, type, {value}));
}

}  // namespace

bool IsWmfDrawingRecord(uint16_t function)
{
    switch (function) {
    case META_POLYGON:
    case META_POLYLINE:
    case META_POLYPOLYGON:
    case META_RECTANGLE:
    case META_ELLIPSE:
    case META_ROUNDRECT:
    case META_ARC:
    case META_PIE:
    case META_CHORD:
    case META_MOVETO:
    case META_LINETO:
    case META_SETPIXEL:
    case META_TEXTOUT:
    case META_EXTTEXTOUT:
    case META_CREATEPENINDIRECT:
    case META_CREATEBRUSHINDIRECT:
    case META_CREATEFONTINDIRECT:
    case META_CREATEPALETTE:
    case META_SELECTOBJECT:
    case META_DELETEOBJECT:
    case META_SETBKCOLOR:
    case META_SETTEXTCOLOR:
    case META_SETBKMODE:
    case META_SETPOLYFILLMODE:
    case META_SETTEXTALIGN:
    case META_SELECTPALETTE:
    case META_REALIZEPALETTE:
    case META_SETROP2:
    case META_SETRELABS:
    case META_SETTEXTCHAREXTRA:
    case META_SETTEXTJUSTIFICATION:
    case META_SETMAPPERFLAGS:
    case META_SETLAYOUT:
    case META_ESCAPE:
        return true;
    default:
        return false;
    }
}

Outcome ConvertDrawingRecord(EmfRecording& r, WmfObjectTable& t, const WmfRecord& w)
{
    switch (w.function) {
    case META_POLYGON:
    case META_POLYLINE:
        return ConvertPoly(r, w);
    case META_POLYPOLYGON:
        return ConvertPolyPolygon(r, w);
    case META_RECTANGLE:
    case META_ELLIPSE:
    case META_ROUNDRECT:
    case META_ARC:
    case META_PIE:
    case META_CHORD:
        return ConvertBox(r, w);
    case META_MOVETO:
    case META_LINETO:
        return ConvertPoint(r, w);
    case META_SETPIXEL:
        return ConvertPixel(r, w);
    case META_TEXTOUT:
        return ConvertTextOut(r, w);
    case META_EXTTEXTOUT:
        return ConvertExtTextOut(r, w);
    case META_CREATEPENINDIRECT:
    case META_CREATEBRUSHINDIRECT:
    case META_CREATEFONTINDIRECT:
    case META_CREATEPALETTE:
        return ConvertCreate(r, t, w);
    case META_SELECTOBJECT:
    case META_DELETEOBJECT:
        return ConvertObjectUse(r, t, w);
    case META_SETBKCOLOR:
    case META_SETTEXTCOLOR:
    case META_SETBKMODE:
    case META_SETPOLYFILLMODE:
    case META_SETTEXTALIGN:
        return ConvertAttribute(r, w);
    case META_SETLAYOUT:
        return w.paramBytes >= 4 && GetDword(w.params) == 0 ? Outcome::Converted : Outcome::Unsupported;
    case META_SETROP2:  // the player draws plain copies only
        return w.paramBytes >= 2 && GetWord(w.params) == R2_COPYPEN ? Outcome::Converted : Outcome::Unsupported;
    default:  // palettes, raster operations, text spacing and escapes draw nothing here
        return Outcome::Converted;
    }
}

}  // namespace Meta
}  // namespace ZAV
