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
    {0, "Symbol dictionary"},
    {4, "Intermediate text region"},
    {6, "Immediate text region"},
    {7, "Immediate lossless text region"},
    {16, "Pattern dictionary"},
    {20, "Intermediate halftone region"},
    {22, "Immediate halftone region"},
    {23, "Immediate lossless halftone region"},
    {36, "Intermediate generic region"},
    {38, "Immediate generic region"},
    {39, "Immediate lossless generic region"},
    {40, "Intermediate generic refinement region"},
    {42, "Immediate generic refinement region"},
    {43, "Immediate lossless generic refinement region"},
    {48, "Page information"},
    {49, "End of page"},
    {50, "End of stripe"},
    {51, "End of file"},
    {52, "Profiles"},
    {53, "Tables"},
    {62, "Extension"},
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
    if (!segment) {
        JB2MessageError(message, "Unable to allocate segment header object!");
        return cJB2_Error_Allocation_Failure;
    }
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
    return type == 4 || type == 6 || type == 7;
}

bool JB2SegmentTypeIsHalftoneRegion(uint32_t type)
{
    return type == 20 || type == 22 || type == 23;
}

bool JB2SegmentTypeIsGenericRegion(uint32_t type)
{
    return type == 36 || type == 38 || type == 39 || type == 40 || type == 42 || type == 43;
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
    // Offsets in 64 bits: a header near the end of a 4 GB source must not wrap.
    uint64_t position = offset;
    auto readAt = [&](uint8_t* buffer, uint32_t count) -> bool {
        if (position + count > UINT32_MAX + 1ull)
            return false;
        if (JB2ReadDataRead(readData, buffer, static_cast<uint32_t>(position), count) != count)
            return false;
        position += count;
        return true;
    };

    // 1. Segment number.
    uint8_t bytes[4];
    if (!readAt(bytes, 4))
        return Fail(&segment, cJB2_Error_Read_Failure);
    segment->number = JB2GetU32(bytes);
    JB2MessageInfo(message, "Segment number           :  %lld", static_cast<long long>(segment->number));

    // 2. Header flags.
    if (!readAt(bytes, 1)) {
        JB2MessageError(message, "Invalid segment header - unable to read segment header flags!");
        return Fail(&segment, cJB2_Error_Read_Failure);
    }
    segment->deferredNonRetain = (bytes[0] >> 7) & 1;
    segment->pageAssociationIs4Bytes = (bytes[0] >> 6) & 1;
    segment->type = bytes[0] & 0x3F;
    if (!JB2SegmentTypeIsKnown(segment->type)) {
        JB2MessageSend(message, cJB2_Message_Warning, "Skipping segment         :  %lld",
                       static_cast<long long>(segment->number));
        JB2MessageSend(message, cJB2_Message_Warning, "Unknown segment type     :  %lld",
                       static_cast<long long>(segment->type));
        JB2MessageEnd(message, cJB2_Message_Warning);
    }
    JB2MessageInfo(message, "Segment type             :  %lld (%s)", static_cast<long long>(segment->type),
                   JB2SegmentTypeName(segment->type));

    // 3. Referred-to count and retention flags.
    if (!readAt(bytes, 1)) {
        JB2MessageError(message, "Invalid segment header - unable to read count and retention flags!");
        return Fail(&segment, cJB2_Error_Read_Failure);
    }
    const uint32_t shortCount = bytes[0] >> 5;
    uint32_t count = 0;
    uint8_t retention = 0;
    uint32_t lastRetentionBit = 4;  // the highest bit of the byte that holds retain bits
    if (shortCount == 5 || shortCount == 6) {
        JB2MessageError(message, "Invalid segment header - invalid read count and retention flags!");
        return Fail(&segment, cJB2_Error_Invalid_File);
    }
    if (shortCount <= 4) {
        count = shortCount;
        retention = bytes[0] & 0x1F;
    } else {
        JB2MessageInfo(message, "(Long format for referred-to segment count and retention flags)");
        const uint8_t first = bytes[0];
        if (!readAt(bytes, 3)) {
            JB2MessageError(message, "Invalid segment header - invalid read count and retention flags!");
            return Fail(&segment, cJB2_Error_Invalid_File);
        }
        count = (static_cast<uint32_t>(first & 0x1F) << 24) | (static_cast<uint32_t>(bytes[0]) << 16) |
                (static_cast<uint32_t>(bytes[1]) << 8) | bytes[2];
        lastRetentionBit = 7;
        // The count comes from the file: before anything is sized by it, the
        // rest of this header must be there and the count must be sane.
        const uint64_t rest = (static_cast<uint64_t>(count) + 1 + 7) / 8 +
                              static_cast<uint64_t>(count) * ReferredNumberWidth(segment->number) +
                              (segment->pageAssociationIs4Bytes ? 4 : 1) + 4;
        uint8_t probe = 0;
        if (count > kJB2MaxReferredToSegments || position + rest > UINT32_MAX + 1ull ||
            JB2ReadDataRead(readData, &probe, static_cast<uint32_t>(position + rest - 1), 1) != 1) {
            JB2MessageError(message, "Invalid segment header - unable to read referred-to segment number!");
            return Fail(&segment, cJB2_Error_Read_Failure);
        }
        if (!readAt(&retention, 1)) {
            JB2MessageError(message, "Invalid segment header - unable to read count and retention flags!");
            return Fail(&segment, cJB2_Error_Read_Failure);
        }
    }
    status = JB2SegmentSetReferredCount(segment, count, message);
    if (status != cJB2_Error_OK)
        return Fail(&segment, status);
    segment->retain = retention & 1;
    uint32_t bit = 0;
    uint32_t bitNumber = 0;  // running over all retention bytes
    for (uint32_t i = 1; i <= count; ++i) {
        bit = i % 8;
        bitNumber = i;
        if (bit == 0 && !readAt(&retention, 1)) {
            JB2MessageError(message, "Invalid segment header - unable to read count and retention flags!");
            return Fail(&segment, cJB2_Error_Read_Failure);
        }
        segment->referredRetainBits[i - 1] = (retention >> bit) & 1;
    }
    for (uint32_t spare = bit + 1; spare <= lastRetentionBit; ++spare) {
        ++bitNumber;
        if ((retention >> spare) & 1)
            JB2MessageWarning(message, "Bit %d of segment header retention flags non-zero (segment %lld) !",
                              static_cast<int>(bitNumber), static_cast<long long>(segment->number));
    }
    JB2MessageInfo(message, "Referred to segments     :  %lld", static_cast<long long>(count));

    // 4. Referred-to segment numbers.
    const uint32_t width = ReferredNumberWidth(segment->number);
    for (uint32_t i = 0; i < count; ++i) {
        if (!readAt(bytes, width)) {
            JB2MessageError(message, "Invalid segment header - unable to read referred-to segment number!");
            return Fail(&segment, cJB2_Error_Read_Failure);
        }
        segment->referredNumbers[i] = width == 1 ? bytes[0] : width == 2 ? JB2GetU16(bytes) : JB2GetU32(bytes);
    }

    // 5. Page association.
    const uint32_t pageWidth = segment->pageAssociationIs4Bytes ? 4 : 1;
    if (!readAt(bytes, pageWidth)) {
        JB2MessageError(message, "Invalid segment header - unable to read segment page association field!");
        return Fail(&segment, cJB2_Error_Read_Failure);
    }
    segment->pageAssociation = pageWidth == 4 ? JB2GetU32(bytes) : bytes[0];
    JB2MessageInfo(message, "Page association         :  %lld", static_cast<long long>(segment->pageAssociation));

    // 6. Data length.
    if (!readAt(bytes, 4)) {
        JB2MessageError(message, "Invalid segment header - unable to read segment data length!");
        return Fail(&segment, cJB2_Error_Read_Failure);
    }
    const uint32_t dataLength = JB2GetU32(bytes);
    if (dataLength == 0xFFFFFFFFu) {
        JB2MessageError(message, "0xffffffff as segment data length is not currently supported!");
        return Fail(&segment, cJB2_Error_Not_Yet_Supported);
    }
    segment->dataLocation->length = dataLength;
    segment->dataLocation->start = position <= UINT32_MAX ? static_cast<uint32_t>(position) : 0;
    JB2MessageInfo(message, "Segment data length      :  %lld bytes", static_cast<long long>(dataLength));

    // 7. Referred-to segments among those read before.
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t number = segment->referredNumbers[i];
        JB2SegmentHeader* referred = nullptr;
        if (segments) {
            status = JB2SegmentArrayFindByNumber(segments, number, &referred, message);
            if (status != cJB2_Error_OK) {
                JB2MessageError(message, "Error searching for referred-to segment (%lld)!",
                                static_cast<long long>(number));
                return Fail(&segment, status);
            }
        }
        if (!referred) {
            JB2MessageSend(message, cJB2_Message_Warning, "Unable to find referred-to segment (%lld)!",
                           static_cast<long long>(number));
            JB2MessageSend(message, cJB2_Message_Warning, "Attempting to continue decoding!");
            JB2MessageEnd(message, cJB2_Message_Warning);
        }
        if (!referred || !referred->retain) {
            JB2MessageSend(message, cJB2_Message_Warning, "Retain bit should be 1 for referred to segment (%lld)!",
                           static_cast<long long>(number));
            JB2MessageSend(message, cJB2_Message_Warning, "Attempting to continue decoding!");
            JB2MessageEnd(message, cJB2_Message_Warning);
        }
        // Found among the segments read before this one: links only ever
        // point backwards in file order, so walks over them cannot circle.
        segment->referredSegments[i] = referred;
    }

    *headerLength = static_cast<uint32_t>(position - offset);
    *out = segment;
    return cJB2_Error_OK;
}

JB2_Error JB2SegmentWriteHeader(JB2SegmentHeader* segment, JB2WriteData* writeData, uint32_t offset,
                                uint32_t* length, JB2Message* message)
{
    if (!segment || !length)
        return cJB2_Error_Internal;
    *length = 0;
    // Messages only accompany a real write, not the working out of a length.
    JB2Message* info = writeData ? message : nullptr;
    uint64_t position = offset;
    auto put = [&](const uint8_t* bytes, uint32_t count) -> bool {
        if (writeData) {
            if (position + count > UINT32_MAX + 1ull)
                return false;
            if (JB2WriteDataWrite(writeData, bytes, static_cast<uint32_t>(position), count) != count)
                return false;
        }
        position += count;
        return true;
    };
    uint8_t bytes[4];

    // 1. Segment number.
    JB2PutU32(bytes, segment->number);
    if (!put(bytes, 4)) {
        JB2MessageError(message, "Unable to write segment number!");
        return cJB2_Error_Read_Failure;
    }
    JB2MessageInfo(info, "Segment number           :  %lld", static_cast<long long>(segment->number));

    // 2. Header flags.
    if (segment->deferredNonRetain > 1 || segment->pageAssociationIs4Bytes > 1)
        return cJB2_Error_Internal;
    bytes[0] = static_cast<uint8_t>((segment->deferredNonRetain << 7) | (segment->pageAssociationIs4Bytes << 6) |
                                    (segment->type & 0x3F));
    if (!JB2SegmentTypeIsKnown(segment->type))
        JB2MessageWarning(info, "Unknown segment type     :  %lld", static_cast<long long>(segment->type));
    if (!put(bytes, 1)) {
        JB2MessageError(message, "Unable to write segment header flags!");
        return cJB2_Error_Read_Failure;
    }
    JB2MessageInfo(info, "Segment type             :  %lld (%s)", static_cast<long long>(segment->type),
                   JB2SegmentTypeName(segment->type));

    // 3. Referred-to count and retention flags.
    const uint32_t count = segment->referredCount;
    if (count > kJB2MaxReferredToCountField)
        return cJB2_Error_Internal;
    if (count > 0 && (!segment->referredRetainBits || !segment->referredNumbers))
        return cJB2_Error_Internal;
    uint8_t retention = segment->retain & 1;
    if (count <= 4) {
        for (uint32_t j = 1; j <= count; ++j)
            retention = static_cast<uint8_t>(retention | ((segment->referredRetainBits[j - 1] & 1) << j));
        bytes[0] = static_cast<uint8_t>((count << 5) | retention);
        if (!put(bytes, 1)) {
            JB2MessageError(message, "Unable to write count and retention flags!");
            return cJB2_Error_Write_Failure;
        }
    } else {
        JB2PutU32(bytes, count | 0xE0000000u);
        if (!put(bytes, 4)) {
            JB2MessageError(message, "Unable to write number of referred to segments!");
            return cJB2_Error_Write_Failure;
        }
        for (uint32_t j = 1; j <= count; ++j) {
            const uint32_t bit = j % 8;
            if (bit == 0)
                retention = 0;
            retention = static_cast<uint8_t>(retention | ((segment->referredRetainBits[j - 1] & 1) << bit));
            if (bit == 7 || j == count) {
                if (!put(&retention, 1)) {
                    JB2MessageError(message, "Unable to write count and retention flags!");
                    return cJB2_Error_Write_Failure;
                }
            }
        }
    }
    JB2MessageInfo(info, "Referred to segments     :  %lld", static_cast<long long>(count));

    // 4. Referred-to numbers.
    const uint32_t width = ReferredNumberWidth(segment->number);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t number = segment->referredNumbers[i];
        if (width == 1)
            bytes[0] = static_cast<uint8_t>(number);
        else if (width == 2)
            JB2PutU16(bytes, static_cast<uint16_t>(number));
        else
            JB2PutU32(bytes, number);
        if (!put(bytes, width)) {
            JB2MessageError(message, "Unable to write referred-to segment number!");
            return cJB2_Error_Write_Failure;
        }
    }

    // 5. Page association.
    if (segment->pageAssociationIs4Bytes) {
        JB2PutU32(bytes, segment->pageAssociation);
    } else {
        if (segment->pageAssociation > 255)
            return cJB2_Error_Internal;
        bytes[0] = static_cast<uint8_t>(segment->pageAssociation);
    }
    if (!put(bytes, segment->pageAssociationIs4Bytes ? 4 : 1)) {
        JB2MessageError(message, "Unable to write segment page association field!");
        return cJB2_Error_Write_Failure;
    }
    JB2MessageInfo(info, "Page association         :  %lld", static_cast<long long>(segment->pageAssociation));

    // 6. Data length.
    const uint32_t dataLength = JB2SegmentDataLength(segment);
    JB2PutU32(bytes, dataLength);
    if (!put(bytes, 4)) {
        JB2MessageError(message, "Unable to write segment data length!");
        return cJB2_Error_Write_Failure;
    }
    JB2MessageInfo(info, "Segment data length      :  %lld bytes", static_cast<long long>(dataLength));
    JB2MessageInfo(info, "%s", "");

    if (position - offset > UINT32_MAX)
        return cJB2_Error_Internal;
    *length = static_cast<uint32_t>(position - offset);
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
            JB2MessageError(message, "Unable to access segment data!");
            return status != cJB2_Error_OK ? status : cJB2_Error_Read_Failure;
        }
        if (JB2WriteDataWrite(writeData, chunk, offset + done, want) != want) {
            JB2MessageError(message, "Unable to write segment data!");
            return cJB2_Error_Write_Failure;
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
        JB2MessageError(message, "Unable to allocate reference segment retain bits array for segment header object!");
        return cJB2_Error_Allocation_Failure;
    }
    segment->referredNumbers = JB2MemoryAllocArray<uint32_t>(segment->memory, n);
    if (!segment->referredNumbers) {
        FreeReferredArrays(segment);
        JB2MessageError(message, "Unable to allocate reference segment number array for segment header object!");
        return cJB2_Error_Allocation_Failure;
    }
    segment->referredSegments = JB2MemoryAllocArray<JB2SegmentHeader*>(segment->memory, n);
    if (!segment->referredSegments) {
        FreeReferredArrays(segment);
        JB2MessageError(message, "Unable to allocate reference segment pointer array for segment header object!");
        return cJB2_Error_Allocation_Failure;
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
