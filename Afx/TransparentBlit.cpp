#include "Afx/TransparentBlit.h"

#include "platform/gdi/Bitmaps.h"
#include "platform/gdi/Blits.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/Objects.h"

namespace ZAV {

namespace {

// A memory DC compatible with a reference DC, holding a bitmap of its own
// (or a caller's, which it does not delete).
class MemoryCanvas {
public:
    MemoryCanvas(HDC reference, HBITMAP bitmap, bool owned) : m_bitmap(bitmap), m_owned(owned)
    {
        m_dc = CreateCompatibleDC(reference);
        if (m_dc && m_bitmap)
            m_old = SelectObject(m_dc, m_bitmap);
    }
    ~MemoryCanvas()
    {
        if (m_old)
            SelectObject(m_dc, m_old);
        if (m_dc)
            DeleteDC(m_dc);
        if (m_owned && m_bitmap)
            DeleteObject(m_bitmap);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    bool Ready() const { return m_dc && m_old; }
    HDC dc() const { return m_dc; }

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap;
    bool m_owned;
    HGDIOBJ m_old = nullptr;
};

// Steps shared by both forms: the source DC holds the picture at the
// destination size; its pixels of the transparent colour are left out.
void MaskedCopy(HDC dc, HDC source, int x, int y, int width, int height, COLORREF transparent)
{
    MemoryCanvas back(dc, CreateBitmap(width, height, 1, 1, nullptr), true);
    MemoryCanvas object(dc, CreateBitmap(width, height, 1, 1, nullptr), true);
    MemoryCanvas memory(dc, CreateCompatibleBitmap(dc, width, height), true);
    MemoryCanvas save(dc, CreateCompatibleBitmap(dc, width, height), true);
    if (!back.Ready() || !object.Ready() || !memory.Ready() || !save.Ready())
        return;
    BitBlt(save.dc(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    // Monochrome from colour: the source's background colour becomes 1.
    const COLORREF oldBackground = SetBkColor(source, transparent);
    BitBlt(object.dc(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    SetBkColor(source, oldBackground);
    BitBlt(back.dc(), 0, 0, width, height, object.dc(), 0, 0, NOTSRCCOPY);
    BitBlt(memory.dc(), 0, 0, width, height, dc, x, y, SRCCOPY);
    BitBlt(memory.dc(), 0, 0, width, height, object.dc(), 0, 0, SRCAND);
    BitBlt(source, 0, 0, width, height, back.dc(), 0, 0, SRCAND);
    BitBlt(memory.dc(), 0, 0, width, height, source, 0, 0, SRCPAINT);
    BitBlt(dc, x, y, width, height, memory.dc(), 0, 0, SRCCOPY);
    BitBlt(source, 0, 0, width, height, save.dc(), 0, 0, SRCCOPY);
}

}  // namespace

void DrawTransparentBitmap(HDC dc, HBITMAP bitmap, int x, int y, COLORREF transparent)
{
    MemoryCanvas source(dc, bitmap, false);
    BITMAP info{};
    if (!source.Ready() || !GetObjectA(bitmap, sizeof info, &info))
        return;
    POINT size{info.bmWidth, info.bmHeight};
    DPtoLP(source.dc(), &size, 1);
    SetMapMode(source.dc(), GetMapMode(dc));
    MaskedCopy(dc, source.dc(), x, y, size.x, size.y, transparent);
}

void DrawTransparentBitmapStretched(HDC dc, HBITMAP bitmap, const RECT& destination, const RECT& source,
                                    COLORREF transparent, int stretchMode)
{
    const int width = destination.right - destination.left;
    const int height = destination.bottom - destination.top;
    if (width <= 0 || height <= 0)
        return;
    MemoryCanvas original(dc, bitmap, false);
    MemoryCanvas stretched(dc, CreateCompatibleBitmap(dc, width, height), true);
    if (!original.Ready() || !stretched.Ready())
        return;
    const int oldMode = SetStretchBltMode(stretched.dc(), stretchMode);
    StretchBlt(stretched.dc(), 0, 0, width, height, original.dc(), source.left, source.top,
               source.right - source.left, source.bottom - source.top, SRCCOPY);
    SetStretchBltMode(stretched.dc(), oldMode);
    MaskedCopy(dc, stretched.dc(), destination.left, destination.top, width, height, transparent);
}

}  // namespace ZAV
