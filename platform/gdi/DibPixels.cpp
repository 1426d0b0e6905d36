#include "platform/gdi/DibPixels.h"

namespace ZAV {
namespace Gdi {

namespace {

// Width of a mask's field and its lowest bit, for scaling to 8 bits.
struct MaskField {
    int shift = 0;
    int bits = 0;
};

MaskField FieldOf(DWORD mask)
{
    MaskField field;
    if (!mask)
        return field;
    while (!(mask & 1)) {
        mask >>= 1;
        ++field.shift;
    }
    while (mask & 1) {
        mask >>= 1;
        ++field.bits;
    }
    return field;
}

BYTE ScaleField(DWORD value, DWORD mask)
{
    const MaskField field = FieldOf(mask);
    if (!field.bits)
        return 0;
    const DWORD v = (value & mask) >> field.shift;
    const DWORD max = field.bits >= 32 ? 0xFFFFFFFFu : ((1u << field.bits) - 1);
    return static_cast<BYTE>((static_cast<uint64_t>(v) * 255 + max / 2) / max);
}

DWORD PackField(BYTE value, DWORD mask)
{
    const MaskField field = FieldOf(mask);
    if (!field.bits)
        return 0;
    const DWORD max = field.bits >= 32 ? 0xFFFFFFFFu : ((1u << field.bits) - 1);
    const DWORD v = static_cast<DWORD>((static_cast<uint64_t>(value) * max + 127) / 255);
    return (v << field.shift) & mask;
}

uint8_t* RowOf(const DibView& view, LONG y)
{
    const LONG stored = view.bottomUp ? view.height - 1 - y : y;
    return view.bits + static_cast<size_t>(stored) * view.stride;
}

DWORD ReadWord(const uint8_t* p, int bytes)
{
    DWORD value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<DWORD>(p[i]) << (8 * i);
    return value;
}

void WriteWord(uint8_t* p, int bytes, DWORD value)
{
    for (int i = 0; i < bytes; ++i)
        p[i] = static_cast<BYTE>(value >> (8 * i));
}

DWORD ReadIndex(const uint8_t* row, LONG x, WORD bitCount)
{
    const size_t bit = static_cast<size_t>(x) * bitCount;
    const int shift = 8 - bitCount - static_cast<int>(bit % 8);
    return (row[bit / 8] >> shift) & ((1u << bitCount) - 1);
}

void WriteIndex(uint8_t* row, LONG x, WORD bitCount, DWORD index)
{
    const size_t bit = static_cast<size_t>(x) * bitCount;
    const int shift = 8 - bitCount - static_cast<int>(bit % 8);
    const BYTE mask = static_cast<BYTE>(((1u << bitCount) - 1) << shift);
    row[bit / 8] = static_cast<BYTE>((row[bit / 8] & ~mask) | ((index << shift) & mask));
}

COLORREF ColourOfEntry(const DibView& view, DWORD index)
{
    if (view.colourCount == 0)
        return 0;
    if (index >= view.colourCount)
        index = view.colourCount - 1;
    const RGBQUAD& q = view.colours[index];
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

DWORD NearestIndex(const DibView& view, COLORREF colour)
{
    DWORD best = 0;
    int bestDistance = 1 << 30;
    for (DWORD i = 0; i < view.colourCount; ++i) {
        const int dr = view.colours[i].rgbRed - GetRValue(colour);
        const int dg = view.colours[i].rgbGreen - GetGValue(colour);
        const int db = view.colours[i].rgbBlue - GetBValue(colour);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

}  // namespace

size_t DibStride(LONG width, WORD bitCount)
{
    return ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
}

size_t DibInfoSize(const BITMAPINFOHEADER& header)
{
    size_t size = header.biSize;
    if (header.biCompression == BI_BITFIELDS)
        size += 12;
    DWORD colours = header.biClrUsed;
    if (colours == 0 && header.biBitCount <= 8)
        colours = 1u << header.biBitCount;
    return size + static_cast<size_t>(colours) * sizeof(RGBQUAD);
}

bool MakeDibView(const BITMAPINFO* info, const void* bits, DibView& view)
{
    if (!info || !bits)
        return false;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const WORD b = h.biBitCount;
    const bool rgb = h.biCompression == BI_RGB;
    const bool fields = h.biCompression == BI_BITFIELDS && (b == 16 || b == 32);
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth < 1 || h.biHeight == 0 || h.biHeight == INT32_MIN)
        return false;
    if (!(b == 1 || b == 4 || b == 8 || b == 16 || b == 24 || b == 32) || !(rgb || fields))
        return false;
    view = DibView{};
    view.width = h.biWidth;
    view.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    view.bottomUp = h.biHeight > 0;
    view.bitCount = b;
    view.stride = DibStride(h.biWidth, b);
    const uint8_t* afterHeader = reinterpret_cast<const uint8_t*>(info) + h.biSize;
    if (fields) {
        for (int i = 0; i < 3; ++i)
            view.masks[i] = ReadWord(afterHeader + 4 * i, 4);
    } else if (b == 16) {
        view.masks[0] = 0x7C00;
        view.masks[1] = 0x03E0;
        view.masks[2] = 0x001F;
    }
    if (b <= 8) {
        view.colourCount = h.biClrUsed && h.biClrUsed < (1u << b) ? h.biClrUsed : (1u << b);
        view.colours = reinterpret_cast<const RGBQUAD*>(afterHeader);
    }
    view.bits = static_cast<uint8_t*>(const_cast<void*>(bits));
    return true;
}

COLORREF ReadDibPixel(const DibView& view, LONG x, LONG y)
{
    const uint8_t* row = RowOf(view, y);
    switch (view.bitCount) {
    case 1:
    case 4:
    case 8:
        return ColourOfEntry(view, ReadIndex(row, x, view.bitCount));
    case 24:
        return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    default: {
        const int bytes = view.bitCount / 8;
        const DWORD value = ReadWord(row + static_cast<size_t>(x) * bytes, bytes);
        if (view.bitCount == 32 && !view.masks[0])
            return RGB(static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value));
        return RGB(ScaleField(value, view.masks[0]), ScaleField(value, view.masks[1]),
                   ScaleField(value, view.masks[2]));
    }
    }
}

void WriteDibPixel(const DibView& view, LONG x, LONG y, COLORREF colour)
{
    uint8_t* row = RowOf(view, y);
    switch (view.bitCount) {
    case 1:
    case 4:
    case 8:
        WriteIndex(row, x, view.bitCount, NearestIndex(view, colour));
        return;
    case 24:
        row[3 * x] = GetBValue(colour);
        row[3 * x + 1] = GetGValue(colour);
        row[3 * x + 2] = GetRValue(colour);
        return;
    default: {
        const int bytes = view.bitCount / 8;
        DWORD value;
        if (view.bitCount == 32 && !view.masks[0])
            value = (static_cast<DWORD>(GetRValue(colour)) << 16) | (static_cast<DWORD>(GetGValue(colour)) << 8) |
                    GetBValue(colour);
        else
            value = PackField(GetRValue(colour), view.masks[0]) | PackField(GetGValue(colour), view.masks[1]) |
                    PackField(GetBValue(colour), view.masks[2]);
        WriteWord(row + static_cast<size_t>(x) * bytes, bytes, value);
        return;
    }
    }
}

}  // namespace Gdi
}  // namespace ZAV
