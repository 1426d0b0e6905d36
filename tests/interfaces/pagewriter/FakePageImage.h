// A page picture with settings chosen by the test. Its run-length and
// Deflate codings are written here (PackBits; zlib over TIFF-predicted rows,
// 1-bit rows black-first), so pages of those codings render without the
// image-edit object; other filters give placeholder bytes.
#pragma once

#include "interfaces/pagewriter/PageImage.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace ZAVTest {

class FakePageImage : public ZAV::CPageImage {
public:
    FakePageImage(int32_t width, int32_t height, int32_t bitsPerPixel, int32_t dpi = 72);

    int32_t GetWidth() override { return width; }
    int32_t GetHeight() override { return height; }
    int32_t GetBitsPerPixel() override { return bitsPerPixel; }
    int32_t GetXResolution() override { return xDpi; }
    int32_t GetYResolution() override { return yDpi; }
    int32_t GetPdfImageCoding() override { return coding; }
    int32_t GetTiffCompression() override { return compression; }
    void SetTiffCompression(int32_t value) override { compression = value; }
    int32_t GetTiffT4Options() override { return t4Options; }
    int32_t GetJbig2DllId() override { return jbig2Id; }
    int32_t GetJpeg2000DllId() override { return jpeg2000Id; }
    bool IsGrayScale() override;
    int32_t GetPaletteCount() override { return static_cast<int32_t>(palette.size()); }
    uint32_t GetPaletteEntry(int32_t index) override;
    void SetMinIsBlack() override;
    void SetMinIsWhite() override;
    ZAV::CCodedBytes Encode(ZAV::ePageImageFilter filter) override;

    // The colour the picture shows at a pixel, 0xRRGGBB.
    uint32_t ColourAt(int32_t x, int32_t y) const;
    int32_t BytesPerRow() const { return bitsPerPixel == 1 ? (width + 7) / 8 : width * (bitsPerPixel / 8); }

    int32_t width, height, bitsPerPixel, xDpi, yDpi;
    int32_t coding = 5;
    int32_t compression = 32946;
    int32_t t4Options = 0;
    int32_t jbig2Id = -1;
    int32_t jpeg2000Id = -1;
    std::vector<uint32_t> palette;  // 0x00BBGGRR
    std::vector<uint8_t> pixels;    // rows top-down
    std::string encodeFailure;      // Encode throws it when set
    std::vector<std::string> calls;

private:
    void SwapBlackAndWhite();
};

// A picture with a pattern every pixel of which tells its position apart:
// 1 bit (black-first unless whiteFirst), 8 bits (grey ramp or a colour
// palette) or 24 bits.
std::shared_ptr<FakePageImage> MakePatternImage(int32_t width, int32_t height, int32_t bitsPerPixel,
                                                bool colourPalette = false, bool whiteFirst = false);

}  // namespace ZAVTest
