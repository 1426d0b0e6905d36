// CMyToolTip: a small window that shows one line of text in the info
// colours and hides itself when its timer fires.
#pragma once

#include "foundation/window/MessageWindow.h"
#include "platform/gdi/GdiTypes.h"

namespace ZAV {

class CMyToolTip : public CMessageWindow {
public:
    static constexpr char kClassName[] = "ZAVToolTip";
    // The timer whose WM_TIMER hides the tooltip.
    static constexpr uintptr_t kHideTimerId = 22;
    static constexpr int kMaxTextLength = 1024;

    CMyToolTip() = default;
    // Deletes the saved bitmap and the font, destroys the window.
    ~CMyToolTip() override;

    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Makes the tooltip's window with the text; false when it can't be made.
    bool Create(const char* text, const RECT& rect);
    // Kills the timer; unless already hidden, moves the window out of sight
    // and puts the saved background back through the given window's DC.
    void Hide(HWND window);
    // Kills the timer and destroys the window.
    void Destroy();
    // The background and the window's text, one line, in the info colours.
    void Paint(HDC dc);

    bool IsHidden() const { return m_hidden != 0; }
    void SetFont(HFONT font) { m_font = font; }
    // The background kept under the tooltip, put back by Hide when the
    // restore flag is set. The tooltip owns the bitmap.
    void SetSavedBackground(HBITMAP bitmap, const RECT& rect, bool restore);
    void SetActiveTimer(uintptr_t id) { m_activeTimer = id; }
    uintptr_t GetActiveTimer() const { return m_activeTimer; }

private:
    void KillActiveTimer();
    void RestoreBackground(HWND window);

    HBITMAP m_savedBackground = nullptr;
    HFONT m_font = nullptr;
    int m_hidden = 0;
    int m_restoreBackground = 0;
    RECT m_savedRect{0, 0, 0, 0};
    uintptr_t m_activeTimer = 0;
};

}  // namespace ZAV
