// Window messages and the per-thread message queue. A message posted to a
// window lands in the queue of the thread that made the window; waits of
// the thread layer wake when a message arrives.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <cstdint>

using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using ATOM = WORD;

constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_USER = 0x0400;

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

// Posts to the queue of the window's thread (a null window: the calling
// thread's). FALSE for a window that does not exist.
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Takes (PM_REMOVE) or looks at the oldest message of the calling thread's
// queue for the window (null: any) within the message range (0, 0: any).
BOOL PeekMessageA(MSG* msg, HWND window, UINT first, UINT last, UINT remove);

// Nothing to translate: there is no keyboard.
BOOL TranslateMessage(const MSG* msg);

// Calls the window procedure of the message's window.
LRESULT DispatchMessageA(const MSG* msg);

namespace ZAV {
namespace Win {

// Posts a message to a thread's queue and wakes its waits (internal).
void PostToQueue(uint64_t threadKey, const MSG& msg);
// True when the calling thread's queue holds a message; the kernel lock
// must be held (internal).
bool QueueHasMessageLocked(uint64_t threadKey);
// The key of the calling thread's queue.
uint64_t CurrentThreadKey();

}  // namespace Win
}  // namespace ZAV
