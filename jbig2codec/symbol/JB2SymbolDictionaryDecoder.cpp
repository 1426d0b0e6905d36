#include "jbig2codec/symbol/JB2SymbolDictionaryDecoder.h"

#include <cstring>

#include "jbig2codec/generic/JB2ContextBuffer.h"
#include "jbig2codec/generic/JB2MQContextDecoder.h"
#include "jbig2codec/huffman/JB2HuffmanSegment.h"
#include "jbig2codec/mq/JB2MQContexts.h"
#include "jbig2codec/refinement/JB2RefinementDecoder.h"
#include "jbig2codec/support/JB2Limits.h"
#include "jbig2codec/symbol/JB2HeightClass.h"
#include "jbig2codec/symbol/JB2IntegerSource.h"
#include "jbig2codec/text/JB2TextInstances.h"

namespace ZAV {

namespace {

// The tables of a Huffman-coded dictionary, in the order user tables are
// assigned to them (T.88 7.4.2.1.6), then the fixed ones of refinement and
// aggregation.
enum TableSlot { kDH, kDW, kBMSize, kAggInst, kRefOffset, kRefSize, kFS, kDS, kDT, kTableSlots };

struct Decoding {
    JB2SymbolDictionary* d;
    JB2Memory* memory;
    JB2Message* message;
    uint8_t* data;
    uint32_t length;
    JB2BitReader reader;
    JB2TextCoder coder;  // the MQ decoder, and the reader in Huffman mode
    JB2HuffmanTable* tables[kTableSlots];
    JB2Symbol** inputs;
    uint32_t inputCount;
    JB2SymbolSet set;
    uint32_t symCodeLength;
    uint64_t pixels;  // work left
};

JB2_Error Integer(Decoding& s, uint32_t base, TableSlot slot, int64_t* value, uint8_t* oob)
{
    return JB2DecodeInteger(s.coder.mq, base, s.d->huffman ? &s.reader : nullptr, s.tables[slot], value, oob);
}

JB2_Error Value(Decoding& s, uint32_t base, TableSlot slot, int64_t* value, const char* text)
{
    uint8_t oob = 0;
    JB2_Error status = Integer(s, base, slot, value, &oob);
    if (status == cJB2_Error_OK && oob)
        status = cJB2_Error_Invalid_Segment_Data;
    return status == cJB2_Error_OK ? status : JB2Fail(s.message, status, "%s", text);
}

// Standard table number (1 to 15) per selection value, 0 for a user table.
JB2_Error SelectTables(Decoding& s)
{
    const JB2SymbolDictionary* d = s.d;
    const uint32_t kDHTables[4] = {4, 5, 99, 0};
    const uint32_t kDWTables[4] = {2, 3, 99, 0};
    const uint32_t selected[kTableSlots] = {
        kDHTables[d->huffDH], kDWTables[d->huffDW], d->huffBMSize ? 0u : 1u, d->huffAggInst ? 0u : 1u, 15, 1, 6, 8, 11};
    const uint32_t used = d->refAgg ? kTableSlots : kAggInst;
    uint32_t userTables = 0;
    for (uint32_t slot = 0; slot < used; ++slot) {
        if (selected[slot] == 99) {
            JB2MessageWarning(s.message, "Invalid huffman table type used in symbol dictionary!");
            return cJB2_Error_Invalid_Huffman_Table;
        }
        JB2SegmentHeader* user = nullptr;
        if (selected[slot] == 0) {
            user = JB2ReferredTablesSegment(d->segment, userTables++);
            if (!user)
                return JB2Fail(s.message, cJB2_Error_Invalid_Huffman_Table,
                               "Failure getting user defined huffman table used by symbol dictionary!");
        }
        JB2_Error status = JB2HuffmanTableSelected(selected[slot], user, s.memory, &s.tables[slot], s.message);
        if (status != cJB2_Error_OK)
            return status;
    }
    return cJB2_Error_OK;
}

// Counts against the ceilings, then the input symbols.
JB2_Error TakeInputs(Decoding& s)
{
    JB2SymbolDictionary* d = s.d;
    if (d->numNew > kJB2MaxDictionarySymbols)
        return JB2Fail(s.message, cJB2_Error_Invalid_Segment_Data, "Too many new symbols in symbol dictionary!");
    JB2_Error status = JB2ReferredSymbolCount(d->segment, &s.inputCount, s.message);
    if (status != cJB2_Error_OK)
        return status;
    if (d->numExported > uint64_t(s.inputCount) + d->numNew)
        return JB2Fail(s.message, cJB2_Error_Invalid_Segment_Data,
                       "Symbol dictionary exports more symbols than it has!");
    if (s.inputCount) {
        s.inputs = JB2MemoryAllocArray<JB2Symbol*>(s.memory, s.inputCount);
        if (!s.inputs)
            return JB2Fail(s.message, cJB2_Error_Allocation_Failure,
                           "Unable to allocate symbol dictionary decoder object!");
        status = JB2ReferredSymbols(d->segment, s.inputs, s.inputCount);
        if (status != cJB2_Error_OK)
            return status;
    }
    status = JB2SymbolArrayCreate(&d->symbols, s.memory, s.message);
    s.set = {s.inputs, s.inputCount, d->symbols};
    const uint64_t all = uint64_t(s.inputCount) + d->numNew;
    s.symCodeLength = JB2CodeLength(all);
    if (d->huffman && s.symCodeLength == 0)
        s.symCodeLength = 1;
    return status;
}

// The coded data behind the header, copied with spare bytes for the MMR decoder.
JB2_Error ReadData(Decoding& s)
{
    const uint32_t total = JB2SegmentDataLength(s.d->segment);
    if (total <= s.d->headerLength)
        return JB2Fail(s.message, cJB2_Error_Invalid_Segment_Data, "Invalid segment data length!");
    s.length = total - s.d->headerLength;
    uint8_t last = 0;
    JB2_Error status = JB2SegmentReadU8(s.d->segment, total - 1, &last);
    if (status == cJB2_Error_OK) {
        s.data = JB2MemoryAllocArray<uint8_t>(s.memory, uint64_t(s.length) + kJB2CodedDataSlack);
        if (!s.data)
            return JB2Fail(s.message, cJB2_Error_Allocation_Failure,
                           "Unable to allocate symbol dictionary decoder buffer!");
        status = JB2SegmentReadBytes(s.d->segment, s.d->headerLength, s.length, s.data);
    }
    if (status != cJB2_Error_OK)
        return JB2Fail(s.message, cJB2_Error_Read_Failure, "Unable to read symbol dictionary encoded data!");
    if (s.d->numNew > uint64_t(s.length) * kJB2SymbolsPerCodedByte)
        return JB2Fail(s.message, cJB2_Error_Invalid_Segment_Data, "Too many new symbols in symbol dictionary!");
    const uint64_t pixels = uint64_t(s.length) * kJB2DictionaryPixelsPerCodedByte;
    s.pixels = pixels > kJB2MinRegionWork ? pixels : kJB2MinRegionWork;
    JB2BitReaderInit(&s.reader, s.data, s.length);
    s.coder = {nullptr, &s.reader, s.data, s.length};
    if (s.d->huffman)
        return SelectTables(s);
    return MQ_Decoder_Start(&s.coder.mq, s.memory, JB2MQContexts::kCount, s.data, s.length, s.message);
}

JB2_Error DecodeGenericBitmap(Decoding& s, JB2Symbol* symbol)
{
    JB2MQContextDecoder* decoder = nullptr;
    JB2_Error status = MQ_Context_Decoder_Start_Shared(&decoder, s.memory, symbol->width, symbol->height,
                                                       s.d->sdTemplate, 0, s.d->atX, s.d->atY, s.coder.mq, s.message);
    for (uint32_t y = 0; status == cJB2_Error_OK && y < symbol->height; ++y)
        status = MQ_Context_Decoder_Line(decoder, JB2SymbolRow(symbol, y), 0, nullptr);
    if (decoder)
        MQ_Context_Decoder_End(&decoder, s.memory);
    return status;
}

// REFAGGNINST 1: the symbol refines one symbol at offsets (RDX, RDY).
JB2_Error DecodeRefinedBitmap(Decoding& s, JB2Symbol* symbol)
{
    uint32_t id = 0;
    JB2_Error status = cJB2_Error_OK;
    if (s.d->huffman) {
        id = JB2BitReaderRead(&s.reader, s.symCodeLength);
        if (JB2BitReaderOverrun(&s.reader))
            status = cJB2_Error_Invalid_Segment_Data;
    } else {
        status = MQ_Decoder_Decode_IAID(s.coder.mq, &id, s.symCodeLength);
    }
    int64_t rdx = 0, rdy = 0, size = 0;
    if (status == cJB2_Error_OK)
        status = Value(s, JB2MQContexts::kIARDX, kRefOffset, &rdx, "Unable to decode bitmap for dictionary symbol!");
    if (status == cJB2_Error_OK)
        status = Value(s, JB2MQContexts::kIARDY, kRefOffset, &rdy, "Unable to decode bitmap for dictionary symbol!");
    if (status == cJB2_Error_OK && s.d->huffman)
        status = JB2StartRefinementData(&s.coder, s.tables[kRefSize], &size, s.memory, s.message);
    if (status != cJB2_Error_OK)
        return status;
    // Only an input symbol or a new one decoded before this one can be the reference.
    const JB2Symbol* reference = JB2SymbolSetGet(&s.set, id);
    if (!reference || reference == symbol || !reference->bitmapValid || rdx < INT32_MIN || rdx > INT32_MAX ||
        rdy < INT32_MIN || rdy > INT32_MAX)
        return JB2Fail(s.message, cJB2_Error_Invalid_Segment_Data, "Unable to decode bitmap for dictionary symbol!");
    const JB2RefinementReference r = {reference->bitmap, reference->width, reference->height,
                                      reference->stride, int32_t(rdx),     int32_t(rdy)};
    JB2RefinementDecoder* decoder = nullptr;
    status = MQ_Context_Reference_Decoder_Start(&decoder, s.memory, symbol->width, symbol->height, s.d->sdrTemplate, 0,
                                                s.d->ratX, s.d->ratY, &r, s.coder.mq, s.message);
    for (uint32_t y = 0; status == cJB2_Error_OK && y < symbol->height; ++y)
        status = MQ_Context_Reference_Decoder_Line(decoder, JB2SymbolRow(symbol, y));
    if (decoder)
        MQ_Context_Reference_Decoder_End(&decoder, s.memory);
    if (status == cJB2_Error_OK && s.d->huffman)
        Huffman_Skip_Bytes(&s.reader, uint64_t(size));
    return status;
}

// More instances: the symbol is a text region of its own (T.88 6.5.8.2.1).
JB2_Error DecodeAggregateBitmap(Decoding& s, JB2Symbol* symbol, uint32_t instances)
{
    JB2TextParameters p = {};
    p.huffman = s.d->huffman;
    p.refine = 1;
    p.refCorner = cJB2_Corner_Top_Left;
    p.rTemplate = s.d->sdrTemplate;
    std::memcpy(p.ratX, s.d->ratX, 2);
    std::memcpy(p.ratY, s.d->ratY, 2);
    p.ratNominal = s.d->sdrTemplate == 1;
    p.instances = instances;
    p.strips = 1;
    p.symCodeLength = s.symCodeLength;
    p.fs = s.tables[kFS];
    p.ds = s.tables[kDS];
    p.dt = s.tables[kDT];
    p.rdw = p.rdh = p.rdx = p.rdy = s.tables[kRefOffset];
    p.rsize = s.tables[kRefSize];
    JB2TextBitmap bitmap = {symbol->bitmap, symbol->width, symbol->height, symbol->stride};
    JB2_Error status = JB2TextDecodeInstances(&p, &s.set, &bitmap, &s.coder, &s.pixels, s.memory, s.message);
    return status == cJB2_Error_OK ? status : JB2Fail(s.message, status, "Failure decoding aggregate symbol!");
}

JB2_Error DecodeBitmap(Decoding& s, JB2Symbol* symbol)
{
    if (!s.d->refAgg)
        return s.d->huffman ? cJB2_Error_OK : DecodeGenericBitmap(s, symbol);
    int64_t instances = 0;
    JB2_Error status =
        Value(s, JB2MQContexts::kIAAI, kAggInst, &instances, "Unable to decode bitmap for dictionary symbol!");
    if (status != cJB2_Error_OK)
        return status;
    if (instances < 0 || instances > UINT32_MAX)
        return JB2Fail(s.message, cJB2_Error_Invalid_Segment_Data,
                       "Invalid number of symbol instances in aggregation in symbol dictionary!");
    return instances == 1 ? DecodeRefinedBitmap(s, symbol) : DecodeAggregateBitmap(s, symbol, uint32_t(instances));
}

// A new symbol of the height class, made only now that it is decoded.
JB2_Error NewSymbol(Decoding& s, uint64_t width, uint32_t height, JB2Symbol** symbol)
{
    if (width == 0)
        return JB2Fail(s.message, cJB2_Error_Invalid_Segment_Data, "Invalid width of 0 for dictionary symbol!");
    JB2_Error status = JB2GenericCheckSize(width > UINT32_MAX ? UINT32_MAX : uint32_t(width), height, s.message);
    if (status != cJB2_Error_OK)
        return status;
    const uint64_t cost = width * height;
    if (cost > s.pixels)
        return JB2Fail(s.message, cJB2_Error_Invalid_Segment_Data, "Symbol dictionary decodes too many pixels!");
    s.pixels -= cost;
    status = JB2SymbolArrayAdd(s.d->symbols, s.memory, symbol, s.message);
    if (status == cJB2_Error_OK)
        status = JB2SymbolSetWidth(*symbol, uint32_t(width));
    if (status == cJB2_Error_OK)
        status = JB2SymbolSetHeight(*symbol, height);
    if (status == cJB2_Error_OK)
        status = JB2SymbolAllocateBitmap(*symbol, s.memory);
    return status == cJB2_Error_OK ? status : JB2Fail(s.message, status, "Unable to set width for dictionary symbol!");
}

// The symbols of one height class, up to its out-of-band delta width.
JB2_Error DecodeHeightClass(Decoding& s, uint32_t height)
{
    const uint32_t first = s.d->symbols->count;
    int64_t width = 0;
    uint64_t totalWidth = 0;
    for (;;) {
        int64_t dw = 0;
        uint8_t oob = 0;
        JB2_Error status = Integer(s, JB2MQContexts::kIADW, kDW, &dw, &oob);
        if (status != cJB2_Error_OK)
            return JB2Fail(s.message, status, "Unable to decode delta width for dictionary symbol!");
        if (oob)
            break;
        if (s.d->symbols->count >= s.d->numNew) {
            JB2MessageSend(s.message, cJB2_Message_Warning, "OOB signal at end of last height class is missing!");
            JB2MessageSend(s.message, cJB2_Message_Warning, "Attempting to continue decoding!");
            JB2MessageEnd(s.message, cJB2_Message_Warning);
            break;
        }
        width += dw;
        if (width <= 0 || width > kJB2MaxRegionWidth)
            return JB2Fail(s.message, cJB2_Error_Invalid_Segment_Data, "Invalid delta width for dictionary symbol!");
        totalWidth += uint64_t(width);
        JB2Symbol* symbol = nullptr;
        status = NewSymbol(s, uint64_t(width), height, &symbol);
        if (status == cJB2_Error_OK)
            status = DecodeBitmap(s, symbol);
        if (status != cJB2_Error_OK)
            return JB2Fail(s.message, status, "Unable to decode bitmap for dictionary symbol!");
    }
    if (!s.d->huffman || s.d->refAgg)
        return cJB2_Error_OK;
    JB2HeightClass heightClass = {s.d->symbols, first, s.d->symbols->count, totalWidth, height};
    return JB2DecodeCollectiveBitmap(&heightClass, &s.reader, s.tables[kBMSize], s.data, s.memory, s.message);
}

JB2_Error DecodeSymbols(Decoding& s)
{
    int64_t height = 0;
    // Every height class holds a symbol: empty ones could follow each other without end.
    for (uint32_t classes = 0; s.d->symbols->count < s.d->numNew; ++classes) {
        if (classes >= s.d->numNew)
            return JB2Fail(s.message, cJB2_Error_Invalid_Segment_Data,
                           "Invalid height class delta height for dictionary symbol!");
        int64_t delta = 0;
        JB2_Error status = Value(s, JB2MQContexts::kIADH, kDH, &delta,
                                 "Unable to decode height class delta height for dictionary symbol!");
        if (status != cJB2_Error_OK)
            return status;
        height += delta;
        if (height <= 0 || height > UINT32_MAX)
            return JB2Fail(s.message, cJB2_Error_Invalid_Segment_Data,
                           "Invalid height class delta height for dictionary symbol!");
        status = DecodeHeightClass(s, uint32_t(height));
        if (status != cJB2_Error_OK)
            return status;
    }
    return cJB2_Error_OK;
}

// Export flags (T.88 6.5.10): alternate runs of symbols not exported and exported.
JB2_Error DecodeExports(Decoding& s)
{
    JB2SymbolDictionary* d = s.d;
    const uint64_t all = uint64_t(s.inputCount) + d->symbols->count;
    if (d->numExported) {
        d->exportList = JB2MemoryAllocArray<uint32_t>(s.memory, d->numExported);
        d->exported = JB2MemoryAllocArray<JB2Symbol*>(s.memory, d->numExported);
        if (!d->exportList || !d->exported)
            return JB2Fail(s.message, cJB2_Error_Allocation_Failure,
                           "Failure setting number of exported symbols in dictionary!");
    }
    uint64_t index = 0;
    uint32_t filled = 0;
    // Runs of 0 may come, but never more than two for each symbol.
    uint64_t runs = 0;
    for (bool exporting = false; index < all; exporting = !exporting) {
        if (++runs > 2 * all + 2)
            return JB2Fail(s.message, cJB2_Error_Invalid_Segment_Data,
                           "Unable to decode exported symbol bits for dictionary symbol!");
        int64_t run = 0;
        JB2_Error status = Value(s, JB2MQContexts::kIAEX, kRefSize, &run,
                                 "Unable to decode exported symbol bits for dictionary symbol!");
        if (status != cJB2_Error_OK)
            return status;
        if (run < 0 || uint64_t(run) > all - index)
            return JB2Fail(s.message, cJB2_Error_Invalid_Segment_Data,
                           "Unable to decode exported symbol bits for dictionary symbol!");
        for (uint64_t i = index; exporting && i < index + uint64_t(run) && filled < d->numExported; ++i) {
            d->exportList[filled] = uint32_t(i);
            d->exported[filled++] = JB2SymbolSetGet(&s.set, i);
        }
        index += uint64_t(run);
    }
    if (filled < d->numExported) {
        JB2MessageWarning(s.message, "Symbol dictionary exports fewer symbols than it declares!");
        d->numExported = filled;
    }
    return cJB2_Error_OK;
}

void Finish(Decoding& s)
{
    for (JB2HuffmanTable*& table : s.tables)
        if (table)
            Huffman_Table_End(&table, s.memory);
    if (s.coder.mq)
        MQ_Decoder_End(&s.coder.mq, s.memory);
    if (s.inputs)
        JB2MemoryFree(s.memory, &s.inputs);
    if (s.data)
        JB2MemoryFree(s.memory, &s.data);
}

}  // namespace

uint32_t JB2CodeLength(uint64_t n)
{
    uint32_t bits = 0;
    while (n > (uint64_t(1) << bits))
        ++bits;
    return bits;
}

JB2_Error Symbol_Dictionary_Decode(JB2SymbolDictionary* d, JB2Memory* memory, JB2Message* message)
{
    if (!d || d->decoded || d->symbols)
        return cJB2_Error_Internal;
    Decoding s = {};
    s.d = d;
    s.memory = memory;
    s.message = message;
    // The refinement table B.1 also codes the export runs of Huffman dictionaries.
    JB2_Error status = TakeInputs(s);
    if (status == cJB2_Error_OK)
        status = ReadData(s);
    if (status == cJB2_Error_OK && d->huffman && !s.tables[kRefSize])
        status = Huffman_Table_Standard(&s.tables[kRefSize], memory, 0, message);
    if (status == cJB2_Error_OK)
        status = DecodeSymbols(s);
    if (status == cJB2_Error_OK)
        status = DecodeExports(s);
    Finish(s);
    if (status != cJB2_Error_OK) {
        // A failed dictionary keeps nothing half-made.
        if (d->symbols)
            JB2SymbolArrayFree(&d->symbols, memory);
        if (d->exportList)
            JB2MemoryFree(memory, &d->exportList);
        if (d->exported)
            JB2MemoryFree(memory, &d->exported);
        return status;
    }
    d->decoded = 1;
    return cJB2_Error_OK;
}

}  // namespace ZAV
