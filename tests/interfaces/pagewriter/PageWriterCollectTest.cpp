// What the page writer accepts and refuses while a page is collected.
#include "FakePageImage.h"
#include "PageWriterFixture.h"
#include "support/ThrownText.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"

#include <gtest/gtest.h>

#include <functional>
#include <locale>

namespace {

using namespace ZAV;
using ZAVTest::FakePageImage;
using ZAVTest::MakePatternImage;
using ZAVTest::ThrownText;

const _PdfRect kNatural = {0, 0, 0, 0};

struct DecimalComma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(PageWriterNames, OnlyLettersAndDigitsRemain)
{
    const struct {
        const char* given;
        const char* normalised;
    } cases[] = {
        {"Main 1", "Main1"}, {"a-b_c.d", "abcd"}, {"Äpfel/2", "pfel2"}, {"(*)", ""}, {"AbC09", "AbC09"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CZAVPdfDocumentPageWriter::NormaliseName(c.given), c.normalised) << c.given;
}

TEST(PageWriterNames, MasksAndImagesShareOneCaseSensitiveNameSpace)
{
    ZAVTest::PageWriterFixture page;
    CZAVPdfDocumentPageWriter& writer = page.Writer();
    writer.ResetPage();
    writer.AddMask(&kNatural, "a-b", MakePatternImage(8, 8, 1));
    EXPECT_EQ(ThrownText([&] { writer.AddImage(&kNatural, "ab", MakePatternImage(8, 8, 8)); }),
              "Image 'ab' already available. Please use a different name!");
    EXPECT_EQ(ThrownText([&] { writer.AddImageToLayer(&kNatural, "a.b", "L", MakePatternImage(8, 8, 8)); }),
              "Image 'ab' already available. Please use a different name!");
    writer.AddImage(&kNatural, "AB", MakePatternImage(8, 8, 8));
    // Punctuation alone is the empty name, free once.
    writer.AddImage(&kNatural, "--", MakePatternImage(8, 8, 8));
    EXPECT_EQ(ThrownText([&] { writer.AddImage(&kNatural, "..", MakePatternImage(8, 8, 8)); }),
              "Image '' already available. Please use a different name!");
    // A content image may serve as a mask name; an unknown one may not.
    writer.AddImageWithMask(&kNatural, "c", MakePatternImage(8, 8, 8), "A-B");
    EXPECT_EQ(ThrownText([&] { writer.AddImageWithMask(&kNatural, "d", MakePatternImage(8, 8, 8), "x y"); }),
              "Mask image not available. Please add the mask 'xy' using the function AddMask!");
}

TEST(PageWriterNames, FontsAreNamedOncePerPage)
{
    ZAVTest::PageWriterFixture page;
    CZAVPdfDocumentPageWriter& writer = page.Writer();
    writer.ResetPage();
    writer.AddFont("Cour ier", "Courier");
    EXPECT_EQ(ThrownText([&] { writer.AddFont("Courier", "Courier-Bold"); }),
              "Font 'Courier' already available. Please use a different name!");
    const _PdfRect rect = {10, 20, 100, 40};
    EXPECT_EQ(ThrownText([&] { writer.AddText(&rect, "x", "Helv", 0, 10); }),
              "Font not available. Please add the font 'Helv' using the function AddFont!");
    writer.ResetPage();
    EXPECT_EQ(ThrownText([&] { writer.AddText(&rect, "x", "Courier", 0, 10); }),
              "Font not available. Please add the font 'Courier' using the function AddFont!");
}

TEST(PageWriterCoding, CheckImageCodingByCodingDepthAndCompression)
{
    const std::string ok = "(nothing thrown)";
    const std::string tiff1 = "Invalid PDF/TIFF compression mode for 1bit Black&White image!";
    const std::string tiff8 = "Invalid PDF/TIFF compression mode for 8bit palette or 24bit RGB image!";
    const std::string jpeg = tiff8 + " JPG just valid for grayscale or RGB image.";
    const std::string depth = "Requires 1, 8 or 24bpp image for PDF export!";
    const struct {
        int coding, bpp, compression, t4;
        bool grey;
        std::string expected;
    } cases[] = {
        {5, 1, 4, 0, false, ok},
        {5, 1, 3, 0, false, ok},
        {5, 1, 3, 1, false, "Invalid CCITTFAX3 option! 2D not supported."},
        {5, 1, 5, 0, false, ok},
        {5, 1, 8, 0, false, ok},
        {5, 1, 32946, 0, false, ok},
        {5, 1, 32773, 0, false, tiff1},
        {5, 1, 1, 0, false, tiff1},
        {5, 8, 5, 0, false, ok},
        {5, 8, 32773, 0, false, ok},
        {5, 24, 1, 0, false, ok},
        {5, 24, 4, 0, false, tiff8},
        {5, 8, 3, 0, false, tiff8},
        {4, 24, 0, 0, false, ok},
        {4, 8, 0, 0, true, ok},
        {4, 8, 0, 0, false, jpeg},
        {4, 1, 0, 0, false, jpeg},
        {102, 1, 0, 0, false, ok},
        {102, 8, 0, 0, false, "Invalid PDF/JBIG2 compression mode for 1bit Black&White image!"},
        {101, 24, 0, 0, false, ok},
        {77, 8, 0, 0, false, ok},
        {5, 16, 5, 0, false, depth},
        {5, 32, 5, 0, false, depth},
        {4, 32, 0, 0, false, depth},
        {101, 16, 0, 0, false, depth},
    };
    for (const auto& c : cases) {
        FakePageImage image(4, 4, c.bpp);
        image.coding = c.coding;
        image.compression = c.compression;
        image.t4Options = c.t4;
        image.jpeg2000Id = 101;
        image.jbig2Id = 102;
        for (uint32_t i = 0; i < 256; ++i)
            image.palette.push_back(c.grey ? i * 0x010101u : i);
        EXPECT_EQ(ThrownText([&] { CZAVPdfDocumentPageWriter::CheckImageCoding(image); }), c.expected)
            << "coding " << c.coding << " depth " << c.bpp << " compression " << c.compression;
    }
}

TEST(PageWriterCoding, AMaskMustBeBlackAndWhiteBeforeItsCodingIsTested)
{
    ZAVTest::PageWriterFixture page;
    page.Writer().ResetPage();
    auto mask = MakePatternImage(8, 8, 8);
    mask->coding = 77;
    EXPECT_EQ(ThrownText([&] { page.Writer().AddMask(&kNatural, "m", mask); }),
              "Mask imagedata has to be black&white!");
    // Nothing of a refused add is kept: the name is still free.
    page.Writer().AddMask(&kNatural, "m", MakePatternImage(8, 8, 1));
}

// A null rectangle, image or image array is refused through the interface
// as well, before anything is kept.
TEST(PageWriterCoding, NullPointersAreRefused)
{
    ZAVTest::PageWriterFixture page;
    IZAVPdfDocumentPageWriterCpp* writer = page.Object()->GetPageWriter();
    writer->ResetPage();
    writer->AddFont("Courier", "Courier");
    CZAVPtr<IZAVImageEditSp> image = CreateImageEditSp();
    image->Create(8, 8, zavbpp1);
    const std::string rect = "Null pointer provided for rectangle";
    const std::string picture = "Null pointer provided for image";
    const struct {
        std::function<void()> call;
        std::string expected;
    } cases[] = {
        {[&] { writer->AddText(nullptr, "x", "Courier", 0, 10); }, rect},
        {[&] { writer->AddUrlLink(nullptr, "https://example.org/"); }, rect},
        {[&] { writer->AddImage(nullptr, "a", image.Get()); }, rect},
        {[&] { writer->AddMask(nullptr, "a", image.Get()); }, rect},
        {[&] { writer->AddImageToLayer(nullptr, "a", "L", image.Get()); }, rect},
        {[&] { writer->AddImage(&kNatural, "a", nullptr); }, picture},
        {[&] { writer->AddMask(&kNatural, "a", nullptr); }, picture},
        {[&] { writer->GetImageRect(nullptr); }, picture},
        {[&] { writer->AddImageAsPage(nullptr); }, picture},
        {[&] { writer->AddImageArray(nullptr); }, "Null pointer provided for image array"},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(ThrownText(cases[i].call), cases[i].expected) << "case " << i;
    // Nothing was kept: the page has no objects and no link.
    EXPECT_EQ(ThrownText([&] { writer->WritePage(); }),
              "No objects added, please use the Add functions to add Text or imagedata!");
    EXPECT_EQ(page.Document().GetPageCount(), 0);
}

TEST(PageWriterRects, ImageContentAndPlacementRectangles)
{
    FakePageImage image(2480, 3508, 1, 300);
    const _PdfRect natural = CZAVPdfDocumentPageWriter::GetImageRect(image);
    EXPECT_DOUBLE_EQ(natural.x2, 595.2);
    EXPECT_DOUBLE_EQ(natural.y2, 841.92);
    // An unknown resolution counts as 72 dpi instead of dividing by zero.
    image.xDpi = 0;
    EXPECT_DOUBLE_EQ(CZAVPdfDocumentPageWriter::GetImageRect(image).x2, 2480.0);

    ZAVTest::PageWriterFixture page;
    CZAVPdfDocumentPageWriter& writer = page.Writer();
    writer.ResetPage();
    const _PdfRect empty = writer.GetContentRect();
    EXPECT_GT(empty.x1, 9e30);
    EXPECT_LT(empty.y2, -9e30);
    writer.AddMask(&kNatural, "m", MakePatternImage(720, 720, 1));  // masks do not count
    writer.AddImage(&kNatural, "a", MakePatternImage(144, 72, 8));
    const _PdfRect placed = {300, -10, 200, 50};
    writer.AddImage(&placed, "b", MakePatternImage(8, 8, 8));
    const _PdfRect box = writer.GetContentRect();
    EXPECT_DOUBLE_EQ(box.x1, 0);
    EXPECT_DOUBLE_EQ(box.y1, -10);
    EXPECT_DOUBLE_EQ(box.x2, 300);
    EXPECT_DOUBLE_EQ(box.y2, 72);
}

TEST(PageWriterText, TextBlockNeedsContentAndRunsTopDown)
{
    ZAVTest::PageWriterFixture page;
    CZAVPdfDocumentPageWriter& writer = page.Writer();
    writer.ResetPage();
    writer.AddFont("Courier", "Courier");
    CArrayString lines(std::vector<std::string>{"first", "second", "third"});
    EXPECT_EQ(ThrownText([&] { writer.AddTextBlock(lines, "Courier", 0); }),
              "No content available for the text block!");
    writer.AddTextBlock(CArrayString(), "Courier", 0);  // nothing to add, nothing refused

    // 10 lines over 842 points: bands of 84.2, type of at most 4 points.
    auto image = std::make_shared<FakePageImage>(100, 842, 8);
    image->palette.assign(256, 0);
    writer.AddImage(&kNatural, "page", image);
    std::vector<std::string> ten;
    for (int i = 0; i < 10; ++i)
        ten.push_back("line " + std::to_string(i));
    writer.AddTextBlock(CArrayString(ten), "Courier", 0);
    writer.SetDocumentOption(0);
    writer.WritePage();
    const std::string content = page.Content(0);
    EXPECT_NE(content.find("BT\n  /FCourier 4 Tf\n  4 TL\n  0.00 757.80 Td\n  (line 0) Tj\nET\n"), std::string::npos)
        << content;
    EXPECT_NE(content.find("  0.00 0.00 Td\n  (line 9) Tj\n"), std::string::npos) << content;
    EXPECT_LT(content.find("(line 0)"), content.find("(line 9)"));

    // A reader takes the lines in their order.
    ZAVTest::TempDir folder;
    const std::string pdf = page.SaveChecked(folder);
    ASSERT_TRUE(ZAVTest::HaveTool("pdftotext"));
    const std::string text = ZAVTest::Run("pdftotext " + ZAVTest::ShellQuote(pdf) + " -").output;
    size_t at = 0;
    for (const std::string& line : ten) {
        at = text.find(line, at);
        EXPECT_NE(at, std::string::npos) << line << " in " << text;
    }
}

TEST(PageWriterWrite, RefusalsOfWritePage)
{
    ZAVTest::PageWriterFixture page;
    CZAVPdfDocumentPageWriter& writer = page.Writer();
    const std::string noReset = "Before writing the content call ResetPage and add objects to the page!";
    const std::string noObjects = "No objects added, please use the Add functions to add Text or imagedata!";
    // Adds before the first ResetPage are taken, but the page is not started.
    writer.AddImage(&kNatural, "early", MakePatternImage(8, 8, 8));
    EXPECT_EQ(ThrownText([&] { writer.WritePage(); }), noReset);

    writer.ResetPage();
    const _PdfRect link = {0, 0, 10, 10};
    writer.AddUrlLink(&link, "https://example.org/");
    writer.AddLayer("L", 1, CArrayString(std::vector<std::string>{"x"}));
    EXPECT_EQ(ThrownText([&] { writer.WritePage(); }), noObjects);

    // A font alone draws nothing.
    writer.ResetPage();
    writer.AddFont("Courier", "Courier");
    EXPECT_EQ(ThrownText([&] { writer.WritePage(); }), noObjects);

    writer.ResetPage();
    writer.AddImage(&kNatural, "a", MakePatternImage(8, 8, 8));
    writer.WritePage();
    EXPECT_EQ(ThrownText([&] { writer.WritePage(); }), noReset);
    EXPECT_EQ(page.Document().GetPageCount(), 1);
}

TEST(PageWriterWrite, AFailingImageLeavesNoObjectBehind)
{
    const struct {
        int coding;
        const char* failure;
        const char* expected;
    } cases[] = {
        {5, "Encoder broke!", "Encoder broke!"},
        {77, "",
         "Unsupported PDF subformat value 77. Ensure that you attached the filter dlls. Use zavifTIF or the Jpeg2000 "
         "or JBIG2 filter dll Id's."},
    };
    for (const auto& c : cases) {
        ZAVTest::PageWriterFixture page;
        page.Writer().ResetPage();
        auto image = MakePatternImage(8, 8, 8);
        image->coding = c.coding;
        image->encodeFailure = c.failure;
        page.Writer().AddImage(&kNatural, "a", image);
        const size_t before = page.ObjectCount();
        EXPECT_EQ(ThrownText([&] { page.Writer().WritePage(); }), c.expected);
        EXPECT_EQ(page.ObjectCount(), before);
        EXPECT_EQ(page.Document().GetPageCount(), 0);
    }
}

TEST(PageWriterWrite, FormatRealIgnoresTheProcessLocale)
{
    EXPECT_EQ(CZAVPdfDocumentPageWriter::FormatReal(595.2), "595.20");
    EXPECT_EQ(CZAVPdfDocumentPageWriter::FormatReal(-0.125), "-0.12");
    // A process whose locale writes a decimal comma.
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new DecimalComma));
    const std::string text = CZAVPdfDocumentPageWriter::FormatReal(841.92);
    std::locale::global(previous);
    EXPECT_EQ(text, "841.92");
}

}  // namespace
