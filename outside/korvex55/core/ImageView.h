// An image as the operations see it: rows top-down, bytesPerLine apart (the
// unpadded row unless attached with KORV_AttachNoFreeEx). Depths: 1 (MSB
// first), 8 and 9 (one byte, 9 marks grey), 16 (one 16-bit sample, low byte
// first), 24 (R, G, B), 32 (R, G, B, A), 48 (R, G, B as 16-bit samples).
#pragma once

#include <cstdint>
#include <string>

namespace KORVEX55 {

struct ImageView {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    int32_t bytesPerLine = 0;
    uint8_t* pixels = nullptr;

    bool Empty() const { return pixels == nullptr; }
    uint8_t* Row(int32_t y) const { return pixels + static_cast<int64_t>(y) * bytesPerLine; }
    // Bytes from the first pixel to the end of the last row.
    int64_t SizeInBytes() const { return static_cast<int64_t>(bytesPerLine) * height; }
};

bool IsKnownDepth(int32_t bitsPerPixel);
// 8 and 9 share one layout; every other depth is its own.
bool SameLayout(int32_t firstBitsPerPixel, int32_t secondBitsPerPixel);
// Samples per pixel: 1 for 1, 8, 9 and 16 bits, 3 for 24 and 48, 4 for 32.
int32_t ChannelCount(int32_t bitsPerPixel);
// Bytes one row of pixels needs without padding, in 64 bits.
int64_t UnpaddedBytesPerLine(int32_t width, int32_t bitsPerPixel);
// Bytes of samples in one row: the unpadded row without the unused bits.
int64_t SampleBytesPerLine(const ImageView& image);

// "W x H pixels at B bits per pixel", for texts naming an image.
std::string Describe(const ImageView& image);

}  // namespace KORVEX55
