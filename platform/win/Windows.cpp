#include "platform/win/Windows.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/win/Timers.h"
#include "platform/win/WindowsInternal.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace {

struct Window {
    WNDPROC procedure = nullptr;
    std::string text;
    RECT rect{};
    uint64_t owner = 0;
    HBITMAP surface = nullptr;
};

struct WindowTable {
    std::mutex lock;
    std::map<std::string, WNDPROC> classes;
    std::map<HWND, std::unique_ptr<Window>> windows;
};

WindowTable& Table()
{
    static WindowTable* table = new WindowTable;
    return *table;
}

Window* FindWindowLocked(HWND handle)
{
    auto it = Table().windows.find(handle);
    return it == Table().windows.end() ? nullptr : it->second.get();
}

// The window's record copied out, so no lock is held while its procedure runs.
bool Snapshot(HWND handle, Window& copy)
{
    std::lock_guard<std::mutex> guard(Table().lock);
    const Window* window = FindWindowLocked(handle);
    if (!window)
        return false;
    copy.procedure = window->procedure;
    copy.text = window->text;
    copy.rect = window->rect;
    copy.owner = window->owner;
    copy.surface = window->surface;
    return true;
}

HBITMAP MakeSurface(const RECT& rect)
{
    auto bitmap = ZAV::Gdi::MakeDeviceBitmap(std::max<LONG>(1, rect.right - rect.left),
                                             std::max<LONG>(1, rect.bottom - rect.top), 32);
    if (!bitmap)
        return nullptr;
    bitmap->stock = true;  // freed with its window
    return ZAV::Gdi::Register(std::move(bitmap));
}

}  // namespace

ATOM RegisterClassA(const WNDCLASSA* windowClass)
{
    if (!windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc)
        return 0;
    std::lock_guard<std::mutex> guard(Table().lock);
    Table().classes[windowClass->lpszClassName] = windowClass->lpfnWndProc;
    return static_cast<ATOM>(Table().classes.size());
}

HWND CreateWindowExA(DWORD, const char* className, const char* windowName, DWORD, int x, int y, int width,
                     int height, HWND, void*, HINSTANCE, void*)
{
    auto window = std::make_unique<Window>();
    HWND handle = window.get();
    {
        std::lock_guard<std::mutex> guard(Table().lock);
        auto it = className ? Table().classes.find(className) : Table().classes.end();
        if (it == Table().classes.end())
            return nullptr;
        window->procedure = it->second;
        window->text = windowName ? windowName : "";
        window->rect = RECT{x, y, x + std::max(0, width), y + std::max(0, height)};
        window->owner = ZAV::Win::CurrentThreadKey();
        window->surface = MakeSurface(window->rect);
        Table().windows.emplace(handle, std::move(window));
    }
    SendMessageA(handle, WM_CREATE, 0, 0);
    return handle;
}

BOOL DestroyWindow(HWND handle)
{
    if (!IsWindow(handle))
        return FALSE;
    SendMessageA(handle, WM_DESTROY, 0, 0);
    ZAV::Win::KillTimersOfWindow(handle);
    std::unique_ptr<Window> doomed;
    {
        std::lock_guard<std::mutex> guard(Table().lock);
        auto it = Table().windows.find(handle);
        if (it == Table().windows.end())
            return FALSE;
        doomed = std::move(it->second);
        Table().windows.erase(it);
    }
    ZAV::Gdi::Destroy(doomed->surface);
    return TRUE;
}

BOOL IsWindow(HWND handle)
{
    std::lock_guard<std::mutex> guard(Table().lock);
    return FindWindowLocked(handle) ? TRUE : FALSE;
}

LRESULT DefWindowProcA(HWND, UINT, WPARAM, LPARAM)
{
    return 0;  // nothing is painted or erased without a screen
}

LRESULT SendMessageA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window window;
    if (!Snapshot(handle, window) || !window.procedure)
        return 0;
    return window.procedure(handle, message, wParam, lParam);
}

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL)
{
    HBITMAP old = nullptr;
    {
        std::lock_guard<std::mutex> guard(Table().lock);
        Window* window = FindWindowLocked(handle);
        if (!window)
            return FALSE;
        window->rect = RECT{x, y, x + std::max(0, width), y + std::max(0, height)};
        HBITMAP surface = MakeSurface(window->rect);
        if (!surface)
            return FALSE;
        old = window->surface;
        window->surface = surface;
    }
    ZAV::Gdi::Destroy(old);
    return TRUE;
}

BOOL GetClientRect(HWND handle, RECT* rect)
{
    Window window;
    if (!rect || !Snapshot(handle, window))
        return FALSE;
    *rect = RECT{0, 0, window.rect.right - window.rect.left, window.rect.bottom - window.rect.top};
    return TRUE;
}

BOOL GetWindowRect(HWND handle, RECT* rect)
{
    Window window;
    if (!rect || !Snapshot(handle, window))
        return FALSE;
    *rect = window.rect;
    return TRUE;
}

BOOL SetWindowTextA(HWND handle, const char* text)
{
    std::lock_guard<std::mutex> guard(Table().lock);
    Window* window = FindWindowLocked(handle);
    if (!window)
        return FALSE;
    window->text = text ? text : "";
    return TRUE;
}

int GetWindowTextA(HWND handle, char* buffer, int size)
{
    Window window;
    if (!buffer || size <= 0 || !Snapshot(handle, window))
        return 0;
    const int n = std::min(size - 1, static_cast<int>(window.text.size()));
    std::memcpy(buffer, window.text.data(), static_cast<size_t>(n));
    buffer[n] = '\0';
    return n;
}

namespace ZAV {
namespace Win {

HBITMAP SurfaceOfWindow(HWND handle)
{
    Window window;
    return Snapshot(handle, window) ? window.surface : nullptr;
}

bool OwnerOfWindow(HWND handle, uint64_t& threadKey)
{
    Window window;
    if (!Snapshot(handle, window))
        return false;
    threadKey = window.owner;
    return true;
}

}  // namespace Win
}  // namespace ZAV
