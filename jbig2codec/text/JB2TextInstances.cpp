#include "jbig2codec/text/JB2TextInstances.h"

#include <algorithm>
#include <cstring>

#include "jbig2codec/mq/JB2MQContexts.h"
#include "jbig2codec/refinement/JB2RefinementDecoder.h"
#include "jbig2codec/render/JB2BitmapOps.h"
#include "jbig2codec/symbol/JB2IntegerSource.h"

namespace ZAV {

namespace {

// Bytes behind a row that the row combination may shift into.
constexpr uint32_t kLineSpare = 2;

struct Run {
    const JB2TextParameters* p;
    const JB2SymbolSet* symbols;
    JB2TextBitmap* bitmap;
    JB2TextCoder* coder;
    uint64_t* pixels;
    JB2Memory* memory;
    JB2Message* message;
    int64_t stripT;
    int64_t firstS;
    int64_t curS;
    uint32_t done;
    uint8_t* line;  // one instance row for combining
    uint64_t lineSize;
};

// One instance as decoded: its symbol and, when refined, its size and the
// reference offsets of the refinement.
struct Instance {
    JB2Symbol* symbol;
    uint8_t refined;
    uint32_t width;
    uint32_t height;
    int64_t dx;
    int64_t dy;
};

JB2_Error Integer(Run& r, uint32_t base, const JB2HuffmanTable* table, int64_t* value, uint8_t* oob)
{
    return JB2DecodeInteger(r.coder->mq, base, r.p->huffman ? r.coder->reader : nullptr, table, value, oob);
}

// An integer that may not be out of band.
JB2_Error Value(Run& r, uint32_t base, const JB2HuffmanTable* table, int64_t* value, const char* text)
{
    uint8_t oob = 0;
    JB2_Error status = Integer(r, base, table, value, &oob);
    if (status == cJB2_Error_OK && oob)
        status = cJB2_Error_Invalid_Segment_Data;
    return status == cJB2_Error_OK ? status : JB2Fail(r.message, status, "%s", text);
}

bool InInt32(int64_t v)
{
    return v >= INT32_MIN && v <= INT32_MAX;
}

JB2_Error GrowLine(Run& r, uint32_t width)
{
    const uint64_t size = (uint64_t(width) + 7) / 8 + kLineSpare;
    if (size <= r.lineSize)
        return cJB2_Error_OK;
    if (r.line)
        JB2MemoryFree(r.memory, &r.line);
    r.lineSize = 0;
    r.line = JB2MemoryAllocArray<uint8_t>(r.memory, size);
    if (!r.line)
        return JB2Fail(r.message, cJB2_Error_Allocation_Failure,
                       "Unable to allocate temp line buffer for text region decoder!");
    r.lineSize = size;
    return cJB2_Error_OK;
}

// Combines one instance row (in r.line) into bitmap row y at column x, clipped.
void CombineRow(Run& r, uint32_t width, int64_t x, int64_t y)
{
    JB2TextBitmap* b = r.bitmap;
    if (y < 0 || y >= int64_t(b->height) || x >= int64_t(b->width) || x + int64_t(width) <= 0)
        return;
    const int64_t room = int64_t(b->width) - x;
    const uint32_t visible = room < int64_t(width) ? uint32_t(room) : width;
    JB2RowCombine(b->rows + uint64_t(y) * b->stride, r.line, visible, x, r.p->combination);
}

JB2_Error DecodeSymbolID(Run& r, uint32_t* id)
{
    JB2_Error status = cJB2_Error_OK;
    *id = 0;
    if (r.p->symCodeLength == 0)
        return status;
    if (!r.p->huffman) {
        status = MQ_Decoder_Decode_IAID(r.coder->mq, id, r.p->symCodeLength);
    } else if (r.p->symbolID) {
        int64_t value = 0;
        uint8_t oob = 0;
        status = JB2DecodeInteger(nullptr, 0, r.coder->reader, r.p->symbolID, &value, &oob);
        *id = uint32_t(value);
    } else {
        *id = JB2BitReaderRead(r.coder->reader, r.p->symCodeLength);
        if (JB2BitReaderOverrun(r.coder->reader))
            status = cJB2_Error_Invalid_Segment_Data;
    }
    return status == cJB2_Error_OK ? status
                                   : JB2Fail(r.message, status, "Unable to decode symbol id of symbol in text region!");
}

JB2_Error DecodeRefineFlag(Run& r, uint8_t* refined)
{
    *refined = 0;
    if (!r.p->refine)
        return cJB2_Error_OK;
    int64_t value = 0;
    if (r.p->huffman) {
        value = JB2BitReaderRead(r.coder->reader, 1);
        if (JB2BitReaderOverrun(r.coder->reader))
            return JB2Fail(r.message, cJB2_Error_Invalid_Segment_Data,
                           "Unable to decode refine bit of symbol in text region!");
    } else {
        JB2_Error status =
            Value(r, JB2MQContexts::kIARI, nullptr, &value, "Unable to decode refine bit of symbol in text region!");
        if (status != cJB2_Error_OK)
            return status;
        if (value != 0 && value != 1)
            return JB2Fail(r.message, cJB2_Error_Invalid_Segment_Data,
                           "Unable to decode refine bit of symbol in text region!");
    }
    *refined = uint8_t(value);
    return cJB2_Error_OK;
}

// RDW, RDH, RDX and RDY of a refined instance give its size and offsets.
JB2_Error DecodeRefinementDeltas(Run& r, Instance& in)
{
    int64_t rdw = 0, rdh = 0, rdx = 0, rdy = 0;
    JB2_Error status =
        Value(r, JB2MQContexts::kIARDW, r.p->rdw, &rdw, "Unable to decode delta width for symbol in text region!");
    if (status == cJB2_Error_OK)
        status =
            Value(r, JB2MQContexts::kIARDH, r.p->rdh, &rdh, "Unable to decode delta height for symbol in text region!");
    if (status == cJB2_Error_OK)
        status =
            Value(r, JB2MQContexts::kIARDX, r.p->rdx, &rdx, "Unable to decode x offset for symbol in text region!");
    if (status == cJB2_Error_OK)
        status =
            Value(r, JB2MQContexts::kIARDY, r.p->rdy, &rdy, "Unable to decode y offset for symbol in text region!");
    if (status != cJB2_Error_OK)
        return status;
    const int64_t width = int64_t(in.symbol->width) + rdw;
    const int64_t height = int64_t(in.symbol->height) + rdh;
    if (width <= 0 || width > UINT32_MAX)
        return JB2Fail(r.message, cJB2_Error_Invalid_Segment_Data, "Invalid delta width for symbol in text region!");
    if (height <= 0 || height > UINT32_MAX)
        return JB2Fail(r.message, cJB2_Error_Invalid_Segment_Data, "Invalid delta height for symbol in text region!");
    in.width = uint32_t(width);
    in.height = uint32_t(height);
    // floor(RDW / 2) + RDX: the shift rounds towards minus infinity.
    in.dx = (rdw >> 1) + rdx;
    in.dy = (rdh >> 1) + rdy;
    return cJB2_Error_OK;
}

JB2_Error DrawRefined(Run& r, const Instance& in, int64_t x, int64_t y)
{
    int64_t size = 0;
    JB2_Error status =
        r.p->huffman ? JB2StartRefinementData(r.coder, r.p->rsize, &size, r.memory, r.message) : cJB2_Error_OK;
    const JB2RefinementReference reference = {in.symbol->bitmap, in.symbol->width, in.symbol->height,
                                              in.symbol->stride, int32_t(in.dx),   int32_t(in.dy)};
    if (!InInt32(in.dx) || !InInt32(in.dy))
        status = cJB2_Error_Invalid_Segment_Data;
    JB2RefinementDecoder* decoder = nullptr;
    if (status == cJB2_Error_OK)
        status =
            MQ_Context_Reference_Decoder_Start(&decoder, r.memory, in.width, in.height, r.p->rTemplate, r.p->ratNominal,
                                               r.p->ratX, r.p->ratY, &reference, r.coder->mq, r.message);
    for (uint32_t row = 0; status == cJB2_Error_OK && row < in.height; ++row) {
        status = MQ_Context_Reference_Decoder_Line(decoder, r.line);
        if (status == cJB2_Error_OK)
            CombineRow(r, in.width, x, y + row);
    }
    if (decoder)
        MQ_Context_Reference_Decoder_End(&decoder, r.memory);
    if (status != cJB2_Error_OK)
        return JB2Fail(r.message, status, "Failure decoding refined symbol instance in text region decoder object!");
    // The Huffman stream goes on behind the refinement data.
    if (r.p->huffman)
        Huffman_Skip_Bytes(r.coder->reader, uint64_t(size));
    return cJB2_Error_OK;
}

JB2_Error DrawSymbol(Run& r, const JB2Symbol* symbol, int64_t x, int64_t y)
{
    JB2TextBitmap* b = r.bitmap;
    if (x >= 0) {
        // The rows combine straight from the symbol: nothing to shift in place.
        if (x >= int64_t(b->width))
            return cJB2_Error_OK;
        const uint32_t visible = uint32_t(std::min<int64_t>(symbol->width, int64_t(b->width) - x));
        // The rows of the symbol that fall inside the bitmap, in one call.
        const int64_t first = std::max<int64_t>(0, -y);
        const int64_t end = std::min<int64_t>(symbol->height, int64_t(b->height) - y);
        if (first < end)
            JB2RowsCombineAt(b->rows + uint64_t(y + first) * b->stride, b->stride,
                             JB2SymbolRow(symbol, uint32_t(first)), symbol->stride, visible, uint32_t(end - first),
                             uint64_t(x), r.p->combination);
        return cJB2_Error_OK;
    }
    for (uint32_t row = 0; row < symbol->height; ++row) {
        if (y + row < 0 || y + row >= int64_t(r.bitmap->height))
            continue;
        std::memcpy(r.line, JB2SymbolRow(symbol, row), symbol->stride);
        CombineRow(r, symbol->width, x, y + row);
    }
    return cJB2_Error_OK;
}

// Places one instance at T and the current S (T.88 6.4.5 steps 3 c vi to xi).
JB2_Error PlaceInstance(Run& r, Instance& in, int64_t t)
{
    const JB2TextParameters* p = r.p;
    const uint8_t corner = p->refCorner;
    if (!p->transposed && (corner == cJB2_Corner_Top_Right || corner == cJB2_Corner_Bottom_Right))
        r.curS += int64_t(in.width) - 1;
    else if (p->transposed && (corner == cJB2_Corner_Bottom_Left || corner == cJB2_Corner_Bottom_Right))
        r.curS += int64_t(in.height) - 1;
    int64_t x = p->transposed ? t : r.curS;
    int64_t y = p->transposed ? r.curS : t;
    if (corner == cJB2_Corner_Bottom_Left || corner == cJB2_Corner_Bottom_Right)
        y -= int64_t(in.height) - 1;
    if (corner == cJB2_Corner_Top_Right || corner == cJB2_Corner_Bottom_Right)
        x -= int64_t(in.width) - 1;
    if (!InInt32(r.curS) || !InInt32(x) || !InInt32(y))
        return JB2Fail(r.message, cJB2_Error_Invalid_Segment_Data,
                       "Failure adjusting symbol coordinates for instance in text region decoder object!");
    JB2_Error status = GrowLine(r, in.width);
    if (status == cJB2_Error_OK)
        status = in.refined ? DrawRefined(r, in, x, y) : DrawSymbol(r, in.symbol, x, y);
    if (status != cJB2_Error_OK)
        return status;
    if (!p->transposed && (corner == cJB2_Corner_Top_Left || corner == cJB2_Corner_Bottom_Left))
        r.curS += int64_t(in.width) - 1;
    else if (p->transposed && (corner == cJB2_Corner_Top_Left || corner == cJB2_Corner_Top_Right))
        r.curS += int64_t(in.height) - 1;
    return InInt32(r.curS) ? cJB2_Error_OK
                           : JB2Fail(r.message, cJB2_Error_Invalid_Segment_Data,
                                     "Failure post-updating the current S variable in text region!");
}

// One instance after its S is known: T, symbol, refinement, drawing.
JB2_Error DecodeInstance(Run& r)
{
    int64_t curT = 0;
    JB2_Error status = cJB2_Error_OK;
    if (r.p->strips > 1 && r.p->huffman) {
        curT = JB2BitReaderRead(r.coder->reader, r.p->logStrips);
        if (JB2BitReaderOverrun(r.coder->reader))
            status = cJB2_Error_Invalid_Segment_Data;
    } else if (r.p->strips > 1) {
        status = Value(r, JB2MQContexts::kIAIT, nullptr, &curT,
                       "Unable to decode delta T coordinate of symbol in text region!");
    }
    Instance in = {};
    uint32_t id = 0;
    if (status == cJB2_Error_OK)
        status = DecodeSymbolID(r, &id);
    if (status == cJB2_Error_OK)
        status = DecodeRefineFlag(r, &in.refined);
    if (status != cJB2_Error_OK)
        return status;
    in.symbol = JB2SymbolSetGet(r.symbols, id);
    if (!in.symbol || !in.symbol->bitmapValid)
        return JB2Fail(r.message, cJB2_Error_Invalid_Segment_Data, "Unable to access symbol in text region!");
    in.width = in.symbol->width;
    in.height = in.symbol->height;
    if (in.refined)
        status = DecodeRefinementDeltas(r, in);
    if (status != cJB2_Error_OK)
        return status;
    // Each instance costs its pixels, drawn or not: a few bytes must not buy unbounded work.
    const uint64_t cost = uint64_t(in.width) * in.height;
    if (cost > *r.pixels)
        return JB2Fail(r.message, cJB2_Error_Invalid_Segment_Data, "Text region draws too many pixels!");
    *r.pixels -= cost;
    return PlaceInstance(r, in, r.stripT + curT);
}

// The instances of one strip, up to its out-of-band S.
JB2_Error DecodeStrip(Run& r)
{
    int64_t delta = 0;
    JB2_Error status =
        Value(r, JB2MQContexts::kIAFS, r.p->fs, &delta, "Unable to decode delta S coordinate of strip in text region!");
    if (status != cJB2_Error_OK)
        return status;
    r.firstS += delta;
    r.curS = r.firstS;
    for (;;) {
        if (!InInt32(r.curS))
            return JB2Fail(r.message, cJB2_Error_Invalid_Segment_Data,
                           "Unable to decode delta S coordinate of symbol in text region!");
        status = DecodeInstance(r);
        if (status != cJB2_Error_OK)
            return status;
        ++r.done;
        uint8_t oob = 0;
        status = Integer(r, JB2MQContexts::kIADS, r.p->ds, &delta, &oob);
        if (status != cJB2_Error_OK)
            return JB2Fail(r.message, status, "Unable to decode delta S coordinate of symbol in text region!");
        if (oob)
            return cJB2_Error_OK;
        if (r.done >= r.p->instances) {
            JB2MessageSend(r.message, cJB2_Message_Warning,
                           "OOB signal at end of last symbol instance in text region is missing!");
            JB2MessageSend(r.message, cJB2_Message_Warning, "Attempting to continue decoding!");
            JB2MessageEnd(r.message, cJB2_Message_Warning);
            return cJB2_Error_OK;
        }
        r.curS += delta + r.p->dsOffset;
    }
}

}  // namespace

JB2Symbol* JB2SymbolSetGet(const JB2SymbolSet* set, uint64_t index)
{
    if (!set)
        return nullptr;
    if (index < set->inputCount)
        return set->inputs[index];
    index -= set->inputCount;
    return set->added && index < set->added->count ? set->added->items[index] : nullptr;
}

JB2_Error JB2TextDecodeInstances(const JB2TextParameters* p, const JB2SymbolSet* symbols, JB2TextBitmap* bitmap,
                                 JB2TextCoder* coder, uint64_t* pixels, JB2Memory* memory, JB2Message* message)
{
    if (!p || !symbols || !bitmap || !coder || !pixels || (p->huffman ? !coder->reader : !coder->mq))
        return cJB2_Error_Internal;
    Run r = {p, symbols, bitmap, coder, pixels, memory, message, 0, 0, 0, 0, nullptr, 0};
    int64_t dt = 0;
    JB2_Error status =
        Value(r, JB2MQContexts::kIADT, p->dt, &dt, "Unable to decode strip delta T value of text region!");
    r.stripT = -dt * int64_t(p->strips);
    while (status == cJB2_Error_OK && r.done < p->instances) {
        status = Value(r, JB2MQContexts::kIADT, p->dt, &dt, "Unable to decode strip delta T value of text region!");
        if (status != cJB2_Error_OK)
            break;
        r.stripT += dt * int64_t(p->strips);
        if (!InInt32(r.stripT) || !InInt32(r.firstS)) {
            status = JB2Fail(r.message, cJB2_Error_Invalid_Segment_Data,
                             "Unable to decode strip delta T value of text region!");
            break;
        }
        status = DecodeStrip(r);
    }
    if (r.line)
        JB2MemoryFree(memory, &r.line);
    return status;
}

JB2_Error JB2StartRefinementData(JB2TextCoder* coder, const JB2HuffmanTable* sizeTable, int64_t* size,
                                 JB2Memory* memory, JB2Message* message)
{
    if (!coder || !coder->reader || !size)
        return cJB2_Error_Internal;
    int32_t value = 0;
    uint8_t oob = 0;
    JB2_Error status = Huffman_Decode_Value(coder->reader, sizeTable, &value, &oob);
    JB2BitReaderAlign(coder->reader);
    const uint32_t position = JB2BitReaderPosition(coder->reader);
    if (status != cJB2_Error_OK || oob || value < 0 || uint32_t(value) > JB2BitReaderBytesLeft(coder->reader) ||
        position >= coder->length) {
        return JB2Fail(message, cJB2_Error_Invalid_Segment_Data,
                       "Invalid refinement bitmap data length for text region instance!");
    }
    if (!coder->mq) {
        status = MQ_Decoder_Start(&coder->mq, memory, JB2MQContexts::kCount, coder->data, coder->length, nullptr);
        if (status != cJB2_Error_OK)
            return status;
    }
    *size = value;
    return MQ_Decoder_Restart(coder->mq, position);
}

}  // namespace ZAV
