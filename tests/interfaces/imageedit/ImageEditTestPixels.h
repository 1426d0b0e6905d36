// Pixel helpers the image-edit object's tests share.
#pragma once

#include <cstdlib>
#include <vector>

#include "interfaces/imageedit/ZAVImageEditInterfaces.h"

namespace ZAVTest {

inline std::vector<unsigned char> PixelsOf(ZAV::IZAVImageEditSp& edit)
{
    const auto* pixels = static_cast<const unsigned char*>(edit.GetImageData());
    return std::vector<unsigned char>(pixels, pixels + edit.GetImageSize());
}

inline std::vector<unsigned char> Bytes(ZAV::IZAVArrayByteSp& array)
{
    std::vector<unsigned char> bytes(static_cast<size_t>(array.GetSize()));
    for (int32_t i = 0; i < array.GetSize(); ++i)
        bytes[static_cast<size_t>(i)] = array.GetAt(i);
    return bytes;
}

// The mean absolute difference of two pixel blocks; 256 when their sizes
// differ or they are empty.
inline double MeanDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b)
{
    if (a.size() != b.size() || a.empty())
        return 256;
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i)
        sum += std::abs(int(a[i]) - int(b[i]));
    return sum / double(a.size());
}

}  // namespace ZAVTest
