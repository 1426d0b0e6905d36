// Rendering (the decoder's second half): the metafile played into a
// bitmap of its frame's size on the image's metafile background colour,
// the bitmap turned into the 24-bit image.
#include "Afx/DeviceContext.h"
#include "Afx/GdiObject.h"
#include "Afx/SelectObjectGuard.h"
#include "formats/emf/MetafileHandleHolder.h"
#include "formats/emf/MetafileLoad.h"
#include "foundation/text/TextException.h"
#include "image/core/ImageLimits.h"
#include "image/object/ZAVImg.h"
#include "platform/gdi/Bitmaps.h"
#include "platform/gdi/metafile/EmfHeader.h"
#include "platform/gdi/metafile/play/EmfPlayer.h"

#include <cstring>
#include <string>
#include <vector>

namespace ZAV {

namespace {

constexpr int kRgbBytes = 3;

// The bitmap's pixels as a top-down 24-bit DIB, red and blue exchanged into
// the image's red-first rows.
void CopyBitmapToImage(HDC dc, HBITMAP bitmap, int width, int height, CZAVImg& image)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    const size_t stride = (static_cast<size_t>(width) * kRgbBytes + 3) & ~size_t(3);
    std::vector<uint8_t> bits(stride * static_cast<size_t>(height));
    if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), bits.data(), &info, DIB_RGB_COLORS) != height)
        ThrowTextException("Can't read metafile header!");
    if (!image.Create(width, height, 24))
        ThrowTextException(image.GetErrorText().GetText());
    BYTE** lines = image.GetLineArray();
    for (int y = 0; y < height; ++y) {
        const uint8_t* from = bits.data() + stride * static_cast<size_t>(y);
        for (int x = 0; x < width; ++x) {
            lines[y][kRgbBytes * x] = from[kRgbBytes * x + 2];
            lines[y][kRgbBytes * x + 1] = from[kRgbBytes * x + 1];
            lines[y][kRgbBytes * x + 2] = from[kRgbBytes * x];
        }
    }
}

void Play(HDC dc, HENHMETAFILE metafile, int width, int height)
{
    const RECT whole{0, 0, width, height};
    if (PlayEnhMetaFile(dc, metafile, &whole))
        return;
    const std::string text = "Unsupported metafile record " + std::to_string(GetLastUnplayedRecord()) + "!";
    ThrowTextException(text.c_str());
}

}  // namespace

void RenderEnhancedMetafile(HENHMETAFILE handle, CZAVImg& image)
{
    CEnhMetaFileHolder metafile(handle);
    ENHMETAHEADER header{};
    if (GetEnhMetaFileHeader(metafile.Get(), sizeof header, &header) == 0)
        ThrowTextException("Can't read metafile header!");
    const RECT frame = Meta::FrameInPixels(header);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    if (width <= 0 || height <= 0 || !IsWithinImageCeiling(int64_t(width) * height * kRgbBytes))
        ThrowTextException("Can't read metafile header!");
    CDeviceContext screen;
    screen.GetDC(nullptr);
    CDeviceContext memory;
    memory.CreateCompatible(screen.GetHandle());
    CBitmap bitmap;
    if (!bitmap.Attach(CreateCompatibleBitmap(screen.GetHandle(), width, height)))
        ThrowTextException("Out of memory error!");
    CSelectObjectGuard selection(memory.GetHandle(), bitmap.GetHandle());
    CBrush background(image.m_metafileBackground);
    memory.FillRect(RECT{0, 0, width, height}, background);
    Play(memory.GetHandle(), metafile.Get(), width, height);
    selection.Restore();
    CopyBitmapToImage(memory.GetHandle(), static_cast<HBITMAP>(bitmap.GetHandle()), width, height, image);
}

}  // namespace ZAV
