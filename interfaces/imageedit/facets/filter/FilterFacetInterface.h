// The Filter facet's interface: neighbourhood filters of 8- and 24-bit
// images.
#pragma once

#include <cstdint>

#include "foundation/containers/ArraySimple.h"

namespace ZAV {

class IZAVImageEditFilterCpp {
public:
    // Strengths in percent.
    virtual void Sharpen(int32_t strength) = 0;
    virtual void Blur(int32_t strength) = 0;
    virtual void Median() = 0;
    virtual void Soften(int32_t strength) = 0;
    virtual void GaussianBlur() = 0;
    // A columns x rows convolution (both odd), row by row; each value is
    // divided by the divisor. The result is mixed with the source by the
    // strength, or added to or subtracted from it.
    virtual void ApplyUserMatrix(const CArraySimple<int32_t, 2>& values, int32_t columns, int32_t rows, int32_t divisor,
                                 int32_t strength, int32_t addToSource, int32_t subtractFromSource) = 0;

protected:
    ~IZAVImageEditFilterCpp() = default;
};

}  // namespace ZAV
