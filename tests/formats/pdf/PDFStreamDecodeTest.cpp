// The decoding routines against data made by independent producers:
// img2pdf's PNG-predicted Flate streams, Deflate with the TIFF predictor
// read by pdfimages, and the hostile cases.
#include <gtest/gtest.h>

#include "formats/pdf/PDFCodes.h"
#include "formats/pdf/PDFEncoder.h"
#include "formats/pdf/PdfTestSupport.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

using namespace ZAV;
using namespace ZAVPdfTest;

using ZAVTest::ThrownText;
using ByteArray = CPDFEncoder::ByteArray;

namespace {

std::vector<uint8_t> ToVector(const ByteArray& array)
{
    return std::vector<uint8_t>(array.GetData(), array.GetData() + array.GetSize());
}

ByteArray ToArray(const std::vector<uint8_t>& bytes)
{
    return ByteArray(bytes.data(), static_cast<int32_t>(bytes.size()));
}

// A PNG made by Pillow in the mode, put into a PDF by img2pdf, which keeps
// the PNG's IDAT data as a Flate stream with /Predictor 15.
struct PngCase {
    const char* mode;
    int bitsPerPixel;
    const char* pillowCode;  // makes the picture i
};

}  // namespace

TEST(PDFStreamDecode, Img2pdfPngPredictedStreamsDecodeToThePngPixels)
{
    ASSERT_TRUE(ZAVTest::HaveTool("img2pdf"));
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ASSERT_TRUE(ZAVTest::HaveTool("/usr/bin/python3"));
    const PngCase cases[] = {
        {"1", 1,
         "i = Image.new('1', (45, 21)); i.putdata([((x // 3 + y) % 3 == 0) * 255 for y in range(21) for x in "
         "range(45)])"},
        {"L", 8,
         "i = Image.new('L', (33, 17)); i.putdata([(x * 7 + y * 11) % 256 for y in range(17) for x in "
         "range(33)])"},
        {"P", 8,
         "i = Image.new('P', (30, 12)); i.putpalette([v % 256 for v in range(0, 768 * 5, 5)]); "
         "i.putdata([(x * y) % 256 for y in range(12) for x in range(30)])"},
        {"RGB", 24,
         "i = Image.new('RGB', (27, 14)); i.putdata([(x * 9, y * 17, (x ^ y) * 8) for y in range(14) for "
         "x in range(27)])"},
    };
    for (const PngCase& c : cases) {
        SCOPED_TRACE(c.mode);
        ZAVTest::TempDir folder;
        const std::string png = folder.File("p.png"), pdf = folder.File("p.pdf");
        ASSERT_EQ(ZAVTest::Run("/usr/bin/python3 -c \"from PIL import Image; " + std::string(c.pillowCode) +
                               "; i.save('" + png + "')\"")
                      .exitCode,
                  0);
        ASSERT_EQ(ZAVTest::Run("img2pdf -o " + pdf + " " + png).exitCode, 0);
        const std::vector<ListedImage> listed = ListImages(pdf);
        ASSERT_EQ(listed.size(), 1u);
        ASSERT_NE(ZAVTest::ReadText(pdf).find("/Predictor 15"), std::string::npos);
        int width = 0, height = 0;
        const std::vector<uint8_t> expected = PillowPixels(png, "", width, height);
        ByteArray output;
        CZAVImg work;
        CPDFEncoder encoder(&work);
        encoder.DecodeFlatePngToMemory(width, height, c.bitsPerPixel, 15, ToArray(RawStreamData(pdf, listed[0].object)),
                                       output);
        EXPECT_EQ(ToVector(output), expected);
        EXPECT_FALSE(work.HasImage());
    }
}

// Our own Deflate stream with /Predictor 2 decodes to the pixels
// pdfimages reads from the same file.
TEST(PDFStreamDecode, TiffPredictedDeflateDecodesToWhatPdfimagesReads)
{
    ASSERT_TRUE(ZAVTest::HaveTool("pdfimages"));
    for (int depth : {8, 24}) {
        SCOPED_TRACE(depth);
        ZAVTest::TempDir folder;
        CZAVImg image;
        MakePicture(image, 41, 23, depth, 72);
        if (depth == 8)
            image.GetPalette().CreateGrayScale();
        image.m_tiffCompression = kTiffDeflate;
        SavePdf(image, folder.File("d.pdf"));
        ASSERT_EQ(ZAVTest::Run("pdfimages -png " + folder.File("d.pdf") + " " + folder.File("img")).exitCode, 0);
        int width = 0, height = 0;
        const std::vector<uint8_t> expected =
            PillowPixels(folder.File("img-000.png"), depth == 24 ? "RGB" : "L", width, height);
        ASSERT_EQ(width, 41);
        ByteArray output;
        CZAVImg work;
        CPDFEncoder encoder(&work);
        encoder.DecodeDeflateToMemory(41, 23, depth, ToArray(RawStreamData(folder.File("d.pdf"), 7)), output);
        EXPECT_EQ(ToVector(output), expected);
        EXPECT_EQ(work.m_tiffCompression, kTiffDeflate);
    }
}

// Empty data changes nothing; sizes beyond the image ceiling are refused
// before anything is allocated; damaged data gives a text.
TEST(PDFStreamDecode, EmptyOversizedAndDamagedInputs)
{
    CZAVImg work;
    CPDFEncoder encoder(&work);
    const std::vector<uint8_t> kept = {1, 2, 3};
    ByteArray output = ToArray(kept);
    const ByteArray empty;
    encoder.DecodeDeflateToMemory(10, 10, 8, empty, output);
    encoder.DecodeFlatePngToMemory(10, 10, 8, 15, empty, output);
    encoder.DecodeLzwToMemory(10, 10, 8, empty, output);
    encoder.DecodeCcittToMemory(10, 10, 1, -1, empty, output);
    EXPECT_EQ(ToVector(output), kept);

    const ByteArray junk = ToArray({0x78, 0x9C, 0xFF, 0xFF, 0x00});
    EXPECT_EQ(ThrownText([&] { encoder.DecodeDeflateToMemory(100000, 100000, 24, junk, output); }), "Invalid Size!");
    EXPECT_EQ(ThrownText([&] { encoder.DecodeFlatePngToMemory(-3, 5, 8, 15, junk, output); }), "Invalid Size!");
    EXPECT_NE(ThrownText([&] { encoder.DecodeDeflateToMemory(10, 10, 8, junk, output); }), "(nothing thrown)");
    EXPECT_EQ(ThrownText([&] { encoder.DecodeFlatePngToMemory(10, 10, 8, 9, junk, output); }),
              "Invalid PNG predictor value 9!");
    EXPECT_NE(ThrownText([&] { encoder.DecodeFlatePngToMemory(10, 10, 24, 15, junk, output); }), "(nothing thrown)");
    EXPECT_EQ(ToVector(output), kept);
    EXPECT_FALSE(work.HasImage());
}
