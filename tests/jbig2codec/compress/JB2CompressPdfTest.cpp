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

// A one-page PDF around the image stream, with its cross-reference table.
std::vector<uint8_t> WrapStream(const std::vector<uint8_t>& stream, uint32_t width, uint32_t height)
{
    std::string pdf = "%PDF-1.4\n";
    std::vector<size_t> offsets;
    const std::string content = "q 595.2 0 0 841.92 0 0 cm /Im1 Do Q";
    const std::string objects[] = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595.2 841.92] /Resources << /XObject << /Im1 4 0 R >> >> "
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
