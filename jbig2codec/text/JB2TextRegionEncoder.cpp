#include "jbig2codec/text/JB2TextRegionEncoder.h"

#include "jbig2codec/mq/JB2MQContexts.h"
#include "jbig2codec/refinement/JB2RefinementEncoder.h"
#include "jbig2codec/segments/JB2SegmentFields.h"
#include "jbig2codec/symbol/JB2IntegerSink.h"
#include "jbig2codec/symbol/JB2SegmentEncoderEnd.h"
#include "jbig2codec/symbol/JB2SymbolDictionaryDecoder.h"
#include "jbig2codec/symbol/JB2SymbolLookup.h"
#include "jbig2codec/text/JB2TextInstances.h"

namespace ZAV {

namespace {

struct Run {
    JB2TextRegionEncoder* e;
    JB2SymbolLookup symbols;
    uint32_t codeLength;  // SBSYMCODELEN
    uint32_t strips;      // SBSTRIPS
    int32_t dsOffset;     // SBDSOFFSET
    uint8_t refine;       // SBREFINE
    uint8_t transposed;
    uint8_t corner;
    uint8_t rTemplate;
    int64_t stripT;
    int64_t firstS;
    int64_t curS;
    JB2Memory* memory;
    JB2Message* message;
};

// Where the decoder will find an instance: its S before the corner
// adjustment and its T, from its top-left corner (T.88 6.4.5 reversed).
struct Place {
    int64_t s;
    int64_t t;
    int64_t end;  // CURS once the instance is placed
};

Place PlaceOf(const Run& r, const JB2SymbolInstance* in)
{
    const int64_t w = JB2SymbolInstanceWidth(in);
    const int64_t h = JB2SymbolInstanceHeight(in);
    const bool right = r.corner == cJB2_Corner_Top_Right || r.corner == cJB2_Corner_Bottom_Right;
    const bool bottom = r.corner == cJB2_Corner_Bottom_Left || r.corner == cJB2_Corner_Bottom_Right;
    Place p;
    p.s = r.transposed ? in->y : in->x;
    p.t = r.transposed ? in->x + (right ? w - 1 : 0) : in->y + (bottom ? h - 1 : 0);
    p.end = p.s + (r.transposed ? h : w) - 1;
    return p;
}

// T rounded down to a multiple of SBSTRIPS.
int64_t StripOf(const Run& r, int64_t t)
{
    const int64_t n = int64_t(r.strips);
    return (t >= 0 ? t / n : -((-t + n - 1) / n)) * n;
}

JB2_Error Integer(Run& r, uint32_t base, int64_t value, const char* text)
{
    JB2_Error status = JB2EncodeInteger(r.e->mq, base, value);
    return status == cJB2_Error_OK ? status : JB2Fail(r.message, status, "%s", text);
}

JB2_Error EncodeRefinementBitmap(Run& r, const JB2SymbolInstance* in)
{
    const JB2Symbol* symbol = in->symbol;
    const JB2RefinementReference reference = {symbol->bitmap, symbol->width, symbol->height,
                                              symbol->stride, in->dx,        in->dy};
    JB2RefinementEncoder* coder = nullptr;
    JB2_Error status = MQ_Context_Reference_Encoder_Start(&coder, r.memory, in->shape.width, in->shape.height,
                                                          r.rTemplate, &reference, r.e->mq, r.message);
    for (uint32_t y = 0; status == cJB2_Error_OK && y < in->shape.height; ++y)
        status = MQ_Context_Reference_Encoder_Line(coder, in->shape.rows + uint64_t(y) * in->shape.stride);
    if (coder) {
        JB2_Error end = MQ_Context_Reference_Encoder_End(&coder, r.memory);
        if (status == cJB2_Error_OK)
            status = end;
    }
    return status == cJB2_Error_OK
               ? status
               : JB2Fail(r.message, status, "Failure encoding refined symbol instance in text region encoder object!");
}

// RDW, RDH, RDX and RDY so that the decoder finds the symbol at (dx, dy) of the shape.
JB2_Error EncodeRefinement(Run& r, const JB2SymbolInstance* in)
{
    if (!in->shape.rows)
        return JB2Fail(r.message, cJB2_Error_Internal,
                       "Failure getting reference symbol in text region encoder object!");
    const int64_t rdw = int64_t(in->shape.width) - in->symbol->width;
    const int64_t rdh = int64_t(in->shape.height) - in->symbol->height;
    // floor(RDW / 2): the shift rounds towards minus infinity, as the decoder's.
    const int64_t rdx = in->dx - (rdw >> 1);
    const int64_t rdy = in->dy - (rdh >> 1);
    JB2_Error status =
        Integer(r, JB2MQContexts::kIARDW, rdw, "Unable to encode delta width for symbol in text region!");
    if (status == cJB2_Error_OK)
        status = Integer(r, JB2MQContexts::kIARDH, rdh, "Unable to encode delta height for symbol in text region!");
    if (status == cJB2_Error_OK)
        status = Integer(r, JB2MQContexts::kIARDX, rdx, "Unable to encode x offset for symbol in text region!");
    if (status == cJB2_Error_OK)
        status = Integer(r, JB2MQContexts::kIARDY, rdy, "Unable to encode y offset for symbol in text region!");
    return status == cJB2_Error_OK ? EncodeRefinementBitmap(r, in) : status;
}

// CURT, the symbol ID, the refinement flag and what a refinement needs.
JB2_Error EncodeDetails(Run& r, const JB2SymbolInstance* in, const Place& place)
{
    JB2_Error status = cJB2_Error_OK;
    if (r.strips > 1)
        status = Integer(r, JB2MQContexts::kIAIT, place.t - r.stripT,
                         "Unable to encode delta T coordinate of symbol in text region!");
    const int64_t id = JB2SymbolLookupFind(&r.symbols, in->symbol);
    if (status == cJB2_Error_OK && id < 0)
        status = JB2Fail(r.message, cJB2_Error_Internal, "Unable to access symbol in text region!");
    if (status == cJB2_Error_OK && r.codeLength > 0 &&
        MQ_Encoder_Encode_IAID(r.e->mq, uint32_t(id), r.codeLength) != cJB2_Error_OK)
        status = JB2Fail(r.message, cJB2_Error_Internal, "Unable to encode symbol id of symbol in text region!");
    if (status == cJB2_Error_OK && r.refine)
        status = Integer(r, JB2MQContexts::kIARI, in->refine, "Unable to encode refine bit of symbol in text region!");
    if (status == cJB2_Error_OK && in->refine)
        status = EncodeRefinement(r, in);
    return status;
}

JB2_Error CheckInstance(const Run& r, const JB2SymbolInstance* in)
{
    if (!in->symbol || !in->symbol->bitmapValid || (in->refine && !r.refine))
        return cJB2_Error_Internal;
    // An unrefined instance is drawn with its symbol's size.
    if (!in->refine && in->shape.rows &&
        (in->shape.width != in->symbol->width || in->shape.height != in->symbol->height))
        return cJB2_Error_Internal;
    return cJB2_Error_OK;
}

// The instances from *next on whose T lies in the strip of the first, closed by OOB.
JB2_Error EncodeStrip(Run& r, const JB2SymbolInstanceArray* instances, uint32_t* next)
{
    const int64_t strip = StripOf(r, PlaceOf(r, &instances->entries[*next]).t);
    JB2_Error status = Integer(r, JB2MQContexts::kIADT, (strip - r.stripT) / r.strips,
                               "Unable to encode strip delta T value of text region!");
    r.stripT = strip;
    for (bool first = true; status == cJB2_Error_OK && *next < instances->count; first = false) {
        const JB2SymbolInstance* in = &instances->entries[*next];
        const Place place = PlaceOf(r, in);
        if (StripOf(r, place.t) != strip)
            break;
        status = CheckInstance(r, in);
        if (status != cJB2_Error_OK)
            return JB2Fail(r.message, status, "Unable to encode symbol instance details in text region!");
        if (first) {
            status = Integer(r, JB2MQContexts::kIAFS, place.s - r.firstS,
                             "Unable to encode delta S coordinate of symbol in text region!");
            r.firstS = place.s;
        } else {
            status = Integer(r, JB2MQContexts::kIADS, place.s - (r.curS + r.dsOffset),
                             "Unable to encode delta S coordinate of symbol in text region!");
        }
        if (status == cJB2_Error_OK)
            status = EncodeDetails(r, in, place);
        r.curS = place.end;
        ++*next;
    }
    if (status == cJB2_Error_OK && JB2EncodeOOB(r.e->mq, JB2MQContexts::kIADS) != cJB2_Error_OK)
        status = JB2Fail(r.message, cJB2_Error_Internal, "Unable to encode OOB at end of strip in text region!");
    return status;
}

JB2_Error ReadFields(Run& r, uint32_t count)
{
    JB2SegmentHeader* segment = r.e->segment;
    JB2_Error status = JB2TextSetNumInstances(segment, count);
    if (status != cJB2_Error_OK)
        return JB2Fail(r.message, status, "Unable to set \"Number of Instances\" field of text region!");
    status = JB2TextGetStripSize(segment, &r.strips);
    if (status == cJB2_Error_OK)
        status = JB2TextGetDsOffset(segment, &r.dsOffset);
    const uint16_t flags = r.e->flags;
    r.refine = (flags >> 1) & 1;
    r.corner = (flags >> 4) & 3;
    r.transposed = (flags >> 6) & 1;
    r.rTemplate = (flags >> 15) & 1;
    uint8_t nominal = 1;
    if (status == cJB2_Error_OK && r.refine && r.rTemplate == 0)
        status = JB2TextHasNominalRefinementATPixels(segment, &nominal);
    if (status == cJB2_Error_OK && !nominal)
        status = cJB2_Error_Internal;
    return status;
}

}  // namespace

JB2_Error Text_Region_Encoder_Start(JB2TextRegionEncoder** out, JB2Memory* memory, JB2SegmentHeader* segment,
                                    JB2Message* message)
{
    if (!out || !segment || !JB2SegmentTypeIsTextRegion(segment->type))
        return cJB2_Error_Internal;
    *out = nullptr;
    uint16_t flags = 0;
    uint32_t width = 0, height = 0;
    if (JB2TextGetFlags(segment, &flags) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Unable to get text region flags for encoder object!");
    if (JB2RegionGetWidth(segment, &width) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Unable to get text region width for encoder object!");
    if (width == 0)
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Invalid text region width of 0 for encoder object!");
    if (JB2RegionGetHeight(segment, &height) != cJB2_Error_OK)
        return JB2Fail(message, cJB2_Error_Read_Failure, "Unable to get text region height for encoder object!");
    if (height == 0)
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Invalid text region height of 0 for encoder object!");
    if (flags & 1)
        return JB2Fail(message, cJB2_Error_Not_Yet_Supported,
                       "Huffman coded text regions cannot be encoded, only decoded!");
    auto* e = JB2MemoryNew<JB2TextRegionEncoder>(memory);
    if (!e)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate text region encoder object!");
    JB2WriteData* output = nullptr;
    JB2_Error status = JB2WriteDataCreate(&output, memory, JB2TextWriteCodedData, segment, message);
    if (status == cJB2_Error_OK)
        status = MQ_Encoder_Start(&e->mq, memory, JB2MQContexts::kCount, 0, output, message);
    if (output)
        JB2WriteDataRelease(&output, memory);
    if (status != cJB2_Error_OK) {
        JB2MemoryFree(memory, &e);
        return status;
    }
    JB2SegmentAddReference(segment);
    e->segment = segment;
    e->flags = flags;
    e->width = width;
    e->height = height;
    *out = e;
    return cJB2_Error_OK;
}

JB2_Error Text_Region_Encode(JB2TextRegionEncoder* e, JB2Memory* memory, const JB2SymbolInstanceArray* instances,
                             JB2Message* message)
{
    if (!e || !e->mq || !instances)
        return cJB2_Error_Internal;
    Run r = {};
    r.e = e;
    r.memory = memory;
    r.message = message;
    JB2_Error status = ReadFields(r, instances->count);
    if (status == cJB2_Error_OK)
        status = JB2SymbolLookupStart(&r.symbols, memory, e->segment, nullptr, message);
    if (status != cJB2_Error_OK)
        return status;
    r.codeLength = JB2CodeLength(r.symbols.inputCount);
    // Longer symbol codes would reach the contexts of other procedures.
    if (r.codeLength > kJB2MaxSymbolCodeLength)
        status = JB2Fail(message, cJB2_Error_Not_Yet_Supported, "Too many symbols for text region!");
    // The first strip's T, as the decoder starts from it; an empty region codes just this.
    r.stripT = instances->count ? StripOf(r, PlaceOf(r, &instances->entries[0]).t) : 0;
    if (status == cJB2_Error_OK)
        status = Integer(r, JB2MQContexts::kIADT, -(r.stripT / r.strips),
                         "Unable to encode strip delta T value of text region!");
    uint32_t next = 0;
    while (status == cJB2_Error_OK && next < instances->count)
        status = EncodeStrip(r, instances, &next);
    JB2SymbolLookupEnd(&r.symbols, memory);
    return status;
}

JB2_Error Text_Region_Encoder_End(JB2TextRegionEncoder** holder, JB2Memory* memory)
{
    return JB2SegmentEncoderEnd(holder, memory);
}

}  // namespace ZAV
