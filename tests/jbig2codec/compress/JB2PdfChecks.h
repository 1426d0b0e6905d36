// What poppler and qpdf make of a PDF page holding one JBIG2 image: the
// image's pixels exactly, the rendered page in size and polarity.
#pragma once

#include <gtest/gtest.h>

#include <string>

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

}  // namespace JB2Test
