// CTimerDispatcher: window timers that call a function with a user value.
// The timers post WM_TIMER to the dispatcher's own window, whose message
// map finds the entry by the timer id.
#pragma once

#include <cstdint>

#include "foundation/containers/Hash.h"
#include "foundation/window/MessageWindow.h"

namespace ZAV {

using TimerCallback = void (*)(void* userValue);

struct CTimerEntry {
    uintptr_t windowsTimerId = 0;  // what KillTimer is given
    void* userValue = nullptr;
    TimerCallback callback = nullptr;
};

class CTimerHash : public THash<uint32_t, CTimerEntry> {
public:
    static constexpr uint32_t kBuckets = 100;
    CTimerHash() : THash(1, kBuckets) {}
    uint32_t GetHashValue(const uint32_t& key) const override { return key; }
    CTimerEntry CreateDefaultValue() const override { return CTimerEntry(); }
};

class CTimerDispatcher : public CMessageWindow {
public:
    static constexpr char kClassName[] = "ZAVTimerDispatcher";

    CTimerDispatcher() = default;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Kills every timer, then destroys the window.
    ~CTimerDispatcher() override;

    // Starts timer id on the dispatcher's window (made on first use); false
    // when the window or the timer can't be had.
    bool AddTimer(uint32_t id, UINT elapse, TimerCallback callback, void* userValue);
    // WM_TIMER: calls the entry of the id when there is one. Always passes
    // the message on (false).
    bool OnTimer(WPARAM id);
    void KillAllTimers();
    int32_t GetTimerCount() const { return m_timers.GetCount(); }

private:
    CTimerHash m_timers;
};

}  // namespace ZAV
