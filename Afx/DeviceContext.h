// Holds a device context: a caller's (never released), a window's
// (released with ReleaseDC) or a memory DC (deleted), with the drawing
// operations the drawer needs.
#pragma once

#include "Afx/GdiObject.h"
#include "foundation/text/String.h"

namespace ZAV {

// Names a window where a DC could be meant: both handles are pointers here.
struct CWindowHandle {
    HWND window;
};

class CDeviceContext {
public:
    CDeviceContext() = default;
    explicit CDeviceContext(HDC dc) : m_dc(dc) {}
    explicit CDeviceContext(CWindowHandle window) { GetDC(window.window); }
    ~CDeviceContext();
    CDeviceContext(const CDeviceContext&) = delete;
    CDeviceContext& operator=(const CDeviceContext&) = delete;

    // Throws CTextException "Can't get device context!".
    void GetDC(HWND window);
    // Throws CTextException "Can't create device context!".
    void CreateCompatible(HDC reference);
    void Release();
    HDC GetHandle() const { return m_dc; }
    // An object deleted with the holder.
    void SetExtraObject(HGDIOBJ object) { m_extra = object; }

    void Rectangle(const RECT& rect, CPen& pen, CBrush& brush);
    void Rectangle(const RECT& rect);
    void Rectangle(int left, int top, int right, int bottom);
    void TextOut(const String& text, CFont& font, int x, int y);
    void FillRect(const RECT& rect, CBrush& brush);

private:
    HDC m_dc = nullptr;
    HWND m_window = nullptr;
    bool m_release = false;
    bool m_memory = false;
    HGDIOBJ m_extra = nullptr;
};

}  // namespace ZAV
