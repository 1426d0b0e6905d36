#include "foundation/window/TimerDispatcher.h"

#include "platform/win/Timers.h"

namespace ZAV {

CTimerDispatcher::~CTimerDispatcher()
{
    KillAllTimers();
    DestroyMessageWindow();
}

bool CTimerDispatcher::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&)
{
    if (message == WM_TIMER)
        return OnTimer(wParam);
    return false;
}

bool CTimerDispatcher::AddTimer(uint32_t id, UINT elapse, TimerCallback callback, void* userValue)
{
    if (!CreateMessageWindow(kClassName, "", RECT{0, 0, 0, 0}))
        return false;
    const uintptr_t windowsId = SetTimer(GetWindow(), id, elapse, nullptr);
    if (!windowsId)
        return false;
    CTimerEntry& entry = m_timers[id];
    entry.windowsTimerId = windowsId;
    entry.userValue = userValue;
    entry.callback = callback;
    return true;
}

bool CTimerDispatcher::OnTimer(WPARAM id)
{
    CTimerEntry entry;
    if (id <= UINT32_MAX && m_timers.Lookup(static_cast<uint32_t>(id), entry) && entry.callback)
        entry.callback(entry.userValue);
    return false;
}

void CTimerDispatcher::KillAllTimers()
{
    // Killing a timer leaves the table as it is, so the walk kills them all.
    CTimerHash::Position position = CTimerHash::BeforeFirst;
    uint32_t id = 0;
    CTimerEntry entry;
    while (m_timers.GetNextAssoc(position, id, entry)) {
        if (GetWindow())
            KillTimer(GetWindow(), entry.windowsTimerId);
    }
    m_timers.RemoveAll();
}

}  // namespace ZAV
