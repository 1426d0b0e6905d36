// One integer of a symbol dictionary or text region, from whichever coder
// the segment uses: an arithmetic integer procedure or a Huffman table.
#pragma once

#include <cstdint>

#include "jbig2codec/huffman/JB2HuffmanTable.h"
#include "jbig2codec/mq/JB2MQDecoder.h"

namespace ZAV {

// With a reader the value comes from the table, else from the MQ decoder
// with the procedure at `base`. *oob is 1 for the out-of-band value.
inline JB2_Error JB2DecodeInteger(JB2MQDecoder* mq, uint32_t base, JB2BitReader* reader, const JB2HuffmanTable* table,
                                  int64_t* value, uint8_t* oob)
{
    *value = 0;
    *oob = 0;
    if (reader) {
        int32_t decoded = 0;
        JB2_Error status = Huffman_Decode_Value(reader, table, &decoded, oob);
        *value = decoded;
        return status;
    }
    uint8_t sign = 0;
    uint32_t magnitude = 0;
    JB2_Error status = MQ_Decoder_Decode_Integer(mq, base, &sign, &magnitude);
    *oob = sign && magnitude == 0;
    *value = sign ? -int64_t(magnitude) : int64_t(magnitude);
    return status;
}

}  // namespace ZAV
