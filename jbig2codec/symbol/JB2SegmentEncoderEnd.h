// The end the symbol dictionary and text region encoders share: their MQ
// encoder flushes the code into the segment, whose share is given back.
#pragma once

#include "jbig2codec/mq/JB2MQEncoder.h"
#include "jbig2codec/segments/JB2SegmentHeader.h"

namespace ZAV {

// Frees the encoder object too; the status is the flush's.
template <typename Encoder>
JB2_Error JB2SegmentEncoderEnd(Encoder** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    Encoder* e = *holder;
    *holder = nullptr;
    JB2_Error status = e->mq ? MQ_Encoder_End(&e->mq, memory) : cJB2_Error_OK;
    if (e->segment)
        JB2SegmentRelease(&e->segment);
    JB2MemoryFree(memory, &e);
    return status;
}

}  // namespace ZAV
