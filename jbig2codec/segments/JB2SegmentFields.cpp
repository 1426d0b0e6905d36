#include "jbig2codec/segments/JB2SegmentFields.h"

namespace ZAV {

namespace {

bool IsPatternDictionary(uint32_t type)
{
    return type == cJB2_Segment_Pattern_Dictionary;
}

bool IsPageInformation(uint32_t type)
{
    return type == cJB2_Segment_Page_Information;
}

bool IsEndOfStripe(uint32_t type)
{
    return type == cJB2_Segment_End_Of_Stripe;
}

// Reads a field of a segment whose type passes `accepts`.
template <class T>
JB2_Error Get(JB2SegmentHeader* segment, bool (*accepts)(uint32_t), uint32_t offset, T* value)
{
    if (!value)
        return cJB2_Error_Internal;
    *value = 0;
    if (!segment || !accepts(segment->type))
        return cJB2_Error_Internal;
    if (sizeof(T) == 1)
        return JB2SegmentReadU8(segment, offset, reinterpret_cast<uint8_t*>(value));
    if (sizeof(T) == 2)
        return JB2SegmentReadU16(segment, offset, reinterpret_cast<uint16_t*>(value));
    return JB2SegmentReadU32(segment, offset, reinterpret_cast<uint32_t*>(value));
}

template <class T>
JB2_Error Set(JB2SegmentHeader* segment, bool (*accepts)(uint32_t), uint32_t offset, T value)
{
    if (!segment || !accepts(segment->type))
        return cJB2_Error_Internal;
    if (sizeof(T) == 1)
        return JB2SegmentWriteU8(segment, offset, static_cast<uint8_t>(value));
    if (sizeof(T) == 2)
        return JB2SegmentWriteU16(segment, offset, static_cast<uint16_t>(value));
    return JB2SegmentWriteU32(segment, offset, static_cast<uint32_t>(value));
}

// A width or height of 0 describes nothing and is refused.
JB2_Error SetDimension(JB2SegmentHeader* segment, bool (*accepts)(uint32_t), uint32_t offset, uint32_t value)
{
    if (value == 0)
        return cJB2_Error_Internal;
    return Set(segment, accepts, offset, value);
}

const int8_t kNominalX[4][4] = {{3, -3, 2, -2}, {3, 0, 0, 0}, {2, 0, 0, 0}, {2, 0, 0, 0}};
const int8_t kNominalY[4][4] = {{-1, -1, -2, -2}, {-1, 0, 0, 0}, {-1, 0, 0, 0}, {-1, 0, 0, 0}};

// Text region flags.
constexpr uint16_t kSbHuff = 1u << 0;
constexpr uint16_t kSbRefine = 1u << 1;
constexpr uint16_t kSbRTemplate = 1u << 15;
constexpr uint32_t kTextFlagsOffset = 17;

struct TextLayout {
    uint16_t flags;
    bool huffman;
    bool refinementAT;
    uint32_t refinementATOffset;
    uint32_t instancesOffset;
};

JB2_Error ReadTextLayout(JB2SegmentHeader* segment, TextLayout* layout)
{
    if (!segment || !JB2SegmentTypeIsTextRegion(segment->type))
        return cJB2_Error_Internal;
    JB2_Error status = JB2SegmentReadU16(segment, kTextFlagsOffset, &layout->flags);
    if (status != cJB2_Error_OK)
        return status;
    layout->huffman = (layout->flags & kSbHuff) != 0;
    layout->refinementAT = (layout->flags & kSbRefine) && !(layout->flags & kSbRTemplate);
    const uint32_t base = layout->huffman ? 21 : 19;
    layout->refinementATOffset = base;
    layout->instancesOffset = layout->refinementAT ? base + 4 : base;
    return cJB2_Error_OK;
}

}  // namespace

// Region segment information.

JB2_Error JB2RegionGetWidth(JB2SegmentHeader* segment, uint32_t* width)
{
    return Get(segment, JB2SegmentTypeIsRegion, 0, width);
}

JB2_Error JB2RegionGetHeight(JB2SegmentHeader* segment, uint32_t* height)
{
    return Get(segment, JB2SegmentTypeIsRegion, 4, height);
}

JB2_Error JB2RegionGetX(JB2SegmentHeader* segment, uint32_t* x)
{
    return Get(segment, JB2SegmentTypeIsRegion, 8, x);
}

JB2_Error JB2RegionGetY(JB2SegmentHeader* segment, uint32_t* y)
{
    return Get(segment, JB2SegmentTypeIsRegion, 12, y);
}

JB2_Error JB2RegionGetFlags(JB2SegmentHeader* segment, uint8_t* flags)
{
    return Get(segment, JB2SegmentTypeIsRegion, 16, flags);
}

JB2_Error JB2RegionSetWidth(JB2SegmentHeader* segment, uint32_t width)
{
    return SetDimension(segment, JB2SegmentTypeIsRegion, 0, width);
}

JB2_Error JB2RegionSetHeight(JB2SegmentHeader* segment, uint32_t height)
{
    return SetDimension(segment, JB2SegmentTypeIsRegion, 4, height);
}

JB2_Error JB2RegionSetX(JB2SegmentHeader* segment, uint32_t x)
{
    return Set(segment, JB2SegmentTypeIsRegion, 8, x);
}

JB2_Error JB2RegionSetY(JB2SegmentHeader* segment, uint32_t y)
{
    return Set(segment, JB2SegmentTypeIsRegion, 12, y);
}

JB2_Error JB2RegionSetFlags(JB2SegmentHeader* segment, uint8_t flags)
{
    return Set(segment, JB2SegmentTypeIsRegion, 16, flags);
}

namespace {

// The symbol dictionaries a text region refers to must not reuse or retain
// arithmetic coding contexts (T.88 7.4.2.1.1, bits 8 and 9).
JB2_Error TextDictionariesUsable(JB2SegmentHeader* segment, bool* usable, JB2Message* message)
{
    for (uint32_t i = 0; i < segment->referredCount && *usable; ++i) {
        JB2SegmentHeader* dictionary = JB2SegmentGetReferred(segment, i);
        if (!dictionary || dictionary->type != cJB2_Segment_Symbol_Dictionary)
            continue;
        uint16_t dictionaryFlags = 0;
        JB2_Error status = JB2SegmentReadU16(dictionary, 0, &dictionaryFlags);
        if (status != cJB2_Error_OK)
            return status;
        if (dictionaryFlags & (1u << 8)) {
            JB2MessageWarning(message, "Context reuse in symbol dictionary not yet supported!");
            *usable = false;
        }
        if (dictionaryFlags & (1u << 9)) {
            JB2MessageWarning(message, "Context retention in symbol dictionary not yet supported!");
            *usable = false;
        }
    }
    if (!*usable) {
        // An error message with status 0 on purpose: the region is only
        // reported unsupported (flag 0); the document is not damaged.
        return JB2Fail(message, cJB2_Error_OK, "Symbol dictionary used by text regions not yet supported!");
    }
    return cJB2_Error_OK;
}

}  // namespace

JB2_Error JB2RegionIsSupported(JB2SegmentHeader* segment, uint8_t* supported, JB2Message* message)
{
    if (!segment || !supported)
        return cJB2_Error_Internal;
    *supported = 0;
    const uint32_t type = segment->type;
    if (!JB2SegmentTypeIsRegion(type))
        return cJB2_Error_OK;
    uint8_t flags = 0;
    JB2_Error status = JB2RegionGetFlags(segment, &flags);
    if (status != cJB2_Error_OK) return JB2Fail(message, status, "Error getting region segment flags!");
    if ((flags & 0x07) > 4) return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Invalid region segment flags!");
    if (JB2SegmentTypeIsHalftoneRegion(type)) {
        if (type == cJB2_Segment_Intermediate_Halftone_Region) {
            return JB2Warn(message, cJB2_Error_OK, "Unsupported halftone region segment!");
        }
        uint8_t halftone = 0;
        status = JB2HalftoneGetFlags(segment, &halftone);
        if (status != cJB2_Error_OK) return JB2Fail(message, status, "Unable to get halftone region segment flags!");
        *supported = 1;
        return cJB2_Error_OK;
    }
    if (JB2SegmentTypeIsGenericRegion(type)) {
        if (type != cJB2_Segment_Immediate_Generic_Region && type != cJB2_Segment_Immediate_Lossless_Generic_Region) {
            return JB2Warn(message, cJB2_Error_OK, "Unsupported generic region segment!");
        }
        *supported = 1;
        return cJB2_Error_OK;
    }
    // Text regions.
    if (type == cJB2_Segment_Intermediate_Text_Region) {
        return JB2Warn(message, cJB2_Error_OK, "Unsupported text region segment!");
    }
    uint16_t textFlags = 0;
    status = JB2TextGetFlags(segment, &textFlags);
    if (status != cJB2_Error_OK) return JB2Fail(message, status, "Unable to get text region segment flags!");
    bool usable = true;
    status = TextDictionariesUsable(segment, &usable, message);
    *supported = status == cJB2_Error_OK && usable ? 1 : 0;
    return status;
}

// Generic region.

JB2_Error JB2GenericGetFlags(JB2SegmentHeader* segment, uint8_t* flags)
{
    return Get(segment, JB2SegmentTypeIsGenericRegion, 17, flags);
}

JB2_Error JB2GenericSetFlags(JB2SegmentHeader* segment, uint8_t flags)
{
    return Set(segment, JB2SegmentTypeIsGenericRegion, 17, flags);
}

uint32_t JB2GenericNominalATPixels(uint32_t gbTemplate, int8_t x[4], int8_t y[4])
{
    const uint32_t t = gbTemplate & 3;
    for (int i = 0; i < 4; ++i) {
        x[i] = kNominalX[t][i];
        y[i] = kNominalY[t][i];
    }
    return t == 0 ? 4 : 1;
}

JB2_Error JB2GenericGetATPixels(JB2SegmentHeader* segment, int8_t x[4], int8_t y[4])
{
    if (!x || !y)
        return cJB2_Error_Internal;
    for (int i = 0; i < 4; ++i)
        x[i] = y[i] = 0;
    uint8_t flags = 0;
    JB2_Error status = Get(segment, JB2SegmentTypeIsPlainGenericRegion, 17, &flags);
    if (status != cJB2_Error_OK)
        return status;
    if (flags & 1)
        return cJB2_Error_Internal;
    const uint32_t pairs = ((flags >> 1) & 3) == 0 ? 4 : 1;
    uint8_t bytes[8];
    status = JB2SegmentReadBytes(segment, 18, 2 * pairs, bytes);
    if (status != cJB2_Error_OK)
        return status;
    for (uint32_t i = 0; i < pairs; ++i) {
        x[i] = static_cast<int8_t>(bytes[2 * i]);
        y[i] = static_cast<int8_t>(bytes[2 * i + 1]);
    }
    return cJB2_Error_OK;
}

JB2_Error JB2GenericSetNominalATPixels(JB2SegmentHeader* segment, uint32_t gbTemplate)
{
    if (!segment || !JB2SegmentTypeIsPlainGenericRegion(segment->type) || gbTemplate > 3)
        return cJB2_Error_Internal;
    int8_t x[4];
    int8_t y[4];
    const uint32_t pairs = JB2GenericNominalATPixels(gbTemplate, x, y);
    uint8_t bytes[8];
    for (uint32_t i = 0; i < pairs; ++i) {
        bytes[2 * i] = static_cast<uint8_t>(x[i]);
        bytes[2 * i + 1] = static_cast<uint8_t>(y[i]);
    }
    return JB2SegmentWriteBytes(segment, 18, 2 * pairs, bytes);
}

JB2_Error JB2GenericHasNominalATPixels(JB2SegmentHeader* segment, uint8_t* nominal)
{
    if (!nominal)
        return cJB2_Error_Internal;
    *nominal = 0;
    uint8_t flags = 0;
    JB2_Error status = Get(segment, JB2SegmentTypeIsPlainGenericRegion, 17, &flags);
    if (status != cJB2_Error_OK)
        return status;
    if (flags & 1) {
        *nominal = 1;  // MMR has no AT pixels to differ
        return cJB2_Error_OK;
    }
    int8_t x[4];
    int8_t y[4];
    status = JB2GenericGetATPixels(segment, x, y);
    if (status != cJB2_Error_OK)
        return status;
    int8_t nx[4];
    int8_t ny[4];
    const uint32_t pairs = JB2GenericNominalATPixels((flags >> 1) & 3, nx, ny);
    *nominal = 1;
    for (uint32_t i = 0; i < pairs; ++i)
        if (x[i] != nx[i] || y[i] != ny[i])
            *nominal = 0;
    return cJB2_Error_OK;
}

JB2_Error JB2GenericHeaderLength(JB2SegmentHeader* segment, uint32_t* length)
{
    if (!length)
        return cJB2_Error_Internal;
    *length = 0;
    uint8_t flags = 0;
    JB2_Error status = Get(segment, JB2SegmentTypeIsPlainGenericRegion, 17, &flags);
    if (status != cJB2_Error_OK)
        return status;
    if (flags & 1)
        *length = 18;
    else
        *length = 18 + 2 * (((flags >> 1) & 3) == 0 ? 4 : 1);
    return cJB2_Error_OK;
}

// Halftone region.

JB2_Error JB2HalftoneGetFlags(JB2SegmentHeader* segment, uint8_t* flags)
{
    return Get(segment, JB2SegmentTypeIsHalftoneRegion, 17, flags);
}

JB2_Error JB2HalftoneGetGridWidth(JB2SegmentHeader* segment, uint32_t* hgw)
{
    return Get(segment, JB2SegmentTypeIsHalftoneRegion, 18, hgw);
}

JB2_Error JB2HalftoneGetGridHeight(JB2SegmentHeader* segment, uint32_t* hgh)
{
    return Get(segment, JB2SegmentTypeIsHalftoneRegion, 22, hgh);
}

JB2_Error JB2HalftoneGetGridX(JB2SegmentHeader* segment, int32_t* hgx)
{
    return Get(segment, JB2SegmentTypeIsHalftoneRegion, 26, hgx);
}

JB2_Error JB2HalftoneGetGridY(JB2SegmentHeader* segment, int32_t* hgy)
{
    return Get(segment, JB2SegmentTypeIsHalftoneRegion, 30, hgy);
}

JB2_Error JB2HalftoneGetVectorX(JB2SegmentHeader* segment, uint16_t* hrx)
{
    return Get(segment, JB2SegmentTypeIsHalftoneRegion, 34, hrx);
}

JB2_Error JB2HalftoneGetVectorY(JB2SegmentHeader* segment, uint16_t* hry)
{
    return Get(segment, JB2SegmentTypeIsHalftoneRegion, 36, hry);
}

JB2_Error JB2HalftoneGetPatternDictionary(JB2SegmentHeader* segment, JB2SegmentHeader** dictionary)
{
    if (!dictionary)
        return cJB2_Error_Internal;
    *dictionary = nullptr;
    if (!segment || !JB2SegmentTypeIsHalftoneRegion(segment->type))
        return cJB2_Error_Internal;
    for (uint32_t i = 0; i < segment->referredCount; ++i) {
        JB2SegmentHeader* referred = JB2SegmentGetReferred(segment, i);
        if (referred && referred->type == cJB2_Segment_Pattern_Dictionary) {
            *dictionary = referred;
            break;
        }
    }
    return cJB2_Error_OK;
}

// Pattern dictionary.

JB2_Error JB2PatternGetFlags(JB2SegmentHeader* segment, uint8_t* flags)
{
    return Get(segment, IsPatternDictionary, 0, flags);
}

JB2_Error JB2PatternGetWidth(JB2SegmentHeader* segment, uint8_t* hdpw)
{
    return Get(segment, IsPatternDictionary, 1, hdpw);
}

JB2_Error JB2PatternGetHeight(JB2SegmentHeader* segment, uint8_t* hdph)
{
    return Get(segment, IsPatternDictionary, 2, hdph);
}

JB2_Error JB2PatternGetGrayMax(JB2SegmentHeader* segment, uint32_t* grayMax)
{
    return Get(segment, IsPatternDictionary, 3, grayMax);
}

// Page information.

JB2_Error JB2PageInfoGetWidth(JB2SegmentHeader* segment, uint32_t* width)
{
    return Get(segment, IsPageInformation, 0, width);
}

JB2_Error JB2PageInfoGetHeight(JB2SegmentHeader* segment, uint32_t* height)
{
    return Get(segment, IsPageInformation, 4, height);
}

JB2_Error JB2PageInfoGetXResolution(JB2SegmentHeader* segment, uint32_t* resolution)
{
    return Get(segment, IsPageInformation, 8, resolution);
}

JB2_Error JB2PageInfoGetYResolution(JB2SegmentHeader* segment, uint32_t* resolution)
{
    return Get(segment, IsPageInformation, 12, resolution);
}

JB2_Error JB2PageInfoGetFlags(JB2SegmentHeader* segment, uint8_t* flags)
{
    return Get(segment, IsPageInformation, 16, flags);
}

JB2_Error JB2PageInfoGetDefaultPixel(JB2SegmentHeader* segment, uint8_t* pixel)
{
    JB2_Error status = JB2PageInfoGetFlags(segment, pixel);
    if (pixel)
        *pixel = (*pixel >> 2) & 1;
    return status;
}

JB2_Error JB2PageInfoGetDefaultCombinationOperator(JB2SegmentHeader* segment, uint32_t* combination)
{
    if (!combination)
        return cJB2_Error_Internal;
    *combination = 0;
    uint8_t flags = 0;
    JB2_Error status = JB2PageInfoGetFlags(segment, &flags);
    if (status != cJB2_Error_OK)
        return status;
    *combination = (flags & 0x40) ? kJB2CombinationOperatorOverridden : (flags >> 3) & 3u;
    return cJB2_Error_OK;
}

JB2_Error JB2PageInfoGetStriping(JB2SegmentHeader* segment, uint16_t* striping)
{
    return Get(segment, IsPageInformation, 17, striping);
}

JB2_Error JB2PageInfoSetWidth(JB2SegmentHeader* segment, uint32_t width)
{
    return SetDimension(segment, IsPageInformation, 0, width);
}

JB2_Error JB2PageInfoSetHeight(JB2SegmentHeader* segment, uint32_t height)
{
    return SetDimension(segment, IsPageInformation, 4, height);
}

JB2_Error JB2PageInfoSetXResolution(JB2SegmentHeader* segment, uint32_t resolution)
{
    return Set(segment, IsPageInformation, 8, resolution);
}

JB2_Error JB2PageInfoSetYResolution(JB2SegmentHeader* segment, uint32_t resolution)
{
    return Set(segment, IsPageInformation, 12, resolution);
}

JB2_Error JB2PageInfoSetFlags(JB2SegmentHeader* segment, uint8_t flags)
{
    return Set(segment, IsPageInformation, 16, flags);
}

JB2_Error JB2PageInfoSetStriping(JB2SegmentHeader* segment, uint16_t striping)
{
    return Set(segment, IsPageInformation, 17, striping);
}

JB2_Error JB2PageInfoValidate(JB2SegmentHeader* segment, JB2Message* message)
{
    if (!segment || !IsPageInformation(segment->type))
        return cJB2_Error_Internal;
    if (JB2SegmentDataLength(segment) != kJB2PageInfoLength)
        return cJB2_Error_Invalid_Segment_Data;
    uint32_t width = 0;
    uint32_t height = 0;
    JB2_Error status = JB2PageInfoGetWidth(segment, &width);
    if (status == cJB2_Error_OK)
        status = JB2PageInfoGetHeight(segment, &height);
    if (status != cJB2_Error_OK)
        return status;
    if (width == 0) return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Width must be larger than 0!");
    if (height == 0) return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Height must be larger than 0!");
    return cJB2_Error_OK;
}

// End of stripe.

JB2_Error JB2EndOfStripeGetRow(JB2SegmentHeader* segment, uint32_t* row)
{
    return Get(segment, IsEndOfStripe, 0, row);
}

// Text region.

JB2_Error JB2TextGetFlags(JB2SegmentHeader* segment, uint16_t* flags)
{
    return Get(segment, JB2SegmentTypeIsTextRegion, kTextFlagsOffset, flags);
}

JB2_Error JB2TextSetFlags(JB2SegmentHeader* segment, uint16_t flags)
{
    return Set(segment, JB2SegmentTypeIsTextRegion, kTextFlagsOffset, flags);
}

JB2_Error JB2TextGetHuffmanFlags(JB2SegmentHeader* segment, uint16_t* flags)
{
    if (!flags)
        return cJB2_Error_Internal;
    *flags = 0;
    TextLayout layout;
    JB2_Error status = ReadTextLayout(segment, &layout);
    if (status != cJB2_Error_OK || !layout.huffman)
        return status;
    return JB2SegmentReadU16(segment, 19, flags);
}

JB2_Error JB2TextGetRefinementATPixels(JB2SegmentHeader* segment, int8_t x[2], int8_t y[2])
{
    if (!x || !y)
        return cJB2_Error_Internal;
    x[0] = x[1] = y[0] = y[1] = 0;
    TextLayout layout;
    JB2_Error status = ReadTextLayout(segment, &layout);
    if (status != cJB2_Error_OK || !layout.refinementAT)
        return status;
    uint8_t bytes[4];
    status = JB2SegmentReadBytes(segment, layout.refinementATOffset, 4, bytes);
    if (status != cJB2_Error_OK)
        return status;
    x[0] = static_cast<int8_t>(bytes[0]);
    y[0] = static_cast<int8_t>(bytes[1]);
    x[1] = static_cast<int8_t>(bytes[2]);
    y[1] = static_cast<int8_t>(bytes[3]);
    return cJB2_Error_OK;
}

JB2_Error JB2TextSetNominalRefinementATPixels(JB2SegmentHeader* segment)
{
    TextLayout layout;
    JB2_Error status = ReadTextLayout(segment, &layout);
    if (status != cJB2_Error_OK || !layout.refinementAT)
        return status;
    const uint8_t nominal[4] = {255, 255, 255, 255};
    return JB2SegmentWriteBytes(segment, layout.refinementATOffset, 4, nominal);
}

JB2_Error JB2TextHasNominalRefinementATPixels(JB2SegmentHeader* segment, uint8_t* nominal)
{
    if (!nominal)
        return cJB2_Error_Internal;
    *nominal = 0;
    TextLayout layout;
    JB2_Error status = ReadTextLayout(segment, &layout);
    if (status != cJB2_Error_OK)
        return status;
    if (!layout.refinementAT) {
        *nominal = 1;
        return cJB2_Error_OK;
    }
    uint8_t bytes[4];
    status = JB2SegmentReadBytes(segment, layout.refinementATOffset, 4, bytes);
    if (status != cJB2_Error_OK)
        return status;
    *nominal = bytes[0] == 255 && bytes[1] == 255 && bytes[2] == 255 && bytes[3] == 255;
    return cJB2_Error_OK;
}

JB2_Error JB2TextGetNumInstances(JB2SegmentHeader* segment, uint32_t* instances)
{
    if (!instances)
        return cJB2_Error_Internal;
    *instances = 0;
    TextLayout layout;
    JB2_Error status = ReadTextLayout(segment, &layout);
    if (status != cJB2_Error_OK)
        return status;
    return JB2SegmentReadU32(segment, layout.instancesOffset, instances);
}

JB2_Error JB2TextSetNumInstances(JB2SegmentHeader* segment, uint32_t instances)
{
    TextLayout layout;
    JB2_Error status = ReadTextLayout(segment, &layout);
    if (status != cJB2_Error_OK)
        return status;
    return JB2SegmentWriteU32(segment, layout.instancesOffset, instances);
}

JB2_Error JB2TextGetStripSize(JB2SegmentHeader* segment, uint32_t* strips)
{
    if (!strips)
        return cJB2_Error_Internal;
    *strips = 0;
    uint16_t flags = 0;
    JB2_Error status = JB2TextGetFlags(segment, &flags);
    if (status == cJB2_Error_OK)
        *strips = 1u << ((flags >> 2) & 3);
    return status;
}

JB2_Error JB2TextSetStripSize(JB2SegmentHeader* segment, uint32_t strips)
{
    uint16_t log2 = 0;
    switch (strips) {
    case 1: log2 = 0; break;
    case 2: log2 = 1; break;
    case 4: log2 = 2; break;
    case 8: log2 = 3; break;
    default: return cJB2_Error_Internal;
    }
    uint16_t flags = 0;
    JB2_Error status = JB2TextGetFlags(segment, &flags);
    if (status != cJB2_Error_OK)
        return status;
    flags = static_cast<uint16_t>((flags & ~0x000Cu) | (log2 << 2));
    return JB2TextSetFlags(segment, flags);
}

JB2_Error JB2TextGetDsOffset(JB2SegmentHeader* segment, int32_t* offset)
{
    if (!offset)
        return cJB2_Error_Internal;
    *offset = 0;
    uint16_t flags = 0;
    JB2_Error status = JB2TextGetFlags(segment, &flags);
    if (status != cJB2_Error_OK)
        return status;
    const int32_t bits = (flags >> 10) & 0x1F;
    *offset = bits >= 16 ? bits - 32 : bits;
    return cJB2_Error_OK;
}

JB2_Error JB2TextHeaderLength(JB2SegmentHeader* segment, uint32_t* length)
{
    if (!length)
        return cJB2_Error_Internal;
    *length = 0;
    TextLayout layout;
    JB2_Error status = ReadTextLayout(segment, &layout);
    if (status == cJB2_Error_OK)
        *length = layout.instancesOffset + 4;
    return status;
}

JB2_Error JB2TextCodedDataLength(JB2SegmentHeader* segment, uint32_t* length)
{
    if (!length)
        return cJB2_Error_Internal;
    *length = 0;
    uint32_t header = 0;
    JB2_Error status = JB2TextHeaderLength(segment, &header);
    if (status != cJB2_Error_OK)
        return status;
    const uint32_t total = JB2SegmentDataLength(segment);
    *length = total > header ? total - header : 0;
    return cJB2_Error_OK;
}

JB2_Error JB2TextReadCodedData(JB2SegmentHeader* segment, uint32_t offset, uint32_t count, uint8_t* buffer)
{
    uint32_t header = 0;
    JB2_Error status = JB2TextHeaderLength(segment, &header);
    if (status != cJB2_Error_OK)
        return status;
    if (static_cast<uint64_t>(header) + offset > UINT32_MAX)
        return cJB2_Error_Read_Failure;
    return JB2SegmentReadBytes(segment, header + offset, count, buffer);
}

uint32_t JB2TextWriteCodedData(const uint8_t* buffer, uint32_t offset, uint32_t count, void* user)
{
    auto* segment = static_cast<JB2SegmentHeader*>(user);
    uint32_t header = 0;
    if (JB2TextHeaderLength(segment, &header) != cJB2_Error_OK)
        return 0;
    if (static_cast<uint64_t>(header) + offset > UINT32_MAX)
        return 0;
    if (JB2SegmentWriteBytes(segment, header + offset, count, buffer) != cJB2_Error_OK)
        return 0;
    return count;
}

namespace {

// Per selector: the field's shift and width in the Huffman flags, and the
// standard table for each value (0 none, 99 user-defined).
struct SelectorTable {
    uint32_t shift;
    uint32_t width;
    uint32_t tables[4];
    bool refinement;
};

constexpr uint32_t kUser = 99;

const SelectorTable kSelectors[] = {
    {0, 2, {6, 7, 0, kUser}, false},     // FS
    {2, 2, {8, 9, 10, kUser}, false},    // DS
    {4, 2, {11, 12, 13, kUser}, false},  // DT
    {6, 2, {14, 15, 0, kUser}, true},    // RDW
    {8, 2, {14, 15, 0, kUser}, true},    // RDH
    {10, 2, {14, 15, 0, kUser}, true},   // RDX
    {12, 2, {14, 15, 0, kUser}, true},   // RDY
    {14, 1, {1, kUser, 0, 0}, true},     // RSIZE
};

uint32_t SelectedTable(uint16_t flags, uint16_t huffmanFlags, uint32_t selector)
{
    const SelectorTable& entry = kSelectors[selector];
    if (!(flags & kSbHuff) || (entry.refinement && !(flags & kSbRefine)))
        return 0;
    const uint32_t value = (huffmanFlags >> entry.shift) & ((1u << entry.width) - 1);
    return entry.tables[value];
}

}  // namespace

JB2_Error JB2TextSelectHuffmanTable(JB2SegmentHeader* segment, JB2TextHuffmanSelector selector, uint32_t* standard,
                                    JB2SegmentHeader** userTable, JB2Message* message)
{
    if (!standard || !userTable || selector > cJB2_Huffman_RSIZE)
        return cJB2_Error_Internal;
    *standard = 0;
    *userTable = nullptr;
    uint16_t flags = 0;
    uint16_t huffmanFlags = 0;
    JB2_Error status = JB2TextGetFlags(segment, &flags);
    if (status == cJB2_Error_OK)
        status = JB2TextGetHuffmanFlags(segment, &huffmanFlags);
    if (status != cJB2_Error_OK) {
        return JB2Warn(message, status, "Failure getting huffman table type used in text region segment!");
    }
    const uint32_t table = SelectedTable(flags, huffmanFlags, selector);
    if (table == 0) {
        return JB2Warn(message, cJB2_Error_Invalid_Huffman_Table,
                              "Invalid huffman table type used in text region segment!");
    }
    if (table != kUser) {
        *standard = table;
        return cJB2_Error_OK;
    }
    // User tables are taken from the referred tables segments in the order
    // of the selectors that ask for one.
    uint32_t before = 0;
    for (uint32_t s = 0; s < selector; ++s)
        if (SelectedTable(flags, huffmanFlags, s) == kUser)
            ++before;
    for (uint32_t i = 0; i < segment->referredCount; ++i) {
        JB2SegmentHeader* referred = JB2SegmentGetReferred(segment, i);
        if (!referred || referred->type != cJB2_Segment_Tables)
            continue;
        if (before == 0) {
            *userTable = referred;
            return cJB2_Error_OK;
        }
        --before;
    }
    return JB2Fail(message, cJB2_Error_Invalid_Huffman_Table,
                   "Failure getting user defined huffman table used by text region!");
}

}  // namespace ZAV
