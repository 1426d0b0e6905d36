// A tiny shared library for the loader tests. It carries its own copy of the
// platform layer, as a plug-in does, so blocks can cross in both directions.
#include "platform/GlobalMem.h"

#include <cstring>

extern "C" int ZAVProbeAnswer()
{
    return 42;
}

extern "C" HGLOBAL ZAVProbeMakeBlock(size_t bytes, unsigned char fill)
{
    HGLOBAL block = GlobalAlloc(GHND, bytes);
    if (!block)
        return nullptr;
    std::memset(GlobalLock(block), fill, bytes);
    GlobalUnlock(block);
    return block;
}

extern "C" size_t ZAVProbeBlockSize(HGLOBAL block)
{
    return GlobalSize(block);
}

extern "C" int ZAVProbeFreeBlock(HGLOBAL block)
{
    return GlobalFree(block) == nullptr;
}
