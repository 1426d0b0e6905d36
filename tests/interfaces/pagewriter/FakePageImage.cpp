#include "FakePageImage.h"

#include "foundation/coding/ZlibCoding.h"
#include "foundation/text/TextException.h"

namespace ZAVTest {

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

std::vector<uint8_t> PackBits(const std::vector<uint8_t>& bytes)
{
    std::vector<uint8_t> coded;
    for (size_t at = 0; at < bytes.size(); at += 128) {
        const size_t count = std::min<size_t>(128, bytes.size() - at);
        coded.push_back(static_cast<uint8_t>(count - 1));
        coded.insert(coded.end(), bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + count));
    }
    coded.push_back(128);
    return coded;
}

}  // namespace

FakePageImage::FakePageImage(int32_t w, int32_t h, int32_t bpp, int32_t dpi)
    : width(w), height(h), bitsPerPixel(bpp), xDpi(dpi), yDpi(dpi)
{
    pixels.assign(static_cast<size_t>(BytesPerRow()) * h, 0);
}

bool FakePageImage::IsGrayScale()
{
    for (size_t i = 0; i < palette.size(); ++i)
        if (palette[i] != i * 0x010101u)
            return false;
    return palette.size() == 256;
}

uint32_t FakePageImage::GetPaletteEntry(int32_t index)
{
    return index >= 0 && index < GetPaletteCount() ? palette[static_cast<size_t>(index)] : 0;
}

void FakePageImage::SwapBlackAndWhite()
{
    std::swap(palette[0], palette[1]);
    for (uint8_t& byte : pixels)
        byte = static_cast<uint8_t>(~byte);
}

void FakePageImage::SetMinIsBlack()
{
    calls.push_back("SetMinIsBlack");
    if (palette[0] != kBlack)
        SwapBlackAndWhite();
}

void FakePageImage::SetMinIsWhite()
{
    calls.push_back("SetMinIsWhite");
    if (palette[0] != kWhite)
        SwapBlackAndWhite();
}

ZAV::CCodedBytes FakePageImage::Encode(ZAV::ePageImageFilter filter)
{
    if (!encodeFailure.empty())
        ThrowTextException(encodeFailure.c_str());
    if (filter == ZAV::ePageImageFilter::RunLength)
        return ZAV::CCodedBytes(PackBits(pixels));
    if (filter != ZAV::ePageImageFilter::Flate)
        return ZAV::CCodedBytes(std::vector<uint8_t>{'c', 'o', 'd', 'e', 'd'});
    std::vector<uint8_t> rows = pixels;
    const size_t stride = static_cast<size_t>(BytesPerRow());
    if (bitsPerPixel == 1 && palette[0] != kBlack) {
        for (uint8_t& byte : rows)
            byte = static_cast<uint8_t>(~byte);
    } else if (bitsPerPixel > 1) {
        // TIFF predictor 2: each sample minus the one a pixel before it.
        const size_t step = static_cast<size_t>(bitsPerPixel / 8);
        for (size_t row = 0; row < static_cast<size_t>(height); ++row)
            for (size_t i = stride - 1; i >= step; --i)
                rows[row * stride + i] =
                    static_cast<uint8_t>(pixels[row * stride + i] - pixels[row * stride + i - step]);
    }
    return ZAV::CCodedBytes(ZAV::ZlibCompress(rows.data(), rows.size()));
}

uint32_t FakePageImage::ColourAt(int32_t x, int32_t y) const
{
    const size_t row = static_cast<size_t>(y) * static_cast<size_t>(BytesPerRow());
    uint32_t entry = 0;
    if (bitsPerPixel == 24)
        return (uint32_t(pixels[row + x * 3]) << 16) | (uint32_t(pixels[row + x * 3 + 1]) << 8) |
               pixels[row + x * 3 + 2];
    if (bitsPerPixel == 1)
        entry = palette[(pixels[row + x / 8] >> (7 - x % 8)) & 1];
    else
        entry = palette[pixels[row + x]];
    return ((entry & 0xFF) << 16) | (entry & 0xFF00) | ((entry >> 16) & 0xFF);
}

std::shared_ptr<FakePageImage> MakePatternImage(int32_t width, int32_t height, int32_t bitsPerPixel, bool colourPalette,
                                                bool whiteFirst)
{
    auto image = std::make_shared<FakePageImage>(width, height, bitsPerPixel);
    const size_t stride = static_cast<size_t>(image->BytesPerRow());
    if (bitsPerPixel == 1) {
        image->palette = whiteFirst ? std::vector<uint32_t>{kWhite, kBlack} : std::vector<uint32_t>{kBlack, kWhite};
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                if ((x * x + 3 * y) % 7 < 3)
                    image->pixels[y * stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    } else if (bitsPerPixel == 8) {
        for (uint32_t i = 0; i < 256; ++i)
            image->palette.push_back(
                colourPalette ? ((i * 7) & 0xFF) | (((255 - i) & 0xFF) << 8) | ((i * 3 & 0xFF) << 16) : i * 0x010101u);
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                image->pixels[y * stride + x] = static_cast<uint8_t>(x * 5 + y * 11);
    } else {
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) {
                image->pixels[y * stride + x * 3] = static_cast<uint8_t>(x * 9);
                image->pixels[y * stride + x * 3 + 1] = static_cast<uint8_t>(y * 13);
                image->pixels[y * stride + x * 3 + 2] = static_cast<uint8_t>(x * y);
            }
    }
    return image;
}

}  // namespace ZAVTest
