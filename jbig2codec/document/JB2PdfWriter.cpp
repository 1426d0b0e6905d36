#include "jbig2codec/document/JB2PdfWriter.h"

#include <cstdarg>
#include <cstdio>

#include "jbig2codec/io/JB2Cache.h"
#include "jbig2codec/document/JB2Page.h"
#include "jbig2codec/segments/JB2SegmentFields.h"

namespace ZAV {

namespace {

constexpr uint32_t kXrefEntryLength = 20;
constexpr uint32_t kXrefBlockSize = 2560;

bool InStream(const JB2SegmentHeader* segment, uint32_t page)
{
    return segment->pageAssociation == page && segment->type != cJB2_Segment_End_Of_Page &&
           segment->type != cJB2_Segment_End_Of_File;
}

JB2_Error ListStreamLength(JB2SegmentHeader* const* list, uint32_t count, uint32_t page, uint32_t* length);
JB2_Error ListWriteStream(JB2SegmentHeader* const* list, uint32_t count, uint32_t page, JB2WriteData* writeData,
                          uint32_t* offset, uint32_t* length, JB2Message* message);

// The cross-reference entries are kept 20 bytes each, at object number x 20,
// in a data cache of memory blocks.
struct PdfFile {
    uint32_t objects;  // object numbers in use: the highest + 1
    JB2Location* location;
    JB2Cache* xref;
};

struct Writer {
    JB2File* file;
    JB2Memory* memory;
    JB2WriteData* writeData;
    JB2Message* message;
    uint64_t offset;  // running output offset
    PdfFile pdf;
    uint32_t* pageObjects;
    uint32_t pages;
    // The segments in page order (stable: file order within a page), and the
    // start of the current page's run in it.
    JB2SegmentHeader** byPage;
    uint32_t count;
    uint32_t cursor;
};

// The run of segments of page `page` in writer.byPage, from the cursor on.
void PageRun(Writer& writer, uint32_t page, JB2SegmentHeader*** run, uint32_t* count)
{
    while (writer.cursor < writer.count && writer.byPage[writer.cursor]->pageAssociation < page)
        ++writer.cursor;
    uint32_t end = writer.cursor;
    while (end < writer.count && writer.byPage[end]->pageAssociation == page)
        ++end;
    *run = writer.byPage + writer.cursor;
    *count = end - writer.cursor;
}

// Sorts the segments by page association, keeping file order within a page.
JB2_Error OrderByPage(Writer& writer)
{
    const JB2SegmentArray* segments = writer.file->segments;
    writer.count = segments->count;
    if (writer.count == 0)
        return cJB2_Error_OK;
    writer.byPage = JB2MemoryAllocArray<JB2SegmentHeader*>(writer.memory, writer.count);
    JB2SegmentHeader** scratch = JB2MemoryAllocArray<JB2SegmentHeader*>(writer.memory, writer.count);
    if (!writer.byPage || !scratch) {
        if (scratch)
            JB2MemoryFree(writer.memory, &scratch);
        return JB2Fail(writer.message, cJB2_Error_Allocation_Failure, "Unable to allocate write pdf object!");
    }
    for (uint32_t i = 0; i < writer.count; ++i)
        writer.byPage[i] = segments->items[i];
    // Merging runs of doubling width, which keeps equal keys in order.
    JB2SegmentHeader** from = writer.byPage;
    JB2SegmentHeader** to = scratch;
    for (uint64_t width = 1; width < writer.count; width *= 2) {
        for (uint64_t left = 0; left < writer.count; left += 2 * width) {
            const uint64_t middle = left + width < writer.count ? left + width : writer.count;
            const uint64_t right = left + 2 * width < writer.count ? left + 2 * width : writer.count;
            uint64_t a = left;
            uint64_t b = middle;
            for (uint64_t k = left; k < right; ++k)
                to[k] = (a < middle && (b >= right || from[a]->pageAssociation <= from[b]->pageAssociation))
                            ? from[a++]
                            : from[b++];
        }
        JB2SegmentHeader** swap = from;
        from = to;
        to = swap;
    }
    if (from != writer.byPage) {
        for (uint32_t i = 0; i < writer.count; ++i)
            writer.byPage[i] = from[i];
    }
    JB2MemoryFree(writer.memory, &scratch);
    return cJB2_Error_OK;
}

JB2_Error AddXref(Writer& writer, uint32_t object, uint64_t offset, uint32_t generation, char use)
{
    if ((use != 'n' && use != 'f') || generation > 99999 || offset > 9999999999ull) {
        return JB2Fail(writer.message, cJB2_Error_Internal, "Unable to generate xref entry!");
    }
    char entry[kXrefEntryLength + 1];
    std::snprintf(entry, sizeof entry, "%010llu %05u %c \n", static_cast<unsigned long long>(offset), generation, use);
    uint32_t stored = 0;
    const uint64_t at = static_cast<uint64_t>(object) * kXrefEntryLength;
    JB2_Error status = at + kXrefEntryLength <= UINT32_MAX
                           ? JB2CacheWrite(writer.pdf.xref, writer.memory, static_cast<uint32_t>(at), kXrefEntryLength,
                                           reinterpret_cast<const uint8_t*>(entry), &stored)
                           : cJB2_Error_Internal;
    if (status != cJB2_Error_OK || stored != kXrefEntryLength) {
        return JB2Fail(writer.message, status != cJB2_Error_OK ? status : cJB2_Error_Internal,
                       "Unable to add xref entry!");
    }
    if (object >= writer.pdf.objects)
        writer.pdf.objects = object + 1;
    return cJB2_Error_OK;
}

JB2_Error Text(Writer& writer, const char* format, ...) JB2_PRINTF(2, 3);

// One formatted piece written at the running offset.
JB2_Error Text(Writer& writer, const char* format, ...)
{
    char text[kJB2TextBufferSize];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    if (length < 0 || static_cast<uint32_t>(length) >= kJB2TextBufferSize)
        return cJB2_Error_Write_Failure;
    if (writer.offset + length > UINT32_MAX)
        return cJB2_Error_Write_Failure;
    const uint32_t size = static_cast<uint32_t>(length);
    if (size && JB2WriteDataWrite(writer.writeData, reinterpret_cast<const uint8_t*>(text),
                                  static_cast<uint32_t>(writer.offset), size) != size)
        return cJB2_Error_Write_Failure;
    writer.offset += size;
    return cJB2_Error_OK;
}

// Starts object `number` at the running offset.
JB2_Error BeginObject(Writer& writer, uint32_t number)
{
    JB2_Error status = AddXref(writer, number, writer.offset, 0, 'n');
    return status != cJB2_Error_OK ? status : Text(writer, "%u 0 obj\n", number);
}

// Size in points from pixels per metre; without a resolution a pixel is a point.
void PageSizeInPoints(uint32_t width, uint32_t height, uint32_t xResolution, uint32_t yResolution, double* pointsX,
                      double* pointsY)
{
    double dividerX = 72.0;
    double dividerY = 72.0;
    if (xResolution != 0 && yResolution != 0) {
        dividerX = xResolution * 0.0254;
        dividerY = yResolution * 0.0254;
    }
    *pointsX = width * 72.0 / dividerX;
    *pointsY = height * 72.0 / dividerY;
}

#define RETURN_IF_FAILED(expression)                    \
    do {                                                \
        JB2_Error status_ = (expression);               \
        if (status_ != cJB2_Error_OK)                   \
            return status_;                             \
    } while (0)

JB2_Error WriteGlobals(Writer& writer, uint32_t number)
{
    JB2SegmentHeader** run = nullptr;
    uint32_t count = 0;
    PageRun(writer, 0, &run, &count);
    uint32_t length = 0;
    RETURN_IF_FAILED(ListStreamLength(run, count, 0, &length));
    RETURN_IF_FAILED(BeginObject(writer, number));
    RETURN_IF_FAILED(Text(writer, "  << /Length %u >>\nstream\n", length));
    uint32_t offset = static_cast<uint32_t>(writer.offset);
    uint32_t written = 0;
    RETURN_IF_FAILED(ListWriteStream(run, count, 0, writer.writeData, &offset, &written, writer.message));
    if (written != length)
        return cJB2_Error_Internal;
    writer.offset = offset;
    RETURN_IF_FAILED(Text(writer, "\nendstream\n"));
    return Text(writer, "endobj\n");
}

// What the objects of one page need to know of it.
struct PageImage {
    JB2SegmentHeader** run;
    uint32_t count;
    uint32_t width;
    uint32_t height;
    uint32_t xResolution;
    uint32_t yResolution;
    uint32_t length;  // of the image stream
};

// A page of unknown height (T.88 7.4.8.2) is as high as its last stripe says.
uint32_t LastStripeRow(JB2SegmentHeader** run, uint32_t count)
{
    uint32_t last = 0;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t row = 0;
        if (run[i]->type == cJB2_Segment_End_Of_Stripe && JB2EndOfStripeGetRow(run[i], &row) == cJB2_Error_OK &&
            row > last)
            last = row;
    }
    return last;
}

JB2_Error ReadPageImage(Writer& writer, uint32_t association, PageImage* image)
{
    PageRun(writer, association, &image->run, &image->count);
    JB2SegmentHeader* information = nullptr;
    for (uint32_t i = 0; i < image->count && !information; ++i)
        if (image->run[i]->type == cJB2_Segment_Page_Information)
            information = image->run[i];
    if (!information)
        return cJB2_Error_Internal;
    RETURN_IF_FAILED(JB2PageInfoGetWidth(information, &image->width));
    RETURN_IF_FAILED(JB2PageInfoGetHeight(information, &image->height));
    RETURN_IF_FAILED(JB2PageInfoGetXResolution(information, &image->xResolution));
    RETURN_IF_FAILED(JB2PageInfoGetYResolution(information, &image->yResolution));
    const uint32_t lastStripeRow = LastStripeRow(image->run, image->count);
    if (image->height == 0xFFFFFFFFu && lastStripeRow != 0xFFFFFFFFu)
        image->height = lastStripeRow + 1;
    RETURN_IF_FAILED(ListStreamLength(image->run, image->count, association, &image->length));
    if (image->width == 0 || image->height == 0 || image->height == 0xFFFFFFFFu || image->length == 0)
        return cJB2_Error_Internal;
    return cJB2_Error_OK;
}

JB2_Error WriteImageObject(Writer& writer, const PageImage& image, uint32_t association, uint32_t object,
                           uint32_t globals)
{
    RETURN_IF_FAILED(BeginObject(writer, object));
    const uint64_t dictionaryStart = writer.offset;
    RETURN_IF_FAILED(Text(writer,
                          "  << /Type             /XObject\n     /Subtype          /Image\n"
                          "     /Width            %u\n     /Height           %u\n"
                          "     /BitsPerComponent 1\n     /ColorSpace       /DeviceGray\n"
                          "     /Length           %u\n     /Filter           [/JBIG2Decode]\n",
                          image.width, image.height, image.length));
    if (globals)
        RETURN_IF_FAILED(Text(writer, "     /DecodeParms      [<< /JBIG2Globals %u 0 R >>]\n", globals));
    RETURN_IF_FAILED(Text(writer, "  >>\n"));
    RETURN_IF_FAILED(Text(writer, "stream\n"));
    const uint64_t streamStart = writer.offset;
    uint32_t offset = static_cast<uint32_t>(writer.offset);
    uint32_t written = 0;
    RETURN_IF_FAILED(
        ListWriteStream(image.run, image.count, association, writer.writeData, &offset, &written, writer.message));
    if (written != image.length || offset != streamStart + image.length || offset < dictionaryStart)
        return cJB2_Error_Internal;
    writer.offset = offset;
    RETURN_IF_FAILED(Text(writer, "\nendstream\n"));
    return Text(writer, "endobj\n");
}

// The content stream draws the image over the whole page.
JB2_Error WriteContentObject(Writer& writer, uint32_t object, double pointsX, double pointsY)
{
    char content[kJB2TextBufferSize];
    const int contentLength =
        std::snprintf(content, sizeof content, "  q\n    %.2f 0 0 %.2f 0 0 cm\n    /ImM Do\n  Q\n", pointsX, pointsY);
    if (contentLength < 0 || static_cast<uint32_t>(contentLength) >= sizeof content)
        return cJB2_Error_Write_Failure;
    RETURN_IF_FAILED(BeginObject(writer, object));
    RETURN_IF_FAILED(Text(writer, "  << /Length %d >>\nstream\n", contentLength));
    RETURN_IF_FAILED(Text(writer, "%s", content));
    RETURN_IF_FAILED(Text(writer, "endstream\n"));
    return Text(writer, "endobj\n");
}

// Four objects from `first` on: the image, its resources, the content stream
// and the page.
JB2_Error WritePage(Writer& writer, uint32_t index, uint32_t first, uint32_t globals)
{
    PageImage image{};
    RETURN_IF_FAILED(ReadPageImage(writer, index + 1, &image));
    RETURN_IF_FAILED(WriteImageObject(writer, image, index + 1, first, globals));
    RETURN_IF_FAILED(BeginObject(writer, first + 1));
    RETURN_IF_FAILED(Text(writer, "  << /XObject << /ImM %u 0 R >> >>\n", first));
    RETURN_IF_FAILED(Text(writer, "endobj\n"));
    double pointsX = 0;
    double pointsY = 0;
    PageSizeInPoints(image.width, image.height, image.xResolution, image.yResolution, &pointsX, &pointsY);
    RETURN_IF_FAILED(WriteContentObject(writer, first + 2, pointsX, pointsY));
    RETURN_IF_FAILED(BeginObject(writer, first + 3));
    RETURN_IF_FAILED(Text(writer,
                          "  << /Type       /Page\n     /Parent     %u 0 R \n     /MediaBox   [0 0 %.2f %.2f]\n"
                          "     /Resources  %u 0 R\n     /Contents   %u 0 R\n  >>\n",
                          2u, pointsX, pointsY, first + 1, first + 2));
    RETURN_IF_FAILED(Text(writer, "endobj\n"));
    writer.pageObjects[writer.pages++] = first + 3;
    return cJB2_Error_OK;
}

JB2_Error WriteDocument(Writer& writer)
{
    // The header: entry 0 free, 1 and 2 kept for the catalog and page tree.
    if (writer.pdf.objects != 0)
        return cJB2_Error_Internal;
    RETURN_IF_FAILED(AddXref(writer, 0, 0, 65535, 'f'));
    writer.pdf.objects = 3;
    RETURN_IF_FAILED(Text(writer, "%%PDF-1.4\n"));
    RETURN_IF_FAILED(Text(writer, "%%\xE2\xE3\xCF\xD3\x8A\x9B\xAC\xBD\xCE\xDF\n"));

    RETURN_IF_FAILED(OrderByPage(writer));
    uint32_t next = 3;
    uint32_t globals = 0;
    if (JB2PdfPagesNeedGlobals(writer.file)) {
        globals = next++;
        RETURN_IF_FAILED(WriteGlobals(writer, globals));
    }
    // Every page needs its page information segment: a page count above the
    // segments fails at the first page without one, never beyond the list.
    const uint32_t pages = writer.file->pages;
    for (uint32_t index = 0; index < pages; ++index) {
        if (index >= writer.file->segments->count)
            return cJB2_Error_Internal;
        RETURN_IF_FAILED(WritePage(writer, index, next, globals));
        next += 4;
    }

    RETURN_IF_FAILED(BeginObject(writer, 1));
    RETURN_IF_FAILED(Text(writer, "  << /Type       /Catalog\n     /Pages      %u 0 R \n  >>\n", 2u));
    RETURN_IF_FAILED(Text(writer, "endobj\n"));

    if (writer.pages == 0)
        return cJB2_Error_Internal;
    RETURN_IF_FAILED(BeginObject(writer, 2));
    RETURN_IF_FAILED(Text(writer, "  << /Type       /Pages\n     /Kids     [ %u 0 R\n", writer.pageObjects[0]));
    for (uint32_t i = 1; i < writer.pages; ++i)
        RETURN_IF_FAILED(Text(writer, "                 %u 0 R\n", writer.pageObjects[i]));
    RETURN_IF_FAILED(Text(writer, "               ]\n     /Count      %u\n  >>\n", writer.pages));
    RETURN_IF_FAILED(Text(writer, "endobj\n"));

    const uint64_t xrefOffset = writer.offset;
    RETURN_IF_FAILED(Text(writer, "xref\n0 %u\n", writer.pdf.objects));
    for (uint32_t object = 0; object < writer.pdf.objects; ++object) {
        uint8_t entry[kXrefEntryLength];
        uint32_t got = 0;
        JB2_Error status = JB2CacheRead(writer.pdf.xref, writer.memory, object * kXrefEntryLength, kXrefEntryLength,
                                        entry, &got);
        if (status != cJB2_Error_OK || got != kXrefEntryLength)
            return cJB2_Error_Read_Failure;
        if (JB2WriteDataWrite(writer.writeData, entry, static_cast<uint32_t>(writer.offset), kXrefEntryLength) !=
            kXrefEntryLength)
            return cJB2_Error_Write_Failure;
        writer.offset += kXrefEntryLength;
    }
    return Text(writer,
                "trailer\n  << /Size       %u\n     /Root       %u 0 R\n  >>\nstartxref\n%llu\n%%%%EOF\n",
                writer.pdf.objects, 1u, static_cast<unsigned long long>(xrefOffset));
}

}  // namespace

bool JB2PdfPagesNeedGlobals(const JB2File* file)
{
    const JB2SegmentArray* segments = file->segments;
    for (uint32_t i = 0; i < segments->count; ++i) {
        const JB2SegmentHeader* segment = segments->items[i];
        if (segment->pageAssociation == 0)
            continue;
        for (uint32_t r = 0; r < segment->referredCount; ++r) {
            const JB2SegmentHeader* referred = segment->referredSegments[r];
            if (referred && referred->pageAssociation == 0)
                return true;
        }
    }
    return false;
}

namespace {

// In a page's stream every page segment belongs to page 1, in one byte;
// while this lives the segment's header is written that way, and the
// segment keeps its own association afterwards.
class StreamPageAssociation {
public:
    StreamPageAssociation(JB2SegmentHeader* segment, uint32_t page)
        : m_segment(segment), m_stored(segment->pageAssociation), m_wide(segment->pageAssociationIs4Bytes)
    {
        segment->pageAssociation = page == 0 ? 0 : 1;
        segment->pageAssociationIs4Bytes = 0;
    }
    ~StreamPageAssociation()
    {
        m_segment->pageAssociation = m_stored;
        m_segment->pageAssociationIs4Bytes = m_wide;
    }
    StreamPageAssociation(const StreamPageAssociation&) = delete;
    StreamPageAssociation& operator=(const StreamPageAssociation&) = delete;

private:
    JB2SegmentHeader* m_segment;
    uint32_t m_stored;
    uint8_t m_wide;
};

// The stream of page `page` from a list of segments: those of the page in
// list order.
JB2_Error ListStreamLength(JB2SegmentHeader* const* list, uint32_t count, uint32_t page, uint32_t* length)
{
    *length = 0;
    uint64_t total = 0;
    for (uint32_t i = 0; i < count; ++i) {
        JB2SegmentHeader* segment = list[i];
        if (!InStream(segment, page))
            continue;
        uint32_t header = 0;
        {
            const StreamPageAssociation inStream(segment, page);
            header = JB2SegmentHeaderLength(segment);
        }
        if (header == 0)
            return cJB2_Error_Internal;
        total += header + static_cast<uint64_t>(JB2SegmentDataLength(segment));
    }
    if (total > UINT32_MAX)
        return cJB2_Error_Write_Failure;
    *length = static_cast<uint32_t>(total);
    return cJB2_Error_OK;
}

JB2_Error ListWriteStream(JB2SegmentHeader* const* list, uint32_t count, uint32_t page, JB2WriteData* writeData,
                          uint32_t* offset, uint32_t* length, JB2Message* message)
{
    *length = 0;
    uint64_t position = *offset;
    for (uint32_t i = 0; i < count; ++i) {
        JB2SegmentHeader* segment = list[i];
        if (!InStream(segment, page))
            continue;
        if (position > UINT32_MAX)
            return cJB2_Error_Write_Failure;
        uint32_t header = 0;
        JB2_Error status = cJB2_Error_OK;
        {
            const StreamPageAssociation inStream(segment, page);
            status = JB2SegmentWriteHeader(segment, writeData, static_cast<uint32_t>(position), &header, message);
        }
        if (status != cJB2_Error_OK)
            return status;
        position += header;
        if (position > UINT32_MAX)
            return cJB2_Error_Write_Failure;
        status = JB2SegmentWriteData(segment, writeData, static_cast<uint32_t>(position), message);
        if (status != cJB2_Error_OK)
            return status;
        position += JB2SegmentDataLength(segment);
    }
    if (position - *offset > UINT32_MAX || position > UINT32_MAX + 1ull)
        return cJB2_Error_Write_Failure;
    *length = static_cast<uint32_t>(position - *offset);
    *offset = static_cast<uint32_t>(position);
    return cJB2_Error_OK;
}

}  // namespace

JB2_Error JB2PdfPageStreamLength(JB2File* file, uint32_t page, uint32_t* length)
{
    if (!file || !length)
        return cJB2_Error_Internal;
    *length = 0;
    if (page > file->pages)
        return cJB2_Error_Internal;
    return ListStreamLength(file->segments->items, file->segments->count, page, length);
}

JB2_Error JB2PdfWritePageStream(JB2File* file, uint32_t page, JB2WriteData* writeData, uint32_t* offset,
                                uint32_t* length, JB2Message* message)
{
    if (!file || !offset || !length)
        return cJB2_Error_Internal;
    *length = 0;
    if (page > file->pages)
        return cJB2_Error_Internal;
    return ListWriteStream(file->segments->items, file->segments->count, page, writeData, offset, length, message);
}

JB2_Error JB2PdfWriteStreamForPdf(JB2File* file, JB2WriteData* writeData, JB2Message* message)
{
    if (!file)
        return cJB2_Error_Internal;
    // A stream alone cannot carry the global segments its page refers to.
    if (JB2PdfPagesNeedGlobals(file)) {
        JB2MessageSend(message, cJB2_Message_Error, "Invalid export format!");
        JB2MessageSend(message, cJB2_Message_Error,
                       "cJB2_Export_Format_Stream_For_PDF can't be used for pages that refer to global segments!");
        JB2MessageEnd(message, cJB2_Message_Error);
        return cJB2_Error_Invalid_Export_Format;
    }
    if (file->pages == 0)
        return cJB2_Error_Internal;
    uint32_t offset = 0;
    uint32_t length = 0;
    return JB2PdfWritePageStream(file, 1, writeData, &offset, &length, message);
}

JB2_Error JB2PdfWriteDocument(JB2File* file, JB2WriteData* writeData, JB2Message* message)
{
    if (!file)
        return cJB2_Error_Internal;
    Writer writer = {};
    writer.file = file;
    writer.memory = file->memory;
    writer.writeData = writeData;
    writer.message = message;
    JB2_Error status = JB2LocationCreate(&writer.pdf.location, writer.memory, 0, 0, message);
    if (status != cJB2_Error_OK)
        return status;
    status = JB2CacheCreate(&writer.pdf.xref, writer.memory, writer.pdf.location, nullptr, cJB2_Cache_Memory_Blocks,
                            kXrefBlockSize, nullptr, message);
    if (status != cJB2_Error_OK) {
        JB2MessageError(message, "Unable to allocate xref cache for pdf file object!");
    } else if (file->pages != 0 &&
               !(writer.pageObjects = JB2MemoryAllocArray<uint32_t>(
                     writer.memory, file->pages < file->segments->count ? file->pages : file->segments->count))) {
        status = JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate write pdf object!");
    } else {
        status = WriteDocument(writer);
    }
    if (writer.pageObjects)
        JB2MemoryFree(writer.memory, &writer.pageObjects);
    if (writer.byPage)
        JB2MemoryFree(writer.memory, &writer.byPage);
    if (writer.pdf.xref)
        JB2CacheRelease(&writer.pdf.xref, writer.memory);
    JB2LocationRelease(&writer.pdf.location, writer.memory);
    return status;
}

}  // namespace ZAV
