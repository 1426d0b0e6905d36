#include "jbig2codec/mmr/JB2MMREncoder.h"

#include <cstdlib>
#include <cstring>

#include "jbig2codec/mmr/JB2MMRCodes.h"

namespace ZAV {

namespace {

void WriteBuffer(JB2MMREncoder* e)
{
    if (e->fill == 0) return;
    const uint32_t written = JB2WriteDataWrite(e->output, e->buffer, e->offset, e->fill);
    if (written != e->fill && e->writeStatus == 0) e->writeStatus = cJB2_Error_Write_Failure;
    e->offset += e->fill;
    e->fill = 0;
}

void PutByte(JB2MMREncoder* e, uint8_t byte)
{
    if (e->fill == e->capacity) WriteBuffer(e);
    e->buffer[e->fill++] = byte;
}

void PutBits(JB2MMREncoder* e, uint32_t value, uint32_t length)
{
    while (length > 0) {
        const uint32_t take = length < e->freeBits ? length : e->freeBits;
        const uint32_t bits = (value >> (length - take)) & ((1u << take) - 1);
        e->partial = uint8_t(e->partial | (bits << (e->freeBits - take)));
        e->freeBits -= take;
        length -= take;
        if (e->freeBits == 0) {
            PutByte(e, e->partial);
            e->partial = 0;
            e->freeBits = 8;
        }
    }
}

void PutCode(JB2MMREncoder* e, const char* bits)
{
    PutBits(e, JB2MMRCodeValue(bits), JB2MMRCodeLength(bits));
}

void PutRun(JB2MMREncoder* e, uint32_t run, uint32_t colour)
{
    const JB2MMRCode* makeUp = colour ? kMMRBlackMakeUp : kMMRWhiteMakeUp;
    const JB2MMRCode* terminating = colour ? kMMRBlackTerminating : kMMRWhiteTerminating;
    while (run > 2623) {
        PutCode(e, kMMRCommonMakeUp[kMMRLongestMakeUp / 64 - 28].bits);
        run -= kMMRLongestMakeUp;
    }
    if (run >= 64) {
        const uint32_t index = run / 64;
        PutCode(e, index >= 28 ? kMMRCommonMakeUp[index - 28].bits : makeUp[index - 1].bits);
        run %= 64;
    }
    PutCode(e, terminating[run].bits);
}

// Positions where the colour of the packed row changes, left to right.
uint32_t FindChanges(const uint8_t* row, uint32_t width, uint32_t* changes)
{
    uint32_t count = 0;
    uint32_t colour = 0;
    uint32_t x = 0;
    while (x < width) {
        const uint8_t byte = row[x / 8];
        // Whole bytes of the current colour hold no change.
        if (x % 8 == 0 && byte == (colour ? 0xFF : 0x00) && x + 8 <= width) {
            x += 8;
            continue;
        }
        const uint32_t pixel = (byte >> (7 - x % 8)) & 1;
        if (pixel != colour) {
            changes[count++] = x;
            colour = pixel;
        }
        ++x;
    }
    return count;
}

inline uint32_t At(const uint32_t* changes, uint32_t count, uint32_t index, uint32_t width)
{
    return index < count ? changes[index] : width;
}

}  // namespace

JB2_Error MMR_Encoder_Start(JB2MMREncoder** out, JB2Memory* memory, uint32_t width, uint32_t height,
                          uint32_t startOffset, JB2WriteData* output, JB2Message* message)
{
    if (!out || !output || width == 0 || height == 0) return cJB2_Error_Internal;
    *out = nullptr;
    auto* e = static_cast<JB2MMREncoder*>(JB2MemoryAlloc(memory, sizeof(JB2MMREncoder)));
    const uint64_t listBytes = uint64_t(width) * sizeof(uint32_t);
    bool ok = e != nullptr && listBytes <= UINT32_MAX;
    if (e) {
        *e = JB2MMREncoder{};
        JB2WriteDataAddReference(output);
        e->output = output;
        for (uint32_t*& list : e->changes)
            if (ok) ok = (list = static_cast<uint32_t*>(JB2MemoryAlloc(memory, uint32_t(listBytes)))) != nullptr;
        if (ok) ok = (e->buffer = static_cast<uint8_t*>(JB2MemoryAlloc(memory, kMMREncoderBufferSize))) != nullptr;
    }
    if (!ok) {
        JB2MessageError(message, "Unable to allocate MMR encoder object!");
        if (e) {
            e->fill = 0;
            MMR_Encoder_End(&e, memory);
        }
        return cJB2_Error_Allocation_Failure;
    }
    e->capacity = kMMREncoderBufferSize;
    e->offset = startOffset;
    e->width = width;
    e->height = height;
    e->bytesPerLine = (width + 7) / 8;
    e->freeBits = 8;
    *out = e;
    return 0;
}

JB2_Error MMR_Encoder_Line(JB2MMREncoder* e, const uint8_t* line)
{
    if (!e || !line || e->linesDone >= e->height) return cJB2_Error_Internal;
    const uint32_t width = e->width;
    const uint32_t* reference = e->changes[(e->linesDone + 1) & 1];
    const uint32_t referenceCount = e->counts[(e->linesDone + 1) & 1];
    uint32_t* coding = e->changes[e->linesDone & 1];
    const uint32_t count = e->counts[e->linesDone & 1] = FindChanges(line, width, coding);

    int64_t a0 = -1;
    uint32_t colour = 0;
    uint32_t next = 0;    // first coding change right of a0
    uint32_t search = 0;  // first reference change right of a0
    while (a0 < int64_t(width)) {
        while (next < count && int64_t(coding[next]) <= a0) ++next;
        while (search < referenceCount && int64_t(reference[search]) <= a0) ++search;
        const uint32_t a1 = At(coding, count, next, width);
        const uint32_t i = (search & 1) == colour ? search : search + 1;
        const uint32_t b1 = At(reference, referenceCount, i, width);
        const uint32_t b2 = At(reference, referenceCount, i + 1, width);
        if (b2 < a1) {
            PutBits(e, 0x1, 4);  // pass
            a0 = b2;
        } else if (std::abs(int64_t(a1) - int64_t(b1)) <= 3) {
            static const char* const kVertical[7] = {"0000010", "000010", "010", "1",
                                                     "011",     "000011", "0000011"};
            PutCode(e, kVertical[int64_t(a1) - int64_t(b1) + 3]);
            a0 = a1;
            colour ^= 1;
        } else {
            const uint32_t a2 = At(coding, count, next + 1, width);
            const uint32_t start = a0 < 0 ? 0 : uint32_t(a0);
            PutBits(e, 0x1, 3);  // horizontal
            PutRun(e, a1 - start, colour);
            PutRun(e, a2 - a1, colour ^ 1);
            a0 = a2;
        }
    }
    ++e->linesDone;
    return 0;
}

JB2_Error MMR_Encoder_End(JB2MMREncoder** holder, JB2Memory* memory)
{
    if (!holder || !*holder) return cJB2_Error_Internal;
    JB2MMREncoder* e = *holder;
    *holder = nullptr;
    if (e->buffer) {
        if (e->freeBits < 8) PutByte(e, e->partial);
        WriteBuffer(e);
        JB2MemoryFree(memory, &e->buffer);
    }
    const int32_t status = e->writeStatus;
    for (uint32_t*& list : e->changes)
        if (list) JB2MemoryFree(memory, &list);
    if (e->output) JB2WriteDataRelease(&e->output, memory);
    JB2MemoryFree(memory, &e);
    return status;
}

}  // namespace ZAV
