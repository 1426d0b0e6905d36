// Writes the enhanced metafiles the metafile tests decode, through libEMF
// (an independent EMF writer that records the Win32 drawing calls on
// Linux). Usage: EmfSampleWriter NAME OUTPUT.emf, NAME one of the pictures
// below. Built apart from the test programs: libEMF declares the Windows
// names itself.
#include <libEMF/emf.h>
#include <libEMF/wine/w16.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// 0.01 mm of a picture w x h pixels on libEMF's reference device.
RECT FrameOf(HDC reference, int w, int h)
{
    const int hres = GetDeviceCaps(reference, HORZRES), vres = GetDeviceCaps(reference, VERTRES);
    const int hmm = GetDeviceCaps(reference, HORZSIZE), vmm = GetDeviceCaps(reference, VERTSIZE);
    return RECT{0, 0, w * hmm * 100 / hres, h * vmm * 100 / vres};
}

void Select(HDC dc, HGDIOBJ object)
{
    SelectObject(dc, object);
}

// Filled shapes: an ellipse, a rectangle, a star in both fill modes (the
// 16-bit point records), a wide open arc, a chord made as a path, with a
// thick pen and a hairline.
void Shapes(HDC dc)
{
    Select(dc, GetStockObject(BLACK_PEN));
    Select(dc, CreateSolidBrush(RGB(220, 30, 30)));
    Ellipse(dc, 10, 10, 90, 70);
    Select(dc, GetStockObject(NULL_PEN));
    Select(dc, CreateSolidBrush(RGB(30, 160, 40)));
    Rectangle(dc, 110, 10, 190, 60);
    const POINT16 star[5] = {{50, 80}, {74, 150}, {14, 106}, {86, 106}, {26, 150}};
    Select(dc, CreateSolidBrush(RGB(30, 60, 200)));
    SetPolyFillMode(dc, ALTERNATE);
    Polygon16(dc, star, 5);
    POINT16 stars[10];
    for (int i = 0; i < 5; ++i) {
        stars[i] = POINT16{INT16(star[i].x + 100), star[i].y};
        stars[i + 5] = POINT16{INT16(star[i].x + 200), star[i].y};
    }
    const INT counts[2] = {5, 5};
    SetPolyFillMode(dc, WINDING);
    PolyPolygon16(dc, stars, counts, 2);
    LOGBRUSH wide{BS_SOLID, RGB(250, 150, 0), 0};
    Select(dc, ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 12, &wide, 0, nullptr));
    MoveToEx(dc, 210, 20, nullptr);
    LineTo(dc, 290, 20);
    Select(dc, CreatePen(PS_SOLID, 6, RGB(150, 0, 150)));
    Arc(dc, 210, 160, 290, 240, 290, 200, 210, 200);  // the upper half, counter-clockwise
    Select(dc, CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    Select(dc, CreateSolidBrush(RGB(0, 150, 150)));
    BeginPath(dc);
    MoveToEx(dc, 10, 190, nullptr);
    ArcTo(dc, 10, 160, 90, 220, 90, 190, 10, 190);
    CloseFigure(dc);
    EndPath(dc);
    FillPath(dc);
    const POINT16 zigzag[4] = {{110, 160}, {140, 210}, {160, 165}, {190, 215}};
    Polyline16(dc, zigzag, 4);
}

// Curves, a path, text and a world transform.
void PathsAndText(HDC dc)
{
    Select(dc, CreatePen(PS_SOLID, 3, RGB(0, 0, 120)));
    const POINT curve[7] = {{10, 60}, {40, 0}, {80, 120}, {110, 60}, {140, 0}, {170, 120}, {200, 60}};
    PolyBezier(dc, curve, 7);
    Select(dc, CreateSolidBrush(RGB(240, 200, 40)));
    BeginPath(dc);
    MoveToEx(dc, 220, 20, nullptr);
    const POINT to[3] = {{300, 0}, {300, 120}, {220, 100}};
    PolyBezierTo(dc, to, 3);
    LineTo(dc, 240, 60);
    CloseFigure(dc);
    EndPath(dc);
    StrokeAndFillPath(dc);
    HFONT font = CreateFontA(-32, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Liberation Sans");
    Select(dc, font);
    SetTextColor(dc, RGB(200, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_BASELINE);
    TextOutA(dc, 20, 170, "Metafile", 8);
    Select(dc, GetStockObject(NULL_PEN));
    LOGBRUSH hatch{BS_HATCHED, RGB(0, 0, 0), HS_CROSS};
    Select(dc, CreateBrushIndirect(&hatch));
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(120, 220, 250));
    XFORM shift{1, 0, 0, 1, 200, 130};
    SetWorldTransform(dc, &shift);
    Rectangle(dc, 0, 0, 90, 80);
    const XFORM identity{1, 0, 0, 1, 0, 0};
    ModifyWorldTransform(dc, &identity, MWT_IDENTITY);
}

// Coordinates past 16 bits (the 32-bit point records) under a scaling
// page mapping.
void LargeCoordinates(HDC dc)
{
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 100000, 100000, nullptr);
    SetViewportExtEx(dc, 300, 240, nullptr);
    Select(dc, CreatePen(PS_SOLID, 0, RGB(0, 0, 0)));
    Select(dc, CreateSolidBrush(RGB(0, 90, 200)));
    const POINT triangle[3] = {{5000, 90000}, {50000, 5000}, {95000, 90000}};
    Polygon(dc, triangle, 3);
    Select(dc, CreateSolidBrush(RGB(255, 255, 255)));
    Ellipse(dc, 35000, 45000, 65000, 80000);
    const POINT wave[4] = {{0, 95000}, {30000, 60000}, {70000, 130000}, {100000, 95000}};
    PolyBezier(dc, wave, 4);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const std::string name = argv[1];
    const int w = 300, h = name == "large" ? 240 : 230;
    // libEMF's reference device answers the same on every metafile DC.
    HDC probe = CreateEnhMetaFileA(0, "/dev/null", nullptr, nullptr);
    const RECT frame = FrameOf(probe, w, h);
    DeleteEnhMetaFile(CloseEnhMetaFile(probe));
    HDC dc = CreateEnhMetaFileA(0, argv[2], &frame, "ZAV test\0picture\0");
    if (!dc)
        return 1;
    if (name == "shapes")
        Shapes(dc);
    else if (name == "paths")
        PathsAndText(dc);
    else if (name == "large")
        LargeCoordinates(dc);
    else
        return 2;
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    DeleteEnhMetaFile(metafile);
    return 0;
}
