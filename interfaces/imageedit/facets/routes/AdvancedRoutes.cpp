#include "interfaces/imageedit/facets/routes/AdvancedRoutes.h"

#include "foundation/text/TextException.h"
#include "interfaces/imageedit/ZAVImageEdit.h"

namespace ZAV {

namespace {

// Until the advanced image-processing library is bound, a caller who asks
// for it hears so instead of getting the image's own result unawares.
[[noreturn]] void RefuseWithoutLibrary()
{
    ThrowTextException("The advanced image-processing library is not available!");
}

}  // namespace

bool UsesAdvancedImgProc(CZAVImageEdit& owner)
{
    return owner.GetImage().GetUseAdvancedImgProc() != 0;
}

void ResizeThroughAdvanced(CZAVImageEdit&, int32_t, int32_t, int32_t)
{
    RefuseWithoutLibrary();
}

void RotateThroughAdvanced(CZAVImageEdit&, double)
{
    RefuseWithoutLibrary();
}

void FlipHorizontalThroughAdvanced(CZAVImageEdit&)
{
    RefuseWithoutLibrary();
}

void FlipVerticalThroughAdvanced(CZAVImageEdit&)
{
    RefuseWithoutLibrary();
}

void InvertThroughAdvanced(CZAVImageEdit&)
{
    RefuseWithoutLibrary();
}

void ConvertBitDepthThroughAdvanced(CZAVImageEdit&, int32_t, int32_t, int32_t)
{
    RefuseWithoutLibrary();
}

void ConvertToGray8ThroughAdvanced(CZAVImageEdit&)
{
    RefuseWithoutLibrary();
}

void BlurBilevelToGrayThroughAdvanced(CZAVImageEdit&)
{
    RefuseWithoutLibrary();
}

}  // namespace ZAV
