// The view layer's settings and its world coordinates.
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

CWorldMapping CZAVViewLayer::Mapping() const
{
    return CWorldMapping(m_owner->GetWidth(), m_owner->GetHeight(), m_worldRect);
}

void CZAVViewLayer::PixelToWorld(int x, int y, double& worldX, double& worldY) const
{
    Mapping().PixelToWorld(x, y, worldX, worldY);
}

void CZAVViewLayer::WorldToPixel(double worldX, double worldY, int& x, int& y) const
{
    Mapping().WorldToPixel(worldX, worldY, x, y);
}

CWorldRect CZAVViewLayer::PixelRectToWorld(const RECT& pixels) const
{
    return Mapping().PixelRectToWorld(pixels);
}

RECT CZAVViewLayer::WorldRectToPixel(const CWorldRect& world) const
{
    return Mapping().WorldRectToPixel(world);
}

}  // namespace ZAV
