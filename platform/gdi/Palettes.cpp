#include "platform/gdi/Palettes.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Objects.h"

#include <algorithm>

using namespace ZAV::Gdi;

namespace {

constexpr size_t kHalftoneEntries = 256;
constexpr int kCubeLevels = 6;
constexpr WORD kPaletteVersion = 0x300;

HPALETTE RegisterPalette(std::vector<PALETTEENTRY> entries)
{
    auto palette = std::make_unique<Palette>();
    palette->entries = std::move(entries);
    return Register(std::move(palette));
}

UINT CopyEntries(const std::vector<PALETTEENTRY>& from, UINT start, UINT count, PALETTEENTRY* entries)
{
    if (!entries)
        return static_cast<UINT>(from.size());
    if (start >= from.size())
        return 0;
    const UINT n = std::min<UINT>(count, static_cast<UINT>(from.size()) - start);
    std::copy_n(from.begin() + start, n, entries);
    return n;
}

}  // namespace

namespace ZAV {
namespace Gdi {

std::vector<PALETTEENTRY> DefaultPaletteEntries()
{
    static const BYTE rgb[20][3] = {
        {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
        {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
        {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
        {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
    std::vector<PALETTEENTRY> entries;
    for (const auto& c : rgb)
        entries.push_back(PALETTEENTRY{c[0], c[1], c[2], 0});
    return entries;
}

std::vector<PALETTEENTRY> HalftonePaletteEntries()
{
    std::vector<PALETTEENTRY> entries = DefaultPaletteEntries();
    for (int r = 0; r < kCubeLevels; ++r)
        for (int g = 0; g < kCubeLevels; ++g)
            for (int b = 0; b < kCubeLevels; ++b)
                entries.push_back(PALETTEENTRY{static_cast<BYTE>(r * 51), static_cast<BYTE>(g * 51),
                                               static_cast<BYTE>(b * 51), 0});
    for (int i = 1; entries.size() < kHalftoneEntries; ++i) {
        const BYTE grey = static_cast<BYTE>(i * 12);
        entries.push_back(PALETTEENTRY{grey, grey, grey, 0});
    }
    return entries;
}

const std::vector<PALETTEENTRY>& SelectedPaletteEntries(const DC& dc)
{
    const Palette* palette = FindPalette(dc.palette);
    if (!palette)
        palette = FindPalette(GetStockObject(DEFAULT_PALETTE));
    return palette->entries;
}

}  // namespace Gdi
}  // namespace ZAV

HPALETTE CreatePalette(const LOGPALETTE* logPalette)
{
    if (!logPalette || logPalette->palVersion != kPaletteVersion || logPalette->palNumEntries == 0)
        return nullptr;
    const PALETTEENTRY* first = logPalette->palPalEntry;
    return RegisterPalette(std::vector<PALETTEENTRY>(first, first + logPalette->palNumEntries));
}

HPALETTE CreateHalftonePalette(HDC)
{
    return RegisterPalette(HalftonePaletteEntries());
}

HPALETTE SelectPalette(HDC handle, HPALETTE palette, BOOL)
{
    DC* dc = FindDC(handle);
    if (!dc || !FindPalette(palette))
        return nullptr;
    HPALETTE previous = dc->palette;
    dc->palette = palette;
    return previous;
}

UINT RealizePalette(HDC handle)
{
    const DC* dc = FindDC(handle);
    return dc ? static_cast<UINT>(SelectedPaletteEntries(*dc).size()) : GDI_ERROR;
}

UINT GetPaletteEntries(HPALETTE handle, UINT start, UINT count, PALETTEENTRY* entries)
{
    const Palette* palette = FindPalette(handle);
    return palette ? CopyEntries(palette->entries, start, count, entries) : 0;
}

UINT GetSystemPaletteEntries(HDC handle, UINT start, UINT count, PALETTEENTRY* entries)
{
    const DC* dc = FindDC(handle);
    if (!dc || dc->caps.bitsPixel != 8)
        return 0;
    return CopyEntries(HalftonePaletteEntries(), start, count, entries);
}
