#include "jbig2codec/document/JB2FileExport.h"

#include <algorithm>

#include "jbig2codec/document/JB2PageExtract.h"
#include "jbig2codec/document/JB2PdfWriter.h"

namespace ZAV {

namespace {

constexpr uint8_t kFlagSequential = 1;
constexpr uint8_t kFlagPagesUnknown = 2;

// T.88 D.4.1 to D.4.3: id, flags and, when known, the number of pages.
JB2_Error WriteFileHeader(const JB2File* file, JB2WriteData* writeData, uint64_t* offset, JB2Message* message)
{
    if (JB2WriteDataWrite(writeData, kJB2FileId, 0, 8) != 8)
        return JB2Fail(message, cJB2_Error_Write_Failure, "Failure writing file header id!");
    const bool sequential = file->organisation == cJB2_Organisation_Sequential;
    const uint8_t flags =
        static_cast<uint8_t>((sequential ? kFlagSequential : 0) | (file->pages == 0 ? kFlagPagesUnknown : 0));
    if (JB2WriteDataWriteByte(writeData, 8, flags) != 1)
        return JB2Fail(message, cJB2_Error_Write_Failure, "Failure writing file header flag!");
    *offset = 9;
    if (file->pages != 0) {
        if (JB2WriteDataWriteU32(writeData, 9, file->pages) != 4)
            return JB2Fail(message, cJB2_Error_Write_Failure, "Failure writing file header number of pages field!");
        *offset = 13;
    }
    return cJB2_Error_OK;
}

JB2_Error WriteHeaderAt(JB2SegmentHeader* segment, JB2WriteData* writeData, uint64_t* offset, JB2Message* message)
{
    if (*offset > UINT32_MAX)
        return cJB2_Error_Write_Failure;
    uint32_t length = 0;
    JB2_Error status = JB2SegmentWriteHeader(segment, writeData, static_cast<uint32_t>(*offset), &length, message);
    *offset += length;
    return status;
}

JB2_Error WriteDataAt(JB2SegmentHeader* segment, JB2WriteData* writeData, uint64_t* offset, JB2Message* message)
{
    if (*offset > UINT32_MAX)
        return cJB2_Error_Write_Failure;
    JB2_Error status = JB2SegmentWriteData(segment, writeData, static_cast<uint32_t>(*offset), message);
    *offset += JB2SegmentDataLength(segment);
    return status;
}

// T.88 D.1: each segment's header followed by its data.
JB2_Error WriteSequential(JB2SegmentArray* segments, JB2WriteData* writeData, uint64_t offset, JB2Message* message)
{
    for (uint32_t i = 0; i < segments->count; ++i) {
        JB2_Error status = WriteHeaderAt(segments->items[i], writeData, &offset, message);
        if (status == cJB2_Error_OK)
            status = WriteDataAt(segments->items[i], writeData, &offset, message);
        if (status != cJB2_Error_OK)
            return status;
    }
    return cJB2_Error_OK;
}

// Readers find the end of the headers only by the end of file segment: a
// document without one gets it in the file.
JB2_Error WriteMissingEndOfFile(JB2File* file, JB2WriteData* writeData, uint64_t* offset, JB2Message* message)
{
    const JB2SegmentArray* segments = file->segments;
    if (segments->count > 0 && segments->items[segments->count - 1]->type == cJB2_Segment_End_Of_File)
        return cJB2_Error_OK;
    JB2SegmentHeader* end = nullptr;
    const uint32_t number = segments->count ? segments->items[segments->count - 1]->number + 1 : 0;
    JB2_Error status = JB2SegmentCreate(&end, file->memory, number, cJB2_Segment_End_Of_File, message);
    if (status != cJB2_Error_OK)
        return status;
    status = WriteHeaderAt(end, writeData, offset, message);
    JB2SegmentRelease(&end);
    return status;
}

// T.88 D.2: all headers, then all data in the same order.
JB2_Error WriteRandomAccess(JB2File* file, JB2WriteData* writeData, uint64_t offset, JB2Message* message)
{
    JB2SegmentArray* segments = file->segments;
    JB2_Error status = cJB2_Error_OK;
    for (uint32_t i = 0; i < segments->count && status == cJB2_Error_OK; ++i)
        status = WriteHeaderAt(segments->items[i], writeData, &offset, message);
    if (status == cJB2_Error_OK)
        status = WriteMissingEndOfFile(file, writeData, &offset, message);
    for (uint32_t i = 0; i < segments->count && status == cJB2_Error_OK; ++i)
        status = WriteDataAt(segments->items[i], writeData, &offset, message);
    return status;
}

// Referred-to numbers follow the numbers of the segments they point at.
void FollowReferredNumbers(JB2SegmentArray* segments)
{
    for (uint32_t i = 0; i < segments->count; ++i) {
        JB2SegmentHeader* segment = segments->items[i];
        for (uint32_t r = 0; r < segment->referredCount; ++r)
            if (segment->referredSegments && segment->referredSegments[r])
                segment->referredNumbers[r] = segment->referredSegments[r]->number;
    }
}

// The write order: global segments first, then each page's segments in page
// order, each group in file order (the position breaks ties), end of file last.
uint64_t WriteOrderKey(const JB2SegmentHeader* segment, uint32_t position)
{
    const uint64_t group = segment->type == cJB2_Segment_End_Of_File ? UINT32_MAX : segment->pageAssociation;
    return (group << 32) | position;
}

// `ordered` holds the segments of `file` in write order, numbered from 0 in
// that order; `numbers` keeps their own numbers.
JB2_Error OrderSegments(JB2File* file, JB2File* ordered, uint64_t* keys, uint32_t* numbers, JB2Message* message)
{
    JB2SegmentArray* segments = file->segments;
    for (uint32_t i = 0; i < segments->count; ++i) {
        keys[i] = WriteOrderKey(segments->items[i], i);
        numbers[i] = segments->items[i]->number;
    }
    std::sort(keys, keys + segments->count);
    JB2_Error status = JB2SegmentArrayReserve(ordered->segments, segments->count, message);
    for (uint32_t k = 0; k < segments->count && status == cJB2_Error_OK; ++k) {
        JB2SegmentHeader* segment = segments->items[keys[k] & UINT32_MAX];
        segment->number = k;
        status = JB2SegmentArrayAdd(ordered->segments, segment, message);
    }
    FollowReferredNumbers(segments);
    ordered->organisation = file->organisation;
    ordered->pages = file->pages;
    return status;
}

// Other decoders take the pages of a JBIG2 file in file order, ours by page
// association: a document whose pages were inserted out of order is written
// page by page, renumbered for the write only, so that every reader sees the
// same pages in the same order.
JB2_Error WriteJBIG2InPageOrder(JB2File* file, JB2WriteData* writeData, JB2Message* message)
{
    if (JB2FilePagesInOrder(file))
        return JB2FileWriteJBIG2(file, writeData, message);
    JB2SegmentArray* segments = file->segments;
    auto* keys = JB2MemoryAllocArray<uint64_t>(file->memory, segments->count);
    auto* numbers = JB2MemoryAllocArray<uint32_t>(file->memory, segments->count);
    JB2File* ordered = nullptr;
    JB2_Error status = keys && numbers ? JB2FileCreate(&ordered, file->memory, message)
                                       : JB2Fail(message, cJB2_Error_Allocation_Failure,
                                                 "Unable to allocate page order of the document!");
    if (status == cJB2_Error_OK) {
        status = OrderSegments(file, ordered, keys, numbers, message);
        if (status == cJB2_Error_OK)
            status = JB2FileWriteJBIG2(ordered, writeData, message);
        for (uint32_t i = 0; i < segments->count; ++i)
            segments->items[i]->number = numbers[i];
        FollowReferredNumbers(segments);
        JB2FileRelease(&ordered);
    }
    if (keys)
        JB2MemoryFree(file->memory, &keys);
    if (numbers)
        JB2MemoryFree(file->memory, &numbers);
    return status;
}

JB2_Error WriteStreamForPdf(JB2File* file, JB2WriteData* writeData, JB2Message* message)
{
    if (file->pages > 1) {
        JB2MessageSend(message, cJB2_Message_Error, "Invalid export format!");
        JB2MessageSend(message, cJB2_Message_Error,
                       "cJB2_Export_Format_Stream_For_PDF can only be used for single page documents!");
        JB2MessageEnd(message, cJB2_Message_Error);
        return cJB2_Error_Invalid_Export_Format;
    }
    return JB2PdfWriteStreamForPdf(file, writeData, message);
}

}  // namespace

JB2_Error JB2FileWriteJBIG2(JB2File* file, JB2WriteData* writeData, JB2Message* message)
{
    if (!file || file->organisation > cJB2_Organisation_Random_Access)
        return cJB2_Error_Internal;
    uint64_t offset = 0;
    JB2_Error status = WriteFileHeader(file, writeData, &offset, message);
    if (status != cJB2_Error_OK)
        return status;
    if (file->organisation == cJB2_Organisation_Sequential)
        return WriteSequential(file->segments, writeData, offset, message);
    return WriteRandomAccess(file, writeData, offset, message);
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
        status = WriteJBIG2InPageOrder(file, writeData, message);
        break;
    case cJB2_Export_Format_PDF:
        status = JB2PdfWriteDocument(file, writeData, message);
        break;
    case cJB2_Export_Format_Stream_For_PDF:
        status = WriteStreamForPdf(file, writeData, message);
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

}  // namespace ZAV
