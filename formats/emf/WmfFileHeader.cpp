#include "formats/emf/WmfFileHeader.h"

#include "foundation/text/TextException.h"
#include "platform/gdi/DeviceContexts.h"

#include <cstdlib>

namespace ZAV {

namespace {

uint16_t Word(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t Dword(const uint8_t* p)
{
    return Word(p) | (static_cast<uint32_t>(Word(p + 2)) << 16);
}

void ScreenPixelsPerInch(int& x, int& y)
{
    HDC screen = GetDC(nullptr);
    x = GetDeviceCaps(screen, LOGPIXELSX);
    y = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
}

void ReadPlaceable(const uint8_t* p, WmfFileHeader& h)
{
    h.placeable = true;
    h.left = static_cast<int16_t>(Word(p + 6));
    h.top = static_cast<int16_t>(Word(p + 8));
    h.right = static_cast<int16_t>(Word(p + 10));
    h.bottom = static_cast<int16_t>(Word(p + 12));
    h.unitsPerInch = Word(p + 14);
    if (h.unitsPerInch == 0)
        return;
    int dpiX = 0, dpiY = 0;
    ScreenPixelsPerInch(dpiX, dpiY);
    h.width = std::abs(h.right - h.left) * dpiX / h.unitsPerInch;
    h.height = std::abs(h.bottom - h.top) * dpiY / h.unitsPerInch;
}

}  // namespace

WmfFileHeader ReadWmfFileHeader(const uint8_t* data, size_t size)
{
    WmfFileHeader header;
    size_t metaHeader = 0;
    if (size >= 4 && Dword(data) == kPlaceableKey) {
        if (size < kPlaceableHeaderBytes)
            ThrowTextException("Invalid file header!");
        ReadPlaceable(data, header);
        metaHeader = kPlaceableHeaderBytes;
    }
    if (size < metaHeader + kMetafileHeaderBytes)
        ThrowTextException("Invalid file header!");
    const uint16_t type = Word(data + metaHeader);
    if (type != 1 && type != 2)
        ThrowTextException("Invalid file header!");
    return header;
}

}  // namespace ZAV
