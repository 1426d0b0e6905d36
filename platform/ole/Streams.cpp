#include "platform/ole/Streams.h"

#include "platform/GlobalMem.h"

#include <algorithm>
#include <cstring>

namespace {

class GlobalStream : public ZAV::Ole::RefCounted<IStream> {
public:
    GlobalStream(HGLOBAL block, bool owned) : m_block(block), m_owned(owned) {}
    ~GlobalStream() override
    {
        if (m_owned)
            GlobalFree(m_block);
    }

    HRESULT Read(void* buffer, ULONG count, ULONG* read) override
    {
        const size_t size = GlobalSize(m_block);
        const size_t n = m_position < size ? std::min<size_t>(count, size - m_position) : 0;
        if (n) {
            if (!buffer)
                return E_POINTER;
            std::memcpy(buffer, static_cast<uint8_t*>(GlobalLock(m_block)) + m_position, n);
            GlobalUnlock(m_block);
        }
        m_position += n;
        if (read)
            *read = static_cast<ULONG>(n);
        return S_OK;
    }

    HRESULT Write(const void* buffer, ULONG count, ULONG* written) override
    {
        if (!buffer && count)
            return E_POINTER;
        const size_t end = m_position + count;
        if (end > GlobalSize(m_block)) {
            HGLOBAL grown = GlobalReAlloc(m_block, end, GMEM_MOVEABLE | GMEM_ZEROINIT);
            if (!grown)
                return E_OUTOFMEMORY;
            m_block = grown;
        }
        if (count) {
            std::memcpy(static_cast<uint8_t*>(GlobalLock(m_block)) + m_position, buffer, count);
            GlobalUnlock(m_block);
        }
        m_position = end;
        if (written)
            *written = count;
        return S_OK;
    }

    HRESULT Seek(int64_t move, DWORD origin, uint64_t* position) override
    {
        int64_t base = 0;
        if (origin == STREAM_SEEK_CUR)
            base = static_cast<int64_t>(m_position);
        else if (origin == STREAM_SEEK_END)
            base = static_cast<int64_t>(GlobalSize(m_block));
        else if (origin != STREAM_SEEK_SET)
            return E_INVALIDARG;
        if (base + move < 0)
            return E_INVALIDARG;
        m_position = static_cast<size_t>(base + move);
        if (position)
            *position = m_position;
        return S_OK;
    }

    HGLOBAL Block() const { return m_block; }

protected:
    const IID& OwnIid() const override { return IID_IStream; }

private:
    HGLOBAL m_block;
    bool m_owned;
    size_t m_position = 0;
};

}  // namespace

HRESULT CreateStreamOnHGlobal(HGLOBAL block, BOOL deleteOnRelease, IStream** stream)
{
    if (!stream)
        return E_POINTER;
    *stream = nullptr;
    if (!block) {
        block = GlobalAlloc(GHND, 0);
        if (!block)
            return E_OUTOFMEMORY;
    }
    *stream = new GlobalStream(block, deleteOnRelease != FALSE);
    return S_OK;
}

HRESULT GetHGlobalFromStream(IStream* stream, HGLOBAL* block)
{
    auto* global = dynamic_cast<GlobalStream*>(stream);
    if (!global || !block)
        return E_INVALIDARG;
    *block = global->Block();
    return S_OK;
}
