#include "jbig2codec/generic/JB2MQContextEncoder.h"

#include "jbig2codec/mq/JB2MQContexts.h"

namespace ZAV {

namespace {

JB2_Error Start(JB2MQContextEncoder** out, JB2Memory* memory, uint32_t width, uint32_t height, uint8_t gbTemplate,
                uint8_t nominal, const int8_t* atX, const int8_t* atY, uint8_t tpgdon, JB2MQEncoder* shared,
                uint32_t offset, JB2WriteData* output, JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = nullptr;
    JB2ContextBuffer* buffer = nullptr;
    JB2_Error status = Context_Buffer_Create(&buffer, memory, width, height, gbTemplate, nominal, atX, atY, message);
    if (status != cJB2_Error_OK)
        return status;
    auto* e = JB2MemoryNew<JB2MQContextEncoder>(memory);
    if (!e) {
        Context_Buffer_End(&buffer, memory);
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate MQ context encoder object!");
    }
    e->buffer = buffer;
    e->width = width;
    e->height = height;
    e->tpgdon = tpgdon ? 1 : 0;
    if (shared) {
        MQ_Encoder_Share(shared);
        e->mq = shared;
    } else {
        status = MQ_Encoder_Start(&e->mq, memory, JB2MQContexts::kCount, offset, output, message);
        if (status != cJB2_Error_OK) {
            MQ_Context_Encoder_End(&e, memory);
            return status;
        }
    }
    *out = e;
    return cJB2_Error_OK;
}

// Where the nominal template of each template number takes its pixels
// (T.88 6.2.5.3, Figures 3 to 6): from line y - 2, line y - 1 and line y,
// the first column relative to x, the number of pixels and the place of
// the first one's bit in the context (line y's pixels take the low bits).
struct TemplateLines {
    int8_t first2;
    uint8_t count2, place2;
    int8_t first1;
    uint8_t count1, place1;
    uint8_t count0;
};
constexpr TemplateLines kTemplateLines[4] = {
    {-2, 5, 11, -3, 7, 4, 4},
    {-1, 4, 9, -2, 6, 3, 3},
    {-1, 3, 7, -2, 5, 2, 2},
    {0, 0, 0, -3, 6, 4, 4},
};

// Pixel x of a context buffer line (at its first margin byte); the
// margins read as 0.
inline uint32_t At(const uint8_t* line, int64_t x)
{
    const uint64_t position = uint64_t(x + 8 * int64_t(kJB2ContextMarginBytes));
    return (line[position / 8] >> (7 - position % 8)) & 1;
}

// Pixels x to x + 23 of a line, pixel x in bit 23.
inline uint32_t Window24(const uint8_t* line, int64_t x)
{
    const uint64_t position = uint64_t(x + 8 * int64_t(kJB2ContextMarginBytes));
    const uint8_t* p = line + position / 8;
    const uint32_t bytes = (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
    return (bytes << (position % 8)) >> 8;
}

// The first n pixels from x, the first in the top bit.
inline uint32_t Window(const uint8_t* line, int64_t x, uint32_t n)
{
    uint32_t bits = 0;
    for (uint32_t i = 0; i < n; ++i)
        bits = (bits << 1) | At(line, x + i);
    return bits;
}

// The pixels of a line with the nominal template: each line's window of
// the template slides one pixel to the right per pixel, which gives the
// same contexts as cutting them anew for every pixel. The pixels entering
// the windows are read eight at a time. Eight white pixels whose windows
// are white and stay white all code 0 in context 0: such bytes, common on
// a page, are gathered and coded as one run.
void EncodeNominal(JB2MQContextEncoder* e)
{
    const JB2ContextBuffer* b = e->buffer;
    const TemplateLines& t = kTemplateLines[b->gbTemplate & 3];
    const uint32_t mask2 = (1u << t.count2) - 1, mask1 = (1u << t.count1) - 1, mask0 = (1u << t.count0) - 1;
    uint32_t w2 = Window(b->above2, t.first2, t.count2);
    uint32_t w1 = Window(b->above, t.first1, t.count1);
    uint32_t w0 = 0;
    uint64_t white = 0;  // pixels of context 0 and value 0 not yet coded
    const int64_t next2 = t.first2 + t.count2, next1 = t.first1 + t.count1;
    const uint8_t* current = b->current + kJB2ContextMarginBytes;
    for (uint32_t base = 0; base < e->width; base += 8) {
        const uint32_t in2 = Window24(b->above2, base + next2), in1 = Window24(b->above, base + next1);
        const uint32_t pixels = current[base / 8];
        const uint32_t n = e->width - base < 8 ? e->width - base : 8;
        if (n == 8 && (pixels | w2 | w1 | w0 | (t.count2 ? in2 >> 16 : 0) | (in1 >> 16)) == 0) {
            white += 8;
            continue;
        }
        if (white) {
            MQ_Encoder_Encode_Run(e->mq, JB2MQContexts::kGeneric, 0, white);
            white = 0;
        }
        for (uint32_t j = 0; j < n; ++j) {
            const uint32_t pixel = (pixels >> (7 - j)) & 1;
            MQ_Encoder_Encode_Bit_Inline(e->mq, JB2MQContexts::kGeneric + ((w2 << t.place2) | (w1 << t.place1) | w0),
                                         uint8_t(pixel));
            w2 = ((w2 << 1) | ((in2 >> (23 - j)) & 1)) & mask2;
            w1 = ((w1 << 1) | ((in1 >> (23 - j)) & 1)) & mask1;
            w0 = ((w0 << 1) | pixel) & mask0;
        }
    }
    if (white)
        MQ_Encoder_Encode_Run(e->mq, JB2MQContexts::kGeneric, 0, white);
}

}  // namespace

JB2_Error MQ_Context_Encoder_Start(JB2MQContextEncoder** out, JB2Memory* memory, uint32_t width, uint32_t height,
                                   uint8_t gbTemplate, uint32_t offset, JB2WriteData* output, JB2Message* message)
{
    if (!output)
        return cJB2_Error_Internal;
    return Start(out, memory, width, height, gbTemplate, 1, nullptr, nullptr, 0, nullptr, offset, output, message);
}

JB2_Error MQ_Context_Encoder_Start_Shared(JB2MQContextEncoder** out, JB2Memory* memory, uint32_t width, uint32_t height,
                                          uint8_t gbTemplate, JB2MQEncoder* shared, JB2Message* message)
{
    if (!shared)
        return cJB2_Error_Internal;
    return Start(out, memory, width, height, gbTemplate, 1, nullptr, nullptr, 0, shared, 0, nullptr, message);
}

JB2_Error MQ_Context_Encoder_Start_Adaptive(JB2MQContextEncoder** out, JB2Memory* memory, uint32_t width,
                                            uint32_t height, uint8_t gbTemplate, const int8_t* atX, const int8_t* atY,
                                            uint8_t tpgdon, uint32_t offset, JB2WriteData* output, JB2Message* message)
{
    if (!output || !atX || !atY)
        return cJB2_Error_Internal;
    return Start(out, memory, width, height, gbTemplate, 0, atX, atY, tpgdon, nullptr, offset, output, message);
}

JB2_Error MQ_Context_Encoder_Line(JB2MQContextEncoder* e, const uint8_t* line)
{
    if (!e || !line || e->linesDone >= e->height)
        return cJB2_Error_Internal;
    JB2ContextBuffer* b = e->buffer;
    Context_Buffer_Put_Line(b, line);
    bool predicted = false;
    if (e->tpgdon) {
        const uint8_t typical = Context_Buffer_Line_Repeats(b) ? 1 : 0;
        MQ_Encoder_Encode_Bit(e->mq, JB2MQContexts::kGeneric + Context_Buffer_TP_Context(b), typical ^ e->ltp);
        e->ltp = typical;
        predicted = typical != 0;
    }
    if (!predicted && b->nominal) {
        EncodeNominal(e);
    } else if (!predicted) {
        const uint8_t* pixels = b->current + kJB2ContextMarginBytes;
        for (uint32_t x = 0; x < e->width; ++x)
            MQ_Encoder_Encode_Bit(e->mq, JB2MQContexts::kGeneric + Context_Buffer_Context(b, x),
                                  (pixels[x / 8] >> (7 - x % 8)) & 1);
    }
    ++e->linesDone;
    return e->linesDone < e->height ? Context_Buffer_Next_Line(b) : cJB2_Error_OK;
}

JB2_Error MQ_Context_Encoder_End(JB2MQContextEncoder** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2MQContextEncoder* e = *holder;
    JB2_Error status = cJB2_Error_OK;
    if (e->mq)
        status = MQ_Encoder_End(&e->mq, memory);
    if (e->buffer)
        Context_Buffer_End(&e->buffer, memory);
    *holder = nullptr;
    JB2MemoryFree(memory, &e);
    return status;
}

}  // namespace ZAV
