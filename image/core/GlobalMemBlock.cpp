#include "image/core/GlobalMemBlock.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "foundation/text/TextException.h"
#include "platform/LastError.h"

namespace ZAV {

namespace {

// Throws the formatted text with the system's text for the last error.
[[noreturn]] void ThrowOutOfMemory(const char* format, int64_t bytes)
{
    char text[1024];
    std::snprintf(text, sizeof(text), format, bytes);
    char message[kSystemMessageBufferSize];
    throw CTextException(0, FormatSystemMessage(GetLastError(), text, message));
}

const char kAllocFailedFormat[] = "Out of memory error allocating %" PRId64 " bytes!";
const char kReAllocFailedFormat[] = "Out of memory error reallocating %" PRId64 " bytes!";

// A negative size is no request the heap could meet.
HGLOBAL AllocateChecked(UINT flags, int64_t bytes)
{
    if (bytes < 0) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return GlobalAlloc(flags, static_cast<size_t>(bytes));
}

}  // namespace

void CGlobalMemBlock::Free()
{
    if (m_owned && m_handle)
        GlobalFree(m_handle);
    m_handle = nullptr;
    m_owned = 1;
}

void CGlobalMemBlock::Attach(HGLOBAL handle)
{
    Free();
    m_handle = handle;
}

void CGlobalMemBlock::AttachNotOwned(HGLOBAL handle)
{
    Free();
    m_handle = handle;
    m_owned = 0;
}

HGLOBAL CGlobalMemBlock::Detach()
{
    HGLOBAL handle = m_handle;
    m_handle = nullptr;
    return handle;
}

HGLOBAL CGlobalMemBlock::Alloc(UINT flags, int64_t bytes)
{
    Free();
    m_handle = AllocateChecked(flags, bytes);
    if (!m_handle)
        ThrowOutOfMemory(kAllocFailedFormat, bytes);
    return m_handle;
}

HGLOBAL CGlobalMemBlock::ReAlloc(UINT flags, int64_t bytes)
{
    if (!m_handle)
        return Alloc(flags, bytes);
    HGLOBAL resized = nullptr;
    if (bytes >= 0)
        resized = GlobalReAlloc(m_handle, static_cast<size_t>(bytes), flags);
    else
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    // The old block stays valid and held when the heap refuses.
    if (!resized)
        ThrowOutOfMemory(kReAllocFailedFormat, bytes);
    m_handle = resized;
    return m_handle;
}

void CGlobalMemBlock::CopyTo(CGlobalMemBlock& target, UINT flags) const
{
    target.Free();
    if (!m_handle)
        return;
    const size_t size = GlobalSize(m_handle);
    HGLOBAL copy = GlobalAlloc(flags, size);
    if (!copy)
        ThrowOutOfMemory(kAllocFailedFormat, static_cast<int64_t>(size));
    CGlobalLock source;
    CGlobalLock destination;
    std::memcpy(destination.Lock(copy), source.Lock(m_handle), size);
    destination.Unlock();
    target.Attach(copy);
}

void CGlobalHandle::Attach(HGLOBAL handle)
{
    Free();
    m_handle = handle;
}

HGLOBAL CGlobalHandle::Detach()
{
    HGLOBAL handle = m_handle;
    m_handle = nullptr;
    return handle;
}

void CGlobalHandle::Free()
{
    if (m_handle)
        GlobalFree(m_handle);
    m_handle = nullptr;
}

void* CGlobalLock::Lock(HGLOBAL handle)
{
    Unlock();
    m_handle = handle;
    m_pointer = GlobalLock(handle);
    return m_pointer;
}

void CGlobalLock::Unlock()
{
    if (m_handle)
        GlobalUnlock(m_handle);
    m_handle = nullptr;
    m_pointer = nullptr;
}

}  // namespace ZAV
