#include "jbig2codec/symbol/JB2HeightClass.h"

#include <cstring>

#include "jbig2codec/generic/JB2ContextBuffer.h"
#include "jbig2codec/mmr/JB2MMRDecoder.h"
#include "jbig2codec/render/JB2BitmapOps.h"
#include "jbig2codec/support/JB2Limits.h"

namespace ZAV {

namespace {

// Spare bytes behind the class's row, for cutting its last symbol.
constexpr uint32_t kLineSpare = 2;

JB2_Error BadSize(JB2Message* message)
{
    return JB2Fail(message, cJB2_Error_Invalid_Segment_Data,
                   "Invalid collective bitmap data length for text region instance!");
}

void CutLine(const JB2HeightClass* c, const uint8_t* line, uint32_t y)
{
    uint64_t x = 0;
    for (uint32_t i = c->first; i < c->end; ++i) {
        JB2Symbol* symbol = c->symbols->items[i];
        JB2RowExtract(line, x, JB2SymbolRow(symbol, y), symbol->width);
        x += symbol->width;
    }
}

JB2_Error CutPlain(const JB2HeightClass* c, const uint8_t* bitmap, uint64_t rowBytes, uint8_t* line)
{
    for (uint32_t y = 0; y < c->height; ++y) {
        std::memcpy(line, bitmap + y * rowBytes, rowBytes);
        CutLine(c, line, y);
    }
    return cJB2_Error_OK;
}

JB2_Error CutMMR(const JB2HeightClass* c, const uint8_t* coded, uint32_t size, uint8_t* line, JB2Memory* memory,
                 JB2Message* message)
{
    const uint64_t bufferSize = uint64_t(size) + kJB2CodedDataSlack + 1;
    uint8_t* copy = JB2MemoryAllocArray<uint8_t>(memory, bufferSize);
    if (!copy) {
        return JB2Fail(message, cJB2_Error_Allocation_Failure,
                       "Unable to allocate height class collective bitmap data buffer!");
    }
    std::memcpy(copy, coded, size);
    JB2MMRDecoder* mmr = nullptr;
    JB2_Error status =
        MMR_Decoder_Start(&mmr, memory, uint32_t(c->totalWidth), c->height, copy, size, uint32_t(bufferSize), message);
    for (uint32_t y = 0; status == cJB2_Error_OK && y < c->height; ++y) {
        status = MMR_Decoder_Line(mmr, line);
        if (status == cJB2_Error_OK)
            CutLine(c, line, y);
    }
    if (mmr)
        MMR_Decoder_End(&mmr, memory);
    JB2MemoryFree(memory, &copy);
    return status;
}

}  // namespace

JB2_Error JB2DecodeCollectiveBitmap(const JB2HeightClass* c, JB2BitReader* reader, const JB2HuffmanTable* sizeTable,
                                    const uint8_t* data, JB2Memory* memory, JB2Message* message)
{
    if (!c || !reader || !sizeTable || !data)
        return cJB2_Error_Internal;
    int32_t size = 0;
    uint8_t oob = 0;
    JB2_Error status = Huffman_Decode_Value(reader, sizeTable, &size, &oob);
    if (status != cJB2_Error_OK || oob || size < 0)
        return BadSize(message);
    JB2BitReaderAlign(reader);
    const uint64_t rowBytes = (c->totalWidth + 7) / 8;
    const uint64_t stored = size == 0 ? rowBytes * c->height : uint64_t(size);
    if (stored > JB2BitReaderBytesLeft(reader))
        return BadSize(message);
    if (c->first == c->end) {
        Huffman_Skip_Bytes(reader, stored);
        return cJB2_Error_OK;
    }
    status = JB2GenericCheckSize(uint32_t(c->totalWidth), c->height, message);
    if (status != cJB2_Error_OK)
        return status;
    uint8_t* line = JB2MemoryAllocArray<uint8_t>(memory, rowBytes + kLineSpare);
    if (!line) {
        return JB2Fail(message, cJB2_Error_Allocation_Failure,
                       "Unable to allocate height class collective bitmap line buffer!");
    }
    const uint8_t* bitmap = data + JB2BitReaderPosition(reader);
    status = size == 0 ? CutPlain(c, bitmap, rowBytes, line) : CutMMR(c, bitmap, uint32_t(size), line, memory, message);
    JB2MemoryFree(memory, &line);
    if (status != cJB2_Error_OK) {
        JB2MessageWarning(message, "Error rendering collective bitmap buffer!");
        JB2MessageWarning(message, "Error getting collective bitmap buffer!");
        return status;
    }
    Huffman_Skip_Bytes(reader, stored);
    return cJB2_Error_OK;
}

}  // namespace ZAV
