#include "image/webrequest/ZAVImgWebRequestThread.h"

#include <exception>

#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

constexpr char kTextRequestFailed[] = "Web request failed!";

// Where a debug build would print its trace; this build prints nothing.
void DebugTrace(const char* format, const char* text)
{
    (void)format;
    (void)text;
}

// Holds the request for one run; Release comes however the run ends.
class CRequestHold {
public:
    explicit CRequestHold(IZAVWebRequestSp* request) : m_request(request) { m_request->AddRef(); }
    ~CRequestHold() { m_request->Release(); }
    CRequestHold(const CRequestHold&) = delete;
    CRequestHold& operator=(const CRequestHold&) = delete;

private:
    IZAVWebRequestSp* m_request;
};

}  // namespace

CZAVImgWebRequestThread::CZAVImgWebRequestThread(IZAVWebRequestSp* request, const char* url)
    : CThreadableMember(&CallThreadMain), m_request(request), m_url(url)
{
    if (m_request)
        m_request->AddRef();
}

CZAVImgWebRequestThread::~CZAVImgWebRequestThread()
{
    // The worker must be gone before the request and the response go.
    WaitDone(0);
    m_response.RemoveAll();
    if (m_ownsRequest && m_request)
        m_request->Release();
    m_errorText = String();
}

DWORD CZAVImgWebRequestThread::CallThreadMain(CThreadableMember* self, void* argument)
{
    return self->ThreadMain(argument);
}

int CZAVImgWebRequestThread::Start()
{
    if (IsRunning())
        ThrowTextException("Thread already running!");
    if (m_mode == kModeCaller)
        return ZAVImgWebRequest_Do();
    return StartOnThread();
}

DWORD CZAVImgWebRequestThread::ThreadMain(void* argument)
{
    StartBox* box = static_cast<StartBox*>(argument);
    m_running.store(1);
    ReleaseSemaphore(box->startedSignal, 1, nullptr);
    if (m_sink)
        m_sink->OnThreadStarted();
    const int result = ZAVImgWebRequest_Do();
    m_running.store(0);
    if (m_sink)
        m_sink->OnThreadFinished(result);
    delete box;
    return static_cast<DWORD>(result);
}

int CZAVImgWebRequestThread::ZAVImgWebRequest_Do()
{
    m_errorText = String();
    m_cancel.store(0);
    if (!m_request) {
        m_errorText = String("Invalid Parameter!");
        return 1;
    }
    try {
        CRequestHold hold(m_request);
        m_request->SetUrl(m_url.GetText());
        m_request->Execute();
        CArraySimple<BYTE, 1> bytes;
        m_request->GetResponse(bytes);
        m_response = bytes;
    } catch (const CTextException& e) {
        DebugTrace("CZAVImgWebRequestThread::ZAVImgWebRequest_Do(): Error '%s'\n", e.GetText());
        m_errorText = String(e.GetText());
    } catch (const std::exception& e) {
        // The request object is the caller's: whatever it throws must end
        // here, never on the worker thread, which would end the process.
        m_errorText = String(*e.what() ? e.what() : kTextRequestFailed);
    } catch (...) {
        m_errorText = String(kTextRequestFailed);
    }
    return 1;
}

}  // namespace ZAV
