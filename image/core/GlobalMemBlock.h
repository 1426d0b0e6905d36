// Holders of global-memory blocks: the pixel and mask blocks of an image,
// kernel results and the data handed to and from plug-ins. Blocks are mostly
// allocated fixed (GPTR), so the handle is the data pointer itself.
#pragma once

#include <cstdint>

#include "platform/GlobalMem.h"

namespace ZAV {

// An owned or borrowed block; ownership moves only through the calls below.
class CGlobalMemBlock {
public:
    CGlobalMemBlock() = default;
    ~CGlobalMemBlock() { Free(); }
    CGlobalMemBlock(const CGlobalMemBlock&) = delete;
    CGlobalMemBlock& operator=(const CGlobalMemBlock&) = delete;

    // Frees an owned block; afterwards empty and owned.
    void Free();
    // Frees the current block if owned, then owns / borrows the new one.
    void Attach(HGLOBAL handle);
    void AttachNotOwned(HGLOBAL handle);
    // Forgets the handle without freeing it; the owned flag stays.
    HGLOBAL Detach();

    HGLOBAL GetHandle() const { return m_handle; }
    bool IsOwned() const { return m_owned != 0; }
    template <class T>
    T* GetData() const
    {
        return static_cast<T*>(m_handle);
    }

    // Frees the current block if owned and allocates a new owned one. Throws
    // CTextException "Out of memory error allocating N bytes!" and the
    // system's text when the heap refuses; the block is then empty.
    HGLOBAL Alloc(UINT flags, int64_t bytes);
    // Resizes the block (Alloc when empty). A refusal throws "Out of memory
    // error reallocating N bytes!" and keeps the old block.
    HGLOBAL ReAlloc(UINT flags, int64_t bytes);
    // Makes the target an owned copy of this block (empty when this one is).
    // A refused allocation throws as Alloc does and leaves the target empty.
    void CopyTo(CGlobalMemBlock& target, UINT flags) const;

private:
    int32_t m_owned = 1;
    HGLOBAL m_handle = nullptr;
};

// A plain owner of one handle, used by the drawing, clipboard and format code.
class CGlobalHandle {
public:
    CGlobalHandle() = default;
    ~CGlobalHandle() { Free(); }
    CGlobalHandle(const CGlobalHandle&) = delete;
    CGlobalHandle& operator=(const CGlobalHandle&) = delete;

    void Attach(HGLOBAL handle);
    HGLOBAL Detach();
    void Free();
    HGLOBAL GetHandle() const { return m_handle; }

private:
    HGLOBAL m_handle = nullptr;
};

// A scoped lock of a moveable block.
class CGlobalLock {
public:
    CGlobalLock() = default;
    ~CGlobalLock() { Unlock(); }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;

    // Unlocks the block held before, locks this one and returns its bytes.
    void* Lock(HGLOBAL handle);
    void Unlock();
    void* GetPointer() const { return m_pointer; }

private:
    HGLOBAL m_handle = nullptr;
    void* m_pointer = nullptr;
};

}  // namespace ZAV
