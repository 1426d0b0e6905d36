// What the PDF image-stream fuzz target does with one input, shared with the
// test that replays every input kept under tests/data/fuzz/. A six-byte head
// chooses the decoding routine, a small width and height, the depth, K and
// the predictor; the rest is the stream. Each input must decode or end in a
// CTextException: never a crash, a hang or a leak.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/text/TextException.h"
#include "formats/pdf/PDFEncoder.h"
#include "image/object/ZAVImg.h"

namespace ZAVFuzz {

inline void DecodePdfStream(const uint8_t* data, size_t size)
{
    constexpr size_t kHead = 6;
    // Small pictures keep each run short; sizes are the decoders' own
    // concern and are tested apart.
    constexpr int kMaxSide = 64;
    if (size < kHead)
        return;
    const int routine = data[0] % 6;
    const int width = 1 + data[1] % kMaxSide;
    const int height = 1 + data[2] % kMaxSide;
    const int depths[] = {1, 8, 24};
    const int depth = depths[data[3] % 3];
    const int32_t k = static_cast<int8_t>(data[4]) % 3;
    const int32_t predictor = 9 + data[5] % 8;  // 9 and 16 are refused
    ZAV::CPDFEncoder::ByteArray input(data + kHead, static_cast<int32_t>(size - kHead));
    ZAV::CPDFEncoder::ByteArray output;
    ZAV::CZAVImg image;
    ZAV::CPDFEncoder encoder(&image);
    try {
        switch (routine) {
        case 0:
            encoder.DecodeCcittToMemory(width, height, 1, k, input, output);
            break;
        case 1:
            encoder.DecodeLzwToMemory(width, height, depth, input, output);
            break;
        case 2:
            encoder.DecodeDeflateToMemory(width, height, depth, input, output);
            break;
        case 3:
            encoder.DecodeFlatePngToMemory(width, height, depth, predictor, input, output);
            break;
        case 4:
            encoder.DecodeJpegFromMemory(input, output);
            break;
        default:
            encoder.DecodeTiffCodedToMemory(width, height, depth, 1 + data[4] % 8, input, output);
            break;
        }
    } catch (const CTextException&) {
    }
}

}  // namespace ZAVFuzz
