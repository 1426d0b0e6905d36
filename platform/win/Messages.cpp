#include "platform/win/Messages.h"

#include "platform/win/Kernel.h"
#include "platform/win/Windows.h"
#include "platform/win/WindowsInternal.h"

#include <deque>
#include <functional>
#include <map>
#include <thread>

namespace {

std::map<uint64_t, std::deque<MSG>>& Queues()
{
    static auto* queues = new std::map<uint64_t, std::deque<MSG>>;
    return *queues;
}

bool Matches(const MSG& msg, HWND window, UINT first, UINT last)
{
    if (window && msg.hwnd != window)
        return false;
    return (first == 0 && last == 0) || (msg.message >= first && msg.message <= last);
}

}  // namespace

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    uint64_t key = ZAV::Win::CurrentThreadKey();
    if (window && !ZAV::Win::OwnerOfWindow(window, key))
        return FALSE;
    ZAV::Win::PostToQueue(key, MSG{window, message, wParam, lParam, 0, POINT{0, 0}});
    return TRUE;
}

BOOL PeekMessageA(MSG* msg, HWND window, UINT first, UINT last, UINT remove)
{
    if (!msg)
        return FALSE;
    std::lock_guard<std::mutex> guard(ZAV::Win::KernelLock());
    std::deque<MSG>& queue = Queues()[ZAV::Win::CurrentThreadKey()];
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (!Matches(*it, window, first, last))
            continue;
        *msg = *it;
        if (remove & PM_REMOVE)
            queue.erase(it);
        return TRUE;
    }
    return FALSE;
}

BOOL TranslateMessage(const MSG*)
{
    return FALSE;
}

LRESULT DispatchMessageA(const MSG* msg)
{
    if (!msg || !msg->hwnd)
        return 0;
    return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

namespace ZAV {
namespace Win {

void PostToQueue(uint64_t threadKey, const MSG& msg)
{
    {
        std::lock_guard<std::mutex> guard(KernelLock());
        Queues()[threadKey].push_back(msg);
    }
    KernelChanged().notify_all();
}

bool QueueHasMessageLocked(uint64_t threadKey)
{
    auto it = Queues().find(threadKey);
    return it != Queues().end() && !it->second.empty();
}

uint64_t CurrentThreadKey()
{
    return std::hash<std::thread::id>()(std::this_thread::get_id());
}

}  // namespace Win
}  // namespace ZAV
