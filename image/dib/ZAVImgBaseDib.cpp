// The image base's own DIB and device bitmap, through the DIB bridge.
#include "foundation/text/TextException.h"
#include "image/core/ZAVImgBase.h"
#include "image/kernels/ImgKernels.h"
#include "platform/gdi/Objects.h"

#include <vector>

namespace ZAV {

namespace {

constexpr int kFullPalette = 256;

// The image's palette padded with black to the count a DIB of its depth
// reads, so no entry is read past the image's table.
std::vector<uint32_t> PaddedPalette(const CImagePalette& palette, int count)
{
    std::vector<uint32_t> entries(static_cast<size_t>(count), 0);
    for (int i = 0; i < count && i < palette.GetCount(); ++i)
        entries[static_cast<size_t>(i)] = palette.GetEntries()[i];
    return entries;
}

}  // namespace

void CZAVImgBase::CreateDIB(HDC, CGlobalHandle& target) const
{
    target.Free();
    CImgKernels kernels(GetNotification());
    const BYTE* data = static_cast<const BYTE*>(GetImageData());
    HGLOBAL dib = nullptr;
    switch (GetBitsPerPixel()) {
    case 1:
        dib = kernels.Image1ToDib(data, m_width, m_height, m_bytesPerLine, PaddedPalette(m_palette, 2).data(),
                                  m_xResolution, m_yResolution);
        break;
    case 8:
        dib = kernels.Image8ToDib(data, m_width, m_height, kFullPalette, 8,
                                  PaddedPalette(m_palette, kFullPalette).data(), m_xResolution, m_yResolution);
        break;
    case 24: dib = kernels.Image24ToDib(data, m_width, m_height, m_xResolution, m_yResolution); break;
    case 48: dib = kernels.Image48ToDib(data, m_width, m_height, m_xResolution, m_yResolution); break;
    default: ThrowTextException("Error");
    }
    if (!dib)
        ThrowTextException("Error DIB");
    target.Attach(dib);
}

HBITMAP CZAVImgBase::CreateBitmap(HDC dc, CSharedPaletteHandle& palette) const
{
    CImgKernels kernels(GetNotification());
    HBITMAP bitmap = nullptr;
    const int depth = GetBitsPerPixel();
    if (depth == 1 || depth == 8) {
        CGlobalHandle dib;
        CreateDIB(dc, dib);
        const int count = depth == 1 ? 2 : kFullPalette;
        palette.Own(kernels.CreateGdiPalette(PaddedPalette(m_palette, count).data(), count));
        bitmap = kernels.DibToBitmap(dib.GetHandle(), palette.Get(), dc);
    } else if (depth == 24) {
        bitmap = kernels.Image24ToBitmap(static_cast<const BYTE*>(GetImageData()), m_width, m_height, nullptr, dc);
    }
    if (!bitmap)
        ThrowTextException("Error");
    return bitmap;
}

}  // namespace ZAV
