// The object records ([MS-EMF] object creation and manipulation records):
// pens, brushes and fonts made into the metafile's object table, selected
// (stock objects too) and deleted. Pattern brushes are not played.
#include "platform/gdi/draw/Drawing.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/draw/Shapes.h"
#include "platform/gdi/metafile/play/EmfPlayContext.h"
#include "platform/gdi/metafile/MetaBytes.h"
#include "platform/gdi/metafile/MetafileLimits.h"

#include <algorithm>
#include <cstring>

namespace ZAV {
namespace Meta {

namespace {

// The table entry an index names, grown on demand; null when the index is
// 0 (the metafile itself) or past the ceiling.
HGDIOBJ* Slot(PlayContext& c, uint32_t index)
{
    if (index == 0 || index >= kMaxMetafileObjects)
        return nullptr;
    if (index >= c.objects.size())
        c.objects.resize(index + 1, nullptr);
    return &c.objects[index];
}

PlayResult Store(PlayContext& c, uint32_t index, HGDIOBJ object)
{
    HGDIOBJ* slot = Slot(c, index);
    if (!slot) {
        DeleteObject(object);
        return PlayResult::Broken;
    }
    if (!object)
        return PlayResult::Unsupported;
    c.made.push_back(object);
    *slot = object;
    return PlayResult::Played;
}

// EMR_CREATEPEN: ihPen, then LogPen (PenStyle, Width as a POINTL whose x
// counts, ColorRef).
PlayResult CreatePenRecord(PlayContext& c, const EmfRecord& r)
{
    if (r.size < kCreatePenBytes)
        return PlayResult::Broken;
    const uint32_t style = GetDword(r.data + 12);
    const int32_t width = std::max(0, GetLong(r.data + 16));
    if ((style & PS_STYLE_MASK) > PS_INSIDEFRAME)
        return PlayResult::Unsupported;  // user-styled and alternate pens
    return Store(c, GetDword(r.data + 8),
                 CreatePen(static_cast<int>(style & PS_STYLE_MASK), width, GetDword(r.data + 24)));
}

// EMR_EXTCREATEPEN: ihPen, offBmi, cbBmi, offBits, cbBits, then LogPenEx
// (PenStyle, Width, BrushStyle, ColorRef, BrushHatch, NumStyleEntries,
// the style entries).
PlayResult ExtCreatePenRecord(PlayContext& c, const EmfRecord& r)
{
    if (r.size < kExtCreatePenBytes)
        return PlayResult::Broken;
    const uint8_t* p = r.data + 28;
    const uint32_t entries = GetDword(p + 20);
    if (uint64_t(entries) * 4 > r.size - kExtCreatePenBytes)
        return PlayResult::Broken;
    const uint32_t style = GetDword(p);
    const LOGBRUSH brush{GetDword(p + 8), GetDword(p + 12), GetDword(p + 16)};
    if ((style & PS_STYLE_MASK) > PS_INSIDEFRAME || entries != 0 || brush.lbStyle != BS_SOLID)
        return PlayResult::Unsupported;  // user styles and pattern pens
    return Store(c, GetDword(r.data + 8), ExtCreatePen(style, GetDword(p + 4), &brush, 0, nullptr));
}

// EMR_CREATEBRUSHINDIRECT: ihBrush, then LogBrush32 (BrushStyle, Color,
// BrushHatch).
PlayResult CreateBrushRecord(PlayContext& c, const EmfRecord& r)
{
    if (r.size < kCreateBrushBytes)
        return PlayResult::Broken;
    const LOGBRUSH brush{GetDword(r.data + 12), GetDword(r.data + 16), GetDword(r.data + 20)};
    return Store(c, GetDword(r.data + 8), CreateBrushIndirect(&brush));
}

// EMR_EXTCREATEFONTINDIRECTW: ihFont, then a LogFont (or a longer record
// that starts with one): Height, Width, Escapement, Orientation, Weight,
// Italic, Underline, StrikeOut, CharSet, OutPrecision, ClipPrecision,
// Quality, PitchAndFamily, FaceName (32 UTF-16 units).
PlayResult CreateFontRecord(PlayContext& c, const EmfRecord& r)
{
    if (r.size < 12 + kLogFontWBytes)
        return PlayResult::Broken;
    const uint8_t* p = r.data + 12;
    LOGFONTA f{};
    f.lfHeight = GetLong(p), f.lfWidth = GetLong(p + 4), f.lfEscapement = GetLong(p + 8);
    f.lfOrientation = GetLong(p + 12), f.lfWeight = GetLong(p + 16);
    f.lfItalic = p[20], f.lfUnderline = p[21], f.lfStrikeOut = p[22], f.lfCharSet = p[23];
    f.lfOutPrecision = p[24], f.lfClipPrecision = p[25], f.lfQuality = p[26], f.lfPitchAndFamily = p[27];
    // Face names are ASCII in practice; others fall back as the font lookup decides.
    for (int i = 0; i < LF_FACESIZE - 1; ++i) {
        const uint16_t unit = GetWord(p + 28 + 2 * i);
        if (unit == 0)
            break;
        f.lfFaceName[i] = unit < 0x80 ? char(unit) : '?';
    }
    return Store(c, GetDword(r.data + 8), CreateFontIndirectA(&f));
}

// A stock object's handle, or the table's.
HGDIOBJ Named(PlayContext& c, uint32_t index)
{
    if (index & kStockObjectFlag)
        return GetStockObject(static_cast<int>(index & ~kStockObjectFlag));
    return index < c.objects.size() ? c.objects[index] : nullptr;
}

PlayResult SelectRecord(PlayContext& c, const EmfRecord& r)
{
    const uint32_t index = GetDword(r.data + 8);
    HGDIOBJ object = Named(c, index);
    const Gdi::Object* found = Gdi::Find(object);
    if (!found)
        return (index & kStockObjectFlag) ? PlayResult::Unsupported : PlayResult::Broken;
    DrawState& d = c.state.draw;
    switch (found->kind) {
    case Gdi::Kind::Pen:
        d.pen = object;
        return PlayResult::Played;
    case Gdi::Kind::Brush:
        d.brush = object;
        return PlayResult::Played;
    case Gdi::Kind::Font:
        d.font = object;
        return PlayResult::Played;
    case Gdi::Kind::Palette:
        return PlayResult::Played;  // colours are drawn as they are
    default:
        return PlayResult::Unsupported;
    }
}

PlayResult DeleteRecord(PlayContext& c, const EmfRecord& r)
{
    const uint32_t index = GetDword(r.data + 8);
    if (index & kStockObjectFlag)
        return PlayResult::Played;
    if (index == 0 || index >= kMaxMetafileObjects)
        return PlayResult::Broken;
    if (index < c.objects.size())
        c.objects[index] = nullptr;  // the object itself lives to the end of the play
    return PlayResult::Played;
}

// EMR_CREATEPALETTE takes a table entry; its colours change nothing drawn
// on a true-colour target.
PlayResult CreatePaletteRecord(PlayContext& c, const EmfRecord& r)
{
    HGDIOBJ* slot = Slot(c, GetDword(r.data + 8));
    if (!slot)
        return PlayResult::Broken;
    *slot = GetStockObject(DEFAULT_PALETTE);
    return PlayResult::Played;
}

}  // namespace

bool IsObjectRecord(uint32_t type)
{
    switch (type) {
    case EMR_CREATEPEN:
    case EMR_EXTCREATEPEN:
    case EMR_CREATEBRUSHINDIRECT:
    case EMR_EXTCREATEFONTINDIRECTW:
    case EMR_SELECTOBJECT:
    case EMR_DELETEOBJECT:
    case EMR_CREATEPALETTE:
    case EMR_SELECTPALETTE:
    case EMR_REALIZEPALETTE:
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT:
        return true;
    default:
        return false;
    }
}

PlayResult PlayObjectRecord(PlayContext& c, const EmfRecord& r)
{
    const bool indexed = r.type != EMR_REALIZEPALETTE;
    if (r.size < kEnhRecordHead + (indexed ? 4u : 0u))
        return PlayResult::Broken;
    switch (r.type) {
    case EMR_CREATEPEN:
        return CreatePenRecord(c, r);
    case EMR_EXTCREATEPEN:
        return ExtCreatePenRecord(c, r);
    case EMR_CREATEBRUSHINDIRECT:
        return CreateBrushRecord(c, r);
    case EMR_EXTCREATEFONTINDIRECTW:
        return CreateFontRecord(c, r);
    case EMR_SELECTOBJECT:
        return SelectRecord(c, r);
    case EMR_DELETEOBJECT:
        return DeleteRecord(c, r);
    case EMR_CREATEPALETTE:
        return CreatePaletteRecord(c, r);
    case EMR_SELECTPALETTE:
    case EMR_REALIZEPALETTE:
        return PlayResult::Played;
    default:
        return PlayResult::Unsupported;  // bitmap and pattern brushes
    }
}

}  // namespace Meta
}  // namespace ZAV
