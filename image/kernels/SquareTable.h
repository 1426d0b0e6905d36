// The table of squares the nearest-colour searches index by a signed channel
// difference (-255..255).
#pragma once

#include "image/core/ImageLimits.h"

namespace ZAV {

class CSquareTable {
public:
    CSquareTable()
    {
        for (int d = -kMaxChannelDifference; d <= kMaxChannelDifference; ++d)
            m_squares[d + kMaxChannelDifference] = d * d;
    }
    // Points at the square of 0, so [-255] .. [255] are valid.
    const int* Centre() const { return m_squares + kMaxChannelDifference; }

private:
    int m_squares[2 * kMaxChannelDifference + 1];
};

}  // namespace ZAV
