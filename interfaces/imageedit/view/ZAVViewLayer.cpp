// The view layer's settings.
#include "interfaces/imageedit/view/ZAVViewLayer.h"

#include <algorithm>

#include "interfaces/imageedit/ZAVImageEdit.h"

namespace ZAV {

void CZAVViewLayer::OnImageReset(int width, int height)
{
    m_worldRect = CWorldRect{0.0, static_cast<double>(height), static_cast<double>(width), 0.0};
    m_layerFlag4 = 1;
    m_drawing.Reset();
}

double CZAVViewLayer::GetFirstRangeMin() const
{
    return std::min(m_range1[0], m_range1[1]);
}

double CZAVViewLayer::GetFirstRangeMax() const
{
    return std::max(m_range1[0], m_range1[1]);
}

double CZAVViewLayer::GetSecondRangeMin() const
{
    return std::min(m_range2[0], m_range2[1]);
}

double CZAVViewLayer::GetSecondRangeMax() const
{
    return std::max(m_range2[0], m_range2[1]);
}

int CZAVViewLayer::HasImageData() const
{
    return m_owner->GetWidth() > 0 ? 1 : 0;
}

}  // namespace ZAV
