#include "jbig2codec/symbol/JB2SymbolDictionaryWrite.h"

#include "jbig2codec/segments/JB2SegmentFields.h"
#include "jbig2codec/symbol/JB2SymbolDictionaryEncoder.h"
#include "jbig2codec/symbol/JB2SymbolLookup.h"

namespace ZAV {

namespace {

uint16_t PackFlags(const JB2SymbolDictionary* d)
{
    return uint16_t(d->huffman | d->refAgg << 1 | d->huffDH << 2 | d->huffDW << 4 | d->huffBMSize << 6 |
                    d->huffAggInst << 7 | d->contextUsed << 8 | d->contextRetained << 9 | d->sdTemplate << 10 |
                    d->sdrTemplate << 12);
}

bool FlagsInRange(const JB2SymbolDictionary* d)
{
    return d->huffman <= 1 && d->refAgg <= 1 && d->huffDH <= 3 && d->huffDW <= 3 && d->huffBMSize <= 1 &&
           d->huffAggInst <= 1 && d->contextUsed <= 1 && d->contextRetained <= 1 && d->sdTemplate <= 3 &&
           d->sdrTemplate <= 1;
}

JB2_Error WritePairs(JB2SegmentHeader* segment, uint32_t offset, uint32_t count, const int8_t* x, const int8_t* y,
                     JB2Message* message, const char* xText, const char* yText)
{
    for (uint32_t i = 0; i < count; ++i) {
        JB2_Error status = JB2SegmentWriteU8(segment, offset + 2 * i, uint8_t(x[i]));
        if (status != cJB2_Error_OK)
            return JB2Fail(message, status, "%s", xText);
        status = JB2SegmentWriteU8(segment, offset + 2 * i + 1, uint8_t(y[i]));
        if (status != cJB2_Error_OK)
            return JB2Fail(message, status, "%s", yText);
    }
    return cJB2_Error_OK;
}

JB2_Error RefuseContexts(const JB2SymbolDictionary* d, JB2Message* message)
{
    if (d->contextUsed)
        JB2MessageWarning(message, "Context reuse in symbol dictionary not yet supported!");
    else
        JB2MessageWarning(message, "Context retention in symbol dictionary not yet supported!");
    JB2MessageError(message, "Failure writing symbol dictionary header!");
    return JB2Fail(message, cJB2_Error_Not_Yet_Supported, "Symbol dictionary contains unsupported features!");
}

// The dictionaries a segment refers to, in referral order.
JB2SymbolDictionary* Referred(const JB2SymbolDictionary* d, uint32_t i)
{
    JB2SegmentHeader* referred = JB2SegmentGetReferred(d->segment, i);
    if (!referred || referred->type != cJB2_Segment_Symbol_Dictionary)
        return nullptr;
    return static_cast<JB2SymbolDictionary*>(referred->typeObject);
}

JB2_Error AppendSymbol(JB2SymbolDictionary* d, const JB2BitmapView* shape, JB2Memory* memory, JB2Message* message,
                       JB2Symbol** out)
{
    if (!d->symbols) {
        JB2_Error status = JB2SymbolArrayCreate(&d->symbols, memory, message);
        if (status != cJB2_Error_OK)
            return status;
    }
    JB2Symbol* symbol = nullptr;
    JB2_Error status = JB2SymbolArrayAdd(d->symbols, memory, &symbol, message);
    if (status != cJB2_Error_OK)
        return status;
    if (!symbol)
        return JB2Fail(message, cJB2_Error_Internal, "Unable to get new symbol object in symbol dictionary!");
    ++d->numNew;
    status = JB2SymbolCopyBitmap(symbol, memory, shape);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Failure copying details from component to symbol in symbol dictionary!");
    *out = symbol;
    return cJB2_Error_OK;
}

// Symbol i of the input symbols followed by the new ones gets ordinal i;
// the new symbols no one uses go, and the others keep their order.
JB2_Error DropUnused(JB2SymbolDictionary* d, const JB2SymbolLookup& inputs, JB2Memory* memory)
{
    if (!d->symbols)
        return cJB2_Error_OK;
    for (uint32_t i = 0; i < d->symbols->count; ++i)
        d->symbols->items[i]->ordinal = inputs.inputCount + i;
    for (uint32_t i = d->symbols->count; i-- > 0;) {
        if (d->symbols->items[i]->useCount != 0)
            continue;
        JB2_Error status = JB2SymbolArrayRemove(d->symbols, i, memory);
        if (status != cJB2_Error_OK)
            return status;
    }
    JB2SymbolArraySortByOrdinal(d->symbols);
    d->numNew = d->symbols->count;
    return cJB2_Error_OK;
}

// Every used symbol is exported; its ordinal becomes its number among the exported ones.
JB2_Error ChooseExports(JB2SymbolDictionary* d, const JB2SymbolLookup& inputs, JB2Memory* memory, JB2Message* message)
{
    const uint64_t total = uint64_t(inputs.inputCount) + d->numNew;
    d->exportList = JB2MemoryAllocArray<uint32_t>(memory, total + 1);
    d->exported = JB2MemoryAllocArray<JB2Symbol*>(memory, total + 1);
    if (!d->exportList || !d->exported)
        return JB2Warn(message, cJB2_Error_Allocation_Failure,
                       "Failure setting number of exported symbols in dictionary!");
    d->numExported = 0;
    for (uint64_t i = 0; i < total; ++i) {
        JB2Symbol* symbol = i < inputs.inputCount ? inputs.inputs[i] : d->symbols->items[i - inputs.inputCount];
        if (symbol->useCount == 0)
            continue;
        symbol->ordinal = d->numExported;
        d->exportList[d->numExported] = uint32_t(i);
        d->exported[d->numExported++] = symbol;
    }
    return cJB2_Error_OK;
}

JB2_Error Encode(JB2SymbolDictionary* d, JB2Memory* memory, JB2Message* message)
{
    JB2SymbolDictionaryEncoder* encoder = nullptr;
    JB2_Error status = Symbol_Dictionary_Encoder_Start(&encoder, memory, d->segment, message);
    if (status == cJB2_Error_OK)
        status = Symbol_Dictionary_Encode(encoder, memory, message);
    if (encoder) {
        JB2_Error end = Symbol_Dictionary_Encoder_End(&encoder, memory);
        if (status == cJB2_Error_OK)
            status = end;
    }
    return status;
}

}  // namespace

JB2_Error JB2SymbolDictionaryNew(JB2SegmentHeader* segment, JB2Memory* memory, JB2Message* message,
                                 JB2SymbolDictionary** out)
{
    if (!out || !segment || segment->type != cJB2_Segment_Symbol_Dictionary || segment->typeObject)
        return cJB2_Error_Internal;
    *out = nullptr;
    JB2SymbolDictionary* d = nullptr;
    JB2_Error status = JB2SymbolDictionaryCreate(&d, segment, memory, message);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Failed to initialise symbol dictionary object!");
    segment->typeObject = d;
    segment->typeObjectRelease = JB2SymbolDictionaryRelease;
    *out = d;
    return cJB2_Error_OK;
}

JB2_Error JB2SymbolDictionarySetTemplate(JB2SymbolDictionary* d, uint32_t sdTemplate)
{
    if (!d || sdTemplate > 3)
        return cJB2_Error_Internal;
    d->sdTemplate = uint8_t(sdTemplate);
    int8_t x[4] = {};
    int8_t y[4] = {};
    JB2GenericNominalATPixels(sdTemplate, x, y);
    for (int i = 0; i < 4; ++i) {
        d->atX[i] = x[i];
        d->atY[i] = y[i];
    }
    d->headerLength = JB2SymbolDictionaryHeaderLength(d);
    return cJB2_Error_OK;
}

JB2_Error JB2SymbolDictionarySetRefAgg(JB2SymbolDictionary* d, uint32_t refAgg)
{
    if (!d || refAgg > 1)
        return cJB2_Error_Internal;
    d->refAgg = uint8_t(refAgg);
    d->headerLength = JB2SymbolDictionaryHeaderLength(d);
    return cJB2_Error_OK;
}

JB2_Error JB2SymbolDictionarySetRefinementTemplate(JB2SymbolDictionary* d, uint32_t sdrTemplate)
{
    if (!d || sdrTemplate > 1)
        return cJB2_Error_Internal;
    d->sdrTemplate = uint8_t(sdrTemplate);
    if (sdrTemplate == 0)
        d->ratX[0] = d->ratX[1] = d->ratY[0] = d->ratY[1] = -1;
    d->headerLength = JB2SymbolDictionaryHeaderLength(d);
    return cJB2_Error_OK;
}

JB2_Error JB2SymbolDictionaryAddSymbol(JB2SymbolDictionary* d, const JB2BitmapView* shape, JB2Memory* memory,
                                       JB2Message* message, JB2Symbol** out)
{
    if (!d || !shape || !out || d->decoded)
        return cJB2_Error_Internal;
    *out = nullptr;
    if (d->refAgg) {
        for (uint32_t i = 0; i < d->segment->referredCount && !*out; ++i) {
            JB2SymbolDictionary* referred = Referred(d, i);
            if (referred && !referred->decoded)
                JB2SymbolDictionaryAddSymbol(referred, shape, memory, message, out);
        }
        return *out ? cJB2_Error_OK : cJB2_Error_Internal;
    }
    if (d->symbols && d->symbols->count && shape->height < d->symbols->items[d->symbols->count - 1]->height)
        return cJB2_Error_Internal;
    return AppendSymbol(d, shape, memory, message, out);
}

JB2_Error JB2SymbolDictionaryAddRefinedSymbol(JB2SymbolDictionary* d, const JB2BitmapView* shape, JB2Symbol* reference,
                                              JB2Memory* memory, JB2Message* message, JB2Symbol** out)
{
    if (!d || !shape || !reference || !out || d->decoded)
        return cJB2_Error_Internal;
    *out = nullptr;
    JB2Symbol* symbol = nullptr;
    JB2_Error status = AppendSymbol(d, shape, memory, message, &symbol);
    if (status != cJB2_Error_OK)
        return status;
    symbol->reference = reference;
    status = JB2SymbolAddUse(reference);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Failure adding symbol to symbol instance array!");
    *out = symbol;
    return cJB2_Error_OK;
}

JB2_Error JB2SymbolDictionaryWriteHeader(JB2SymbolDictionary* d, JB2Message* message)
{
    if (!d)
        return cJB2_Error_Internal;
    if (d->contextUsed || d->contextRetained)
        return RefuseContexts(d, message);
    if (!FlagsInRange(d))
        return cJB2_Error_Internal;
    JB2SegmentHeader* segment = d->segment;
    JB2_Error status = JB2SegmentWriteU16(segment, 0, PackFlags(d));
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Symbol dictionary header - unable to store flags!");
    uint32_t offset = 2;
    if (!d->huffman) {
        const uint32_t pairs = d->sdTemplate == 0 ? 4 : 1;
        status = WritePairs(segment, offset, pairs, d->atX, d->atY, message,
                            "Symbol dictionary header - unable to store SDATX field!",
                            "Symbol dictionary header - unable to store SDATY field!");
        offset += 2 * pairs;
    }
    if (status == cJB2_Error_OK && d->refAgg && d->sdrTemplate == 0) {
        status = WritePairs(segment, offset, 2, d->ratX, d->ratY, message,
                            "Symbol dictionary header - unable to store SDRATX field!",
                            "Symbol dictionary header - unable to store SDRATY field!");
        offset += 4;
    }
    if (status != cJB2_Error_OK)
        return status;
    status = JB2SegmentWriteU32(segment, offset, d->numExported);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Symbol dictionary header - unable to store number of exported symbols!");
    status = JB2SegmentWriteU32(segment, offset + 4, d->numNew);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Symbol dictionary header - unable to store number of new symbols!");
    d->headerLength = offset + 8;
    return cJB2_Error_OK;
}

JB2_Error JB2SymbolDictionaryFinish(JB2SymbolDictionary* d, JB2Memory* memory, JB2Message* message)
{
    if (!d || d->decoded || d->exportList || d->exported)
        return cJB2_Error_Internal;
    d->decoded = 1;
    JB2SymbolLookup inputs;
    JB2_Error status = JB2SymbolLookupStart(&inputs, memory, d->segment, nullptr, message);
    if (status == cJB2_Error_OK)
        status = DropUnused(d, inputs, memory);
    if (status == cJB2_Error_OK)
        status = ChooseExports(d, inputs, memory, message);
    JB2SymbolLookupEnd(&inputs, memory);
    if (status == cJB2_Error_OK)
        status = JB2SymbolDictionaryWriteHeader(d, message);
    if (status == cJB2_Error_OK)
        status = Encode(d, memory, message);
    return status;
}

}  // namespace ZAV
