// What WritePage puts into the document: content streams byte for byte,
// image dictionaries by coding, layers, and pages that readers render to
// the source pixels.
#include "FakePageImage.h"
#include "PageWriterFixture.h"
#include "support/PdfRendering.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

#include <gtest/gtest.h>

namespace {

using namespace ZAV;
using ZAVTest::FakePageImage;
using ZAVTest::MakePatternImage;

const _PdfRect kNatural = {0, 0, 0, 0};

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// PDF syntax without its white space, so entries compare whatever the
// object writer's line breaks.
std::string Squeezed(const std::string& text)
{
    std::string squeezed;
    for (char c : text)
        if (c != ' ' && c != '\r' && c != '\n')
            squeezed += c;
    return squeezed;
}

bool HasEntries(const std::string& text, const std::string& entries)
{
    return Has(Squeezed(text), Squeezed(entries));
}

TEST(PageWriterContent, TextObjectsAndPlacementsByteForByte)
{
    ZAVTest::PageWriterFixture page;
    CZAVPdfDocumentPageWriter& writer = page.Writer();
    writer.SetDocumentOption(0);
    writer.ResetPage();
    writer.AddFont("Courier", "Courier");
    writer.AddImage(&kNatural, "0", std::make_shared<FakePageImage>(2480, 3508, 8, 300));
    const _PdfRect at = {10, 20, 60, 40};
    writer.AddImage(&at, "moved", MakePatternImage(4, 4, 8));
    writer.AddText(&at, "ab\ncd", "Courier", 1, 10);
    // A backslash before "012" is the text's own, not a line break.
    writer.AddText(&at, "a\\012b", "Courier", 0, 10.9);
    writer.WritePage();
    EXPECT_EQ(page.Content(0), "BT\n  /FCourier 10 Tf\n  13 TL\n  10.00 20.00 Td\n  (a\\\\012b) Tj\nET\n"
                               "q\n595.20 0 0 841.92 0 0 cm\n/Im0 Do\nQ\n"
                               "q\n1 0 0 1 10.00 20.00 cm\n50.00 0 0 20.00 0 0 cm\n/Immoved Do\nQ\n"
                               "BT\n  /FCourier 10 Tf\n  12 TL\n  10.00 20.00 Td\n  (ab) Tj\nT* (cd) Tj\nET\n");
}

TEST(PageWriterContent, CompressionFollowsTheDocumentOption)
{
    for (int option : {1, 0}) {
        ZAVTest::PageWriterFixture page;
        page.Writer().SetDocumentOption(option);
        EXPECT_EQ(page.Object()->GetDocumentOption(), option);
        page.Writer().AddImagePage(0, MakePatternImage(8, 8, 8));
        const std::string content = page.Content(0);
        EXPECT_EQ(content, "q\n8.00 0 0 8.00 0 0 cm\n/Im0 Do\nQ\n");
        ZAVTest::TempDir folder;
        const std::string raw = ZAVTest::ReadText(page.SaveChecked(folder));
        EXPECT_EQ(HasEntries(raw, "<</Filter /FlateDecode /Length"), option != 0);
        EXPECT_EQ(Has(raw, "/Im0 Do"), option == 0);
    }
}

TEST(PageWriterPages, AnImagePerPageNamedByItsIndex)
{
    ZAVTest::PageWriterFixture page;
    const int sizes[3][2] = {{72, 144}, {36, 36}, {200, 10}};
    for (int i = 0; i < 3; ++i)
        page.Writer().AddImagePage(i, MakePatternImage(sizes[i][0], sizes[i][1], 8));
    ASSERT_EQ(page.Document().GetPageCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const std::string text = page.PageText(i);
        EXPECT_TRUE(HasEntries(text, "/MediaBox [0.00 0.00 " + CZAVPdfDocumentPageWriter::FormatReal(sizes[i][0]) +
                                         " " + CZAVPdfDocumentPageWriter::FormatReal(sizes[i][1]) + "]"))
            << text;
        EXPECT_TRUE(Has(page.Content(i), "/Im" + std::to_string(i) + " Do"));
    }
    ZAVTest::TempDir folder;
    const std::string pdf = page.SaveChecked(folder);
    const ZAVTest::RunResult info = ZAVTest::Run("pdfinfo " + ZAVTest::ShellQuote(pdf));
    EXPECT_TRUE(Has(info.output, "Pages:           3")) << info.output;
}

TEST(PageWriterLayers, EveryGroupOfEveryPageStaysListed)
{
    ZAVTest::PageWriterFixture page;
    CZAVPdfDocumentPageWriter& writer = page.Writer();
    for (int i = 0; i < 2; ++i) {
        writer.ResetPage();
        writer.AddImageToLayer(&kNatural, "pic", "Photo", MakePatternImage(16, 16, 8));
        // A membership layer none of whose members exists gets no object
        // and is left out of the page's /Properties.
        writer.AddLayer("Empty", 1, CArrayString(std::vector<std::string>{"missing"}));
        writer.WritePage();
    }
    EXPECT_EQ(page.Object()->GetDocumentInfo()->GetPdfVersion(), "1.5");
    const std::string first = page.Resource(0, "/XObject", "/Impic");
    const std::string second = page.Resource(1, "/XObject", "/Impic");
    EXPECT_NE(first.substr(first.find("/OC ")), second.substr(second.find("/OC ")));
    EXPECT_FALSE(Has(page.PageText(1), "/OC1"));

    ZAVTest::TempDir folder;
    const std::string pdf = page.SaveChecked(folder);
    // Both groups under /OCGs and /Order of the catalog, as qpdf reads them.
    const ZAVTest::RunResult json =
        ZAVTest::Run("qpdf --json " + ZAVTest::ShellQuote(pdf) +
                     " | /usr/bin/python3 -c \"import json,sys; d=json.load(sys.stdin)['qpdf'][1]; "
                     "root=d['trailer']['value']['/Root']; cat=d['obj:'+root]['value']; "
                     "oc=cat['/OCProperties']; print(len(oc['/OCGs']), len(oc['/D']['/Order']), oc['/D']['/Name'])\"");
    EXPECT_EQ(json.output, "2 2 u:Layers\n");
    EXPECT_TRUE(Has(ZAVTest::ReadText(pdf), "%PDF-1.5"));
}

// Layer names are file names: one that is not plain ASCII becomes a UTF-16
// text string, which readers show as the name it is; ASCII stays as it is.
TEST(PageWriterLayers, NamesBeyondAsciiAreUtf16TextStrings)
{
    ZAVTest::PageWriterFixture page;
    CZAVPdfDocumentPageWriter& writer = page.Writer();
    page.Object()->GetDocumentInfo()->SetLayersName("Ebenen \xC3\xBC");
    writer.ResetPage();
    writer.AddImageToLayer(&kNatural, "a", "\xC3\x84pfel \xF0\x9F\x98\x80", MakePatternImage(8, 8, 8));
    writer.AddImageToLayer(&kNatural, "b", "plain", MakePatternImage(8, 8, 8));
    writer.WritePage();
    EXPECT_TRUE(HasEntries(page.Resource(0, "/Properties", "/OC0"), "/Name <FEFF00C4007000660065006C0020D83DDE00>"))
        << page.Resource(0, "/Properties", "/OC0");
    EXPECT_TRUE(HasEntries(page.Resource(0, "/Properties", "/OC1"), "/Name (plain)"));

    ZAVTest::TempDir folder;
    const std::string pdf = page.SaveChecked(folder);
    // qpdf decodes text strings: the names come back as they were given.
    const ZAVTest::RunResult json =
        ZAVTest::Run("qpdf --json " + ZAVTest::ShellQuote(pdf) +
                     " | /usr/bin/python3 -c \"import json,sys; d=json.load(sys.stdin)['qpdf'][1]; "
                     "cat=d['obj:'+d['trailer']['value']['/Root']]['value']; oc=cat['/OCProperties']; "
                     "print(json.dumps([d['obj:'+r]['value']['/Name'] for r in oc['/OCGs']] + [oc['/D']['/Name']]))\"");
    EXPECT_EQ(json.output, "[\"u:\\u00c4pfel \\ud83d\\ude00\", \"u:plain\", \"u:Ebenen \\u00fc\"]\n");
}

// A table of codings: the dictionary each gets and what it does to the
// caller's picture.
TEST(PageWriterImages, DictionariesByCoding)
{
    const struct {
        int coding, bpp, compression;
        const char* entries;  // as they stand in the image dictionary, in order
        const char* call;     // the polarity call made on the picture, if any
    } cases[] = {
        {5, 1, 4, "/Filter /CCITTFaxDecode /DecodeParms << /K -1 /Columns 9 /Rows 5 >> /ColorSpace", "SetMinIsWhite"},
        {5, 1, 3, "/Filter /CCITTFaxDecode /DecodeParms << /K 0 /Columns 9 /Rows 5 >> /ColorSpace", "SetMinIsWhite"},
        {5, 1, 5, "/Filter /LZWDecode /ColorSpace", "SetMinIsWhite"},
        {5, 1, 8, "/Filter /FlateDecode /DecodeParms << /Predictor 1 >> /ColorSpace", "SetMinIsWhite"},
        {5, 8, 32946,
         "/Filter /FlateDecode /DecodeParms << /Predictor 2 /Colors 1 /BitsPerComponent 8 /Columns 9 >> /ColorSpace",
         ""},
        {5, 24, 8,
         "/Filter /FlateDecode /DecodeParms << /Predictor 2 /Colors 3 /BitsPerComponent 8 /Columns 9 >> /ColorSpace",
         ""},
        {5, 8, 32773, "/Filter /RunLengthDecode /ColorSpace", ""},
        {4, 24, 0, "/Filter /DCTDecode /Interpolate true /ColorSpace", ""},
        {102, 1, 0, "/Filter /JBIG2Decode /DecodeParms << >> /ColorSpace", "SetMinIsBlack"},
        {101, 24, 0, "/Filter /JPXDecode /Interpolate true /ColorSpace", ""},
    };
    for (const auto& c : cases) {
        ZAVTest::PageWriterFixture page;
        auto image = MakePatternImage(9, 5, c.bpp);
        image->coding = c.coding;
        image->compression = c.compression;
        image->jpeg2000Id = 101;
        image->jbig2Id = 102;
        page.Writer().AddImagePage(0, image);
        const std::string xobject = page.Resource(0, "/XObject", "/Im0");
        EXPECT_TRUE(HasEntries(xobject, std::string("/Name /Im0 ") + c.entries)) << xobject;
        EXPECT_TRUE(HasEntries(xobject, "/Width 9 /Height 5 /BitsPerComponent " + std::string(c.bpp == 1 ? "1" : "8")))
            << xobject;
        EXPECT_FALSE(Has(Squeezed(xobject), "/Decode[")) << xobject;
        EXPECT_EQ(image->calls.empty() ? "" : image->calls.back(), c.call) << xobject;
        EXPECT_EQ(page.Object()->GetDocumentInfo()->GetPdfVersion(), c.coding == 101 ? "1.5" : "1.4");
    }
}

TEST(PageWriterImages, ColourSpacesPalettesAndMasks)
{
    ZAVTest::PageWriterFixture page;
    CZAVPdfDocumentPageWriter& writer = page.Writer();
    writer.ResetPage();
    auto mask = MakePatternImage(9, 5, 1);
    mask->compression = 4;
    writer.AddMask(&kNatural, "m", mask);
    writer.AddImageWithMask(&kNatural, "p", MakePatternImage(9, 5, 8, true), "m");
    writer.AddImage(&kNatural, "rgb", MakePatternImage(9, 5, 24));
    // An ordinary picture named as the mask is no image mask: not referred to.
    writer.AddImageWithMask(&kNatural, "q", MakePatternImage(9, 5, 8), "rgb");
    writer.WritePage();
    const std::string maskObject = page.Resource(0, "/XObject", "/Imm");
    EXPECT_TRUE(HasEntries(maskObject, "/Name /Imm /ImageMask true /Filter /CCITTFaxDecode")) << maskObject;
    // An image mask has no colour space; black (sample 0) paints.
    EXPECT_FALSE(Has(maskObject, "/ColorSpace")) << maskObject;
    EXPECT_TRUE(HasEntries(maskObject, "/BitsPerComponent 1 /Decode [0 1]")) << maskObject;
    const std::string masked = page.Resource(0, "/XObject", "/Imp");
    // The picture refers to the mask object the page lists as /Imm.
    const size_t maskKey = masked.find("/Mask ");
    ASSERT_NE(maskKey, std::string::npos) << masked;
    const size_t start = maskKey + 6;
    const std::string reference = masked.substr(start, masked.find(" R", start) + 2 - start);
    EXPECT_TRUE(HasEntries(page.PageText(0), "/Imm " + reference)) << masked << page.PageText(0);
    EXPECT_FALSE(Has(page.Resource(0, "/XObject", "/Imq"), "/Mask")) << page.Resource(0, "/XObject", "/Imq");
    EXPECT_FALSE(Has(page.Resource(0, "/XObject", "/Imrgb"), "/Mask"));
    ZAVTest::TempDir folder;
    const std::string raw = ZAVTest::ReadText(page.SaveChecked(folder));
    EXPECT_TRUE(HasEntries(raw, "[/Indexed /DeviceRGB 255 ")) << raw.substr(0, 2000);
    EXPECT_TRUE(HasEntries(raw, "/Length 768"));
    EXPECT_TRUE(HasEntries(raw, "obj /DeviceRGB endobj")) << raw.substr(0, 2000);
    // Masks are resources only: the content draws the two images.
    EXPECT_EQ(page.Content(0).find("/Imm Do"), std::string::npos);
}

// Pages readers must show exactly as the pictures are.
TEST(PageWriterImages, PagesRenderToTheSourcePixels)
{
    ASSERT_TRUE(ZAVTest::HaveTool("pdftoppm"));
    ASSERT_TRUE(ZAVTest::HaveTool("gs"));
    ASSERT_TRUE(ZAVTest::HaveTool("pdfimages"));
    const struct {
        const char* name;
        int bpp, compression;
        bool colourPalette, whiteFirst;
        const char* encoding;  // the column pdfimages -list shows
    } cases[] = {
        {"grey flate", 8, 32946, false, false, "image"},   {"palette run length", 8, 32773, true, false, "image"},
        {"rgb flate", 24, 8, false, false, "image"},       {"1-bit black-first", 1, 8, false, false, "image"},
        {"1-bit white-first", 1, 8, false, true, "image"},
    };
    ZAVTest::PageWriterFixture page;
    std::vector<std::shared_ptr<FakePageImage>> images;
    for (const auto& c : cases) {
        images.push_back(MakePatternImage(37, 23, c.bpp, c.colourPalette, c.whiteFirst));
        images.back()->compression = c.compression;
        page.Writer().AddImagePage(static_cast<int32_t>(images.size() - 1), images.back());
    }
    ZAVTest::TempDir folder;
    const std::string pdf = page.SaveChecked(folder);
    const std::string list = ZAVTest::Run("pdfimages -list " + ZAVTest::ShellQuote(pdf)).output;
    for (size_t i = 0; i < images.size(); ++i) {
        for (const char* tool : {"pdftoppm", "gs"}) {
            const ZAVTest::RgbPicture shown = ZAVTest::RenderPage(tool, pdf, static_cast<int>(i + 1), 72);
            ASSERT_EQ(shown.width, 37) << cases[i].name << " " << tool;
            ASSERT_EQ(shown.height, 23) << cases[i].name << " " << tool;
            int wrong = 0;
            for (int y = 0; y < 23; ++y)
                for (int x = 0; x < 37; ++x)
                    wrong += shown.At(x, y) != images[i]->ColourAt(x, y);
            EXPECT_EQ(wrong, 0) << cases[i].name << " " << tool;
        }
    }
    EXPECT_TRUE(HasEntries(list, "rgb 3 8 image")) << list;
    EXPECT_TRUE(HasEntries(list, "index 1 8 image")) << list;
    EXPECT_TRUE(HasEntries(list, "gray 1 1 image")) << list;
}

}  // namespace
