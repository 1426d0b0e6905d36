// Rendering a PDF page with poppler (pdftoppm) or Ghostscript into RGB
// pixels, so tests can compare what readers show with the source picture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ZAVTest {

struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // rows top-down, three bytes a pixel

    // The pixel as 0xRRGGBB.
    uint32_t At(int x, int y) const
    {
        const size_t i = (static_cast<size_t>(y) * width + x) * 3;
        return (uint32_t(rgb[i]) << 16) | (uint32_t(rgb[i + 1]) << 8) | rgb[i + 2];
    }
};

// Reads a binary PPM (P6, maxval 255); an empty picture when it cannot.
RgbPicture ReadPpm(const std::string& path);

// Page 1-based of the PDF at dpi, by "pdftoppm" or "gs", each pixel as the
// reader draws it; an empty picture when the tool fails.
RgbPicture RenderPage(const std::string& tool, const std::string& pdf, int page, int dpi);

}  // namespace ZAVTest
