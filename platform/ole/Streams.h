// A stream over a global-memory block, growing the block as it is written.
#pragma once

#include "platform/ole/OleTypes.h"

constexpr DWORD STREAM_SEEK_SET = 0;
constexpr DWORD STREAM_SEEK_CUR = 1;
constexpr DWORD STREAM_SEEK_END = 2;

struct IStream : IUnknown {
    // Reads up to count bytes from the position; *read gets the number.
    virtual HRESULT Read(void* buffer, ULONG count, ULONG* read) = 0;
    virtual HRESULT Write(const void* buffer, ULONG count, ULONG* written) = 0;
    virtual HRESULT Seek(int64_t move, DWORD origin, uint64_t* position) = 0;
};

// A stream over the block (a new moveable one when null), at position 0.
// With deleteOnRelease the block is freed with the stream.
HRESULT CreateStreamOnHGlobal(HGLOBAL block, BOOL deleteOnRelease, IStream** stream);

// The block under a stream made by CreateStreamOnHGlobal.
HRESULT GetHGlobalFromStream(IStream* stream, HGLOBAL* block);
