// CZAVImg::LoadFromWebRequest: the picture's bytes come through the
// caller's request object on a worker thread, then load like any other
// memory picture. The image changes only when bytes arrived.
#include <vector>

#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"
#include "image/webrequest/ZAVImgWebRequestThread.h"

namespace ZAV {

void CZAVImg::LoadFromWebRequest(IZAVWebRequestSp* request, const char* url, int format)
{
    std::vector<BYTE> bytes;
    {
        CZAVImgWebRequestThread thread(request, url);
        thread.SetMode(CThreadableMember::kModeDetached);
        if (!thread.Start())
            ThrowTextException(thread.GetError().c_str());
        thread.WaitDone(0);
        const std::string error = thread.GetError();
        if (!error.empty())
            ThrowTextException(error.c_str());
        const CArraySimple<BYTE, 1>& response = thread.GetResponse();
        if (response.GetSize() > 0)
            bytes.assign(response.GetData(), response.GetData() + response.GetSize());
    }
    if (bytes.empty())
        ThrowTextException("Web request returned no data!");
    LoadFromMemory(bytes.data(), static_cast<int64_t>(bytes.size()), format);
}

}  // namespace ZAV
