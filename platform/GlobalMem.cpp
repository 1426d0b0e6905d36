#include "platform/GlobalMem.h"

#include "platform/LastError.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Tells the two kinds of block apart and refuses a pointer that is no block.
constexpr uint32_t kFixedMagic = 0x5A474D46;     // "ZGMF"
constexpr uint32_t kMoveableMagic = 0x5A474D4D;  // "ZGMM"

// Kept 32 bytes long so the bytes behind it keep malloc's alignment.
struct alignas(16) BlockHeader {
    uint32_t magic;
    uint32_t lockCount;
    size_t size;
    void* bytes;        // a moveable block's bytes; unused for a fixed block
    void* lockRefused;  // non-null while a test makes locks of the block fail
};
static_assert(sizeof(BlockHeader) == 32, "the header layout is shared by every module");

BlockHeader* HeaderOf(HGLOBAL handle)
{
    if (!handle)
        return nullptr;
    BlockHeader* header = reinterpret_cast<BlockHeader*>(static_cast<char*>(handle) - sizeof(BlockHeader));
    if (header->magic != kFixedMagic && header->magic != kMoveableMagic)
        return nullptr;
    return header;
}

BlockHeader* CheckedHeader(HGLOBAL handle)
{
    BlockHeader* header = HeaderOf(handle);
    if (!header)
        SetLastError(ERROR_INVALID_HANDLE);
    return header;
}

HGLOBAL HandleOf(BlockHeader* header)
{
    return reinterpret_cast<char*>(header) + sizeof(BlockHeader);
}

void* Allocate(size_t bytes, bool zero)
{
    // Never ask the heap for 0 bytes: a block of size 0 still has an address.
    const size_t n = bytes ? bytes : 1;
    return zero ? std::calloc(1, n) : std::malloc(n);
}

std::atomic<int> g_failuresToInject{0};

// True when a test asked this allocation to fail; the failure is reported
// like a refusal of the heap.
bool InjectedFailure()
{
    int left = g_failuresToInject.load();
    while (left > 0) {
        if (g_failuresToInject.compare_exchange_weak(left, left - 1)) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return true;
        }
    }
    return false;
}

}  // namespace

void SetGlobalAllocFailures(int count)
{
    g_failuresToInject = count > 0 ? count : 0;
}

HGLOBAL GlobalAlloc(UINT flags, size_t bytes)
{
    const bool zero = (flags & GMEM_ZEROINIT) != 0;
    if (InjectedFailure())
        return nullptr;
    if (bytes > SIZE_MAX - sizeof(BlockHeader)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (flags & GMEM_MOVEABLE) {
        BlockHeader* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader)));
        void* data = Allocate(bytes, zero);
        if (!header || !data) {
            std::free(header);
            std::free(data);
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        *header = BlockHeader{kMoveableMagic, 0, bytes, data, nullptr};
        return HandleOf(header);
    }
    BlockHeader* header = static_cast<BlockHeader*>(Allocate(sizeof(BlockHeader) + bytes, zero));
    if (!header) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    *header = BlockHeader{kFixedMagic, 0, bytes, nullptr, nullptr};
    return HandleOf(header);
}

HGLOBAL GlobalReAlloc(HGLOBAL handle, size_t bytes, UINT flags)
{
    BlockHeader* header = CheckedHeader(handle);
    if (!header || InjectedFailure())
        return nullptr;
    if (bytes > SIZE_MAX - sizeof(BlockHeader)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    const size_t oldSize = header->size;
    if (header->magic == kMoveableMagic) {
        void* data = std::realloc(header->bytes, bytes ? bytes : 1);
        if (!data) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        if ((flags & GMEM_ZEROINIT) && bytes > oldSize)
            std::memset(static_cast<char*>(data) + oldSize, 0, bytes - oldSize);
        header->bytes = data;
        header->size = bytes;
        return handle;
    }
    BlockHeader* moved = static_cast<BlockHeader*>(std::realloc(header, sizeof(BlockHeader) + bytes));
    if (!moved) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if ((flags & GMEM_ZEROINIT) && bytes > oldSize)
        std::memset(reinterpret_cast<char*>(moved) + sizeof(BlockHeader) + oldSize, 0, bytes - oldSize);
    moved->size = bytes;
    return HandleOf(moved);
}

void* GlobalLock(HGLOBAL handle)
{
    BlockHeader* header = CheckedHeader(handle);
    if (!header)
        return nullptr;
    if (header->lockRefused) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (header->magic == kFixedMagic)
        return handle;
    ++header->lockCount;
    return header->bytes;
}

BOOL GlobalUnlock(HGLOBAL handle)
{
    BlockHeader* header = CheckedHeader(handle);
    if (!header)
        return FALSE;
    if (header->magic == kFixedMagic || header->lockCount == 0) {
        SetLastError(ERROR_SUCCESS);
        return FALSE;
    }
    --header->lockCount;
    if (header->lockCount == 0) {
        SetLastError(ERROR_SUCCESS);
        return FALSE;
    }
    return TRUE;
}

size_t GlobalSize(HGLOBAL handle)
{
    BlockHeader* header = CheckedHeader(handle);
    return header ? header->size : 0;
}

HGLOBAL GlobalFree(HGLOBAL handle)
{
    if (!handle)
        return nullptr;
    BlockHeader* header = CheckedHeader(handle);
    if (!header)
        return handle;
    if (header->magic == kMoveableMagic)
        std::free(header->bytes);
    header->magic = 0;
    std::free(header);
    return nullptr;
}

BOOL SetGlobalLockRefused(HGLOBAL handle, bool refused)
{
    BlockHeader* header = CheckedHeader(handle);
    if (!header)
        return FALSE;
    header->lockRefused = refused ? header : nullptr;
    return TRUE;
}
