#include "Afx/DeviceContext.h"

#include "Afx/SelectObjectGuard.h"
#include "foundation/text/TextException.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/draw/Drawing.h"
#include "platform/gdi/Objects.h"

namespace ZAV {

CDeviceContext::~CDeviceContext()
{
    Release();
    if (m_extra)
        ::DeleteObject(m_extra);
}

void CDeviceContext::GetDC(HWND window)
{
    Release();
    m_dc = ::GetDC(window);
    if (!m_dc)
        ThrowTextException("Can't get device context!");
    m_window = window;
    m_release = true;
}

void CDeviceContext::CreateCompatible(HDC reference)
{
    Release();
    m_dc = CreateCompatibleDC(reference);
    if (!m_dc)
        ThrowTextException("Can't create device context!");
    m_release = true;
    m_memory = true;
}

void CDeviceContext::Release()
{
    if (m_release && m_dc) {
        if (m_memory)
            DeleteDC(m_dc);
        else
            ReleaseDC(m_window, m_dc);
    }
    m_dc = nullptr;
    m_window = nullptr;
    m_release = false;
    m_memory = false;
}

void CDeviceContext::Rectangle(const RECT& rect, CPen& pen, CBrush& brush)
{
    CSelectObjectGuard penGuard(m_dc, pen.GetHandle());
    CSelectObjectGuard brushGuard(m_dc, brush.GetHandle());
    Rectangle(rect);
    brushGuard.Restore();
    penGuard.Restore();  // the pen last
}

void CDeviceContext::Rectangle(const RECT& rect)
{
    Rectangle(rect.left, rect.top, rect.right, rect.bottom);
}

void CDeviceContext::Rectangle(int left, int top, int right, int bottom)
{
    ::Rectangle(m_dc, left, top, right, bottom);
}

void CDeviceContext::TextOut(const String& text, CFont& font, int x, int y)
{
    CSelectObjectGuard guard(m_dc, font.GetHandle());
    TextOutA(m_dc, x, y, text.GetText(), text.GetLength());
}

void CDeviceContext::FillRect(const RECT& rect, CBrush& brush)
{
    CSelectObjectGuard guard(m_dc, brush.GetHandle());
    ::FillRect(m_dc, &rect, brush.GetHandle());
}

}  // namespace ZAV
