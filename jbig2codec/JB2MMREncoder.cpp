#include "jbig2codec/JB2MMREncoder.h"

#include <cstdlib>
#include <cstring>

#include "jbig2codec/JB2MMRCodes.h"

namespace {

void WriteBuffer(MMR_Encoder* e)
{
    if (e->fill == 0) return;
    const uint32_t written = JB2_Write_Data_Write(e->output, e->buffer, e->offset, e->fill);
    if (written != e->fill && e->writeStatus == 0) e->writeStatus = cJB2_Error_Write_Failure;
    e->offset += e->fill;
    e->fill = 0;
}

void PutByte(MMR_Encoder* e, uint8_t byte)
{
    if (e->fill == e->capacity) WriteBuffer(e);
    e->buffer[e->fill++] = byte;
}

void PutBits(MMR_Encoder* e, uint32_t value, uint32_t length)
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

void PutCode(MMR_Encoder* e, const char* bits)
{
    PutBits(e, MMR_Code_Value(bits), MMR_Code_Length(bits));
}

void PutRun(MMR_Encoder* e, uint32_t run, uint32_t colour)
{
    const MMR_Code* makeUp = colour ? kMMRBlackMakeUp : kMMRWhiteMakeUp;
    const MMR_Code* terminating = colour ? kMMRBlackTerminating : kMMRWhiteTerminating;
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

int32_t MMR_Encoder_Start(MMR_Encoder** out, JB2_Memory* memory, uint32_t width, uint32_t height,
                          uint32_t startOffset, JB2_Write_Data* output, JB2_Message* message)
{
    if (!out || !output || width == 0 || height == 0) return cJB2_Error_Internal;
    *out = nullptr;
    auto* e = static_cast<MMR_Encoder*>(JB2_Memory_Alloc(memory, sizeof(MMR_Encoder)));
    const uint64_t listBytes = uint64_t(width) * sizeof(uint32_t);
    bool ok = e != nullptr && listBytes <= UINT32_MAX;
    if (e) {
        *e = MMR_Encoder{};
        JB2_Write_Data_Add_Reference(output);
        e->output = output;
        for (uint32_t*& list : e->changes)
            if (ok) ok = (list = static_cast<uint32_t*>(JB2_Memory_Alloc(memory, uint32_t(listBytes)))) != nullptr;
        if (ok) ok = (e->buffer = static_cast<uint8_t*>(JB2_Memory_Alloc(memory, kMMREncoderBufferSize))) != nullptr;
    }
    if (!ok) {
        JB2_Message_Set(message, cJB2_Message_Error, "Unable to allocate MMR encoder object!");
        JB2_Message_Set(message, cJB2_Message_Error, "");
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

int32_t MMR_Encoder_Line(MMR_Encoder* e, const uint8_t* line)
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

int32_t MMR_Encoder_End(MMR_Encoder** holder, JB2_Memory* memory)
{
    if (!holder || !*holder) return cJB2_Error_Internal;
    MMR_Encoder* e = *holder;
    *holder = nullptr;
    if (e->buffer) {
        if (e->freeBits < 8) PutByte(e, e->partial);
        WriteBuffer(e);
        JB2_Memory_Free(memory, reinterpret_cast<void**>(&e->buffer));
    }
    const int32_t status = e->writeStatus;
    for (uint32_t*& list : e->changes)
        if (list) JB2_Memory_Free(memory, reinterpret_cast<void**>(&list));
    if (e->output) JB2_Write_Data_Release(&e->output, memory);
    JB2_Memory_Free(memory, reinterpret_cast<void**>(&e));
    return status;
}
