// The routes of the facets' operations through the advanced image-processing
// object, taken when the image's use-advanced flag is set. Each route makes
// its own object for the one call and lets it go on every path.
#pragma once

#include <cstdint>

namespace ZAV {

class CZAVImageEdit;

bool UsesAdvancedImgProc(CZAVImageEdit& owner);

void ResizeThroughAdvanced(CZAVImageEdit& owner, int32_t width, int32_t height, int32_t interpolate);
void RotateThroughAdvanced(CZAVImageEdit& owner, double degrees);
void FlipHorizontalThroughAdvanced(CZAVImageEdit& owner);
void FlipVerticalThroughAdvanced(CZAVImageEdit& owner);
void InvertThroughAdvanced(CZAVImageEdit& owner);
void ConvertBitDepthThroughAdvanced(CZAVImageEdit& owner, int32_t depth, int32_t method, int32_t paletteFlag);
void ConvertToGray8ThroughAdvanced(CZAVImageEdit& owner);
void BlurBilevelToGrayThroughAdvanced(CZAVImageEdit& owner);

}  // namespace ZAV
