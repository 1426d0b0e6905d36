#include "interfaces/imageedit/facets/color/ZAVImageEditColor.h"

#include <set>
#include <vector>

#include "foundation/text/TextException.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/facets/routes/AdvancedRoutes.h"

namespace ZAV {

namespace {

constexpr int32_t kLayerEntries = 256;

// A layer's tone curve, copied so the image never reads or changes the
// caller's array. An empty array is no layer (the image stops at the first
// one); any other size must cover every grey level, since all 256 entries
// are read.
std::vector<int> LayerCurve(const CArraySimple<int32_t, 2>& layer)
{
    if (layer.GetSize() == 0)
        return {};
    if (layer.GetSize() != kLayerEntries)
        ThrowTextException("Invalid layer size! 256 entries expected.");
    return std::vector<int>(layer.GetData(), layer.GetData() + layer.GetSize());
}

const int* CurveOrNull(const std::vector<int>& curve)
{
    return curve.empty() ? nullptr : curve.data();
}

}  // namespace

void CZAVImageEditColor::ConvertBitDepth(int32_t depth, int32_t method, int32_t paletteFlag)
{
    if (UsesAdvancedImgProc(*m_owner))
        return ConvertBitDepthThroughAdvanced(*m_owner, depth, method, paletteFlag);
    m_owner->GetImage().ConvertBitDepth(depth, method, paletteFlag);
}

void CZAVImageEditColor::ConvertToBlackWhite()
{
    m_owner->GetImage().ConvertToBlackWhite();
}

void CZAVImageEditColor::ReplaceColor(COLORREF find, COLORREF replacement, uint32_t tolerance, int32_t replaceOthers,
                                      COLORREF other)
{
    m_owner->GetImage().ReplaceColor(find, replacement, tolerance, replaceOthers != 0, other);
}

void CZAVImageEditColor::ConvertToGray()
{
    m_owner->GetImage().ConvertToGray();
}

void CZAVImageEditColor::ConvertToGray8()
{
    if (UsesAdvancedImgProc(*m_owner))
        return ConvertToGray8ThroughAdvanced(*m_owner);
    m_owner->GetImage().ConvertToGray8();
}

void CZAVImageEditColor::AdjustHsv(int32_t hue, int32_t saturation, int32_t value)
{
    m_owner->GetImage().AdjustHsv(hue, saturation, value);
}

void CZAVImageEditColor::AdjustColors(const CArraySimple<int32_t, 2>& layer1, COLORREF color1,
                                      const CArraySimple<int32_t, 2>& layer2, COLORREF color2,
                                      const CArraySimple<int32_t, 2>& layer3, COLORREF color3,
                                      const CArraySimple<int32_t, 2>& layer4, COLORREF color4)
{
    const std::vector<int> curve1 = LayerCurve(layer1);
    const std::vector<int> curve2 = LayerCurve(layer2);
    const std::vector<int> curve3 = LayerCurve(layer3);
    const std::vector<int> curve4 = LayerCurve(layer4);
    m_owner->GetImage().AdjustColors(CurveOrNull(curve1), color1, CurveOrNull(curve2), color2, CurveOrNull(curve3),
                                     color3, CurveOrNull(curve4), color4);
}

void CZAVImageEditColor::BlurBilevelToGray()
{
    if (UsesAdvancedImgProc(*m_owner))
        return BlurBilevelToGrayThroughAdvanced(*m_owner);
    m_owner->GetImage().BlurBitonal();
}

void CZAVImageEditColor::SetMinIsBlack()
{
    m_owner->GetImage().SetMinIsBlack();
}

void CZAVImageEditColor::SetMinIsWhite()
{
    m_owner->GetImage().SetMinIsWhite();
}

void CZAVImageEditColor::ConvertToAllowedBitDepth(CArraySimple<int32_t, 2>& depths)
{
    const int32_t* values = depths.GetData();
    const std::set<int> allowed(values, values + depths.GetSize());
    m_owner->GetImage().ConvertToAllowedBitDepth(allowed);
}

}  // namespace ZAV
