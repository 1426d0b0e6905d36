#include "jbig2codec/generic/JB2GenericRegionDecoder.h"

#include "jbig2codec/generic/JB2GenericRegionSegment.h"
#include "jbig2codec/segments/JB2SegmentFields.h"

namespace ZAV {

namespace {

// The copy of the coded data is longer than the data, as the MMR decoder wants.
constexpr uint32_t kCodedDataSlack = 7;

// The generic region segment data header flags, T.88 7.4.6.2.
struct GenericFlags {
    bool mmr;
    uint8_t gbTemplate;
    uint8_t tpgdon;
};

GenericFlags SplitFlags(uint8_t flags)
{
    return GenericFlags{(flags & 1) != 0, static_cast<uint8_t>((flags >> 1) & 3),
                        static_cast<uint8_t>((flags >> 3) & 1)};
}

// Where the coded data starts: after the region information, the flags and,
// for arithmetic coding, the AT pixels (T.88 7.4.6.1).
JB2_Error CodedDataOffset(JB2SegmentHeader* segment, const GenericFlags& flags, uint32_t* offset,
                          JB2Message* message)
{
    const uint32_t length = JB2SegmentDataLength(segment);
    if (length == 0)
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Error getting segment data length!");
    *offset = kJB2GenericHeaderFieldsLength + (flags.mmr ? 0 : 2 * JB2GenericATCount(flags.gbTemplate));
    if (*offset >= length)
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Invalid segment data length!");
    // A length from the header is trusted only once its last byte can be read.
    uint8_t last = 0;
    if (JB2SegmentReadU8(segment, length - 1, &last) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Unable to read generic region segment data!");
    return cJB2_Error_OK;
}

// The decoder's own copy of the coded data, kCodedDataSlack bytes longer.
JB2_Error CopyCodedData(JB2GenericRegionDecoder* d, JB2Memory* memory, JB2SegmentHeader* segment,
                        uint32_t offset, JB2Message* message)
{
    d->codedLength = JB2SegmentDataLength(segment) - offset;
    d->data = JB2MemoryAllocArray<uint8_t>(memory, uint64_t(d->codedLength) + kCodedDataSlack);
    if (!d->data)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate generic region decoder buffer!");
    if (JB2SegmentReadBytes(segment, offset, d->codedLength, d->data) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Unable to read generic region segment data!");
    return cJB2_Error_OK;
}

// T.88 6.2.5: the arithmetic decoder with the segment's GBTEMPLATE and AT pixels.
JB2_Error StartArithmetic(JB2GenericRegionDecoder* d, JB2Memory* memory, JB2SegmentHeader* segment,
                          uint8_t gbTemplate, JB2Message* message)
{
    uint8_t nominal = 0;
    int8_t atX[4];
    int8_t atY[4];
    if (JB2_Error status = JB2GenericHasNominalATPixels(segment, &nominal))
        return JB2Fail(message, status, "Error checking nominal AT positions!");
    if (JB2_Error status = JB2GenericGetATPixels(segment, atX, atY))
        return JB2Fail(message, status, "Error getting AT positions!");
    return MQ_Context_Decoder_Start(&d->mq, memory, d->gbw, d->gbh, gbTemplate, nominal, atX, atY, d->data,
                                    d->codedLength, message);
}

}  // namespace

JB2_Error Generic_Region_Decoder_Start(JB2GenericRegionDecoder** out, JB2Memory* memory, JB2SegmentHeader* segment,
                                       JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = nullptr;
    // -500, not -22, on purpose: the renderer asks the support test first, so
    // a segment of another type here is a caller's mistake, not the file's.
    if (!JB2GenericRegionIsCoded(segment, message))
        return cJB2_Error_Internal;
    auto* d = JB2MemoryNew<JB2GenericRegionDecoder>(memory);
    if (!d)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate generic region decoder object!");
    uint8_t flagsByte = 0;
    uint32_t offset = 0;
    JB2_Error status = JB2GenericRegionReadSize(segment, &flagsByte, &d->gbw, &d->gbh, message);
    const GenericFlags flags = SplitFlags(flagsByte);
    d->tpgdon = flags.tpgdon;
    if (status == cJB2_Error_OK)
        status = CodedDataOffset(segment, flags, &offset, message);
    if (status == cJB2_Error_OK)
        status = CopyCodedData(d, memory, segment, offset, message);
    // T.88 6.2.6: MMR data is decoded as T.6 data.
    if (status == cJB2_Error_OK && flags.mmr)
        status = MMR_Decoder_Start(&d->mmr, memory, d->gbw, d->gbh, d->data, d->codedLength,
                                   d->codedLength + kCodedDataSlack, message);
    else if (status == cJB2_Error_OK)
        status = StartArithmetic(d, memory, segment, flags.gbTemplate, message);
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
