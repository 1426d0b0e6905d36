#include "jbig2codec/io/JB2BitReader.h"

namespace ZAV {

namespace {

// Fills the accumulator to at least n bits (n up to 24); bytes beyond the
// data are zeros.
void Fill(JB2BitReader* reader, uint32_t n)
{
    while (reader->bits < n) {
        uint32_t byte = 0;
        if (reader->next < reader->count)
            byte = reader->data[reader->next];
        ++reader->next;
        reader->accumulator = (reader->accumulator << 8) | byte;
        reader->bits += 8;
    }
}

uint32_t Take(JB2BitReader* reader, uint32_t n)
{
    if (n == 0)
        return 0;
    Fill(reader, n);
    reader->bits -= n;
    const uint32_t value = (reader->accumulator >> reader->bits) & ((1u << n) - 1);
    reader->accumulator &= (reader->bits ? (1u << reader->bits) - 1 : 0);
    if (reader->bitsLeft >= n) {
        reader->bitsLeft -= n;
    } else {
        reader->bitsLeft = 0;
        reader->overrun = 1;
    }
    return value;
}

}  // namespace

JB2_Error JB2BitReaderCreate(JB2BitReader** out, JB2Memory* memory, JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = JB2MemoryNew<JB2BitReader>(memory);
    if (!*out) return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate read bit buffer object!");
    return cJB2_Error_OK;
}

JB2_Error JB2BitReaderRelease(JB2BitReader** holder, JB2Memory* memory)
{
    return JB2MemoryFree(memory, holder);
}

void JB2BitReaderInit(JB2BitReader* reader, const uint8_t* data, uint32_t count)
{
    reader->data = data;
    reader->count = data ? count : 0;
    reader->next = 0;
    reader->accumulator = 0;
    reader->bits = 0;
    reader->bitsLeft = static_cast<uint64_t>(reader->count) * 8;
    reader->overrun = 0;
}

uint32_t JB2BitReaderRead(JB2BitReader* reader, uint32_t n)
{
    if (n > 32)
        n = 32;
    if (n <= 16)
        return Take(reader, n);
    const uint32_t high = Take(reader, 16);
    return (high << (n - 16)) | Take(reader, n - 16);
}

uint32_t JB2BitReaderPeek(JB2BitReader* reader, uint32_t n)
{
    if (n == 0)
        return 0;
    if (n > 24)
        n = 24;
    Fill(reader, n);
    return (reader->accumulator >> (reader->bits - n)) & ((1u << n) - 1);
}

void JB2BitReaderSkip(JB2BitReader* reader, uint32_t n)
{
    Take(reader, n > 24 ? 24 : n);
}

void JB2BitReaderAlign(JB2BitReader* reader)
{
    Take(reader, reader->bits % 8);
}

uint32_t JB2BitReaderPosition(const JB2BitReader* reader)
{
    const uint64_t consumed = static_cast<uint64_t>(reader->next) * 8 - reader->bits;
    return static_cast<uint32_t>(consumed / 8);
}

uint32_t JB2BitReaderBytesLeft(const JB2BitReader* reader)
{
    return static_cast<uint32_t>(reader->bitsLeft / 8);
}

}  // namespace ZAV
