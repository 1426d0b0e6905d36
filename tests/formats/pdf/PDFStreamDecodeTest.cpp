// The decoding routines against data made by independent producers:
// img2pdf's PNG-predicted Flate streams, Deflate with the TIFF predictor
// read by pdfimages, and the hostile cases.
#include <gtest/gtest.h>

#include "foundation/datasource/DataSource.h"
#include "formats/pdf/PDFCodes.h"
#include "formats/pdf/PDFTiffStrips.h"
#include "formats/tiff/encode/TIFFEncoder.h"
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
    MakePicture(work, 3, 3, 8, 72);
    encoder.DecodeJpegFromMemory(empty, output);
    EXPECT_TRUE(work.HasImage());
    work.Clear();
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

namespace {

// The one strip of a TIFF file as libtiff stores it.
std::vector<uint8_t> StripOf(const std::string& path)
{
    const std::vector<uint8_t> file = ZAVTest::ReadBytes(path);
    CDataSource strip;
    strip.OpenBinStream();
    CopyRawTiffStrip(file.data(), static_cast<int64_t>(file.size()), strip);
    CPDFEncoder::ByteArray bytes;
    strip.GetBinStream().CopyTo(bytes);
    return ToVector(bytes);
}

struct TiffcpCase {
    const char* option;  // tiffcp -c
    int32_t k;
    int bitsPerPixel;
    const char* mode;  // Pillow's source picture
};

}  // namespace

// CCITT and LZW data made by libtiff's tiffcp from a picture Pillow wrote
// decodes to that picture's bytes.
TEST(PDFStreamDecode, TiffcpDataDecodesToTheSourcePixels)
{
    ASSERT_TRUE(ZAVTest::HaveTool("tiffcp"));
    const TiffcpCase cases[] = {
        {"g4", -1, 1, "1"}, {"g3:1d", 0, 1, "1"},  {"g3:2d", 4, 1, "1"},
        {"lzw", 0, 8, "L"}, {"lzw", 0, 24, "RGB"}, {"lzw", 0, 1, "1"},
    };
    for (const TiffcpCase& c : cases) {
        SCOPED_TRACE(std::string(c.option) + " " + c.mode);
        ZAVTest::TempDir folder;
        const std::string source = folder.File("s.tif"), coded = folder.File("c.tif");
        ASSERT_EQ(ZAVTest::Run("/usr/bin/python3 -c \"from PIL import Image; i = Image.new('RGB', (53, 29)); "
                               "i.putdata([((x * 9) % 256, (y * 17) % 256, ((x // 4 + y // 3) % 2) * 255) for y in "
                               "range(29) for x in range(53)]); i.convert('" +
                               std::string(c.mode) + "').save('" + source + "')\"")
                      .exitCode,
                  0);
        ASSERT_EQ(ZAVTest::Run("tiffcp -c " + std::string(c.option) + " " + source + " " + coded).exitCode, 0);
        int width = 0, height = 0;
        const std::vector<uint8_t> expected = PillowPixels(source, "", width, height);
        CZAVImg work;
        CPDFEncoder encoder(&work);
        ByteArray output;
        const ByteArray data = ToArray(StripOf(coded));
        if (c.bitsPerPixel == 1 && std::string(c.option) != "lzw") {
            encoder.DecodeCcittToMemory(width, height, 1, c.k, data, output);
            EXPECT_EQ(work.m_tiffCompression, c.k < 0 ? kTiffCcittG4 : kTiffCcittG3);
            EXPECT_EQ(work.m_tiffOptionB, c.k > 0 ? 1 : 0);
        } else {
            encoder.DecodeLzwToMemory(width, height, c.bitsPerPixel, data, output);
            EXPECT_EQ(work.m_tiffCompression, kTiffLzw);
        }
        EXPECT_EQ(work.m_ccittOptionB, kFaxModeNoRtc);
        EXPECT_EQ(ToVector(output), expected);
        EXPECT_FALSE(work.HasImage());
    }
}

// CCITT strips the writer makes read back through libtiff (the TIFF
// encoder's wrapping, then tiffcp undoing the coding) to the picture.
TEST(PDFStreamDecode, EncodedStripsReadBackThroughLibtiff)
{
    ASSERT_TRUE(ZAVTest::HaveTool("tiffcp"));
    for (int compression : {kTiffCcittG3, kTiffCcittG4, kTiffLzw}) {
        SCOPED_TRACE(compression);
        CZAVImg image;
        MakePicture(image, 45, 19, 1, 72);
        image.m_tiffCompression = compression;
        CDataSource strip;
        strip.OpenBinStream();
        CPDFEncoder encoder(&image);
        encoder.WriteTiffStrips(&strip);
        ByteArray data;
        strip.GetBinStream().CopyTo(data);
        ZAVTest::TempDir folder;
        std::vector<uint8_t> file(static_cast<size_t>(data.GetSize()) + 500000);
        CDataSource wrapped;
        wrapped.OpenMemoryForWriting(file.data(), file.size());
        uint32_t written = 0;
        CTIFFEncoder().SaveRawStrip(&image, &wrapped, data.GetData(), static_cast<uint32_t>(data.GetSize()), &written);
        file.resize(written);
        ZAVTest::WriteBytes(folder.File("w.tif"), file);
        ASSERT_EQ(ZAVTest::Run("tiffcp -c none " + folder.File("w.tif") + " " + folder.File("plain.tif")).exitCode, 0);
        int width = 0, height = 0;
        const std::vector<uint8_t> back = PillowPixels(folder.File("plain.tif"), "1", width, height);
        const BYTE* pixels = image.GetDataBlock()->GetData<BYTE>();
        EXPECT_EQ(back, std::vector<uint8_t>(pixels, pixels + image.GetImageSize()));
    }
}

// A TIFF of several separately coded strips can't become one PDF stream.
TEST(PDFStreamDecode, SeveralStripsAreRefused)
{
    ASSERT_TRUE(ZAVTest::HaveTool("tiffcp"));
    ZAVTest::TempDir folder;
    ASSERT_EQ(ZAVTest::Run("/usr/bin/python3 -c \"from PIL import Image; Image.new('1', (40, 40)).save('" +
                           folder.File("s.tif") + "')\"")
                  .exitCode,
              0);
    ASSERT_EQ(ZAVTest::Run("tiffcp -c g4 -r 8 " + folder.File("s.tif") + " " + folder.File("five.tif")).exitCode, 0);
    EXPECT_EQ(ThrownText([&] { StripOf(folder.File("five.tif")); }),
              "TIFF data of more than one strip can't be copied into one PDF stream!");
}

// The IDAT data of the picture saved as PNG decodes back to the picture.
TEST(PDFStreamDecode, PngIdatStreamsRoundTrip)
{
    for (int depth : {1, 8, 24}) {
        SCOPED_TRACE(depth);
        CZAVImg image;
        MakePicture(image, 37, 21, depth, 72);
        image.m_pngColorType = 6;  // a caller's setting the save must neither use nor change
        CDataSource idat;
        idat.OpenBinStream();
        CPDFEncoder encoder(&image);
        encoder.WritePngIdatStream(&idat);
        EXPECT_EQ(image.m_pngColorType, 6);
        ByteArray data, output;
        idat.GetBinStream().CopyTo(data);
        CZAVImg work;
        CPDFEncoder decoder(&work);
        decoder.DecodeFlatePngToMemory(37, 21, depth, 15, data, output);
        const BYTE* pixels = image.GetDataBlock()->GetData<BYTE>();
        EXPECT_EQ(ToVector(output), std::vector<uint8_t>(pixels, pixels + image.GetImageSize()));
    }
}
