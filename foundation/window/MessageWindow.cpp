#include "foundation/window/MessageWindow.h"

#include <map>
#include <mutex>

namespace ZAV {

namespace {

// Window -> object, since the window layer keeps no user data. WM_CREATE
// comes before CreateWindowExA returns the handle, so the object being
// made is known to its thread meanwhile.
struct WindowObjects {
    std::mutex lock;
    std::map<HWND, CMessageWindow*> objects;
};

WindowObjects& Objects()
{
    static WindowObjects* objects = new WindowObjects;  // outlives every static owner
    return *objects;
}

thread_local CMessageWindow* t_creating = nullptr;

CMessageWindow* FindObject(HWND window)
{
    std::lock_guard<std::mutex> guard(Objects().lock);
    auto it = Objects().objects.find(window);
    return it == Objects().objects.end() ? t_creating : it->second;
}

}  // namespace

CMessageWindow::~CMessageWindow()
{
    DestroyMessageWindow();
}

LRESULT CMessageWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    CMessageWindow* object = FindObject(window);
    if (object && object->HandleMessage(message, wParam, lParam, result))
        return result;
    return DefWindowProcA(window, message, wParam, lParam);
}

bool CMessageWindow::CreateMessageWindow(const char* className, const char* text, const RECT& rect)
{
    if (m_window)
        return true;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = GetWindowProc();
    windowClass.lpszClassName = className;
    if (!RegisterClassA(&windowClass))
        return false;
    t_creating = this;
    m_window = CreateWindowExA(0, className, text, 0, rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, nullptr, nullptr, nullptr, nullptr);
    t_creating = nullptr;
    if (!m_window)
        return false;
    std::lock_guard<std::mutex> guard(Objects().lock);
    Objects().objects[m_window] = this;
    return true;
}

void CMessageWindow::DestroyMessageWindow()
{
    if (!m_window)
        return;
    HWND window = m_window;
    m_window = nullptr;
    {
        // Forgotten first: the object may be half destroyed when its window
        // goes, so WM_DESTROY takes the default path.
        std::lock_guard<std::mutex> guard(Objects().lock);
        Objects().objects.erase(window);
    }
    if (IsWindow(window))
        DestroyWindow(window);
}

}  // namespace ZAV
