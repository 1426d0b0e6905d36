// The page writer with real image-edit objects: every coding the writer
// puts into a PDF, rendered by poppler and Ghostscript back to the source
// pixels, and whole pages made from image arrays.
#include "PageWriterFixture.h"
#include "foundation/objects/ZAVArrayObjectSp.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"
#include "support/PdfRendering.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using namespace ZAV;
using ZAVTest::ShellQuote;

// A picture made by Pillow (mode "1", "L", "P" or "RGB"), 72 dpi, with
// pixels that tell their places apart.
std::string MakePicture(const ZAVTest::TempDir& folder, const std::string& name, const std::string& mode,
                        bool smooth = false)
{
    const std::string path = folder.File(name);
    const std::string script =
        "from PIL import Image\n"
        "W, H = 41, 27\n"
        "im = Image.new('" +
        mode +
        "', (W, H))\n"
        "if im.mode == 'P': im.putpalette([(i * 7 + c * 50) % 256 for i in range(256) for c in range(3)])\n"
        "px = [((x * 5 + y * 11) % 256, (x * 9) % 256, (y * 13) % 256) if im.mode == 'RGB' else "
        "(255 * ((x * x + 3 * y) % 7 < 3) if im.mode == '1' else (x * 5 + y * 11) % 256) "
        "for y in range(H) for x in range(W)]\n"
        "if " +
        std::string(smooth ? "True" : "False") +
        ":\n"
        "    px = [(x * 6, y * 9, (x + y) * 3) if im.mode == 'RGB' else x * 4 + y * 3 for y in range(H) for x in "
        "range(W)]\n"
        "im.putdata(px); im.save('" +
        path + "', dpi=(72, 72))\n";
    EXPECT_EQ(ZAVTest::Run("/usr/bin/python3 -c " + ShellQuote(script)).exitCode, 0);
    return path;
}

CZAVPtr<IZAVImageEditSp> LoadPicture(const std::string& path)
{
    CZAVPtr<IZAVImageEditSp> image = CreateImageEditSp();
    image->LoadFromFile(path, 255);
    return image;
}

int WrongPixels(const ZAVTest::RgbPicture& shown, const ZAVTest::RgbPicture& expected, int tolerance)
{
    if (shown.width != expected.width || shown.height != expected.height)
        return -1;
    int wrong = 0;
    for (size_t i = 0; i < shown.rgb.size(); ++i)
        wrong += std::abs(int(shown.rgb[i]) - int(expected.rgb[i])) > tolerance;
    return wrong;
}

TEST(PageWriterImageEdit, EveryCodingRendersAsTheSourcePicture)
{
    ASSERT_TRUE(ZAVTest::HaveTool("pdftoppm"));
    ASSERT_TRUE(ZAVTest::HaveTool("gs"));
    ASSERT_TRUE(ZAVTest::HaveTool("pdfimages"));
    const struct {
        const char* mode;
        int coding, compression;
        bool whiteFirst;
        int tolerance;
        const char* encoding;  // pdfimages -list
    } cases[] = {
        {"1", 5, 4, false, 0, "ccitt"},     {"1", 5, 4, true, 0, "ccitt"},     {"1", 5, 5, false, 0, "image"},
        {"1", 5, 5, true, 0, "image"},      {"1", 5, 32946, true, 0, "image"}, {"L", 5, 5, false, 0, "image"},
        {"P", 5, 5, false, 0, "image"},     {"L", 5, 8, false, 0, "image"},    {"RGB", 5, 32946, false, 0, "image"},
        {"P", 5, 32773, false, 0, "image"}, {"RGB", 5, 1, false, 0, "image"},  {"RGB", 4, 0, false, 24, "jpeg"},
        {"L", 4, 0, false, 24, "jpeg"},
    };
    ZAVTest::TempDir folder;
    ZAVTest::PageWriterFixture document;
    std::vector<std::string> sources;
    for (const auto& c : cases) {
        // JPEG pages get a smooth picture, which JPEG keeps close.
        const std::string picture =
            MakePicture(folder, "p" + std::to_string(sources.size()) + ".png", c.mode, c.coding == 4);
        CZAVPtr<IZAVImageEditSp> image = LoadPicture(picture);
        if (c.whiteFirst)
            image->GetColor()->SetMinIsWhite();
        image->GetFileFormatSettings()->SetPdfImageCoding(c.coding);
        image->GetFileFormatSettings()->SetTiffCompression(c.compression);
        document.Object()->AddSingleImage(image.Get());
        sources.push_back(picture);
    }
    const std::string pdf = document.SaveChecked(folder);
    const std::string list = ZAVTest::Run("pdfimages -list " + ShellQuote(pdf)).output;
    for (size_t i = 0; i < sources.size(); ++i) {
        const std::string ppm = folder.File("source.ppm");
        ZAVTest::Run("/usr/bin/python3 -c \"from PIL import Image; Image.open('" + sources[i] +
                     "').convert('RGB').save('" + ppm + "')\"");
        const ZAVTest::RgbPicture expected = ZAVTest::ReadPpm(ppm);
        for (const char* tool : {"pdftoppm", "gs"})
            EXPECT_EQ(
                WrongPixels(ZAVTest::RenderPage(tool, pdf, static_cast<int>(i + 1), 72), expected, cases[i].tolerance),
                0)
                << tool << " page " << i + 1 << " " << cases[i].mode << " " << cases[i].compression;
        // Rows of pdfimages -list: two heading lines, then one per image.
        std::vector<std::string> rows;
        for (size_t start = 0, end; (end = list.find('\n', start)) != std::string::npos; start = end + 1)
            rows.push_back(list.substr(start, end - start));
        ASSERT_GT(rows.size(), i + 2) << list;
        EXPECT_NE(rows[i + 2].find(std::string(" ") + cases[i].encoding + " "), std::string::npos) << rows[i + 2];
    }
}

// A picture with a black-and-white mask: readers show the picture where the
// mask is black and the white page where it is white, whatever the mask's
// coding and palette order, on a page of its own or in a layer. JBIG2 masks
// keep the image object's default JBIG2 settings.
TEST(PageWriterImageEdit, MasksShowThePictureWhereTheyAreBlack)
{
    ASSERT_TRUE(ZAVTest::HaveTool("pdftoppm"));
    ASSERT_TRUE(ZAVTest::HaveTool("gs"));
    constexpr int kJbig2 = -1;
    const struct {
        const char* name;
        int coding, compression;
        bool whiteFirst, inLayer;
    } cases[] = {
        {"CCITT G4", 5, 4, false, false},
        {"CCITT G4 white-first", 5, 4, true, false},
        {"CCITT G3", 5, 3, true, true},
        {"LZW white-first", 5, 5, true, false},
        {"Deflate", 5, 32946, false, true},
        {"JBIG2", kJbig2, 0, false, false},
        {"JBIG2 white-first", kJbig2, 0, true, false},
        {"JBIG2 layer", kJbig2, 0, false, true},
    };
    ZAVTest::TempDir folder;
    const std::string picturePath = MakePicture(folder, "picture.png", "L");
    const std::string maskPath = MakePicture(folder, "mask.png", "1");
    ZAVTest::PageWriterFixture document;
    IZAVPdfDocumentPageWriterCpp* writer = document.Object()->GetPageWriter();
    const _PdfRect natural = {0, 0, 0, 0};
    for (const auto& c : cases) {
        CZAVPtr<IZAVImageEditSp> picture = LoadPicture(picturePath);
        picture->GetFileFormatSettings()->SetTiffCompression(5);
        CZAVPtr<IZAVImageEditSp> mask = LoadPicture(maskPath);
        if (c.whiteFirst)
            mask->GetColor()->SetMinIsWhite();
        IZAVImageEditFileFormatSettingsCpp* settings = mask->GetFileFormatSettings();
        if (c.coding == kJbig2) {
            mask->AddImportExportDll(ZAVTest::BinPath("ZAVJbg20.so"), "");
            settings->SetPdfImageCoding(settings->GetJbig2DllId());
        } else {
            settings->SetPdfImageCoding(c.coding);
            settings->SetTiffCompression(c.compression);
        }
        writer->ResetPage();
        const _PdfRect rect = writer->GetImageRect(picture.Get());
        writer->AddMask(&rect, "m", mask.Get());
        if (c.inLayer)
            writer->AddImageToLayerWithMask(&rect, "p", "Layer", picture.Get(), "m");
        else
            writer->AddImageWithMask(&natural, "p", picture.Get(), "m");
        writer->WritePage();
    }
    const std::string pdf = document.SaveChecked(folder);
    const std::string ppm = folder.File("expected.ppm");
    ASSERT_EQ(ZAVTest::Run("/usr/bin/python3 -c \"from PIL import Image; p = Image.open('" + picturePath +
                           "').convert('RGB'); m = Image.open('" + maskPath +
                           "').convert('L'); Image.composite(Image.new('RGB', p.size, 'white'), p, m).save('" + ppm +
                           "')\"")
                  .exitCode,
              0);
    const ZAVTest::RgbPicture expected = ZAVTest::ReadPpm(ppm);
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        for (const char* tool : {"pdftoppm", "gs"})
            EXPECT_EQ(WrongPixels(ZAVTest::RenderPage(tool, pdf, static_cast<int>(i + 1), 72), expected, 0), 0)
                << tool << " " << cases[i].name;
}

TEST(PageWriterImageEdit, ImageArraysMakeAPagePerImage)
{
    ZAVTest::TempDir folder;
    ZAVTest::PageWriterFixture document;
    CZAVPtr<IZAVArrayObjectSp> images = CreateArrayObjectSp();
    images->SetSize(3);
    for (int i = 0; i < 3; ++i) {
        CZAVPtr<IZAVImageEditSp> image = LoadPicture(MakePicture(folder, "a" + std::to_string(i) + ".png", "L"));
        image->SetXResolution(72 * (i + 1));
        images->SetAt(i, image->GetObjectSp().Get());
    }
    document.Object()->GetPageWriter()->AddImageArray(images.Get());
    ASSERT_EQ(document.Object()->GetPageCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NE(document.Content(i).find("/Im" + std::to_string(i) + " Do"), std::string::npos);
        const double width = 41.0 / (i + 1);
        const std::string page = document.PageText(i);
        const std::string box = "/MediaBox [0.00 0.00 ";
        ASSERT_NE(page.find(box), std::string::npos) << page;
        EXPECT_NEAR(std::stod(page.substr(page.find(box) + box.size())), width, 1e-9) << page;
    }
    // An element that is no image-edit object ends the call; pages already
    // written stay.
    images->SetAt(1, CreateArrayObjectSp()->GetObjectSp().Get());
    EXPECT_EQ(ZAVTest::ThrownText([&] { document.Object()->GetPageWriter()->AddImageArray(images.Get()); }),
              "Provided imagearray is no ZAVImageEdit object!");
    EXPECT_EQ(document.Object()->GetPageCount(), 4);
    document.SaveChecked(folder);
}

}  // namespace
