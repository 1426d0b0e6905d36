// The objects behind the graphics handles. A handle is the address of its
// object; every live object is registered so that a stale or foreign handle
// is refused instead of followed. Internal to the graphics layer.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <memory>
#include <string>
#include <vector>

struct _cairo;      // cairo_t: an open path bracket builds on one
struct cairo_path;  // cairo_path_t: a finished path or a clip path

namespace ZAV {
namespace Meta {
struct EmfRecording;  // the records a metafile DC has taken so far
}  // namespace Meta

namespace Gdi {

enum class Kind { Bitmap, Palette, Pen, Brush, Font, Region, DC, EnhMetaFile, MetaFile };

struct Object {
    explicit Object(Kind k) : kind(k) {}
    virtual ~Object() = default;
    Kind kind;
    bool stock = false;  // stock objects outlive every DeleteObject
};

// Device bitmaps keep one COLORREF a pixel (a monochrome one black or
// white); DIB sections keep their pixels in the DIB layout the caller
// writes through the bits pointer.
struct Bitmap : Object {
    Bitmap() : Object(Kind::Bitmap) {}
    LONG width = 0;
    LONG height = 0;
    WORD bitsPixel = 0;
    std::vector<COLORREF> pixels;
    bool dibSection = false;
    std::vector<uint8_t> dibInfo;  // header, masks and colour table of a section
    std::unique_ptr<uint8_t[]> dibBits;
    HDC selectedInto = nullptr;
};

struct Palette : Object {
    Palette() : Object(Kind::Palette) {}
    std::vector<PALETTEENTRY> entries;
};

struct Pen : Object {
    Pen() : Object(Kind::Pen) {}
    int style = PS_SOLID;  // the line style (PS_SOLID ... PS_INSIDEFRAME)
    int width = 1;         // logical units; 0 is one device pixel
    COLORREF colour = 0;
    bool cosmetic = false;  // one device pixel whatever the width
    DWORD endCap = PS_ENDCAP_ROUND;
    DWORD join = PS_JOIN_ROUND;
};

struct Brush : Object {
    Brush() : Object(Kind::Brush) {}
    COLORREF colour = 0xFFFFFF;
    bool nullBrush = false;  // paints nothing
    int hatch = -1;          // HS_HORIZONTAL ... HS_DIAGCROSS; -1 for a solid brush
};

struct Font : Object {
    Font() : Object(Kind::Font) {}
    LOGFONTA logFont{};
};

struct Region : Object {
    Region() : Object(Kind::Region) {}
    RECT rect{};
};

struct EnhMetaFile : Object {
    EnhMetaFile() : Object(Kind::EnhMetaFile) {}
    std::vector<uint8_t> bytes;
};

// An old-style (WMF) metafile, held as its bytes.
struct MetaFile : Object {
    MetaFile() : Object(Kind::MetaFile) {}
    std::vector<uint8_t> bytes;
};

// What SaveDC keeps of a DC and RestoreDC puts back.
struct SavedDCState {
    bool hasClip = false;
    RECT clip{};
    POINT windowOrg{0, 0};
    int mapMode = MM_TEXT;
    int stretchMode = BLACKONWHITE;
};

struct DeviceCaps {
    int technology = DT_RASDISPLAY;
    int bitsPixel = 32;
    int rasterCaps = RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_STRETCHBLT | RC_STRETCHDIB;
    int logPixelsX = 96;
    int logPixelsY = 96;
    int width = 1024;
    int height = 768;
};

// Text a DC was asked to draw, recorded beside the glyphs drawn.
struct TextRecord {
    std::string text;
    int x = 0;
    int y = 0;
    std::string face;
    LONG height = 0;
    UINT format = 0;
};

struct DC : Object {
    DC() : Object(Kind::DC) {}
    DeviceCaps caps;
    bool memory = false;
    HWND window = nullptr;
    HBITMAP bitmap = nullptr;        // the surface: selected (memory DC) or the device's
    HBITMAP ownedSurface = nullptr;  // a test DC's surface, freed with the DC
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    HPALETTE palette = nullptr;
    COLORREF background = 0xFFFFFF;
    COLORREF textColour = 0;
    int mapMode = MM_TEXT;
    int stretchMode = BLACKONWHITE;
    POINT windowOrg{0, 0};
    bool hasClip = false;
    RECT clip{};
    int bkMode = OPAQUE;
    int polyFillMode = ALTERNATE;
    UINT textAlign = 0;   // TA_LEFT | TA_TOP
    POINT current{0, 0};  // the current position, logical
    // Logical to page space (eM11, eM12, eM21, eM22, eDx, eDy); the window
    // origin then leads to the device. The metafile player sets it.
    double world[6] = {1, 0, 0, 1, 0, 0};
    // An open path bracket collects the shapes drawn instead of drawing
    // them; EndPath leaves the path (device coordinates) for the path calls.
    std::shared_ptr<_cairo> pathBuilder;
    std::shared_ptr<cairo_path> path;
    // A clip path (device coordinates) on top of the clip rectangle.
    std::shared_ptr<cairo_path> clipPath;
    int clipPathFillMode = ALTERNATE;
    std::vector<TextRecord> texts;
    std::vector<SavedDCState> savedStates;
    // Set on a metafile DC: every supported call is recorded, not drawn.
    std::shared_ptr<Meta::EmfRecording> recording;
};

// Registers a new object and returns its handle.
void* Register(std::unique_ptr<Object> object);
// The live object of that kind, or null.
Object* Find(void* handle);
template <class T>
T* FindAs(void* handle, Kind kind)
{
    Object* object = Find(handle);
    return object && object->kind == kind ? static_cast<T*>(object) : nullptr;
}
inline Bitmap* FindBitmap(void* h)
{
    return FindAs<Bitmap>(h, Kind::Bitmap);
}
inline Palette* FindPalette(void* h)
{
    return FindAs<Palette>(h, Kind::Palette);
}
inline DC* FindDC(void* h)
{
    return FindAs<DC>(h, Kind::DC);
}
inline Region* FindRegion(void* h)
{
    return FindAs<Region>(h, Kind::Region);
}

// One of a DC's mode fields; 0 when the handle is no DC.
inline int ModeOf(void* h, int DC::*field)
{
    const DC* dc = FindDC(h);
    return dc ? dc->*field : 0;
}

// Removes and destroys a registered object; false when it is not one.
bool Destroy(void* handle);

// The bitmap a DC draws on.
Bitmap* SurfaceOf(DC& dc);

// A pixel of a bitmap as COLORREF; y counts from the top.
COLORREF ReadPixel(const Bitmap& bitmap, LONG x, LONG y);
void WritePixel(Bitmap& bitmap, LONG x, LONG y, COLORREF colour);

// The palette entry nearest a colour (squared distance, first wins).
int NearestEntry(const std::vector<PALETTEENTRY>& entries, COLORREF colour);

}  // namespace Gdi
}  // namespace ZAV

namespace ZAV {
namespace Gdi {

// The clip region of a DC together with its surface's bounds, in device
// coordinates; right and bottom exclusive.
RECT DrawableArea(DC& dc);

// Writes a device pixel inside the drawable area; on an 8-bit device the
// colour becomes the nearest entry of the selected palette first.
void PaintPixel(DC& dc, LONG x, LONG y, COLORREF colour);

// A logical point of the DC in device coordinates.
POINT ToDevice(const DC& dc, LONG x, LONG y);

// The palette selected into a DC (the stock default when none).
const std::vector<PALETTEENTRY>& SelectedPaletteEntries(const DC& dc);

// A device bitmap of the size, zero (black) filled, not registered.
std::unique_ptr<Bitmap> MakeDeviceBitmap(LONG width, LONG height, WORD bitsPixel);

}  // namespace Gdi
}  // namespace ZAV
