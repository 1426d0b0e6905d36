// Defaults, checks and storage of the compression properties.
#include "jbig2codec/compress/JB2CompressProperties.h"

namespace ZAV {

namespace {

constexpr uint32_t kMaxTemplate = 3;
constexpr uint32_t kMaxMatchingQuality = 10;
constexpr uint32_t kDefaultMatchingQuality = 5;

JB2_Error Refuse(JB2Message* message, const char* text)
{
    return JB2Fail(message, cJB2_Error_Invalid_Property_Value, "%s", text);
}

JB2_Error UnknownKey(JB2Message* message, uint32_t key)
{
    return JB2Fail(message, cJB2_Error_Invalid_Property_Key, "Invalid property key (%ld)!", static_cast<long>(key));
}

JB2_Error SetSize(JB2CompressProperties* p, uint32_t key, uint32_t value, JB2Message* message)
{
    static const char* const refusals[] = {"Width must be larger than 0!", "Height must be larger than 0!",
                                           "X Resolution must be larger than 0!",
                                           "Y Resolution must be larger than 0!"};
    uint32_t* const fields[] = {&p->width, &p->height, &p->xResolution, &p->yResolution};
    const uint32_t index = key - cJB2_Prop_Width;
    if (value == 0)
        return Refuse(message, refusals[index]);
    *fields[index] = value;
    return cJB2_Error_OK;
}

JB2_Error SetEncodingMode(JB2CompressProperties* p, uint32_t value, JB2Message* message)
{
    if (value != cJB2_Encoding_Lossless && value != cJB2_Encoding_Lossy)
        return Refuse(message, "Encoding mode must be set to 0 or 1!");
    p->encodingMode = static_cast<uint8_t>(value);
    if (value == cJB2_Encoding_Lossy)
        p->pageFlags = static_cast<uint8_t>(p->pageFlags & ~kJB2PageFlagLossless);
    else
        p->pageFlags = static_cast<uint8_t>(p->pageFlags | kJB2PageFlagLossless);
    return cJB2_Error_OK;
}

}  // namespace

JB2_Error JB2CompressPropertiesCreate(JB2CompressProperties** out, JB2Memory* memory, JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = nullptr;
    auto* properties = JB2MemoryNew<JB2CompressProperties>(memory);
    if (!properties)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate compression properties object!");
    properties->pageFlags = kJB2CompressPageFlags;
    properties->coder = cJB2_Coder_Arithmetic;
    properties->matchingMode = cJB2_Matching_Efficient;
    properties->matchingQuality = kDefaultMatchingQuality;
    *out = properties;
    return cJB2_Error_OK;
}

JB2_Error JB2CompressPropertiesRelease(JB2CompressProperties** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Free_Failure;
    JB2CompressProperties* properties = *holder;
    if (properties->encoder) {
        JB2_Error status = JB2StripeEncoderRelease(&properties->encoder, memory);
        if (status != cJB2_Error_OK)
            return status;
    }
    if (properties->file) {
        JB2_Error status = JB2FileRelease(&properties->file);
        if (status != cJB2_Error_OK)
            return status;
    }
    return JB2MemoryFree(memory, holder);
}

JB2_Error JB2CompressPropertiesSet(JB2CompressProperties* p, uint32_t key, uint32_t value, JB2Message* message)
{
    if (!p)
        return cJB2_Error_Internal;
    switch (key) {
    case cJB2_Prop_Width:
    case cJB2_Prop_Height:
    case cJB2_Prop_X_Resolution:
    case cJB2_Prop_Y_Resolution:
        return SetSize(p, key, value, message);
    case cJB2_Prop_Bitmap_Coder:
        if (value != cJB2_Coder_MMR && value != cJB2_Coder_Arithmetic)
            return Refuse(message, "Only MMR and Arithmetic bitmap coders supported!");
        p->coder = value;
        return cJB2_Error_OK;
    case cJB2_Prop_Generic_Template:
        if (value > kMaxTemplate)
            return Refuse(message, "Generic template must be less than 4!");
        p->genericTemplate = value;
        return cJB2_Error_OK;
    case cJB2_Prop_Text_Template:
        if (value > kMaxTemplate)
            return Refuse(message, "Text template must be less than 4!");
        p->textTemplate = value;
        return cJB2_Error_OK;
    case cJB2_Prop_Symbol_Matching_Mode:
        if (value > cJB2_Matching_Single_Dictionary)
            return Refuse(message, "Invalid symbol matching mode!");
        p->matchingMode = static_cast<uint8_t>(value);
        return cJB2_Error_OK;
    case cJB2_Prop_Symbol_Matching_Quality:
        if (value > kMaxMatchingQuality)
            return Refuse(message, "Symbol matching quality must be less than or equal to 10!");
        p->matchingQuality = value;
        return cJB2_Error_OK;
    case cJB2_Prop_Encoding_Mode:
        return SetEncodingMode(p, value, message);
    default:
        return UnknownKey(message, key);
    }
}

JB2_Error JB2CompressPropertiesGet(const JB2CompressProperties* p, uint32_t key, uint32_t* value, JB2Message* message)
{
    if (!p || !value)
        return cJB2_Error_Internal;
    switch (key) {
    case cJB2_Prop_Width:
        *value = p->width;
        return cJB2_Error_OK;
    case cJB2_Prop_Height:
        *value = p->height;
        return cJB2_Error_OK;
    case cJB2_Prop_X_Resolution:
        *value = p->xResolution;
        return cJB2_Error_OK;
    case cJB2_Prop_Y_Resolution:
        *value = p->yResolution;
        return cJB2_Error_OK;
    case cJB2_Prop_Bitmap_Coder:
        *value = p->coder;
        return cJB2_Error_OK;
    case cJB2_Prop_Generic_Template:
        *value = p->genericTemplate;
        return cJB2_Error_OK;
    case cJB2_Prop_Text_Template:
        *value = p->textTemplate;
        return cJB2_Error_OK;
    case cJB2_Prop_Symbol_Matching_Mode:
        *value = p->matchingMode;
        return cJB2_Error_OK;
    case cJB2_Prop_Symbol_Matching_Quality:
        *value = p->matchingQuality;
        return cJB2_Error_OK;
    case cJB2_Prop_Encoding_Mode:
        *value = p->encodingMode;
        return cJB2_Error_OK;
    default:
        return UnknownKey(message, key);
    }
}

}  // namespace ZAV
