#include "formats/codec/CodecDataSource.h"

#include "foundation/datasource/DataSource.h"

#include <algorithm>

namespace ZAV {

namespace {

// Whole-source reads go in pieces, so no single request asks the source for
// more than a modest buffer.
constexpr size_t kReadPiece = 1024 * 1024;

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

std::vector<uint8_t> ReadSourceBytes(IDataSource& source, size_t limit)
{
    std::vector<uint8_t> bytes;
    while (bytes.size() < limit) {
        size_t count = std::min(kReadPiece, limit - bytes.size());
        const unsigned char* piece = source.ReadAvailable(count);
        if (count == 0 || !piece)
            break;
        bytes.insert(bytes.end(), piece, piece + count);
    }
    return bytes;
}

}  // namespace ZAV
