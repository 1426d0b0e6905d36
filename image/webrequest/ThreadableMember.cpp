#include "image/webrequest/ThreadableMember.h"

#include "platform/win/Messages.h"

namespace ZAV {

namespace {

constexpr char kTextNoThread[] = "Can't create worker thread!";

// The heap context the thread entry receives.
struct ThreadContext {
    CThreadableMember* self;
    CThreadableMember::MemberFunction member;
    void* argument;
};

DWORD ThreadEntry(void* parameter)
{
    ThreadContext* context = static_cast<ThreadContext*>(parameter);
    const DWORD result = context->member(context->self, context->argument);
    delete context;
    return result;
}

}  // namespace

CThreadableMember::CThreadableMember(MemberFunction member) : m_self(this), m_member(member)
{
}

CThreadableMember::~CThreadableMember()
{
    if (m_thread) {
        WaitForSingleObject(m_thread, INFINITE);
        ForgetThread();
    }
    if (m_startedSignal)
        CloseHandle(m_startedSignal);
}

void CThreadableMember::ForgetThread()
{
    CloseHandle(m_thread);
    m_thread = nullptr;
}

bool CThreadableMember::CreateWorkerThread(StartBox* box)
{
    if (m_thread)
        ForgetThread();
    ThreadContext* context = new ThreadContext{m_self, m_member, box};
    m_thread = CreateThread(nullptr, 0, &ThreadEntry, context, 0, nullptr);
    if (!m_thread) {
        delete context;
        delete box;
        return false;
    }
    if (m_priorityInUse >= kLowestAppliedPriority)
        SetThreadPriority(m_thread, m_priorityInUse);
    return true;
}

int CThreadableMember::StartOnThread()
{
    m_priorityInUse = m_priority;
    m_startedSignal = CreateSemaphoreA(nullptr, 0, 1, nullptr);
    const bool started = m_startedSignal && CreateWorkerThread(new StartBox{m_startedSignal});
    if (started) {
        WaitForSingleObject(m_startedSignal, INFINITE);
        if (m_mode == kModePump)
            PumpUntilSignalled();
    } else {
        m_errorText = String(kTextNoThread);
    }
    if (m_startedSignal)
        CloseHandle(m_startedSignal);
    m_startedSignal = nullptr;
    return started ? 1 : 0;
}

void CThreadableMember::WaitDone(int cancel)
{
    if (cancel)
        m_cancel.store(1);
    PumpUntilSignalled();
}

int CThreadableMember::PumpUntilSignalled()
{
    if (!m_thread)
        return 1;
    for (;;) {
        const DWORD woken = MsgWaitForMultipleObjects(1, &m_thread, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0) {
            ForgetThread();
            return 1;
        }
        if (woken != WAIT_OBJECT_0 + 1) {
            ForgetThread();
            return 0;
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
            if (WaitForSingleObject(m_thread, 0) == WAIT_OBJECT_0) {
                ForgetThread();
                return 1;
            }
        }
    }
}

}  // namespace ZAV
