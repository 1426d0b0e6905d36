// One signed integer of a symbol dictionary or text region written with an
// arithmetic integer procedure: the counterpart of JB2IntegerSource.h.
#pragma once

#include <cstdint>

#include "jbig2codec/mq/JB2MQEncoder.h"
#include "jbig2codec/support/JB2Limits.h"

namespace ZAV {

// Values beyond what the procedures code (signed 32 bits) give -22.
inline JB2_Error JB2EncodeInteger(JB2MQEncoder* mq, uint32_t base, int64_t value)
{
    const uint64_t magnitude = value < 0 ? uint64_t(-value) : uint64_t(value);
    if (magnitude > kJB2MaxCodedInteger)
        return cJB2_Error_Not_Yet_Supported;
    return MQ_Encoder_Encode_Integer(mq, base, uint32_t(magnitude), value < 0 ? 1 : 0);
}

// The out-of-band value: sign 1 with magnitude 0.
inline JB2_Error JB2EncodeOOB(JB2MQEncoder* mq, uint32_t base)
{
    return MQ_Encoder_Encode_Integer(mq, base, 0, 1);
}

}  // namespace ZAV
