#include "formats/pdf/PDFTiffPredictor.h"

#include <cstddef>

#include "formats/pdf/PDFCodes.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

bool UsesHorizontalPredictor(const CZAVImg& image)
{
    const int depth = image.GetBitsPerPixel();
    return (depth == 8 || depth == 24) && image.m_tiffOptionA == kTiffPredictorHorizontal;
}

void ApplyHorizontalPredictor(uint8_t* pixels, int width, int height, int samplesPerPixel)
{
    const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(samplesPerPixel);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = pixels + static_cast<size_t>(y) * rowBytes;
        for (size_t i = rowBytes; i-- > static_cast<size_t>(samplesPerPixel);)
            row[i] = static_cast<uint8_t>(row[i] - row[i - static_cast<size_t>(samplesPerPixel)]);
    }
}

void UndoHorizontalPredictor(uint8_t* pixels, int width, int height, int samplesPerPixel)
{
    const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(samplesPerPixel);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = pixels + static_cast<size_t>(y) * rowBytes;
        for (size_t i = static_cast<size_t>(samplesPerPixel); i < rowBytes; ++i)
            row[i] = static_cast<uint8_t>(row[i] + row[i - static_cast<size_t>(samplesPerPixel)]);
    }
}

}  // namespace ZAV
