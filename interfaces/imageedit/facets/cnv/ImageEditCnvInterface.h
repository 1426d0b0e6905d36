// Conversions of lengths between HiMetric units (0.01 mm), twips (1/1440
// inch) and pixels, each on a width and height pair, and between image
// pixels and the image-edit object's world coordinates.
#pragma once

#include <cstdint>

#include "platform/WinTypes.h"
#include "platform/gdi/GdiTypes.h"

namespace ZAV {

struct CWorldRect;

class IZAVImageEditCnvCpp {
public:
    // Device pixels at the resolution of the device context, the screen's
    // when it is null; image pixels at the image's own resolution.
    virtual SIZE HiMetricToDevicePixels(HDC dc, const SIZE& size) = 0;
    virtual SIZE HiMetricToImagePixels(const SIZE& size) = 0;
    virtual SIZE DevicePixelsToHiMetric(HDC dc, const SIZE& size) = 0;
    virtual SIZE ImagePixelsToHiMetric(const SIZE& size) = 0;
    virtual SIZE TwipsToDevicePixels(HDC dc, const SIZE& size) = 0;
    virtual SIZE TwipsToImagePixels(const SIZE& size) = 0;
    virtual SIZE DevicePixelsToTwips(HDC dc, const SIZE& size) = 0;
    virtual SIZE ImagePixelsToTwips(const SIZE& size) = 0;

    // Pixel rectangles are inclusive; world rectangles are bottom-up. Each
    // fails with "No imagedata!" on an empty image.
    virtual CWorldRect PixelRectToWorld(const RECT& pixels) = 0;
    virtual void PixelToWorld(int32_t x, int32_t y, double& worldX, double& worldY) = 0;
    virtual RECT WorldRectToPixel(const CWorldRect& world) = 0;
    virtual void WorldToPixel(double worldX, double worldY, int32_t& x, int32_t& y) = 0;

protected:
    ~IZAVImageEditCnvCpp() = default;
};

}  // namespace ZAV
