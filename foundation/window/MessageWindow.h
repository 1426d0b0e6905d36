// CMessageWindow: an object with a window of its own whose messages reach
// the object's message map. Windows of the in-memory window layer need no
// display, so the objects that own one can live for the whole process.
#pragma once

#include "platform/win/Windows.h"

namespace ZAV {

class CMessageWindow {
public:
    CMessageWindow() = default;
    CMessageWindow(const CMessageWindow&) = delete;
    CMessageWindow& operator=(const CMessageWindow&) = delete;

    // The message map: true when the message was handled, with the result;
    // false passes it on to DefWindowProcA.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    virtual ~CMessageWindow();
    // The procedure every window of these objects shares.
    virtual WNDPROC GetWindowProc() const { return &WindowProc; }

    // Makes the window when there is none yet; false when it can't be made.
    bool CreateMessageWindow(const char* className, const char* text, const RECT& rect);
    // Destroys the window when it still exists.
    void DestroyMessageWindow();
    HWND GetWindow() const { return m_window; }

private:
    static LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
};

}  // namespace ZAV
