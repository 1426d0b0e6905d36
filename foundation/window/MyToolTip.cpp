#include "foundation/window/MyToolTip.h"

#include "platform/SysColor.h"
#include "platform/gdi/Blits.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/draw/Drawing.h"
#include "platform/gdi/Objects.h"
#include "platform/win/Timers.h"

namespace ZAV {

namespace {

constexpr int kOutOfSight = -100;

}  // namespace

CMyToolTip::~CMyToolTip()
{
    if (m_savedBackground)
        DeleteObject(m_savedBackground);
    if (m_font)
        DeleteObject(m_font);
    Destroy();
}

bool CMyToolTip::Create(const char* text, const RECT& rect)
{
    m_hidden = 0;
    return CreateMessageWindow(kClassName, text, rect);
}

bool CMyToolTip::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    switch (message) {
    case WM_PAINT: {
        HDC dc = GetDC(GetWindow());
        if (dc) {
            Paint(dc);
            ReleaseDC(GetWindow(), dc);
        }
        result = 0;
        return true;
    }
    case WM_ERASEBKGND:
        result = 1;  // Paint fills the background itself
        return true;
    case WM_TIMER:
        if (wParam == kHideTimerId) {
            KillTimer(GetWindow(), kHideTimerId);
            Hide(GetWindow());
        }
        return false;
    default:
        return false;
    }
}

void CMyToolTip::KillActiveTimer()
{
    if (m_activeTimer && GetWindow())
        KillTimer(GetWindow(), m_activeTimer);
    m_activeTimer = 0;
}

void CMyToolTip::SetSavedBackground(HBITMAP bitmap, const RECT& rect, bool restore)
{
    if (m_savedBackground && m_savedBackground != bitmap)
        DeleteObject(m_savedBackground);
    m_savedBackground = bitmap;
    m_savedRect = rect;
    m_restoreBackground = restore ? 1 : 0;
}

void CMyToolTip::Hide(HWND window)
{
    KillActiveTimer();
    if (m_hidden || !GetWindow() || !IsWindow(GetWindow()))
        return;
    m_hidden = 1;
    MoveWindow(GetWindow(), kOutOfSight, kOutOfSight, 0, 0, TRUE);
    if (m_restoreBackground)
        RestoreBackground(window);
}

void CMyToolTip::RestoreBackground(HWND window)
{
    if (!m_savedBackground)
        return;
    HDC target = GetDC(window);
    HDC source = CreateCompatibleDC(target);
    if (target && source) {
        HGDIOBJ previous = SelectObject(source, m_savedBackground);
        BitBlt(target, m_savedRect.left, m_savedRect.top, m_savedRect.right - m_savedRect.left,
               m_savedRect.bottom - m_savedRect.top, source, 0, 0, SRCCOPY);
        SelectObject(source, previous);
    }
    if (source)
        DeleteDC(source);
    if (target)
        ReleaseDC(window, target);
}

void CMyToolTip::Destroy()
{
    KillActiveTimer();
    DestroyMessageWindow();
}

void CMyToolTip::Paint(HDC dc)
{
    SetBkColor(dc, GetSysColor(COLOR_INFOBK));
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    RECT client{0, 0, 0, 0};
    GetClientRect(GetWindow(), &client);
    if (HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_INFOBK))) {
        FillRect(dc, &client, brush);
        DeleteObject(brush);
    }
    char text[kMaxTextLength + 1] = {};
    GetWindowTextA(GetWindow(), text, static_cast<int>(sizeof text));
    HGDIOBJ previous = m_font ? SelectObject(dc, m_font) : nullptr;
    DrawTextA(dc, text, -1, &client, DT_SINGLELINE);
    if (previous)
        SelectObject(dc, previous);
}

}  // namespace ZAV
