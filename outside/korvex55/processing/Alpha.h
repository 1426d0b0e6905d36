// Alpha work. Samples are weighed as sample x alpha / 255, rounded to nearest.
#pragma once

#include <cstdint>

#include "outside/korvex55/processing/PixelView.h"

namespace KORVEX55 {

// 32 bits: R, G and B weighed by the pixel's own alpha.
void PremultiplyByOwnAlpha(const PixelView& picture);
// Every colour sample weighed by alpha; at 32 bits the alpha becomes alpha.
void PremultiplyByConstant(const PixelView& picture, uint8_t alpha);
// 32 bits: the alpha samples become the value, or the mask's samples.
void SetAlpha(const PixelView& picture, uint8_t alpha);
void SetAlphaFrom(const PixelView& picture, const PixelView& alpha);

// Porter-Duff operators of the overlay calls: how much of the first (A) and
// of the second (B) reach the result, by the alphas a and b.
enum Composite : int32_t {
    kCompositeOver = 0,  // A + B (1 - a)
    kCompositeIn = 1,    // A b
    kCompositeOut = 2,   // A (1 - b)
    kCompositeAtop = 3,  // A b + B (1 - a)
    kCompositeXor = 4,   // A (1 - b) + B (1 - a)
    kCompositePlus = 5,  // A + B, at most 1
};
constexpr int32_t kCompositeCount = 6;

// Where an operand's alpha comes from: its own alpha samples (opaque without
// them), or one constant for every pixel.
struct Layer {
    PixelView picture;
    int32_t constantAlpha = -1;
};

// first op second into the destination, all of one size. Operands of one
// byte are grey (R = G = B); a one-byte destination takes the result's grey,
// a 32-bit destination also the result's alpha. Colours are stored
// un-premultiplied (0 where the result is fully transparent).
void CompositePictures(const Layer& first, const Layer& second, int32_t op, const PixelView& destination);

}  // namespace KORVEX55
