// Windows global memory over the C heap. Pixel blocks, palettes and DIBs
// cross between the program and its plug-ins, so every module must read a
// handle the same way: each block carries a small header (magic, flags,
// size, lock count) in front, and all storage comes from malloc/free, which
// the program and the plug-ins share.
//
// A fixed block's handle is the address of its bytes. A moveable block's
// handle is a separate record that points to its bytes, so the bytes may
// move on GlobalReAlloc while the handle stays.
#pragma once

#include "platform/WinTypes.h"

#include <cstddef>

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// A block of bytes; null (last error ERROR_NOT_ENOUGH_MEMORY) when the heap
// refuses. With GMEM_ZEROINIT the bytes are zero.
HGLOBAL GlobalAlloc(UINT flags, size_t bytes);

// Resizes a block, keeping its bytes up to the smaller size; with
// GMEM_ZEROINIT the added bytes are zero. A fixed block may move: use the
// returned handle. On failure null comes back and the block is unchanged.
HGLOBAL GlobalReAlloc(HGLOBAL handle, size_t bytes, UINT flags);

// The address of the block's bytes; counts a lock on a moveable block.
void* GlobalLock(HGLOBAL handle);

// Drops one lock; TRUE while the block is still locked.
BOOL GlobalUnlock(HGLOBAL handle);

// The size asked for; 0 for a null or unknown handle.
size_t GlobalSize(HGLOBAL handle);

// Null on success; the handle itself when it is not a block.
HGLOBAL GlobalFree(HGLOBAL handle);

// For tests of out-of-memory paths: the next count calls of GlobalAlloc and
// GlobalReAlloc fail as a refusing heap would (null, last error
// ERROR_NOT_ENOUGH_MEMORY), without asking for gigabytes. 0 ends it.
void SetGlobalAllocFailures(int count);

// For tests of lock failures: while refused, GlobalLock of this block fails
// (null, last error ERROR_INVALID_HANDLE) in every module, since the mark
// travels in the block itself. Returns FALSE when the handle is no block.
BOOL SetGlobalLockRefused(HGLOBAL handle, bool refused);
