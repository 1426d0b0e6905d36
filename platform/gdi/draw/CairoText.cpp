#include "platform/gdi/draw/CairoText.h"

#include "platform/gdi/draw/CairoPaint.h"

#include <cmath>
#include <vector>

// Font lookups fill the font caches of fontconfig and cairo, held where the
// leak checker of the sanitizer builds cannot see them and kept for later
// lookups: their allocations are not leaks of ours.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\nleak:libcairo.so\n";
}

namespace ZAV {
namespace Gdi {

namespace {

constexpr double kDefaultCellHeight = 16;  // the system font's

std::string Utf8(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6)), out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12)), out += char(0x80 | ((c >> 6) & 0x3F)), out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18)), out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F)), out += char(0x80 | (c & 0x3F));
    }
    return out;
}

// The selected font on the context: a negative height is the em size, a
// positive one the cell height (ascent plus descent).
void SelectFont(cairo_t* cr, const LOGFONTA& f)
{
    const char* face = f.lfFaceName[0] ? f.lfFaceName : "sans-serif";
    cairo_select_font_face(cr, face, f.lfItalic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           f.lfWeight >= FW_SEMIBOLD ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    double size = f.lfHeight < 0 ? -double(f.lfHeight) : double(f.lfHeight);
    if (f.lfHeight >= 0) {
        cairo_set_font_size(cr, 1);
        cairo_font_extents_t e;
        cairo_font_extents(cr, &e);
        const double cell = f.lfHeight == 0 ? kDefaultCellHeight : size;
        size = e.ascent + e.descent > 0 ? cell / (e.ascent + e.descent) : cell;
    }
    cairo_set_font_size(cr, size);
}

}  // namespace

std::string ToUtf8(const std::u32string& text)
{
    std::string out;
    for (char32_t c : text)
        out += Utf8(c);
    return out;
}

bool PaintText(DC& dc, int x, int y, UINT options, const RECT* rect, const std::u32string& text, const int* advances)
{
    const Font* font = FindAs<Font>(dc.font, Kind::Font);
    const LOGFONTA logFont = font ? font->logFont : LOGFONTA{};
    cairo_surface_t* recording = nullptr;
    cairo_t* cr = OpenRecording(dc, recording);
    const cairo_matrix_t m = DeviceMatrix(dc);
    cairo_set_matrix(cr, &m);
    if (rect && (options & (ETO_OPAQUE | ETO_CLIPPED))) {
        cairo_rectangle(cr, rect->left, rect->top, double(rect->right) - rect->left, double(rect->bottom) - rect->top);
        if (options & ETO_OPAQUE) {
            SetColour(cr, dc.background);
            cairo_fill_preserve(cr);
        }
        if (options & ETO_CLIPPED)
            cairo_clip(cr);
        cairo_new_path(cr);
    }
    const bool update = (dc.textAlign & TA_UPDATECP) != 0;
    const double originX = update ? dc.current.x : x, originY = update ? dc.current.y : y;
    cairo_translate(cr, originX, originY);
    if (m.xx * m.yy - m.xy * m.yx < 0)
        cairo_scale(cr, 1, -1);  // text stays upright on a page whose y axis points up
    cairo_rotate(cr, -logFont.lfEscapement * M_PI / 1800);
    SelectFont(cr, logFont);
    std::vector<std::string> glyphs;
    std::vector<double> at;  // each character's offset along the baseline
    double width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        glyphs.push_back(Utf8(text[i]));
        at.push_back(width);
        cairo_text_extents_t e;
        cairo_text_extents(cr, glyphs.back().c_str(), &e);
        width += advances ? advances[i] : e.x_advance;
    }
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    const UINT horizontal = dc.textAlign & TA_CENTER;
    const UINT vertical = dc.textAlign & TA_BASELINE;
    const double dx = horizontal == TA_CENTER ? -width / 2 : horizontal == TA_RIGHT ? -width : 0;
    const double dy = vertical == TA_BASELINE ? 0 : vertical == TA_BOTTOM ? -fe.descent : fe.ascent;
    if (dc.bkMode == OPAQUE) {
        cairo_rectangle(cr, dx, dy - fe.ascent, width, fe.ascent + fe.descent);
        SetColour(cr, dc.background);
        cairo_fill(cr);
    }
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_GRAY);
    SetColour(cr, dc.textColour);
    for (size_t i = 0; i < glyphs.size(); ++i) {
        cairo_move_to(cr, dx + at[i], dy);
        cairo_show_text(cr, glyphs[i].c_str());
    }
    cairo_destroy(cr);
    LayOver(dc, recording);
    cairo_surface_destroy(recording);
    if (update)
        dc.current.x += static_cast<LONG>(std::lround(horizontal == TA_RIGHT ? -width : width));
    return true;
}

}  // namespace Gdi
}  // namespace ZAV
