#include "jbig2codec/symbol/JB2SymbolDictionaryEncoder.h"

#include "jbig2codec/generic/JB2MQContextEncoder.h"
#include "jbig2codec/mq/JB2MQContexts.h"
#include "jbig2codec/refinement/JB2RefinementEncoder.h"
#include "jbig2codec/symbol/JB2IntegerSink.h"
#include "jbig2codec/symbol/JB2SegmentEncoderEnd.h"
#include "jbig2codec/symbol/JB2SymbolDictionaryDecoder.h"
#include "jbig2codec/symbol/JB2SymbolLookup.h"

namespace ZAV {

namespace {

struct Run {
    JB2SymbolDictionaryEncoder* e;
    const JB2SymbolDictionary* d;
    JB2SymbolLookup symbols;  // input symbols, then the new ones
    uint32_t codeLength;      // SBSYMCODELEN of the refinements
    JB2Memory* memory;
    JB2Message* message;
};

JB2_Error Integer(Run& r, uint32_t base, int64_t value, const char* text)
{
    JB2_Error status = JB2EncodeInteger(r.e->mq, base, value);
    return status == cJB2_Error_OK ? status : JB2Fail(r.message, status, "%s", text);
}

JB2_Error EncodeGeneric(Run& r, const JB2Symbol* symbol)
{
    JB2MQContextEncoder* coder = nullptr;
    JB2_Error status = MQ_Context_Encoder_Start_Shared(&coder, r.memory, symbol->width, symbol->height, r.d->sdTemplate,
                                                       r.e->mq, r.message);
    for (uint32_t y = 0; status == cJB2_Error_OK && y < symbol->height; ++y)
        status = MQ_Context_Encoder_Line(coder, JB2SymbolRow(symbol, y));
    if (coder) {
        JB2_Error end = MQ_Context_Encoder_End(&coder, r.memory);
        if (status == cJB2_Error_OK)
            status = end;
    }
    return status;
}

// One refinement instance (REFAGGNINST 1) of the symbol's reference at offset (0, 0).
JB2_Error EncodeRefined(Run& r, const JB2Symbol* symbol)
{
    const int64_t id = JB2SymbolLookupFind(&r.symbols, symbol->reference);
    if (!symbol->reference || id < 0)
        return JB2Fail(r.message, cJB2_Error_Internal, "Unable to get dictionary symbol!");
    JB2_Error status = JB2EncodeInteger(r.e->mq, JB2MQContexts::kIAAI, 1);
    if (status == cJB2_Error_OK)
        status = MQ_Encoder_Encode_IAID(r.e->mq, uint32_t(id), r.codeLength);
    if (status == cJB2_Error_OK)
        status = JB2EncodeInteger(r.e->mq, JB2MQContexts::kIARDX, 0);
    if (status == cJB2_Error_OK)
        status = JB2EncodeInteger(r.e->mq, JB2MQContexts::kIARDY, 0);
    const JB2Symbol* reference = symbol->reference;
    const JB2RefinementReference view = {
        reference->bitmap, reference->width, reference->height, reference->stride, 0, 0};
    JB2RefinementEncoder* coder = nullptr;
    if (status == cJB2_Error_OK)
        status = MQ_Context_Reference_Encoder_Start(&coder, r.memory, symbol->width, symbol->height, r.d->sdrTemplate,
                                                    &view, r.e->mq, r.message);
    for (uint32_t y = 0; status == cJB2_Error_OK && y < symbol->height; ++y)
        status = MQ_Context_Reference_Encoder_Line(coder, JB2SymbolRow(symbol, y));
    if (coder) {
        JB2_Error end = MQ_Context_Reference_Encoder_End(&coder, r.memory);
        if (status == cJB2_Error_OK)
            status = end;
    }
    return status;
}

JB2_Error EncodeSymbol(Run& r, const JB2Symbol* symbol, uint32_t* width)
{
    if (symbol->height == 0)
        return JB2Fail(r.message, cJB2_Error_Invalid_Segment_Data, "Invalid height of 0 for dictionary symbol!");
    if (symbol->width == 0)
        return JB2Fail(r.message, cJB2_Error_Invalid_Segment_Data, "Invalid width of 0 for dictionary symbol!");
    JB2_Error status = Integer(r, JB2MQContexts::kIADW, int64_t(symbol->width) - *width,
                               "Unable to encode delta width for dictionary symbol!");
    *width = symbol->width;
    if (status == cJB2_Error_OK)
        status = r.d->refAgg ? EncodeRefined(r, symbol) : EncodeGeneric(r, symbol);
    return status == cJB2_Error_OK ? status
                                   : JB2Fail(r.message, status, "Unable to encode bitmap for dictionary symbol!");
}

// Height classes: the runs of new symbols of one height, each closed by OOB.
JB2_Error EncodeHeightClasses(Run& r)
{
    const JB2SymbolArray* symbols = r.d->symbols;
    uint32_t height = 0;
    uint32_t i = 0;
    while (symbols && i < symbols->count) {
        const uint32_t classHeight = symbols->items[i]->height;
        if (classHeight < height)
            return JB2Fail(r.message, cJB2_Error_Internal, "Unable to get dictionary symbol!");
        JB2_Error status = Integer(r, JB2MQContexts::kIADH, int64_t(classHeight) - height,
                                   "Unable to encode height class delta height for dictionary symbol!");
        height = classHeight;
        uint32_t width = 0;
        for (; status == cJB2_Error_OK && i < symbols->count && symbols->items[i]->height == height; ++i)
            status = EncodeSymbol(r, symbols->items[i], &width);
        if (status == cJB2_Error_OK)
            status = JB2EncodeOOB(r.e->mq, JB2MQContexts::kIADW);
        if (status != cJB2_Error_OK)
            return JB2Fail(r.message, status, "Unable to encode height class OOB for dictionary symbol!");
    }
    return cJB2_Error_OK;
}

// Runs of not-exported and exported symbols over the input and new symbols,
// starting with not-exported (T.88 6.5.10); the export list is ascending.
JB2_Error EncodeExportFlags(Run& r)
{
    const uint64_t total = uint64_t(r.symbols.inputCount) + r.d->numNew;
    uint32_t next = 0;  // the next entry of the export list
    uint8_t exporting = 0;
    int64_t run = 0;
    JB2_Error status = cJB2_Error_OK;
    for (uint64_t i = 0; i < total && status == cJB2_Error_OK; ++i) {
        const uint8_t exported = next < r.d->numExported && r.d->exportList[next] == i;
        next += exported;
        if (exported != exporting) {
            status = JB2EncodeInteger(r.e->mq, JB2MQContexts::kIAEX, run);
            exporting = exported;
            run = 0;
        }
        ++run;
    }
    if (status == cJB2_Error_OK)
        status = JB2EncodeInteger(r.e->mq, JB2MQContexts::kIAEX, run);
    // A last run of symbols not exported is followed by an empty exported one.
    if (status == cJB2_Error_OK && !exporting)
        status = JB2EncodeInteger(r.e->mq, JB2MQContexts::kIAEX, 0);
    return status == cJB2_Error_OK
               ? status
               : JB2Fail(r.message, status, "Unable to encode exported symbol bits for dictionary symbol!");
}

}  // namespace

JB2_Error Symbol_Dictionary_Encoder_Start(JB2SymbolDictionaryEncoder** out, JB2Memory* memory,
                                          JB2SegmentHeader* segment, JB2Message* message)
{
    if (!out || !segment || segment->type != cJB2_Segment_Symbol_Dictionary || !segment->typeObject)
        return cJB2_Error_Internal;
    *out = nullptr;
    auto* d = static_cast<JB2SymbolDictionary*>(segment->typeObject);
    if (d->huffman)
        return JB2Fail(message, cJB2_Error_Not_Yet_Supported,
                       "Huffman coded symbol dictionaries cannot be encoded, only decoded!");
    auto* e = JB2MemoryNew<JB2SymbolDictionaryEncoder>(memory);
    if (!e)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate symbol dictionary encoder object!");
    JB2WriteData* output = nullptr;
    JB2_Error status = JB2WriteDataCreate(&output, memory, JB2SegmentWriteCallback, segment, message);
    if (status == cJB2_Error_OK)
        status = MQ_Encoder_Start(&e->mq, memory, JB2MQContexts::kCount, d->headerLength, output, message);
    if (output)
        JB2WriteDataRelease(&output, memory);
    if (status != cJB2_Error_OK) {
        if (e->mq)
            MQ_Encoder_End(&e->mq, memory);
        JB2MemoryFree(memory, &e);
        return status;
    }
    JB2SegmentAddReference(segment);
    e->segment = segment;
    e->dictionary = d;
    *out = e;
    return cJB2_Error_OK;
}

JB2_Error Symbol_Dictionary_Encode(JB2SymbolDictionaryEncoder* e, JB2Memory* memory, JB2Message* message)
{
    if (!e || !e->mq)
        return cJB2_Error_Internal;
    Run r = {e, e->dictionary, {}, 0, memory, message};
    JB2_Error status = JB2SymbolLookupStart(&r.symbols, memory, e->segment, r.d->symbols, message);
    if (status != cJB2_Error_OK)
        return status;
    r.codeLength = JB2CodeLength(uint64_t(r.symbols.inputCount) + r.d->numNew);
    // Longer symbol codes would reach the contexts of other procedures.
    if (r.d->refAgg && r.codeLength > kJB2MaxSymbolCodeLength)
        status = JB2Fail(message, cJB2_Error_Not_Yet_Supported,
                         "Too many symbols for refinement coding in symbol dictionary!");
    if (status == cJB2_Error_OK)
        status = EncodeHeightClasses(r);
    if (status == cJB2_Error_OK)
        status = EncodeExportFlags(r);
    JB2SymbolLookupEnd(&r.symbols, memory);
    return status;
}

JB2_Error Symbol_Dictionary_Encoder_End(JB2SymbolDictionaryEncoder** holder, JB2Memory* memory)
{
    return JB2SegmentEncoderEnd(holder, memory);
}

}  // namespace ZAV
