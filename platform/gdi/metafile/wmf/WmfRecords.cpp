#include "platform/gdi/metafile/wmf/WmfRecords.h"

#include "platform/gdi/metafile/MetaBytes.h"
#include "platform/gdi/metafile/MetafileLimits.h"

namespace ZAV {
namespace Meta {

namespace {

constexpr uint16_t kVersion1 = 0x0100;
constexpr uint16_t kVersion3 = 0x0300;

}  // namespace

bool ReadWmfHeader(const uint8_t* data, size_t size, WmfHeader& header)
{
    if (!data || size < kWmfHeaderBytes)
        return false;
    header.type = GetWord(data);
    header.version = GetWord(data + 4);
    // Size is a 32-bit count of words stored as two 16-bit halves, low first.
    const uint64_t words = GetWord(data + 6) | (uint64_t(GetWord(data + 8)) << 16);
    header.bytes = static_cast<size_t>(words * 2);
    return (header.type == 1 || header.type == 2) && GetWord(data + 2) == kWmfHeaderWords &&
           (header.version == kVersion1 || header.version == kVersion3) && words * 2 >= kWmfHeaderBytes &&
           words * 2 <= size;
}

WmfWalk WalkWmfRecords(const uint8_t* data, const WmfHeader& header, const std::function<bool(const WmfRecord&)>& visit)
{
    size_t offset = kWmfHeaderBytes;
    const size_t end = header.bytes;
    for (uint32_t count = 0; end - offset >= kWmfRecordHeadWords * 2; ++count) {
        const uint64_t bytes = uint64_t(GetDword(data + offset)) * 2;
        const uint16_t function = GetWord(data + offset + 4);
        if (bytes < kWmfRecordHeadWords * 2 || bytes > end - offset || count >= kMaxMetafileRecords)
            return WmfWalk::Broken;
        if (function == META_EOF)
            return WmfWalk::Done;
        const WmfRecord record{function, data + offset + 6, static_cast<size_t>(bytes) - 6};
        if (!visit(record))
            return WmfWalk::Stopped;
        offset += static_cast<size_t>(bytes);
    }
    return WmfWalk::Broken;  // no META_EOF before the data ends
}

}  // namespace Meta
}  // namespace ZAV
