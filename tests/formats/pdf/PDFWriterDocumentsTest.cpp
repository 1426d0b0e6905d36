// Whole documents judged by independent readers: qpdf's structure check,
// pdfimages' list of the images, and pdftoppm and ghostscript renders at
// the image's resolution compared with the source pixels.
#include <gtest/gtest.h>

#include <memory>

#include "formats/pdf/PDFCodes.h"
#include "formats/pdf/PdfTestSupport.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

using namespace ZAV;
using namespace ZAVPdfTest;

namespace {

struct PageCase {
    int bitsPerPixel;
    int pdfCoding;
    int tiffCompression;
    int width;
    int height;
    int dpi;
    const char* encoding;  // as pdfimages names it
    const char* colour;
    int tolerance;  // 0 for lossless codings: else the mean difference allowed
};

struct DocumentCase {
    const char* name;
    std::vector<PageCase> pages;
};

void CheckRenders(const std::string& path, const std::vector<std::unique_ptr<CZAVImg>>& images,
                  const std::vector<PageCase>& pages)
{
    for (size_t i = 0; i < pages.size(); ++i)
        for (const char* tool : {"pdftoppm", "gs"}) {
            SCOPED_TRACE(std::string(tool) + " page " + std::to_string(i + 1));
            const Render render = RenderPage(tool, path, pages[i].dpi, static_cast<int>(i + 1));
            ASSERT_EQ(render.problem, "");
            EXPECT_EQ(render.width, pages[i].width);
            EXPECT_EQ(render.height, pages[i].height);
            const std::vector<uint8_t> expected = ExpectedRgb(*images[i]);
            if (pages[i].tolerance == 0)
                EXPECT_EQ(LargestDifference(render.rgb, expected), 0);
            else {
                const double difference = MeanDifference(render.rgb, expected);
                EXPECT_GE(difference, 0);
                EXPECT_LE(difference, pages[i].tolerance);
            }
        }
}

void CheckDocument(const DocumentCase& document)
{
    SCOPED_TRACE(document.name);
    ZAVTest::TempDir folder;
    const std::string path = folder.File("doc.pdf");
    std::vector<std::unique_ptr<CZAVImg>> images;
    std::vector<CZAVImg*> pages;
    for (const PageCase& page : document.pages) {
        images.push_back(std::make_unique<CZAVImg>());
        MakePicture(*images.back(), page.width, page.height, page.bitsPerPixel, page.dpi);
        if (page.bitsPerPixel == 8 && page.pdfCoding == kPdfCodingJpeg)
            images.back()->GetPalette().CreateGrayScale();
        images.back()->m_pdfImageCoding = page.pdfCoding;
        images.back()->m_tiffCompression = page.tiffCompression;
        pages.push_back(images.back().get());
    }
    SaveMultiPdf(*pages[0], pages, path);
    EXPECT_EQ(QpdfProblems(path), "");
    const std::vector<ListedImage> listed = ListImages(path);
    ASSERT_EQ(listed.size(), document.pages.size());
    for (size_t i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(listed[i].page, static_cast<int>(i + 1));
        EXPECT_EQ(listed[i].width, document.pages[i].width);
        EXPECT_EQ(listed[i].height, document.pages[i].height);
        EXPECT_EQ(listed[i].encoding, document.pages[i].encoding);
        EXPECT_EQ(listed[i].colour, document.pages[i].colour);
        EXPECT_EQ(listed[i].bitsPerComponent, document.pages[i].bitsPerPixel == 1 ? 1 : 8);
    }
    CheckRenders(path, images, document.pages);
}

void RequireCheckers()
{
    for (const char* tool : {"qpdf", "pdfimages", "pdftoppm", "gs", "/usr/bin/python3"})
        ASSERT_TRUE(ZAVTest::HaveTool(tool)) << tool;
}

}  // namespace

// Codings that need no other codec: Deflate with and without the TIFF
// predictor, run length, on every depth; pages of whole points and pages
// whose sides are not (a 10-pixel side at 1,000 dpi is 0.72 points).
TEST(PDFWriterDocuments, DeflateAndRunLengthPagesRenderTheirPixels)
{
    RequireCheckers();
    const DocumentCase cases[] = {
        {"1-bit Deflate", {{1, kPdfCodingTiff, kTiffAdobeDeflate, 61, 37, 72, "image", "gray", 0}}},
        {"8-bit Deflate and 24-bit run length at 96 dpi",
         {{8, kPdfCodingTiff, kTiffDeflate, 96, 48, 96, "image", "index", 0},
          {24, kPdfCodingTiff, kTiffNone, 64, 40, 96, "image", "rgb", 0}}},
        {"24-bit Deflate at 300 dpi", {{24, kPdfCodingTiff, kTiffDeflate, 150, 75, 300, "image", "rgb", 0}}},
        {"8-bit run length", {{8, kPdfCodingTiff, kTiffPackBits, 70, 33, 72, "image", "index", 0}}},
        {"sides of fractions of a point",
         {{8, kPdfCodingTiff, kTiffDeflate, 10, 10, 1000, "image", "index", 0},
          {24, kPdfCodingTiff, kTiffNone, 100, 7, 300, "image", "rgb", 0}}},
    };
    for (const DocumentCase& document : cases)
        CheckDocument(document);
}

// The codings made through the TIFF encoder's one strip: CCITT and LZW.
TEST(PDFWriterDocuments, CcittAndLzwPagesRenderTheirPixels)
{
    RequireCheckers();
    const DocumentCase cases[] = {
        {"1-bit G3 one-dimensional and G4",
         {{1, kPdfCodingTiff, kTiffCcittG3, 73, 41, 72, "ccitt", "gray", 0},
          {1, kPdfCodingTiff, kTiffCcittG4, 96, 40, 96, "ccitt", "gray", 0}}},
        {"1-bit LZW at 300 dpi", {{1, kPdfCodingTiff, kTiffLzw, 125, 50, 300, "image", "gray", 0}}},
        {"8-bit and 24-bit LZW",
         {{8, kPdfCodingTiff, kTiffLzw, 55, 31, 72, "image", "index", 0},
          {24, kPdfCodingTiff, kTiffLzw, 47, 29, 72, "image", "rgb", 0}}},
    };
    for (const DocumentCase& document : cases)
        CheckDocument(document);
}

// A 1-bit picture shows black on white whichever palette entry is black:
// CCITT data is coded white-first, the other codings black-first.
TEST(PDFWriterDocuments, BlackFirstAndWhiteFirstPicturesRenderAlike)
{
    RequireCheckers();
    for (int compression : {kTiffCcittG3, kTiffCcittG4, kTiffLzw, kTiffDeflate})
        for (bool whiteFirst : {false, true}) {
            SCOPED_TRACE(std::to_string(compression) + (whiteFirst ? " white first" : " black first"));
            CZAVImg image;
            MakePicture(image, 40, 24, 1, 72);
            if (whiteFirst) {
                image.InvertImage();
                image.GetPalette().CreateWhiteBlack();
            }
            image.m_tiffCompression = compression;
            const std::vector<uint8_t> pixelsBefore(image.GetDataBlock()->GetData<BYTE>(),
                                                    image.GetDataBlock()->GetData<BYTE>() + image.GetImageSize());
            ZAVTest::TempDir folder;
            SavePdf(image, folder.File("bw.pdf"));
            EXPECT_EQ(std::vector<uint8_t>(image.GetDataBlock()->GetData<BYTE>(),
                                           image.GetDataBlock()->GetData<BYTE>() + image.GetImageSize()),
                      pixelsBefore);
            for (const char* tool : {"pdftoppm", "gs"}) {
                const Render render = RenderPage(tool, folder.File("bw.pdf"), 72);
                EXPECT_EQ(LargestDifference(render.rgb, ExpectedRgb(image)), 0) << tool << render.problem;
            }
        }
}

// The internal saves skip the save preparation: Group 3 stays Group 3 and
// 24-bit LZW stays 24-bit, and the image's settings stay as they were.
TEST(PDFWriterDocuments, InternalSavesKeepTheRequestedCoding)
{
    CZAVImg colour, bilevel;
    MakePicture(colour, 20, 10, 24, 72);
    MakePicture(bilevel, 20, 10, 1, 72);
    colour.m_tiffCompression = kTiffLzw;
    bilevel.m_tiffCompression = kTiffCcittG3;
    ASSERT_EQ(colour.m_prepareBeforeSave, 1);
    ZAVTest::TempDir folder;
    SaveMultiPdf(colour, {&colour, &bilevel}, folder.File("t.pdf"));
    const std::string text = ZAVTest::ReadText(folder.File("t.pdf"));
    EXPECT_NE(text.find("/Filter /LZWDecode\n/ColorSpace 9 0 R\n/Width 20\n/Height 10\n/BitsPerComponent 8\n"),
              std::string::npos);
    EXPECT_NE(text.find("9 0 obj\n/DeviceRGB\n"), std::string::npos);
    EXPECT_NE(text.find("/Filter /CCITTFaxDecode\n/DecodeParms << /K 0 /Columns 20 /Rows 10 >>\n"), std::string::npos);
    EXPECT_EQ(colour.GetBitsPerPixel(), 24);
    EXPECT_EQ(colour.m_tiffCompression, kTiffLzw);
    EXPECT_EQ(bilevel.m_tiffCompression, kTiffCcittG3);
    EXPECT_EQ(colour.m_prepareBeforeSave, 1);
    EXPECT_EQ(QpdfProblems(folder.File("t.pdf")), "");
}

TEST(PDFWriterDocuments, JpegPagesRenderCloseToTheirPixels)
{
    RequireCheckers();
    const DocumentCase cases[] = {
        {"24-bit JPEG", {{24, kPdfCodingJpeg, kTiffNone, 96, 64, 72, "jpeg", "rgb", 8}}},
        {"8-bit JPEG on a grey palette and 24-bit JPEG at 300 dpi",
         {{8, kPdfCodingJpeg, kTiffNone, 64, 48, 72, "jpeg", "index", 16},
          {24, kPdfCodingJpeg, kTiffNone, 100, 50, 300, "jpeg", "rgb", 8}}},
    };
    for (const DocumentCase& document : cases)
        CheckDocument(document);
}

// A page coded by the JPEG 2000 plug-in makes the version 1.4 even when it
// is not the first page; its JPXDecode stream is drawn by both readers.
TEST(PDFWriterDocuments, Jpeg2000PageMakesVersion14)
{
    RequireCheckers();
    CZAVImg first, colour;
    MakePicture(first, 48, 32, 24, 72);
    MakePicture(colour, 48, 32, 24, 72);
    int jpeg2000 = -1;
    ASSERT_EQ(colour.GetImportExportDlls().BindDll(ZAVTest::BinPath("ZAVJ2k20.so").c_str(), &jpeg2000), 1);
    colour.m_pdfImageCoding = colour.GetImportExportDlls().GetJpeg2000DllId();
    first.m_tiffCompression = kTiffDeflate;
    ZAVTest::TempDir folder;
    const std::string path = folder.File("jpx.pdf");
    ASSERT_EQ(ZAVTest::ThrownText([&] { SaveMultiPdf(first, {&first, &colour}, path); }), "(nothing thrown)");
    EXPECT_EQ(ZAVTest::ReadText(path).substr(0, 9), "%PDF-1.4\n");
    EXPECT_EQ(QpdfProblems(path), "");
    const std::vector<ListedImage> listed = ListImages(path);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[1].encoding, "jpx");
    for (const char* tool : {"pdftoppm", "gs"}) {
        const Render render = RenderPage(tool, path, 72, 2);
        EXPECT_LE(MeanDifference(render.rgb, ExpectedRgb(colour)), 8) << tool << render.problem;
    }
}

// A page coded by the JBIG2 plug-in (1 = black in the codec) carries no
// inverting /Decode array and renders as it looks, whatever export format
// the image's JBIG2 settings name: the default (10, a whole JBIG2 file) as
// well as the embedded stream (100). The image keeps its own setting.
TEST(PDFWriterDocuments, Jbig2PageRendersWithoutDecodeArray)
{
    RequireCheckers();
    for (int exportFormat : {10, 100}) {
        SCOPED_TRACE("export format " + std::to_string(exportFormat));
        CZAVImg bilevel;
        MakePicture(bilevel, 64, 40, 1, 72);
        int jbig2 = -1;
        ASSERT_EQ(bilevel.GetImportExportDlls().BindDll(ZAVTest::BinPath("ZAVJbg20.so").c_str(), &jbig2), 1);
        bilevel.m_pdfImageCoding = bilevel.GetImportExportDlls().GetJbig2DllId();
        bilevel.m_jbig2Settings[1] = exportFormat;
        ZAVTest::TempDir folder;
        const std::string path = folder.File("jbig2.pdf");
        ASSERT_EQ(ZAVTest::ThrownText([&] { SavePdf(bilevel, path); }), "(nothing thrown)");
        EXPECT_EQ(bilevel.m_jbig2Settings[1], exportFormat);
        const std::string text = ZAVTest::ReadText(path);
        EXPECT_EQ(text.substr(0, 9), "%PDF-1.4\n");
        EXPECT_NE(text.find("/Filter /JBIG2Decode\n/DecodeParms << >>\n/ColorSpace"), std::string::npos);
        EXPECT_EQ(text.find("/Decode ["), std::string::npos);
        // No JBIG2 file header (T.88 D.4.1) inside the stream.
        EXPECT_EQ(text.find("\x97JB2\r\n\x1A\n"), std::string::npos);
        EXPECT_EQ(QpdfProblems(path), "");
        const std::vector<ListedImage> listed = ListImages(path);
        ASSERT_EQ(listed.size(), 1u);
        EXPECT_EQ(listed[0].encoding, "jbig2");
        for (const char* tool : {"pdftoppm", "gs"}) {
            const Render render = RenderPage(tool, path, 72);
            EXPECT_EQ(LargestDifference(render.rgb, ExpectedRgb(bilevel)), 0) << tool << render.problem;
        }
    }
}
