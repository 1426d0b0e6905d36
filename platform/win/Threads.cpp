#include "platform/win/Threads.h"

#include "platform/win/Kernel.h"
#include "platform/win/Messages.h"

#include <chrono>
#include <map>
#include <memory>
#include <thread>
#include <vector>

namespace {

using ZAV::Win::KernelChanged;
using ZAV::Win::KernelLock;

struct KernelObject {
    bool isThread = false;
    // thread
    bool finished = false;
    DWORD exitCode = STILL_ACTIVE;
    int priority = THREAD_PRIORITY_NORMAL;
    std::thread thread;
    // semaphore
    LONG count = 0;
    LONG maximum = 0;
};

using Objects = std::map<HANDLE, std::shared_ptr<KernelObject>>;

// Guarded by the kernel lock.
Objects& TheObjects()
{
    static Objects* objects = new Objects;
    return *objects;
}

std::shared_ptr<KernelObject> FindLocked(HANDLE handle)
{
    auto it = TheObjects().find(handle);
    return it == TheObjects().end() ? nullptr : it->second;
}

HANDLE RegisterLocked(const std::shared_ptr<KernelObject>& object)
{
    HANDLE handle = object.get();
    TheObjects()[handle] = object;
    return handle;
}

// Takes the signal when the object has one: a thread stays signalled, a
// semaphore gives up one count.
bool TakeSignalLocked(KernelObject& object)
{
    if (object.isThread)
        return object.finished;
    if (object.count <= 0)
        return false;
    --object.count;
    return true;
}

template <class Ready>
bool WaitLocked(std::unique_lock<std::mutex>& lock, DWORD milliseconds, Ready ready)
{
    if (milliseconds == INFINITE) {
        KernelChanged().wait(lock, ready);
        return true;
    }
    return KernelChanged().wait_for(lock, std::chrono::milliseconds(milliseconds), ready);
}

void RunThread(std::shared_ptr<KernelObject> object, LPTHREAD_START_ROUTINE start, void* parameter)
{
    const DWORD result = start(parameter);
    {
        std::lock_guard<std::mutex> guard(KernelLock());
        object->exitCode = result;
        object->finished = true;
    }
    KernelChanged().notify_all();
}

}  // namespace

namespace ZAV {

ThreadFailureKnobs& ThreadKnobs()
{
    static ThreadFailureKnobs knobs;
    return knobs;
}

}  // namespace ZAV

HANDLE CreateThread(void*, size_t, LPTHREAD_START_ROUTINE start, void* parameter, DWORD, DWORD* threadId)
{
    if (ZAV::ThreadKnobs().createThread || !start)
        return nullptr;
    auto object = std::make_shared<KernelObject>();
    object->isThread = true;
    std::lock_guard<std::mutex> guard(KernelLock());
    HANDLE handle = RegisterLocked(object);
    object->thread = std::thread(RunThread, object, start, parameter);
    if (threadId)
        *threadId = static_cast<DWORD>(std::hash<std::thread::id>()(object->thread.get_id()));
    return handle;
}

BOOL GetExitCodeThread(HANDLE handle, DWORD* exitCode)
{
    std::lock_guard<std::mutex> guard(KernelLock());
    auto object = FindLocked(handle);
    if (!object || !object->isThread || !exitCode)
        return FALSE;
    *exitCode = object->exitCode;
    return TRUE;
}

BOOL SetThreadPriority(HANDLE handle, int priority)
{
    std::lock_guard<std::mutex> guard(KernelLock());
    auto object = FindLocked(handle);
    if (!object || !object->isThread)
        return FALSE;
    object->priority = priority;
    return TRUE;
}

int GetThreadPriority(HANDLE handle)
{
    std::lock_guard<std::mutex> guard(KernelLock());
    auto object = FindLocked(handle);
    return object && object->isThread ? object->priority : THREAD_PRIORITY_NORMAL;
}

HANDLE CreateSemaphoreA(void*, LONG initial, LONG maximum, const char*)
{
    if (maximum < 1 || initial < 0 || initial > maximum)
        return nullptr;
    auto object = std::make_shared<KernelObject>();
    object->count = initial;
    object->maximum = maximum;
    std::lock_guard<std::mutex> guard(KernelLock());
    return RegisterLocked(object);
}

BOOL ReleaseSemaphore(HANDLE handle, LONG count, LONG* previous)
{
    {
        std::lock_guard<std::mutex> guard(KernelLock());
        auto object = FindLocked(handle);
        if (!object || object->isThread || count < 1 || count > object->maximum - object->count)
            return FALSE;
        if (previous)
            *previous = object->count;
        object->count += count;
    }
    KernelChanged().notify_all();
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    return MsgWaitForMultipleObjects(1, &handle, FALSE, milliseconds, 0);
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds, DWORD wake)
{
    if (waitAll || (count && !handles))
        return WAIT_FAILED;
    std::unique_lock<std::mutex> lock(KernelLock());
    std::vector<std::shared_ptr<KernelObject>> objects;
    for (DWORD i = 0; i < count; ++i) {
        objects.push_back(FindLocked(handles[i]));
        if (!objects.back())
            return WAIT_FAILED;
    }
    const uint64_t queue = ZAV::Win::CurrentThreadKey();
    DWORD result = WAIT_TIMEOUT;
    WaitLocked(lock, milliseconds, [&] {
        for (DWORD i = 0; i < count; ++i)
            if (TakeSignalLocked(*objects[i])) {
                result = WAIT_OBJECT_0 + i;
                return true;
            }
        if ((wake & QS_ALLINPUT) && ZAV::Win::QueueHasMessageLocked(queue)) {
            result = WAIT_OBJECT_0 + count;
            return true;
        }
        return false;
    });
    return result;
}

BOOL CloseHandle(HANDLE handle)
{
    std::shared_ptr<KernelObject> object;
    {
        std::lock_guard<std::mutex> guard(KernelLock());
        object = FindLocked(handle);
        if (!object)
            return FALSE;
        TheObjects().erase(handle);
    }
    // The thread shares its object and ends on its own.
    if (object->isThread && object->thread.joinable())
        object->thread.detach();
    return TRUE;
}
