// What the picture search collects, which pictures come back as stored
// bytes, what the palettes become, and how a picture that cannot be read
// costs its one log line while the rest of the page is still returned.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PictureChecks.h"
#include "PicturePdf.h"
#include "foundation/objects/ZAVCastSp.h"
#include "interfaces/ZAVPdfDocumentSp.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"
#include "support/TestSupport.h"

namespace ZAVPictureTest {

namespace {

using namespace ZAV;

constexpr int W = 40;
constexpr int H = 20;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

std::string Gray(const std::string& name, const std::string& more = "")
{
    return ImageEntries(W, H, 8, "/DeviceGray", "/Name /" + name + " /Filter /FlateDecode" + more);
}

TEST(PagePictures, RefusedPicturesCostOneLineEachAndTheNextIsStillRead)
{
    ZAVTest::TempDir dir;
    PicturePdf pdf;
    const std::string rows = Deflated(SampleRows(W, H, 1));
    pdf.Image(ImageEntries(W, H, 4, "/DeviceGray", "/Name /Bits4"), std::string(W * H / 2, '\0'));
    pdf.Image(ImageEntries(W, H, 16, "/DeviceGray", "/Name /Bits16"), std::string(W * H * 2, '\0'));
    pdf.Image(ImageEntries(W, H, 8, "[/Separation /Spot /DeviceCMYK 0]", "/Name /Spot"), std::string(W * H, '\0'));
    pdf.Image(ImageEntries(W, H, 8, "[/DeviceN [/A /B] /DeviceRGB 0]", "/Name /Inks"), std::string(W * H * 2, '\0'));
    pdf.Image(ImageEntries(-5, H, 8, "/DeviceGray", "/Name /Negative"), rows);
    pdf.Image(ImageEntries(1000000000, H, 8, "/DeviceGray", "/Name /Huge"), rows);
    pdf.Image(Gray("Corrupt"), "this is no zlib data");
    pdf.Image(Gray("Predictor5", " /DecodeParms << /Predictor 5 >>"), rows);
    pdf.Image(ImageEntries(W, H, 8, "/DeviceCMYK",
                           "/Name /CmykPredicted /Filter /FlateDecode /DecodeParms << "
                           "/Predictor 15 /Colors 4 /Columns 40 >>"),
              rows);
    pdf.Image(ImageEntries(W, H, 8, "/DeviceGray", "/Name /Chain /Filter [/LZWDecode /FlateDecode]"), rows);
    const int lzwGlobals = pdf.Stream("/Filter /LZWDecode", "segments");
    pdf.Image(ImageEntries(W, H, 1, "/DeviceGray",
                           "/Name /LzwGlobals /Filter /JBIG2Decode /DecodeParms << /JBIG2Globals " +
                               std::to_string(lzwGlobals) + " 0 R >>"),
              "page");
    pdf.Image(Gray("Good"), rows);
    ZAVTest::WriteText(dir.File("refused.pdf"), pdf.Build());

    const ExtractedPictures ours = ExtractPictures(dir.File("refused.pdf"), dir.Path());
    EXPECT_EQ(ours.files.size(), 1u);
    const std::vector<std::string> expected = {
        "Error reading PDF Image /Bits4 0! Invalid image BitsPerComponent value! (4)",
        "Error reading PDF Image /Bits16 1! Invalid image BitsPerComponent value! (16)",
        "Error reading PDF Image /Spot 2! Unsupported colorspace [/Separation /Spot /DeviceCMYK 0]",
        "Error reading PDF Image /Inks 3! Unsupported colorspace [/DeviceN [/A /B] /DeviceRGB 0]",
        "Error reading PDF Image /Negative 4! Invalid image size values! (-5, 20)",
        "Error reading PDF Image /Huge 5! Invalid image size values! (1000000000, 20)",
        "\tDecoding Picture (40x20 8bpp) /FlateDecode",
        "Error reading PDF Image /Corrupt 6! Invalid Flate data! incorrect header check",
        "\tDecoding Picture (40x20 8bpp) /FlateDecode",
        "Error reading PDF Image /Predictor5 7! Unsupported predictor value 5!",
        "\tDecoding Picture (40x20 24bpp) /FlateDecode",
        "Error reading PDF Image /CmykPredicted 8! CMYK pictures with a predictor are not supported!",
        "Error reading PDF Image /Chain 9! Unsupported filter chain!",
        "Error reading PDF Image /LzwGlobals 10! Unsupported filter '/LZWDecode' of JBIG2 globals!",
        "\tDecoding Picture (40x20 8bpp) /FlateDecode",
    };
    EXPECT_EQ(Lines(ours.log), expected);
}

// Pictures of the page in the order the search meets them, as GetPictures
// hands them back.
struct PagePictures {
    CZAVPtr<IZAVPdfDocumentSp> document;
    CZAVPtr<IZAVArrayObjectSp> list;

    std::string Value(int picture, const std::string& key)
    {
        CZAVPtr<IZAVNameValuePairsSp> values = CreateCastSp()->ToNameValuePairsSp(list->GetAt(2 * picture).Get());
        return values->HasKey(key) ? values->GetValue(key) : "(none)";
    }
    CZAVPtr<IZAVImageEditSp> Image(int picture)
    {
        CZAVPtr<IZAVObjectSp> object = list->GetAt(2 * picture + 1);
        if (!object->SupportsInterface(zaviidImageEdit))
            return CZAVPtr<IZAVImageEditSp>();
        return CZAVPtr<IZAVImageEditSp>(static_cast<IZAVImageEditSp*>(object->QueryInterface(zaviidImageEdit)), true);
    }
};

PagePictures ReadPage(const std::string& pdf, int rawJpeg)
{
    PagePictures pictures;
    pictures.document = CreatePdfDocumentSp();
    pictures.document->Load(pdf);
    pictures.list = pictures.document->GetPage(0)->GetPictures(rawJpeg);
    return pictures;
}

TEST(PagePictures, OnlyAStoredFilterOfThatExactNameGivesStoredBytes)
{
    ZAVTest::TempDir dir;
    const std::string jpeg = Text(ZAVTest::ReadBytes(MadePictures() + "/photo.jpg"));
    PicturePdf pdf;
    pdf.Image(ImageEntries(W, H, 8, "/DeviceRGB", "/Name /InArray /Filter [/DCTDecode]"), jpeg);
    pdf.Image(ImageEntries(W, H, 8, "/DeviceRGB", "/Name /OtherCase /Filter /dctdecode"), jpeg);
    pdf.Image(ImageEntries(W, H, 8, "/DeviceRGB", "/Filter [/FlateDecode /DCTDecode]"),
              Deflated(Bytes(jpeg.begin(), jpeg.end())));
    ZAVTest::WriteText(dir.File("jpeg.pdf"), pdf.Build());

    PagePictures stored = ReadPage(dir.File("jpeg.pdf"), 1);
    ASSERT_EQ(stored.list->GetSize(), 6);
    EXPECT_EQ(stored.Value(0, "Name"), "/InArray");
    EXPECT_EQ(stored.Value(0, "Type"), "JPEG");
    EXPECT_EQ(stored.Value(0, "Extension"), "jpg");
    CZAVPtr<IZAVArrayByteSp> bytes = CreateCastSp()->ToArrayByteSp(stored.list->GetAt(1).Get());
    EXPECT_TRUE(bytes->IsEqual(CArraySimple<unsigned char, 1>(reinterpret_cast<const unsigned char*>(jpeg.data()),
                                                              static_cast<int32_t>(jpeg.size()))));
    for (int picture : {1, 2}) {
        EXPECT_EQ(stored.Value(picture, "Type"), "(none)");
        ASSERT_TRUE(stored.Image(picture)) << picture;
        EXPECT_EQ(stored.Image(picture)->GetWidth(), W);
    }
    EXPECT_EQ(stored.Value(2, "Name"), "");

    PagePictures decoded = ReadPage(dir.File("jpeg.pdf"), 0);
    ASSERT_EQ(decoded.list->GetSize(), 6);
    EXPECT_TRUE(decoded.Image(0));
}

TEST(PagePictures, LookupTablesBecomePalettes)
{
    ZAVTest::TempDir dir;
    const std::string indices = Deflated(Bytes(W * H, 1));
    PicturePdf pdf;
    pdf.Image(ImageEntries(W, H, 8, "[/Indexed /DeviceGray 3 <00408099>]", "/Filter /FlateDecode"), indices);
    pdf.Image(
        ImageEntries(W, H, 8, "[/Indexed /DeviceGray 255 <" + std::string(1800, 'a') + ">]", "/Filter /FlateDecode"),
        indices);
    const int lookup = pdf.Stream("/Filter /FlateDecode", Deflated({0, 0, 0, 0, 255, 0, 0, 0, 100, 50, 20, 30}));
    pdf.Image(
        ImageEntries(W, H, 8, "[/Indexed /DeviceCMYK 2 " + std::to_string(lookup) + " 0 R]", "/Filter /FlateDecode"),
        indices);
    // One bit per index: a two-entry palette on a 1-bit picture.
    pdf.Image(ImageEntries(W, H, 1, "[/Indexed /DeviceRGB 1 <ff000000ff00>]"), std::string(W / 8 * H, '\x0f'));
    ZAVTest::WriteText(dir.File("indexed.pdf"), pdf.Build());

    PagePictures pictures = ReadPage(dir.File("indexed.pdf"), 1);
    ASSERT_EQ(pictures.list->GetSize(), 8);
    IZAVImageEditPaletteCpp* gray = pictures.Image(0)->GetPalette();
    EXPECT_EQ(gray->GetPaletteCount(), 4);
    EXPECT_EQ(gray->GetPaletteEntry(1), RGB(0x40, 0x40, 0x40));
    EXPECT_EQ(pictures.Image(1)->GetPalette()->GetPaletteCount(), 256);
    IZAVImageEditPaletteCpp* cmyk = pictures.Image(2)->GetPalette();
    ASSERT_EQ(cmyk->GetPaletteCount(), 3);
    EXPECT_EQ(cmyk->GetPaletteEntry(0), RGB(255, 255, 255));
    EXPECT_EQ(cmyk->GetPaletteEntry(1), RGB(0, 255, 255));
    // (255 - 100)(255 - 30) / 255 = 136.8, and so on, rounded.
    EXPECT_EQ(cmyk->GetPaletteEntry(2), RGB(137, 181, 207));
    CZAVPtr<IZAVImageEditSp> bilevel = pictures.Image(3);
    EXPECT_EQ(bilevel->GetBitsPerPixel(), zavbpp1);
    EXPECT_EQ(bilevel->GetPalette()->GetPaletteEntry(0), RGB(255, 0, 0));
    EXPECT_EQ(bilevel->GetPalette()->GetPaletteEntry(1), RGB(0, 255, 0));
}

}  // namespace

}  // namespace ZAVPictureTest
