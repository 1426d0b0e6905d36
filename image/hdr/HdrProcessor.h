// What the reduction of 16-bit samples asks of the advanced
// image-processing object: attach pixels in place, the logic facet's Scale
// and the colour-conversion facet's HDRScaleDown. The library interface
// layer installs a factory over its advanced object; until it does, the
// reduction fails with the initialisation text. Failures are thrown as
// CTextException.
#pragma once

#include <cstdint>
#include <memory>

namespace ZAV {

class IHdrProcessor {
public:
    virtual ~IHdrProcessor() = default;
    // Works on the caller's pixels without taking them over.
    virtual void AttachNoFree(void* pixels, int64_t size, int width, int height, int bitsPerPixel) = 0;
    // Shifts every sample up by the channels' bit counts (logic facet).
    virtual void Scale(int red, int green, int blue, int flag) = 0;
    // Converts the source's 16-bit samples into this object's 8-bit pixels
    // (colour-conversion facet).
    virtual void HDRScaleDown(IHdrProcessor& source) = 0;
};

using HdrProcessorFactory = std::unique_ptr<IHdrProcessor> (*)();

// Null restores the state without a factory.
void SetHdrProcessorFactory(HdrProcessorFactory factory);
HdrProcessorFactory GetHdrProcessorFactory();

}  // namespace ZAV
