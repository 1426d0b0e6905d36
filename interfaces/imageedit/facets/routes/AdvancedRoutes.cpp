#include "interfaces/imageedit/facets/routes/AdvancedRoutes.h"

#include "foundation/text/TextException.h"
#include "interfaces/advanced/ZAVAdvancedImgProcInterfaces.h"
#include "interfaces/advanced/facets/AIPFormSteps.h"
#include "interfaces/advanced/facets/ZAVAIPColorConversion.h"
#include "interfaces/advanced/facets/ZAVAIPLogic.h"
#include "interfaces/advanced/facets/ZAVAIPTransformation.h"
#include "interfaces/imageedit/ZAVImageEdit.h"

namespace ZAV {

namespace {

// The library's sampling modes: the nearest pixel, or the four nearest
// weighed.
constexpr int32_t kNearestPixel = 0;
constexpr int32_t kWeighedPixels = 1;
// ConvertTo1Bit sets a pixel whose grey is at least this.
constexpr int32_t kMiddleGrey = 128;
// ScaleToGray's window: 3 x 3, as the image's own 3 x 3 Gaussian blur.
constexpr int32_t kBlurWindow = 3;
constexpr int32_t kBilevel = 1;
constexpr int32_t kGray8 = 9;

// A new advanced object on the image-edit object for this one call (not the
// one the object keeps for its callers), lending the library the image's
// current pixels. It is made before anything changes, so a library that
// cannot be bound leaves the image as it was. It borrows the image-edit
// object, so it goes first (members go in reverse order), on every path.
class CAdvancedCall {
public:
    explicit CAdvancedCall(CZAVImageEdit& owner)
        : m_self(owner.GetImageEditSp()), m_advanced(CreateAdvancedImgProcSpForImage(m_self.Get()))
    {
    }

    IZAVImageEditSp* Self() const { return m_self.Get(); }
    IZAVAdvancedImgProcSp* operator->() const { return m_advanced.Get(); }

    // Brings the image to one of the depths the operation takes; a
    // conversion replaces the pixel block, so the library is lent the new
    // one before it works.
    void ConvertTo(std::initializer_list<int32_t> depths)
    {
        const zavBitsPerPixel depth = m_self->GetBitsPerPixel();
        const void* pixels = m_self->GetImageData();
        ConvertToDepths(m_self.Get(), depths);
        if (m_self->GetBitsPerPixel() != depth || m_self->GetImageData() != pixels)
            m_advanced->AttachImageEdit();
    }

private:
    CZAVPtr<IZAVImageEditSp> m_self;
    CZAVPtr<IZAVAdvancedImgProcSp> m_advanced;
};

}  // namespace

bool UsesAdvancedImgProc(CZAVImageEdit& owner)
{
    return owner.GetImage().GetUseAdvancedImgProc() != 0;
}

void ResizeThroughAdvanced(CZAVImageEdit& owner, int32_t width, int32_t height, int32_t interpolate)
{
    CAdvancedCall call(owner);
    call.ConvertTo({kGray8, 24});
    call->GetTransformation()->Resize(call.Self(), width, height, interpolate ? kWeighedPixels : kNearestPixel);
}

void RotateThroughAdvanced(CZAVImageEdit& owner, double degrees)
{
    CAdvancedCall call(owner);
    call.ConvertTo({kBilevel, kGray8, 24});
    call->GetTransformation()->Rotate(call.Self(), degrees, kWeighedPixels);
}

void FlipHorizontalThroughAdvanced(CZAVImageEdit& owner)
{
    CAdvancedCall call(owner);
    call->GetTransformation()->MirrorHorizontal();
}

void FlipVerticalThroughAdvanced(CZAVImageEdit& owner)
{
    CAdvancedCall call(owner);
    call->GetTransformation()->MirrorVertical();
}

void InvertThroughAdvanced(CZAVImageEdit& owner)
{
    CAdvancedCall call(owner);
    call->GetLogic()->Invert();
}

void ConvertBitDepthThroughAdvanced(CZAVImageEdit& owner, int32_t depth, int32_t method, int32_t paletteFlag)
{
    if (depth == kBilevel) {
        CAdvancedCall call(owner);
        call->GetColorConversion()->ConvertTo1Bit(call.Self(), kMiddleGrey);
    } else if (depth == kGray8) {
        ConvertToGray8ThroughAdvanced(owner);
    } else {
        owner.GetImage().ConvertBitDepth(depth, method, paletteFlag);
    }
}

void ConvertToGray8ThroughAdvanced(CZAVImageEdit& owner)
{
    CAdvancedCall call(owner);
    call->GetColorConversion()->Grayscale8Bit(call.Self());
}

void BlurBilevelToGrayThroughAdvanced(CZAVImageEdit& owner)
{
    if (owner.GetImage().GetBitsPerPixel() != kBilevel)
        ThrowTextException("Requires 1bpp Images!");
    CAdvancedCall call(owner);
    call->GetColorConversion()->ScaleToGray(call.Self(), kBlurWindow);
}

}  // namespace ZAV
