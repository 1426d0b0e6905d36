#include "jbig2codec/huffman/JB2HuffmanEncoder.h"

namespace ZAV {

JB2_Error Huffman_Encoder_Start(JB2HuffmanEncoder** out, JB2Memory* memory, uint32_t startOffset, JB2WriteData* output,
                                JB2Message* message)
{
    if (!out || !output)
        return cJB2_Error_Internal;
    *out = nullptr;
    auto* e = JB2MemoryNew<JB2HuffmanEncoder>(memory);
    if (!e || JB2BitWriterCreate(&e->writer, memory, output, startOffset, nullptr) != cJB2_Error_OK) {
        if (e)
            JB2MemoryFree(memory, &e);
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate huffman encoder object!");
    }
    *out = e;
    return cJB2_Error_OK;
}

int32_t Huffman_Find_Line(const JB2HuffmanTable* t, int64_t value, uint8_t oob)
{
    if (!t || !t->finished || t->count == 0)
        return -1;
    const uint32_t oobLine = t->count - 1;
    // A table of one line can only code out-of-band.
    if (oob || t->count == 1)
        return t->entries[oobLine].prefixLength ? int32_t(oobLine) : -1;
    // From the upper range line back to the first: the first used line
    // whose range starts at or below the value (the lower range line: whose
    // range ends at or above it).
    for (int64_t i = int64_t(t->count) - 2; i >= 0; --i) {
        const JB2HuffmanEntry& e = t->entries[i];
        if (e.prefixLength == 0)
            continue;
        if (e.kind == cJB2_Huffman_Lower ? value <= e.rangeLow : value >= e.rangeLow) {
            // A normal line covers only its own range: past it lies no line.
            if (e.kind == cJB2_Huffman_Normal && e.rangeLength < 32 &&
                value - e.rangeLow >= (int64_t(1) << e.rangeLength))
                return -1;
            return int32_t(i);
        }
    }
    return -1;
}

JB2_Error Huffman_Encode_Value(JB2HuffmanEncoder* e, const JB2HuffmanTable* t, int32_t value, uint8_t oob)
{
    if (!e || !t)
        return cJB2_Error_Internal;
    const int32_t line = Huffman_Find_Line(t, value, oob);
    if (line < 0)
        return cJB2_Error_Invalid_Huffman_Table;
    const JB2HuffmanEntry& entry = t->entries[line];
    JB2_Error status = JB2BitWriterPut(e->writer, entry.code, entry.prefixLength);
    if (status != cJB2_Error_OK || entry.kind == cJB2_Huffman_OOB || entry.rangeLength == 0)
        return status;
    const int64_t offset = int64_t(value) - entry.rangeLow;
    return JB2BitWriterPut(e->writer, uint32_t(offset < 0 ? -offset : offset), entry.rangeLength);
}

JB2_Error Huffman_Write_Bits(JB2HuffmanEncoder* e, uint32_t value, uint32_t count)
{
    if (!e || count > 32)
        return cJB2_Error_Internal;
    return count ? JB2BitWriterPut(e->writer, value, count) : cJB2_Error_OK;
}

JB2_Error Huffman_Encoder_End(JB2HuffmanEncoder** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2HuffmanEncoder* e = *holder;
    *holder = nullptr;
    JB2_Error status = e->writer ? JB2BitWriterEnd(&e->writer, memory) : cJB2_Error_OK;
    JB2MemoryFree(memory, &e);
    return status;
}

}  // namespace ZAV
