#include "jbig2codec/render/JB2DrawDecodedRegion.h"

#include <cstring>

#include "jbig2codec/halftone/JB2HalftoneRegionDecoder.h"
#include "jbig2codec/render/JB2BitmapOps.h"
#include "jbig2codec/render/JB2ComposeRows.h"
#include "jbig2codec/segments/JB2SegmentFields.h"
#include "jbig2codec/text/JB2TextRegionDecoder.h"

namespace ZAV {

namespace {

// Bytes behind a row that the row combination may shift into.
constexpr uint32_t kLineSpare = 4;

struct Source {
    const void* decoder;
    JB2DecodedRow rowOf;
    uint32_t bytes;
};

JB2_Error CopyRow(void* user, uint32_t row, uint8_t* line)
{
    const auto* source = static_cast<const Source*>(user);
    const uint8_t* decoded = source->rowOf(source->decoder, row);
    if (!decoded)
        return cJB2_Error_Internal;
    std::memcpy(line, decoded, source->bytes);
    return cJB2_Error_OK;
}

const uint8_t* TextRow(const void* decoder, uint32_t row)
{
    return Text_Region_Decoder_Line(static_cast<const JB2TextRegionDecoder*>(decoder), row);
}

const uint8_t* HalftoneRow(const void* decoder, uint32_t row)
{
    return Halftone_Region_Decoder_Line(static_cast<const JB2HalftoneRegionDecoder*>(decoder), row);
}

// The page rows at the text region's place when its instances can be
// combined straight into the page: the region is ORed onto the page, starts
// white (SBDEFPIXEL 0), ORs its instances (SBCOMBOP 0), starts on a byte
// boundary and lies inside the page. OR is associative, so the page then
// ends as composing the region's own bitmap would leave it; a failure fails
// the whole page, so a half-drawn region is never delivered. Null otherwise.
uint8_t* TextRegionOnPage(JB2SegmentHeader* segment, uint8_t combination, const JB2PageBitmap& page)
{
    uint32_t x = 0, y = 0, width = 0, height = 0;
    uint8_t regionFlags = 0;
    uint16_t textFlags = 0;
    if (JB2RegionGetX(segment, &x) != cJB2_Error_OK || JB2RegionGetY(segment, &y) != cJB2_Error_OK ||
        JB2RegionGetWidth(segment, &width) != cJB2_Error_OK || JB2RegionGetHeight(segment, &height) != cJB2_Error_OK ||
        JB2RegionGetFlags(segment, &regionFlags) != cJB2_Error_OK ||
        JB2TextGetFlags(segment, &textFlags) != cJB2_Error_OK)
        return nullptr;
    const uint8_t operation = combination == kJB2CombinationFromRegion ? uint8_t(regionFlags & 7) : combination;
    const bool white = ((textFlags >> 9) & 1) == 0;
    const bool orInstances = ((textFlags >> 7) & 3) == cJB2_Combine_Or;
    const bool inside = uint64_t(x) + width <= page.width && uint64_t(y) + height <= page.height;
    if (operation != cJB2_Combine_Or || !white || !orInstances || x % 8 != 0 || !inside || width == 0)
        return nullptr;
    const uint64_t stride = (uint64_t(page.width) + 7) / 8;
    return page.bits + uint64_t(y) * stride + x / 8;
}

}  // namespace

JB2_Error JB2DrawDecodedRegion(JB2SegmentHeader* segment, uint8_t combination, const void* decoder, JB2DecodedRow rowOf,
                               JB2Memory* memory, const JB2PageBitmap& page, JB2Message* message)
{
    uint32_t x = 0, y = 0, width = 0, height = 0;
    uint8_t flags = 0;
    if (JB2RegionGetX(segment, &x) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Error getting region segment x location!");
    if (JB2RegionGetY(segment, &y) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Error getting region segment y location!");
    if (JB2RegionGetHeight(segment, &height) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Error getting region segment height!");
    if (JB2RegionGetWidth(segment, &width) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Error getting region segment width!");
    if (combination == kJB2CombinationFromRegion) {
        if (JB2RegionGetFlags(segment, &flags) != cJB2_Error_OK)
            return JB2Fail(message, cJB2_Error_Read_Failure, "Error getting region segment flags!");
        combination = flags & 7;
    }
    Source source = {decoder, rowOf, uint32_t((uint64_t(width) + 7) / 8)};
    uint8_t* line = JB2MemoryAllocArray<uint8_t>(memory, uint64_t(source.bytes) + kLineSpare);
    if (!line)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate render text region object!");
    JB2_Error status = JB2ComposeRegionRows(page.bits, page.width, page.height, x, y, width, height, combination, line,
                                            CopyRow, &source);
    JB2MemoryFree(memory, &line);
    return status;
}

JB2_Error JB2DrawTextRegion(JB2SegmentHeader* segment, JB2Memory* memory, uint8_t combination,
                            const JB2PageBitmap& page, JB2Message* message)
{
    uint32_t instances = 0;
    JB2_Error status = JB2TextGetNumInstances(segment, &instances);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Unable to access \"Number of Instances\" field of text region!");
    if (instances == 0)
        return cJB2_Error_OK;
    JB2TextRegionDecoder* decoder = nullptr;
    uint8_t* onPage = TextRegionOnPage(segment, combination, page);
    if (onPage) {
        status = Text_Region_Decoder_Start_Onto(&decoder, memory, segment, onPage,
                                                uint32_t((uint64_t(page.width) + 7) / 8), message);
    } else {
        status = Text_Region_Decoder_Start(&decoder, memory, segment, message);
    }
    if (status != cJB2_Error_OK)
        return status;
    status = Text_Region_Decode(decoder, memory, message);
    if (status == cJB2_Error_OK && !onPage)
        status = JB2DrawDecodedRegion(segment, combination, decoder, TextRow, memory, page, message);
    const JB2_Error ended = Text_Region_Decoder_End(&decoder, memory);
    return status != cJB2_Error_OK ? status : ended;
}

JB2_Error JB2DrawHalftoneRegion(JB2SegmentHeader* segment, JB2Memory* memory, uint8_t combination,
                                const JB2PageBitmap& page, JB2Message* message)
{
    JB2HalftoneRegionDecoder* decoder = nullptr;
    JB2_Error status = Halftone_Region_Decoder_Start(&decoder, memory, segment, message);
    if (status != cJB2_Error_OK)
        return status;
    status = Halftone_Region_Decode(decoder, memory, message);
    if (status == cJB2_Error_OK)
        status = JB2DrawDecodedRegion(segment, combination, decoder, HalftoneRow, memory, page, message);
    if (status != cJB2_Error_OK)
        JB2MessageError(message, "Failure rendering halftone regions to page buffer!");
    const JB2_Error ended = Halftone_Region_Decoder_End(&decoder, memory);
    return status != cJB2_Error_OK ? status : ended;
}

}  // namespace ZAV
