#include "jbig2codec/document/JB2File.h"

#include "jbig2codec/support/JB2Counted.h"
#include "jbig2codec/support/JB2Limits.h"
#include "jbig2codec/document/JB2Page.h"

namespace ZAV {

const uint8_t kJB2FileId[8] = {0x97, 0x4A, 0x42, 0x32, 0x0D, 0x0A, 0x1A, 0x0A};

namespace {

bool ByteThere(JB2ReadData* readData, uint64_t offset)
{
    uint8_t byte = 0;
    return offset <= UINT32_MAX && JB2ReadDataRead(readData, &byte, static_cast<uint32_t>(offset), 1) == 1;
}

// A segment whose data length runs past the end of the source keeps only
// the bytes that are there, so that nothing is sized by the missing rest.
void ClampToSource(JB2SegmentHeader* segment, JB2ReadData* readData, JB2Message* message)
{
    JB2Location* location = segment->dataLocation;
    const uint64_t start = location->start;
    const uint64_t length = location->length;
    if (length == 0 || ByteThere(readData, start + length - 1))
        return;
    uint64_t present = 0;  // bytes known to be there
    uint64_t missing = length;  // a count known not to be there in full
    while (missing - present > 1) {
        const uint64_t middle = present + (missing - present) / 2;
        if (ByteThere(readData, start + middle - 1))
            present = middle;
        else
            missing = middle;
    }
    JB2MessageWarning(message, "Segment data truncated (segment %lld: %lld of %lld bytes)!",
                      static_cast<long long>(segment->number), static_cast<long long>(present),
                      static_cast<long long>(length));
    location->length = static_cast<uint32_t>(present);
}

JB2_Error TooManySegments(JB2File* file, JB2Message* message)
{
    if (file->segments->count < kJB2MaxSegments)
        return cJB2_Error_OK;
    return JB2Fail(message, cJB2_Error_Invalid_File, "Invalid file -- more than %lld segments!",
                   static_cast<long long>(kJB2MaxSegments));
}

JB2_Error ReadSequential(JB2File* file, JB2ReadData* readData, uint64_t offset, JB2Message* message)
{
    while (offset <= UINT32_MAX) {
        if (JB2_Error status = TooManySegments(file, message))
            return status;
        JB2SegmentHeader* segment = nullptr;
        uint32_t headerLength = 0;
        JB2_Error status = JB2SegmentReadHeader(&segment, file->memory, file->segments, readData,
                                                static_cast<uint32_t>(offset), &headerLength, message);
        if (status == cJB2_Error_Read_Failure)
            return cJB2_Error_OK;  // the end of the data: embedded streams need no end of file
        if (status != cJB2_Error_OK)
            return status;
        const uint64_t dataOffset = offset + headerLength;
        JB2SegmentSetDataOffset(segment, static_cast<uint32_t>(dataOffset));
        status = JB2SegmentArrayAdd(file->segments, segment, message);
        if (status != cJB2_Error_OK) {
            JB2SegmentRelease(&segment);
            return status;
        }
        JB2SegmentRelease(&segment);
        segment = file->segments->items[file->segments->count - 1];
        ClampToSource(segment, readData, message);
        JB2MessageInfo(message, "Segment data position    :  %lld (%lld)", static_cast<long long>(dataOffset),
                       static_cast<long long>(JB2SegmentLocationLength(segment)));
        JB2MessageEnd(message, cJB2_Message_Info);
        if (segment->type == cJB2_Segment_End_Of_File)
            break;
        offset = dataOffset + JB2SegmentLocationLength(segment);
    }
    return cJB2_Error_OK;
}

JB2_Error ReadRandomAccess(JB2File* file, JB2ReadData* readData, uint64_t offset, JB2Message* message)
{
    bool endOfFile = false;
    while (!endOfFile) {
        if (JB2_Error status = TooManySegments(file, message))
            return status;
        JB2SegmentHeader* segment = nullptr;
        uint32_t headerLength = 0;
        JB2_Error status = offset <= UINT32_MAX
                               ? JB2SegmentReadHeader(&segment, file->memory, file->segments, readData,
                                                      static_cast<uint32_t>(offset), &headerLength, message)
                               : cJB2_Error_Read_Failure;
        if (status == cJB2_Error_Read_Failure) {
            JB2MessageSend(message, cJB2_Message_Warning, "Read failure and no end of file segment found!");
            JB2MessageSend(message, cJB2_Message_Warning, "Trying to decode with available segments!");
            JB2MessageEnd(message, cJB2_Message_Warning);
            return cJB2_Error_Read_Failure;
        }
        if (status != cJB2_Error_OK)
            return status;
        endOfFile = segment->type == cJB2_Segment_End_Of_File;
        status = JB2SegmentArrayAdd(file->segments, segment, message);
        JB2SegmentRelease(&segment);
        if (status != cJB2_Error_OK)
            return status;
        offset += headerLength;
    }
    for (uint32_t i = 0; i < file->segments->count; ++i) {
        JB2SegmentHeader* segment = file->segments->items[i];
        if (offset > UINT32_MAX) {
            // Data beyond what offsets can address is not there.
            segment->dataLocation->length = 0;
            offset = UINT32_MAX;
        }
        JB2SegmentSetDataOffset(segment, static_cast<uint32_t>(offset));
        ClampToSource(segment, readData, message);
        JB2MessageInfo(message, "Segment data position    :  %lld (%lld)", static_cast<long long>(offset),
                       static_cast<long long>(JB2SegmentLocationLength(segment)));
        offset += JB2SegmentLocationLength(segment);
    }
    JB2MessageEnd(message, cJB2_Message_Info);
    return cJB2_Error_OK;
}

}  // namespace

JB2_Error JB2FileCreate(JB2File** out, JB2Memory* memory, JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = nullptr;
    auto* file = JB2MemoryNew<JB2File>(memory);
    if (!file) return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate file object!");
    file->organisation = cJB2_Organisation_Unknown;
    file->references = 1;
    file->memory = memory;
    JB2_Error status = JB2SegmentArrayCreate(&file->segments, memory, message);
    if (status != cJB2_Error_OK) {
        JB2MemoryFree(memory, &file);
        return status;
    }
    *out = file;
    return cJB2_Error_OK;
}

void JB2FileAddReference(JB2File* file)
{
    JB2CountedAddReference(file);
}

JB2_Error JB2FileRelease(JB2File** holder)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2File* file = *holder;
    *holder = nullptr;
    if (file->references > 1) {
        --file->references;
        return cJB2_Error_OK;
    }
    JB2_Error status = cJB2_Error_OK;
    if (file->segments)
        status = JB2SegmentArrayRelease(&file->segments);
    JB2_Error freed = JB2MemoryFree(file->memory, &file);
    return status != cJB2_Error_OK ? status : freed;
}

JB2_Error JB2FileSetOrganisation(JB2File* file, uint32_t organisation)
{
    if (!file || organisation > cJB2_Organisation_Random_Access)
        return cJB2_Error_Internal;
    file->organisation = organisation;
    return cJB2_Error_OK;
}

JB2_Error JB2FileRead(JB2File** out, JB2Memory* memory, JB2ReadData* readData, JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = nullptr;
    JB2File* file = nullptr;
    JB2_Error status = JB2FileCreate(&file, memory, message);
    if (status != cJB2_Error_OK)
        return status;

    uint8_t id[8];
    if (JB2ReadDataRead(readData, id, 0, 8) != 8) {
        JB2FileRelease(&file);
        return JB2Fail(message, cJB2_Error_Invalid_File, "Invalid file -- can't read first 8 bytes of file!");
    }
    uint64_t offset = 0;
    bool headerCount = false;
    uint32_t headerPages = 0;
    bool isId = true;
    for (int i = 0; i < 8; ++i)
        isId = isId && id[i] == kJB2FileId[i];
    if (isId) {
        uint8_t flags = 0;
        if (JB2ReadDataReadByte(readData, 8, &flags) != 1) {
            JB2FileRelease(&file);
            return JB2Fail(message, cJB2_Error_Invalid_File, "Invalid file -- unable to read JBIG2 file header flags!");
        }
        if (flags & 1) {
            JB2MessageInfo(message, "Sequential file format organisation");
            file->organisation = cJB2_Organisation_Sequential;
        } else {
            JB2MessageInfo(message, "Random-access file format organisation");
            file->organisation = cJB2_Organisation_Random_Access;
        }
        if (flags & 2) {
            JB2MessageInfo(message, "Number of pages in file  :  unknown");
            offset = 9;
        } else {
            if (JB2ReadDataReadU32(readData, 9, &headerPages) != 4) {
                JB2FileRelease(&file);
                return JB2Fail(message, cJB2_Error_Invalid_File,
                               "Invalid file -- unable to read JBIG2 file header number of pages!");
            }
            headerCount = true;
            if (headerPages == 0) {
                JB2MessageSend(message, cJB2_Message_Warning,
                               "Invalid file -- JBIG2 file header number of pages field is 0!");
                JB2MessageSend(message, cJB2_Message_Warning, "Assuming single page and attempting to decompress!");
                JB2MessageEnd(message, cJB2_Message_Warning);
            }
            JB2MessageInfo(message, "Number of pages in file  :  %lld", static_cast<long long>(headerPages));
            JB2MessageEnd(message, cJB2_Message_Info);
            offset = 13;
        }
        if (flags > 3)
            JB2MessageWarning(message, "Bits 2-7 of JBIG2 file header flags non-zero!");
    } else {
        JB2MessageInfo(message, "Unknown or embedded file format organisation");
        file->organisation = cJB2_Organisation_Sequential;
    }

    status = file->organisation == cJB2_Organisation_Random_Access
                 ? ReadRandomAccess(file, readData, offset, message)
                 : ReadSequential(file, readData, offset, message);
    if (status == cJB2_Error_OK) {
        const uint32_t found = JB2SegmentArrayLargestPage(file->segments);
        if (headerCount && headerPages != 0 && headerPages < found)
            JB2MessageWarning(message, "Incorrect number of pages indicated!");
        file->pages = headerCount && headerPages >= found ? headerPages : found;
        status = JB2SegmentArrayAttachSource(file->segments, readData, message);
    }
    if (status != cJB2_Error_OK) {
        JB2FileRelease(&file);
        return status;
    }
    *out = file;
    return cJB2_Error_OK;
}

}  // namespace ZAV
