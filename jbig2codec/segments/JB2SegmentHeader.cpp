#include "jbig2codec/segments/JB2SegmentHeader.h"

#include <cstdio>

#include "jbig2codec/support/JB2Counted.h"
#include "jbig2codec/support/JB2Limits.h"
#include "jbig2codec/segments/JB2SegmentArray.h"

namespace ZAV {

namespace {

struct TypeName {
    uint8_t type;
    const char* name;
};

const TypeName kTypeNames[] = {
    {cJB2_Segment_Symbol_Dictionary, "Symbol dictionary"},
    {cJB2_Segment_Intermediate_Text_Region, "Intermediate text region"},
    {cJB2_Segment_Immediate_Text_Region, "Immediate text region"},
    {cJB2_Segment_Immediate_Lossless_Text_Region, "Immediate lossless text region"},
    {cJB2_Segment_Pattern_Dictionary, "Pattern dictionary"},
    {cJB2_Segment_Intermediate_Halftone_Region, "Intermediate halftone region"},
    {cJB2_Segment_Immediate_Halftone_Region, "Immediate halftone region"},
    {cJB2_Segment_Immediate_Lossless_Halftone_Region, "Immediate lossless halftone region"},
    {cJB2_Segment_Intermediate_Generic_Region, "Intermediate generic region"},
    {cJB2_Segment_Immediate_Generic_Region, "Immediate generic region"},
    {cJB2_Segment_Immediate_Lossless_Generic_Region, "Immediate lossless generic region"},
    {cJB2_Segment_Intermediate_Refinement_Region, "Intermediate generic refinement region"},
    {cJB2_Segment_Immediate_Refinement_Region, "Immediate generic refinement region"},
    {cJB2_Segment_Immediate_Lossless_Refinement_Region, "Immediate lossless generic refinement region"},
    {cJB2_Segment_Page_Information, "Page information"},
    {cJB2_Segment_End_Of_Page, "End of page"},
    {cJB2_Segment_End_Of_Stripe, "End of stripe"},
    {cJB2_Segment_End_Of_File, "End of file"},
    {cJB2_Segment_Profiles, "Profiles"},
    {cJB2_Segment_Tables, "Tables"},
    {cJB2_Segment_Extension, "Extension"},
};

// Bytes of one referred-to segment number, by the referring segment's number.
uint32_t ReferredNumberWidth(uint32_t number)
{
    if (number <= 256)
        return 1;
    if (number <= 65536)
        return 2;
    return 4;
}

// Without the block allocation, so that reading can start before the type
// is known.
JB2_Error Allocate(JB2SegmentHeader** out, JB2Memory* memory, JB2Message* message)
{
    *out = nullptr;
    auto* segment = JB2MemoryNew<JB2SegmentHeader>(memory);
    if (!segment) return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate segment header object!");
    segment->type = cJB2_Segment_Type_Unset;
    segment->references = 1;
    segment->memory = memory;
    JB2_Error status = JB2LocationCreate(&segment->dataLocation, memory, 0, 0, message);
    if (status != cJB2_Error_OK) {
        JB2MemoryFree(memory, &segment);
        return status;
    }
    *out = segment;
    return cJB2_Error_OK;
}

void FreeReferredArrays(JB2SegmentHeader* segment)
{
    if (segment->referredRetainBits)
        JB2MemoryFree(segment->memory, &segment->referredRetainBits);
    if (segment->referredNumbers)
        JB2MemoryFree(segment->memory, &segment->referredNumbers);
    if (segment->referredSegments)
        JB2MemoryFree(segment->memory, &segment->referredSegments);
    segment->referredCount = 0;
}

// Fails the header read: releases the segment, passes the status on.
JB2_Error Fail(JB2SegmentHeader** segment, JB2_Error status)
{
    JB2SegmentRelease(segment);
    return status;
}

}  // namespace

bool JB2SegmentTypeIsKnown(uint32_t type)
{
    for (const auto& entry : kTypeNames)
        if (entry.type == type)
            return true;
    return false;
}

const char* JB2SegmentTypeName(uint32_t type)
{
    for (const auto& entry : kTypeNames)
        if (entry.type == type)
            return entry.name;
    return "Unknown";
}

JB2_Error JB2SegmentTypeNameFormat(uint32_t type, char* buffer, uint32_t size)
{
    if (!buffer || size == 0)
        return cJB2_Error_Invalid_Pointer;
    std::snprintf(buffer, size, "%.255s", JB2SegmentTypeName(type));
    return cJB2_Error_OK;
}

bool JB2SegmentTypeIsTextRegion(uint32_t type)
{
    return type == cJB2_Segment_Intermediate_Text_Region || type == cJB2_Segment_Immediate_Text_Region ||
           type == cJB2_Segment_Immediate_Lossless_Text_Region;
}

bool JB2SegmentTypeIsHalftoneRegion(uint32_t type)
{
    return type == cJB2_Segment_Intermediate_Halftone_Region || type == cJB2_Segment_Immediate_Halftone_Region ||
           type == cJB2_Segment_Immediate_Lossless_Halftone_Region;
}

bool JB2SegmentTypeIsGenericRegion(uint32_t type)
{
    // Refinement regions carry the generic region's information field too.
    return JB2SegmentTypeIsPlainGenericRegion(type) || JB2SegmentTypeIsRefinementRegion(type);
}

bool JB2SegmentTypeIsPlainGenericRegion(uint32_t type)
{
    return type == cJB2_Segment_Intermediate_Generic_Region || type == cJB2_Segment_Immediate_Generic_Region ||
           type == cJB2_Segment_Immediate_Lossless_Generic_Region;
}

bool JB2SegmentTypeIsRefinementRegion(uint32_t type)
{
    return type == cJB2_Segment_Intermediate_Refinement_Region || type == cJB2_Segment_Immediate_Refinement_Region ||
           type == cJB2_Segment_Immediate_Lossless_Refinement_Region;
}

bool JB2SegmentTypeIsRegion(uint32_t type)
{
    return JB2SegmentTypeIsTextRegion(type) || JB2SegmentTypeIsHalftoneRegion(type) ||
           JB2SegmentTypeIsGenericRegion(type);
}

JB2_Error JB2SegmentCreate(JB2SegmentHeader** out, JB2Memory* memory, uint32_t number, uint32_t type,
                           JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = nullptr;
    if (!JB2SegmentTypeIsKnown(type))
        return cJB2_Error_Internal;
    JB2SegmentHeader* segment = nullptr;
    JB2_Error status = Allocate(&segment, memory, message);
    if (status != cJB2_Error_OK)
        return status;
    segment->number = number;
    segment->type = static_cast<uint8_t>(type);
    status = JB2CacheCreate(&segment->data, memory, segment->dataLocation, nullptr, cJB2_Cache_Memory_Blocks,
                            kJB2DefaultCacheBlockSize, nullptr, message);
    if (status != cJB2_Error_OK)
        return Fail(&segment, status);
    *out = segment;
    return cJB2_Error_OK;
}

void JB2SegmentAddReference(JB2SegmentHeader* segment)
{
    JB2CountedAddReference(segment);
}

JB2_Error JB2SegmentRelease(JB2SegmentHeader** holder)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2SegmentHeader* segment = *holder;
    *holder = nullptr;
    if (segment->references > 1) {
        --segment->references;
        return cJB2_Error_OK;
    }
    JB2Memory* memory = segment->memory;
    JB2_Error status = cJB2_Error_OK;
    if (segment->data)
        JB2CacheRelease(&segment->data, memory);
    if (segment->dataLocation)
        JB2LocationRelease(&segment->dataLocation, memory);
    FreeReferredArrays(segment);
    if (segment->typeObject && segment->typeObjectRelease)
        status = segment->typeObjectRelease(&segment->typeObject, memory);
    JB2_Error freed = JB2MemoryFree(memory, &segment);
    return status != cJB2_Error_OK ? status : freed;
}

namespace {

// The header fields in order from the source; offsets in 64 bits, so that a
// header near the end of a 4 GB source cannot wrap.
struct HeaderReader {
    JB2ReadData* readData;
    uint64_t position;
    JB2Message* message;

    bool Read(uint8_t* buffer, uint32_t count)
    {
        if (position + count > UINT32_MAX + 1ull)
            return false;
        if (JB2ReadDataRead(readData, buffer, static_cast<uint32_t>(position), count) != count)
            return false;
        position += count;
        return true;
    }
};

constexpr uint8_t kTypeMask = 0x3F;
constexpr uint32_t kLongCountForm = 7;
// T.88 7.2.7: the data length of a striped region not known in advance.
constexpr uint32_t kJB2UnknownDataLength = 0xFFFFFFFFu;

// T.88 7.2.2: a short read here means the end of the data; no message.
JB2_Error ReadNumber(HeaderReader& reader, JB2SegmentHeader* segment)
{
    uint8_t bytes[4];
    if (!reader.Read(bytes, 4))
        return cJB2_Error_Read_Failure;
    segment->number = JB2GetU32(bytes);
    JB2MessageInfo(reader.message, "Segment number           :  %lld", static_cast<long long>(segment->number));
    return cJB2_Error_OK;
}

// T.88 7.2.3. An unknown type is read on: the caller skips the segment.
JB2_Error ReadFlags(HeaderReader& reader, JB2SegmentHeader* segment)
{
    uint8_t flags = 0;
    if (!reader.Read(&flags, 1)) {
        return JB2Fail(reader.message, cJB2_Error_Read_Failure,
                       "Invalid segment header - unable to read segment header flags!");
    }
    segment->deferredNonRetain = (flags >> 7) & 1;
    segment->pageAssociationIs4Bytes = (flags >> 6) & 1;
    segment->type = flags & kTypeMask;
    if (!JB2SegmentTypeIsKnown(segment->type)) {
        JB2MessageSend(reader.message, cJB2_Message_Warning, "Skipping segment         :  %lld",
                       static_cast<long long>(segment->number));
        JB2MessageSend(reader.message, cJB2_Message_Warning, "Unknown segment type     :  %lld",
                       static_cast<long long>(segment->type));
        JB2MessageEnd(reader.message, cJB2_Message_Warning);
    }
    JB2MessageInfo(reader.message, "Segment type             :  %lld (%s)", static_cast<long long>(segment->type),
                   JB2SegmentTypeName(segment->type));
    return cJB2_Error_OK;
}

// T.88 7.2.4, long form: a 29-bit count from the file. Before anything is
// sized by it, the rest of this header must be there and the count sane.
JB2_Error ReadLongReferredCount(HeaderReader& reader, const JB2SegmentHeader* segment, uint8_t first,
                                uint32_t* count, uint8_t* retention)
{
    JB2MessageInfo(reader.message, "(Long format for referred-to segment count and retention flags)");
    uint8_t bytes[3];
    if (!reader.Read(bytes, 3)) {
        return JB2Fail(reader.message, cJB2_Error_Invalid_File,
                       "Invalid segment header - invalid read count and retention flags!");
    }
    *count = (static_cast<uint32_t>(first & 0x1F) << 24) | (static_cast<uint32_t>(bytes[0]) << 16) |
             (static_cast<uint32_t>(bytes[1]) << 8) | bytes[2];
    const uint64_t rest = (static_cast<uint64_t>(*count) + 1 + 7) / 8 +
                          static_cast<uint64_t>(*count) * ReferredNumberWidth(segment->number) +
                          (segment->pageAssociationIs4Bytes ? 4 : 1) + 4;
    uint8_t probe = 0;
    if (*count > kJB2MaxReferredToSegments || reader.position + rest > UINT32_MAX + 1ull ||
        JB2ReadDataRead(reader.readData, &probe, static_cast<uint32_t>(reader.position + rest - 1), 1) != 1) {
        return JB2Fail(reader.message, cJB2_Error_Read_Failure,
                       "Invalid segment header - unable to read referred-to segment number!");
    }
    if (!reader.Read(retention, 1)) {
        return JB2Fail(reader.message, cJB2_Error_Read_Failure,
                       "Invalid segment header - unable to read count and retention flags!");
    }
    return cJB2_Error_OK;
}

// T.88 7.2.4: bit 0 is this segment's retain bit, bit i mod 8 that of
// referred-to segment i; set bits past the last one are only warned about.
JB2_Error ReadRetainBits(HeaderReader& reader, JB2SegmentHeader* segment, uint8_t retention,
                         uint32_t lastRetentionBit)
{
    const uint32_t count = segment->referredCount;
    segment->retain = retention & 1;
    uint32_t bit = 0;
    for (uint32_t i = 1; i <= count; ++i) {
        bit = i % 8;
        if (bit == 0 && !reader.Read(&retention, 1)) {
            return JB2Fail(reader.message, cJB2_Error_Read_Failure,
                           "Invalid segment header - unable to read count and retention flags!");
        }
        segment->referredRetainBits[i - 1] = (retention >> bit) & 1;
    }
    uint32_t bitNumber = count;  // running over all retention bytes
    for (uint32_t spare = bit + 1; spare <= lastRetentionBit; ++spare) {
        ++bitNumber;
        if ((retention >> spare) & 1)
            JB2MessageWarning(reader.message, "Bit %d of segment header retention flags non-zero (segment %lld) !",
                              static_cast<int>(bitNumber), static_cast<long long>(segment->number));
    }
    JB2MessageInfo(reader.message, "Referred to segments     :  %lld", static_cast<long long>(count));
    return cJB2_Error_OK;
}

// T.88 7.2.4: the short form holds counts 0 to 4, the value 7 selects the
// long form, 5 and 6 are invalid.
JB2_Error ReadReferredCount(HeaderReader& reader, JB2SegmentHeader* segment)
{
    uint8_t first = 0;
    if (!reader.Read(&first, 1)) {
        return JB2Fail(reader.message, cJB2_Error_Read_Failure,
                       "Invalid segment header - unable to read count and retention flags!");
    }
    const uint32_t shortCount = first >> 5;
    if (shortCount > 4 && shortCount != kLongCountForm) {
        return JB2Fail(reader.message, cJB2_Error_Invalid_File,
                       "Invalid segment header - invalid read count and retention flags!");
    }
    uint32_t count = shortCount;
    uint8_t retention = first & 0x1F;
    uint32_t lastRetentionBit = 4;  // the highest bit of the byte that holds retain bits
    if (shortCount == kLongCountForm) {
        JB2_Error status = ReadLongReferredCount(reader, segment, first, &count, &retention);
        if (status != cJB2_Error_OK)
            return status;
        lastRetentionBit = 7;
    }
    JB2_Error status = JB2SegmentSetReferredCount(segment, count, reader.message);
    if (status != cJB2_Error_OK)
        return status;
    return ReadRetainBits(reader, segment, retention, lastRetentionBit);
}

// T.88 7.2.5: each number 1, 2 or 4 bytes wide by this segment's number.
JB2_Error ReadReferredNumbers(HeaderReader& reader, JB2SegmentHeader* segment)
{
    const uint32_t width = ReferredNumberWidth(segment->number);
    uint8_t bytes[4];
    for (uint32_t i = 0; i < segment->referredCount; ++i) {
        if (!reader.Read(bytes, width)) {
            return JB2Fail(reader.message, cJB2_Error_Read_Failure,
                           "Invalid segment header - unable to read referred-to segment number!");
        }
        segment->referredNumbers[i] = width == 1 ? bytes[0] : width == 2 ? JB2GetU16(bytes) : JB2GetU32(bytes);
    }
    return cJB2_Error_OK;
}

// T.88 7.2.6.
JB2_Error ReadPageAssociation(HeaderReader& reader, JB2SegmentHeader* segment)
{
    const uint32_t width = segment->pageAssociationIs4Bytes ? 4 : 1;
    uint8_t bytes[4];
    if (!reader.Read(bytes, width)) {
        return JB2Fail(reader.message, cJB2_Error_Read_Failure,
                       "Invalid segment header - unable to read segment page association field!");
    }
    segment->pageAssociation = width == 4 ? JB2GetU32(bytes) : bytes[0];
    JB2MessageInfo(reader.message, "Page association         :  %lld",
                   static_cast<long long>(segment->pageAssociation));
    return cJB2_Error_OK;
}

// T.88 7.2.7. The unknown length (0xFFFFFFFF) of striped immediate generic
// regions is refused.
JB2_Error ReadDataLength(HeaderReader& reader, JB2SegmentHeader* segment)
{
    uint8_t bytes[4];
    if (!reader.Read(bytes, 4)) {
        return JB2Fail(reader.message, cJB2_Error_Read_Failure,
                       "Invalid segment header - unable to read segment data length!");
    }
    const uint32_t dataLength = JB2GetU32(bytes);
    if (dataLength == kJB2UnknownDataLength) {
        return JB2Fail(reader.message, cJB2_Error_Not_Yet_Supported,
                       "0xffffffff as segment data length is not currently supported!");
    }
    segment->dataLocation->length = dataLength;
    segment->dataLocation->start = reader.position <= UINT32_MAX ? static_cast<uint32_t>(reader.position) : 0;
    JB2MessageInfo(reader.message, "Segment data length      :  %lld bytes", static_cast<long long>(dataLength));
    return cJB2_Error_OK;
}

void WarnReferred(JB2Message* message, const char* format, uint32_t number)
{
    JB2MessageSend(message, cJB2_Message_Warning, format, static_cast<long long>(number));
    JB2MessageSend(message, cJB2_Message_Warning, "Attempting to continue decoding!");
    JB2MessageEnd(message, cJB2_Message_Warning);
}

// Links found among the segments read before this one: links only ever point
// backwards in file order, so walks over them cannot circle. A missing one is
// warned about and decoding goes on.
JB2_Error LinkReferredSegments(JB2SegmentHeader* segment, JB2SegmentArray* segments, JB2Message* message)
{
    for (uint32_t i = 0; i < segment->referredCount; ++i) {
        const uint32_t number = segment->referredNumbers[i];
        JB2SegmentHeader* referred = nullptr;
        if (segments) {
            JB2_Error status = JB2SegmentArrayFindByNumber(segments, number, &referred, message);
            if (status != cJB2_Error_OK) {
                return JB2Fail(message, status, "Error searching for referred-to segment (%lld)!",
                               static_cast<long long>(number));
            }
        }
        if (!referred)
            WarnReferred(message, "Unable to find referred-to segment (%lld)!", number);
        if (!referred || !referred->retain)
            WarnReferred(message, "Retain bit should be 1 for referred to segment (%lld)!", number);
        segment->referredSegments[i] = referred;
    }
    return cJB2_Error_OK;
}

}  // namespace

JB2_Error JB2SegmentReadHeader(JB2SegmentHeader** out, JB2Memory* memory, JB2SegmentArray* segments,
                               JB2ReadData* readData, uint32_t offset, uint32_t* headerLength,
                               JB2Message* message)
{
    if (!out || !headerLength)
        return cJB2_Error_Internal;
    *out = nullptr;
    *headerLength = 0;
    JB2SegmentHeader* segment = nullptr;
    JB2_Error status = Allocate(&segment, memory, message);
    if (status != cJB2_Error_OK)
        return status;
    HeaderReader reader{readData, offset, message};
    status = ReadNumber(reader, segment);
    if (status == cJB2_Error_OK)
        status = ReadFlags(reader, segment);
    if (status == cJB2_Error_OK)
        status = ReadReferredCount(reader, segment);
    if (status == cJB2_Error_OK)
        status = ReadReferredNumbers(reader, segment);
    if (status == cJB2_Error_OK)
        status = ReadPageAssociation(reader, segment);
    if (status == cJB2_Error_OK)
        status = ReadDataLength(reader, segment);
    if (status == cJB2_Error_OK)
        status = LinkReferredSegments(segment, segments, message);
    if (status != cJB2_Error_OK)
        return Fail(&segment, status);
    *headerLength = static_cast<uint32_t>(reader.position - offset);
    *out = segment;
    return cJB2_Error_OK;
}

namespace {

// Writes the header fields in order; without a write object it only counts
// the bytes, so that a header's length can be worked out.
struct HeaderWriter {
    JB2WriteData* writeData;
    uint64_t position;
    JB2Message* info;  // messages only accompany a real write

    bool Write(const uint8_t* bytes, uint32_t count)
    {
        if (writeData) {
            if (position + count > UINT32_MAX + 1ull)
                return false;
            if (JB2WriteDataWrite(writeData, bytes, static_cast<uint32_t>(position), count) != count)
                return false;
        }
        position += count;
        return true;
    }
};

// T.88 7.2.2 and 7.2.3. These two steps fail with -13, not -12, on purpose:
// a header that cannot be written is reported as a header that cannot be
// read, which the file writers' callers already test for.
JB2_Error WriteNumberAndFlags(HeaderWriter& writer, const JB2SegmentHeader* segment, JB2Message* message)
{
    uint8_t bytes[4];
    JB2PutU32(bytes, segment->number);
    if (!writer.Write(bytes, 4))
        return JB2Fail(message, cJB2_Error_Read_Failure, "Unable to write segment number!");
    JB2MessageInfo(writer.info, "Segment number           :  %lld", static_cast<long long>(segment->number));
    if (segment->deferredNonRetain > 1 || segment->pageAssociationIs4Bytes > 1)
        return cJB2_Error_Internal;
    bytes[0] = static_cast<uint8_t>((segment->deferredNonRetain << 7) | (segment->pageAssociationIs4Bytes << 6) |
                                    (segment->type & kTypeMask));
    if (!JB2SegmentTypeIsKnown(segment->type))
        JB2MessageWarning(writer.info, "Unknown segment type     :  %lld", static_cast<long long>(segment->type));
    if (!writer.Write(bytes, 1))
        return JB2Fail(message, cJB2_Error_Read_Failure, "Unable to write segment header flags!");
    JB2MessageInfo(writer.info, "Segment type             :  %lld (%s)", static_cast<long long>(segment->type),
                   JB2SegmentTypeName(segment->type));
    return cJB2_Error_OK;
}

// T.88 7.2.4, long form: the count with the top three bits set, then the
// retain bits, this segment's in bit 0 of the first byte.
JB2_Error WriteLongReferredCount(HeaderWriter& writer, const JB2SegmentHeader* segment, JB2Message* message)
{
    const uint32_t count = segment->referredCount;
    uint8_t bytes[4];
    JB2PutU32(bytes, count | (kLongCountForm << 29));
    if (!writer.Write(bytes, 4))
        return JB2Fail(message, cJB2_Error_Write_Failure, "Unable to write number of referred to segments!");
    uint8_t retention = segment->retain & 1;
    for (uint32_t j = 1; j <= count; ++j) {
        const uint32_t bit = j % 8;
        if (bit == 0)
            retention = 0;
        retention = static_cast<uint8_t>(retention | ((segment->referredRetainBits[j - 1] & 1) << bit));
        if ((bit == 7 || j == count) && !writer.Write(&retention, 1))
            return JB2Fail(message, cJB2_Error_Write_Failure, "Unable to write count and retention flags!");
    }
    return cJB2_Error_OK;
}

// T.88 7.2.4: counts up to 4 share one byte with the retain bits.
JB2_Error WriteReferredCount(HeaderWriter& writer, const JB2SegmentHeader* segment, JB2Message* message)
{
    const uint32_t count = segment->referredCount;
    if (count > kJB2MaxReferredToCountField)
        return cJB2_Error_Internal;
    if (count > 0 && (!segment->referredRetainBits || !segment->referredNumbers))
        return cJB2_Error_Internal;
    if (count > 4) {
        JB2_Error status = WriteLongReferredCount(writer, segment, message);
        if (status != cJB2_Error_OK)
            return status;
    } else {
        uint8_t retention = segment->retain & 1;
        for (uint32_t j = 1; j <= count; ++j)
            retention = static_cast<uint8_t>(retention | ((segment->referredRetainBits[j - 1] & 1) << j));
        const uint8_t byte = static_cast<uint8_t>((count << 5) | retention);
        if (!writer.Write(&byte, 1))
            return JB2Fail(message, cJB2_Error_Write_Failure, "Unable to write count and retention flags!");
    }
    JB2MessageInfo(writer.info, "Referred to segments     :  %lld", static_cast<long long>(count));
    return cJB2_Error_OK;
}

// T.88 7.2.5.
JB2_Error WriteReferredNumbers(HeaderWriter& writer, const JB2SegmentHeader* segment, JB2Message* message)
{
    const uint32_t width = ReferredNumberWidth(segment->number);
    uint8_t bytes[4];
    for (uint32_t i = 0; i < segment->referredCount; ++i) {
        const uint32_t number = segment->referredNumbers[i];
        if (width == 1)
            bytes[0] = static_cast<uint8_t>(number);
        else if (width == 2)
            JB2PutU16(bytes, static_cast<uint16_t>(number));
        else
            JB2PutU32(bytes, number);
        if (!writer.Write(bytes, width))
            return JB2Fail(message, cJB2_Error_Write_Failure, "Unable to write referred-to segment number!");
    }
    return cJB2_Error_OK;
}

// T.88 7.2.6 and 7.2.7.
JB2_Error WritePageAndLength(HeaderWriter& writer, const JB2SegmentHeader* segment, JB2Message* message)
{
    uint8_t bytes[4];
    if (segment->pageAssociationIs4Bytes) {
        JB2PutU32(bytes, segment->pageAssociation);
    } else {
        if (segment->pageAssociation > UINT8_MAX)
            return cJB2_Error_Internal;
        bytes[0] = static_cast<uint8_t>(segment->pageAssociation);
    }
    if (!writer.Write(bytes, segment->pageAssociationIs4Bytes ? 4 : 1))
        return JB2Fail(message, cJB2_Error_Write_Failure, "Unable to write segment page association field!");
    JB2MessageInfo(writer.info, "Page association         :  %lld",
                   static_cast<long long>(segment->pageAssociation));
    const uint32_t dataLength = JB2SegmentDataLength(segment);
    JB2PutU32(bytes, dataLength);
    if (!writer.Write(bytes, 4))
        return JB2Fail(message, cJB2_Error_Write_Failure, "Unable to write segment data length!");
    JB2MessageInfo(writer.info, "Segment data length      :  %lld bytes", static_cast<long long>(dataLength));
    JB2MessageInfo(writer.info, "%s", "");
    return cJB2_Error_OK;
}

}  // namespace

JB2_Error JB2SegmentWriteHeader(JB2SegmentHeader* segment, JB2WriteData* writeData, uint32_t offset,
                                uint32_t* length, JB2Message* message)
{
    if (!segment || !length)
        return cJB2_Error_Internal;
    *length = 0;
    HeaderWriter writer{writeData, offset, writeData ? message : nullptr};
    JB2_Error status = WriteNumberAndFlags(writer, segment, message);
    if (status == cJB2_Error_OK)
        status = WriteReferredCount(writer, segment, message);
    if (status == cJB2_Error_OK)
        status = WriteReferredNumbers(writer, segment, message);
    if (status == cJB2_Error_OK)
        status = WritePageAndLength(writer, segment, message);
    if (status != cJB2_Error_OK)
        return status;
    if (writer.position - offset > UINT32_MAX)
        return cJB2_Error_Internal;
    *length = static_cast<uint32_t>(writer.position - offset);
    return cJB2_Error_OK;
}

uint32_t JB2SegmentHeaderLength(JB2SegmentHeader* segment)
{
    uint32_t length = 0;
    if (JB2SegmentWriteHeader(segment, nullptr, 0, &length, nullptr) != cJB2_Error_OK)
        return 0;
    return length;
}

JB2_Error JB2SegmentWriteData(JB2SegmentHeader* segment, JB2WriteData* writeData, uint32_t offset,
                              JB2Message* message)
{
    if (!segment)
        return cJB2_Error_Internal;
    const uint32_t length = JB2SegmentDataLength(segment);
    if (length == 0)
        return cJB2_Error_OK;
    if (!segment->data)
        return cJB2_Error_Internal;
    if (static_cast<uint64_t>(offset) + length > UINT32_MAX + 1ull)
        return cJB2_Error_Write_Failure;
    uint8_t chunk[kJB2SegmentCopyChunk];
    uint32_t done = 0;
    while (done < length) {
        const uint32_t want = length - done < kJB2SegmentCopyChunk ? length - done : kJB2SegmentCopyChunk;
        uint32_t got = 0;
        JB2_Error status = JB2CacheRead(segment->data, segment->memory, done, want, chunk, &got);
        if (status != cJB2_Error_OK || got != want) {
            return JB2Fail(message, status != cJB2_Error_OK ? status : cJB2_Error_Read_Failure,
                           "Unable to access segment data!");
        }
        if (JB2WriteDataWrite(writeData, chunk, offset + done, want) != want) {
            return JB2Fail(message, cJB2_Error_Write_Failure, "Unable to write segment data!");
        }
        done += want;
    }
    return cJB2_Error_OK;
}

JB2_Error JB2SegmentAttachSource(JB2SegmentHeader* segment, JB2ReadData* readData, JB2Message* message)
{
    if (!segment || !segment->dataLocation)
        return cJB2_Error_Internal;
    if (segment->data)
        JB2CacheRelease(&segment->data, segment->memory);
    // A segment whose header says it has no data reads nothing: a location
    // length of 0 would otherwise open the window up to the end of the source.
    JB2ReadData* source = segment->dataLocation->length != 0 ? readData : nullptr;
    return JB2CacheCreate(&segment->data, segment->memory, segment->dataLocation, source, cJB2_Cache_Memory_Blocks,
                          kJB2DefaultCacheBlockSize, nullptr, message);
}

int64_t JB2SegmentNumber(const JB2SegmentHeader* segment)
{
    return segment ? static_cast<int64_t>(segment->number) : -1;
}

uint32_t JB2SegmentType(const JB2SegmentHeader* segment)
{
    return segment ? static_cast<uint32_t>(segment->type) : static_cast<uint32_t>(cJB2_Segment_Type_Unset);
}

uint32_t JB2SegmentReferredCount(const JB2SegmentHeader* segment)
{
    return segment ? segment->referredCount : 0;
}

uint32_t JB2SegmentDataOffset(const JB2SegmentHeader* segment)
{
    return segment && segment->dataLocation ? segment->dataLocation->start : 0;
}

JB2_Error JB2SegmentSetDataOffset(JB2SegmentHeader* segment, uint32_t offset)
{
    if (!segment || !segment->dataLocation)
        return cJB2_Error_Internal;
    segment->dataLocation->start = offset;
    return cJB2_Error_OK;
}

uint32_t JB2SegmentLocationLength(const JB2SegmentHeader* segment)
{
    return segment && segment->dataLocation ? segment->dataLocation->length : 0;
}

uint32_t JB2SegmentDataLength(const JB2SegmentHeader* segment)
{
    if (!segment)
        return 0;
    const uint32_t located = JB2SegmentLocationLength(segment);
    const uint32_t held = segment->data ? segment->data->highest : 0;
    return located > held ? located : held;
}

JB2_Error JB2SegmentSetPageAssociation(JB2SegmentHeader* segment, uint32_t page)
{
    if (!segment)
        return cJB2_Error_Internal;
    segment->pageAssociation = page;
    if (page >= 256)
        segment->pageAssociationIs4Bytes = 1;
    return cJB2_Error_OK;
}

JB2_Error JB2SegmentSetReferredCount(JB2SegmentHeader* segment, uint32_t n, JB2Message* message)
{
    if (!segment || n > kJB2MaxReferredToCountField)
        return cJB2_Error_Internal;
    FreeReferredArrays(segment);
    if (n == 0)
        return cJB2_Error_OK;
    segment->referredRetainBits = JB2MemoryAllocArray<uint8_t>(segment->memory, n);
    if (!segment->referredRetainBits) {
        return JB2Fail(message, cJB2_Error_Allocation_Failure,
                       "Unable to allocate reference segment retain bits array for segment header object!");
    }
    segment->referredNumbers = JB2MemoryAllocArray<uint32_t>(segment->memory, n);
    if (!segment->referredNumbers) {
        FreeReferredArrays(segment);
        return JB2Fail(message, cJB2_Error_Allocation_Failure,
                       "Unable to allocate reference segment number array for segment header object!");
    }
    segment->referredSegments = JB2MemoryAllocArray<JB2SegmentHeader*>(segment->memory, n);
    if (!segment->referredSegments) {
        FreeReferredArrays(segment);
        return JB2Fail(message, cJB2_Error_Allocation_Failure,
                       "Unable to allocate reference segment pointer array for segment header object!");
    }
    segment->referredCount = n;
    return cJB2_Error_OK;
}

JB2SegmentHeader* JB2SegmentGetReferred(const JB2SegmentHeader* segment, uint32_t index)
{
    if (!segment || index >= segment->referredCount || !segment->referredSegments)
        return nullptr;
    return segment->referredSegments[index];
}

JB2_Error JB2SegmentSetReferred(JB2SegmentHeader* segment, uint32_t index, JB2SegmentHeader* referred)
{
    if (!segment || !referred || index >= segment->referredCount || referred->number >= segment->number)
        return cJB2_Error_Internal;
    segment->referredNumbers[index] = referred->number;
    segment->referredSegments[index] = referred;
    referred->retain = 1;
    return cJB2_Error_OK;
}

JB2_Error JB2SegmentReadBytes(JB2SegmentHeader* segment, uint32_t offset, uint32_t count, uint8_t* buffer)
{
    if (!segment || !segment->data || !buffer)
        return cJB2_Error_Internal;
    if (count == 0)
        return cJB2_Error_OK;
    uint32_t got = 0;
    JB2_Error status = JB2CacheRead(segment->data, segment->memory, offset, count, buffer, &got);
    if (status != cJB2_Error_OK)
        return status;
    return got == count ? cJB2_Error_OK : cJB2_Error_Read_Failure;
}

JB2_Error JB2SegmentReadU8(JB2SegmentHeader* segment, uint32_t offset, uint8_t* value)
{
    if (!value)
        return cJB2_Error_Internal;
    return JB2SegmentReadBytes(segment, offset, 1, value);
}

JB2_Error JB2SegmentReadU16(JB2SegmentHeader* segment, uint32_t offset, uint16_t* value)
{
    if (!value)
        return cJB2_Error_Internal;
    uint8_t bytes[2];
    JB2_Error status = JB2SegmentReadBytes(segment, offset, 2, bytes);
    if (status == cJB2_Error_OK)
        *value = JB2GetU16(bytes);
    return status;
}

JB2_Error JB2SegmentReadU32(JB2SegmentHeader* segment, uint32_t offset, uint32_t* value)
{
    if (!value)
        return cJB2_Error_Internal;
    uint8_t bytes[4];
    JB2_Error status = JB2SegmentReadBytes(segment, offset, 4, bytes);
    if (status == cJB2_Error_OK)
        *value = JB2GetU32(bytes);
    return status;
}

JB2_Error JB2SegmentWriteBytes(JB2SegmentHeader* segment, uint32_t offset, uint32_t count, const uint8_t* buffer)
{
    if (!segment || !segment->data || !buffer)
        return cJB2_Error_Internal;
    if (count == 0)
        return cJB2_Error_OK;
    uint32_t written = 0;
    JB2_Error status = JB2CacheWrite(segment->data, segment->memory, offset, count, buffer, &written);
    if (status == cJB2_Error_Allocation_Failure || status == cJB2_Error_Internal)
        return status;
    return status == cJB2_Error_OK && written == count ? cJB2_Error_OK : cJB2_Error_Write_Failure;
}

JB2_Error JB2SegmentWriteU8(JB2SegmentHeader* segment, uint32_t offset, uint8_t value)
{
    return JB2SegmentWriteBytes(segment, offset, 1, &value);
}

JB2_Error JB2SegmentWriteU16(JB2SegmentHeader* segment, uint32_t offset, uint16_t value)
{
    uint8_t bytes[2];
    JB2PutU16(bytes, value);
    return JB2SegmentWriteBytes(segment, offset, 2, bytes);
}

JB2_Error JB2SegmentWriteU32(JB2SegmentHeader* segment, uint32_t offset, uint32_t value)
{
    uint8_t bytes[4];
    JB2PutU32(bytes, value);
    return JB2SegmentWriteBytes(segment, offset, 4, bytes);
}

uint32_t JB2SegmentWriteCallback(const uint8_t* buffer, uint32_t offset, uint32_t count, void* segment)
{
    if (JB2SegmentWriteBytes(static_cast<JB2SegmentHeader*>(segment), offset, count, buffer) != cJB2_Error_OK)
        return 0;
    return count;
}

}  // namespace ZAV
