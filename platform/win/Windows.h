// Windows without a screen: a registered class gives each window its
// procedure; a window has a text, a rectangle and a client surface that
// window DCs draw on.
#pragma once

#include "platform/win/Messages.h"

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    void* hIcon;
    void* hCursor;
    HBRUSH hbrBackground;
    const char* lpszMenuName;
    const char* lpszClassName;
};

ATOM RegisterClassA(const WNDCLASSA* windowClass);

// A window of a registered class; the procedure receives WM_CREATE before
// the handle is returned. Null for an unknown class.
HWND CreateWindowExA(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, void* menu, HINSTANCE instance, void* param);

// Sends WM_DESTROY, kills the window's timers and frees it.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL GetClientRect(HWND window, RECT* rect);
BOOL GetWindowRect(HWND window, RECT* rect);
BOOL SetWindowTextA(HWND window, const char* text);
// Copies at most size - 1 characters and a zero; returns the count copied.
int GetWindowTextA(HWND window, char* buffer, int size);
