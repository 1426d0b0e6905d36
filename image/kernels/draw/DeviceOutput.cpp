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

// Draws the whole-image DIB's source rectangle (rows counted from the top)
// onto the destination rectangle.
int StretchWholeDib(HDC dc, const RECT& target, HGLOBAL dib, int sourceX, int sourceY, int sourceW, int sourceH,
                    int imageHeight, bool colourOnColour)
{
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
    return rows;
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

}  // namespace

int CImgKernels::Draw24(HDC dc, int x, int y, int w, int h, const BYTE* data, int sourceX, int sourceY, int width,
                        int height, int sourceW, int sourceH)
{
    ClearErrorText();
    if (!dc || !data)
        return Fail(kTextInvalidParameter);
    if (!HasCap(dc, RC_STRETCHDIB))
        return FailCode(zavkeDeviceCapability);
    HGLOBAL dib = Image24ToDib(data, width, height, 0, 0);
    if (!dib)
        return 0;
    const int drawn = StretchWholeDib(dc, RECT{x, y, x + w, y + h}, dib, sourceX, sourceY, sourceW < 0 ? w : sourceW,
                                      sourceH < 0 ? h : sourceH, height, true);
    GlobalFree(dib);
    return drawn ? 1 : 0;
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
    HGLOBAL dib = Image1ToDib(data, width, height, rowBytes, palette, 0, 0);
    if (!dib)
        return 0;
    const int drawn = StretchWholeDib(dc, target, dib, sourceX, sourceY,
                                      sourceW < 0 ? target.right - target.left : sourceW,
                                      sourceH < 0 ? target.bottom - target.top : sourceH, height, false);
    GlobalFree(dib);
    return drawn ? 1 : 0;
}

int CImgKernels::Draw8(HDC dc, const RECT& target, const BYTE* data, const uint32_t* palette, int sourceX,
                       int sourceY, int width, int height, int sourceW, int sourceH)
{
    ClearErrorText();
    if (!dc || !data || !palette)
        return Fail(kBadParam);
    if (!HasCap(dc, RC_STRETCHDIB))
        return Fail(kNotSupported);
    HGLOBAL dib = Image8ToDib(data, width, height, kFullPalette, 8, palette, 0, 0);
    if (!dib)
        return 0;
    const int drawn = StretchWholeDib(dc, target, dib, sourceX, sourceY,
                                      sourceW < 0 ? target.right - target.left : sourceW,
                                      sourceH < 0 ? target.bottom - target.top : sourceH, height, true);
    GlobalFree(dib);
    return drawn ? 1 : 0;
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
    HGLOBAL dib = Image8ToDib(data, width, height, kFullPalette, 8, palette, 0, 0);
    HBITMAP bitmap = dib ? DibToBitmap(dib, nullptr, dc) : nullptr;
    GlobalFree(dib);
    if (!bitmap)
        return 0;
    const int result = BlitBitmapAt(dc, bitmap, x, y, width, height, nullptr);
    DeleteObject(bitmap);
    return result;
}

int CImgKernels::Draw1AsBitmap(HDC dc, int x, int y, const BYTE* data, const uint32_t* palette, int width,
                               int height)
{
    ClearErrorText();
    if (!data)
        return FailCode(zavkeMissingInput);
    const int rowBytes = static_cast<int>(CZAVImgBase::CalcBytesPerLine(width, 0, 1));
    HGLOBAL dib = Image1ToDib(data, width, height, rowBytes, palette, 0, 0);
    HBITMAP bitmap = dib ? DibToBitmap(dib, nullptr, dc) : nullptr;
    GlobalFree(dib);
    if (!bitmap)
        return 0;
    const int result = BlitBitmapAt(dc, bitmap, x, y, width, height, nullptr);
    DeleteObject(bitmap);
    return result;
}

}  // namespace ZAV
