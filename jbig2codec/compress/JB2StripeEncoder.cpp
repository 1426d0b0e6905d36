// The stripe encoder object and the generic coding of a collected page.
#include "jbig2codec/compress/JB2StripeEncoder.h"

#include <cstring>

#include "jbig2codec/document/JB2Page.h"
#include "jbig2codec/generic/JB2GenericRegionEncoder.h"

namespace ZAV {

JB2_Error JB2StripeEncoderCreate(JB2StripeEncoder** out, JB2Memory* memory, uint32_t width, uint32_t height,
                                 uint32_t lossless, uint32_t quality, JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = nullptr;
    if (width == 0 || height == 0 || lossless > 1 || quality > 10)
        return cJB2_Error_Internal;
    auto* encoder = JB2MemoryNew<JB2StripeEncoder>(memory);
    const uint32_t stride = static_cast<uint32_t>((static_cast<uint64_t>(width) + 7) / 8);
    if (encoder)
        encoder->bitmap = JB2MemoryAllocArray<uint8_t>(memory, static_cast<uint64_t>(stride) * height);
    if (!encoder || !encoder->bitmap) {
        if (encoder)
            JB2MemoryFree(memory, &encoder);
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate stripe encoder object!");
    }
    encoder->width = width;
    encoder->height = height;
    encoder->stride = stride;
    encoder->lossless = static_cast<uint8_t>(lossless);
    encoder->quality = quality;
    *out = encoder;
    return cJB2_Error_OK;
}

JB2_Error JB2StripeEncoderRelease(JB2StripeEncoder** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Free_Failure;
    JB2_Error status = JB2MemoryFree(memory, &(*holder)->bitmap);
    if (status != cJB2_Error_OK)
        return status;
    return JB2MemoryFree(memory, holder);
}

JB2_Error JB2StripeEncoderAddLine(JB2StripeEncoder* encoder, const uint8_t* line)
{
    if (!encoder || !line || encoder->rows >= encoder->height)
        return cJB2_Error_Internal;
    std::memcpy(encoder->bitmap + static_cast<uint64_t>(encoder->rows) * encoder->stride, line, encoder->stride);
    ++encoder->rows;
    return cJB2_Error_OK;
}

const uint8_t* JB2StripeEncoderRow(const JB2StripeEncoder* encoder, uint32_t index)
{
    if (!encoder || index >= encoder->rows)
        return nullptr;
    return encoder->bitmap + static_cast<uint64_t>(index) * encoder->stride;
}

bool JB2StripeEncoderIsFull(const JB2StripeEncoder* encoder)
{
    return encoder && encoder->rows == encoder->height;
}

JB2_Error JB2StripeEncoderComplete(const JB2StripeEncoder* encoder)
{
    return JB2StripeEncoderIsFull(encoder) ? cJB2_Error_OK : cJB2_Error_Internal;
}

uint8_t JB2StripeEncoderPageCoded(const JB2StripeEncoder* encoder)
{
    return encoder ? encoder->pageCoded : 0;
}

JB2_Error JB2StripeEncoderSetPageCoded(JB2StripeEncoder* encoder, uint32_t coded)
{
    if (!encoder || coded > 1)
        return cJB2_Error_Internal;
    encoder->pageCoded = static_cast<uint8_t>(coded);
    return cJB2_Error_OK;
}

JB2_Error JB2StripeEncoderGenericPath(JB2StripeEncoder* encoder, JB2Memory* memory, JB2File* file, uint32_t coder,
                                      uint32_t gbTemplate, JB2Message* message)
{
    JB2_Error status = JB2StripeEncoderComplete(encoder);
    if (status != cJB2_Error_OK)
        return status;
    JB2SegmentHeader* region = nullptr;
    status = JB2PageNewGenericRegion(file, encoder->width, encoder->height, coder, gbTemplate, &region, message);
    if (status != cJB2_Error_OK) {
        if (region)
            JB2SegmentRelease(&region);
        return status;
    }
    JB2GenericRegionEncoder* generic = nullptr;
    status = Generic_Region_Encoder_Start(&generic, memory, region, message);
    for (uint32_t row = 0; status == cJB2_Error_OK && row < encoder->height; ++row) {
        status = Generic_Region_Encoder_Line(generic, JB2StripeEncoderRow(encoder, row));
        if (status != cJB2_Error_OK)
            JB2MessageError(message, "Error adding line to generic region encoder!");
    }
    if (generic) {
        JB2_Error ended = Generic_Region_Encoder_End(&generic, memory);
        if (ended != cJB2_Error_OK && status == cJB2_Error_OK)
            status = JB2Fail(message, ended, "Error freeing generic region encoder!");
    }
    JB2SegmentRelease(&region);
    if (status != cJB2_Error_OK)
        return status;
    return JB2StripeEncoderSetPageCoded(encoder, 1);
}

}  // namespace ZAV
