#include "foundation/text/StringAllocCache.h"

#include <boost/make_shared.hpp>

#include <cstdlib>
#include <limits>
#include <new>

namespace ZAV {

namespace {

// The one cache of the process. A plain pointer: it needs no construction
// at start-up and no destruction at exit, and keeps the cache reachable
// for as long as any String lives, static ones included.
CStringAllocCache* g_stringAllocCache = nullptr;

char* NewBlock(size_t size)
{
    void* block = std::malloc(size);
    if (!block)
        throw std::bad_alloc();
    return static_cast<char*>(block);
}

}  // namespace

CStringAllocCache::CStringAllocCache()
{
    struct ClassRange {
        int32_t blockSize;
        uint32_t lo;
        uint32_t hi;
    };
    static const ClassRange kClasses[] = {
        {10, 0, 19}, {20, 11, 49}, {50, 21, 256}, {257, 51, 1025}, {1026, 258, 3999}, {4000, 1027, 6000},
    };
    for (const ClassRange& range : kClasses)
        RegisterEntry(range.lo, range.hi, boost::make_shared<CStringAllocCacheEntry>(range.blockSize));
}

CStringAllocCache::~CStringAllocCache()
{
    for (const auto& entry : m_entries)
        for (int32_t i = 0; i < entry->count; ++i)
            std::free(entry->slots[i].buffer);
}

void CStringAllocCache::RegisterEntry(uint32_t lo, uint32_t hi, const boost::shared_ptr<CStringAllocCacheEntry>& entry)
{
    m_entries.push_back(entry);
    const uint32_t blockSize = static_cast<uint32_t>(entry->blockSize);
    for (uint32_t i = lo; i <= blockSize && i < kAllocTableSize; ++i)
        m_allocTable[i] = entry;
    for (uint32_t i = blockSize; i <= hi && i < kFreeTableSize; ++i)
        m_freeTable[i] = entry;
}

size_t CStringAllocCache::GetBlockSize(size_t request) const
{
    for (const auto& entry : m_entries)
        if (static_cast<size_t>(entry->blockSize) > request)
            return static_cast<size_t>(entry->blockSize);
    return request;
}

char* CStringAllocCache::Allocate(size_t request, uint32_t* capacity)
{
    if (request < kAllocTableSize) {
        const auto& entry = m_allocTable[request];
        if (entry && entry->count != 0 && request <= static_cast<size_t>(entry->blockSize)) {
            CStringAllocCacheEntry::Slot& slot = entry->slots[--entry->count];
            char* buffer = slot.buffer;
            const uint32_t kept = slot.capacity;
            slot = CStringAllocCacheEntry::Slot();
            if (buffer) {
                *capacity = kept;
                return buffer;
            }
        }
        ++m_missCount;
        // A request equal to a class's size takes the next class: the
        // search is strictly greater, and one byte more is added on top.
        const size_t size = GetBlockSize(request) + 1;
        char* buffer = NewBlock(size);
        *capacity = static_cast<uint32_t>(size);
        return buffer;
    }
    if (request > std::numeric_limits<uint32_t>::max())
        throw std::bad_alloc();
    char* buffer = NewBlock(request);
    *capacity = static_cast<uint32_t>(request);
    return buffer;
}

void CStringAllocCache::Release(char*& buffer, uint32_t capacity)
{
    if (!buffer)
        return;
    if (capacity < kFreeTableSize) {
        const auto& entry = m_freeTable[capacity];
        if (entry && capacity >= static_cast<uint32_t>(entry->blockSize) && entry->count < entry->maximum) {
            entry->slots[entry->count].buffer = buffer;
            entry->slots[entry->count].capacity = capacity;
            ++entry->count;
            buffer = nullptr;
            return;
        }
    }
    ++m_discardCount;
    std::free(buffer);
    buffer = nullptr;
}

CStringAllocCache* CStringAllocCache::GetInstance()
{
    return g_stringAllocCache;
}

CStringAllocCache& CStringAllocCache::AddUser()
{
    if (!g_stringAllocCache)
        g_stringAllocCache = new CStringAllocCache();
    ++g_stringAllocCache->m_userCount;
    return *g_stringAllocCache;
}

void CStringAllocCache::RemoveUser()
{
    if (!g_stringAllocCache)
        return;
    if (--g_stringAllocCache->m_userCount <= 0) {
        delete g_stringAllocCache;
        g_stringAllocCache = nullptr;
    }
}

}  // namespace ZAV
