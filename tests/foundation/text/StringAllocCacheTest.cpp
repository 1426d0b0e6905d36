#include "foundation/text/StringAllocCache.h"
#include "foundation/text/String.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using ZAV::CStringAllocCache;

namespace {

// Frees what a test took from a local cache without giving it back.
void FreeAll(std::vector<char*>& buffers)
{
    for (char* b : buffers)
        std::free(b);
    buffers.clear();
}

}  // namespace

TEST(StringAllocCache, RequestEqualToAClassSizeTakesTheNextClass)
{
    const struct {
        size_t request;
        uint32_t capacity;
        bool counted;
    } cases[] = {
        {0, 11, true},      {5, 11, true},      {9, 11, true},      {10, 21, true},     {11, 21, true},
        {19, 21, true},     {20, 51, true},     {49, 51, true},     {50, 258, true},    {256, 258, true},
        {257, 1027, true},  {1025, 1027, true}, {1026, 4001, true}, {3999, 4001, true}, {4000, 4001, true},
        {4001, 4001, false}, {10000, 10000, false},
    };
    CStringAllocCache cache;
    std::vector<char*> taken;
    int32_t misses = 0;
    for (const auto& c : cases) {
        uint32_t capacity = 0;
        char* buffer = cache.Allocate(c.request, &capacity);
        ASSERT_NE(buffer, nullptr);
        taken.push_back(buffer);
        EXPECT_EQ(capacity, c.capacity) << "request " << c.request;
        buffer[capacity - 1] = 'x';  // the whole capacity must be usable (ASan checks)
        misses += c.counted ? 1 : 0;
        EXPECT_EQ(cache.GetMissCount(), misses) << "request " << c.request;
    }
    FreeAll(taken);
}

TEST(StringAllocCache, GetBlockSizeIsStrictlyGreater)
{
    CStringAllocCache cache;
    EXPECT_EQ(cache.GetBlockSize(0), 10u);
    EXPECT_EQ(cache.GetBlockSize(10), 20u);
    EXPECT_EQ(cache.GetBlockSize(3999), 4000u);
    EXPECT_EQ(cache.GetBlockSize(4000), 4000u);
    EXPECT_EQ(cache.GetBlockSize(5000), 5000u);
    ASSERT_EQ(cache.GetEntries().size(), 6u);
}

TEST(StringAllocCache, ReleasedBuffersAreHandedOutAgainByClass)
{
    CStringAllocCache cache;
    uint32_t capacity = 0;
    char* small = cache.Allocate(5, &capacity);  // capacity 11: kept in the 10 class
    char* keptSmall = small;
    cache.Release(small, capacity);
    EXPECT_EQ(small, nullptr);
    EXPECT_EQ(cache.GetEntries()[0]->count, 1);

    char* medium = cache.Allocate(15, &capacity);  // capacity 21: kept in the 20 class
    char* keptMedium = medium;
    cache.Release(medium, capacity);
    EXPECT_EQ(cache.GetEntries()[1]->count, 1);
    const int32_t misses = cache.GetMissCount();

    char* again = cache.Allocate(10, &capacity);
    EXPECT_EQ(again, keptSmall);
    EXPECT_EQ(capacity, 11u);
    char* againMedium = cache.Allocate(11, &capacity);
    EXPECT_EQ(againMedium, keptMedium);
    EXPECT_EQ(capacity, 21u);
    EXPECT_EQ(cache.GetMissCount(), misses);
    EXPECT_EQ(cache.GetDiscardCount(), 0);

    // The class is empty again: the next request is a miss.
    char* fresh = cache.Allocate(3, &capacity);
    EXPECT_EQ(cache.GetMissCount(), misses + 1);
    cache.Release(again, 11);
    cache.Release(againMedium, 21);
    cache.Release(fresh, capacity);
}

TEST(StringAllocCache, OversizedAndSurplusBuffersAreDiscarded)
{
    CStringAllocCache cache;
    uint32_t capacity = 0;
    char* huge = cache.Allocate(6001, &capacity);
    EXPECT_EQ(capacity, 6001u);
    cache.Release(huge, capacity);
    EXPECT_EQ(huge, nullptr);
    EXPECT_EQ(cache.GetDiscardCount(), 1);

    // Capacity 6000 is the last one the 4000 class keeps.
    char* big = static_cast<char*>(std::malloc(6000));
    cache.Release(big, 6000);
    EXPECT_EQ(cache.GetDiscardCount(), 1);
    EXPECT_EQ(cache.GetEntries()[5]->count, 1);

    std::vector<char*> buffers;
    for (int i = 0; i < 101; ++i)
        buffers.push_back(cache.Allocate(30, &capacity));
    for (char*& b : buffers)
        cache.Release(b, capacity);
    EXPECT_EQ(cache.GetEntries()[2]->count, 100);
    EXPECT_EQ(cache.GetDiscardCount(), 2);
}

TEST(StringAllocCache, LivesWhileAStringLives)
{
    CStringAllocCache* before = CStringAllocCache::GetInstance();
    const int32_t users = before ? before->GetUserCount() : 0;
    {
        ZAV::String a("first");
        ZAV::String b(a);
        ASSERT_NE(CStringAllocCache::GetInstance(), nullptr);
        EXPECT_EQ(CStringAllocCache::GetInstance()->GetUserCount(), users + 2);
    }
    if (before) {
        // A String that outlives the tests keeps the cache alive.
        EXPECT_EQ(CStringAllocCache::GetInstance()->GetUserCount(), users);
        return;
    }
    EXPECT_EQ(CStringAllocCache::GetInstance(), nullptr);
    // A later String gets a fresh cache that works.
    ZAV::String again("second");
    ASSERT_NE(CStringAllocCache::GetInstance(), nullptr);
    EXPECT_EQ(CStringAllocCache::GetInstance()->GetUserCount(), 1);
    again += "!";
    EXPECT_STREQ(again.GetText(), "second!");
}
