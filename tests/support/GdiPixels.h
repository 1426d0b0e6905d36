// Reading and writing the pixels of device contexts in tests, through the
// graphics layer's own DIB calls.
#pragma once

#include "platform/gdi/Bitmaps.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/Objects.h"

#include <cstddef>
#include <vector>

namespace ZAVTest {

// The DC's surface as COLORREFs, top row first.
inline std::vector<COLORREF> SurfacePixels(HDC dc, int& width, int& height)
{
    HBITMAP surface = GetCurrentObject(dc, OBJ_BITMAP);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    GetDIBits(dc, surface, 0, 0, nullptr, &info, DIB_RGB_COLORS);
    width = info.bmiHeader.biWidth;
    height = info.bmiHeader.biHeight;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biHeight = -height;  // top-down
    std::vector<uint32_t> bgrx(static_cast<size_t>(width) * height);
    GetDIBits(dc, surface, 0, static_cast<UINT>(height), bgrx.data(), &info, DIB_RGB_COLORS);
    std::vector<COLORREF> pixels;
    for (uint32_t v : bgrx)
        pixels.push_back(RGB(static_cast<BYTE>(v >> 16), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v)));
    return pixels;
}

inline COLORREF PixelAt(HDC dc, int x, int y)
{
    int width = 0;
    int height = 0;
    const std::vector<COLORREF> pixels = SurfacePixels(dc, width, height);
    return pixels[static_cast<size_t>(y) * width + x];
}

// A 32-bit top-down DIB section of the colours, row by row.
inline HBITMAP MakePictureBitmap(int width, int height, const std::vector<COLORREF>& colours)
{
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<uint32_t*>(bits);
    for (size_t i = 0; i < colours.size(); ++i)
        pixels[i] = (GetRValue(colours[i]) << 16) | (GetGValue(colours[i]) << 8) | GetBValue(colours[i]);
    return bitmap;
}

// Such a picture selected into a new memory DC; both are freed by the holder.
class MemoryPicture {
public:
    MemoryPicture(int width, int height, const std::vector<COLORREF>& colours, HDC reference = nullptr)
    {
        m_bitmap = MakePictureBitmap(width, height, colours);
        m_dc = CreateCompatibleDC(reference);
        m_old = SelectObject(m_dc, m_bitmap);
    }
    ~MemoryPicture()
    {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
        DeleteObject(m_bitmap);
    }
    MemoryPicture(const MemoryPicture&) = delete;
    MemoryPicture& operator=(const MemoryPicture&) = delete;
    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }

private:
    HBITMAP m_bitmap = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
};

}  // namespace ZAVTest
