// Device bitmaps and GDI palettes from DIBs and image rows, and back.
#include "image/core/ImageLimits.h"
#include "image/dib/DibHeader.h"
#include "image/dib/DibRows.h"
#include "image/kernels/ImgKernels.h"
#include "platform/gdi/Bitmaps.h"
#include "platform/gdi/Blits.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Palettes.h"

#include <cstring>
#include <vector>

namespace ZAV {

namespace {

constexpr WORD kLogPaletteVersion = 0x300;
constexpr int kMaxGdiPaletteEntries = 256;
constexpr int kSystemPaletteEntries = 255;

// The screen DC when the caller gave none, released with the holder.
class DeviceOrScreen {
public:
    explicit DeviceOrScreen(HDC dc) : m_dc(dc ? dc : GetDC(nullptr)), m_screen(dc == nullptr) {}
    ~DeviceOrScreen()
    {
        if (m_screen)
            ReleaseDC(nullptr, m_dc);
    }
    DeviceOrScreen(const DeviceOrScreen&) = delete;
    DeviceOrScreen& operator=(const DeviceOrScreen&) = delete;
    HDC dc() const { return m_dc; }

private:
    HDC m_dc;
    bool m_screen;
};

// A palette selected and realised for the holder's life.
class SelectedPalette {
public:
    SelectedPalette(HDC dc, HPALETTE palette) : m_dc(dc)
    {
        if (palette) {
            m_old = SelectPalette(dc, palette, FALSE);
            RealizePalette(dc);
        }
    }
    ~SelectedPalette()
    {
        if (m_old)
            SelectPalette(m_dc, m_old, FALSE);
    }
    SelectedPalette(const SelectedPalette&) = delete;
    SelectedPalette& operator=(const SelectedPalette&) = delete;

private:
    HDC m_dc;
    HPALETTE m_old = nullptr;
};

bool HasCap(HDC dc, int cap)
{
    return (GetDeviceCaps(dc, RASTERCAPS) & cap) != 0;
}

std::vector<BYTE> LogPaletteBytes(const uint32_t* entries, int count)
{
    std::vector<BYTE> bytes(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * static_cast<size_t>(count));
    auto* logPalette = reinterpret_cast<LOGPALETTE*>(bytes.data());
    logPalette->palVersion = kLogPaletteVersion;
    logPalette->palNumEntries = static_cast<WORD>(count);
    for (int i = 0; i < count; ++i)
        logPalette->palPalEntry[i] = PALETTEENTRY{static_cast<BYTE>(entries[i] >> 16),
                                                  static_cast<BYTE>(entries[i] >> 8), static_cast<BYTE>(entries[i]), 0};
    return bytes;
}

}  // namespace

HPALETTE CImgKernels::CreateGdiPalette(const uint32_t* entries, int count)
{
    ClearErrorText();
    if (!entries || count < 1 || count > kMaxGdiPaletteEntries)
        return Fail(kTextInvalidParameter), nullptr;
    const std::vector<BYTE> bytes = LogPaletteBytes(entries, count);
    HPALETTE palette = CreatePalette(reinterpret_cast<const LOGPALETTE*>(bytes.data()));
    if (!palette)
        Fail(kTextOutOfMemory);
    return palette;
}

HBITMAP CImgKernels::DibToBitmap(HGLOBAL dib, HPALETTE palette, HDC dc)
{
    ClearErrorText();
    DeviceOrScreen device(dc);
    if (!HasCap(device.dc(), RC_DI_BITMAP))
        return FailCode(zavkeDeviceCapability), nullptr;
    const BYTE* bytes = dib ? static_cast<const BYTE*>(GlobalLock(dib)) : nullptr;
    DibLayout layout;
    if (!bytes || CheckDib(bytes, GlobalSize(dib), layout) != DibFault::None || layout.core ||
        layout.header.biCompression != BI_RGB) {
        if (bytes)
            GlobalUnlock(dib);
        return Fail(kTextInvalidParameter), nullptr;
    }
    HPALETTE own = nullptr;
    if (!palette && HasCap(device.dc(), RC_PALETTE) && layout.colourCount > 0 && layout.colourCount <= 256) {
        uint32_t entries[256];
        ClampedDibPalette(bytes, layout, entries);
        own = CreateGdiPalette(entries, layout.colourCount);
        if (!own) {
            GlobalUnlock(dib);
            return Fail(kTextOutOfMemory), nullptr;
        }
    }
    HBITMAP bitmap = nullptr;
    {
        SelectedPalette selected(device.dc(), palette ? palette : own);
        const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes);
        const BYTE* bits = bytes + layout.bitsOffset;
        if (GetUseDibSection()) {
            void* sectionBits = nullptr;
            bitmap = CreateDIBSection(device.dc(), info, DIB_RGB_COLORS, &sectionBits, nullptr, 0);
            if (bitmap && sectionBits)
                std::memcpy(sectionBits, bits, layout.bitsSize);
            else if (bitmap) {
                DeleteObject(bitmap);
                bitmap = nullptr;
                FailCode(zavkeNoDibSectionBits);
            } else
                FailCode(zavkeBitmapCreation);
        } else {
            bitmap = CreateDIBitmap(device.dc(), &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS);
            if (!bitmap)
                FailCode(zavkeBitmapCreation);
        }
    }
    if (own)
        DeleteObject(own);
    GlobalUnlock(dib);
    return bitmap;
}

HBITMAP CImgKernels::Image24ToDibSection(const BYTE* data, int width, int height, HPALETTE palette, HDC dc)
{
    ClearErrorText();
    if (!data || width < 1 || height < 1)
        return FailCode(zavkeMissingInput), nullptr;
    DeviceOrScreen device(dc);
    SelectedPalette selected(device.dc(), palette);
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(device.dc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section)
        return FailCode(zavkeBitmapCreation), nullptr;
    const int code =
        ImageToDib24(data, static_cast<BYTE*>(bits), width, height, static_cast<int>(GetDibStride(width, 1, 24)));
    if (code) {
        DeleteObject(section);
        return FailCode(code), nullptr;
    }
    return section;
}

HBITMAP CImgKernels::Image24ToBitmap(const BYTE* data, int width, int height, HPALETTE palette, HDC dc)
{
    ClearErrorText();
    if (!data)
        return FailCode(zavkeMissingInput), nullptr;
    if (GetUseDibSection())
        return Image24ToDibSection(data, width, height, palette, dc);
    HGLOBAL dib = Image24ToDib(data, width, height, 0, 0);
    if (!dib)
        return nullptr;
    HBITMAP bitmap = DibToBitmap(dib, palette, dc);
    GlobalFree(dib);
    return bitmap;
}

HGLOBAL CImgKernels::BitmapToDib(HBITMAP bitmap, DWORD compression, HPALETTE palette)
{
    ClearErrorText();
    BITMAP described{};
    if (!bitmap || compression == BI_BITFIELDS || !GetObjectA(bitmap, sizeof described, &described))
        return Fail(kTextInvalidParameter), nullptr;
    BITMAPINFOHEADER h{sizeof(BITMAPINFOHEADER),
                       described.bmWidth,
                       described.bmHeight,
                       1,
                       static_cast<WORD>(described.bmPlanes * described.bmBitsPixel),
                       compression,
                       0,
                       0,
                       0,
                       0,
                       0};
    const int colours = h.biBitCount <= 8 ? 1 << h.biBitCount : 0;
    const int64_t image = GetDibStride(h) * h.biHeight;
    const int64_t total = static_cast<int64_t>(sizeof h) + colours * 4 + image;
    if (total >= kMaxImageBytes)
        return Fail(kTextOutOfMemory), nullptr;
    HGLOBAL dib = GlobalAlloc(GPTR, static_cast<size_t>(total));
    if (!dib)
        return Fail(kTextOutOfMemory), nullptr;
    DeviceOrScreen screen(nullptr);
    SelectedPalette selected(screen.dc(), palette ? palette : GetStockObject(DEFAULT_PALETTE));
    auto* info = static_cast<BITMAPINFO*>(dib);
    info->bmiHeader = h;
    BYTE* bits = static_cast<BYTE*>(dib) + sizeof h + colours * 4;
    if (GetDIBits(screen.dc(), bitmap, 0, static_cast<UINT>(h.biHeight), bits, info, DIB_RGB_COLORS) != h.biHeight) {
        GlobalFree(dib);
        return Fail(kTextInvalidParameter), nullptr;
    }
    if (info->bmiHeader.biSizeImage == 0)
        info->bmiHeader.biSizeImage = static_cast<DWORD>(image);
    info->bmiHeader.biClrUsed = 0;  // the full table of the depth follows
    return dib;
}

HGLOBAL CImgKernels::BitmapToImage(HBITMAP bitmap, int& width, int& height, HDC dc, HPALETTE palette)
{
    ClearErrorText();
    DeviceOrScreen device(dc);
    if (!HasCap(device.dc(), RC_DI_BITMAP))
        return FailCode(zavkeDeviceCapability), nullptr;
    HPALETTE own = nullptr;
    if (!palette && HasCap(device.dc(), RC_PALETTE)) {
        std::vector<PALETTEENTRY> system(kSystemPaletteEntries);
        const UINT n = GetSystemPaletteEntries(device.dc(), 0, kSystemPaletteEntries, system.data());
        std::vector<uint32_t> entries;
        for (UINT i = 0; i < n; ++i)
            entries.push_back((uint32_t(system[i].peRed) << 16) | (uint32_t(system[i].peGreen) << 8) |
                              system[i].peBlue);
        if (!entries.empty())
            own = CreateGdiPalette(entries.data(), static_cast<int>(entries.size()));
    }
    HGLOBAL dib = BitmapToDib(bitmap, BI_RGB, palette ? palette : own);
    if (own)
        DeleteObject(own);
    if (!dib)
        return nullptr;
    HGLOBAL image = DibToImage24(dib, width, height);
    GlobalFree(dib);
    return image;
}

HGLOBAL CImgKernels::DCToImage(HDC dc, int x, int y, int width, int height)
{
    ClearErrorText();
    if (!HasCap(dc, RC_BITBLT) || !HasCap(dc, RC_BITMAP64))
        return FailCode(zavkeDeviceCapability), nullptr;
    HDC memory = CreateCompatibleDC(dc);
    if (!memory)
        return FailCode(zavkeNoCompatibleDC), nullptr;
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGLOBAL image = nullptr;
    if (!bitmap) {
        FailCode(zavkeBitmapCreation);
    } else {
        HGDIOBJ old = SelectObject(memory, bitmap);
        const bool copied = old && BitBlt(memory, 0, 0, width, height, dc, x, y, SRCCOPY);
        if (old)
            SelectObject(memory, old);
        int outWidth = 0;
        int outHeight = 0;
        if (copied)
            image = BitmapToImage(bitmap, outWidth, outHeight, dc, nullptr);
        else
            FailCode(zavkeBitBltFailed);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    return image;
}

HGLOBAL CImgKernels::ScreenBitmapToImage(int x, int y, int width, int height)
{
    DeviceOrScreen screen(nullptr);
    return DCToImage(screen.dc(), x, y, width, height);
}

}  // namespace ZAV
