// Already-coded image data given a file around it in memory, so the
// image's own TIFF or PNG decoder can load it: the bytes become strip 0 of
// a TIFF, or the IDAT data of a PNG, whose header comes from the image.
#pragma once

#include <cstdint>
#include <vector>

namespace ZAV {

class CZAVImg;

std::vector<uint8_t> WrapAsTiffStrip(CZAVImg& image, const uint8_t* data, int32_t size);
// The predictor (10 to 15) chooses the PNG filter set the data uses.
std::vector<uint8_t> WrapAsPngIdat(CZAVImg& image, const uint8_t* data, int32_t size, int32_t predictor);

}  // namespace ZAV
