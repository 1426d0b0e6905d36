// Compressed pages as PDF: the whole PDF file and the stream for a PDF image
// read back by poppler and qpdf as the input pixels, black on white.
#include "tests/jbig2codec/compress/JB2CompressFixture.h"
#include "tests/jbig2codec/compress/JB2PdfChecks.h"

using namespace JB2Test;

namespace {

// A page of text lines and rules, A4 at 300 dpi.
Page A4Page()
{
    Page page = TextPage("a4", 2480, 3508, 11);
    for (uint32_t x = 100; x < 2380; ++x)
        page.Set(x, 3300);
    return page;
}

}  // namespace

TEST(JB2CompressPdf, APageAsPdfAndAsStreamReadsBackBlackOnWhite)
{
    for (const char* tool : {"qpdf", "pdfimages", "pdftoppm", "jbig2dec", "/usr/bin/python3"})
        ASSERT_TRUE(ZAVTest::HaveTool(tool)) << tool;
    const Page page = A4Page();
    const Picture expected = PictureOf(page);
    Compression c;
    c.SetSize(page.width, page.height, 11811);  // 300 dpi
    c.SetChoice({cJB2_Coder_Arithmetic, 0, cJB2_Matching_None, cJB2_Encoding_Lossless});
    ASSERT_EQ(c.Run(page), 0) << c.messages.All();
    const ZAVTest::TempDir dir;

    const std::vector<uint8_t> pdf = c.Export(cJB2_Export_Format_PDF);
    const std::string text(pdf.begin(), pdf.end());
    EXPECT_NE(text.find("595.20 841.92]"), std::string::npos);
    ZAVTest::WriteBytes(dir.File("page.pdf"), pdf);
    ExpectPopplerSees(dir.File("page.pdf"), expected);

    const std::vector<uint8_t> stream = c.Export(cJB2_Export_Format_Stream_For_PDF);
    EXPECT_EQ(Jbig2dec(stream, true), std::vector<Picture>{expected});
    ZAVTest::WriteBytes(dir.File("wrapped.pdf"), WrapStream(stream, page.width, page.height));
    ExpectPopplerSees(dir.File("wrapped.pdf"), expected);
}
