#include "jbig2codec/document/JB2DecompressProperties.h"

#include <cstring>

#include "jbig2codec/support/JB2Limits.h"
#include "jbig2codec/document/JB2Page.h"
#include "jbig2codec/render/JB2RegionDispatch.h"
#include "jbig2codec/segments/JB2SegmentFields.h"

namespace ZAV {

JB2_Error JB2DecompressPropertiesCreate(JB2DecompressProperties** out, JB2Memory* memory, JB2File* file,
                                        JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = JB2MemoryNew<JB2DecompressProperties>(memory);
    if (!*out) {
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate decompression properties object!");
    }
    (*out)->file = file;
    (*out)->combination = kJB2CombinationOperatorOverridden;
    return cJB2_Error_OK;
}

void JB2DecompressPropertiesDropPage(JB2DecompressProperties* properties, JB2Memory* memory)
{
    if (properties->buffer)
        JB2MemoryFree(memory, &properties->buffer);
    if (properties->line)
        JB2MemoryFree(memory, &properties->line);
    properties->rendered = 0;
}

JB2_Error JB2DecompressPropertiesRelease(JB2DecompressProperties** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Free_Failure;
    JB2DecompressPropertiesDropPage(*holder, memory);
    return JB2MemoryFree(memory, holder);
}

namespace {

// The current page's information segment, as the request needs it.
struct PageInfo {
    uint32_t width;
    uint32_t height;
    uint8_t defaultPixel;
    uint32_t combination;
};

JB2_Error ReadPageInfo(JB2File* file, uint32_t page, PageInfo* info)
{
    JB2_Error status = JB2PageGetWidth(file, page, &info->width);
    if (status == cJB2_Error_OK)
        status = JB2PageGetHeight(file, page, &info->height);
    if (status == cJB2_Error_OK)
        status = JB2PageGetDefaultPixel(file, page, &info->defaultPixel);
    if (status == cJB2_Error_OK)
        status = JB2PageGetDefaultCombinationOperator(file, page, &info->combination);
    return status;
}

// Equal factors are accepted and deliver the page at full size.
JB2_Error CheckScale(uint32_t scaleUp, uint32_t scaleDown, JB2Message* message)
{
    if (scaleDown == 0)
        return JB2Fail(message, cJB2_Error_Not_Yet_Supported, "Scaling down factor may not be set to 0!");
    if (scaleUp == 0)
        return JB2Fail(message, cJB2_Error_Not_Yet_Supported, "Scaling up factor may not be set to 0!");
    if (scaleUp != scaleDown) {
        return JB2Fail(message, cJB2_Error_Not_Yet_Supported,
                       "Scaling is not currently supported during decompression!");
    }
    return cJB2_Error_OK;
}

// The rectangle asked for, right and bottom exclusive; all zero is the page.
JB2_Error SetRectangle(JB2DecompressProperties* properties, const PageInfo& info, uint32_t left, uint32_t right,
                       uint32_t top, uint32_t bottom, JB2Message* message)
{
    if (left == 0 && right == 0) {
        if (top != 0 || bottom != 0)
            return JB2Fail(message, cJB2_Error_Not_Yet_Supported, "Invalid decompress region!");
        right = info.width;
        bottom = info.height;
    } else if (!(left < right && top < bottom && right <= info.width && bottom <= info.height)) {
        return JB2Fail(message, cJB2_Error_Not_Yet_Supported, "Invalid decompress region!");
    }
    properties->left = left;
    properties->right = right;
    properties->top = top;
    properties->bottom = bottom;
    return cJB2_Error_OK;
}

// The page buffer filled with the default pixel, and one output row.
JB2_Error AllocatePage(JB2DecompressProperties* properties, JB2Memory* memory, const PageInfo& info,
                       JB2Message* message)
{
    if (info.defaultPixel > 1)
        return cJB2_Error_Internal;
    JB2DecompressPropertiesDropPage(properties, memory);
    const uint64_t stride = (static_cast<uint64_t>(info.width) + 7) / 8;
    const uint64_t size = stride * info.height;
    if (size > kJB2MaxPageBufferBytes) {
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data,
                       "Page of %lld x %lld pixels is too large to decompress!", static_cast<long long>(info.width),
                       static_cast<long long>(info.height));
    }
    properties->buffer = static_cast<uint8_t*>(JB2MemoryAlloc(memory, size));
    if (!properties->buffer)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate decompression buffer!");
    // The block comes zero-filled: only a black default needs a second pass.
    if (info.defaultPixel)
        std::memset(properties->buffer, 0xFF, static_cast<size_t>(size));
    // One spare byte: a row of the rectangle is shifted into place.
    properties->line = static_cast<uint8_t*>(JB2MemoryAlloc(memory, stride + 1));
    if (!properties->line) {
        JB2DecompressPropertiesDropPage(properties, memory);
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate decompression line buffer!");
    }
    properties->width = info.width;
    properties->height = info.height;
    properties->stride = static_cast<uint32_t>(stride);
    properties->combination = info.combination;
    return cJB2_Error_OK;
}

// One segment of the page: regions are drawn, a region the codec cannot
// draw is skipped with its warning (the document says so beforehand through
// property 70), other segments draw nothing.
JB2_Error RenderSegment(JB2DecompressProperties* properties, JB2Memory* memory, JB2SegmentHeader* segment,
                        JB2Message* message)
{
    const uint32_t type = segment->type;
    if (type == cJB2_Segment_End_Of_File) {
        return JB2Warn(message, cJB2_Error_OK, "End of file segment found before end of page for page %lld!",
                       static_cast<long long>(properties->page));
    }
    if (!JB2SegmentTypeIsKnown(type)) {
        return JB2Warn(message, cJB2_Error_OK, "Ignoring unknown segment type (%lld)!", static_cast<long long>(type));
    }
    if (!JB2SegmentTypeIsRegion(type))
        return cJB2_Error_OK;
    uint8_t renderable = 0;
    JB2_Error status = JB2RegionCanRender(segment, &renderable, message);
    if (status != cJB2_Error_OK || !renderable)
        return status;
    const JB2PageBitmap page{properties->buffer, properties->width, properties->height};
    return JB2RenderRegion(segment, memory, page, properties->combination, message);
}

// Every segment of the current page in file order, up to its end of page.
JB2_Error RenderPage(JB2DecompressProperties* properties, JB2Memory* memory, JB2Message* message)
{
    JB2SegmentArray* segments = properties->file->segments;
    const uint32_t association = properties->page + 1;
    for (uint32_t i = 0; i < segments->count; ++i) {
        JB2SegmentHeader* segment = nullptr;
        JB2_Error status = JB2SegmentArrayGet(segments, i, &segment);
        if (status != cJB2_Error_OK) {
            return JB2Fail(message, status, "Error getting segment %lld during page rendering!",
                           static_cast<long long>(i));
        }
        if (segment->pageAssociation != association)
            continue;
        if (segment->type == cJB2_Segment_End_Of_Page)
            break;
        status = RenderSegment(properties, memory, segment, message);
        if (status != cJB2_Error_OK)
            return status;
    }
    return cJB2_Error_OK;
}

// The page is rendered once; later requests deliver from the same buffer.
JB2_Error RenderOnce(JB2DecompressProperties* properties, JB2Memory* memory, const PageInfo& info, JB2Message* message)
{
    if (properties->rendered)
        return cJB2_Error_OK;
    JB2_Error status = AllocatePage(properties, memory, info, message);
    if (status == cJB2_Error_OK)
        status = RenderPage(properties, memory, message);
    if (status != cJB2_Error_OK) {
        JB2DecompressPropertiesDropPage(properties, memory);
        return status;
    }
    properties->rendered = 1;
    return cJB2_Error_OK;
}

// Row `row` of the rectangle in the line buffer: the bytes it covers, never
// past the row's end, shifted to start at its left column, bits past its
// width cleared.
const uint8_t* CutRow(const JB2DecompressProperties* properties, const uint8_t* pageRow)
{
    const uint32_t regionWidth = properties->right - properties->left;
    // In 64 bits: a page up to 2^32 - 1 pixels wide fits the buffer limit.
    const uint32_t regionBytes = static_cast<uint32_t>((static_cast<uint64_t>(regionWidth) + 7) / 8);
    const uint32_t firstByte = properties->left / 8;
    const uint32_t shift = properties->left % 8;
    uint8_t* line = properties->line;
    uint32_t take = regionBytes + (shift ? 1 : 0);
    if (take > properties->stride - firstByte)
        take = properties->stride - firstByte;
    std::memset(line, 0, properties->stride + 1);
    std::memcpy(line, pageRow + firstByte, take);
    if (shift) {
        for (uint32_t i = 0; i < regionBytes; ++i)
            line[i] = static_cast<uint8_t>((line[i] << shift) | (line[i + 1] >> (8 - shift)));
    }
    if (regionWidth % 8)
        line[regionBytes - 1] &= static_cast<uint8_t>(0xFF << (8 - regionWidth % 8));
    return line;
}

// The rectangle's rows to the output callback, numbered from its top.
JB2_Error DeliverRows(const JB2DecompressProperties* properties, JB2Message* message)
{
    const uint32_t regionWidth = properties->right - properties->left;
    const bool narrower = properties->left != 0 || properties->right != properties->width;
    for (uint32_t row = properties->top; row < properties->bottom; ++row) {
        const uint8_t* pageRow = properties->buffer + static_cast<uint64_t>(row) * properties->stride;
        const uint8_t* delivered = narrower ? CutRow(properties, pageRow) : pageRow;
        const JB2_Error result =
            properties->output(delivered, row - properties->top, regionWidth, 1, properties->outputUser);
        if (result != 0) {
            return JB2Fail(message, result, "Error code %lld returned by output callback function!",
                           static_cast<long long>(result));
        }
    }
    return cJB2_Error_OK;
}

}  // namespace

JB2_Error JB2DecompressPage(JB2DecompressProperties* properties, JB2Memory* memory, uint32_t scaleUp,
                            uint32_t scaleDown, uint32_t left, uint32_t right, uint32_t top, uint32_t bottom,
                            JB2_Output_Callback output, void* outputUser, JB2Message* message)
{
    if (!properties || !properties->file)
        return cJB2_Error_Internal;
    if (!output) {
        return JB2Fail(message, cJB2_Error_Invalid_Pointer,
                       "Invalid output callback passed to JB2_Document_Decompress_Page!");
    }
    properties->output = output;
    properties->outputUser = outputUser;
    PageInfo info{};
    JB2_Error status = ReadPageInfo(properties->file, properties->page, &info);
    if (status == cJB2_Error_OK)
        status = CheckScale(scaleUp, scaleDown, message);
    if (status != cJB2_Error_OK)
        return status;
    properties->scaleUp = scaleUp;
    properties->scaleDown = scaleDown;
    if (info.width == 0 || info.height == 0)
        return cJB2_Error_Internal;
    status = SetRectangle(properties, info, left, right, top, bottom, message);
    if (status == cJB2_Error_OK)
        status = RenderOnce(properties, memory, info, message);
    if (status == cJB2_Error_OK)
        status = DeliverRows(properties, message);
    return status;
}

}  // namespace ZAV
