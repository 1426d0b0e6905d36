#include "jbig2codec/huffman/JB2HuffmanSegment.h"

namespace ZAV {

JB2SegmentHeader* JB2ReferredTablesSegment(JB2SegmentHeader* segment, uint32_t n)
{
    for (uint32_t i = 0; segment && i < segment->referredCount; ++i) {
        JB2SegmentHeader* referred = JB2SegmentGetReferred(segment, i);
        if (!referred || referred->type != cJB2_Segment_Tables)
            continue;
        if (n == 0)
            return referred;
        --n;
    }
    return nullptr;
}

JB2_Error JB2HuffmanTableFromSegment(JB2SegmentHeader* tables, JB2Memory* memory, JB2HuffmanTable** out,
                                     JB2Message* message)
{
    if (!out || !tables)
        return cJB2_Error_Internal;
    *out = nullptr;
    const uint32_t length = JB2SegmentDataLength(tables);
    if (length == 0) {
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Error getting segment data length!");
    }
    // The length is the header's: its last byte must be there before a buffer is sized by it.
    uint8_t last = 0;
    JB2_Error status = JB2SegmentReadU8(tables, length - 1, &last);
    uint8_t* data = nullptr;
    if (status == cJB2_Error_OK) {
        data = JB2MemoryAllocArray<uint8_t>(memory, length);
        if (!data) {
            return JB2Fail(message, cJB2_Error_Allocation_Failure,
                           "Unable to allocate user defined huffman table buffer!");
        }
        status = JB2SegmentReadBytes(tables, 0, length, data);
    }
    if (status != cJB2_Error_OK) {
        JB2MessageError(message, "Unable to read user defined huffman table segment data!");
        if (data)
            JB2MemoryFree(memory, &data);
        return cJB2_Error_Read_Failure;
    }
    status = Huffman_Table_User_Defined(out, memory, data, length, message);
    JB2MemoryFree(memory, &data);
    return status;
}

JB2_Error JB2HuffmanTableSelected(uint32_t standard, JB2SegmentHeader* tables, JB2Memory* memory, JB2HuffmanTable** out,
                                  JB2Message* message)
{
    if (standard == 0)
        return JB2HuffmanTableFromSegment(tables, memory, out, message);
    return Huffman_Table_Standard(out, memory, standard - 1, message);
}

}  // namespace ZAV
