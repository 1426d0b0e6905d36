#include "foundation/text/TextException.h"
#include "image/blend/BlendModes.h"
#include "image/blend/OverlayDispatch.h"
#include "image/object/ZAVImg.h"
#include "image/operations/ImageOperation.h"

namespace ZAV {

namespace {

constexpr char kTextOverlayFailed[] = "Error overlaying Image! ";
constexpr char kTextBitonalOverlayFailed[] = "Error overlaying black&white Image! ";
constexpr char kTextUnsupportedDepth[] = "Error";
constexpr char kTextMaskNeedsGrayOr24[] =
    "Requires 8bit grayscale or 24bpp Images! Please convert it to the required format.";
constexpr char kTextOpacityNeedsGrayOr24[] = "Requires grayscale or 24bpp Images! Please convert it to 24bpp format.";
constexpr char kTextTransparentNeeds1Or24[] =
    "Requires 1bit black&white or 24bpp Images! Please convert it to the proper format.";

constexpr double kPercent = 100.0;

// Runs one overlay kernel on a copy of the image's pixels, which replaces
// them only when the kernel succeeded: a failure or a cancel from the
// progress sink leaves the image as it was.
template <class Kernel>
void RunOnImage(CZAVImg& image, const BYTE* overlay, int overlayWidth, int overlayHeight, int x, int y,
                const BYTE* mask, const char* failurePrefix, Kernel kernel)
{
    if (!image.HasImage())
        return;
    CImageOperation operation(image);
    CGlobalMemBlock work;
    operation.CopyPixels(work);
    COverlayImages images{
        work.GetData<BYTE>(), image.GetWidth(), image.GetHeight(), overlay, overlayWidth, overlayHeight, x, y, mask};
    // The kernels refuse an overlay that is the target itself; the copy
    // must not hide that.
    if (overlay == image.GetImageData())
        images.overlay = images.base;
    const int result = kernel(operation.Kernels(), images);
    if (result == kOverlayUnsupportedDepth)
        ThrowTextException(kTextUnsupportedDepth);
    operation.Check(result, failurePrefix);
    operation.Install(work, image.GetWidth(), image.GetHeight(), image.GetBitsPerPixel());
}

// The image's blend mode, with the table of its function when the depth's
// kernels can use one.
COverlayBlend CurrentBlend(CZAVImg& image, bool tableUsable)
{
    COverlayBlend blend;
    blend.mode = image.m_overlayBlendMode;
    if (tableUsable) {
        BYTE* table = nullptr;
        image.GetBlendTable(table);
        blend.table = table;
    }
    return blend;
}

}  // namespace

void CZAVImg::OverlayBlended(const BYTE* overlay, int overlayWidth, int overlayHeight, int x, int y, double opacity,
                             int fast)
{
    const int depth = GetBitsPerPixel();
    const COverlayBlend blend = CurrentBlend(*this, depth == 8 || depth == 24);
    const char* prefix = depth == 1 ? kTextBitonalOverlayFailed : kTextOverlayFailed;
    RunOnImage(*this, overlay, overlayWidth, overlayHeight, x, y, nullptr, prefix,
               [&](CImgKernels& kernels, const COverlayImages& images) {
                   return RunOverlayBlended(kernels, images, depth, blend, opacity / kPercent, fast);
               });
}

void CZAVImg::OverlayWithMask(const BYTE* overlay, int overlayWidth, int overlayHeight, const BYTE* mask, int x, int y)
{
    const int depth = GetBitsPerPixel();
    if (depth == 1)
        ThrowTextException(kTextMaskNeedsGrayOr24);
    const COverlayBlend blend = CurrentBlend(*this, depth == 24);
    RunOnImage(*this, overlay, overlayWidth, overlayHeight, x, y, mask, kTextOverlayFailed,
               [&](CImgKernels& kernels, const COverlayImages& images) {
                   return RunOverlayWithMask(kernels, images, depth, blend);
               });
}

void CZAVImg::OverlayWithOpacity(const BYTE* overlay, int overlayWidth, int overlayHeight, int x, int y, double opacity,
                                 int fast, COLORREF transparent)
{
    const int depth = GetBitsPerPixel();
    if (depth == 1)
        ThrowTextException(kTextOpacityNeedsGrayOr24);
    RunOnImage(*this, overlay, overlayWidth, overlayHeight, x, y, nullptr, kTextOverlayFailed,
               [&](CImgKernels& kernels, const COverlayImages& images) {
                   return RunOverlayWithOpacity(kernels, images, depth, opacity / kPercent, fast, transparent);
               });
}

void CZAVImg::OverlayTransparentColor(const BYTE* overlay, int overlayWidth, int overlayHeight, int x, int y,
                                      COLORREF transparent)
{
    const int depth = GetBitsPerPixel();
    if (depth == 8)
        ThrowTextException(kTextTransparentNeeds1Or24);
    RunOnImage(*this, overlay, overlayWidth, overlayHeight, x, y, nullptr, kTextOverlayFailed,
               [&](CImgKernels& kernels, const COverlayImages& images) {
                   return RunOverlayTransparentColor(kernels, images, depth, transparent);
               });
}

}  // namespace ZAV
