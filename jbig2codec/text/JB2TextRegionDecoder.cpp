#include "jbig2codec/text/JB2TextRegionDecoder.h"

#include <cstring>

#include "jbig2codec/generic/JB2ContextBuffer.h"
#include "jbig2codec/huffman/JB2HuffmanSegment.h"
#include "jbig2codec/mq/JB2MQContexts.h"
#include "jbig2codec/segments/JB2SegmentFields.h"
#include "jbig2codec/support/JB2Limits.h"
#include "jbig2codec/symbol/JB2SymbolDictionary.h"
#include "jbig2codec/symbol/JB2SymbolDictionaryDecoder.h"
#include "jbig2codec/text/JB2TextInstances.h"

namespace ZAV {

namespace {

// Spare bytes behind each region row.
constexpr uint32_t kRowSpare = 4;
// The tables a Huffman text region selects, in the order of its flags.
constexpr uint32_t kTextTables = cJB2_Huffman_RSIZE + 1;

struct Decoding {
    JB2TextRegionDecoder* d;
    JB2Memory* memory;
    JB2Message* message;
    JB2TextParameters p;
    JB2Symbol** symbols;
    uint32_t symbolCount;
    uint8_t* data;
    uint32_t length;
    JB2BitReader reader;
    JB2TextCoder coder;
    JB2HuffmanTable* tables[kTextTables];
    JB2HuffmanTable* symbolID;
};

JB2_Error ReadFields(Decoding& s)
{
    JB2SegmentHeader* segment = s.d->segment;
    JB2TextParameters& p = s.p;
    const uint16_t f = s.d->flags;
    p.huffman = f & 1;
    p.refine = (f >> 1) & 1;
    p.logStrips = (f >> 2) & 3;
    p.strips = 1u << p.logStrips;
    p.refCorner = (f >> 4) & 3;
    p.transposed = (f >> 6) & 1;
    p.combination = (f >> 7) & 3;
    p.rTemplate = (f >> 15) & 1;
    JB2_Error status = JB2TextGetNumInstances(segment, &p.instances);
    if (status != cJB2_Error_OK)
        return JB2Fail(s.message, status, "Unable to access \"Number of Instances\" field of text region!");
    status = JB2TextGetDsOffset(segment, &p.dsOffset);
    if (status != cJB2_Error_OK)
        return JB2Fail(s.message, status, "Unable to access offset S field of text region!");
    status = JB2TextHasNominalRefinementATPixels(segment, &p.ratNominal);
    if (status == cJB2_Error_OK && p.refine && p.rTemplate == 0)
        status = JB2TextGetRefinementATPixels(segment, p.ratX, p.ratY);
    if (status != cJB2_Error_OK)
        return JB2Fail(s.message, status, "Unable to get text region nominal flag for decoder object!");
    p.ratNominal = p.ratNominal || p.rTemplate == 1;
    return cJB2_Error_OK;
}

JB2_Error TakeSymbols(Decoding& s)
{
    JB2_Error status = JB2DecodeReferredDictionaries(s.d->segment, s.memory, s.message);
    if (status == cJB2_Error_OK)
        status = JB2ReferredSymbolCount(s.d->segment, &s.symbolCount, s.message);
    if (status != cJB2_Error_OK)
        return status;
    if (s.symbolCount) {
        s.symbols = JB2MemoryAllocArray<JB2Symbol*>(s.memory, s.symbolCount);
        if (!s.symbols)
            return JB2Fail(s.message, cJB2_Error_Allocation_Failure, "Unable to allocate text region decoder object!");
        status = JB2ReferredSymbols(s.d->segment, s.symbols, s.symbolCount);
    }
    s.p.symCodeLength = JB2CodeLength(s.symbolCount);
    return status;
}

JB2_Error ReadData(Decoding& s)
{
    JB2_Error status = JB2TextCodedDataLength(s.d->segment, &s.length);
    if (status == cJB2_Error_OK && s.length == 0)
        status = cJB2_Error_Invalid_Segment_Data;
    if (status != cJB2_Error_OK)
        return JB2Fail(s.message, status, "Invalid segment data length!");
    uint8_t last = 0;
    status = JB2TextReadCodedData(s.d->segment, s.length - 1, 1, &last);
    if (status == cJB2_Error_OK) {
        s.data = JB2MemoryAllocArray<uint8_t>(s.memory, uint64_t(s.length) + kJB2CodedDataSlack);
        if (!s.data)
            return JB2Fail(s.message, cJB2_Error_Allocation_Failure,
                           "Unable to allocate text region decoder data buffer!");
        status = JB2TextReadCodedData(s.d->segment, 0, s.length, s.data);
    }
    if (status != cJB2_Error_OK)
        return JB2Fail(s.message, cJB2_Error_Read_Failure, "Unable to read text region encoded data!");
    JB2BitReaderInit(&s.reader, s.data, s.length);
    s.coder = {nullptr, &s.reader, s.data, s.length};
    return cJB2_Error_OK;
}

// Huffman mode: the symbol-ID table heads the data, then the selected tables.
JB2_Error TakeTables(Decoding& s)
{
    JB2_Error status = cJB2_Error_OK;
    if (s.symbolCount)
        status = Huffman_Table_Symbol_ID(&s.symbolID, s.memory, &s.reader, s.symbolCount, s.message);
    const uint32_t used = s.p.refine ? kTextTables : cJB2_Huffman_RDW;
    for (uint32_t i = 0; status == cJB2_Error_OK && i < used; ++i) {
        uint32_t standard = 0;
        JB2SegmentHeader* user = nullptr;
        status = JB2TextSelectHuffmanTable(s.d->segment, JB2TextHuffmanSelector(i), &standard, &user, s.message);
        if (status == cJB2_Error_OK)
            status = JB2HuffmanTableSelected(standard, user, s.memory, &s.tables[i], s.message);
    }
    JB2TextParameters& p = s.p;
    p.fs = s.tables[cJB2_Huffman_FS];
    p.ds = s.tables[cJB2_Huffman_DS];
    p.dt = s.tables[cJB2_Huffman_DT];
    p.rdw = s.tables[cJB2_Huffman_RDW];
    p.rdh = s.tables[cJB2_Huffman_RDH];
    p.rdx = s.tables[cJB2_Huffman_RDX];
    p.rdy = s.tables[cJB2_Huffman_RDY];
    p.rsize = s.tables[cJB2_Huffman_RSIZE];
    p.symbolID = s.symbolID;
    return status;
}

void Finish(Decoding& s)
{
    for (JB2HuffmanTable*& table : s.tables)
        if (table)
            Huffman_Table_End(&table, s.memory);
    if (s.symbolID)
        Huffman_Table_End(&s.symbolID, s.memory);
    if (s.coder.mq)
        MQ_Decoder_End(&s.coder.mq, s.memory);
    if (s.symbols)
        JB2MemoryFree(s.memory, &s.symbols);
    if (s.data)
        JB2MemoryFree(s.memory, &s.data);
}

}  // namespace

JB2_Error JB2DecodeReferredDictionaries(JB2SegmentHeader* segment, JB2Memory* memory, JB2Message* message)
{
    for (uint32_t i = 0; segment && i < segment->referredCount; ++i) {
        JB2SegmentHeader* referred = JB2SegmentGetReferred(segment, i);
        if (!referred || referred->type != cJB2_Segment_Symbol_Dictionary)
            continue;
        JB2SymbolDictionary* dictionary = nullptr;
        JB2_Error status = JB2SymbolDictionaryOf(referred, memory, message, &dictionary);
        if (status == cJB2_Error_OK)
            status = JB2SymbolDictionaryDecode(dictionary, memory, 0, message);
        if (status != cJB2_Error_OK)
            return status;
    }
    return cJB2_Error_OK;
}

namespace {

JB2_Error StartDecoder(JB2TextRegionDecoder** out, JB2Memory* memory, JB2SegmentHeader* segment, uint8_t* rows,
                       uint32_t stride, JB2Message* message)
{
    if (!out || !segment || !JB2SegmentTypeIsTextRegion(segment->type))
        return cJB2_Error_Internal;
    *out = nullptr;
    auto* d = JB2MemoryNew<JB2TextRegionDecoder>(memory);
    if (!d)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate text region decoder object!");
    d->segment = segment;
    JB2_Error status = JB2TextGetFlags(segment, &d->flags);
    if (status != cJB2_Error_OK)
        status = JB2Fail(message, status, "Unable to get text region flags for decoder object!");
    if (status == cJB2_Error_OK && JB2RegionGetWidth(segment, &d->width) != cJB2_Error_OK)
        status = JB2Fail(message, cJB2_Error_Read_Failure, "Unable to get text region width for decoder object!");
    if (status == cJB2_Error_OK && d->width == 0)
        status =
            JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Invalid text region width of 0 for decoder object!");
    if (status == cJB2_Error_OK && JB2RegionGetHeight(segment, &d->height) != cJB2_Error_OK)
        status = JB2Fail(message, cJB2_Error_Read_Failure, "Unable to get text region height for decoder object!");
    if (status == cJB2_Error_OK && d->height == 0)
        status =
            JB2Fail(message, cJB2_Error_Invalid_Segment_Data, "Invalid text region height of 0 for decoder object!");
    if (status == cJB2_Error_OK)
        status = JB2GenericCheckSize(d->width, d->height, message);
    if (status == cJB2_Error_OK && rows) {
        d->bitmap = rows;
        d->stride = stride;
        d->borrowed = 1;
    } else if (status == cJB2_Error_OK) {
        d->stride = uint32_t((uint64_t(d->width) + 7) / 8 + kRowSpare);
        d->bitmap = JB2MemoryAllocArray<uint8_t>(memory, uint64_t(d->stride) * d->height);
        if (!d->bitmap)
            status = JB2Fail(message, cJB2_Error_Allocation_Failure,
                             "Unable to allocate text region decoder bitmap buffer object!");
        else if ((d->flags >> 9) & 1)
            std::memset(d->bitmap, 0xFF, uint64_t(d->stride) * d->height);
    }
    if (status != cJB2_Error_OK) {
        Text_Region_Decoder_End(&d, memory);
        return status;
    }
    *out = d;
    return cJB2_Error_OK;
}

}  // namespace

JB2_Error Text_Region_Decoder_Start(JB2TextRegionDecoder** out, JB2Memory* memory, JB2SegmentHeader* segment,
                                    JB2Message* message)
{
    return StartDecoder(out, memory, segment, nullptr, 0, message);
}

JB2_Error Text_Region_Decoder_Start_Onto(JB2TextRegionDecoder** out, JB2Memory* memory, JB2SegmentHeader* segment,
                                         uint8_t* rows, uint32_t stride, JB2Message* message)
{
    if (!rows || stride == 0)
        return cJB2_Error_Internal;
    return StartDecoder(out, memory, segment, rows, stride, message);
}

JB2_Error Text_Region_Decode(JB2TextRegionDecoder* d, JB2Memory* memory, JB2Message* message)
{
    if (!d)
        return cJB2_Error_Internal;
    if (d->done)
        return cJB2_Error_OK;
    Decoding s = {};
    s.d = d;
    s.memory = memory;
    s.message = message;
    JB2_Error status = ReadFields(s);
    if (status == cJB2_Error_OK)
        status = TakeSymbols(s);
    if (status == cJB2_Error_OK)
        status = ReadData(s);
    if (status == cJB2_Error_OK && s.p.huffman)
        status = TakeTables(s);
    if (status == cJB2_Error_OK && !s.p.huffman)
        status = MQ_Decoder_Start(&s.coder.mq, memory, JB2MQContexts::kCount, s.data, s.length, message);
    if (status == cJB2_Error_OK) {
        const JB2SymbolSet set = {s.symbols, s.symbolCount, nullptr};
        JB2TextBitmap bitmap = {d->bitmap, d->width, d->height, d->stride};
        // Like a generic region's: the instances may draw a few times the region's pixels.
        const uint64_t area = uint64_t(d->width) * d->height * kJB2RegionWorkPerPage;
        uint64_t pixels = area > kJB2MinRegionWork ? area : kJB2MinRegionWork;
        status = JB2TextDecodeInstances(&s.p, &set, &bitmap, &s.coder, &pixels, memory, message);
    }
    Finish(s);
    if (status == cJB2_Error_OK)
        d->done = 1;
    return status;
}

const uint8_t* Text_Region_Decoder_Line(const JB2TextRegionDecoder* d, uint32_t row)
{
    if (!d || !d->done || row >= d->height)
        return nullptr;
    return d->bitmap + uint64_t(row) * d->stride;
}

JB2_Error Text_Region_Decoder_End(JB2TextRegionDecoder** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2TextRegionDecoder* d = *holder;
    if (d->bitmap && !d->borrowed)
        JB2MemoryFree(memory, &d->bitmap);
    *holder = nullptr;
    return JB2MemoryFree(memory, &d);
}

}  // namespace ZAV
