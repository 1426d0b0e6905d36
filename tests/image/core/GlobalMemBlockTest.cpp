#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "image/core/GlobalMemBlock.h"
#include "platform/LastError.h"
#include "support/ThrownText.h"

using namespace ZAV;
using ZAVTest::ThrownText;

namespace {

// Ends injected failures when a test leaves early.
struct FailureKnob {
    explicit FailureKnob(int count) { SetGlobalAllocFailures(count); }
    ~FailureKnob() { SetGlobalAllocFailures(0); }
};

const std::string kNoMemoryText = GetSystemErrorText(ERROR_NOT_ENOUGH_MEMORY);

TEST(GlobalMemBlock, OwnershipDecidesWhatIsFreed)
{
    HGLOBAL borrowed = GlobalAlloc(GPTR, 4);
    {
        CGlobalMemBlock block;
        block.AttachNotOwned(borrowed);
        EXPECT_FALSE(block.IsOwned());
        EXPECT_EQ(borrowed, block.GetHandle());
        // Attaching another frees nothing borrowed; the new one is owned.
        block.Attach(GlobalAlloc(GPTR, 4));
        EXPECT_TRUE(block.IsOwned());
    }
    EXPECT_EQ(4u, GlobalSize(borrowed));  // still a live block
    GlobalFree(borrowed);

    CGlobalMemBlock empty;
    EXPECT_EQ(nullptr, empty.Detach());
    HGLOBAL handle = empty.Alloc(GPTR, 0);
    EXPECT_NE(nullptr, handle);
    EXPECT_EQ(handle, empty.Detach());
    EXPECT_EQ(nullptr, empty.GetHandle());
    GlobalFree(handle);
}

TEST(GlobalMemBlock, CopyToCopiesBytesAndEmptiesTheTargetFirst)
{
    CGlobalMemBlock source;
    CGlobalMemBlock target;
    target.Alloc(GPTR, 3);
    target.CopyTo(source, GPTR);  // copying into an empty block keeps sizes
    source.Alloc(GPTR, 5);
    std::memcpy(source.GetData<BYTE>(), "abcde", 5);
    source.CopyTo(target, GHND);
    ASSERT_NE(nullptr, target.GetHandle());
    EXPECT_EQ(5u, GlobalSize(target.GetHandle()));
    CGlobalLock lock;
    EXPECT_EQ(0, std::memcmp(lock.Lock(target.GetHandle()), "abcde", 5));
    lock.Unlock();

    CGlobalMemBlock nothing;
    nothing.CopyTo(target, GPTR);
    EXPECT_EQ(nullptr, target.GetHandle());
}

TEST(GlobalMemBlock, RefusedAllocationsThrowTheirTexts)
{
    CGlobalMemBlock block;
    {
        FailureKnob knob(1);
        EXPECT_EQ("Out of memory error allocating 70000 bytes! " + kNoMemoryText,
                  ThrownText([&] { block.Alloc(GPTR, 70000); }));
        EXPECT_EQ(nullptr, block.GetHandle());
    }

    block.Alloc(GPTR, 4);
    std::memcpy(block.GetData<BYTE>(), "keep", 4);
    HGLOBAL old = block.GetHandle();
    {
        FailureKnob knob(1);
        EXPECT_EQ("Out of memory error reallocating 5000000000 bytes! " + kNoMemoryText,
                  ThrownText([&] { block.ReAlloc(GPTR, 5000000000LL); }));
    }
    EXPECT_EQ(old, block.GetHandle());
    EXPECT_EQ(0, std::memcmp(block.GetData<BYTE>(), "keep", 4));

    CGlobalMemBlock target;
    target.Alloc(GPTR, 1);
    {
        FailureKnob knob(1);
        EXPECT_EQ("Out of memory error allocating 4 bytes! " + kNoMemoryText,
                  ThrownText([&] { block.CopyTo(target, GPTR); }));
    }
    EXPECT_EQ(nullptr, target.GetHandle());

    EXPECT_EQ(block.GetHandle(), block.ReAlloc(GMEM_ZEROINIT, 4));
    HGLOBAL grown = block.ReAlloc(GMEM_ZEROINIT, 4096);
    EXPECT_EQ(4096u, GlobalSize(grown));
    EXPECT_EQ(0, std::memcmp(block.GetData<BYTE>(), "keep", 4));
}

TEST(GlobalMemBlock, HandleAndLockHoldersReleaseTheirBlocks)
{
    CGlobalHandle holder;
    holder.Attach(GlobalAlloc(GHND, 8));
    holder.Attach(GlobalAlloc(GHND, 16));  // the first is freed (ASan watches)
    CGlobalLock lock;
    void* bytes = lock.Lock(holder.GetHandle());
    EXPECT_EQ(bytes, lock.GetPointer());
    EXPECT_NE(nullptr, bytes);
    lock.Unlock();
    EXPECT_EQ(nullptr, lock.GetPointer());
    HGLOBAL detached = holder.Detach();
    EXPECT_EQ(nullptr, holder.GetHandle());
    GlobalFree(detached);
}

}  // namespace
