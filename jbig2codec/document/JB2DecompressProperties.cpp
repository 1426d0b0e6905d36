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
        const uint32_t type = segment->type;
        if (type == cJB2_Segment_End_Of_Page)
            break;
        if (type == cJB2_Segment_End_Of_File) {
            JB2MessageWarning(message, "End of file segment found before end of page for page %lld!",
                              static_cast<long long>(properties->page));
            continue;
        }
        if (!JB2SegmentTypeIsKnown(type)) {
            JB2MessageWarning(message, "Ignoring unknown segment type (%lld)!", static_cast<long long>(type));
            continue;
        }
        if (!JB2SegmentTypeIsRegion(type))
            continue;
        // Regions the codec cannot decode by design are skipped with the
        // support test's warning; the document says so beforehand.
        uint8_t supported = 0;
        status = JB2RegionIsSupported(segment, &supported, message);
        if (status != cJB2_Error_OK)
            return status;
        if (!supported)
            continue;
        status = JB2RenderRegion(segment, memory, properties->buffer, properties->width, properties->height,
                                        properties->combination, message);
        if (status != cJB2_Error_OK)
            return status;
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
    JB2File* file = properties->file;
    const uint32_t page = properties->page;
    uint32_t width = 0;
    uint32_t height = 0;
    uint8_t defaultPixel = 0;
    uint32_t combination = 0;
    JB2_Error status = JB2PageGetWidth(file, page, &width);
    if (status == cJB2_Error_OK)
        status = JB2PageGetHeight(file, page, &height);
    if (status == cJB2_Error_OK)
        status = JB2PageGetDefaultPixel(file, page, &defaultPixel);
    if (status == cJB2_Error_OK)
        status = JB2PageGetDefaultCombinationOperator(file, page, &combination);
    if (status != cJB2_Error_OK)
        return status;

    if (scaleDown == 0) {
        return JB2Fail(message, cJB2_Error_Not_Yet_Supported, "Scaling down factor may not be set to 0!");
    }
    if (scaleUp == 0) return JB2Fail(message, cJB2_Error_Not_Yet_Supported, "Scaling up factor may not be set to 0!");
    if (scaleUp != scaleDown) {
        return JB2Fail(message, cJB2_Error_Not_Yet_Supported,
                       "Scaling is not currently supported during decompression!");
    }
    properties->scaleUp = scaleUp;
    properties->scaleDown = scaleDown;
    if (width == 0 || height == 0)
        return cJB2_Error_Internal;

    if (left != 0 || right != 0) {
        if (!(left < right && top < bottom && right <= width && bottom <= height)) {
            return JB2Fail(message, cJB2_Error_Not_Yet_Supported, "Invalid decompress region!");
        }
    } else {
        if (top != 0 || bottom != 0) {
            return JB2Fail(message, cJB2_Error_Not_Yet_Supported, "Invalid decompress region!");
        }
        right = width;
        bottom = height;
    }
    properties->left = left;
    properties->right = right;
    properties->top = top;
    properties->bottom = bottom;

    if (!properties->rendered) {
        if (defaultPixel > 1)
            return cJB2_Error_Internal;
        JB2DecompressPropertiesDropPage(properties, memory);
        const uint64_t stride = (static_cast<uint64_t>(width) + 7) / 8;
        const uint64_t size = stride * height;
        if (size > kJB2MaxPageBufferBytes) {
            return JB2Fail(message, cJB2_Error_Invalid_Segment_Data,
                           "Page of %lld x %lld pixels is too large to decompress!", static_cast<long long>(width),
                           static_cast<long long>(height));
        }
        properties->buffer = static_cast<uint8_t*>(JB2MemoryAlloc(memory, size));
        if (!properties->buffer) {
            return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate decompression buffer!");
        }
        std::memset(properties->buffer, defaultPixel ? 0xFF : 0x00, static_cast<size_t>(size));
        // One spare byte: a row of the rectangle is shifted into place.
        properties->line = static_cast<uint8_t*>(JB2MemoryAlloc(memory, stride + 1));
        if (!properties->line) {
            JB2DecompressPropertiesDropPage(properties, memory);
            return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate decompression line buffer!");
        }
        properties->width = width;
        properties->height = height;
        properties->stride = static_cast<uint32_t>(stride);
        properties->combination = combination;
        status = RenderPage(properties, memory, message);
        if (status != cJB2_Error_OK) {
            JB2DecompressPropertiesDropPage(properties, memory);
            return status;
        }
        properties->rendered = 1;
    }

    const uint32_t regionWidth = right - left;
    const bool narrower = left != 0 || right != width;
    // In 64 bits: a page up to 2^32 - 1 pixels wide fits the buffer limit.
    const uint32_t regionBytes = static_cast<uint32_t>((static_cast<uint64_t>(regionWidth) + 7) / 8);
    const uint32_t firstByte = left / 8;
    const uint32_t shift = left % 8;
    for (uint32_t row = top; row < bottom; ++row) {
        const uint8_t* pageRow = properties->buffer + static_cast<uint64_t>(row) * properties->stride;
        const uint8_t* delivered = pageRow;
        if (narrower) {
            // Take the bytes the rectangle covers, never past the row's end.
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
            delivered = line;
        }
        const JB2_Error result = output(delivered, row - top, regionWidth, 1, outputUser);
        if (result != 0) {
            return JB2Fail(message, result, "Error code %lld returned by output callback function!",
                           static_cast<long long>(result));
        }
    }
    return cJB2_Error_OK;
}

}  // namespace ZAV
