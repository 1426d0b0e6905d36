// The Shadow facet: the settings of a shadow, glow or contour effect of the
// object's picture and a mask picture, the effect object built from them
// when a setting changed, and its pictures.
#pragma once

#include <memory>

#include "interfaces/imageedit/facets/shadow/ImageEditShadowInterface.h"

namespace ZAV {

class CImageShadow;
class CZAVImageEdit;

class CZAVImageEditShadow : public IZAVImageEditShadowCpp {
public:
    explicit CZAVImageEditShadow(CZAVImageEdit* owner);
    ~CZAVImageEditShadow();
    CZAVImageEditShadow(const CZAVImageEditShadow&) = delete;
    CZAVImageEditShadow& operator=(const CZAVImageEditShadow&) = delete;

    void ResetShadow() override;
    CZAVPtr<IZAVImageEditSp> GetShadowMask() override;
    void SetShadowMask(IZAVImageEditSp* mask) override;
    int32_t GetShadowValue1() override { return m_value1; }
    void SetShadowValue1(int32_t value) override { Store(m_value1, value); }
    int32_t GetShadowColor() override { return m_color; }
    void SetShadowColor(int32_t color) override { Store(m_color, color); }
    int32_t GetCompositeOrder() override { return m_compositeOrder; }
    void SetCompositeOrder(int32_t order) override { Store(m_compositeOrder, order); }
    int32_t GetShadowAngle() override { return m_angle; }
    void SetShadowAngle(int32_t angle) override { Store(m_angle, angle); }
    int32_t GetShadowDistance() override { return m_distance; }
    void SetShadowDistance(int32_t distance) override { Store(m_distance, distance); }
    int32_t GetShadowValue4() override { return m_value4; }
    void SetShadowValue4(int32_t value) override { Store(m_value4, value); }
    int32_t GetEffectSize() override { return m_effectSize; }
    void SetEffectSize(int32_t size) override { Store(m_effectSize, size); }
    int32_t GetContourShape() override { return m_contourShape; }
    void SetContourShape(int32_t shape) override { Store(m_contourShape, shape); }
    int32_t GetShadowValue6() override { return m_value6; }
    void SetShadowValue6(int32_t value) override { Store(m_value6, value); }

    CZAVPtr<IZAVImageEditSp> GetEffectObjectImage() override;
    CZAVPtr<IZAVImageEditSp> GetEffectMaskImage() override;
    CZAVPtr<IZAVImageEditSp> GetEffectImage() override;
    CZAVPtr<IZAVImageEditSp> GetEffectOverlayImage() override;
    CZAVPtr<IZAVImageEditSp> GetEffectDoubleOverlayImage() override;
    CZAVPtr<IZAVImageEditSp> GetCompositeImage() override;

    // The name of the contour a shape value gives ("cone", "invcone",
    // "saw", "line").
    static const char* ContourName(int32_t shape);

private:
    // Every setter drops the effect, even with the value it had.
    void Store(int32_t& field, int32_t value);
    // The effect object for the current settings, built when there is none.
    CImageShadow& PreparedEffect();
    void RebuildEffect();

    CZAVPtr<IZAVImageEditSp> m_mask;
    int32_t m_value1 = 0;
    int32_t m_color = 0xFFFFFF;
    int32_t m_compositeOrder = 1;
    int32_t m_angle = 0;
    int32_t m_distance = 0;
    int32_t m_value4 = 0;
    int32_t m_effectSize = 10;
    int32_t m_contourShape = zavContourLine;
    int32_t m_value6 = 0;
    // Built from the settings above on the first picture after a change.
    std::unique_ptr<CImageShadow> m_effect;
    CZAVImageEdit* m_owner;
};

}  // namespace ZAV
