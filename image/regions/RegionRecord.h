// One region found by CZAVImg::LabelConnectedComponents: the values of its
// feature record and its bounding box in pixel coordinates (y downwards,
// left <= right, top <= bottom).
#pragma once

#include <cstdint>
#include <vector>

namespace ZAV {

struct CRegionRecord {
    int32_t label = 0;
    int32_t value = 0;
    int32_t pixelCount = 0;
    int32_t edgePixelCount = 0;
    int32_t spareCount = 0;
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

using CRegionList = std::vector<CRegionRecord>;

}  // namespace ZAV
