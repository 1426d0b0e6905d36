// The Encode facet: the plug-in checks, the run-length decoding, and
// encode-then-decode round trips through the PDF stream routines.
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>
#include <string>

#include "support/TestSupport.h"
#include "support/ThrownText.h"
#include "ImageEditTestPixels.h"

namespace {

using namespace ZAV;
using ZAVTest::Bytes;
using ZAVTest::MeanDifference;
using ZAVTest::PixelsOf;
using ZAVTest::ThrownText;

TEST(EncodeFacet, PluginOperationsNeedTheirPlugin)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->AddImportExportDll(ZAVTest::BinPath("ZAVJbg20.so"), "");
    edit->Create(8, 8, zavbpp24);
    IZAVImageEditEncodeCpp& encode = *edit->GetEncode();
    const CArraySimple<unsigned char, 1> data;
    const struct {
        std::function<void()> action;
        const char* expected;
    } cases[] = {
        {[&] { encode.EncodeJpx(); }, "There is no Jpeg2000 filter dll assigned!"},
        {[&] { encode.DecodeJpx(8, 8, zavbpp24, data); }, "There is no Jpeg2000 filter dll assigned!"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ThrownText(c.action), c.expected);
    CZAVPtr<IZAVImageEditSp> bare = CreateImageEditSp();
    bare->Create(8, 8, zavbpp1);
    EXPECT_EQ(ThrownText([&] { bare->GetEncode()->EncodeJbig2(); }), "There is no Jbig2 filter dll assigned!");
    EXPECT_EQ(ThrownText([&] { bare->GetEncode()->DecodeJbig2(8, 8, zavbpp1, data); }),
              "There is no Jbig2 filter dll assigned!");
    EXPECT_EQ(edit->GetWidth(), 8);
}

TEST(EncodeFacet, RunLengthDataDecodesToRows)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    const unsigned char data[] = {253, 0x55, 128};
    CZAVPtr<IZAVArrayByteSp> pixels =
        edit->GetEncode()->DecodeRunLength(2, 2, zavbpp8, CArraySimple<unsigned char, 1>(data, 3));
    ASSERT_EQ(pixels->GetSize(), 4);
    EXPECT_EQ(pixels->GetAt(3), 0x55);
}

// An object with a picture of the depth: a flat block, a ramp and noise (or
// more ramp), so runs and literals both occur; 8-bit pictures get a gray
// palette.
CZAVPtr<IZAVImageEditSp> Picture(zavBitsPerPixel depth, int width = 61, int height = 19, bool noisy = true)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->Create(width, height, depth);
    auto* pixels = static_cast<unsigned char*>(edit->GetImageData());
    const int bytesPerLine = edit->GetBytesPerLine();
    uint32_t noise = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < bytesPerLine; ++x) {
            noise = noise * 1103515245u + 12345u;
            // A ramp over whole pixels, gentle enough for JPEG.
            const int smooth = ((x * width / bytesPerLine) * 2 + y * 3) & 0xFF;
            const bool ramp = x < 2 * bytesPerLine / 3 || !noisy;
            pixels[y * bytesPerLine + x] = static_cast<unsigned char>(x < bytesPerLine / 3 ? 0xF0
                                                                      : ramp               ? smooth
                                                                                           : noise >> 24);
        }
    if (depth == zavbpp1) {
        // Whole bytes of the row's last one stay inside the picture.
        const int used = width % 8;
        for (int y = 0; used && y < height; ++y)
            pixels[y * bytesPerLine + bytesPerLine - 1] &= static_cast<unsigned char>(0xFF << (8 - used));
    }
    if (depth == zavbpp8)
        edit->GetPalette()->CreateGrayScale();
    return edit;
}

using Encode = std::function<CZAVPtr<IZAVArrayByteSp>(IZAVImageEditEncodeCpp&)>;
using Decode = std::function<CZAVPtr<IZAVArrayByteSp>(IZAVImageEditEncodeCpp&, int, int, zavBitsPerPixel,
                                                      const CArraySimple<unsigned char, 1>&)>;

Decode Ccitt(int32_t k)
{
    return [k](IZAVImageEditEncodeCpp& e, int w, int h, zavBitsPerPixel d, const CArraySimple<unsigned char, 1>& s) {
        return e.DecodeCcitt(w, h, d, k, s);
    };
}

Decode PngPredictor(int32_t predictor)
{
    return [predictor](IZAVImageEditEncodeCpp& e, int w, int h, zavBitsPerPixel d,
                       const CArraySimple<unsigned char, 1>& s) {
        return e.DecodeFlatePngPredictor(w, h, d, predictor, s);
    };
}

TEST(EncodeFacet, EncodeThenDecodeGivesTheSourcePixels)
{
    const Encode ccitt = [](IZAVImageEditEncodeCpp& e) { return e.EncodeCcitt(); };
    const Encode lzw = [](IZAVImageEditEncodeCpp& e) { return e.EncodeLzw(); };
    const Encode flate = [](IZAVImageEditEncodeCpp& e) { return e.EncodeFlate(); };
    const Encode png = [](IZAVImageEditEncodeCpp& e) { return e.EncodeFlatePng(); };
    const Encode runLength = [](IZAVImageEditEncodeCpp& e) { return e.EncodeRunLength(); };
    const Encode dct = [](IZAVImageEditEncodeCpp& e) { return e.EncodeDct(); };
    const Decode lzwBack = [](IZAVImageEditEncodeCpp& e, int w, int h, zavBitsPerPixel d,
                              const CArraySimple<unsigned char, 1>& s) { return e.DecodeLzw(w, h, d, s); };
    const Decode flateBack = [](IZAVImageEditEncodeCpp& e, int w, int h, zavBitsPerPixel d,
                                const CArraySimple<unsigned char, 1>& s) {
        return e.DecodeFlateTiffPredictor(w, h, d, s);
    };
    const Decode runLengthBack = [](IZAVImageEditEncodeCpp& e, int w, int h, zavBitsPerPixel d,
                                    const CArraySimple<unsigned char, 1>& s) { return e.DecodeRunLength(w, h, d, s); };
    const Decode dctBack = [](IZAVImageEditEncodeCpp& e, int w, int h, zavBitsPerPixel d,
                              const CArraySimple<unsigned char, 1>& s) { return e.DecodeDct(w, h, d, s); };
    const struct {
        const char* name;
        zavBitsPerPixel depth;
        int compression;
        int t4Options;
        Encode encode;
        Decode decode;
        double tolerance;
    } cases[] = {
        {"G3 1-D", zavbpp1, 3, 0, ccitt, Ccitt(0), 0},
        {"G3 2-D", zavbpp1, 3, 1, ccitt, Ccitt(4), 0},
        {"G4", zavbpp1, 4, 0, ccitt, Ccitt(-1), 0},
        {"LZW 1", zavbpp1, 5, 0, lzw, lzwBack, 0},
        {"LZW 8", zavbpp8, 5, 0, lzw, lzwBack, 0},
        {"LZW 24", zavbpp24, 5, 0, lzw, lzwBack, 0},
        {"Flate TIFF predictor 1", zavbpp1, 32946, 0, flate, flateBack, 0},
        {"Flate TIFF predictor 8", zavbpp8, 32946, 0, flate, flateBack, 0},
        {"Flate TIFF predictor 24", zavbpp24, 32946, 0, flate, flateBack, 0},
        {"Flate PNG 10, 1 bit", zavbpp1, 1, 0, png, PngPredictor(10), 0},
        {"Flate PNG 11, 8 bits", zavbpp8, 1, 0, png, PngPredictor(11), 0},
        {"Flate PNG 12, 24 bits", zavbpp24, 1, 0, png, PngPredictor(12), 0},
        {"Flate PNG 13, 8 bits", zavbpp8, 1, 0, png, PngPredictor(13), 0},
        {"Flate PNG 14, 24 bits", zavbpp24, 1, 0, png, PngPredictor(14), 0},
        {"Flate PNG 15, 24 bits", zavbpp24, 1, 0, png, PngPredictor(15), 0},
        {"run length 1", zavbpp1, 1, 0, runLength, runLengthBack, 0},
        {"run length 8", zavbpp8, 1, 0, runLength, runLengthBack, 0},
        {"run length 24", zavbpp24, 1, 0, runLength, runLengthBack, 0},
        {"JPEG 24", zavbpp24, 1, 0, dct, dctBack, 4},
        {"JPEG gray", zavbpp8, 1, 0, dct, dctBack, 4},
    };
    for (const auto& c : cases) {
        CZAVPtr<IZAVImageEditSp> source = Picture(c.depth, 61, 19, c.tolerance == 0);
        IZAVImageEditFileFormatSettingsCpp& settings = *source->GetFileFormatSettings();
        settings.SetTiffCompression(c.compression);
        settings.SetTiffT4Options(c.t4Options);
        settings.SetJpegQuality(90);
        settings.SetJpegGrayscale(c.depth == zavbpp8);
        const std::vector<unsigned char> before = PixelsOf(*source.Get());
        CZAVPtr<IZAVArrayByteSp> coded = c.encode(*source->GetEncode());
        ASSERT_GT(coded->GetSize(), 0) << c.name;
        EXPECT_EQ(PixelsOf(*source.Get()), before) << c.name;
        const std::vector<unsigned char> stream = Bytes(*coded.Get());

        CZAVPtr<IZAVImageEditSp> target = CreateImageEditSp();
        CZAVPtr<IZAVArrayByteSp> decoded =
            c.decode(*target->GetEncode(), 61, 19, c.depth, CArraySimple<unsigned char, 1>(stream));
        EXPECT_LE(MeanDifference(Bytes(*decoded.Get()), before), c.tolerance) << c.name;
    }
}

TEST(EncodeFacet, WhiteFirstBitonalImagesAreRestoredAfterLzw)
{
    CZAVPtr<IZAVImageEditSp> source = Picture(zavbpp1);
    source->GetPalette()->CreateWhiteBlack();
    source->GetFileFormatSettings()->SetTiffCompression(5);
    const std::vector<unsigned char> before = PixelsOf(*source.Get());
    CZAVPtr<IZAVArrayByteSp> coded = source->GetEncode()->EncodeLzw();
    EXPECT_EQ(PixelsOf(*source.Get()), before);
    EXPECT_TRUE(source->GetPalette()->IsInverted());
    // Coded black-first: the decoded black-white picture holds the inverted
    // bytes, which look the same.
    CZAVPtr<IZAVImageEditSp> target = CreateImageEditSp();
    const std::vector<unsigned char> stream = Bytes(*coded.Get());
    const std::vector<unsigned char> decoded =
        Bytes(*target->GetEncode()->DecodeLzw(61, 19, zavbpp1, CArraySimple<unsigned char, 1>(stream)).Get());
    ASSERT_EQ(decoded.size(), before.size());
    for (size_t i = 0; i < decoded.size(); ++i) {
        if ((i + 1) % 8 != 0) {  // the row's last byte holds padding bits
            EXPECT_EQ(decoded[i], static_cast<unsigned char>(~before[i])) << i;
        }
    }
}

TEST(EncodeFacet, DecodingThroughTiffLeavesItsSettings)
{
    const struct {
        int32_t k;
        int compression;
        int t4Options;
    } cases[] = {{0, 3, 0}, {4, 3, 1}, {-1, 4, 0}};
    for (const auto& c : cases) {
        CZAVPtr<IZAVImageEditSp> source = Picture(zavbpp1);
        source->GetFileFormatSettings()->SetTiffCompression(c.compression);
        source->GetFileFormatSettings()->SetTiffT4Options(c.t4Options);
        const std::vector<unsigned char> stream = Bytes(*source->GetEncode()->EncodeCcitt().Get());
        CZAVPtr<IZAVImageEditSp> target = CreateImageEditSp();
        target->GetFileFormatSettings()->SetTiffFaxMode(0);
        target->GetFileFormatSettings()->SetTiffT6Options(3);
        target->GetEncode()->DecodeCcitt(61, 19, zavbpp1, c.k, CArraySimple<unsigned char, 1>(stream));
        IZAVImageEditFileFormatSettingsCpp& s = *target->GetFileFormatSettings();
        EXPECT_EQ(s.GetTiffCompression(), c.compression) << c.k;
        EXPECT_EQ(s.GetTiffFaxMode(), 1) << c.k;
        EXPECT_EQ(s.GetTiffT4Options(), c.t4Options) << c.k;
        EXPECT_EQ(s.GetTiffT6Options(), 0) << c.k;
        EXPECT_EQ(target->HasImage(), 0) << c.k;
    }
}

TEST(EncodeFacet, DecodedJpegStaysInTheImage)
{
    CZAVPtr<IZAVImageEditSp> source = Picture(zavbpp24, 40, 30);
    const std::vector<unsigned char> stream = Bytes(*source->GetEncode()->EncodeDct().Get());
    CZAVPtr<IZAVImageEditSp> target = CreateImageEditSp();
    CZAVPtr<IZAVArrayByteSp> pixels =
        target->GetEncode()->DecodeDct(7, 7, zavbpp8, CArraySimple<unsigned char, 1>(stream));
    EXPECT_EQ(target->GetWidth(), 40);
    EXPECT_EQ(target->GetHeight(), 30);
    EXPECT_EQ(target->GetBitsPerPixel(), zavbpp24);
    EXPECT_EQ(pixels->GetSize(), 40 * 30 * 3);
}

}  // namespace
