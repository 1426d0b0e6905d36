// One-page PDF files holding image XObjects, written object by object, and
// the raw data the picture tests put into their streams: PNG-predicted,
// TIFF-predicted and run-length coded rows, made here so that independent
// readers (pdfimages, Pillow) judge what the program makes of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "interfaces/PdfFileBuilder.h"

namespace ZAVPictureTest {

typedef std::vector<uint8_t> Bytes;

class PicturePdf {
public:
    PicturePdf();

    int Object(const std::string& body) { return m_builder.Add(body); }
    int Stream(const std::string& entries, const std::string& data) { return m_builder.AddStream(entries, data); }
    // An image XObject, painted on the page under a name of its own.
    int Image(const std::string& entries, const std::string& data);
    // An image XObject nothing paints or names.
    int HiddenImage(const std::string& entries, const std::string& data);
    // Paints an XObject already written (again) under a new name.
    void Paint(int number, const char* prefix = "Im");
    std::string Build() const;

private:
    ZAVTest::PdfFileBuilder m_builder;
    int m_catalog;
    int m_pages;
    int m_page;
    int m_names = 0;
    std::string m_resources;
    std::string m_content;
};

// "/Width w /Height h /BitsPerComponent b /ColorSpace cs" and more.
std::string ImageEntries(int width, int height, int bits, const std::string& colorSpace,
                         const std::string& more = std::string());

std::string Text(const Bytes& bytes);
std::string Deflated(const Bytes& bytes);
// PackBits: repeats of three or more as runs, the rest as literals, closed
// by the end-of-data byte.
std::string RunLengthCoded(const Bytes& bytes);
// Rows prefixed with PNG filter types, alternately None and Sub.
Bytes PngPredicted(const Bytes& rows, int rowBytes, int pixelBytes);
// Each sample minus the one a pixel before it (TIFF predictor 2, 8 bits).
Bytes TiffPredicted(const Bytes& rows, int rowBytes, int pixelBytes);

// Test pictures of width x height: a 1-bit pattern (rows padded to bytes),
// 8-bit ramps and pixels of `components` samples.
Bytes BilevelRows(int width, int height);
Bytes SampleRows(int width, int height, int components);

}  // namespace ZAVPictureTest
