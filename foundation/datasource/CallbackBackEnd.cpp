// A stream of the caller's callbacks; a missing callback makes its
// operation report 0 or false.
#include "foundation/datasource/DataSource.h"
#include "foundation/datasource/DataSourceBackEnd.h"

#include <algorithm>

namespace ZAV {

namespace {

bool CloseCallbacks(CDataSourceState& s)
{
    bool closed = s.callbacks.close ? s.callbacks.close(s.user) : false;
    // Closed once: the callbacks are not called again.
    s.callbacks = CDataSourceCallbacks();
    return closed;
}

size_t ReadCallbacks(CDataSourceState& s, void* buffer, size_t count)
{
    // A callback that claims more than was asked for is held to the count.
    return s.callbacks.read ? std::min(count, s.callbacks.read(buffer, count, s.user)) : 0;
}

bool WriteCallbacks(CDataSourceState& s, CChunkBuffer&, const void* data, size_t itemSize, size_t count)
{
    const uint64_t bytes = static_cast<uint64_t>(itemSize) * count;
    return s.callbacks.write && s.callbacks.write(data, static_cast<size_t>(bytes), s.user) == bytes;
}

bool SeekCallbacks(CDataSourceState& s, int64_t offset, int origin)
{
    return s.callbacks.seek && s.callbacks.seek(offset, origin, s.user);
}

uint64_t Tell(CDataSourceState& s)
{
    return s.callbacks.tell ? s.callbacks.tell(s.user) : 0;
}

uint64_t Length(CDataSourceState& s)
{
    return s.callbacks.length ? s.callbacks.length(s.user) : 0;
}

uint64_t CallbackPosition(CDataSourceState& s, CChunkBuffer&)
{
    return Tell(s);
}

uint64_t CallbackLength(CDataSourceState& s, CChunkBuffer&)
{
    return Length(s);
}

bool CallbacksAtEnd(CDataSourceState& s)
{
    return s.callbacks.isEof && s.callbacks.isEof(s.user);
}

bool CallbacksHaveMoreData(CDataSourceState& s)
{
    return Tell(s) < Length(s);
}

bool CallbackLengthKnown(const CDataSourceState& s)
{
    // Callbacks that cannot tell where they stand give no length to trust.
    return s.callbacks.tell && s.callbacks.length;
}

}  // namespace

const CDataSourceBackEnd kCallbackBackEnd = {CloseCallbacks, ReadCallbacks,         WriteCallbacks,
                                             SeekCallbacks,  CallbackPosition,      CallbackLength,
                                             CallbacksAtEnd, CallbacksHaveMoreData, CallbackLengthKnown};

}  // namespace ZAV
