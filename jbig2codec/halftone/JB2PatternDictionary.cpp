#include "jbig2codec/halftone/JB2PatternDictionary.h"

#include "jbig2codec/generic/JB2ContextBuffer.h"
#include "jbig2codec/generic/JB2MQContextDecoder.h"
#include "jbig2codec/mmr/JB2MMRDecoder.h"
#include "jbig2codec/render/JB2BitmapOps.h"
#include "jbig2codec/segments/JB2SegmentFields.h"
#include "jbig2codec/support/JB2Limits.h"

namespace ZAV {

namespace {

// Flags, HDPW, HDPH and GRAYMAX.
constexpr uint32_t kHeaderLength = 7;
// Spare bytes behind each collective row, for the row extraction.
constexpr uint32_t kRowSpare = 4;

JB2_Error Release(void** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    auto* d = static_cast<JB2PatternDictionary*>(*holder);
    *holder = nullptr;
    if (d->bitmap)
        JB2MemoryFree(memory, &d->bitmap);
    return JB2MemoryFree(memory, &d);
}

// The dictionary's size from its fields, checked before any buffer is sized by it.
JB2_Error ReadSize(JB2SegmentHeader* segment, JB2PatternDictionary* d, uint8_t* flags, JB2Message* message)
{
    uint32_t grayMax = 0;
    if (JB2PatternGetFlags(segment, flags) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Error getting pattern dictionary segment flags!");
    if (JB2PatternGetWidth(segment, &d->width) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Error getting pattern dictionary width!");
    if (JB2PatternGetHeight(segment, &d->height) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Error getting pattern dictionary height!");
    if (JB2PatternGetGrayMax(segment, &grayMax) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Error getting pattern dictionary gray max field!");
    // The A1 pixel (-HDPW, 0) must lie within the line buffers' 128-pixel margin.
    if (d->width == 0 || d->width > kJB2MaxPatternWidth)
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Invalid pattern width of %ld in pattern dictionary!",
                       static_cast<long>(d->width));
    if (d->height == 0)
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Unable to allocate pattern dictionary buffer!");
    // GRAYMAX + 1 and the collective width in 64 bits: 0xFFFFFFFF + 1 must not wrap.
    const uint64_t patterns = uint64_t(grayMax) + 1;
    const uint64_t width = patterns * d->width;
    if (width > kJB2MaxRegionWidth)
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Too many patterns in pattern dictionary!");
    d->patterns = uint32_t(patterns);
    d->stride = uint32_t((width + 7) / 8 + kRowSpare);
    return JB2GenericCheckSize(uint32_t(width), d->height, message);
}

JB2_Error DecodeRows(JB2SegmentHeader* segment, JB2PatternDictionary* d, uint8_t flags, uint8_t* data, uint32_t length,
                     JB2Memory* memory, JB2Message* message)
{
    const uint32_t width = d->patterns * d->width;
    JB2MMRDecoder* mmr = nullptr;
    JB2MQContextDecoder* mq = nullptr;
    JB2_Error status = (flags & 1) ? MMR_Decoder_Start(&mmr, memory, width, d->height, data, length,
                                                       length + kJB2CodedDataSlack, message)
                                   : MQ_Context_Decoder_Start(&mq, memory, width, d->height, (flags >> 1) & 3, 1,
                                                              nullptr, nullptr, data, length, message);
    // T.88 6.7.5: A1 at (-HDPW, 0), the other AT pixels nominal, no typical prediction.
    for (uint32_t y = 0; status == cJB2_Error_OK && y < d->height; ++y) {
        uint8_t* row = d->bitmap + uint64_t(y) * d->stride;
        status = mmr ? MMR_Decoder_Line(mmr, row) : MQ_Context_Decoder_Line_Current_AT(mq, row, -int32_t(d->width));
    }
    if (mmr)
        MMR_Decoder_End(&mmr, memory);
    if (mq)
        MQ_Context_Decoder_End(&mq, memory);
    (void)segment;
    return status == cJB2_Error_OK ? status : JB2Fail(message, status, "Unable to decode pattern dictionary!");
}

JB2_Error Decode(JB2SegmentHeader* segment, JB2PatternDictionary* d, JB2Memory* memory, JB2Message* message)
{
    uint8_t flags = 0;
    JB2_Error status = ReadSize(segment, d, &flags, message);
    if (status != cJB2_Error_OK)
        return status;
    const uint32_t total = JB2SegmentDataLength(segment);
    if (total == 0)
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Error getting segment data length!");
    if (total <= kHeaderLength)
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Invalid segment data length!");
    const uint32_t length = total - kHeaderLength;
    uint8_t last = 0;
    if (JB2SegmentReadU8(segment, total - 1, &last) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Unable to read pattern dictionary segment data!");
    d->bitmap = JB2MemoryAllocArray<uint8_t>(memory, uint64_t(d->stride) * d->height);
    uint8_t* data = JB2MemoryAllocArray<uint8_t>(memory, uint64_t(length) + kJB2CodedDataSlack);
    if (!d->bitmap || !data) {
        if (data)
            JB2MemoryFree(memory, &data);
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate pattern dictionary decoder buffer!");
    }
    status = JB2SegmentReadBytes(segment, kHeaderLength, length, data);
    if (status != cJB2_Error_OK)
        status = JB2Fail(message, cJB2_Error_Read_Failure, "Unable to read pattern dictionary segment data!");
    if (status == cJB2_Error_OK)
        status = DecodeRows(segment, d, flags, data, length, memory, message);
    JB2MemoryFree(memory, &data);
    return status;
}

}  // namespace

JB2_Error JB2PatternDictionaryOf(JB2SegmentHeader* segment, JB2Memory* memory, JB2Message* message,
                                 JB2PatternDictionary** out)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = nullptr;
    if (!segment || segment->type != cJB2_Segment_Pattern_Dictionary)
        return cJB2_Error_Internal;
    if (segment->typeObject) {
        *out = static_cast<JB2PatternDictionary*>(segment->typeObject);
        return cJB2_Error_OK;
    }
    auto* d = JB2MemoryNew<JB2PatternDictionary>(memory);
    if (!d)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate pattern dictionary object!");
    JB2_Error status = Decode(segment, d, memory, message);
    if (status != cJB2_Error_OK) {
        void* object = d;
        Release(&object, memory);
        return status;
    }
    segment->typeObject = d;
    segment->typeObjectRelease = Release;
    *out = d;
    return cJB2_Error_OK;
}

JB2_Error JB2PatternDictionaryRow(const JB2PatternDictionary* d, uint32_t g, uint32_t y, uint8_t* out)
{
    if (!d || !out || g >= d->patterns || y >= d->height)
        return cJB2_Error_Internal;
    JB2RowExtract(d->bitmap + uint64_t(y) * d->stride, uint64_t(g) * d->width, out, d->width);
    return cJB2_Error_OK;
}

}  // namespace ZAV
