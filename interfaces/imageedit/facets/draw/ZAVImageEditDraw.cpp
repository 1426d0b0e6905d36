#include "interfaces/imageedit/facets/draw/ZAVImageEditDraw.h"

#include "foundation/text/TextException.h"
#include "interfaces/imageedit/ZAVImageEdit.h"

namespace ZAV {

namespace {

constexpr int32_t kTrueColourBytes = 3;
constexpr int32_t kByteBytes = 1;

// The depths whose pixels the 24-bit and the byte access read.
bool HoldsTrueColour(int bitsPerPixel)
{
    return bitsPerPixel == 24 || bitsPerPixel == 25 || bitsPerPixel == 32 || bitsPerPixel == 48;
}

bool HoldsBytes(int bitsPerPixel)
{
    return bitsPerPixel == 8 || bitsPerPixel == 9 || bitsPerPixel == 16;
}

}  // namespace

CZAVImg& CZAVImageEditDraw::ImageHoldingPixel(int32_t x, int32_t y, int32_t pixelBytes)
{
    CZAVImg& image = m_owner->GetImage();
    const int depth = image.GetBitsPerPixel();
    const bool depthFits = pixelBytes == kTrueColourBytes ? HoldsTrueColour(depth) : HoldsBytes(depth);
    const int64_t end = (static_cast<int64_t>(x) + 1) * pixelBytes;
    if (!depthFits || x < 0 || y < 0 || y >= image.GetHeight() || end > image.GetBytesPerLine())
        ThrowTextException("Invalid Parameter!");
    return image;
}

COLORREF CZAVImageEditDraw::GetPixel24(int32_t x, int32_t y)
{
    return ImageHoldingPixel(x, y, kTrueColourBytes).GetPixel24(x, y);
}

void CZAVImageEditDraw::SetPixel24(int32_t x, int32_t y, COLORREF color)
{
    ImageHoldingPixel(x, y, kTrueColourBytes).SetPixel24(x, y, color);
}

uint32_t CZAVImageEditDraw::ReadPixel24AtCursor(BYTE** cursor)
{
    // Three bytes only: a fourth would lie past the last pixel of a row
    // block.
    const BYTE* pixel = *cursor;
    return static_cast<uint32_t>(pixel[0]) | static_cast<uint32_t>(pixel[1]) << 8 |
           static_cast<uint32_t>(pixel[2]) << 16;
}

void CZAVImageEditDraw::WritePixel24AtCursor(BYTE** cursor, COLORREF color)
{
    BYTE* pixel = *cursor;
    pixel[0] = static_cast<BYTE>(color & 0xFF);
    pixel[1] = static_cast<BYTE>((color >> 8) & 0xFF);
    pixel[2] = static_cast<BYTE>((color >> 16) & 0xFF);
    *cursor = pixel + kTrueColourBytes;
}

BYTE CZAVImageEditDraw::GetPixel8(int32_t x, int32_t y)
{
    return ImageHoldingPixel(x, y, kByteBytes).GetPixel8(x, y);
}

void CZAVImageEditDraw::SetPixel8(int32_t x, int32_t y, BYTE value)
{
    ImageHoldingPixel(x, y, kByteBytes).SetPixel8(x, y, value);
}

BYTE CZAVImageEditDraw::ReadByteAtCursor(BYTE** cursor)
{
    return **cursor;
}

void CZAVImageEditDraw::WriteByteAtCursor(BYTE** cursor, BYTE value)
{
    **cursor = value;
    *cursor += kByteBytes;
}

void CZAVImageEditDraw::DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, COLORREF color)
{
    m_owner->GetImage().DrawRectangle(x1, y1, x2, y2, color);
}

void CZAVImageEditDraw::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, COLORREF color)
{
    m_owner->GetImage().DrawLine(x1, y1, x2, y2, color);
}

}  // namespace ZAV
