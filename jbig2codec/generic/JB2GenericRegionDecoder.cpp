#include "jbig2codec/generic/JB2GenericRegionDecoder.h"

#include "jbig2codec/generic/JB2GenericRegionSegment.h"
#include "jbig2codec/segments/JB2SegmentFields.h"

namespace ZAV {

namespace {

// The copy of the coded data is longer than the data, as the MMR decoder wants.
constexpr uint32_t kCodedDataSlack = 7;

}  // namespace

JB2_Error Generic_Region_Decoder_Start(JB2GenericRegionDecoder** out, JB2Memory* memory, JB2SegmentHeader* segment,
                                       JB2Message* message)
{
    if (!out) return cJB2_Error_Internal;
    *out = nullptr;
    if (!JB2GenericRegionIsCoded(segment, message)) return cJB2_Error_Internal;
    auto* d = JB2MemoryNew<JB2GenericRegionDecoder>(memory);
    if (!d) return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate generic region decoder object!");
    uint8_t flags = 0;
    JB2_Error status = JB2GenericRegionReadSize(segment, &flags, &d->width, &d->height, message);
    const bool mmr = flags & 1;
    const uint8_t gbTemplate = (flags >> 1) & 3;
    const uint32_t length = JB2SegmentDataLength(segment);
    uint32_t offset = 0;
    if (status == cJB2_Error_OK && length == 0) {
        status = JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Error getting segment data length!");
    }
    if (status == cJB2_Error_OK) {
        offset = kJB2GenericHeaderFieldsLength + (mmr ? 0 : 2 * JB2GenericATCount(gbTemplate));
        if (offset >= length) {
            status = JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Invalid segment data length!");
        }
    }
    const uint32_t coded = length - offset;
    const uint64_t bufferSize = uint64_t(coded) + kCodedDataSlack;
    if (status == cJB2_Error_OK) {
        // A length from the header is trusted only once its last byte can be read.
        uint8_t last = 0;
        if (JB2SegmentReadU8(segment, length - 1, &last) != cJB2_Error_OK) {
            status = JB2Fail(message, cJB2_Error_Read_Failure, "Unable to read generic region segment data!");
        }
    }
    if (status == cJB2_Error_OK) {
        d->data = JB2MemoryAllocArray<uint8_t>(memory, bufferSize);
        if (!d->data) {
            status =
                JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate generic region decoder buffer!");
        }
    }
    if (status == cJB2_Error_OK) {
        status = JB2SegmentReadBytes(segment, offset, coded, d->data);
        if (status != cJB2_Error_OK) {
            status = JB2Fail(message, cJB2_Error_Read_Failure, "Unable to read generic region segment data!");
        }
    }
    if (status == cJB2_Error_OK && mmr) {
        status = MMR_Decoder_Start(&d->mmr, memory, d->width, d->height, d->data, coded, uint32_t(bufferSize),
                                   message);
    } else if (status == cJB2_Error_OK) {
        d->tpgdon = (flags >> 3) & 1;
        uint8_t nominal = 0;
        int8_t atX[4];
        int8_t atY[4];
        status = JB2GenericHasNominalATPixels(segment, &nominal);
        if (status != cJB2_Error_OK) JB2MessageError(message, "Error checking nominal AT positions!");
        if (status == cJB2_Error_OK) {
            status = JB2GenericGetATPixels(segment, atX, atY);
            if (status != cJB2_Error_OK) JB2MessageError(message, "Error getting AT positions!");
        }
        if (status == cJB2_Error_OK)
            status = MQ_Context_Decoder_Start(&d->mq, memory, d->width, d->height, gbTemplate, nominal, atX, atY,
                                              d->data, coded, message);
    }
    if (status != cJB2_Error_OK) {
        Generic_Region_Decoder_End(&d, memory);
        return status;
    }
    *out = d;
    return cJB2_Error_OK;
}

JB2_Error Generic_Region_Decoder_Line(JB2GenericRegionDecoder* d, uint8_t* line)
{
    if (!d) return cJB2_Error_Internal;
    if (d->mmr) return MMR_Decoder_Line(d->mmr, line);
    if (d->mq) return MQ_Context_Decoder_Line(d->mq, line, d->tpgdon, nullptr);
    return cJB2_Error_Internal;
}

JB2_Error Generic_Region_Decoder_End(JB2GenericRegionDecoder** holder, JB2Memory* memory)
{
    if (!holder || !*holder) return cJB2_Error_Internal;
    JB2GenericRegionDecoder* d = *holder;
    if (d->mmr) MMR_Decoder_End(&d->mmr, memory);
    if (d->mq) MQ_Context_Decoder_End(&d->mq, memory);
    if (d->data) JB2MemoryFree(memory, &d->data);
    *holder = nullptr;
    return JB2MemoryFree(memory, &d);
}

}  // namespace ZAV
