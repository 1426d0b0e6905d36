// Pictures for the PDF writer tests and the independent readers that judge
// what it writes: qpdf, pdfimages, pdftoppm and ghostscript, with Pillow to
// read their renders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/object/ZAVImg.h"

namespace ZAVPdfTest {

// A picture with a pattern every codec must keep: 1 bit a checker of 3-pixel
// squares with a diagonal, 8 bits indices running over the palette, 24 bits
// colour ramps.
void MakePicture(ZAV::CZAVImg& image, int width, int height, int bitsPerPixel, int dpi);
// The picture as RGB bytes, the way a reader shows it through the palette.
std::vector<uint8_t> ExpectedRgb(const ZAV::CZAVImg& image);

// The document as a file through the writer (no save preparation).
void SavePdf(ZAV::CZAVImg& image, const std::string& path);
void SaveMultiPdf(ZAV::CZAVImg& owner, std::vector<ZAV::CZAVImg*> pages, const std::string& path);

// qpdf --check output when it fails, empty when the file passes.
std::string QpdfProblems(const std::string& path);

struct ListedImage {
    int page = 0;
    int width = 0;
    int height = 0;
    std::string colour;
    int bitsPerComponent = 0;
    std::string encoding;
    int object = 0;
};
std::vector<ListedImage> ListImages(const std::string& path);

struct Render {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    std::string problem;
};
// The stream data of an object as the file stores it (qpdf).
std::vector<uint8_t> RawStreamData(const std::string& path, int object);
// A picture file's pixel bytes as Pillow gives them (tobytes) after the
// conversion to the mode ("" keeps the file's mode), and its size.
std::vector<uint8_t> PillowPixels(const std::string& path, const std::string& mode, int& width, int& height);

// Page 1 rendered at the given resolution by "pdftoppm" or "gs".
Render RenderPage(const std::string& tool, const std::string& path, int dpi, int page = 1);

// Largest difference of one byte between the two; -1 when the sizes differ.
int LargestDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);
// Mean difference of the bytes; -1 when the sizes differ.
double MeanDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);

}  // namespace ZAVPdfTest
