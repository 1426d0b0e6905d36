// Loads and saves through OLE streams on global memory and loads of module
// resources: both hand their bytes to the memory load or save.
#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"
#include "platform/GlobalMem.h"
#include "platform/ole/Streams.h"
#include "platform/win/Resources.h"

namespace ZAV {

namespace {

// The locked bytes of a stream's block, unlocked again on every path.
class CLockedStreamBlock {
public:
    explicit CLockedStreamBlock(IStream* stream)
    {
        if (!stream || FAILED(GetHGlobalFromStream(stream, &m_block)) || !m_block)
            ThrowTextException("Error accessing stream!");
        m_bytes = GlobalLock(m_block);
        if (!m_bytes)
            ThrowTextException("Can't lock memory!");
    }
    ~CLockedStreamBlock() { GlobalUnlock(m_block); }
    CLockedStreamBlock(const CLockedStreamBlock&) = delete;
    CLockedStreamBlock& operator=(const CLockedStreamBlock&) = delete;

    void* Bytes() const { return m_bytes; }
    int64_t Size() const { return static_cast<int64_t>(GlobalSize(m_block)); }

private:
    HGLOBAL m_block = nullptr;
    void* m_bytes = nullptr;
};

}  // namespace

void CZAVImg::LoadFromStream(IStream* stream, int format)
{
    CLockedStreamBlock block(stream);
    LoadFromMemory(block.Bytes(), block.Size(), format);
}

void CZAVImg::SaveToStream(IStream* stream, int format)
{
    CLockedStreamBlock block(stream);
    SaveToMemory(block.Bytes(), block.Size(), format, nullptr);
}

void CZAVImg::LoadFromResource(HMODULE module, const char* name, const char* type, int format)
{
    HRSRC resource = FindResourceA(module, name, type);
    if (!resource)
        ThrowTextException("Can't find the specified resource!");
    const DWORD size = SizeofResource(module, resource);
    if (size == 0)
        ThrowTextException("Empty resource!");
    HGLOBAL loaded = LoadResource(module, resource);
    if (!loaded)
        ThrowTextException("Can't load the specified resource!");
    const void* bytes = LockResource(loaded);
    if (!bytes)
        ThrowTextException("Can't lock the specified resource!");
    LoadFromMemory(bytes, size, format);
}

}  // namespace ZAV
