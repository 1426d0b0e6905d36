// The worker thread and LoadFromWebRequest against a request double that
// records its calls; no network.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"
#include "image/webrequest/ZAVImgWebRequestThread.h"
#include "platform/win/Threads.h"
#include "support/ThrownText.h"
#include "support/WebRequestDouble.h"

using namespace ZAV;
using ZAVTest::BmpBytes;
using ZAVTest::CRequestDouble;
using ZAVTest::kFormatBmp;
using ZAVTest::ThrownText;

namespace {

// A 5 x 3 8-bit image the tests expect to stay as it is.
void MakeOriginal(CZAVImg& image)
{
    ASSERT_EQ(1, image.Create(5, 3, 8));
}

bool IsOriginal(const CZAVImg& image)
{
    return image.GetWidth() == 5 && image.GetHeight() == 3 && image.GetBitsPerPixel() == 8;
}

class WebRequest : public ::testing::Test {
protected:
    void TearDown() override { ThreadKnobs() = ThreadFailureKnobs(); }
};

}  // namespace

TEST_F(WebRequest, LoadCallsTheRequestInOrderAndLoadsItsBytes)
{
    CRequestDouble request;
    request.response = BmpBytes(2, 1);
    CZAVImg image;
    MakeOriginal(image);
    image.LoadFromWebRequest(&request, "http://example.invalid/a.bmp", kFormatBmp);
    EXPECT_EQ(2, image.GetWidth());
    EXPECT_EQ(24, image.GetBitsPerPixel());
    // The thread object holds the request for its life, the run once more.
    const std::vector<std::string> calls = {
        "AddRef", "AddRef", "SetUrl http://example.invalid/a.bmp", "Execute", "GetResponse", "Release", "Release"};
    EXPECT_EQ(calls, request.Calls());
    EXPECT_FALSE(request.RanOnCaller());
    EXPECT_EQ(1u, request.m_count.load());
}

TEST_F(WebRequest, FailuresThrowAndLeaveTheImage)
{
    const struct {
        const char* name;
        const char* failure;
        const char* foreignFailure;
        bool throwsNonException;
        bool noThread;
        const char* text;
    } cases[] = {
        {"request throws", "Host not found!", "", false, false, "Host not found!"},
        {"request throws a standard exception", "", "connection reset", false, false, "connection reset"},
        {"request throws something else", "", "", true, false, "Web request failed!"},
        {"empty response", "", "", false, false, "Web request returned no data!"},
        {"no thread", "", "", false, true, "Can't create worker thread!"},
    };
    for (const auto& c : cases) {
        CRequestDouble request;
        request.failure = c.failure;
        request.foreignFailure = c.foreignFailure;
        request.throwsNonException = c.throwsNonException;
        ThreadKnobs().createThread = c.noThread;
        CZAVImg image;
        MakeOriginal(image);
        EXPECT_EQ(c.text, ThrownText([&] { image.LoadFromWebRequest(&request, "u", kFormatBmp); })) << c.name;
        EXPECT_TRUE(IsOriginal(image)) << c.name;
        EXPECT_EQ(1u, request.m_count.load()) << c.name;
        ThreadKnobs() = ThreadFailureKnobs();
    }
}

TEST_F(WebRequest, ModeZeroRunsInTheCaller)
{
    CRequestDouble request;
    request.response = {1, 2, 3};
    ThreadKnobs().createThread = true;  // a thread would fail
    CZAVImgWebRequestThread thread(&request, "u");
    thread.SetMode(CThreadableMember::kModeCaller);
    EXPECT_EQ(1, thread.Start());
    EXPECT_TRUE(request.RanOnCaller());
    EXPECT_EQ(nullptr, thread.GetThreadHandle());
    EXPECT_EQ(nullptr, thread.GetStartedSignal());
    EXPECT_EQ(3, thread.GetResponse().GetSize());
    EXPECT_EQ("", thread.GetError());
}

TEST_F(WebRequest, SecondStartWhileRunningAndPriorities)
{
    const struct {
        int priority;  // 0 keeps the default
        int applied;
    } cases[] = {{0, THREAD_PRIORITY_LOWEST}, {-49, -49}, {-50, THREAD_PRIORITY_NORMAL}, {2, 2}};
    for (const auto& c : cases) {
        std::promise<void> release;
        std::shared_future<void> released = release.get_future().share();
        CRequestDouble request;
        request.response = {9};
        request.blockUntil = &released;
        CZAVImgWebRequestThread thread(&request, "u");
        EXPECT_EQ(THREAD_PRIORITY_LOWEST, thread.GetPriority());
        if (c.priority != 0)
            thread.SetPriority(c.priority);
        ASSERT_EQ(1, thread.Start());
        EXPECT_TRUE(thread.IsRunning());
        EXPECT_EQ(c.applied, GetThreadPriority(thread.GetThreadHandle())) << c.priority;
        EXPECT_EQ("Thread already running!", ThrownText([&] { thread.Start(); }));
        release.set_value();
        thread.WaitDone(0);
        EXPECT_EQ(nullptr, thread.GetThreadHandle());
        EXPECT_EQ(1, thread.GetResponse().GetSize());
    }
}

TEST_F(WebRequest, PumpModeDispatchesWhileWaiting)
{
    CRequestDouble request;
    request.response = {1};
    CZAVImgWebRequestThread thread(&request, "u");
    thread.SetMode(CThreadableMember::kModePump);
    EXPECT_EQ(1, thread.Start());
    EXPECT_EQ(nullptr, thread.GetThreadHandle());  // ended and forgotten
    EXPECT_EQ(1, thread.GetResponse().GetSize());
    EXPECT_EQ(1, thread.PumpUntilSignalled());
}
