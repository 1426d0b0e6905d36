#include "platform/gdi/Bitmaps.h"

#include "platform/PlatformLimits.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/DibPixels.h"
#include "platform/gdi/GdiKnobs.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Palettes.h"

#include <algorithm>
#include <cstring>

using namespace ZAV::Gdi;

namespace {

bool SizeAllowed(int64_t width, int64_t height)
{
    return width > 0 && height > 0 && static_cast<uint64_t>(width) * static_cast<uint64_t>(height) <= ZAV::kMaxBitmapPixels;
}

int DepthOf(HDC handle)
{
    DC* dc = FindDC(handle);
    if (!dc)
        return ZAV::kScreenBitsPixel;
    return dc->caps.bitsPixel;
}

bool SectionDepth(WORD bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The colour table GetDIBits writes for an indexed target.
std::vector<RGBQUAD> TableFor(const Bitmap& bitmap, DC* dc, WORD bits)
{
    std::vector<PALETTEENTRY> entries;
    if (bitmap.dibSection && bitmap.bitsPixel == bits) {
        const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bitmap.dibInfo.data());
        const auto* colours = reinterpret_cast<const RGBQUAD*>(bitmap.dibInfo.data() + header->biSize);
        return std::vector<RGBQUAD>(colours, colours + (DibInfoSize(*header) - header->biSize) / sizeof(RGBQUAD));
    }
    if (bits == 1)
        entries = {PALETTEENTRY{0, 0, 0, 0}, PALETTEENTRY{255, 255, 255, 0}};
    else
        entries = dc ? SelectedPaletteEntries(*dc) : DefaultPaletteEntries();
    std::vector<RGBQUAD> table(size_t(1) << bits, RGBQUAD{0, 0, 0, 0});
    for (size_t i = 0; i < table.size() && i < entries.size(); ++i)
        table[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    return table;
}

void FillHeaderFrom(const Bitmap& bitmap, BITMAPINFOHEADER& h)
{
    h.biWidth = bitmap.width;
    h.biHeight = bitmap.height;
    h.biPlanes = 1;
    h.biBitCount = bitmap.bitsPixel;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(DibStride(bitmap.width, bitmap.bitsPixel) * bitmap.height);
}

HBITMAP RegisterBitmap(std::unique_ptr<Bitmap> bitmap)
{
    return bitmap ? ZAV::Gdi::Register(std::move(bitmap)) : nullptr;
}

void CopyRowsOut(const Bitmap& bitmap, UINT start, UINT lines, const DibView& view)
{
    for (UINT s = 0; s < lines; ++s) {
        const LONG picture = view.bottomUp ? bitmap.height - 1 - static_cast<LONG>(start + s) : static_cast<LONG>(start + s);
        const LONG target = view.bottomUp ? static_cast<LONG>(lines - 1 - s) : static_cast<LONG>(s);
        for (LONG x = 0; x < bitmap.width; ++x)
            WriteDibPixel(view, x, target, ReadPixel(bitmap, x, picture));
    }
}

}  // namespace

namespace ZAV {
namespace Gdi {

std::unique_ptr<Bitmap> MakeDeviceBitmap(LONG width, LONG height, WORD bitsPixel)
{
    if (!SizeAllowed(width, height))
        return nullptr;
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->width = width;
    bitmap->height = height;
    bitmap->bitsPixel = bitsPixel;
    bitmap->pixels.assign(static_cast<size_t>(width) * height, 0);
    return bitmap;
}

}  // namespace Gdi
}  // namespace ZAV

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, HANDLE, DWORD)
{
    if (bits)
        *bits = nullptr;
    DibView view;
    static const uint8_t probe = 0;
    if (ZAV::GdiKnobs().bitmapCreation || !MakeDibView(info, &probe, view) || !SizeAllowed(view.width, view.height))
        return nullptr;
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->width = view.width;
    bitmap->height = view.height;
    bitmap->bitsPixel = view.bitCount;
    bitmap->dibSection = true;
    const uint8_t* infoBytes = reinterpret_cast<const uint8_t*>(info);
    bitmap->dibInfo.assign(infoBytes, infoBytes + DibInfoSize(info->bmiHeader));
    const size_t size = view.stride * view.height;
    bitmap->dibBits.reset(new (std::nothrow) uint8_t[size]());
    if (!bitmap->dibBits)
        return nullptr;
    if (bits)
        *bits = bitmap->dibBits.get();
    return RegisterBitmap(std::move(bitmap));
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info,
                       UINT)
{
    if (ZAV::GdiKnobs().bitmapCreation || !header)
        return nullptr;
    const LONG height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    if (header->biHeight == INT32_MIN)
        return nullptr;
    auto bitmap = MakeDeviceBitmap(header->biWidth, height, static_cast<WORD>(DepthOf(dc)));
    if (!bitmap)
        return nullptr;
    if (init & CBM_INIT) {
        DibView view;
        if (!MakeDibView(info, bits, view) || view.width != bitmap->width || view.height != bitmap->height)
            return nullptr;
        HBITMAP handle = RegisterBitmap(std::move(bitmap));
        Bitmap* made = FindBitmap(handle);
        for (LONG y = 0; y < made->height; ++y)
            for (LONG x = 0; x < made->width; ++x)
                made->pixels[static_cast<size_t>(y) * made->width + x] = ReadDibPixel(view, x, y);
        return handle;
    }
    return RegisterBitmap(std::move(bitmap));
}

HBITMAP CreateCompatibleBitmap(HDC handle, int width, int height)
{
    DC* dc = FindDC(handle);
    if (ZAV::GdiKnobs().bitmapCreation || !dc)
        return nullptr;
    const Bitmap* surface = SurfaceOf(*dc);
    const bool mono = dc->memory && surface && surface->bitsPixel == 1;
    return RegisterBitmap(MakeDeviceBitmap(width, height, static_cast<WORD>(mono ? 1 : dc->caps.bitsPixel)));
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits)
{
    if (ZAV::GdiKnobs().bitmapCreation || planes != 1 || bitCount != 1)
        return nullptr;
    auto bitmap = MakeDeviceBitmap(width, height, 1);
    if (!bitmap)
        return nullptr;
    if (bits) {
        const uint8_t* rows = static_cast<const uint8_t*>(bits);
        const size_t stride = ((static_cast<size_t>(width) + 15) / 16) * 2;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (rows[y * stride + x / 8] & (0x80 >> (x % 8)))
                    bitmap->pixels[static_cast<size_t>(y) * width + x] = 0xFFFFFF;
    }
    return RegisterBitmap(std::move(bitmap));
}

int GetDIBits(HDC handle, HBITMAP bitmapHandle, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT)
{
    const Bitmap* bitmap = FindBitmap(bitmapHandle);
    if (!bitmap || !info)
        return 0;
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biBitCount == 0) {
        FillHeaderFrom(*bitmap, h);
        return 1;
    }
    if (!SectionDepth(h.biBitCount) || h.biCompression != BI_RGB)
        return 0;
    h.biWidth = bitmap->width;
    h.biHeight = h.biHeight < 0 ? -bitmap->height : bitmap->height;
    h.biSizeImage = static_cast<DWORD>(DibStride(bitmap->width, h.biBitCount) * bitmap->height);
    if (h.biBitCount <= 8) {
        const std::vector<RGBQUAD> table = TableFor(*bitmap, FindDC(handle), h.biBitCount);
        std::copy(table.begin(), table.end(), info->bmiColors);
        h.biClrUsed = static_cast<DWORD>(table.size());
    }
    if (!bits)
        return 1;
    if (start >= static_cast<UINT>(bitmap->height))
        return 0;
    lines = std::min<UINT>(lines, static_cast<UINT>(bitmap->height) - start);
    DibView view;
    MakeDibView(info, bits, view);
    view.height = static_cast<LONG>(lines);
    CopyRowsOut(*bitmap, start, lines, view);
    return static_cast<int>(lines);
}
