// Resize, rotate and flip. Each kernel writes into a new block or a copy,
// so a failure or a cancel leaves the image as it was.
#include <cmath>

#include "foundation/text/TextException.h"
#include "image/core/ImageLimits.h"
#include "image/object/ZAVImg.h"
#include "image/operations/ImageOperation.h"

namespace ZAV {

namespace {

constexpr double kRadiansPerDegree = 0.017453292519444445;

// A zero-filled block for the new layout; "Error" when the size is not one
// an image can have or memory runs out.
void AllocFor(CGlobalMemBlock& block, int width, int height, int bitsPerPixel)
{
    const int64_t size = CZAVImgBase::CalcImageSize(width, height, bitsPerPixel);
    if (width <= 0 || height <= 0 || size <= 0 || !IsWithinImageCeiling(size))
        ThrowTextException("Error");
    try {
        block.Alloc(GPTR, size);
    } catch (const CTextException&) {
        ThrowTextException("Error");
    }
}

}  // namespace

void CZAVImg::Resize(int width, int height, bool interpolate)
{
    if (!HasImage())
        return;
    const int depth = m_bitsPerPixel;
    if (depth != 1 && depth != 8 && depth != 24)
        ThrowTextException("Error");
    CImageOperation operation(*this);
    CGlobalMemBlock target;
    AllocFor(target, width, height, depth);
    const BYTE* source = static_cast<const BYTE*>(GetImageData());
    BYTE* pixels = target.GetData<BYTE>();
    CImgKernels& kernels = operation.Kernels();
    int result = 0;
    if (depth == 1)
        result = kernels.ResizeRounded1(source, m_width, m_height, pixels, width, height);
    else if (depth == 8 && interpolate)
        result = kernels.ResizePaletteBilinear(source, m_width, m_height, m_palette.GetCount(), m_palette.GetEntries(),
                                               pixels, width, height);
    else if (depth == 24 && interpolate)
        // The checked kernel only validates its arguments; the full one
        // checks them too and then fills the block.
        result = kernels.ResizeBilinear(source, m_width, m_height, 3, pixels, width, height);
    else
        result = kernels.ResizeNearest(source, m_width, m_height, depth / 8, pixels, width, height);
    operation.Check(result, "Error resizing Image!");
    operation.Install(target, width, height, depth);
}

double CZAVImg::NormalizeAngle(double degrees)
{
    double angle = std::fmod(degrees, 360.0);
    if (angle < 0.0)
        angle += 360.0;
    return angle;
}

void CZAVImg::Rotate(double degrees)
{
    // A NaN or infinite angle turns no picture: its frame would be sized
    // from non-finite corners.
    if (!std::isfinite(degrees))
        ThrowTextException("Invalid Parameter!");
    if (!HasImage())
        return;
    const int depth = m_bitsPerPixel;
    if (depth == 1)
        ThrowTextException("Can't rotate 1 BitPerPixel Images! Please convert it to a different format.");
    if (depth != 8 && depth != 24)
        ThrowTextException("Error");
    const double angle = NormalizeAngle(degrees);
    CImageOperation operation(*this);
    const struct {
        double angle;
        int turn;
        const char* text;
    } exactTurns[] = {{90.0, 0, "Error rotating Image 90!"},
                      {180.0, 1, "Error rotating Image 180!"},
                      {270.0, 2, "Error rotating Image 270!"}};
    for (const auto& exact : exactTurns) {
        if (angle != exact.angle)
            continue;
        CGlobalMemBlock copy;
        operation.CopyPixels(copy);
        operation.Check(operation.Kernels().RotateExact(copy.GetData<BYTE>(), m_width, m_height, exact.turn, depth / 8),
                        exact.text, false);
        const bool swaps = exact.turn != 1;
        operation.Install(copy, swaps ? m_height : m_width, swaps ? m_width : m_height, depth);
        return;
    }
    const COLORREF background = GetDrawer().m_background.color;
    const BYTE backgroundIndex = depth == 8 ? static_cast<BYTE>(m_palette.FindNearestEntry(background)) : 0;
    int newWidth = 0;
    int newHeight = 0;
    CGlobalMemBlock target;
    target.Attach(operation.Kernels().RotateAnyAngle(static_cast<const BYTE*>(GetImageData()), m_width, m_height,
                                                     angle * kRadiansPerDegree, background, newWidth, newHeight,
                                                     backgroundIndex, depth == 8));
    operation.Check(target.GetHandle() ? 1 : 0, "Error rotating Image!", false);
    operation.Install(target, newWidth, newHeight, depth);
}

void CZAVImg::FlipHorizontal()
{
    if (!HasImage())
        return;
    const int depth = m_bitsPerPixel;
    if (depth != 1 && depth != 8 && depth != 24)
        ThrowTextException("Error");
    CImageOperation operation(*this);
    CGlobalMemBlock copy;
    operation.CopyPixels(copy);
    BYTE* pixels = copy.GetData<BYTE>();
    const int result = depth == 1 ? operation.Kernels().FlipHorizontal1(pixels, m_width, m_height)
                                  : operation.Kernels().FlipHorizontal(pixels, m_width, m_height, depth / 8);
    operation.Check(result, "Error flipping Image! ");
    operation.Install(copy, m_width, m_height, depth);
}

void CZAVImg::FlipVertical()
{
    if (!HasImage())
        return;
    const int depth = m_bitsPerPixel;
    if (depth != 1 && depth != 8 && depth != 24)
        ThrowTextException("Error");
    CImageOperation operation(*this);
    CGlobalMemBlock copy;
    operation.CopyPixels(copy);
    operation.Check(operation.Kernels().FlipVertical(copy.GetData<BYTE>(), m_bytesPerLine, m_height),
                    "Error flipping Image! ");
    operation.Install(copy, m_width, m_height, depth);
}

}  // namespace ZAV
