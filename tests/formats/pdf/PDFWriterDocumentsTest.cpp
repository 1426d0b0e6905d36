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
// predictor, run length, on every depth, with resolutions that make whole
// page sizes.
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
    };
    for (const DocumentCase& document : cases)
        CheckDocument(document);
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
