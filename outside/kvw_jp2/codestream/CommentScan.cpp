#include "outside/kvw_jp2/codestream/CommentScan.h"

#include "outside/kvw_jp2/JP2Limits.h"

namespace KVWJP2 {

namespace {
constexpr uint32_t kMarkerSOC = 0xFF4F;
constexpr uint32_t kMarkerSOT = 0xFF90;
constexpr uint32_t kMarkerCOM = 0xFF64;
}  // namespace

JP2_Error ScanMainHeaderComments(const JP2Source& source, uint64_t codestreamOffset, std::vector<Bytes>& comments)
{
    uint8_t field[4];
    uint64_t offset = codestreamOffset;
    if (!source.ReadExact(offset, field, 2) || ((field[0] << 8) | field[1]) != kMarkerSOC)
        return cJP2_Error_Invalid_Codestream;
    offset += 2;
    // Every main-header marker after SOC has a segment length (T.800 A.1.4); the header ends at SOT.
    for (uint32_t segments = 0; segments < kMaxMainHeaderSegments; ++segments) {
        if (!source.ReadExact(offset, field, 4))
            return cJP2_Error_Invalid_Codestream;
        const uint32_t marker = (field[0] << 8) | field[1];
        const uint32_t length = (field[2] << 8) | field[3];
        if (marker == kMarkerSOT)
            return cJP2_Error_OK;
        if ((marker >> 8) != 0xFF || length < 2)
            return cJP2_Error_Invalid_Codestream;
        if (marker == kMarkerCOM && length >= 4) {
            // Lcom counts itself and Rcom, which are not part of the comment.
            Bytes comment(length - 4);
            if (!source.ReadExact(offset + 6, comment.data(), comment.size()))
                return cJP2_Error_Invalid_Codestream;
            comments.push_back(std::move(comment));
        }
        offset += 2 + uint64_t(length);
    }
    return cJP2_Error_Invalid_Codestream;
}

}  // namespace KVWJP2
