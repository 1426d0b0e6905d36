#include "platform/win/Timers.h"

#include "platform/win/Windows.h"
#include "platform/win/WindowsInternal.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <vector>

namespace {

struct Timer {
    HWND window;
    uintptr_t id;
    UINT elapse;
    uint64_t due;
    uint64_t threadKey;
    TIMERPROC callback;
};

struct TimerTable {
    std::mutex lock;
    std::vector<Timer> timers;
    uint64_t advanced = 0;  // milliseconds tests moved the clock on
    uintptr_t nextId = 1;
};

TimerTable& Table()
{
    static TimerTable* table = new TimerTable;
    return *table;
}

uint64_t SteadyMilliseconds()
{
    static const auto start = std::chrono::steady_clock::now();
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
}

// The timer clock; only tests move it, so timers fire deterministically.
uint64_t TimerNowLocked()
{
    return Table().advanced;
}

}  // namespace

uintptr_t SetTimer(HWND window, uintptr_t id, UINT elapse, TIMERPROC callback)
{
    uint64_t key = ZAV::Win::CurrentThreadKey();
    if (window && !ZAV::Win::OwnerOfWindow(window, key))
        return 0;
    TimerTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    if (!window)
        id = table.nextId++;
    // setting an existing timer again restarts it
    table.timers.erase(std::remove_if(table.timers.begin(), table.timers.end(),
                                      [&](const Timer& t) { return t.window == window && t.id == id; }),
                       table.timers.end());
    table.timers.push_back(Timer{window, id, elapse, TimerNowLocked() + elapse, key, callback});
    return id;
}

BOOL KillTimer(HWND window, uintptr_t id)
{
    TimerTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    for (auto it = table.timers.begin(); it != table.timers.end(); ++it)
        if (it->window == window && it->id == id) {
            table.timers.erase(it);
            return TRUE;
        }
    return FALSE;
}

DWORD GetTickCount()
{
    std::lock_guard<std::mutex> guard(Table().lock);
    return static_cast<DWORD>(SteadyMilliseconds() + Table().advanced);
}

namespace ZAV {

void AdvanceClock(DWORD milliseconds)
{
    std::vector<Timer> due;
    {
        TimerTable& table = Table();
        std::lock_guard<std::mutex> guard(table.lock);
        table.advanced += milliseconds;
        for (Timer& timer : table.timers)
            if (timer.due <= table.advanced) {
                due.push_back(timer);
                timer.due = table.advanced + timer.elapse;
            }
    }
    for (const Timer& timer : due)
        Win::PostToQueue(timer.threadKey, MSG{timer.window, WM_TIMER, timer.id,
                                              reinterpret_cast<LPARAM>(timer.callback), 0, POINT{0, 0}});
}

namespace Win {

void KillTimersOfWindow(HWND window)
{
    TimerTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    table.timers.erase(std::remove_if(table.timers.begin(), table.timers.end(),
                                      [&](const Timer& t) { return t.window == window; }),
                       table.timers.end());
}

}  // namespace Win
}  // namespace ZAV
