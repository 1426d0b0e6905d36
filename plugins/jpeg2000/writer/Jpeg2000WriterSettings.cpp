// The settings side of the writer: target sizes and UUID texts.
#include <cctype>
#include <cmath>

#include "foundation/text/TextException.h"
#include "plugins/jpeg2000/writer/Jpeg2000Writer.h"

namespace ZAV {

namespace {

uint64_t AtLeastOneByte(double bytes)
{
    if (!(bytes < 1e18))
        return uint64_t(1e18);
    return bytes < 1 ? 1 : static_cast<uint64_t>(bytes);
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

}  // namespace

uint64_t Jpeg2000TargetSize(const Jpeg2000WriteSettings& settings, uint32_t width, uint32_t height, uint32_t components)
{
    const int given = (settings.rate != 0) + (settings.bitRate != 0) + (settings.fileSize != 0);
    if (given > 1)
        ThrowTextException("Jpeg2000 settings CompressionRate, CompressionBitRate, CompressionDestinationFileSize are "
                           "exclusive! You can just use one of them and not two or more.");
    if (settings.rate < 0 || settings.bitRate < 0 || settings.fileSize < 0 || std::isnan(settings.rate) ||
        std::isnan(settings.bitRate))
        ThrowTextException("Jpeg2000 settings CompressionRate, CompressionBitRate and CompressionDestinationFileSize "
                           "must not be negative!");
    const double pixels = double(width) * height;
    if (settings.rate != 0)
        return AtLeastOneByte(pixels * components / settings.rate);
    if (settings.bitRate != 0)
        return AtLeastOneByte(std::floor((settings.bitRate * pixels + 7) / 8));
    return static_cast<uint64_t>(settings.fileSize);
}

std::array<uint8_t, 16> ParseJpeg2000Uuid(const std::string& text)
{
    std::array<uint8_t, 16> id = {};
    if (text.size() != 32)
        return id;
    for (size_t i = 0; i < 16; ++i) {
        const int high = HexValue(text[2 * i]), low = HexValue(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::array<uint8_t, 16>{};
        id[i] = static_cast<uint8_t>(high * 16 + low);
    }
    return id;
}

bool IsGreyRamp(const uint8_t* palette, uint32_t paletteBytes)
{
    if (!palette || paletteBytes / 4 != 256)
        return false;
    for (uint32_t i = 0; i < 256; ++i)
        if (palette[4 * i] != i || palette[4 * i + 1] != i || palette[4 * i + 2] != i)
            return false;
    return true;
}

}  // namespace ZAV
