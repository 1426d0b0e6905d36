// Row walks for operations that treat every sample byte alike: f gets the
// row's first byte and its count of sample bytes (padding left out).
#pragma once

#include <cstdint>

#include "outside/korvex55/core/ImageView.h"

namespace KORVEX55 {

template <typename RowWork>
void ForEachRow(const ImageView& image, RowWork&& work)
{
    const int64_t count = SampleBytesPerLine(image);
    for (int32_t y = 0; y < image.height; ++y)
        work(image.Row(y), count);
}

// Two images of one shape, row by row: work(imageRow, otherRow, count).
template <typename RowWork>
void ForEachRowPair(const ImageView& image, const ImageView& other, RowWork&& work)
{
    const int64_t count = SampleBytesPerLine(image);
    for (int32_t y = 0; y < image.height; ++y)
        work(image.Row(y), other.Row(y), count);
}

// Three images of one shape: work(imageRow, firstRow, secondRow, count).
template <typename RowWork>
void ForEachRowTriple(const ImageView& image, const ImageView& first, const ImageView& second, RowWork&& work)
{
    const int64_t count = SampleBytesPerLine(image);
    for (int32_t y = 0; y < image.height; ++y)
        work(image.Row(y), first.Row(y), second.Row(y), count);
}

inline uint8_t SaturateByte(int64_t value)
{
    return static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
}

}  // namespace KORVEX55
