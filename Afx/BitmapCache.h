// The drawer's cache: a device bitmap valid for devices with the same bits
// a pixel and resolution, and a packed DIB. Printers and metafiles get
// nothing from it and put nothing in it.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <functional>

namespace ZAV {

class CBitmapCache {
public:
    CBitmapCache() = default;
    ~CBitmapCache() { Release(); }
    CBitmapCache(const CBitmapCache&) = delete;
    CBitmapCache& operator=(const CBitmapCache&) = delete;

    HBITMAP GetBitmap(HDC dc) const;
    // Keeps the bitmap for the DC's device (the old one deleted); false,
    // keeping nothing, for a printer or metafile.
    bool StoreBitmap(HDC dc, HBITMAP bitmap);
    // Makes a bitmap with the maker and stores it; a bitmap that cannot be
    // stored is deleted. Returns the cached bitmap or null.
    HBITMAP BuildBitmap(HDC dc, const std::function<HBITMAP(HDC)>& make);

    HGLOBAL GetDib(HDC dc) const;
    bool StoreDib(HDC dc, HGLOBAL dib);
    HGLOBAL BuildDib(HDC dc, const std::function<HGLOBAL(HDC)>& make);

    // Deletes the bitmap and frees the DIB.
    void Release();

private:
    bool Matches(HDC dc) const;
    void Remember(HDC dc);

    int32_t m_bitsPixel = 0;
    int32_t m_logPixelsX = 0;
    int32_t m_logPixelsY = 0;
    HBITMAP m_bitmap = nullptr;
    HGLOBAL m_dib = nullptr;
};

}  // namespace ZAV
