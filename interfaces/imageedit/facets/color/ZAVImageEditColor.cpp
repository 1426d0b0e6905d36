#include "interfaces/imageedit/facets/color/ZAVImageEditColor.h"

#include <set>

#include "interfaces/imageedit/ZAVImageEdit.h"

namespace ZAV {

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
