// The operations built from the object's other operations: the canvas, the
// resampling to a resolution, the mirrored tile and the transparency ramp.
#include <cmath>
#include <limits>

#include "foundation/text/TextException.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/facets/processing/ZAVImageEditImageProcessing.h"

namespace ZAV {

namespace {

constexpr double kFullOpacity = 100.0;
constexpr int kSlowOverlay = 0;
// Below this a resolution is not a measurement.
constexpr int32_t kMinimumDpi = 2;

// trunc(size x factor), or 0 when the product is not a positive size that
// fits in 32 bits (the caller refuses both).
int32_t ScaledSize(int32_t size, double factor)
{
    const double scaled = std::trunc(size * factor);
    if (!(scaled > 0.0))
        return 0;
    if (scaled > std::numeric_limits<int32_t>::max())
        ThrowTextException("Error resizing Image!");
    return static_cast<int32_t>(scaled);
}

// Twice a side of the picture; a side past half the 32-bit range cannot be
// doubled into an image size.
int32_t Doubled(int32_t size)
{
    if (size > std::numeric_limits<int32_t>::max() / 2)
        ThrowTextException("Error");
    return size * 2;
}

// Entry i scales i by the percentage, truncated and kept within a byte.
CArraySimple<unsigned char, 1> TransparencyTable(double percentage)
{
    CArraySimple<unsigned char, 1> table(256, 1);
    for (int i = 0; i < 256; ++i) {
        const double value = i * percentage / 100.0;
        unsigned char entry = 0;
        if (value >= 255.0)
            entry = 255;
        else if (value > 0.0)
            entry = static_cast<unsigned char>(value);
        table.SetAt(i, entry);
    }
    return table;
}

// Puts the copy's pixels and settings back after a canvas step failed.
void RestoreFrom(CZAVImageEdit& owner, IZAVImageEditSp& copy)
{
    const int32_t size = copy.GetImageSize();
    const int32_t width = copy.GetWidth();
    const int32_t height = copy.GetHeight();
    const zavBitsPerPixel depth = copy.GetBitsPerPixel();
    owner.CreateLike(&copy, width, height, depth);
    owner.AttachImageData(copy.DetachImageData(), size, width, height, depth);
    CZAVPtr<IZAVImageEditSp> self = owner.GetImageEditSp();
    copy.GetPalette()->CopyPaletteTo(self.Get());
    owner.SetXResolution(copy.GetXResolution());
    owner.SetYResolution(copy.GetYResolution());
}

}  // namespace

void CZAVImageEditImageProcessing::ResizeCanvas(int32_t width, int32_t height, int32_t alignment, COLORREF fill)
{
    CZAVImg& image = m_owner->GetImage();
    if (width == image.GetWidth() && height == image.GetHeight())
        return;
    const int depth = image.GetBitsPerPixel();
    if (depth != 8 && depth != 24)
        ThrowTextException("Requires 8bit or 24bit data!");
    CZAVPtr<IZAVImageEditSp> copy = m_owner->Clone();
    const SIZE pictureSize{copy->GetWidth(), copy->GetHeight()};
    try {
        m_owner->CreateLike(copy.Get(), width, height, static_cast<zavBitsPerPixel>(depth));
        m_owner->GetDraw()->DrawRectangle(0, 0, width, height, fill);
        RECT placement{};
        CZAVImgBase::CalcAlignedRect(RECT{0, 0, width, height}, pictureSize, alignment, false, false, false, placement);
        m_owner->OverlayBlended(copy.Get(), placement.left, placement.top, kFullOpacity, kSlowOverlay);
    } catch (...) {
        RestoreFrom(*m_owner, *copy.Get());
        throw;
    }
}

void CZAVImageEditImageProcessing::ResampleToResolution(int32_t xDpi, int32_t yDpi)
{
    CZAVImg& image = m_owner->GetImage();
    const int32_t currentX = image.GetXResolution();
    const int32_t currentY = image.GetYResolution();
    if (currentX < kMinimumDpi || currentY < kMinimumDpi)
        ThrowTextException("No valid DPI values available!");
    if (xDpi < kMinimumDpi || yDpi < kMinimumDpi)
        ThrowTextException("Invalid destination DPI values!");
    if (xDpi == currentX && yDpi == currentY)
        return;
    const double fx = double(xDpi) / currentX;
    const double fy = double(yDpi) / currentY;
    if (image.GetWidth() <= 0 || image.GetHeight() <= 0)
        ThrowTextException("No imagedata available!");
    const int32_t width = ScaledSize(image.GetWidth(), fx);
    const int32_t height = ScaledSize(image.GetHeight(), fy);
    if (width <= 0 || height <= 0)
        ThrowTextException("Destination size too small");
    Resize(width, height, 1);
    image.SetXResolution(xDpi);
    image.SetYResolution(yDpi);
}

CZAVPtr<IZAVImageEditSp> CZAVImageEditImageProcessing::CreateMirroredTile()
{
    if (!m_owner->HasImage())
        ThrowTextException("No imagedata!");
    const int32_t width = m_owner->GetWidth();
    const int32_t height = m_owner->GetHeight();
    const int32_t tileWidth = Doubled(width);
    const int32_t tileHeight = Doubled(height);
    CZAVPtr<IZAVImageEditSp> tile = CreateImageEditSp();
    CZAVPtr<IZAVImageEditSp> copy = m_owner->Clone();
    CZAVPtr<IZAVImageEditSp> self = m_owner->GetImageEditSp();
    tile->CreateLike(self.Get(), tileWidth, tileHeight, copy->GetBitsPerPixel());
    IZAVImageEditImageProcessingCpp* turn = copy->GetImageProcessing();
    tile->OverlayBlended(copy.Get(), 0, 0, kFullOpacity, kSlowOverlay);
    turn->FlipHorizontal();
    tile->OverlayBlended(copy.Get(), width, 0, kFullOpacity, kSlowOverlay);
    turn->FlipVertical();
    tile->OverlayBlended(copy.Get(), width, height, kFullOpacity, kSlowOverlay);
    turn->FlipHorizontal();
    tile->OverlayBlended(copy.Get(), 0, height, kFullOpacity, kSlowOverlay);
    return tile;
}

void CZAVImageEditImageProcessing::ApplyTransparency(double percentage)
{
    const CArraySimple<unsigned char, 1> table = TransparencyTable(percentage);
    switch (m_owner->GetImage().GetBitsPerPixel()) {
    case 8:
    case 24:
        ApplyLookupTable(table);
        break;
    case 1:
        break;
    default:
        ThrowTextException("Invalid color depth! ApplyTransparencyb requires 8 or 24bit color depth.");
    }
}

}  // namespace ZAV
