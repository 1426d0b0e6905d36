// CImageMover: lays a layer onto an image moved by the vector of an angle
// (degrees) and a length.
#pragma once

#include "image/shadow/ShadowImage.h"

namespace ZAV {

class CImageMover {
public:
    virtual ~CImageMover() = default;
    // The blend overlay at (-x, y) of the vector, each rounded, opacity 100
    // and the fast flag.
    void Move(IShadowImage& image, IShadowImage& layer, double angle, double distance);
};

}  // namespace ZAV
