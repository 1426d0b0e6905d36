#include "formats/pdf/PDFPngChunks.h"

#include <cstdint>

#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "formats/pdf/PDFCodes.h"

namespace ZAV {

namespace {

constexpr int64_t kPngSignatureSize = 8;
constexpr int64_t kChunkCrcSize = 4;
constexpr uint32_t kChunkIdat = 0x49444154;
constexpr uint32_t kChunkIend = 0x49454E44;

enum class IdatState { NotSeen, Inside, After };

uint32_t BigEndian(const unsigned char* bytes)
{
    return (static_cast<uint32_t>(bytes[0]) << 24) | (static_cast<uint32_t>(bytes[1]) << 16) |
           (static_cast<uint32_t>(bytes[2]) << 8) | bytes[3];
}

// Moves ahead, refusing any move past the end of the file.
void SkipBytes(CDataSource& file, int64_t count)
{
    const uint64_t target = file.GetPosition() + static_cast<uint64_t>(count);
    if (target > file.GetLength() || !file.Seek(count, 1))
        ThrowTextException("Seek in PNG file failed!");
}

bool ReadChunkHead(CDataSource& file, uint32_t& length, uint32_t& type)
{
    unsigned char head[8];
    if (file.Read(head, sizeof(head)) != sizeof(head))
        return false;
    length = BigEndian(head);
    type = BigEndian(head + 4);
    return true;
}

void CopyChunkData(CDataSource& file, IDataSource& target, uint32_t length)
{
    if (file.GetPosition() + length > file.GetLength())
        ThrowTextException("Seek in PNG file failed!");
    unsigned char buffer[65536];
    for (uint32_t left = length; left > 0;) {
        const size_t n = left < sizeof(buffer) ? left : sizeof(buffer);
        if (file.Read(buffer, n) != n)
            ThrowTextException("Seek in PNG file failed!");
        WritePdfBytes(target, buffer, n);
        left -= static_cast<uint32_t>(n);
    }
}

}  // namespace

void CopyPngIdatData(CDataSource& file, IDataSource& target)
{
    if (!file.Seek(kPngSignatureSize, 0))
        ThrowTextException("Seek in PNG file failed!");
    IdatState state = IdatState::NotSeen;
    uint32_t length = 0, type = 0;
    while (ReadChunkHead(file, length, type) && type != kChunkIend) {
        if (type == kChunkIdat) {
            if (state == IdatState::After)
                ThrowTextException("PNG IDAT chunk sequence broken");
            CopyChunkData(file, target, length);
            state = IdatState::Inside;
            SkipBytes(file, kChunkCrcSize);
            continue;
        }
        if (state == IdatState::Inside)
            state = IdatState::After;
        SkipBytes(file, static_cast<int64_t>(length) + kChunkCrcSize);
    }
}

}  // namespace ZAV
