// What the antialiased draw modes ask of one advanced image-processing
// object: work on pixels lent to it, resample another object's picture into
// its own, smooth another object's picture into its own, and one further
// step on its own picture. The library interface layer installs a factory
// over its advanced objects; until it does, the antialiased modes draw the
// initialisation error box. Failures are thrown as CTextException.
#pragma once

#include <cstdint>
#include <memory>

namespace ZAV {

class IAntialiasProcessor {
public:
    virtual ~IAntialiasProcessor() = default;
    // Works on the caller's pixels without taking them over.
    virtual void AttachNoFree(void* pixels, int64_t size, int width, int height, int bitsPerPixel) = 0;
    // The source's picture resampled by the method code into this object's
    // picture, which already has the destination size (transformation facet).
    virtual void Resample(IAntialiasProcessor& source, int width, int height, int method) = 0;
    // The source's picture smoothed into this object's (filter facet).
    virtual void Filter(IAntialiasProcessor& source) = 0;
    // The further step on this object's own picture (logic facet).
    virtual void Logic() = 0;
    // Forgets the lent pixels; never throws.
    virtual void Clear() = 0;
};

// A new processor, or null when the outside library cannot be had.
using AdvancedImgProcFactory = std::unique_ptr<IAntialiasProcessor> (*)();

}  // namespace ZAV
