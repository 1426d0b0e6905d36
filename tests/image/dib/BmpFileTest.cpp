// .bmp files written from images must read back in Pillow, an independent
// reader, with the same pixels, palette and resolution.
#include "image/core/ImageLimits.h"
#include "image/dib/DibHeader.h"
#include "image/kernels/ImgKernels.h"
#include "image/support/ImageTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace ZAV;
using namespace ZAVTest;

namespace {

// Prints mode, width, height, rounded dpi, the RGB bytes in hex and the
// first palette entries of a .bmp file.
const char kDescribeBmp[] = R"(
import sys
from PIL import Image
image = Image.open(sys.argv[1])
dpi = image.info.get("dpi", (0, 0))
palette = image.getpalette() or []
print(image.mode, image.size[0], image.size[1], round(dpi[0]), round(dpi[1]))
print(image.convert("RGB").tobytes().hex())
print(bytes(palette[:12]).hex() if image.mode == "P" else "-")
)";

struct PillowView {
    std::string header;
    std::string rgbHex;
    std::string paletteHex;
};

PillowView Describe(const TempDir& dir, const std::string& file)
{
    WriteText(dir.File("describe.py"), kDescribeBmp);
    const RunResult run = Run("/usr/bin/python3 " + ShellQuote(dir.File("describe.py")) + " " + ShellQuote(file));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    std::istringstream lines(run.output);
    PillowView view;
    std::getline(lines, view.header);
    std::getline(lines, view.rgbHex);
    std::getline(lines, view.paletteHex);
    return view;
}

std::string Hex(const std::vector<uint8_t>& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (uint8_t b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

// The image as RGB bytes, top row first, whatever its depth.
std::vector<uint8_t> RgbOf(const CTestImage& image)
{
    std::vector<uint8_t> rgb;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) {
            COLORREF c;
            if (image.GetBitsPerPixel() == 24) {
                c = image.GetPixel24(x, y);
            } else {
                const BYTE* row = static_cast<const BYTE*>(image.GetImageData()) + y * image.GetBytesPerLine();
                const int index = image.GetBitsPerPixel() == 1 ? (row[x / 8] >> (7 - x % 8)) & 1 : row[x];
                c = PaletteEntryToColor(image.GetPalette().GetEntries()[index]);
            }
            rgb.insert(rgb.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
        }
    return rgb;
}

void Paint(CTestImage& image)
{
    BYTE* data = static_cast<BYTE*>(image.GetImageData());
    for (int i = 0; i < image.GetImageSize(); ++i)
        data[i] = static_cast<BYTE>(i * 37 + 11);
    if (image.GetBitsPerPixel() == 8)
        for (int i = 0; i < 256; ++i)
            image.GetPalette().SetEntry(
                i, MakePaletteEntry(static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 3)));
    if (image.GetBitsPerPixel() == 1) {
        image.GetPalette().SetEntry(0, MakePaletteEntry(200, 10, 30));
        image.GetPalette().SetEntry(1, MakePaletteEntry(5, 250, 60));
    }
}

}  // namespace

TEST(BmpFiles, PillowReadsThePixelsPaletteAndResolution)
{
    ASSERT_TRUE(HaveTool("/usr/bin/python3"));
    struct Case {
        int bits;
        const char* mode;
        int dpi;
    };
    TempDir dir;
    for (const Case& c : {Case{1, "P", 300}, Case{8, "P", 600}, Case{24, "RGB", 72}}) {
        SCOPED_TRACE(c.bits);
        CTestImage image;
        ASSERT_TRUE(image.Create(13, 5, c.bits));
        image.SetResolution(c.dpi, c.dpi, kResolutionUnitInch);
        Paint(image);
        CGlobalHandle dib;
        image.CreateDIB(nullptr, dib);
        const std::string file = dir.File("out" + std::to_string(c.bits) + ".bmp");
        ASSERT_EQ(CImgKernels::WriteDibToBmpFile(file.c_str(), dib.GetHandle()), 1);
        const PillowView view = Describe(dir, file);
        EXPECT_EQ(view.header, c.mode + std::string(" 13 5 ") + std::to_string(c.dpi) + " " + std::to_string(c.dpi));
        EXPECT_EQ(view.rgbHex, Hex(RgbOf(image)));
        if (c.bits == 8) {
            EXPECT_EQ(view.paletteHex, "00ff0001fe0302fd0603fc09");
        } else if (c.bits == 1) {
            EXPECT_EQ(view.paletteHex.substr(0, 12), "c80a1e05fa3c");
        }
    }
}

TEST(BmpFiles, FileLayoutAndHeaderFields)
{
    CImgKernels kernels;
    const BYTE indices[4] = {0, 1, 2, 3};
    uint32_t palette[256] = {};
    HGLOBAL dib = kernels.Image8ToDib(indices, 2, 2, 256, 8, palette, 600, 0);
    ASSERT_NE(dib, nullptr);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(dib);
    EXPECT_EQ(header->biXPelsPerMeter, 23623);
    EXPECT_EQ(header->biYPelsPerMeter, 1);
    EXPECT_EQ(header->biClrUsed, 256u);
    TempDir dir;
    ASSERT_EQ(CImgKernels::WriteDibToBmpFile(dir.File("a.bmp").c_str(), dib), 1);
    const std::vector<uint8_t> file = ReadBytes(dir.File("a.bmp"));
    ASSERT_EQ(file.size(), 14u + 40 + 1024 + 8);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(file[2] | (file[3] << 8), 1086);
    EXPECT_EQ(file[10] | (file[11] << 8), 1078);
    EXPECT_EQ(file[1078], 2);  // the bottom row comes first
    EXPECT_EQ(CImgKernels::WriteDibToBmpFile(dir.File("no/such/dir.bmp").c_str(), dib), 0);
    GlobalFree(dib);

    const BYTE rgb[3 * 3] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    HGLOBAL wide = kernels.Image24ToDib(rgb, 3, 1, 96, 96);
    EXPECT_EQ(static_cast<const BITMAPINFOHEADER*>(wide)->biSizeImage, 12u);
    EXPECT_EQ(static_cast<const BYTE*>(wide)[40], 3);  // blue first
    GlobalFree(wide);
    EXPECT_EQ(GetDibStride(33, 1, 1), 8);
    // Rows past 2^63 bits (hostile width, planes and bit count) stop just
    // past the ceiling instead of overflowing.
    EXPECT_EQ(GetDibStride(INT32_MAX, 65535, 65535), kMaxImageBytes + 1);
    EXPECT_EQ(GetDibStride(INT32_MIN, 65535, 65535), 0);
    BITMAPINFOHEADER huge{40, INT32_MAX, INT32_MAX, 65535, 65535, 0, 0, 0, 0, 0, 0};
    BITMAPINFOHEADER read{};
    ASSERT_TRUE(ReadDibHeader(&huge, sizeof huge, read));
    EXPECT_EQ(read.biSizeImage, 0u);
}
