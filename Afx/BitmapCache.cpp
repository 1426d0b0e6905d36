#include "Afx/BitmapCache.h"

#include "Afx/DeviceTests.h"
#include "platform/GlobalMem.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/Objects.h"

namespace ZAV {

bool CBitmapCache::Matches(HDC dc) const
{
    return !IsPrinterOrMetafile(dc) && GetDeviceCaps(dc, BITSPIXEL) == m_bitsPixel &&
           GetDeviceCaps(dc, LOGPIXELSX) == m_logPixelsX && GetDeviceCaps(dc, LOGPIXELSY) == m_logPixelsY;
}

void CBitmapCache::Remember(HDC dc)
{
    m_bitsPixel = GetDeviceCaps(dc, BITSPIXEL);
    m_logPixelsX = GetDeviceCaps(dc, LOGPIXELSX);
    m_logPixelsY = GetDeviceCaps(dc, LOGPIXELSY);
}

HBITMAP CBitmapCache::GetBitmap(HDC dc) const
{
    return m_bitmap && Matches(dc) ? m_bitmap : nullptr;
}

bool CBitmapCache::StoreBitmap(HDC dc, HBITMAP bitmap)
{
    if (IsPrinterOrMetafile(dc))
        return false;
    if (m_bitmap && m_bitmap != bitmap)
        DeleteObject(m_bitmap);
    m_bitmap = bitmap;
    Remember(dc);
    return true;
}

HBITMAP CBitmapCache::BuildBitmap(HDC dc, const std::function<HBITMAP(HDC)>& make)
{
    HBITMAP bitmap = make(dc);
    if (!bitmap)
        return nullptr;
    if (!StoreBitmap(dc, bitmap)) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

HGLOBAL CBitmapCache::GetDib(HDC dc) const
{
    return m_dib && Matches(dc) ? m_dib : nullptr;
}

bool CBitmapCache::StoreDib(HDC dc, HGLOBAL dib)
{
    if (IsPrinterOrMetafile(dc))
        return false;
    if (m_dib && m_dib != dib)
        GlobalFree(m_dib);
    m_dib = dib;
    Remember(dc);
    return true;
}

HGLOBAL CBitmapCache::BuildDib(HDC dc, const std::function<HGLOBAL(HDC)>& make)
{
    HGLOBAL dib = make(dc);
    if (!dib)
        return nullptr;
    if (!StoreDib(dc, dib)) {
        GlobalFree(dib);
        return nullptr;
    }
    return dib;
}

void CBitmapCache::Release()
{
    if (m_bitmap)
        DeleteObject(m_bitmap);
    if (m_dib)
        GlobalFree(m_dib);
    m_bitmap = nullptr;
    m_dib = nullptr;
}

}  // namespace ZAV
