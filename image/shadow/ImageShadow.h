// CImageShadow: the images and settings of one shadow or glow effect of an
// object image and its mask, rendered once on the first request.
#pragma once

#include "image/shadow/Contours.h"
#include "image/shadow/ImageMover.h"
#include "image/shadow/ShadowImage.h"
#include "image/shadow/ShadowBuilders.h"

namespace ZAV {

struct CShadowSettings {
    int angle = 0;                   // degrees, the direction the effect is moved in
    int distance = 0;                // pixels the effect is moved by
    int contourStrength = 0;         // kept for the Shadow facet
    int effectSize = 10;             // pixels of the contour effect
    int contourPercent = 0;          // kept for the Shadow facet
    int noise = 0;                   // percent
    COLORREF background = 0xFFFFFF;  // of the composite
};

class CImageShadow {
public:
    // Holds both images and makes the four work images; a mask of another
    // size than the object throws "Mask size differs from object size!"
    // before anything is made.
    CImageShadow(const ShadowImagePtr& object, const ShadowImagePtr& mask, const CShadowSettings& settings,
                 const CBaseContour& contour);
    virtual ~CImageShadow() = default;
    CImageShadow(const CImageShadow&) = delete;
    CImageShadow& operator=(const CImageShadow&) = delete;

    ShadowImagePtr GetObjectImage() const { return m_object; }
    ShadowImagePtr GetMaskImage() const { return m_mask; }
    // The effect alone, laid once at its offset, laid twice.
    ShadowImagePtr GetEffectImage();
    ShadowImagePtr GetEffectOverlayImage();
    ShadowImagePtr GetEffectDoubleOverlayImage();
    // The background, the effect, then the object over it; the reversed one
    // lays the object first and the effect over it.
    ShadowImagePtr GetCompositeImage();
    ShadowImagePtr GetCompositeImageReversed();

    // Prepares the mask, builds the effect and fills the work images, once.
    void Render();
    bool IsRendered() const { return m_rendered; }

private:
    enum class Composed { None, EffectFirst, ObjectFirst };

    void FillEffectImages(IShadowImage& effect);
    ShadowImagePtr Compose(Composed order);
    void LayEffect(IShadowImage& target);
    void LayObject(IShadowImage& target);

    int m_width;
    int m_height;
    CShadowSettings m_settings;
    CBaseContour m_contour;
    ShadowImagePtr m_object;
    ShadowImagePtr m_mask;
    ShadowImagePtr m_effect;
    ShadowImagePtr m_effectOverlay;
    ShadowImagePtr m_effectDoubleOverlay;
    ShadowImagePtr m_composite;
    CShadowEffects m_effects;
    CMaskCreator m_maskCreator;
    CImageMover m_mover;
    bool m_rendered = false;
    Composed m_composed = Composed::None;
};

}  // namespace ZAV
