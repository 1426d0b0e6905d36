#include "jbig2codec/document/JB2File.h"

#include "jbig2codec/support/JB2Counted.h"
#include "jbig2codec/support/JB2Limits.h"
#include "jbig2codec/document/JB2Page.h"
#include "jbig2codec/document/JB2PdfWriter.h"

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

JB2_Error JB2FileWriteJBIG2(JB2File* file, JB2WriteData* writeData, JB2Message* message)
{
    if (!file || file->organisation > cJB2_Organisation_Random_Access)
        return cJB2_Error_Internal;
    if (JB2WriteDataWrite(writeData, kJB2FileId, 0, 8) != 8) {
        return JB2Fail(message, cJB2_Error_Write_Failure, "Failure writing file header id!");
    }
    const uint8_t flags = static_cast<uint8_t>((file->organisation == cJB2_Organisation_Sequential ? 1 : 0) |
                                               (file->pages == 0 ? 2 : 0));
    if (JB2WriteDataWriteByte(writeData, 8, flags) != 1) {
        return JB2Fail(message, cJB2_Error_Write_Failure, "Failure writing file header flag!");
    }
    uint64_t offset = 9;
    if (file->pages != 0) {
        if (JB2WriteDataWriteU32(writeData, 9, file->pages) != 4) {
            return JB2Fail(message, cJB2_Error_Write_Failure, "Failure writing file header number of pages field!");
        }
        offset = 13;
    }
    JB2SegmentArray* segments = file->segments;
    const bool sequential = file->organisation == cJB2_Organisation_Sequential;
    for (uint32_t i = 0; i < segments->count; ++i) {
        JB2SegmentHeader* segment = segments->items[i];
        uint32_t length = 0;
        if (offset > UINT32_MAX)
            return cJB2_Error_Write_Failure;
        JB2_Error status = JB2SegmentWriteHeader(segment, writeData, static_cast<uint32_t>(offset), &length, message);
        if (status != cJB2_Error_OK)
            return status;
        offset += length;
        if (sequential) {
            status = JB2SegmentWriteData(segment, writeData, static_cast<uint32_t>(offset), message);
            if (status != cJB2_Error_OK)
                return status;
            offset += JB2SegmentDataLength(segment);
        }
    }
    if (!sequential) {
        // Readers find the end of the headers only by the end of file
        // segment: a document without one gets it in the file.
        if (segments->count == 0 || segments->items[segments->count - 1]->type != cJB2_Segment_End_Of_File) {
            JB2SegmentHeader* end = nullptr;
            const uint32_t number = segments->count ? segments->items[segments->count - 1]->number + 1 : 0;
            JB2_Error status = JB2SegmentCreate(&end, file->memory, number, cJB2_Segment_End_Of_File, message);
            if (status != cJB2_Error_OK)
                return status;
            uint32_t length = 0;
            status = offset <= UINT32_MAX ? JB2SegmentWriteHeader(end, writeData, static_cast<uint32_t>(offset),
                                                                  &length, message)
                                          : cJB2_Error_Write_Failure;
            JB2SegmentRelease(&end);
            if (status != cJB2_Error_OK)
                return status;
            offset += length;
        }
        for (uint32_t i = 0; i < segments->count; ++i) {
            if (offset > UINT32_MAX)
                return cJB2_Error_Write_Failure;
            JB2_Error status =
                JB2SegmentWriteData(segments->items[i], writeData, static_cast<uint32_t>(offset), message);
            if (status != cJB2_Error_OK)
                return status;
            offset += JB2SegmentDataLength(segments->items[i]);
        }
    }
    return cJB2_Error_OK;
}

JB2_Error JB2FileExportDocument(JB2File* file, JB2_Write_Callback write, void* user, uint32_t format,
                                JB2Message* message)
{
    if (!file)
        return cJB2_Error_Internal;
    JB2WriteData* writeData = nullptr;
    JB2_Error status = JB2WriteDataCreate(&writeData, file->memory, write, user, message);
    if (status != cJB2_Error_OK)
        return status;
    switch (format) {
    case cJB2_Export_Format_JBIG2_File:
        status = JB2FileWriteJBIG2(file, writeData, message);
        break;
    case cJB2_Export_Format_PDF:
        status = JB2PdfWriteDocument(file, writeData, message);
        break;
    case cJB2_Export_Format_Stream_For_PDF:
        if (file->pages > 1) {
            JB2MessageSend(message, cJB2_Message_Error, "Invalid export format!");
            JB2MessageSend(message, cJB2_Message_Error,
                           "cJB2_Export_Format_Stream_For_PDF can only be used for single page documents!");
            JB2MessageEnd(message, cJB2_Message_Error);
            status = cJB2_Error_Invalid_Export_Format;
        } else {
            status = JB2PdfWriteStreamForPdf(file, writeData, message);
        }
        break;
    default:
        status = JB2Fail(message, cJB2_Error_Invalid_Export_Format, "Invalid export format!");
        break;
    }
    JB2WriteDataRelease(&writeData, file->memory);
    return status;
}

JB2_Error JB2FileExportPage(JB2File* file, uint32_t page, JB2_Write_Callback write, void* user, uint32_t format,
                            JB2Message* message)
{
    if (!file)
        return cJB2_Error_Internal;
    if (page >= file->pages) {
        return JB2Fail(message, cJB2_Error_Invalid_Index, "Invalid page index for JB2_Document_Export_Page!");
    }
    JB2File* single = nullptr;
    JB2_Error status = JB2FileExtractPage(file, page, &single, message);
    if (status != cJB2_Error_OK) {
        return JB2Fail(message, status, "Failure exporting page %lld!", static_cast<long long>(page));
    }
    single->organisation = file->organisation <= cJB2_Organisation_Random_Access ? file->organisation
                                                                                 : cJB2_Organisation_Sequential;
    status = JB2FileExportDocument(single, write, user, format, message);
    JB2FileRelease(&single);
    return status;
}

JB2_Error JB2FileExtractPage(JB2File* file, uint32_t page, JB2File** out, JB2Message* message)
{
    if (!file || !out)
        return cJB2_Error_Internal;
    *out = nullptr;
    if (page >= UINT32_MAX)
        return cJB2_Error_Invalid_Index;
    JB2SegmentArray* segments = file->segments;
    const uint32_t association = page + 1;

    // Mark the page's segments and, as far as they reach, what they refer
    // to. Passes from the back settle links to earlier segments at once; the
    // number of passes is bounded, so a damaged web of links cannot hang.
    for (uint32_t i = 0; i < segments->count; ++i) {
        JB2SegmentHeader* segment = segments->items[i];
        segment->mark = segment->pageAssociation == association && segment->type != cJB2_Segment_End_Of_Page &&
                        segment->type != cJB2_Segment_End_Of_File;
    }
    bool changed = true;
    for (uint32_t pass = 0; changed && pass <= segments->count; ++pass) {
        changed = false;
        for (uint32_t i = segments->count; i-- > 0;) {
            JB2SegmentHeader* segment = segments->items[i];
            if (!segment->mark)
                continue;
            for (uint32_t r = 0; r < segment->referredCount; ++r) {
                JB2SegmentHeader* referred = segment->referredSegments ? segment->referredSegments[r] : nullptr;
                if (!referred)
                    return cJB2_Error_Invalid_Segment_Data;
                if (!referred->mark) {
                    referred->mark = 1;
                    changed = true;
                }
            }
        }
    }

    JB2File* single = nullptr;
    JB2_Error status = JB2FileCreate(&single, file->memory, message);
    if (status != cJB2_Error_OK)
        return status;
    single->organisation = file->organisation;
    // The mark of a copied segment becomes its copy's number + 1, so that
    // references can be mapped to the copies.
    uint32_t next = 0;
    for (uint32_t i = 0; i < segments->count && status == cJB2_Error_OK; ++i) {
        JB2SegmentHeader* source = segments->items[i];
        if (!source->mark)
            continue;
        JB2SegmentHeader* copy = nullptr;
        const uint32_t type =
            JB2SegmentTypeIsKnown(source->type) ? static_cast<uint32_t>(source->type) : static_cast<uint32_t>(cJB2_Segment_Extension);
        status = JB2SegmentCreate(&copy, file->memory, next, type, message);
        if (status != cJB2_Error_OK)
            break;
        copy->type = source->type;
        copy->retain = source->retain;
        JB2SegmentSetPageAssociation(copy, source->pageAssociation != 0 ? 1 : 0);
        status = JB2SegmentSetReferredCount(copy, source->referredCount, message);
        for (uint32_t r = 0; r < source->referredCount && status == cJB2_Error_OK; ++r) {
            JB2SegmentHeader* referred = source->referredSegments[r];
            JB2SegmentHeader* referredCopy = nullptr;
            if (referred->mark > 1)
                JB2SegmentArrayGet(single->segments, referred->mark - 2, &referredCopy);
            if (!referredCopy || referredCopy->number >= copy->number) {
                status = cJB2_Error_Invalid_Segment_Data;
                break;
            }
            copy->referredRetainBits[r] = source->referredRetainBits[r];
            status = JB2SegmentSetReferred(copy, r, referredCopy);
        }
        // The data, in pieces.
        uint8_t chunk[kJB2SegmentCopyChunk];
        const uint32_t length = JB2SegmentDataLength(source);
        for (uint32_t done = 0; done < length && status == cJB2_Error_OK;) {
            const uint32_t want = length - done < kJB2SegmentCopyChunk ? length - done : kJB2SegmentCopyChunk;
            status = JB2SegmentReadBytes(source, done, want, chunk);
            if (status == cJB2_Error_OK)
                status = JB2SegmentWriteBytes(copy, done, want, chunk);
            done += want;
        }
        if (status == cJB2_Error_OK)
            status = JB2SegmentArrayAdd(single->segments, copy, message);
        JB2SegmentRelease(&copy);
        source->mark = ++next + 1;
    }
    for (uint32_t i = 0; i < segments->count; ++i)
        segments->items[i]->mark = 0;
    if (status == cJB2_Error_OK)
        status = JB2PageAddNewSegment(single, cJB2_Segment_End_Of_Page, 1, message);
    if (status == cJB2_Error_OK)
        status = JB2PageAddNewSegment(single, cJB2_Segment_End_Of_File, 0, message);
    if (status != cJB2_Error_OK) {
        JB2FileRelease(&single);
        return status;
    }
    single->pages = JB2SegmentArrayLargestPage(single->segments);
    *out = single;
    return cJB2_Error_OK;
}

}  // namespace ZAV
