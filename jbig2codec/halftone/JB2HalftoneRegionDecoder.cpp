#include "jbig2codec/halftone/JB2HalftoneRegionDecoder.h"

#include <cstring>

#include "jbig2codec/generic/JB2ContextBuffer.h"
#include "jbig2codec/generic/JB2MQContextDecoder.h"
#include "jbig2codec/mmr/JB2MMRDecoder.h"
#include "jbig2codec/mq/JB2MQContexts.h"
#include "jbig2codec/render/JB2BitmapOps.h"
#include "jbig2codec/segments/JB2SegmentFields.h"
#include "jbig2codec/support/JB2Limits.h"

namespace ZAV {

namespace {

// Region information, flags and the grid fields.
constexpr uint32_t kHeaderLength = 38;
// Spare bytes behind each row, for the row combination.
constexpr uint32_t kRowSpare = 4;

// Where grid cell (mg, ng) lands (T.88 6.6.5.2), in 64 bits: every term
// comes from the file.
void CellPosition(const JB2HalftoneRegionDecoder* d, uint64_t mg, uint64_t ng, int64_t* x, int64_t* y)
{
    *x = (int64_t(d->gridX) + int64_t(mg) * d->vectorY + int64_t(ng) * d->vectorX) >> 8;
    *y = (int64_t(d->gridY) + int64_t(mg) * d->vectorX - int64_t(ng) * d->vectorY) >> 8;
}

bool CellOutside(const JB2HalftoneRegionDecoder* d, int64_t x, int64_t y)
{
    const JB2PatternDictionary* p = d->patterns;
    return x + p->width <= 0 || x >= int64_t(d->width) || y + p->height <= 0 || y >= int64_t(d->height);
}

JB2_Error ReadGrid(JB2HalftoneRegionDecoder* d, JB2Message* message)
{
    JB2SegmentHeader* s = d->segment;
    if (JB2HalftoneGetFlags(s, &d->flags) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Unable to get halftone region flags for decoder object!");
    if (JB2RegionGetWidth(s, &d->width) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Unable to get halftone region width for decoder object!");
    if (d->width == 0)
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data,
                       "Invalid halftone region width of 0 for decoder object!");
    if (JB2RegionGetHeight(s, &d->height) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Unable to get halftone region height for decoder object!");
    if (d->height == 0)
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data,
                       "Invalid halftone region height of 0 for decoder object!");
    if (JB2HalftoneGetGridWidth(s, &d->gridWidth) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Error getting halftone gray width!");
    if (d->gridWidth == 0)
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data,
                       "Invalid halftone gray width of 0 for decoder object!");
    if (JB2HalftoneGetGridHeight(s, &d->gridHeight) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Error getting halftone gray height!");
    if (d->gridHeight == 0)
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data,
                       "Invalid halftone gray height of 0 for decoder object!");
    JB2_Error status = JB2HalftoneGetGridX(s, &d->gridX);
    if (status == cJB2_Error_OK)
        status = JB2HalftoneGetGridY(s, &d->gridY);
    if (status == cJB2_Error_OK)
        status = JB2HalftoneGetVectorX(s, &d->vectorX);
    if (status == cJB2_Error_OK)
        status = JB2HalftoneGetVectorY(s, &d->vectorY);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Unable to get halftone region flags for decoder object!");
    // The gray image (4 bytes a cell) and the region are bounded like any region.
    status = JB2GenericCheckSize(d->width, d->height, message);
    if (status == cJB2_Error_OK)
        status = JB2GenericCheckSize(d->gridWidth, d->gridHeight, message);
    return status;
}

JB2_Error TakePatterns(JB2HalftoneRegionDecoder* d, JB2Memory* memory, JB2Message* message)
{
    JB2SegmentHeader* dictionary = nullptr;
    JB2HalftoneGetPatternDictionary(d->segment, &dictionary);
    if (!dictionary)
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data,
                       "Unable to find pattern dictionary for halftone region!");
    JB2_Error status = JB2PatternDictionaryOf(dictionary, memory, message, &d->patterns);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Unable to get pattern dictionary for decoder object!");
    d->grayMax = d->patterns->patterns - 1;
    d->bitsPerPixel = 0;
    while (d->bitsPerPixel < 32 && (uint64_t(d->grayMax) >> d->bitsPerPixel) != 0)
        ++d->bitsPerPixel;
    // Every cell draws a pattern: the cells times the pattern's pixels are the
    // work, and tiny patterns still cost each cell its decode and placement.
    const uint64_t cellPixels = uint64_t(d->patterns->width) * d->patterns->height;
    const uint64_t work = uint64_t(d->gridWidth) * d->gridHeight *
                          (cellPixels > kJB2HalftoneCellCost ? cellPixels : kJB2HalftoneCellCost);
    if (work > kJB2MaxRegionPixels)
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Halftone region draws too many pixels!");
    return cJB2_Error_OK;
}

// HSKIP (T.88 6.6.5.1): 1 for the cells whose pattern falls wholly outside the region.
void MarkSkipped(const JB2HalftoneRegionDecoder* d, uint8_t* skip, uint32_t lineBytes)
{
    for (uint32_t mg = 0; mg < d->gridHeight; ++mg)
        for (uint32_t ng = 0; ng < d->gridWidth; ++ng) {
            int64_t x = 0, y = 0;
            CellPosition(d, mg, ng, &x, &y);
            if (CellOutside(d, x, y))
                skip[uint64_t(mg) * lineBytes + ng / 8] |= uint8_t(0x80 >> (ng % 8));
        }
}

// One plane's bits go into bit j of the gray values, Gray-decoded against bit j + 1.
void TakePlaneLine(JB2HalftoneRegionDecoder* d, const uint8_t* line, uint32_t mg, uint32_t j)
{
    uint32_t* values = d->gray + uint64_t(mg) * d->gridWidth;
    for (uint32_t ng = 0; ng < d->gridWidth; ++ng) {
        const uint32_t bit = (line[ng / 8] >> (7 - ng % 8)) & 1;
        const uint32_t above = j + 1 < 32 ? (values[ng] >> (j + 1)) & 1 : 0;
        values[ng] |= (bit ^ above) << j;
    }
}

struct PlaneCoders {
    JB2MMRDecoder* mmr;
    JB2MQDecoder* mq;
    uint8_t* line;
    uint8_t* skip;
    uint32_t lineBytes;
};

JB2_Error DecodePlane(JB2HalftoneRegionDecoder* d, PlaneCoders& c, uint32_t j, JB2Memory* memory, JB2Message* message)
{
    JB2MQContextDecoder* generic = nullptr;
    JB2_Error status = cJB2_Error_OK;
    if (!c.mmr)
        status = MQ_Context_Decoder_Start_Shared(&generic, memory, d->gridWidth, d->gridHeight, (d->flags >> 1) & 3, 1,
                                                 nullptr, nullptr, c.mq, message);
    for (uint32_t mg = 0; status == cJB2_Error_OK && mg < d->gridHeight; ++mg) {
        const uint8_t* skip = c.skip ? c.skip + uint64_t(mg) * c.lineBytes : nullptr;
        status = c.mmr ? MMR_Decoder_Line(c.mmr, c.line) : MQ_Context_Decoder_Line(generic, c.line, 0, skip);
        if (status == cJB2_Error_OK)
            TakePlaneLine(d, c.line, mg, j);
    }
    if (generic)
        MQ_Context_Decoder_End(&generic, memory);
    if (status == cJB2_Error_OK && c.mmr)
        status = MMR_Decoder_Next_Plane(c.mmr);
    return status;
}

// The gray-scale image, plane by plane from the most significant (T.88 C.5).
JB2_Error DecodeGray(JB2HalftoneRegionDecoder* d, uint8_t* data, uint32_t length, JB2Memory* memory,
                     JB2Message* message)
{
    PlaneCoders c = {};
    c.lineBytes = uint32_t((uint64_t(d->gridWidth) + 7) / 8 + kRowSpare);
    c.line = JB2MemoryAllocArray<uint8_t>(memory, c.lineBytes);
    const bool skipping = !(d->flags & 1) && ((d->flags >> 3) & 1);
    if (skipping)
        c.skip = JB2MemoryAllocArray<uint8_t>(memory, uint64_t(c.lineBytes) * d->gridHeight);
    JB2_Error status = cJB2_Error_OK;
    if (!c.line || (skipping && !c.skip))
        status = JB2Fail(message, cJB2_Error_Allocation_Failure,
                         "Unable to allocate halftone region decoder gray image line buffer!");
    if (status == cJB2_Error_OK && c.skip)
        MarkSkipped(d, c.skip, c.lineBytes);
    if (status == cJB2_Error_OK)
        status = (d->flags & 1) ? MMR_Decoder_Start(&c.mmr, memory, d->gridWidth, d->gridHeight, data, length,
                                                    length + kJB2CodedDataSlack, message)
                                : MQ_Decoder_Start(&c.mq, memory, JB2MQContexts::kCount, data, length, message);
    for (uint32_t plane = d->bitsPerPixel; status == cJB2_Error_OK && plane > 0; --plane)
        status = DecodePlane(d, c, plane - 1, memory, message);
    if (c.mmr)
        MMR_Decoder_End(&c.mmr, memory);
    if (c.mq)
        MQ_Decoder_End(&c.mq, memory);
    if (c.line)
        JB2MemoryFree(memory, &c.line);
    if (c.skip)
        JB2MemoryFree(memory, &c.skip);
    return status == cJB2_Error_OK ? status
                                   : JB2Fail(message, status, "Failure decoding gray image for halftone region!");
}

void DrawCell(JB2HalftoneRegionDecoder* d, uint32_t gray, int64_t x, int64_t y, uint8_t* line)
{
    const JB2PatternDictionary* p = d->patterns;
    if (x >= int64_t(d->width) || x + p->width <= 0)
        return;
    const int64_t room = int64_t(d->width) - x;
    const uint32_t visible = room < p->width ? uint32_t(room) : p->width;
    for (uint32_t k = 0; k < p->height; ++k) {
        if (y + k < 0 || y + k >= int64_t(d->height))
            continue;
        JB2PatternDictionaryRow(p, gray, k, line);
        JB2RowCombine(d->bitmap + uint64_t(y + k) * d->stride, line, visible, x, (d->flags >> 4) & 7);
    }
}

// T.88 6.6.5.2: each cell's pattern at its grid position.
JB2_Error Render(JB2HalftoneRegionDecoder* d, JB2Memory* memory, JB2Message* message)
{
    uint8_t* line = JB2MemoryAllocArray<uint8_t>(memory, d->patterns->width / 8 + kRowSpare);
    if (!line)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Failure rendering halftone region!");
    bool clamped = false;
    for (uint32_t mg = 0; mg < d->gridHeight; ++mg)
        for (uint32_t ng = 0; ng < d->gridWidth; ++ng) {
            uint32_t gray = d->gray[uint64_t(mg) * d->gridWidth + ng];
            // A value the dictionary has no pattern for takes its last pattern.
            if (gray > d->grayMax) {
                gray = d->grayMax;
                clamped = true;
            }
            int64_t x = 0, y = 0;
            CellPosition(d, mg, ng, &x, &y);
            DrawCell(d, gray, x, y, line);
        }
    JB2MemoryFree(memory, &line);
    if (clamped)
        JB2MessageWarning(message, "Gray value above GRAYMAX in halftone region set to GRAYMAX!");
    return cJB2_Error_OK;
}

JB2_Error ReadData(JB2SegmentHeader* segment, uint8_t** data, uint32_t* length, JB2Memory* memory, JB2Message* message)
{
    const uint32_t total = JB2SegmentDataLength(segment);
    if (total == 0)
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Error getting segment data length!");
    if (total <= kHeaderLength)
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Invalid segment data length!");
    *length = total - kHeaderLength;
    uint8_t last = 0;
    if (JB2SegmentReadU8(segment, total - 1, &last) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Unable to read halftone region segment data!");
    *data = JB2MemoryAllocArray<uint8_t>(memory, uint64_t(*length) + kJB2CodedDataSlack);
    if (!*data)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate halftone region decoder buffer!");
    if (JB2SegmentReadBytes(segment, kHeaderLength, *length, *data) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Unable to read halftone region segment data!");
    return cJB2_Error_OK;
}

}  // namespace

JB2_Error Halftone_Region_Decoder_Start(JB2HalftoneRegionDecoder** out, JB2Memory* memory, JB2SegmentHeader* segment,
                                        JB2Message* message)
{
    if (!out || !segment || !JB2SegmentTypeIsHalftoneRegion(segment->type))
        return cJB2_Error_Internal;
    *out = nullptr;
    auto* d = JB2MemoryNew<JB2HalftoneRegionDecoder>(memory);
    if (!d)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate halftone region decoder object!");
    d->segment = segment;
    JB2_Error status = ReadGrid(d, message);
    if (status == cJB2_Error_OK)
        status = TakePatterns(d, memory, message);
    if (status == cJB2_Error_OK) {
        d->stride = uint32_t((uint64_t(d->width) + 7) / 8 + kRowSpare);
        d->bitmap = JB2MemoryAllocArray<uint8_t>(memory, uint64_t(d->stride) * d->height);
        d->gray = JB2MemoryAllocArray<uint32_t>(memory, uint64_t(d->gridWidth) * d->gridHeight);
        if (!d->bitmap || !d->gray)
            status = JB2Fail(message, cJB2_Error_Allocation_Failure,
                             "Unable to allocate halftone region decoder bitmap buffer!");
        else if (d->flags & 0x80)
            std::memset(d->bitmap, 0xFF, uint64_t(d->stride) * d->height);
    }
    if (status != cJB2_Error_OK) {
        Halftone_Region_Decoder_End(&d, memory);
        return status;
    }
    *out = d;
    return cJB2_Error_OK;
}

JB2_Error Halftone_Region_Decode(JB2HalftoneRegionDecoder* d, JB2Memory* memory, JB2Message* message)
{
    if (!d)
        return cJB2_Error_Internal;
    if (d->done)
        return cJB2_Error_OK;
    uint8_t* data = nullptr;
    uint32_t length = 0;
    JB2_Error status = ReadData(d->segment, &data, &length, memory, message);
    if (status == cJB2_Error_OK)
        status = DecodeGray(d, data, length, memory, message);
    if (data)
        JB2MemoryFree(memory, &data);
    if (status == cJB2_Error_OK)
        status = Render(d, memory, message);
    if (status == cJB2_Error_OK)
        d->done = 1;
    return status;
}

const uint8_t* Halftone_Region_Decoder_Line(const JB2HalftoneRegionDecoder* d, uint32_t row)
{
    if (!d || !d->done || row >= d->height)
        return nullptr;
    return d->bitmap + uint64_t(row) * d->stride;
}

JB2_Error Halftone_Region_Decoder_End(JB2HalftoneRegionDecoder** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2HalftoneRegionDecoder* d = *holder;
    if (d->bitmap)
        JB2MemoryFree(memory, &d->bitmap);
    if (d->gray)
        JB2MemoryFree(memory, &d->gray);
    *holder = nullptr;
    return JB2MemoryFree(memory, &d);
}

}  // namespace ZAV
