// The process-wide cache of text buffers behind ZAV::String. Freed buffers
// are kept in six size classes and handed out again, so that the many
// short-lived texts of the library do not each cost a heap call. The cache
// lives while at least one String lives; the last String destroys it.
#pragma once

#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ZAV {

// One size class: up to kMaxSlots kept buffers, used as a stack.
struct CStringAllocCacheEntry {
    static constexpr int kMaxSlots = 100;

    struct Slot {
        char* buffer = nullptr;
        uint32_t capacity = 0;
    };

    explicit CStringAllocCacheEntry(int32_t size) : blockSize(size) {}

    int32_t blockSize;
    Slot slots[kMaxSlots];
    int32_t count = 0;
    int32_t maximum = kMaxSlots;
};

class CStringAllocCache {
public:
    // Requests below this are served by the size classes.
    static constexpr uint32_t kAllocTableSize = 4001;
    // Buffers of a capacity below this may be kept for reuse.
    static constexpr uint32_t kFreeTableSize = 6001;

    CStringAllocCache();
    ~CStringAllocCache();
    CStringAllocCache(const CStringAllocCache&) = delete;
    CStringAllocCache& operator=(const CStringAllocCache&) = delete;

    // Points ALLOC[lo..block size] and FREE[block size..hi] at the entry.
    void RegisterEntry(uint32_t lo, uint32_t hi, const boost::shared_ptr<CStringAllocCacheEntry>& entry);

    // The block size of the first class strictly greater than the request;
    // the request itself when no class is.
    size_t GetBlockSize(size_t request) const;

    // A buffer of at least request bytes; its capacity goes to *capacity.
    char* Allocate(size_t request, uint32_t* capacity);

    // Takes a buffer back (kept or freed) and nulls the caller's pointer.
    void Release(char*& buffer, uint32_t capacity);

    int32_t GetMissCount() const { return m_missCount; }
    int32_t GetDiscardCount() const { return m_discardCount; }
    int32_t GetUserCount() const { return m_userCount; }
    const std::vector<boost::shared_ptr<CStringAllocCacheEntry>>& GetEntries() const { return m_entries; }

    // The process-wide cache, null while no String lives.
    static CStringAllocCache* GetInstance();

private:
    friend class String;
    // Called by every String constructor and destructor.
    static CStringAllocCache& AddUser();
    static void RemoveUser();

    int32_t m_userCount = 0;
    std::vector<boost::shared_ptr<CStringAllocCacheEntry>> m_entries;
    boost::shared_ptr<CStringAllocCacheEntry> m_allocTable[kAllocTableSize];
    boost::shared_ptr<CStringAllocCacheEntry> m_freeTable[kFreeTableSize];
    int32_t m_missCount = 0;
    int32_t m_discardCount = 0;
};

}  // namespace ZAV
