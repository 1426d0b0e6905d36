#include "jbig2codec/mmr/JB2MMRDecoder.h"

#include <algorithm>
#include <cstring>

#include "jbig2codec/render/JB2BitmapOps.h"
#include "jbig2codec/mmr/JB2MMRCodes.h"

namespace ZAV {

namespace {

enum : uint8_t {
    kInvalid = 0,
    kPass,
    kHorizontal,
    kVertical,  // value = 3 + offset (0 to 6)
    kExtension,
    kTerminating,
    kMakeUp,
    kEndOfLine,
};

// The end-of-block of MMR data: two end-of-line codes.
constexpr uint32_t kEndOfBlock = 0x001001;
constexpr uint32_t kEndOfBlockBits = 24;

void Enter(JB2MMRTableEntry* table, uint32_t tableBits, const char* bits, uint16_t value,
           uint8_t kind)
{
    const uint32_t length = JB2MMRCodeLength(bits);
    const uint32_t spare = tableBits - length;
    const uint32_t first = JB2MMRCodeValue(bits) << spare;
    for (uint32_t i = 0; i < (1u << spare); ++i) table[first + i] = {value, uint8_t(length), kind};
}

void BuildRunTable(JB2MMRTableEntry* table, uint32_t bits, const JB2MMRCode* terminating,
                   const JB2MMRCode* makeUp)
{
    std::memset(table, 0, sizeof(JB2MMRTableEntry) << bits);
    for (uint32_t i = 0; i < 64; ++i) Enter(table, bits, terminating[i].bits, terminating[i].run, kTerminating);
    for (uint32_t i = 0; i < 27; ++i) Enter(table, bits, makeUp[i].bits, makeUp[i].run, kMakeUp);
    for (const JB2MMRCode& code : kMMRCommonMakeUp) Enter(table, bits, code.bits, code.run, kMakeUp);
    Enter(table, bits, "000000000001", 0, kEndOfLine);
}

void BuildTables(JB2MMRDecoder* d)
{
    std::memset(d->modeTable, 0, sizeof d->modeTable);
    Enter(d->modeTable, kMMRModeBits, "0001", 0, kPass);
    Enter(d->modeTable, kMMRModeBits, "001", 0, kHorizontal);
    Enter(d->modeTable, kMMRModeBits, "1", 3, kVertical);
    Enter(d->modeTable, kMMRModeBits, "011", 4, kVertical);
    Enter(d->modeTable, kMMRModeBits, "000011", 5, kVertical);
    Enter(d->modeTable, kMMRModeBits, "0000011", 6, kVertical);
    Enter(d->modeTable, kMMRModeBits, "010", 2, kVertical);
    Enter(d->modeTable, kMMRModeBits, "000010", 1, kVertical);
    Enter(d->modeTable, kMMRModeBits, "0000010", 0, kVertical);
    Enter(d->modeTable, kMMRModeBits, "0000001", 0, kExtension);
    BuildRunTable(d->whiteTable, kMMRWhiteBits, kMMRWhiteTerminating, kMMRWhiteMakeUp);
    BuildRunTable(d->blackTable, kMMRBlackBits, kMMRBlackTerminating, kMMRBlackMakeUp);
}

// The next n bits (n up to 24) without consuming them; zeros past the data.
uint32_t Peek(const JB2MMRDecoder* d, uint32_t n)
{
    const uint64_t byte = d->bitPosition / 8;
    uint32_t window = 0;
    for (uint64_t i = 0; i < 4; ++i) {
        const uint64_t index = byte + i;
        window = (window << 8) | (index < d->length ? d->data[index] : 0u);
    }
    window <<= d->bitPosition % 8;
    return window >> (32 - n);
}

const JB2MMRTableEntry& Lookup(JB2MMRDecoder* d, const JB2MMRTableEntry* table, uint32_t bits)
{
    const JB2MMRTableEntry& entry = table[Peek(d, bits)];
    d->bitPosition += entry.length;
    return entry;
}

// A run of one colour: make-up codes up to a terminating code.
int32_t ReadRun(JB2MMRDecoder* d, uint32_t colour, uint32_t* run)
{
    uint64_t total = 0;
    for (;;) {
        const JB2MMRTableEntry& entry =
            colour ? Lookup(d, d->blackTable, kMMRBlackBits) : Lookup(d, d->whiteTable, kMMRWhiteBits);
        if (entry.kind != kTerminating && entry.kind != kMakeUp) return cJB2_Error_Internal;
        total += entry.value;
        // No run of a valid line is longer than the line.
        if (total > d->width) return cJB2_Error_Internal;
        if (entry.kind == kTerminating) break;
    }
    *run = uint32_t(total);
    return 0;
}

// Records a change of colour at x. A change at the position of the previous
// one cancels it (an empty run), so the list stays strictly increasing and
// can never hold more than width entries.
inline void AddChange(uint32_t* changes, uint32_t& count, uint32_t x, uint32_t width)
{
    if (x >= width) return;
    if (count > 0 && changes[count - 1] == x)
        --count;
    else
        changes[count++] = x;
}

}  // namespace

JB2_Error MMR_Decoder_Start(JB2MMRDecoder** out, JB2Memory* memory, uint32_t width, uint32_t height,
                          uint8_t* data, uint32_t length, uint32_t bufferSize,
                          JB2Message* message)
{
    if (!out || !data || width == 0 || height == 0 || length == 0) return cJB2_Error_Internal;
    *out = nullptr;
    const uint64_t needed = (uint64_t(length) + 7) & ~uint64_t(3);
    if (bufferSize < needed) return cJB2_Error_Internal;
    auto* d = static_cast<JB2MMRDecoder*>(JB2MemoryAlloc(memory, sizeof(JB2MMRDecoder)));
    if (!d) return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate MMR decoder object!");
    std::memset(d, 0, sizeof *d);
    const uint64_t listBytes = uint64_t(width) * sizeof(uint32_t);
    for (uint32_t*& list : d->changes) {
        list = listBytes > UINT32_MAX ? nullptr
                                      : static_cast<uint32_t*>(JB2MemoryAlloc(memory, uint32_t(listBytes)));
        if (!list) {
            MMR_Decoder_End(&d, memory);
            return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to initialise MMR decoder object!");
        }
    }
    std::memset(data + length, 0, size_t(needed - length));
    BuildTables(d);
    d->width = width;
    d->height = height;
    d->data = data;
    d->length = length;
    *out = d;
    return 0;
}

namespace {

// Horizontal mode (T.4 4.2.1.3.2 c): two runs from a0, one of each colour;
// a0 moves to the end of the second.
JB2_Error DecodeHorizontal(JB2MMRDecoder* d, uint32_t colour, uint32_t start, uint32_t* coding, uint32_t& count,
                           int64_t* a0)
{
    uint32_t first = 0;
    uint32_t second = 0;
    int32_t status = ReadRun(d, colour, &first);
    if (status == 0)
        status = ReadRun(d, colour ^ 1, &second);
    if (status != 0)
        return status;
    const uint32_t a1 = uint32_t(std::min<uint64_t>(uint64_t(start) + first, d->width));
    const uint32_t a2 = uint32_t(std::min<uint64_t>(uint64_t(a1) + second, d->width));
    AddChange(coding, count, a1, d->width);
    AddChange(coding, count, a2, d->width);
    *a0 = a2;
    return 0;
}

// The coded line's changing elements as pixels, black from each even one.
void FillLine(uint8_t* line, const uint32_t* coding, uint32_t count, uint32_t width)
{
    std::memset(line, 0, (width + 7) / 8);
    for (uint32_t k = 0; k < count; k += 2) {
        const uint32_t end = k + 1 < count ? coding[k + 1] : width;
        JB2RowSetRun(line, coding[k], end - coding[k]);
    }
}

}  // namespace

// One line of two-dimensional coding (T.6 2.2): each mode is read against
// the changing elements b1 and b2 of the reference line.
JB2_Error MMR_Decoder_Line(JB2MMRDecoder* d, uint8_t* line)
{
    if (!d || !line || d->linesDone >= d->height) return cJB2_Error_Internal;
    const uint32_t width = d->width;
    const uint32_t* reference = d->changes[(d->linesDone + 1) & 1];
    const uint32_t referenceCount = d->counts[(d->linesDone + 1) & 1];
    uint32_t* coding = d->changes[d->linesDone & 1];
    uint32_t& count = d->counts[d->linesDone & 1];
    count = 0;
    int64_t a0 = -1;
    uint32_t colour = 0;
    uint32_t search = 0;  // first reference change right of a0
    while (a0 < int64_t(width)) {
        while (search < referenceCount && int64_t(reference[search]) <= a0) ++search;
        // b1 is the first change to the other colour: changes to black sit at even places.
        const uint32_t i = (search & 1) == colour ? search : search + 1;
        const uint32_t b1 = i < referenceCount ? reference[i] : width;
        const uint32_t b2 = i + 1 < referenceCount ? reference[i + 1] : width;
        const uint32_t start = a0 < 0 ? 0 : uint32_t(a0);
        const JB2MMRTableEntry& mode = Lookup(d, d->modeTable, kMMRModeBits);
        if (mode.kind == kPass) {
            a0 = b2;
        } else if (mode.kind == kHorizontal) {
            if (JB2_Error status = DecodeHorizontal(d, colour, start, coding, count, &a0)) return status;
        } else if (mode.kind == kVertical) {
            const int64_t a1 = int64_t(b1) + int64_t(mode.value) - 3;
            // A changing element left of a0 would move backwards.
            if (a1 < int64_t(start)) return cJB2_Error_Internal;
            a0 = std::min<int64_t>(a1, width);
            AddChange(coding, count, uint32_t(a0), width);
            colour ^= 1;
        } else if (mode.kind == kExtension) {
            a0 = width;
        } else {
            return cJB2_Error_Internal;
        }
    }
    FillLine(line, coding, count, width);
    ++d->linesDone;
    return 0;
}

JB2_Error MMR_Decoder_Next_Plane(JB2MMRDecoder* d)
{
    if (!d) return cJB2_Error_Internal;
    d->counts[0] = d->counts[1] = 0;
    d->linesDone = 0;
    if (Peek(d, kEndOfBlockBits) == kEndOfBlock) d->bitPosition += kEndOfBlockBits;
    d->bitPosition = (d->bitPosition + 7) & ~uint64_t(7);
    return 0;
}

JB2_Error MMR_Decoder_End(JB2MMRDecoder** holder, JB2Memory* memory)
{
    if (!holder || !*holder) return cJB2_Error_Internal;
    JB2MMRDecoder* d = *holder;
    for (uint32_t*& list : d->changes)
        if (list) JB2MemoryFree(memory, &list);
    *holder = nullptr;
    return JB2MemoryFree(memory, &d);
}

}  // namespace ZAV
