// CThreadableMember: runs one member operation of an object in the caller's
// thread (mode 0), on a worker thread while the caller pumps its window
// messages until it ends (mode 1), or on a worker thread and returns once
// it has started (mode 2).
#pragma once

#include <atomic>
#include <string>

#include "foundation/IProgressNotification.h"
#include "foundation/text/String.h"
#include "platform/win/Threads.h"

namespace ZAV {

class CThreadableMember {
public:
    // Runs the object's ThreadMain with the argument on the worker thread.
    using MemberFunction = DWORD (*)(CThreadableMember* self, void* argument);

    static constexpr int kModeCaller = 0;
    static constexpr int kModePump = 1;
    static constexpr int kModeDetached = 2;
    // A priority in use below this one is not given to the thread.
    static constexpr int kLowestAppliedPriority = -49;

    CThreadableMember(const CThreadableMember&) = delete;
    CThreadableMember& operator=(const CThreadableMember&) = delete;

    // 1 once the body ran (mode 0) or the thread started; 0 when the thread
    // could not be had, with the text in the error.
    virtual int Start() = 0;
    // What the worker thread runs; the argument is the start box.
    virtual DWORD ThreadMain(void* box) = 0;
    // The work itself.
    virtual int ZAVImgWebRequest_Do() = 0;

    // Sets the cancel flag when asked, then waits, pumping messages, until
    // the worker thread has ended.
    void WaitDone(int cancel);
    // 1 once the thread has ended (or there is none), 0 when the wait failed.
    int PumpUntilSignalled();

    void SetMode(int mode) { m_mode = mode; }
    int GetMode() const { return m_mode; }
    void SetPriority(int priority) { m_priority = priority; }
    int GetPriority() const { return m_priority; }
    void SetNotification(IProgressNotification* sink) { m_sink = sink; }
    bool IsRunning() const { return m_running.load() != 0; }
    bool IsCancelRequested() const { return m_cancel.load() != 0; }
    HANDLE GetThreadHandle() const { return m_thread; }
    HANDLE GetStartedSignal() const { return m_startedSignal; }
    // The error text as std::string; read it once the thread has ended.
    std::string GetError() const { return m_errorText.GetText(); }

protected:
    // The heap box handed to the thread: the signal it releases once it runs.
    struct StartBox {
        HANDLE startedSignal;
    };

    CThreadableMember(MemberFunction member);
    // Waits for a thread still running, so it never outlives the object.
    virtual ~CThreadableMember();

    // Starts the thread (an old handle is closed first); false when
    // CreateThread fails, after the box has been deleted.
    bool CreateWorkerThread(StartBox* box);
    // The steps of Start for the two thread modes.
    int StartOnThread();

    CThreadableMember* m_self;
    MemberFunction m_member;
    HANDLE m_thread = nullptr;
    int m_priorityInUse = -50;
    int m_priority = THREAD_PRIORITY_LOWEST;
    HANDLE m_startedSignal = nullptr;
    // Written by the worker, read by Start on the caller's thread.
    std::atomic<int> m_running{0};
    int m_mode = kModeDetached;
    IProgressNotification* m_sink = nullptr;
    std::atomic<int> m_cancel{0};
    String m_errorText;

private:
    void ForgetThread();
};

}  // namespace ZAV
