#include "jbig2codec/symbol/JB2SymbolDictionary.h"

#include "jbig2codec/support/JB2Limits.h"
#include "jbig2codec/symbol/JB2SymbolDictionaryDecoder.h"

namespace ZAV {

namespace {

// Flags (2), SDNUMEXSYMS and SDNUMNEWSYMS (4 each).
constexpr uint32_t kFlagsLength = 2;
constexpr uint32_t kCountsLength = 8;

void TakeFlags(JB2SymbolDictionary* d, uint16_t flags)
{
    d->huffman = flags & 1;
    d->refAgg = (flags >> 1) & 1;
    d->huffDH = (flags >> 2) & 3;
    d->huffDW = (flags >> 4) & 3;
    d->huffBMSize = (flags >> 6) & 1;
    d->huffAggInst = (flags >> 7) & 1;
    d->contextUsed = (flags >> 8) & 1;
    d->contextRetained = (flags >> 9) & 1;
    d->sdTemplate = (flags >> 10) & 3;
    d->sdrTemplate = (flags >> 12) & 1;
}

// A field that contradicts the others is set to 0 with a warning.
void Correct(uint8_t* field, bool wrong, JB2Message* message, const char* text)
{
    if (!wrong || *field == 0)
        return;
    JB2MessageWarning(message, "%s", text);
    *field = 0;
}

void CorrectFlags(JB2SymbolDictionary* d, JB2Message* message)
{
    Correct(&d->sdTemplate, d->huffman, message, "Symbol dictionary header - SDTEMPLATE must be 0!");
    Correct(&d->contextUsed, d->huffman && !d->refAgg, message,
            "Symbol dictionary header - Coding context used must be 0!");
    Correct(&d->contextRetained, d->huffman && !d->refAgg, message,
            "Symbol dictionary header - Coding context retained must be 0!");
    Correct(&d->huffDW, !d->huffman, message, "Symbol dictionary header - SDHUFFDW must be 0!");
    Correct(&d->huffDH, !d->huffman, message, "Symbol dictionary header - SDHUFFDH must be 0!");
    Correct(&d->huffBMSize, !d->huffman, message, "Symbol dictionary header - SDHUFFBMSIZE must be 0!");
    Correct(&d->sdrTemplate, !d->refAgg, message, "Symbol dictionary header - SDRTEMPLATE must be 0!");
    Correct(&d->huffAggInst, !d->huffman || !d->refAgg, message,
            "Symbol dictionary header - SDRHUFFAGGINST must be 0!");
}

// AT pairs (x, y) from offset on: count pairs into x and y.
JB2_Error ReadPairs(JB2SegmentHeader* segment, uint32_t offset, uint32_t count, int8_t* x, int8_t* y,
                    JB2Message* message, const char* xText, const char* yText)
{
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t value = 0;
        JB2_Error status = JB2SegmentReadU8(segment, offset + 2 * i, &value);
        if (status != cJB2_Error_OK)
            return JB2Fail(message, status, "%s", xText);
        x[i] = int8_t(value);
        status = JB2SegmentReadU8(segment, offset + 2 * i + 1, &value);
        if (status != cJB2_Error_OK)
            return JB2Fail(message, status, "%s", yText);
        y[i] = int8_t(value);
    }
    return cJB2_Error_OK;
}

uint32_t ATBytes(const JB2SymbolDictionary* d)
{
    return d->huffman ? 0 : (d->sdTemplate == 0 ? 8 : 2);
}

uint32_t RefinementATBytes(const JB2SymbolDictionary* d)
{
    return d->refAgg && d->sdrTemplate == 0 ? 4 : 0;
}

JB2_Error ReadATPixels(JB2SymbolDictionary* d, JB2Message* message)
{
    JB2_Error status = cJB2_Error_OK;
    if (!d->huffman)
        status = ReadPairs(d->segment, kFlagsLength, ATBytes(d) / 2, d->atX, d->atY, message,
                           "Symbol dictionary header - unable to read SDATX field!",
                           "Symbol dictionary header - unable to read SDATY field!");
    if (status == cJB2_Error_OK && RefinementATBytes(d))
        status = ReadPairs(d->segment, kFlagsLength + ATBytes(d), 2, d->ratX, d->ratY, message,
                           "Symbol dictionary header - unable to read SDRATX field!",
                           "Symbol dictionary header - unable to read SDRATY field!");
    return status;
}

}  // namespace

JB2_Error JB2SymbolDictionaryCreate(JB2SymbolDictionary** out, JB2SegmentHeader* segment, JB2Memory* memory,
                                    JB2Message* message)
{
    auto* d = JB2MemoryNew<JB2SymbolDictionary>(memory);
    if (!d) {
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate symbol dictionary object!");
    }
    d->segment = segment;
    const int8_t nominalX[4] = {3, -3, 2, -2};
    const int8_t nominalY[4] = {-1, -1, -2, -2};
    for (int i = 0; i < 4; ++i) {
        d->atX[i] = nominalX[i];
        d->atY[i] = nominalY[i];
    }
    d->ratX[0] = d->ratX[1] = d->ratY[0] = d->ratY[1] = -1;
    d->headerLength = kFlagsLength + 8 + kCountsLength;
    d->references = 1;
    *out = d;
    return cJB2_Error_OK;
}

uint32_t JB2SymbolDictionaryHeaderLength(const JB2SymbolDictionary* d)
{
    return kFlagsLength + ATBytes(d) + RefinementATBytes(d) + kCountsLength;
}

JB2_Error JB2SymbolDictionaryReadHeader(JB2SymbolDictionary* d, JB2Message* message)
{
    if (!d)
        return cJB2_Error_Internal;
    uint16_t flags = 0;
    JB2_Error status = JB2SegmentReadU16(d->segment, 0, &flags);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Symbol dictionary header - unable to read flags!");
    if (flags & 0xE000)
        JB2MessageWarning(message, "Bits 15-13 in symbol dictionary flags field are not 0!");
    TakeFlags(d, flags);
    if (d->huffman && d->huffDH == 2) {
        return JB2Fail(message, cJB2_Error_Invalid_File, "Symbol dictionary header - invalid SDHUFFDH value of 2!");
    }
    if (d->huffman && d->huffDW == 2) {
        return JB2Fail(message, cJB2_Error_Invalid_File, "Symbol dictionary header - invalid SDHUFFWH value of 2!");
    }
    status = ReadATPixels(d, message);
    if (status != cJB2_Error_OK)
        return status;
    const uint32_t countsAt = kFlagsLength + ATBytes(d) + RefinementATBytes(d);
    status = JB2SegmentReadU32(d->segment, countsAt, &d->numExported);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Symbol dictionary header - unable to read number of exported symbols!");
    status = JB2SegmentReadU32(d->segment, countsAt + 4, &d->numNew);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Symbol dictionary header - unable to read number of new symbols!");
    CorrectFlags(d, message);
    d->headerLength = JB2SymbolDictionaryHeaderLength(d);
    return cJB2_Error_OK;
}

JB2_Error JB2SymbolDictionaryRelease(void** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    auto* d = static_cast<JB2SymbolDictionary*>(*holder);
    *holder = nullptr;
    if (--d->references > 0)
        return cJB2_Error_OK;
    if (d->symbols)
        JB2SymbolArrayFree(&d->symbols, memory);
    if (d->exportList)
        JB2MemoryFree(memory, &d->exportList);
    if (d->exported)
        JB2MemoryFree(memory, &d->exported);
    return JB2MemoryFree(memory, &d);
}

JB2_Error JB2SymbolDictionaryOf(JB2SegmentHeader* segment, JB2Memory* memory, JB2Message* message,
                                JB2SymbolDictionary** out)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = nullptr;
    if (!segment || segment->type != cJB2_Segment_Symbol_Dictionary)
        return cJB2_Error_Internal;
    if (segment->typeObject) {
        *out = static_cast<JB2SymbolDictionary*>(segment->typeObject);
        return cJB2_Error_OK;
    }
    JB2SymbolDictionary* d = nullptr;
    JB2_Error status = JB2SymbolDictionaryCreate(&d, segment, memory, message);
    if (status == cJB2_Error_OK)
        status = JB2SymbolDictionaryReadHeader(d, message);
    if (status != cJB2_Error_OK) {
        if (d) {
            void* object = d;
            JB2SymbolDictionaryRelease(&object, memory);
        }
        return status;
    }
    segment->typeObject = d;
    segment->typeObjectRelease = JB2SymbolDictionaryRelease;
    *out = d;
    return cJB2_Error_OK;
}

JB2_Error JB2ReferredSymbolCount(JB2SegmentHeader* segment, uint32_t* count, JB2Message* message)
{
    if (!segment || !count)
        return cJB2_Error_Internal;
    *count = 0;
    uint64_t sum = 0;
    for (uint32_t i = 0; i < segment->referredCount; ++i) {
        JB2SegmentHeader* referred = JB2SegmentGetReferred(segment, i);
        if (!referred || referred->type != cJB2_Segment_Symbol_Dictionary)
            continue;
        auto* d = static_cast<JB2SymbolDictionary*>(referred->typeObject);
        if (!d || !d->decoded) {
            return JB2Fail(message, cJB2_Error_Invalid_Segment_Data,
                           "Error getting symbol dictionary referred to by region segment!");
        }
        sum += d->numExported;
    }
    // Each referred dictionary holds at most the ceiling, but together they may not pass it either.
    if (sum > kJB2MaxDictionarySymbols) {
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Too many symbols in referred symbol dictionaries!");
    }
    *count = uint32_t(sum);
    return cJB2_Error_OK;
}

JB2_Error JB2ReferredSymbols(JB2SegmentHeader* segment, JB2Symbol** symbols, uint32_t count)
{
    if (!segment || (!symbols && count))
        return cJB2_Error_Internal;
    uint32_t filled = 0;
    for (uint32_t i = 0; i < segment->referredCount; ++i) {
        JB2SegmentHeader* referred = JB2SegmentGetReferred(segment, i);
        if (!referred || referred->type != cJB2_Segment_Symbol_Dictionary)
            continue;
        auto* d = static_cast<JB2SymbolDictionary*>(referred->typeObject);
        if (!d || !d->decoded || d->numExported > count - filled)
            return cJB2_Error_Internal;
        for (uint32_t k = 0; k < d->numExported; ++k)
            symbols[filled++] = d->exported[k];
    }
    return filled == count ? cJB2_Error_OK : cJB2_Error_Internal;
}

JB2_Error JB2SymbolDictionaryDecode(JB2SymbolDictionary* d, JB2Memory* memory, uint32_t depth, JB2Message* message)
{
    if (!d)
        return cJB2_Error_Internal;
    if (d->decoded)
        return cJB2_Error_OK;
    if (d->failed)
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Symbol dictionary could not be decoded!");
    if (depth >= kJB2MaxDictionaryDepth) {
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Symbol dictionaries refer to each other too deeply!");
    }
    for (uint32_t i = 0; i < d->segment->referredCount; ++i) {
        JB2SegmentHeader* referred = JB2SegmentGetReferred(d->segment, i);
        if (!referred || referred->type != cJB2_Segment_Symbol_Dictionary)
            continue;
        JB2SymbolDictionary* before = nullptr;
        JB2_Error status = JB2SymbolDictionaryOf(referred, memory, message, &before);
        if (status == cJB2_Error_OK)
            status = JB2SymbolDictionaryDecode(before, memory, depth + 1, message);
        if (status != cJB2_Error_OK)
            return status;
    }
    JB2_Error status = Symbol_Dictionary_Decode(d, memory, message);
    if (status != cJB2_Error_OK) {
        d->failed = 1;
        return status;
    }
    return d->decoded ? cJB2_Error_OK : cJB2_Error_Internal;
}

}  // namespace ZAV
