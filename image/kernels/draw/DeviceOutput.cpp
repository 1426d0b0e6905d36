// Pixel data drawn onto device contexts: through a packed DIB and
// StretchDIBits, or through a device bitmap and BitBlt.
#include "image/core/ZAVImgBase.h"
#include "image/kernels/ImgKernels.h"
#include "platform/gdi/Blits.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Palettes.h"

namespace ZAV {

namespace {

constexpr char kNotSupported[] = "Device does not support this operation!";
constexpr char kBadParam[] = "BADPARAM";
constexpr int kFullPalette = 256;

bool HasCap(HDC dc, int cap)
{
    return (GetDeviceCaps(dc, RASTERCAPS) & cap) != 0;
}

// Draws the whole-image DIB's source rectangle (rows counted from the top;
// -1 sizes: the destination's) onto the destination rectangle, then frees
// the DIB. 1 when drawn.
int DrawWholeDib(HDC dc, const RECT& target, HGLOBAL dib, int sourceX, int sourceY, int sourceW, int sourceH,
                 int imageHeight, bool colourOnColour)
{
    if (!dib)
        return 0;
    if (sourceW < 0)
        sourceW = target.right - target.left;
    if (sourceH < 0)
        sourceH = target.bottom - target.top;
    const auto* info = static_cast<const BITMAPINFO*>(dib);
    const BYTE* bits = static_cast<const BYTE*>(dib) + sizeof(BITMAPINFOHEADER) +
                       (info->bmiHeader.biBitCount <= 8 ? (info->bmiHeader.biClrUsed ? info->bmiHeader.biClrUsed
                                                                                      : 1u << info->bmiHeader.biBitCount) *
                                                              sizeof(RGBQUAD)
                                                        : 0);
    const int oldMode = colourOnColour ? SetStretchBltMode(dc, COLORONCOLOR) : 0;
    const int rows = StretchDIBits(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
                                   sourceX, imageHeight - sourceY - sourceH, sourceW, sourceH, bits, info,
                                   DIB_RGB_COLORS, SRCCOPY);
    if (colourOnColour)
        SetStretchBltMode(dc, oldMode);
    GlobalFree(dib);
    return rows ? 1 : 0;
}

// Selects a palette into a DC and realises it, the old one back at the end.
class RealizedPalette {
public:
    RealizedPalette(HDC dc, HPALETTE palette) : m_dc(dc), m_old(SelectPalette(dc, palette, FALSE))
    {
        RealizePalette(dc);
    }
    ~RealizedPalette()
    {
        if (m_old)
            SelectPalette(m_dc, m_old, FALSE);
    }
    RealizedPalette(const RealizedPalette&) = delete;
    RealizedPalette& operator=(const RealizedPalette&) = delete;

private:
    HDC m_dc;
    HPALETTE m_old;
};

// A device bitmap of the DIB (which is freed) blitted to (x, y).
int BlitDib(CImgKernels& kernels, HDC dc, int x, int y, HGLOBAL dib, int width, int height)
{
    HBITMAP bitmap = dib ? kernels.DibToBitmap(dib, nullptr, dc) : nullptr;
    GlobalFree(dib);
    if (!bitmap)
        return 0;
    const int result = kernels.BlitBitmapAt(dc, bitmap, x, y, width, height, nullptr);
    DeleteObject(bitmap);
    return result;
}

}  // namespace

int CImgKernels::Draw24(HDC dc, int x, int y, int w, int h, const BYTE* data, int sourceX, int sourceY, int width,
                        int height, int sourceW, int sourceH)
{
    ClearErrorText();
    if (!dc || !data)
        return Fail(kTextInvalidParameter);
    if (!HasCap(dc, RC_STRETCHDIB))
        return FailCode(zavkeDeviceCapability);
    return DrawWholeDib(dc, RECT{x, y, x + w, y + h}, Image24ToDib(data, width, height, 0, 0), sourceX, sourceY,
                        sourceW, sourceH, height, true);
}

int CImgKernels::Draw1(HDC dc, const RECT& target, const BYTE* data, const uint32_t* palette, int sourceX,
                       int sourceY, int width, int height, int sourceW, int sourceH)
{
    ClearErrorText();
    if (!dc || !data)
        return Fail(kTextInvalidParameter);
    if (!HasCap(dc, RC_STRETCHDIB))
        return Fail(kNotSupported);
    const int rowBytes = static_cast<int>(CZAVImgBase::CalcBytesPerLine(width, 0, 1));
    return DrawWholeDib(dc, target, Image1ToDib(data, width, height, rowBytes, palette, 0, 0), sourceX, sourceY,
                        sourceW, sourceH, height, false);
}

int CImgKernels::Draw8(HDC dc, const RECT& target, const BYTE* data, const uint32_t* palette, int sourceX,
                       int sourceY, int width, int height, int sourceW, int sourceH)
{
    ClearErrorText();
    if (!dc || !data || !palette)
        return Fail(kBadParam);
    if (!HasCap(dc, RC_STRETCHDIB))
        return Fail(kNotSupported);
    return DrawWholeDib(dc, target, Image8ToDib(data, width, height, kFullPalette, 8, palette, 0, 0), sourceX,
                        sourceY, sourceW, sourceH, height, true);
}

int CImgKernels::BlitBitmap(HDC dc, HBITMAP bitmap, int x, int y, int sourceX, int sourceY, int w, int h,
                            HPALETTE palette)
{
    ClearErrorText();
    if (!bitmap)
        return FailCode(zavkeMissingInput);
    if (!HasCap(dc, RC_BITBLT))
        return FailCode(zavkeDeviceCapability);
    if (!palette)
        palette = GetStockObject(DEFAULT_PALETTE);
    RealizedPalette onDevice(dc, palette);
    HDC memory = CreateCompatibleDC(dc);
    if (!memory)
        return FailCode(zavkeNoCompatibleDC);
    int result = 1;
    {
        RealizedPalette inMemory(memory, palette);
        HGDIOBJ old = SelectObject(memory, bitmap);
        if (!old)
            result = FailCode(HasCap(dc, RC_BITMAP64) ? zavkeSelectBitmap64 : zavkeDeviceCapability);
        else {
            if (!BitBlt(dc, x, y, w, h, memory, sourceX, sourceY, SRCCOPY))
                result = FailCode(zavkeBitBltFailed);
            SelectObject(memory, old);
        }
    }
    DeleteDC(memory);
    return result;
}

int CImgKernels::BlitBitmapAt(HDC dc, HBITMAP bitmap, int x, int y, int w, int h, HPALETTE palette)
{
    return BlitBitmap(dc, bitmap, x, y, 0, 0, w, h, palette);
}

int CImgKernels::Draw24AsBitmap(HDC dc, int x, int y, const BYTE* data, int width, int height)
{
    ClearErrorText();
    if (!data)
        return Fail(kTextInvalidParameter);
    HBITMAP bitmap = Image24ToBitmap(data, width, height, nullptr, dc);
    if (!bitmap)
        return 0;
    const int result = BlitBitmapAt(dc, bitmap, x, y, width, height, nullptr);
    DeleteObject(bitmap);
    return result;
}

int CImgKernels::Draw8AsBitmap(HDC dc, int x, int y, const BYTE* data, const uint32_t* palette, int width,
                               int height)
{
    ClearErrorText();
    if (!data)
        return Fail(kTextInvalidParameter);
    return BlitDib(*this, dc, x, y, Image8ToDib(data, width, height, kFullPalette, 8, palette, 0, 0), width, height);
}

int CImgKernels::Draw1AsBitmap(HDC dc, int x, int y, const BYTE* data, const uint32_t* palette, int width,
                               int height)
{
    ClearErrorText();
    if (!data)
        return FailCode(zavkeMissingInput);
    const int rowBytes = static_cast<int>(CZAVImgBase::CalcBytesPerLine(width, 0, 1));
    return BlitDib(*this, dc, x, y, Image1ToDib(data, width, height, rowBytes, palette, 0, 0), width, height);
}

}  // namespace ZAV
