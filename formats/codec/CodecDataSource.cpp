#include "formats/codec/CodecDataSource.h"

#include "foundation/datasource/DataSource.h"

namespace ZAV {

namespace {

CDataSource* AsDataSource(IDataSource* source)
{
    return dynamic_cast<CDataSource*>(source);
}

// Files, mapped files and memory blocks know where they end; callbacks
// and output buffers give no length a reader may trust.
bool HasTrustedLength(CDataSource& source)
{
    const int kind = source.GetKind();
    return kind == eFileIO || kind == eMappedFileIO || kind == eMemoryIO;
}

}  // namespace

uint64_t GetSourceLength(IDataSource* source, uint64_t fallback)
{
    CDataSource* data = AsDataSource(source);
    return data ? data->GetLength() : fallback;
}

bool GetSourceRemaining(IDataSource* source, uint64_t& remaining)
{
    CDataSource* data = AsDataSource(source);
    if (!data || !HasTrustedLength(*data))
        return false;
    const uint64_t length = data->GetLength();
    const uint64_t position = data->GetPosition();
    remaining = position < length ? length - position : 0;
    return true;
}

void ReportSourceProgress(IDataSource* source, double fraction)
{
    if (CDataSource* data = AsDataSource(source))
        data->NotifyProgress(fraction);
}

}  // namespace ZAV
