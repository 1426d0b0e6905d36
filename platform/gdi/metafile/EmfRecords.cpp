#include "platform/gdi/metafile/EmfRecords.h"

#include "platform/gdi/metafile/MetaBytes.h"
#include "platform/gdi/metafile/MetafileLimits.h"

namespace ZAV {
namespace Meta {

WalkResult WalkEnhRecords(const uint8_t* data, const ENHMETAHEADER& header,
                          const std::function<bool(const EmfRecord&)>& visit, uint32_t& brokenType)
{
    brokenType = 0;
    size_t offset = header.nSize;
    const size_t end = header.nBytes;
    for (uint32_t count = 1; offset < end; ++count) {
        if (end - offset < kEnhRecordHead) {
            return WalkResult::Broken;
        }
        EmfRecord record{GetDword(data + offset), GetDword(data + offset + 4), data + offset};
        if (record.size < kEnhRecordHead || record.size % 4 != 0 || record.size > end - offset ||
            count >= kMaxMetafileRecords) {
            brokenType = record.type;
            return WalkResult::Broken;
        }
        if (!visit(record))
            return WalkResult::Stopped;
        if (record.type == EMR_EOF)
            return WalkResult::Done;
        offset += record.size;
    }
    // The data ended without EMR_EOF: a cut-short file.
    return WalkResult::Broken;
}

}  // namespace Meta
}  // namespace ZAV
