#include "jbig2codec/document/JB2File.h"

#include <cstring>

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

namespace {

// What the file header says (T.88 D.4), for data that has one.
struct FileHeader {
    uint64_t segmentsOffset;
    bool pagesKnown;
    uint32_t pages;
};

constexpr uint8_t kHeaderSequential = 1;
constexpr uint8_t kHeaderPagesUnknown = 2;
constexpr uint8_t kHeaderKnownFlags = 3;

JB2_Error ReadPageCount(JB2ReadData* readData, FileHeader* header, JB2Message* message)
{
    if (JB2ReadDataReadU32(readData, 9, &header->pages) != 4)
        return JB2Fail(message, cJB2_Error_Invalid_File,
                       "Invalid file -- unable to read JBIG2 file header number of pages!");
    header->pagesKnown = true;
    if (header->pages == 0) {
        JB2MessageSend(message, cJB2_Message_Warning, "Invalid file -- JBIG2 file header number of pages field is 0!");
        JB2MessageSend(message, cJB2_Message_Warning, "Assuming single page and attempting to decompress!");
        JB2MessageEnd(message, cJB2_Message_Warning);
    }
    JB2MessageInfo(message, "Number of pages in file  :  %lld", static_cast<long long>(header->pages));
    JB2MessageEnd(message, cJB2_Message_Info);
    header->segmentsOffset = 13;
    return cJB2_Error_OK;
}

// T.88 D.4.2 and D.4.3: the organisation and, when known, the page count.
JB2_Error ReadFileHeader(JB2File* file, JB2ReadData* readData, FileHeader* header, JB2Message* message)
{
    uint8_t flags = 0;
    if (JB2ReadDataReadByte(readData, 8, &flags) != 1)
        return JB2Fail(message, cJB2_Error_Invalid_File, "Invalid file -- unable to read JBIG2 file header flags!");
    const bool sequential = flags & kHeaderSequential;
    JB2MessageInfo(message, sequential ? "Sequential file format organisation"
                                       : "Random-access file format organisation");
    file->organisation = sequential ? cJB2_Organisation_Sequential : cJB2_Organisation_Random_Access;
    JB2_Error status = cJB2_Error_OK;
    if (flags & kHeaderPagesUnknown) {
        JB2MessageInfo(message, "Number of pages in file  :  unknown");
        header->segmentsOffset = 9;
    } else {
        status = ReadPageCount(readData, header, message);
    }
    if (status == cJB2_Error_OK && flags > kHeaderKnownFlags)
        JB2MessageWarning(message, "Bits 2-7 of JBIG2 file header flags non-zero!");
    return status;
}

// T.88 D.4.1: data without the id string is an embedded stream of segments.
JB2_Error ReadOrganisation(JB2File* file, JB2ReadData* readData, FileHeader* header, JB2Message* message)
{
    uint8_t id[8];
    if (JB2ReadDataRead(readData, id, 0, 8) != 8)
        return JB2Fail(message, cJB2_Error_Invalid_File, "Invalid file -- can't read first 8 bytes of file!");
    if (std::memcmp(id, kJB2FileId, sizeof id) == 0)
        return ReadFileHeader(file, readData, header, message);
    JB2MessageInfo(message, "Unknown or embedded file format organisation");
    file->organisation = cJB2_Organisation_Sequential;
    return cJB2_Error_OK;
}

// The page count is the header's unless the segments show more pages.
void SetPageCount(JB2File* file, const FileHeader& header, JB2Message* message)
{
    const uint32_t found = JB2SegmentArrayLargestPage(file->segments);
    if (header.pagesKnown && header.pages != 0 && header.pages < found)
        JB2MessageWarning(message, "Incorrect number of pages indicated!");
    file->pages = header.pagesKnown && header.pages >= found ? header.pages : found;
}

}  // namespace

JB2_Error JB2FileRead(JB2File** out, JB2Memory* memory, JB2ReadData* readData, JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = nullptr;
    JB2File* file = nullptr;
    JB2_Error status = JB2FileCreate(&file, memory, message);
    if (status != cJB2_Error_OK)
        return status;
    FileHeader header{0, false, 0};
    status = ReadOrganisation(file, readData, &header, message);
    if (status == cJB2_Error_OK)
        status = file->organisation == cJB2_Organisation_Random_Access
                     ? ReadRandomAccess(file, readData, header.segmentsOffset, message)
                     : ReadSequential(file, readData, header.segmentsOffset, message);
    if (status == cJB2_Error_OK) {
        SetPageCount(file, header, message);
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
