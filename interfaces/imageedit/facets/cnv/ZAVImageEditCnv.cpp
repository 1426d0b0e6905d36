#include "interfaces/imageedit/facets/cnv/ZAVImageEditCnv.h"

#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/facets/cnv/WorldCoordinates.h"

namespace ZAV {

SIZE CZAVImageEditCnv::HiMetricToDevicePixels(HDC dc, const SIZE& size)
{
    return CZAVImgBase::HiMetricToDevicePixels(dc, size);
}

SIZE CZAVImageEditCnv::HiMetricToImagePixels(const SIZE& size)
{
    return m_owner->GetImage().HiMetricToImagePixels(size);
}

SIZE CZAVImageEditCnv::DevicePixelsToHiMetric(HDC dc, const SIZE& size)
{
    return CZAVImgBase::DevicePixelsToHiMetric(dc, size);
}

SIZE CZAVImageEditCnv::ImagePixelsToHiMetric(const SIZE& size)
{
    return m_owner->GetImage().ImagePixelsToHiMetric(size);
}

SIZE CZAVImageEditCnv::TwipsToDevicePixels(HDC dc, const SIZE& size)
{
    return CZAVImgBase::TwipsToDevicePixels(dc, size);
}

SIZE CZAVImageEditCnv::TwipsToImagePixels(const SIZE& size)
{
    return m_owner->GetImage().TwipsToImagePixels(size);
}

SIZE CZAVImageEditCnv::DevicePixelsToTwips(HDC dc, const SIZE& size)
{
    return CZAVImgBase::DevicePixelsToTwips(dc, size);
}

SIZE CZAVImageEditCnv::ImagePixelsToTwips(const SIZE& size)
{
    return m_owner->GetImage().ImagePixelsToTwips(size);
}

CWorldRect CZAVImageEditCnv::PixelRectToWorld(const RECT& pixels)
{
    CZAVImg& image = m_owner->GetImage();
    return PixelRectToWorldRect(m_owner->GetWorldRect(), image.GetWidth(), image.GetHeight(), pixels);
}

void CZAVImageEditCnv::PixelToWorld(int32_t x, int32_t y, double& worldX, double& worldY)
{
    CZAVImg& image = m_owner->GetImage();
    const CWorldPoint point = PixelToWorldPoint(m_owner->GetWorldRect(), image.GetWidth(), image.GetHeight(), x, y);
    worldX = point.x;
    worldY = point.y;
}

RECT CZAVImageEditCnv::WorldRectToPixel(const CWorldRect& world)
{
    CZAVImg& image = m_owner->GetImage();
    return WorldRectToPixelRect(m_owner->GetWorldRect(), image.GetWidth(), image.GetHeight(), world);
}

void CZAVImageEditCnv::WorldToPixel(double worldX, double worldY, int32_t& x, int32_t& y)
{
    CZAVImg& image = m_owner->GetImage();
    const POINT point = WorldToPixelPoint(m_owner->GetWorldRect(), image.GetWidth(), image.GetHeight(), worldX, worldY);
    x = point.x;
    y = point.y;
}

}  // namespace ZAV
