// CZAVImgWebRequestThread: fetches the bytes of a picture through the
// caller's request object, in the caller's thread or on a worker thread.
// The response and the error text are read only after the thread has ended.
#pragma once

#include <string>

#include "foundation/containers/ArraySimple.h"
#include "image/webrequest/ThreadableMember.h"
#include "image/webrequest/WebRequest.h"

namespace ZAV {

class CZAVImgWebRequestThread : public CThreadableMember {
public:
    // Holds the request (AddRef) for the object's life.
    CZAVImgWebRequestThread(IZAVWebRequestSp* request, const char* url);
    ~CZAVImgWebRequestThread() override;

    // "Thread already running!" while the body runs.
    int Start() override;
    DWORD ThreadMain(void* box) override;
    // Fetches the response; a failure of the request becomes the error text.
    // Always 1.
    int ZAVImgWebRequest_Do() override;

    const CArraySimple<BYTE, 1>& GetResponse() const { return m_response; }

private:
    static DWORD CallThreadMain(CThreadableMember* self, void* argument);

    IZAVWebRequestSp* m_request;
    int m_ownsRequest = 1;
    String m_url;
    CArraySimple<BYTE, 1> m_response;
};

}  // namespace ZAV
