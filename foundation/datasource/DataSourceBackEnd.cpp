#include "foundation/datasource/DataSourceBackEnd.h"

#include "foundation/datasource/DataSource.h"

namespace ZAV {

namespace {

bool CloseNothing(CDataSourceState&)
{
    return true;
}

size_t ReadNothing(CDataSourceState&, void*, size_t)
{
    return 0;
}

bool WriteNothing(CDataSourceState&, CChunkBuffer&, const void*, size_t, size_t)
{
    return false;
}

bool SeekNowhere(CDataSourceState&, int64_t, int)
{
    return false;
}

uint64_t Zero(CDataSourceState&, CChunkBuffer&)
{
    return 0;
}

bool No(CDataSourceState&)
{
    return false;
}

// Nothing open: position and length are both 0, so nothing remains.
bool NothingRemains(const CDataSourceState&)
{
    return true;
}

}  // namespace

const CDataSourceBackEnd kNoDataSourceBackEnd = {CloseNothing, ReadNothing, WriteNothing, SeekNowhere,   Zero,
                                                 Zero,         No,          No,           NothingRemains};

const CDataSourceBackEnd& DataSourceBackEndFor(int kind)
{
    switch (kind) {
    case eFileIO:
        return kFileBackEnd;
    case eMappedFileIO:
        return kMappedFileBackEnd;
    case eMemoryIO:
        return kMemoryBackEnd;
    case eCallbackIO:
        return kCallbackBackEnd;
    case eBinStreamIO:
        return kBinStreamBackEnd;
    default:
        return kNoDataSourceBackEnd;
    }
}

}  // namespace ZAV
