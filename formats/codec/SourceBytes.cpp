#include "formats/codec/SourceBytes.h"

#include "foundation/datasource/IDataSource.h"

#include <algorithm>

namespace ZAV {

namespace {

// Reads in pieces so that no single request asks the source for more than
// a modest buffer.
constexpr size_t kReadPiece = 1024 * 1024;

}  // namespace

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
