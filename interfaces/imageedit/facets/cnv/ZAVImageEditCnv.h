// The Cnv facet: unit conversions at the device's or the image's
// resolution, and the conversions between image pixels and the owner's
// world rectangle.
#pragma once

#include "interfaces/imageedit/facets/cnv/ImageEditCnvInterface.h"

namespace ZAV {

class CZAVImageEdit;

class CZAVImageEditCnv : public IZAVImageEditCnvCpp {
public:
    explicit CZAVImageEditCnv(CZAVImageEdit* owner) : m_owner(owner) {}

    SIZE HiMetricToDevicePixels(HDC dc, const SIZE& size) override;
    SIZE HiMetricToImagePixels(const SIZE& size) override;
    SIZE DevicePixelsToHiMetric(HDC dc, const SIZE& size) override;
    SIZE ImagePixelsToHiMetric(const SIZE& size) override;
    SIZE TwipsToDevicePixels(HDC dc, const SIZE& size) override;
    SIZE TwipsToImagePixels(const SIZE& size) override;
    SIZE DevicePixelsToTwips(HDC dc, const SIZE& size) override;
    SIZE ImagePixelsToTwips(const SIZE& size) override;

    CWorldRect PixelRectToWorld(const RECT& pixels) override;
    void PixelToWorld(int32_t x, int32_t y, double& worldX, double& worldY) override;
    RECT WorldRectToPixel(const CWorldRect& world) override;
    void WorldToPixel(double worldX, double worldY, int32_t& x, int32_t& y) override;

private:
    CZAVImageEdit* m_owner;
};

}  // namespace ZAV
