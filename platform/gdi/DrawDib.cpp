#include "platform/gdi/DrawDib.h"

#include "platform/gdi/Blits.h"
#include "platform/gdi/GdiKnobs.h"
#include "platform/gdi/Palettes.h"

#include <map>
#include <memory>
#include <mutex>

namespace {

struct DrawDibState {
    HPALETTE palette = nullptr;
};

struct DrawDibTable {
    std::mutex lock;
    std::map<HDRAWDIB, std::unique_ptr<DrawDibState>> open;
};

DrawDibTable& Table()
{
    static DrawDibTable* table = new DrawDibTable;
    return *table;
}

DrawDibState* FindDrawDib(HDRAWDIB handle)
{
    DrawDibTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    auto it = table.open.find(handle);
    return it == table.open.end() ? nullptr : it->second.get();
}

}  // namespace

HDRAWDIB DrawDibOpen()
{
    if (ZAV::GdiKnobs().drawDibOpen)
        return nullptr;
    auto state = std::make_unique<DrawDibState>();
    HDRAWDIB handle = state.get();
    DrawDibTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    table.open.emplace(handle, std::move(state));
    return handle;
}

BOOL DrawDibClose(HDRAWDIB handle)
{
    DrawDibTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    return table.open.erase(handle) ? TRUE : FALSE;
}

BOOL DrawDibSetPalette(HDRAWDIB handle, HPALETTE palette)
{
    DrawDibState* state = FindDrawDib(handle);
    if (!state)
        return FALSE;
    state->palette = palette;
    return TRUE;
}

UINT DrawDibRealize(HDRAWDIB handle, HDC dc, BOOL)
{
    DrawDibState* state = FindDrawDib(handle);
    if (!state || !state->palette)
        return 0;
    SelectPalette(dc, state->palette, FALSE);
    return RealizePalette(dc);
}

BOOL DrawDibDraw(HDRAWDIB handle, HDC dc, int x, int y, int width, int height, const BITMAPINFOHEADER* header,
                 const void* bits, int sourceX, int sourceY, int sourceWidth, int sourceHeight, UINT)
{
    if (ZAV::GdiKnobs().drawDibDraw || !FindDrawDib(handle) || !header || !bits)
        return FALSE;
    const LONG rows = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    if (sourceWidth < 0)
        sourceWidth = header->biWidth;
    if (sourceHeight < 0)
        sourceHeight = rows;
    // StretchDIBits counts the rows of a bottom-up DIB from its bottom.
    const int dibY = header->biHeight > 0 ? rows - sourceY - sourceHeight : sourceY;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(header);
    return StretchDIBits(dc, x, y, width, height, sourceX, dibY, sourceWidth, sourceHeight, bits, info,
                         DIB_RGB_COLORS, SRCCOPY) != 0
               ? TRUE
               : FALSE;
}
