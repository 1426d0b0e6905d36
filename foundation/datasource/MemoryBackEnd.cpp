// A block of memory: a caller's block, read-only or written up to its
// capacity, or a file mapped read-only.
#include "foundation/datasource/DataSource.h"
#include "foundation/datasource/DataSourceBackEnd.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace ZAV {

namespace {

// Where reading a memory block stops: behind the last byte written when the
// block is being written, else at the block's end.
uint64_t MemoryEnd(const CDataSourceState& s)
{
    return s.writeMode ? s.writtenSize : s.size;
}

bool CloseMemory(CDataSourceState&)
{
    // The block belongs to the caller.
    return true;
}

bool CloseMapping(CDataSourceState& s)
{
    UnmapFileView(s.mapping);
    s.base = nullptr;
    s.size = 0;
    s.position = 0;
    return true;
}

size_t ReadMemory(CDataSourceState& s, void* buffer, size_t count)
{
    const uint64_t limit = MemoryEnd(s);
    if (s.position >= limit || !s.base)
        return 0;
    size_t n = static_cast<size_t>(std::min<uint64_t>(count, limit - s.position));
    std::memcpy(buffer, s.base + s.position, n);
    s.position += n;
    return n;
}

bool WriteMemory(CDataSourceState& s, CChunkBuffer&, const void* data, size_t itemSize, size_t count)
{
    const uint64_t bytes = static_cast<uint64_t>(itemSize) * count;
    // The block takes exactly its capacity, no more.
    if (bytes > s.size || s.position > s.size - bytes)
        return false;
    if (bytes > 0)
        std::memcpy(s.base + s.position, data, static_cast<size_t>(bytes));
    s.position += bytes;
    s.writtenSize = std::max(s.writtenSize, s.position);
    return true;
}

// Where a seek would land, or false when the origin is unknown or the
// offset reaches outside the block.
bool SeekTarget(const CDataSourceState& s, int64_t offset, int origin, int64_t& target)
{
    const int64_t size = static_cast<int64_t>(s.size);
    if (origin == SEEK_SET) {
        target = offset;
    } else if (origin == SEEK_CUR) {
        // Compared against -size, never negated: the lowest offset has no negation.
        if (offset > size || offset < -size)
            return false;
        target = static_cast<int64_t>(s.position) + offset;
    } else if (origin == SEEK_END) {
        if (offset > 0)
            return false;
        int64_t end = static_cast<int64_t>(MemoryEnd(s));
        if (offset < -end)
            return false;
        target = end + offset;
    } else {
        return false;
    }
    // Any position from the first byte to just behind the last is valid.
    return target >= 0 && target <= size;
}

bool SeekMemory(CDataSourceState& s, int64_t offset, int origin)
{
    int64_t target = 0;
    if (!SeekTarget(s, offset, origin, target))
        return false;
    s.position = static_cast<uint64_t>(target);
    if (s.writeMode)
        s.writtenSize = std::max(s.writtenSize, s.position);
    return true;
}

uint64_t MemoryPosition(CDataSourceState& s, CChunkBuffer&)
{
    return s.position;
}

uint64_t MemoryLength(CDataSourceState& s, CChunkBuffer&)
{
    return MemoryEnd(s);
}

bool MemoryAtEnd(CDataSourceState& s)
{
    return s.position >= s.size;
}

bool MemoryHasMoreData(CDataSourceState& s)
{
    return s.position < s.size;
}

bool MemoryLengthKnown(const CDataSourceState&)
{
    return true;
}

}  // namespace

const CDataSourceBackEnd kMemoryBackEnd = {CloseMemory, ReadMemory,        WriteMemory,
                                           SeekMemory,  MemoryPosition,    MemoryLength,
                                           MemoryAtEnd, MemoryHasMoreData, MemoryLengthKnown};

const CDataSourceBackEnd kMappedFileBackEnd = {CloseMapping, ReadMemory,        WriteMemory,
                                               SeekMemory,   MemoryPosition,    MemoryLength,
                                               MemoryAtEnd,  MemoryHasMoreData, MemoryLengthKnown};

}  // namespace ZAV
