// CFeature: what the feature pass gathers about one labelled region.
#pragma once

#include <cstdint>

#include "foundation/containers/Hash.h"
#include "foundation/geometry/Geometry.h"

namespace ZAV {

class CFeature {
public:
    int32_t label = 0;  // as in the label map: first-pass number, or -n for a merged group
    int32_t value = 0;  // the region's pixel value (three bytes red, green, blue low first for 24 bits)
    int32_t pixelCount = 0;
    int32_t edgePixelCount = 0;  // pixels with a neighbour of another label
    int32_t spareCount = 0;
    // Pixel coordinates with y downwards; once handed out by
    // GetFeatureArray, left <= right and top <= bottom.
    CBoundingBox box;
};

// Label -> owned feature; the owner deletes the features.
class TFeatureHash : public THash<int32_t, CFeature*> {
public:
    static constexpr uint32_t kInitialBuckets = 30000;
    TFeatureHash() : THash(1, kInitialBuckets) {}
    uint32_t GetHashValue(const int32_t& key) const override { return DefaultHashValue(key); }
    CFeature* CreateDefaultValue() const override { return nullptr; }
};

}  // namespace ZAV
