#include "platform/GlobalMem.h"
#include "platform/LastError.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

bool AllBytesAre(const void* p, size_t n, unsigned char value)
{
    const unsigned char* bytes = static_cast<const unsigned char*>(p);
    for (size_t i = 0; i < n; ++i)
        if (bytes[i] != value)
            return false;
    return true;
}

}  // namespace

TEST(GlobalMem, FixedAndMoveableBlocksKeepSizeAndZeroFill)
{
    for (UINT flags : {GMEM_FIXED, GPTR, GMEM_MOVEABLE, GHND}) {
        SCOPED_TRACE(flags);
        HGLOBAL block = GlobalAlloc(flags, 1000);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(GlobalSize(block), 1000u);
        void* bytes = GlobalLock(block);
        ASSERT_NE(bytes, nullptr);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(bytes) % 16, 0u);
        if (flags & GMEM_ZEROINIT) {
            EXPECT_TRUE(AllBytesAre(bytes, 1000, 0));
        }
        if (flags & GMEM_MOVEABLE) {
            EXPECT_NE(bytes, block);
        } else {
            EXPECT_EQ(bytes, block);  // a fixed block's handle is its address
        }
        std::memset(bytes, 0xAB, 1000);
        GlobalUnlock(block);
        EXPECT_EQ(GlobalFree(block), nullptr);
    }
    HGLOBAL empty = GlobalAlloc(GHND, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(GlobalSize(empty), 0u);
    EXPECT_EQ(GlobalFree(empty), nullptr);
}

TEST(GlobalMem, ReAllocKeepsBytesAndZeroesTheGrowth)
{
    for (UINT kind : {GMEM_FIXED, GMEM_MOVEABLE}) {
        SCOPED_TRACE(kind);
        HGLOBAL block = GlobalAlloc(kind, 16);
        std::memset(GlobalLock(block), 0x5A, 16);
        GlobalUnlock(block);

        HGLOBAL grown = GlobalReAlloc(block, 100000, GMEM_MOVEABLE | GMEM_ZEROINIT);
        ASSERT_NE(grown, nullptr);
        if (kind == GMEM_MOVEABLE) {
            EXPECT_EQ(grown, block);  // a moveable handle stays while its bytes move
        }
        EXPECT_EQ(GlobalSize(grown), 100000u);
        const unsigned char* bytes = static_cast<const unsigned char*>(GlobalLock(grown));
        EXPECT_TRUE(AllBytesAre(bytes, 16, 0x5A));
        EXPECT_TRUE(AllBytesAre(bytes + 16, 100000 - 16, 0));
        GlobalUnlock(grown);

        HGLOBAL shrunk = GlobalReAlloc(grown, 8, 0);
        ASSERT_NE(shrunk, nullptr);
        EXPECT_EQ(GlobalSize(shrunk), 8u);
        EXPECT_TRUE(AllBytesAre(GlobalLock(shrunk), 8, 0x5A));
        GlobalUnlock(shrunk);

        // A refused request leaves the block as it was.
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(GlobalReAlloc(shrunk, SIZE_MAX - 8, 0), nullptr);
        EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
        EXPECT_EQ(GlobalSize(shrunk), 8u);
        EXPECT_EQ(GlobalFree(shrunk), nullptr);
    }
}

TEST(GlobalMem, LockCountsAndBadHandles)
{
    HGLOBAL block = GlobalAlloc(GHND, 4);
    void* first = GlobalLock(block);
    EXPECT_EQ(GlobalLock(block), first);
    EXPECT_EQ(GlobalUnlock(block), TRUE);   // still locked once
    EXPECT_EQ(GlobalUnlock(block), FALSE);  // now unlocked
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_EQ(GlobalUnlock(block), FALSE);
    EXPECT_EQ(GlobalFree(block), nullptr);

    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GlobalLock(nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(GlobalSize(nullptr), 0u);
    EXPECT_EQ(GlobalFree(nullptr), nullptr);
    EXPECT_EQ(GlobalReAlloc(nullptr, 10, 0), nullptr);

    // A pointer that is no block is refused rather than freed.
    alignas(16) unsigned char notABlock[64] = {};
    EXPECT_EQ(GlobalFree(notABlock + 32), notABlock + 32);
    EXPECT_EQ(GlobalSize(notABlock + 32), 0u);

    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GlobalAlloc(GMEM_FIXED, SIZE_MAX - 4), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
}

TEST(GlobalMem, InjectedFailuresRefuseTheNextAllocationsOnly)
{
    HGLOBAL kept = GlobalAlloc(GPTR, 8);
    ASSERT_NE(kept, nullptr);
    SetGlobalAllocFailures(2);
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GlobalAlloc(GPTR, 8), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(GlobalReAlloc(kept, 16, GMEM_ZEROINIT), nullptr);
    EXPECT_EQ(GlobalSize(kept), 8u);  // the refused block is unchanged
    HGLOBAL after = GlobalAlloc(GPTR, 8);
    EXPECT_NE(after, nullptr);
    GlobalFree(after);
    GlobalFree(kept);
    SetGlobalAllocFailures(0);
}

TEST(GlobalMem, RefusedLocksFailUntilTheMarkIsLifted)
{
    for (UINT flags : {GPTR, GHND}) {
        HGLOBAL block = GlobalAlloc(flags, 8);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(SetGlobalLockRefused(block, true), TRUE);
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(GlobalLock(block), nullptr);
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
        EXPECT_EQ(GlobalSize(block), 8u);
        SetGlobalLockRefused(block, false);
        EXPECT_NE(GlobalLock(block), nullptr);
        GlobalUnlock(block);
        EXPECT_EQ(GlobalFree(block), nullptr);
    }
    alignas(16) unsigned char notABlock[64] = {};
    EXPECT_EQ(SetGlobalLockRefused(notABlock + 32, true), FALSE);
}
