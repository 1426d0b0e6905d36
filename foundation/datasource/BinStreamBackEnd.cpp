// The growing output-only buffer: it takes writes and tells its size, and
// refuses to read or move.
#include "foundation/containers/ChunkBuffer.h"
#include "foundation/datasource/DataSource.h"
#include "foundation/datasource/DataSourceBackEnd.h"
#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

bool CloseBinStream(CDataSourceState&)
{
    // The buffer stays with its data source, readable after the close.
    return true;
}

size_t ReadBinStream(CDataSourceState&, void*, size_t)
{
    ThrowTextException("Reading from eBinStreamIO not supported!");
}

bool WriteBinStream(CDataSourceState&, CChunkBuffer& chunks, const void* data, size_t itemSize, size_t count)
{
    chunks.Append(data, itemSize * count);
    return true;
}

bool SeekBinStream(CDataSourceState&, int64_t, int)
{
    ThrowTextException("Seeking from eBinStreamIO not supported!");
}

uint64_t BinStreamSize(CDataSourceState&, CChunkBuffer& chunks)
{
    return chunks.GetSize();
}

bool BinStreamAtEnd(CDataSourceState&)
{
    return false;
}

bool BinStreamHasMoreData(CDataSourceState&)
{
    ThrowTextException("HasMoreData from eBinStreamIO not supported!");
}

bool BinStreamLengthKnown(const CDataSourceState&)
{
    // Nothing can be read, so no read is bounded by it.
    return false;
}

}  // namespace

const CDataSourceBackEnd kBinStreamBackEnd = {CloseBinStream, ReadBinStream,        WriteBinStream,
                                              SeekBinStream,  BinStreamSize,        BinStreamSize,
                                              BinStreamAtEnd, BinStreamHasMoreData, BinStreamLengthKnown};

}  // namespace ZAV
