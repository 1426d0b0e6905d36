#include "jbig2codec/generic/JB2GenericRegionEncoder.h"

#include "jbig2codec/generic/JB2GenericRegionSegment.h"
#include "jbig2codec/segments/JB2SegmentFields.h"

namespace ZAV {

JB2_Error Generic_Region_Encoder_Start(JB2GenericRegionEncoder** out, JB2Memory* memory, JB2SegmentHeader* segment,
                                       JB2Message* message)
{
    if (!out) return cJB2_Error_Internal;
    *out = nullptr;
    if (!JB2GenericRegionIsCoded(segment, message)) return cJB2_Error_Internal;
    auto* e = JB2MemoryNew<JB2GenericRegionEncoder>(memory);
    if (!e) return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate generic region encoder object!");
    uint8_t flags = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    JB2_Error status = JB2GenericRegionReadSize(segment, &flags, &width, &height, message);
    JB2WriteData* output = nullptr;
    if (status == cJB2_Error_OK)
        status = JB2WriteDataCreate(&output, memory, JB2SegmentWriteCallback, segment, message);
    if (status == cJB2_Error_OK) {
        const uint8_t gbTemplate = (flags >> 1) & 3;
        if (flags & 1)
            status = MMR_Encoder_Start(&e->mmr, memory, width, height, kJB2GenericHeaderFieldsLength, output, message);
        else
            status = MQ_Context_Encoder_Start(&e->mq, memory, width, height, gbTemplate,
                                              kJB2GenericHeaderFieldsLength + 2 * JB2GenericATCount(gbTemplate), output,
                                              message);
    }
    // The coders hold their own share of the output.
    if (output) JB2WriteDataRelease(&output, memory);
    if (status != cJB2_Error_OK) {
        Generic_Region_Encoder_End(&e, memory);
        return status;
    }
    *out = e;
    return cJB2_Error_OK;
}

JB2_Error Generic_Region_Encoder_Line(JB2GenericRegionEncoder* e, const uint8_t* line)
{
    if (!e) return cJB2_Error_Internal;
    if (e->mmr) return MMR_Encoder_Line(e->mmr, line);
    if (e->mq) return MQ_Context_Encoder_Line(e->mq, line);
    return cJB2_Error_Internal;
}

JB2_Error Generic_Region_Encoder_End(JB2GenericRegionEncoder** holder, JB2Memory* memory)
{
    if (!holder || !*holder) return cJB2_Error_Internal;
    JB2GenericRegionEncoder* e = *holder;
    JB2_Error status = cJB2_Error_OK;
    if (e->mmr) status = MMR_Encoder_End(&e->mmr, memory);
    if (e->mq) status = MQ_Context_Encoder_End(&e->mq, memory);
    *holder = nullptr;
    JB2MemoryFree(memory, &e);
    return status;
}

}  // namespace ZAV
