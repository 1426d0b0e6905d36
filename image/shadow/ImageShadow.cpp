#include "image/shadow/ImageShadow.h"

#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

constexpr int kColourDepth = 24;
constexpr double kFullOpacity = 100.0;
constexpr int kFast = 1;

COLORREF Gray(BYTE value)
{
    return static_cast<COLORREF>(value) * 0x010101u;
}

}  // namespace

CImageShadow::CImageShadow(const ShadowImagePtr& object, const ShadowImagePtr& mask, const CShadowSettings& settings,
                           const CBaseContour& contour)
    : m_width(object ? object->GetWidth() : 0), m_height(object ? object->GetHeight() : 0), m_settings(settings),
      m_contour(contour), m_object(object), m_mask(mask)
{
    if (!m_object || !m_mask)
        ThrowTextException("Invalid Parameter!");
    if (m_mask->GetWidth() != m_width || m_mask->GetHeight() != m_height)
        ThrowTextException("Mask size differs from object size!");
    m_effect = CreateShadowWorkImage();
    m_effectOverlay = CreateShadowWorkImage();
    m_effectDoubleOverlay = CreateShadowWorkImage();
    m_composite = CreateShadowWorkImage();
}

void CImageShadow::Render()
{
    if (m_rendered)
        return;
    ShadowImagePtr prepared = m_maskCreator.Create(*m_mask);
    ShadowImagePtr effect = m_effects.Build(*prepared, m_contour, m_settings.effectSize, m_settings.noise);
    FillEffectImages(*effect);
    m_rendered = true;
}

// The effect in colour, so that it lays onto the object's 24-bit pictures.
void CImageShadow::FillEffectImages(IShadowImage& effect)
{
    m_effect->Create(m_width, m_height, kColourDepth);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            m_effect->SetPixel24(x, y, Gray(effect.GetPixel8(x, y)));
    m_effectOverlay->Create(m_width, m_height, kColourDepth);
    m_mover.Move(*m_effectOverlay, *m_effect, m_settings.angle, m_settings.distance);
    m_effectDoubleOverlay->CopyFrom(*m_effectOverlay);
    m_mover.Move(*m_effectDoubleOverlay, *m_effect, m_settings.angle, m_settings.distance);
}

ShadowImagePtr CImageShadow::GetEffectImage()
{
    Render();
    return m_effect;
}

ShadowImagePtr CImageShadow::GetEffectOverlayImage()
{
    Render();
    return m_effectOverlay;
}

ShadowImagePtr CImageShadow::GetEffectDoubleOverlayImage()
{
    Render();
    return m_effectDoubleOverlay;
}

ShadowImagePtr CImageShadow::GetCompositeImage()
{
    return Compose(Composed::EffectFirst);
}

ShadowImagePtr CImageShadow::GetCompositeImageReversed()
{
    return Compose(Composed::ObjectFirst);
}

// Composed once per order; asking again for the same order hands out the
// same picture.
ShadowImagePtr CImageShadow::Compose(Composed order)
{
    Render();
    if (m_composed == order)
        return m_composite;
    m_composed = Composed::None;
    m_composite->Create(m_width, m_height, kColourDepth);
    m_composite->FillRectangle(0, 0, m_width, m_height, m_settings.background);
    if (order == Composed::EffectFirst) {
        LayEffect(*m_composite);
        LayObject(*m_composite);
    } else {
        LayObject(*m_composite);
        LayEffect(*m_composite);
    }
    m_composed = order;
    return m_composite;
}

// Both overlays already carry the effect's offset, so they lie at (0, 0).
void CImageShadow::LayEffect(IShadowImage& target)
{
    target.OverlayBlended(*m_effectOverlay, 0, 0, kFullOpacity, kFast);
    target.OverlayBlended(*m_effectDoubleOverlay, 0, 0, kFullOpacity, kFast);
}

void CImageShadow::LayObject(IShadowImage& target)
{
    target.OverlayWithMask(*m_object, *m_mask, 0, 0);
}

}  // namespace ZAV
