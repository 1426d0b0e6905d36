// PDF image-stream coding and the image-page PDF writer beside libtiff's
// tiffcp, img2pdf and tiff2pdf on the same pages: CCITT G4 on an A4 300-dpi
// 1-bit page, LZW on an A4 200-dpi grey page, each coded and decoded, and
// a PDF of 100 (or the given count of) G4 pages.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bench/BenchFiles.h"
#include "foundation/datasource/DataSource.h"
#include "formats/pdf/PDFEncoder.h"
#include "image/object/ZAVImg.h"

using namespace ZAV;
using ZAVBench::PrintComparison;
using ZAVBench::Stopwatch;

namespace {

constexpr int kFormatTiff = 5;
constexpr int kTiffNone = 1;
constexpr int kTiffG4 = 4;
constexpr int kTiffLzw = 5;
constexpr int kRounds = 5;

void CreatePage(CZAVImg& image, int width, int height, int bitsPerPixel, int dpi)
{
    image.Create(width, height, bitsPerPixel);
    if (bitsPerPixel == 1)
        image.GetPalette().CreateWhiteBlack();
    else
        image.GetPalette().CreateGrayScale();
    image.SetXResolution(dpi);
    image.SetYResolution(dpi);
}

// Text-like blocks of black on white.
void MakeTextPage(CZAVImg& image)
{
    CreatePage(image, 2480, 3508, 1, 300);
    std::mt19937 random(7);
    BYTE** rows = image.GetLineArray();
    for (int line = 300; line < 3200; line += 60)
        for (int x = 250; x < 2200; x += 40 + static_cast<int>(random() % 30)) {
            const int glyph = 20 + static_cast<int>(random() % 15);
            for (int y = line; y < line + 35; ++y)
                for (int i = x; i < x + glyph; ++i)
                    if ((i + y) % 5 != 0)
                        rows[y][i / 8] |= static_cast<BYTE>(0x80 >> (i % 8));
        }
}

void MakeGreyPage(CZAVImg& image)
{
    CreatePage(image, 1654, 2339, 8, 200);
    std::mt19937 random(11);
    BYTE** rows = image.GetLineArray();
    for (int y = 0; y < 2339; ++y)
        for (int x = 0; x < 1654; ++x)
            rows[y][x] = static_cast<BYTE>(((x / 8 + y / 12) * 3 + random() % 4) & 0xFF);
}

CPDFEncoder::ByteArray Encode(CZAVImg& image, int compression, double& seconds)
{
    image.m_tiffCompression = compression;
    CPDFEncoder encoder(&image);
    CDataSource out;
    Stopwatch clock;
    for (int i = 0; i < kRounds; ++i) {
        out.OpenBinStream();
        encoder.WriteTiffStrips(&out);
    }
    seconds = clock.Seconds() / kRounds;
    CPDFEncoder::ByteArray bytes;
    out.GetBinStream().CopyTo(bytes);
    return bytes;
}

double Decode(const CZAVImg& page, int compression, const CPDFEncoder::ByteArray& data)
{
    CZAVImg work;
    CPDFEncoder encoder(&work);
    Stopwatch clock;
    for (int i = 0; i < kRounds; ++i) {
        CPDFEncoder::ByteArray pixels;
        if (compression == kTiffG4)
            encoder.DecodeCcittToMemory(page.GetWidth(), page.GetHeight(), 1, -1, data, pixels);
        else
            encoder.DecodeLzwToMemory(page.GetWidth(), page.GetHeight(), 8, data, pixels);
    }
    return clock.Seconds() / kRounds;
}

void SaveTiff(CZAVImg& image, int compression, const std::string& path)
{
    image.m_prepareBeforeSave = 0;
    image.m_tiffCompression = compression;
    image.SaveToFile(path.c_str(), kFormatTiff, nullptr);
}

void BenchCoding(const char* name, CZAVImg& page, int compression, const std::string& folder)
{
    const std::string raw = folder + "/" + name + "-raw.tif", coded = folder + "/" + name + "-coded.tif";
    SaveTiff(page, kTiffNone, raw);
    double encodeSeconds = 0;
    const CPDFEncoder::ByteArray data = Encode(page, compression, encodeSeconds);
    std::printf("%s encode: %.3f s a page, %d bytes\n", name, encodeSeconds, data.GetSize());
    const std::string method = compression == kTiffG4 ? "g4" : "lzw";
    PrintComparison("ours", encodeSeconds, "tiffcp -c " + method + " " + raw + " " + coded);
    const double decodeSeconds = Decode(page, compression, data);
    std::printf("%s decode: %.3f s a page\n", name, decodeSeconds);
    PrintComparison("ours", decodeSeconds, "tiffcp -c none " + coded + " " + folder + "/back.tif");
}

void BenchDocument(CZAVImg& page, int pages, const std::string& folder)
{
    page.m_tiffCompression = kTiffG4;
    std::vector<CZAVImg*> list(static_cast<size_t>(pages), &page);
    const std::string path = folder + "/ours.pdf";
    Stopwatch clock;
    CDataSource out;
    out.OpenFileForWriting(path.c_str(), false);
    CPDFEncoder encoder;
    uint32_t bytes = 0;
    encoder.SaveMultiPicture(&page, list.data(), pages, &out, 0, &bytes);
    out.Close();
    const double seconds = clock.Seconds();
    std::printf("%d-page G4 PDF: %.3f s, %u bytes\n", pages, seconds, bytes);
    // The same coded page repeated, as one list for img2pdf and as one
    // multi-page TIFF for tiff2pdf.
    const std::string repeated = "$(printf 'text-coded.tif %.0s' $(seq " + std::to_string(pages) + "))";
    const std::string many = folder + "/many.tif";
    std::system(("cd " + folder + " && tiffcp " + repeated + " many.tif >/dev/null 2>&1").c_str());
    PrintComparison("ours", seconds, "cd " + folder + " && img2pdf -o img2pdf.pdf " + repeated);
    PrintComparison("ours", seconds, "tiff2pdf -o " + folder + "/tiff2pdf.pdf " + many);
}

}  // namespace

int main(int argc, char** argv)
{
    const int pages = argc > 1 ? std::atoi(argv[1]) : 100;
    char pattern[] = "/tmp/pdfstream-bench-XXXXXX";
    const std::string folder = mkdtemp(pattern);
    CZAVImg text, grey;
    MakeTextPage(text);
    MakeGreyPage(grey);
    BenchCoding("text", text, kTiffG4, folder);
    BenchCoding("grey", grey, kTiffLzw, folder);
    BenchDocument(text, pages, folder);
    std::system(("rm -rf " + folder).c_str());
    return 0;
}
