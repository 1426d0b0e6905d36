// Threads, semaphores and waits over the C++ thread library. A thread's
// handle is signalled when its function returns, with the result as its
// exit code; a semaphore's while its count is above zero.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <cstddef>

using LPTHREAD_START_ROUTINE = DWORD (*)(void*);

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD STILL_ACTIVE = 259;
constexpr DWORD QS_ALLINPUT = 0x04FF;

constexpr int THREAD_PRIORITY_LOWEST = -2;
constexpr int THREAD_PRIORITY_NORMAL = 0;
constexpr int THREAD_PRIORITY_HIGHEST = 2;

// Starts the function on a new thread; null when the thread layer's knob
// refuses. The security record, stack size and flags are not used.
HANDLE CreateThread(void* security, size_t stackSize, LPTHREAD_START_ROUTINE start, void* parameter, DWORD flags,
                    DWORD* threadId);
BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode);
// Recorded only: the C++ thread library has no priorities.
BOOL SetThreadPriority(HANDLE thread, int priority);
int GetThreadPriority(HANDLE thread);

HANDLE CreateSemaphoreA(void* security, LONG initial, LONG maximum, const char* name);
// FALSE when the count would pass the maximum.
BOOL ReleaseSemaphore(HANDLE semaphore, LONG count, LONG* previous);

// WAIT_OBJECT_0 when signalled (a semaphore's count is taken by one),
// WAIT_TIMEOUT after the milliseconds (0: a look only), WAIT_FAILED for a
// bad handle.
DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);

// WAIT_OBJECT_0 + i for the first signalled handle, WAIT_OBJECT_0 + count
// when the calling thread's queue holds a message (with QS_ALLINPUT), else
// WAIT_TIMEOUT or WAIT_FAILED. Waiting for all handles is not supported.
DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds, DWORD wake);

// Frees the handle; a thread still running runs on to its end.
BOOL CloseHandle(HANDLE object);

namespace ZAV {

struct ThreadFailureKnobs {
    bool createThread = false;  // CreateThread gives null
};
ThreadFailureKnobs& ThreadKnobs();

}  // namespace ZAV
