#include "formats/tga/TgaPixels.h"

#include "formats/codec/FileBytes.h"

#include <cstring>

namespace ZAV {

namespace {

constexpr uint16_t kAttributeBit = 0x8000;
constexpr uint8_t kRunPacket = 0x80;
constexpr uint64_t kMaxPacketPixels = 128;

// One pixel as the image stores it: 1 index byte, or red, green, blue and
// the alpha byte for the mask.
struct TgaPixel {
    uint8_t bytes[3] = {};
    uint8_t alpha = 255;
};

int PixelBytes(int pixelDepth)
{
    return pixelDepth <= 8 ? 1 : (pixelDepth + 7) / 8;
}

TgaPixel ReadPixel(CFileBytes& bytes, const TgaHeader& header, int imageDepth)
{
    TgaPixel pixel;
    if (imageDepth == 8) {
        pixel.bytes[0] = bytes.U8();
        return pixel;
    }
    const bool attributeAlpha = (header.descriptor & kTgaAttributeBits) != 0;
    const TgaColor colour = ReadTgaColor(bytes, header.pixelDepth, attributeAlpha);
    pixel.bytes[0] = colour.red;
    pixel.bytes[1] = colour.green;
    pixel.bytes[2] = colour.blue;
    pixel.alpha = colour.alpha;
    return pixel;
}

// Pixel n of the picture in file order, put into its image row.
class CPixelPlacer {
public:
    CPixelPlacer(const TgaHeader& header, const TgaTarget& target)
        : m_target(target), m_topDown((header.descriptor & kTgaTopDown) != 0)
    {
    }

    void Put(uint64_t n, const TgaPixel& pixel) const
    {
        const int fileRow = static_cast<int>(n / m_target.width);
        const int x = static_cast<int>(n % m_target.width);
        const int y = m_topDown ? fileRow : m_target.height - 1 - fileRow;
        const int size = m_target.imageDepth / 8;
        std::memcpy(m_target.rows[y] + static_cast<size_t>(x) * size, pixel.bytes, static_cast<size_t>(size));
        if (m_target.mask)
            m_target.mask[static_cast<size_t>(y) * m_target.width + x] = pixel.alpha;
    }

private:
    const TgaTarget& m_target;
    bool m_topDown;
};

void DecodeRaw(CFileBytes& bytes, const TgaHeader& header, const TgaTarget& target, const CPixelPlacer& placer)
{
    const uint64_t total = uint64_t(target.width) * target.height;
    for (uint64_t n = 0; n < total; ++n)
        placer.Put(n, ReadPixel(bytes, header, target.imageDepth));
}

void DecodeRuns(CFileBytes& bytes, const TgaHeader& header, const TgaTarget& target, const CPixelPlacer& placer)
{
    const uint64_t total = uint64_t(target.width) * target.height;
    uint64_t n = 0;
    while (n < total) {
        const uint8_t packet = bytes.U8();
        const uint64_t count = (packet & 0x7F) + uint64_t(1);
        const uint64_t end = n + count < total ? n + count : total;
        if (packet & kRunPacket) {
            const TgaPixel pixel = ReadPixel(bytes, header, target.imageDepth);
            for (; n < end; ++n)
                placer.Put(n, pixel);
        } else {
            for (; n < end; ++n)
                placer.Put(n, ReadPixel(bytes, header, target.imageDepth));
        }
    }
}

// Packed rows of (width + 7) / 8 bytes, most significant bit first.
void DecodeBits(CFileBytes& bytes, const TgaHeader& header, const TgaTarget& target)
{
    const size_t rowBytes = (static_cast<size_t>(target.width) + 7) / 8;
    const bool topDown = (header.descriptor & kTgaTopDown) != 0;
    for (int r = 0; r < target.height; ++r) {
        const int y = topDown ? r : target.height - 1 - r;
        std::memcpy(target.rows[y], bytes.Take(rowBytes), rowBytes);
    }
}

}  // namespace

TgaColor ReadTgaColor(CFileBytes& bytes, int bits, bool attributeAlpha)
{
    TgaColor colour;
    if (bits == 15 || bits == 16) {
        const uint16_t v = bytes.LE16();
        colour.blue = static_cast<uint8_t>((v & 31) * 8);
        colour.green = static_cast<uint8_t>(((v >> 5) & 31) * 8);
        colour.red = static_cast<uint8_t>(((v >> 10) & 31) * 8);
        if (bits == 16 && attributeAlpha)
            colour.alpha = (v & kAttributeBit) ? 255 : 0;
        return colour;
    }
    const uint8_t* p = bytes.Take(bits == 32 ? 4 : 3);
    colour.blue = p[0];
    colour.green = p[1];
    colour.red = p[2];
    if (bits == 32)
        colour.alpha = p[3];
    return colour;
}

void DecodeTgaPixels(CFileBytes& bytes, const TgaHeader& header, const TgaTarget& target)
{
    if (target.imageDepth == 1) {
        DecodeBits(bytes, header, target);
        return;
    }
    const CPixelPlacer placer(header, target);
    if (header.IsRunLength())
        DecodeRuns(bytes, header, target, placer);
    else
        DecodeRaw(bytes, header, target, placer);
}

uint64_t MinTgaPixelBytes(const TgaHeader& header)
{
    const uint64_t pixels = uint64_t(header.width) * header.height;
    if (header.pixelDepth == 1)
        return (uint64_t(header.width) + 7) / 8 * header.height;
    const uint64_t size = static_cast<uint64_t>(PixelBytes(header.pixelDepth));
    if (!header.IsRunLength())
        return pixels * size;
    // A run packet of one header byte and one pixel codes 128 pixels.
    return (pixels + kMaxPacketPixels - 1) / kMaxPacketPixels * (1 + size);
}

}  // namespace ZAV
