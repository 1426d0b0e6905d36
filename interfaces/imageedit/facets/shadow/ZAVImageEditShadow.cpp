#include "interfaces/imageedit/facets/shadow/ZAVImageEditShadow.h"

#include "foundation/text/TextException.h"
#include "image/shadow/ImageShadow.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/facets/shadow/ImageEditShadowImage.h"

namespace ZAV {

namespace {

constexpr int kContourEntries = 100;

std::unique_ptr<CBaseContour> MakeContour(int32_t shape)
{
    const char* name = CZAVImageEditShadow::ContourName(shape);
    switch (shape) {
    case zavContourCone:
        return std::make_unique<CConeContour>(name, kContourEntries);
    case zavContourInvertedCone:
        return std::make_unique<CInvertedConeContour>(name, kContourEntries);
    case zavContourSawtooth:
        return std::make_unique<CSawtoothContour>(name, kContourEntries);
    default:
        return std::make_unique<CLineContour>(name, kContourEntries);
    }
}

}  // namespace

CZAVImageEditShadow::CZAVImageEditShadow(CZAVImageEdit* owner) : m_owner(owner)
{
}

CZAVImageEditShadow::~CZAVImageEditShadow() = default;

const char* CZAVImageEditShadow::ContourName(int32_t shape)
{
    switch (shape) {
    case zavContourCone:
        return "cone";
    case zavContourInvertedCone:
        return "invcone";
    case zavContourSawtooth:
        return "saw";
    default:
        return "line";
    }
}

void CZAVImageEditShadow::Store(int32_t& field, int32_t value)
{
    field = value;
    m_effect.reset();
}

void CZAVImageEditShadow::ResetShadow()
{
    m_effect.reset();
}

CZAVPtr<IZAVImageEditSp> CZAVImageEditShadow::GetShadowMask()
{
    return m_mask;
}

void CZAVImageEditShadow::SetShadowMask(IZAVImageEditSp* mask)
{
    m_mask.Assign(mask);
    m_effect.reset();
}

// A failed build leaves no effect, so the next request tries again and
// fails the same way rather than handing out the pictures of settings that
// no longer hold.
CImageShadow& CZAVImageEditShadow::PreparedEffect()
{
    if (!m_mask || !m_mask->HasImage())
        ThrowTextException("There is no mask available!");
    if (!m_effect)
        RebuildEffect();
    return *m_effect;
}

void CZAVImageEditShadow::RebuildEffect()
{
    UseImageEditShadowImages();
    CShadowSettings settings;
    settings.angle = m_angle;
    settings.distance = m_distance;
    settings.contourStrength = m_value4;
    settings.effectSize = m_effectSize;
    settings.contourPercent = m_value6;
    settings.noise = m_value1;
    settings.background = static_cast<COLORREF>(m_color);
    const std::unique_ptr<CBaseContour> contour = MakeContour(m_contourShape);
    CZAVPtr<IZAVImageEditSp> self = m_owner->GetImageEditSp();
    m_effect = std::make_unique<CImageShadow>(BorrowedShadowImage(self.Get()), HeldShadowImage(m_mask.Get()), settings,
                                              *contour);
}

CZAVPtr<IZAVImageEditSp> CZAVImageEditShadow::GetEffectObjectImage()
{
    return PictureOfShadowImage(PreparedEffect().GetObjectImage());
}

CZAVPtr<IZAVImageEditSp> CZAVImageEditShadow::GetEffectMaskImage()
{
    return PictureOfShadowImage(PreparedEffect().GetMaskImage());
}

CZAVPtr<IZAVImageEditSp> CZAVImageEditShadow::GetEffectImage()
{
    return PictureOfShadowImage(PreparedEffect().GetEffectImage());
}

CZAVPtr<IZAVImageEditSp> CZAVImageEditShadow::GetEffectOverlayImage()
{
    return PictureOfShadowImage(PreparedEffect().GetEffectOverlayImage());
}

CZAVPtr<IZAVImageEditSp> CZAVImageEditShadow::GetEffectDoubleOverlayImage()
{
    return PictureOfShadowImage(PreparedEffect().GetEffectDoubleOverlayImage());
}

CZAVPtr<IZAVImageEditSp> CZAVImageEditShadow::GetCompositeImage()
{
    CImageShadow& effect = PreparedEffect();
    return PictureOfShadowImage(m_compositeOrder != 0 ? effect.GetCompositeImage()
                                                      : effect.GetCompositeImageReversed());
}

}  // namespace ZAV
