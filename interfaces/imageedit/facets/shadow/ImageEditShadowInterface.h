// Shadow, glow and contour effects of the object's picture: their settings
// and the pictures of the effect.
#pragma once

#include <cstdint>

#include "foundation/objects/ZAVPtr.h"

namespace ZAV {

class IZAVImageEditSp;

// Contour shapes; any other value is the linear ramp.
enum ZAVContourShape : int32_t {
    zavContourLine = 1,
    zavContourCone = 2,
    zavContourInvertedCone = 3,
    zavContourSawtooth = 4,
};

class IZAVImageEditShadowCpp {
public:
    // Drops the effect object; the next picture builds it again.
    virtual void ResetShadow() = 0;
    // A new reference; empty when no mask is set.
    virtual CZAVPtr<IZAVImageEditSp> GetShadowMask() = 0;
    // An image-edit object of the picture's size; the facet holds a
    // reference.
    virtual void SetShadowMask(IZAVImageEditSp* mask) = 0;
    // Noise of the effect, in percent.
    virtual int32_t GetShadowValue1() = 0;
    virtual void SetShadowValue1(int32_t value) = 0;
    // The composite's background.
    virtual int32_t GetShadowColor() = 0;
    virtual void SetShadowColor(int32_t color) = 0;
    // 1: the object over the effect; 0: the effect over the object.
    virtual int32_t GetCompositeOrder() = 0;
    virtual void SetCompositeOrder(int32_t order) = 0;
    // Degrees.
    virtual int32_t GetShadowAngle() = 0;
    virtual void SetShadowAngle(int32_t angle) = 0;
    // Pixels.
    virtual int32_t GetShadowDistance() = 0;
    virtual void SetShadowDistance(int32_t distance) = 0;
    virtual int32_t GetShadowValue4() = 0;
    virtual void SetShadowValue4(int32_t value) = 0;
    // Pixels; the contour is taken only for sizes 1 to 254.
    virtual int32_t GetEffectSize() = 0;
    virtual void SetEffectSize(int32_t size) = 0;
    // A ZAVContourShape.
    virtual int32_t GetContourShape() = 0;
    virtual void SetContourShape(int32_t shape) = 0;
    virtual int32_t GetShadowValue6() = 0;
    virtual void SetShadowValue6(int32_t value) = 0;

    // The effect's pictures, each a new reference; "There is no mask
    // available!" without a mask that has an image. The effect is filtered
    // once per build in the KORVEX55 library, whose lack or failure fails
    // the picture with its text.
    virtual CZAVPtr<IZAVImageEditSp> GetEffectObjectImage() = 0;
    virtual CZAVPtr<IZAVImageEditSp> GetEffectMaskImage() = 0;
    virtual CZAVPtr<IZAVImageEditSp> GetEffectImage() = 0;
    virtual CZAVPtr<IZAVImageEditSp> GetEffectOverlayImage() = 0;
    virtual CZAVPtr<IZAVImageEditSp> GetEffectDoubleOverlayImage() = 0;
    virtual CZAVPtr<IZAVImageEditSp> GetCompositeImage() = 0;

protected:
    ~IZAVImageEditShadowCpp() = default;
};

}  // namespace ZAV
