// The text the writer produces: object numbering, the /Kids rewrite, the
// information strings, page sizes, palettes and the settings checks.
#include <gtest/gtest.h>

#include <regex>

#include "foundation/datasource/DataSource.h"
#include "formats/pdf/PDFCodes.h"
#include "formats/pdf/PDFEncoder.h"
#include "formats/pdf/PdfTestSupport.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

using namespace ZAV;
using namespace ZAVPdfTest;
using ZAVTest::ThrownText;

namespace {

// The document as text, written into a growing in-memory target.
std::string WriteToText(CZAVImg& owner, std::vector<CZAVImg*> pages)
{
    ZAVTest::TempDir folder;
    SaveMultiPdf(owner, pages, folder.File("t.pdf"));
    return ZAVTest::ReadText(folder.File("t.pdf"));
}

class CRawResolutionImage : public CZAVImg {
public:
    // The plain fields, 0 included, which the setter would replace.
    void SetRawResolution(int x, int y)
    {
        m_xResolution = x;
        m_yResolution = y;
    }
};

void MakeRunLengthPicture(CZAVImg& image, int width, int height, int bitsPerPixel)
{
    MakePicture(image, width, height, bitsPerPixel, 72);
    image.m_tiffCompression = bitsPerPixel == 1 ? kTiffAdobeDeflate : kTiffNone;
}

}  // namespace

TEST(PDFWriterText, TwoPagesNumberTheirObjectsAndFillKids)
{
    CZAVImg first, second;
    MakeRunLengthPicture(first, 20, 10, 24);
    MakeRunLengthPicture(second, 20, 10, 8);
    const std::string text = WriteToText(first, {&first, &second});
    EXPECT_NE(text.find("/Kids [   4 0 R   10 0 R ]\n/Count 2\n"), std::string::npos);
    EXPECT_NE(text.find("/XObject << /Im1 13 0 R >>"), std::string::npos);
    EXPECT_NE(text.find("\nxref\n0 18\n"), std::string::npos);  // 3 + 6 + 8 objects
    EXPECT_NE(text.find("/Size 18\n"), std::string::npos);
    EXPECT_EQ(text.substr(0, 9), "%PDF-1.2\n");
    EXPECT_EQ(text.substr(text.size() - 6), "%%EOF\n");
    EXPECT_NE(text.find("/Filter /RunLengthDecode\n/ColorSpace 15 0 R\n/Width 20\n/Height 10\n/BitsPerComponent 8\n"),
              std::string::npos);
}

// Every offset in the table points at its object, and startxref at the table.
TEST(PDFWriterText, CrossReferenceOffsetsPointAtTheirObjects)
{
    CZAVImg image;
    MakeRunLengthPicture(image, 9, 5, 8);
    const std::string text = WriteToText(image, {&image});
    const size_t xref = text.rfind("\nxref\n") + 1;
    EXPECT_NE(text.find("startxref\n" + std::to_string(xref) + "\n"), std::string::npos);
    std::smatch match;
    std::string rest = text.substr(xref);
    int object = 0;
    while (std::regex_search(rest, match, std::regex("(\\d{10}) (\\d{5}) ([nf]) \n"))) {
        if (match[3] == "n") {
            EXPECT_EQ(text.compare(std::stoul(match[1]), std::to_string(object).size() + 7,
                                   std::to_string(object) + " 0 obj\n"),
                      0)
                << object;
        }
        ++object;
        rest = match.suffix();
    }
    EXPECT_EQ(object, 12);  // the free entry and objects 1 to 11
}

// More than 10000 objects: the /Kids numbers widen instead of overwriting
// the text after the placeholder.
TEST(PDFWriterText, TenThousandObjectsKeepAValidPageTree)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ASSERT_TRUE(ZAVTest::HaveTool("pdfimages"));
    constexpr int kPages = 1260;
    std::vector<std::unique_ptr<CZAVImg>> images;
    std::vector<CZAVImg*> pages;
    for (int i = 0; i < kPages; ++i) {
        images.push_back(std::make_unique<CZAVImg>());
        MakeRunLengthPicture(*images.back(), 2, 2, 8);
        pages.push_back(images.back().get());
    }
    ZAVTest::TempDir folder;
    SaveMultiPdf(*pages[0], pages, folder.File("many.pdf"));
    const std::string text = ZAVTest::ReadText(folder.File("many.pdf"));
    EXPECT_NE(text.find("/Kids [    4 0 R    12 0 R "), std::string::npos);
    EXPECT_NE(text.find(" 10076 0 R ]\n/Count 1260\n"), std::string::npos);
    EXPECT_EQ(QpdfProblems(folder.File("many.pdf")), "");
    EXPECT_EQ(ListImages(folder.File("many.pdf")).size(), static_cast<size_t>(kPages));
}

TEST(PDFWriterText, InformationTextsAreEscapedLiteralStrings)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    CZAVImg image;
    MakeRunLengthPicture(image, 4, 4, 24);
    image.m_settingTexts[4] = String("a(b)c\\d)");
    image.m_settingTexts[0] = String("maker");
    ZAVTest::TempDir folder;
    SavePdf(image, folder.File("t.pdf"));
    const std::string text = ZAVTest::ReadText(folder.File("t.pdf"));
    EXPECT_NE(text.find("<<\n/Creator (maker)\n/CreationDate ()\n/Author ()\n/Producer ()\n/Title (a\\(b\\)c\\\\d\\))\n"
                        "/Subject ()\n/Keywords ()\n>>\n"),
              std::string::npos);
    const ZAVTest::RunResult shown = ZAVTest::Run("qpdf --show-object=1 " + folder.File("t.pdf"));
    EXPECT_NE(shown.output.find("/Title (a\\(b\\)c\\\\d\\))"), std::string::npos) << shown.output;
    EXPECT_EQ(QpdfProblems(folder.File("t.pdf")), "");
}

// The image a save is called on gives the texts, whatever image the
// encoder was made over.
TEST(PDFWriterText, SavedImageSuppliesTheTexts)
{
    CZAVImg other, image;
    MakeRunLengthPicture(image, 4, 4, 24);
    other.m_settingTexts[4] = String("other");
    image.m_settingTexts[4] = String("saved");
    std::vector<char> block(65536);
    CDataSource target;
    ASSERT_TRUE(target.OpenMemoryForWriting(block.data(), block.size()));
    CPDFEncoder encoder(&other);
    uint32_t bytes = 0;
    encoder.SavePicture(&image, &target, &bytes);
    const std::string text(block.data(), bytes);
    EXPECT_NE(text.find("/Title (saved)\n"), std::string::npos);
}

// Page sides are reals, not cut to whole points, and never 0: the page
// and the image's matrix agree.
TEST(PDFWriterText, PageSizeFollowsResolutionAndZeroTakes72)
{
    struct Case {
        int width, height, xDpi, yDpi;
        const char *pageWidth, *pageHeight;
    };
    const Case cases[] = {
        {100, 50, 72, 72, "100.00", "50.00"}, {300, 600, 300, 150, "72.00", "288.00"},
        {96, 10, 96, 0, "72.00", "10.00"},    {30, 20, 0, 0, "30.00", "20.00"},
        {10, 10, 1000, 1000, "0.72", "0.72"}, {100, 7, 300, 200, "24.00", "2.52"},
        {1, 1, 100000, 72, "0.01", "1.00"},
    };
    for (const Case& c : cases) {
        CRawResolutionImage image;
        MakeRunLengthPicture(image, c.width, c.height, 24);
        image.SetRawResolution(c.xDpi, c.yDpi);
        const std::string text = WriteToText(image, {&image});
        const std::string box = std::string("/MediaBox [0 0 ") + c.pageWidth + " " + c.pageHeight + "]\n";
        const std::string matrix = std::string("q\n") + c.pageWidth + " 0 0 " + c.pageHeight + " 0 0 cm\n";
        EXPECT_NE(text.find(box), std::string::npos) << box;
        EXPECT_NE(text.find(matrix), std::string::npos) << matrix;
    }
}

// The /Indexed hival and the palette stream agree on the entry count.
TEST(PDFWriterText, IndexedColourSpaceCountsThePalette)
{
    ASSERT_TRUE(ZAVTest::HaveTool("gs"));
    CZAVImg image;
    MakeRunLengthPicture(image, 12, 8, 8);
    uint32_t entries[16];
    for (int i = 0; i < 16; ++i)
        entries[i] = MakePaletteEntry(static_cast<BYTE>(i * 16), 0, static_cast<BYTE>(255 - i * 16));
    image.GetPalette().Assign(entries, 16);
    BYTE** rows = image.GetLineArray();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x)
            rows[y][x] = static_cast<BYTE>((x + y) % 16);
    ZAVTest::TempDir folder;
    SavePdf(image, folder.File("t.pdf"));
    const std::string text = ZAVTest::ReadText(folder.File("t.pdf"));
    EXPECT_NE(text.find("[ /Indexed /DeviceRGB 15 10 0 R ]\n"), std::string::npos);
    EXPECT_NE(text.find("11 0 obj\n48\nendobj\n"), std::string::npos);
    EXPECT_EQ(QpdfProblems(folder.File("t.pdf")), "");
    const Render render = RenderPage("gs", folder.File("t.pdf"), 72);
    EXPECT_EQ(LargestDifference(render.rgb, ExpectedRgb(image)), 0) << render.problem;
}

TEST(PDFWriterText, SettingsTheWriterCannotCarryAreRefused)
{
    struct Case {
        int bitsPerPixel, coding, compression, t4Options;
        const char* text;
    };
    const Case cases[] = {
        {1, kPdfCodingTiff, kTiffNone, 0, "Invalid PDF/TIFF compression mode for 1bit Black&White image!"},
        {1, kPdfCodingTiff, kTiffCcittG3, 1, "Invalid CCITTFAX3 option! 2D not supported."},
        {8, kPdfCodingTiff, kTiffCcittG4, 0, "Invalid PDF/TIFF compression mode for 8bit palette or 24bit RGB image!"},
        {8, kPdfCodingJpeg, kTiffNone, 0, "Invalid PDF/TIFF compression mode for 8bit palette or 24bit RGB image!"},
        {32, kPdfCodingTiff, kTiffNone, 0, "Requires 1, 8 or 24bpp image for PDF export!"},
        {24, 77, kTiffNone, 0,
         "Unsupported PDF subformat value 77. Ensure that you attached the filter dlls. Use zavifTIF or the Jpeg2000 "
         "or JBIG2 filter dll Id's."},
    };
    for (const Case& c : cases) {
        CZAVImg image;
        MakePicture(image, 8, 8, c.bitsPerPixel == 32 ? 24 : c.bitsPerPixel, 72);
        if (c.bitsPerPixel == 32)
            image.Create(8, 8, 32);
        image.m_pdfImageCoding = c.coding;
        image.m_tiffCompression = c.compression;
        image.m_tiffOptionB = c.t4Options;
        CPDFEncoder encoder(&image);
        EXPECT_EQ(ThrownText([&] { encoder.CheckCompression(); }), c.text);
    }
}

// A target that refuses writes fails the save with its text, never a
// "successful" short file.
TEST(PDFWriterText, RefusedWriteFailsTheSave)
{
    CZAVImg image;
    MakeRunLengthPicture(image, 40, 40, 24);
    std::vector<uint8_t> block(600);
    CDataSource target;
    ASSERT_TRUE(target.OpenMemoryForWriting(block.data(), block.size()));
    CPDFEncoder encoder;
    uint32_t bytes = 0;
    EXPECT_EQ(ThrownText([&] { encoder.SavePicture(&image, &target, &bytes); }), "Error writing to file!");
}

TEST(PDFWriterText, DeflateNamesItsPredictorOnlyWhenTheDataCarriesIt)
{
    struct Case {
        int bitsPerPixel, predictor;
        const char* parameters;
    };
    const Case cases[] = {
        {24, 2,
         "/Filter /FlateDecode\n/DecodeParms << /Predictor 2 /Colors 3 /BitsPerComponent 8 /Columns 6 >>\n"
         "/ColorSpace"},
        {8, 2,
         "/Filter /FlateDecode\n/DecodeParms << /Predictor 2 /Colors 1 /BitsPerComponent 8 /Columns 6 >>\n"
         "/ColorSpace"},
        {8, 1, "/Filter /FlateDecode\n/ColorSpace"},
        {1, 2, "/Filter /FlateDecode\n/ColorSpace"},
    };
    for (const Case& c : cases) {
        CZAVImg image;
        MakePicture(image, 6, 4, c.bitsPerPixel, 72);
        image.m_tiffCompression = kTiffAdobeDeflate;
        image.m_tiffOptionA = c.predictor;
        const std::string text = WriteToText(image, {&image});
        EXPECT_NE(text.find(c.parameters), std::string::npos) << c.parameters;
        EXPECT_EQ(image.m_tiffCompression, kTiffDeflate);
    }
}

// The smallest JPEG document, byte for byte around the JPEG data.
TEST(PDFWriterText, JpegPageKeepsItsBytes)
{
    CZAVImg image;
    MakePicture(image, 100, 50, 24, 72);
    image.m_pdfImageCoding = kPdfCodingJpeg;
    const std::string text = WriteToText(image, {&image});
    const std::string head =
        "%PDF-1.2\n1 0 obj\n<<\n/Creator ()\n/CreationDate ()\n/Author ()\n/Producer ()\n/Title ()\n/Subject ()\n"
        "/Keywords ()\n>>\nendobj\n2 0 obj\n<<\n/Type /Catalog\n/Pages 3 0 R\n>>\nendobj\n3 0 obj\n<<\n/Type "
        "/Pages\n/Kids [   4 0 R ]\n/Count 1\n/MediaBox [0 0 0 0]\n>>\nendobj\n4 0 obj\n<<\n/Type /Page\n/Parent 3 "
        "0 R\n/MediaBox [0 0 100.00 50.00]\n/Resources\n<<\n/XObject << /Im0 7 0 R >>\n/ProcSet 6 0 R \n>>\n/Contents "
        "[5 0 "
        "R]\n>>\nendobj\n5 0 obj\n<<\n/Length 35\n>>\nstream\nq\n100.00 0 0 50.00 0 0 cm\n/Im0 "
        "Do\nQ\nendstream\nendobj\n6 "
        "0 obj\n[ /PDF /ImageC ]\nendobj\n7 0 obj\n<<\n/Type /XObject\n/Subtype /Image\n/Name /Im0\n/Filter "
        "/DCTDecode\n/Interpolate true\n/ColorSpace 9 0 R\n/Width 100\n/Height 50\n/BitsPerComponent 8\n/Length 8 0 "
        "R\n>>\nstream\n\xFF\xD8";
    ASSERT_EQ(text.substr(0, head.size()), head);
    const size_t end = text.find("\nendstream\nendobj\n8 0 obj\n");
    ASSERT_NE(end, std::string::npos);
    const std::string length = std::to_string(end - (head.size() - 2));
    const std::string tail =
        "\nendstream\nendobj\n8 0 obj\n" + length + "\nendobj\n9 0 obj\n/DeviceRGB\nendobj\nxref\n0 10\n";
    EXPECT_EQ(text.compare(end, tail.size(), tail), 0);
    EXPECT_NE(text.find("trailer\n<<\n/Size 10\n/Root 2 0 R\n/Info 1 0 R\n>>\nstartxref\n"), std::string::npos);
}
