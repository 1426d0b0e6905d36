// What poppler and qpdf make of a PDF page holding one JBIG2 image: the
// image's pixels exactly, the rendered page in size and polarity.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "tests/jbig2codec/JB2DocumentFixture.h"

namespace JB2Test {

inline Picture ReadPbm(const std::string& path)
{
    const auto pictures = ParsePbm(ZAVTest::ReadBytes(path));
    return pictures.size() == 1 ? pictures[0] : Picture{};
}

inline double BlackShare(const Picture& picture)
{
    uint64_t black = 0;
    for (uint8_t byte : picture.rows)
        black += static_cast<uint64_t>(__builtin_popcount(byte));
    return picture.rows.empty() ? 0 : static_cast<double>(black) / (picture.rows.size() * 8.0);
}

// What pdfimages -png and pdftoppm -mono make of the PDF's page.
inline void ExpectPopplerSees(const std::string& pdf, const Picture& expected)
{
    const ZAVTest::TempDir dir;
    const auto check = ZAVTest::Run("qpdf --check " + ZAVTest::ShellQuote(pdf));
    EXPECT_EQ(check.exitCode, 0) << check.output;
    const auto list = ZAVTest::Run("pdfimages -list " + ZAVTest::ShellQuote(pdf));
    EXPECT_NE(list.output.find("jbig2"), std::string::npos) << list.output;
    EXPECT_NE(list.output.find(" 300   300 "), std::string::npos) << list.output;

    const auto images =
        ZAVTest::Run("pdfimages -png " + ZAVTest::ShellQuote(pdf) + " " + ZAVTest::ShellQuote(dir.File("image")));
    ASSERT_EQ(images.exitCode, 0) << images.output;
    const auto convert =
        ZAVTest::Run("/usr/bin/python3 -c \"import sys; from PIL import Image; "
                     "Image.open(sys.argv[1]).convert('1').save(sys.argv[2])\" " +
                     ZAVTest::ShellQuote(dir.File("image-000.png")) + " " + ZAVTest::ShellQuote(dir.File("image.pbm")));
    ASSERT_EQ(convert.exitCode, 0) << convert.output;
    EXPECT_TRUE(ReadPbm(dir.File("image.pbm")) == expected);

    const auto render =
        ZAVTest::Run("pdftoppm -mono -r 300 " + ZAVTest::ShellQuote(pdf) + " " + ZAVTest::ShellQuote(dir.File("page")));
    ASSERT_EQ(render.exitCode, 0) << render.output;
    // poppler smooths images as it draws them, so a rendered page matches
    // in size and polarity (black on white) rather than pixel for pixel.
    const Picture rendered = ReadPbm(dir.File("page-1.pbm"));
    EXPECT_EQ(rendered.width, expected.width);
    EXPECT_EQ(rendered.height, expected.height);
    const double black = BlackShare(rendered);
    EXPECT_NEAR(black, BlackShare(expected), 0.02) << black;
}

// A one-page PDF around the image stream, the page as large as the image
// at 300 dpi, with its cross-reference table.
inline std::vector<uint8_t> WrapStream(const std::vector<uint8_t>& stream, uint32_t width, uint32_t height)
{
    std::string pdf = "%PDF-1.4\n";
    std::vector<size_t> offsets;
    // 0.24 points a pixel.
    char size[64];
    snprintf(size, sizeof size, "%.2f 0 0 %.2f", width * 0.24, height * 0.24);
    const std::string content = std::string("q ") + size + " 0 0 cm /Im1 Do Q";
    snprintf(size, sizeof size, "%.2f %.2f", width * 0.24, height * 0.24);
    const std::string objects[] = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + std::string(size) +
            "] /Resources << /XObject << /Im1 4 0 R >> >> "
            "/Contents 5 0 R >>",
        "<< /Type /XObject /Subtype /Image /Width " + std::to_string(width) + " /Height " + std::to_string(height) +
            " /ColorSpace /DeviceGray /BitsPerComponent 1 /Filter /JBIG2Decode /Length " +
            std::to_string(stream.size()) + " >>\nstream\n" + std::string(stream.begin(), stream.end()) + "\nendstream",
        "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream",
    };
    for (size_t i = 0; i < 5; ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const size_t xref = pdf.size();
    pdf += "xref\n0 6\n0000000000 65535 f \n";
    for (size_t offset : offsets) {
        char line[24];
        snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        pdf += line;
    }
    pdf += "trailer\n<< /Size 6 /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return std::vector<uint8_t>(pdf.begin(), pdf.end());
}

}  // namespace JB2Test
