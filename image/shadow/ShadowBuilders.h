// The working parts of a shadow effect: the mask creator prepares the mask
// from the caller's mask image, the effect builder shapes the effect from
// it. Each holds the image it made until it is destroyed.
#pragma once

#include "image/shadow/Contours.h"
#include "image/shadow/ShadowImage.h"

namespace ZAV {

// How the effect is shaped, chosen once:
// - the mask grows by one soften pass of kMaskGrowthStrength, so the effect
//   reaches a little past the object's edge;
// - the effect softens the grown mask by kSoftenStrength before its contour
//   is taken, which gives the contour a gradual edge to follow;
// - the contour effect is made only for sizes kMinimumContourSize to
//   kMaximumContourSize; other sizes keep the softened mask alone;
// - the advanced filter pass takes kAdvancedFilterValue.
constexpr int kMaskGrowthStrength = 100;
constexpr int kSoftenStrength = 50;
constexpr int kMinimumContourSize = 1;
constexpr int kMaximumContourSize = 254;
constexpr int kAdvancedFilterValue = 25;

class CMaskCreator {
public:
    // An 8-bit copy of the mask, grown.
    ShadowImagePtr Create(IShadowImage& mask);

private:
    ShadowImagePtr m_image;
};

class CShadowEffects {
public:
    // The 8-bit effect of the prepared mask, shaped by the contour, with
    // the noise step (percent) at the end.
    ShadowImagePtr Build(IShadowImage& preparedMask, const CBaseContour& contour, int effectSize, int noise);
    // Where the pseudo-random generator gives an odd number, a pixel v that
    // is not 0 becomes |v - t| with t = (next number mod 256) * noise / 100.
    static void AddNoise(IShadowImage& image, int noise);

private:
    ShadowImagePtr m_image;
};

}  // namespace ZAV
