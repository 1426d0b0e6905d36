// A caller's web request object for tests: it records its calls, hands out
// the bytes it is given, or fails in the way it is told; no network.
#pragma once

#include <atomic>
#include <future>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"
#include "image/webrequest/WebRequest.h"

namespace ZAVTest {

constexpr int kFormatBmp = 1;

class CRequestDouble : public ZAV::IZAVWebRequestSp {
public:
    uint32_t AddRef() override { return Record("AddRef"), ++m_count; }
    uint32_t Release() override { return Record("Release"), --m_count; }
    int32_t GetRefCount() override { return static_cast<int32_t>(m_count); }
    void SetUrl(const std::string& url) override
    {
        Record("SetUrl " + url);
        seenUrl = url;
    }
    void Execute() override
    {
        Record("Execute");
        if (blockUntil)
            blockUntil->wait();
        if (!failure.empty())
            ThrowTextException(failure.c_str());
        if (!foreignFailure.empty())
            throw std::runtime_error(foreignFailure);
        if (throwsNonException)
            throw 7;
    }
    void GetResponse(ZAV::CArraySimple<BYTE, 1>& bytes) override
    {
        Record("GetResponse");
        bytes = ZAV::CArraySimple<BYTE, 1>(response);
    }

    std::vector<std::string> Calls()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_calls;
    }
    bool RanOnCaller() const { return m_executeThread == std::this_thread::get_id(); }

    std::vector<BYTE> response;
    std::string failure;
    std::string foreignFailure;  // thrown as std::runtime_error
    std::string seenUrl;
    bool throwsNonException = false;
    std::shared_future<void>* blockUntil = nullptr;
    std::atomic<uint32_t> m_count{1};

private:
    void Record(const std::string& call)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_calls.push_back(call);
        if (call == "Execute")
            m_executeThread = std::this_thread::get_id();
    }
    std::mutex m_lock;
    std::vector<std::string> m_calls;
    std::thread::id m_executeThread;
};

// A 24-bit picture of the size as .bmp bytes.
inline std::vector<BYTE> BmpBytes(int width, int height)
{
    ZAV::CZAVImg image;
    if (image.Create(width, height, 24) != 1)
        return {};
    std::vector<BYTE> block(4096);
    int64_t written = 0;
    image.SaveToMemory(block.data(), static_cast<int64_t>(block.size()), kFormatBmp, &written);
    block.resize(static_cast<size_t>(written));
    return block;
}

}  // namespace ZAVTest
