// Window timers on a clock that tests advance: a timer posts WM_TIMER (its
// id in wParam) to its window's queue once when the clock passes its due
// time, as Windows joins missed periods into one message.
#pragma once

#include "platform/win/Messages.h"

using TIMERPROC = void (*)(HWND, UINT, uintptr_t, DWORD);

// Starts or restarts timer id of the window; returns the id (a new one for
// a null window), 0 on failure. The callback is kept in lParam of WM_TIMER.
uintptr_t SetTimer(HWND window, uintptr_t id, UINT elapse, TIMERPROC callback);
BOOL KillTimer(HWND window, uintptr_t id);

// Milliseconds since start: the steady clock plus what tests advanced.
DWORD GetTickCount();

namespace ZAV {

// Moves the timer clock on and posts WM_TIMER for every timer due.
void AdvanceClock(DWORD milliseconds);

namespace Win {
// Removes every timer of a window (internal; DestroyWindow).
void KillTimersOfWindow(HWND window);
}  // namespace Win

}  // namespace ZAV
