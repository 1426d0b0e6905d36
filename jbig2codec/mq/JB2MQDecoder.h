// Adaptive arithmetic decoder of JBIG2 (the MQ coder) with the integer and
// symbol-identifier procedures built on it. Reads the caller's bytes in
// place: they must outlive the decoder.
#pragma once

#include <cstdint>

#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"
#include "jbig2codec/support/JB2Status.h"
#include "jbig2codec/io/JB2Write.h"
#include "jbig2codec/mq/JB2MQStates.h"

namespace ZAV {

// A state entry as the decoder holds it: the two successors are entry
// numbers, so that a context is one byte naming its entry. A template-0
// region's 65,536 contexts then take 64 KB instead of 512 KB of pointers and
// stay in the first cache levels; every context starts at entry 0 (row 0,
// MPS 0), which the zero-filled array already is.
struct JB2MQDecoderState {
    uint32_t qeShifted;  // Qe << 16: A and C are held MSB-aligned
    uint8_t mps;
    uint8_t nextMps;
    uint8_t nextLps;  // with the MPS sense switched where the row says so
};

struct JB2MQDecoder {
    uint32_t a;   // interval, held in the upper 16 bits
    uint32_t c;   // code register
    uint32_t ct;  // bits left before the next byte is read
    const uint8_t* data;
    uint32_t length;
    uint32_t position;  // index of the byte the standard calls B
    JB2MQDecoderState* states;
    uint8_t* contexts;  // the entry number of each context
    uint32_t contextCount;
    uint32_t shares;
};

// The decoder's registers copied into locals for a run of decisions, so that
// a hot loop keeps them in machine registers; stored back at the run's end.
struct JB2MQLocal {
    uint32_t a;
    uint32_t c;
    uint32_t ct;
    uint32_t position;
    const uint8_t* data;
    uint32_t length;
    const JB2MQDecoderState* states;

    explicit JB2MQLocal(const JB2MQDecoder* d)
        : a(d->a), c(d->c), ct(d->ct), position(d->position), data(d->data), length(d->length), states(d->states)
    {
    }

    void StoreTo(JB2MQDecoder* d) const
    {
        d->a = a;
        d->c = c;
        d->ct = ct;
        d->position = position;
    }

    // Past the end of the data the decoder sees 0xFF bytes, which it reads
    // as a marker: it then feeds 1-bits without moving, so it never reads further.
    uint8_t ByteAt(uint32_t index) const { return index < length ? data[index] : 0xFF; }

    // BYTEIN, T.88 E.3.4.
    void ByteIn()
    {
        const uint8_t current = ByteAt(position);
        if (current != 0xFF) {
            ++position;
            c += uint32_t(ByteAt(position)) << 8;
            ct = 8;
            return;
        }
        const uint8_t next = ByteAt(position + 1);
        if (next > 0x8F) {
            c += 0xFF00;
            ct = 8;
        } else {
            ++position;
            c += uint32_t(next) << 9;
            ct = 7;
        }
    }

    // DECODE with the conditional exchanges and RENORMD, T.88 E.3.2; A and
    // C are held in the upper half, so one compare replaces the Chigh one.
    // Always inlined: the line decoders call it once a pixel.
    __attribute__((always_inline)) uint8_t Decode(uint8_t& cx)
    {
        const JB2MQDecoderState* state = states + cx;
        const uint32_t qe = state->qeShifted;
        uint8_t bit;
        a -= qe;
        if (c < qe) {
            const bool mps = a < qe;  // LPS_EXCHANGE
            bit = mps ? state->mps : uint8_t(1 - state->mps);
            cx = mps ? state->nextMps : state->nextLps;
            a = qe;
        } else {
            c -= qe;
            if (a & 0x80000000u)
                return state->mps;
            const bool lps = a < qe;  // MPS_EXCHANGE
            bit = lps ? uint8_t(1 - state->mps) : state->mps;
            cx = lps ? state->nextLps : state->nextMps;
        }
        Renormalise();
        return bit;
    }

    // `count` decisions of the context whose entry is `cx` as one step, when
    // each of them would give the MPS and none would renormalise: A and C
    // then only lose Qe per decision and the entry stays. False, with
    // nothing changed, when some decision would take another path.
    bool SkipMps(uint8_t cx, uint32_t count)
    {
        const uint64_t span = uint64_t(states[cx].qeShifted) * count;
        if (c < span || a < 0x80000000u + span)
            return false;
        a -= uint32_t(span);
        c -= uint32_t(span);
        return true;
    }

    // RENORMD, T.88 E.3.3: the shifts up to the next byte in one step.
    void Renormalise()
    {
        do {
            if (ct == 0)
                ByteIn();
            const uint32_t wanted = static_cast<uint32_t>(__builtin_clz(a));
            const uint32_t shift = wanted < ct ? wanted : ct;
            a <<= shift;
            c <<= shift;
            ct -= shift;
        } while ((a & 0x80000000u) == 0);
    }
};

JB2_Error MQ_Decoder_Start(JB2MQDecoder** out, JB2Memory* memory, uint32_t contextCount, const uint8_t* data,
                           uint32_t length, JB2Message* message);
void MQ_Decoder_Share(JB2MQDecoder* decoder);
uint8_t MQ_Decoder_Decode_Bit(JB2MQDecoder* decoder, uint32_t context);
// Gives the sign S and the magnitude V; S = 1 with V = 0 is out-of-band.
JB2_Error MQ_Decoder_Decode_Integer(JB2MQDecoder* decoder, uint32_t base, uint8_t* sign, uint32_t* magnitude);
JB2_Error MQ_Decoder_Decode_IAID(JB2MQDecoder* decoder, uint32_t* value, uint32_t codeLength);
// Starts decoding again at another byte of the same data; contexts keep their states.
JB2_Error MQ_Decoder_Restart(JB2MQDecoder* decoder, uint32_t position);
JB2_Error MQ_Decoder_End(JB2MQDecoder** decoder, JB2Memory* memory);

}  // namespace ZAV
