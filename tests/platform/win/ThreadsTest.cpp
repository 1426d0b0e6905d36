#include "platform/win/Messages.h"
#include "platform/win/Threads.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

DWORD ReturnsItsArgument(void* parameter)
{
    return static_cast<DWORD>(reinterpret_cast<uintptr_t>(parameter));
}

struct Handshake {
    HANDLE started;
    HANDLE proceed;
};

DWORD SignalsThenWaits(void* parameter)
{
    auto* handshake = static_cast<Handshake*>(parameter);
    ReleaseSemaphore(handshake->started, 1, nullptr);
    WaitForSingleObject(handshake->proceed, INFINITE);
    return 7;
}

}  // namespace

TEST(Threads, ThreadsEndWithTheirExitCodeAndCanBeRefused)
{
    HANDLE thread = CreateThread(nullptr, 0, ReturnsItsArgument, reinterpret_cast<void*>(uintptr_t(42)), 0, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_TRUE(SetThreadPriority(thread, -2));
    EXPECT_EQ(GetThreadPriority(thread), -2);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 42u);
    EXPECT_TRUE(CloseHandle(thread));
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_FAILED);

    ZAV::ThreadKnobs().createThread = true;
    EXPECT_EQ(CreateThread(nullptr, 0, ReturnsItsArgument, nullptr, 0, nullptr), nullptr);
    ZAV::ThreadKnobs().createThread = false;
}

TEST(Threads, SemaphoresCountAndAPostedMessageEndsAMessageWait)
{
    Handshake handshake{CreateSemaphoreA(nullptr, 0, 1, nullptr), CreateSemaphoreA(nullptr, 0, 1, nullptr)};
    EXPECT_EQ(WaitForSingleObject(handshake.started, 0), WAIT_TIMEOUT);
    HANDLE thread = CreateThread(nullptr, 0, SignalsThenWaits, &handshake, 0, nullptr);
    EXPECT_EQ(WaitForSingleObject(handshake.started, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(handshake.started, 0), WAIT_TIMEOUT);  // the count was taken
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    EXPECT_EQ(code, STILL_ACTIVE);

    EXPECT_EQ(MsgWaitForMultipleObjects(1, &thread, FALSE, 0, QS_ALLINPUT), WAIT_TIMEOUT);
    PostMessageA(nullptr, WM_USER, 1, 2);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT), WAIT_OBJECT_0 + 1);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER);

    EXPECT_FALSE(ReleaseSemaphore(handshake.proceed, 2, nullptr));  // past the maximum of 1
    EXPECT_TRUE(ReleaseSemaphore(handshake.proceed, 1, nullptr));
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT), WAIT_OBJECT_0);
    GetExitCodeThread(thread, &code);
    EXPECT_EQ(code, 7u);
    CloseHandle(thread);
    CloseHandle(handshake.started);
    CloseHandle(handshake.proceed);
}
