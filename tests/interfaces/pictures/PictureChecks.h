// Running the page's picture extraction on a PDF file, and the independent
// readers the results are held against: pdfimages writes its pictures of
// the same file, Pillow compares them pixel for pixel.
#pragma once

#include <string>
#include <vector>

namespace ZAVPictureTest {

struct ExtractedPictures {
    // Decoded pictures saved as .png, stored ones as .jpg/.jp2, in order.
    std::vector<std::string> files;
    std::string log;
};

// GetPictures(1) of the page (1-based) of the file, with both plug-ins
// bound and a log of its own; every picture written into folder.
ExtractedPictures ExtractPictures(const std::string& pdf, const std::string& folder, int page = 1);

// The picture pdfimages writes with its option (-png, -j, -jp2, -tiff) as
// its index-th image of the file; "" when there is none.
std::string PdfimagesPicture(const std::string& pdf, const std::string& option, int index, const std::string& folder);

// The pictures pdfimages writes as PNG for one page (1-based) of the file,
// in the order the page paints them; soft masks and masks left out.
std::vector<std::string> PdfimagesPageImages(const std::string& pdf, int page, const std::string& folder);

// "same" when the two picture files hold the same pixels (kind "pixels")
// or bytes (kind "raw"); else what differs.
std::string ComparePictures(const std::string& ours, const std::string& reference, const std::string& kind);

// The folder with the pictures Pillow and img2pdf make for the tests (made
// once a run).
const std::string& MadePictures();

}  // namespace ZAVPictureTest
