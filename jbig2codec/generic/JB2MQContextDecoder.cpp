#include "jbig2codec/generic/JB2MQContextDecoder.h"

#include "jbig2codec/mq/JB2MQContexts.h"

namespace ZAV {

namespace {

JB2_Error Start(JB2MQContextDecoder** out, JB2Memory* memory, uint32_t width, uint32_t height, uint8_t gbTemplate,
                uint8_t nominal, const int8_t* atX, const int8_t* atY, JB2MQDecoder* shared, const uint8_t* data,
                uint32_t length, JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = nullptr;
    JB2ContextBuffer* buffer = nullptr;
    JB2_Error status = Context_Buffer_Create(&buffer, memory, width, height, gbTemplate, nominal, atX, atY, message);
    if (status != cJB2_Error_OK)
        return status;
    auto* d = JB2MemoryNew<JB2MQContextDecoder>(memory);
    if (!d) {
        Context_Buffer_End(&buffer, memory);
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate MQ context decoder object!");
    }
    d->buffer = buffer;
    d->width = width;
    d->height = height;
    if (shared) {
        MQ_Decoder_Share(shared);
        d->mq = shared;
    } else {
        status = MQ_Decoder_Start(&d->mq, memory, JB2MQContexts::kCount, data, length, message);
        if (status != cJB2_Error_OK) {
            MQ_Context_Decoder_End(&d, memory);
            return status;
        }
    }
    *out = d;
    return cJB2_Error_OK;
}

// Hands the finished line out and moves the ring on, unless it was the last.
JB2_Error FinishLine(JB2MQContextDecoder* d, uint8_t* line)
{
    Context_Buffer_Get_Line(d->buffer, line);
    ++d->linesDone;
    return d->linesDone < d->height ? Context_Buffer_Next_Line(d->buffer) : cJB2_Error_OK;
}

// The pixels of one byte of the current line: the short last one, and every
// byte when AT pixels are moved. `pixels` is 8 for every byte but a short
// last one, so the full bytes get their own copy of the loop, unrolled:
// each pixel's shifts are then constants, and the context is the two
// windows' bits at fixed places plus the pixels just decoded.
template <uint8_t Template, bool Nominal>
inline uint32_t DecodeByte(JB2MQLocal& r, uint8_t* contexts, const JB2ContextBuffer* b, uint32_t window2,
                           uint32_t window1, uint32_t& left, uint32_t pixels, uint32_t x, uint8_t* out)
{
    constexpr JB2TemplateWindows w = kJB2TemplateWindows[Template];
    uint32_t byte = 0;
#pragma GCC unroll 8
    for (uint32_t j = 0; j < pixels; ++j) {
        uint32_t context = (((window2 >> (w.shift2 - j)) & w.mask2) << w.place2) |
                           (((window1 >> (w.shift1 - j)) & w.mask1) << w.place1) | (left & w.currentMask);
        if (!Nominal)
            context = Context_Buffer_Apply_AT(b, x + j, context);
        const uint32_t bit = r.Decode(contexts[context]);
        left = (left << 1) | bit;
        byte |= bit << (7 - j);
        // An AT pixel may lie on this line, within this byte.
        if (!Nominal)
            *out = static_cast<uint8_t>(byte);
    }
    return byte;
}

// The bits of a window that the eight pixels of a byte read from their line:
// pixel j reads `width` bits from shift - j up.
constexpr uint32_t ByteWindowMask(uint8_t shift, uint8_t mask)
{
    uint32_t width = 0;
    while (mask >> width)
        ++width;
    return width ? ((1u << (width + 7)) - 1) << (shift - 7) : 0;
}

// Context 0 is all white around the pixel. A byte whose eight pixels all see
// only white in the lines above and just left has context 0 for each of them
// while they decode white; when context 0 gives white without renormalising
// eight times running, the byte is white at once. Most of a page is such
// margin and gap, so most bytes cost one test instead of eight decisions.
template <uint8_t Template>
inline bool SkipWhiteByte(JB2MQLocal& r, const uint8_t* contexts, uint32_t window2, uint32_t window1, uint32_t left)
{
    constexpr JB2TemplateWindows w = kJB2TemplateWindows[Template];
    constexpr uint32_t mask2 = ByteWindowMask(w.shift2, w.mask2);
    constexpr uint32_t mask1 = ByteWindowMask(w.shift1, w.mask1);
    if ((window2 & mask2) | (window1 & mask1) | (left & w.currentMask))
        return false;
    const uint8_t white = contexts[0];
    return r.states[white].mps == 0 && r.SkipMps(white, 8);
}

// A full byte with every template pixel at its nominal place. Each pixel's
// context differs from the two the next pixel may have only in that pixel's
// own bit, so the entries of both are read before its decision is made:
// when the decision's branch was mispredicted, the next context's entry is
// already at hand instead of a load away. The one read before this pixel's
// own entry changed is the stale one, when both contexts are the same.
template <uint8_t Template>
inline uint32_t DecodeNominalByte(JB2MQLocal& r, uint8_t* contexts, uint32_t window2, uint32_t window1, uint32_t& left)
{
    constexpr JB2TemplateWindows w = kJB2TemplateWindows[Template];
    auto above = [&](uint32_t j) {
        return (((window2 >> (w.shift2 - j)) & w.mask2) << w.place2) |
               (((window1 >> (w.shift1 - j)) & w.mask1) << w.place1);
    };
    uint32_t byte = 0;
    uint32_t context = above(0) | (left & w.currentMask);
    uint8_t entry = contexts[context];
#pragma GCC unroll 8
    for (uint32_t j = 0; j < 8; ++j) {
        uint32_t high = 0;
        uint8_t entry0 = 0, entry1 = 0;
        if (j < 7) {
            high = above(j + 1) | ((left << 1) & w.currentMask);
            entry0 = contexts[high];
            entry1 = contexts[high | 1];
        }
        const uint32_t bit = r.Decode(entry);
        contexts[context] = entry;
        left = (left << 1) | bit;
        byte |= bit << (7 - j);
        if (j < 7) {
            const uint32_t next = high | bit;
            const uint8_t preloaded = bit ? entry1 : entry0;
            entry = next == context ? entry : preloaded;
            context = next;
        }
    }
    return byte;
}

// Decodes the pixels of the current line (T.88 6.2.5.7 step 3 c) with the
// context built from sliding windows over the lines above (a shift register
// per line, moved on a byte at a time) and the MQ registers in locals for
// the whole line. The template is a constant of each instance, so are its
// shifts and masks.
template <uint8_t Template, bool Nominal>
void DecodeLineFromWindows(JB2MQContextDecoder* d)
{
    JB2ContextBuffer* b = d->buffer;
    const uint8_t* above2 = b->above2 + kJB2ContextMarginBytes;
    const uint8_t* above = b->above + kJB2ContextMarginBytes;
    uint8_t* out = b->current + kJB2ContextMarginBytes;
    uint8_t* contexts = d->mq->contexts + JB2MQContexts::kGeneric;
    JB2MQLocal r(d->mq);
    // The margins read as white, so the windows start with the byte before.
    uint32_t window2 = (uint32_t(above2[-1]) << 8) | above2[0];
    uint32_t window1 = (uint32_t(above[-1]) << 8) | above[0];
    uint32_t left = 0;  // pixels of this line decoded so far, the last lowest
    const uint32_t fullBytes = d->width / 8;
    for (uint32_t k = 0; k < fullBytes; ++k) {
        window2 = ((window2 << 8) | above2[k + 1]) & 0xFFFFFF;
        window1 = ((window1 << 8) | above[k + 1]) & 0xFFFFFF;
        if (Nominal && SkipWhiteByte<Template>(r, contexts, window2, window1, left)) {
            out[k] = 0;
            left <<= 8;
            continue;
        }
        out[k] = static_cast<uint8_t>(
            Nominal ? DecodeNominalByte<Template>(r, contexts, window2, window1, left)
                    : DecodeByte<Template, Nominal>(r, contexts, b, window2, window1, left, 8, 8 * k, out + k));
    }
    if (const uint32_t rest = d->width % 8) {
        window2 = ((window2 << 8) | above2[fullBytes + 1]) & 0xFFFFFF;
        window1 = ((window1 << 8) | above[fullBytes + 1]) & 0xFFFFFF;
        out[fullBytes] = static_cast<uint8_t>(DecodeByte<Template, Nominal>(r, contexts, b, window2, window1, left,
                                                                            rest, 8 * fullBytes, out + fullBytes));
    }
    r.StoreTo(d->mq);
}

typedef void (*LineDecoder)(JB2MQContextDecoder* d);
const LineDecoder kLineDecoders[2][4] = {
    {DecodeLineFromWindows<0, false>, DecodeLineFromWindows<1, false>, DecodeLineFromWindows<2, false>,
     DecodeLineFromWindows<3, false>},
    {DecodeLineFromWindows<0, true>, DecodeLineFromWindows<1, true>, DecodeLineFromWindows<2, true>,
     DecodeLineFromWindows<3, true>},
};

// The pixels one by one, skipping those the skip line marks.
void DecodeLineSkipping(JB2MQContextDecoder* d, const uint8_t* skip)
{
    JB2ContextBuffer* b = d->buffer;
    for (uint32_t x = 0; x < d->width; ++x) {
        if (skip && ((skip[x / 8] >> (7 - x % 8)) & 1))
            continue;
        if (MQ_Decoder_Decode_Bit(d->mq, JB2MQContexts::kGeneric + Context_Buffer_Context(b, x)))
            Context_Buffer_Set_Pixel(b, x);
    }
}

}  // namespace

JB2_Error MQ_Context_Decoder_Start(JB2MQContextDecoder** out, JB2Memory* memory, uint32_t width, uint32_t height,
                                   uint8_t gbTemplate, uint8_t nominal, const int8_t* atX, const int8_t* atY,
                                   const uint8_t* data, uint32_t length, JB2Message* message)
{
    if (!data)
        return cJB2_Error_Internal;
    return Start(out, memory, width, height, gbTemplate, nominal, atX, atY, nullptr, data, length, message);
}

JB2_Error MQ_Context_Decoder_Start_Shared(JB2MQContextDecoder** out, JB2Memory* memory, uint32_t width, uint32_t height,
                                          uint8_t gbTemplate, uint8_t nominal, const int8_t* atX, const int8_t* atY,
                                          JB2MQDecoder* shared, JB2Message* message)
{
    if (!shared)
        return cJB2_Error_Internal;
    return Start(out, memory, width, height, gbTemplate, nominal, atX, atY, shared, nullptr, 0, message);
}

JB2_Error MQ_Context_Decoder_Line(JB2MQContextDecoder* d, uint8_t* line, uint8_t tpgdon, const uint8_t* skip)
{
    if (!d || !line || d->linesDone >= d->height)
        return cJB2_Error_Internal;
    JB2ContextBuffer* b = d->buffer;
    Context_Buffer_Clear_Line(b);
    if (tpgdon)
        d->ltp ^= MQ_Decoder_Decode_Bit(d->mq, JB2MQContexts::kGeneric + Context_Buffer_TP_Context(b));
    // T.88 6.2.5.7: a typical line repeats the line above.
    if (tpgdon && d->ltp)
        Context_Buffer_Copy_Above(b);
    else if (skip || d->mq->contextCount < JB2MQContexts::kCount)
        DecodeLineSkipping(d, skip);
    else
        kLineDecoders[b->nominal ? 1 : 0][b->gbTemplate](d);
    return FinishLine(d, line);
}

JB2_Error MQ_Context_Decoder_Line_Current_AT(JB2MQContextDecoder* d, uint8_t* line, int32_t a1x)
{
    if (!d || !line || d->linesDone >= d->height)
        return cJB2_Error_Internal;
    JB2ContextBuffer* b = d->buffer;
    Context_Buffer_Clear_Line(b);
    for (uint32_t x = 0; x < d->width; ++x)
        if (MQ_Decoder_Decode_Bit(d->mq, JB2MQContexts::kGeneric + Context_Buffer_Context_Current_AT(b, x, a1x)))
            Context_Buffer_Set_Pixel(b, x);
    return FinishLine(d, line);
}

JB2_Error MQ_Context_Decoder_End(JB2MQContextDecoder** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2MQContextDecoder* d = *holder;
    JB2_Error status = cJB2_Error_OK;
    if (d->mq)
        status = MQ_Decoder_End(&d->mq, memory);
    if (d->buffer)
        Context_Buffer_End(&d->buffer, memory);
    *holder = nullptr;
    JB2MemoryFree(memory, &d);
    return status;
}

}  // namespace ZAV
