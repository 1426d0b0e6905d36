// DIBs read into image rows, checked against independent readers: Pillow
// for files it writes and bit-field DIBs, ImageMagick for run-length coded
// ones. Hostile DIBs are refused or decoded in bounds.
#include "foundation/text/TextException.h"
#include "image/dib/DibHeader.h"
#include "image/kernels/ImgKernels.h"
#include "image/object/ZAVImg.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <sstream>

using namespace ZAV;
using namespace ZAVTest;

namespace {

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

struct DibHeaderFields {
    int32_t width = 2;
    int32_t height = 2;
    uint16_t planes = 1;
    uint16_t bits = 8;
    uint32_t compression = BI_RGB;
    uint32_t sizeImage = 0;
    uint32_t clrUsed = 0;
};

// Header, then the rest (masks, table, bits) as given.
std::vector<uint8_t> DibBytes(const DibHeaderFields& s, const std::vector<uint8_t>& rest)
{
    std::vector<uint8_t> b;
    Put(b, 40, 4);
    Put(b, static_cast<uint32_t>(s.width), 4);
    Put(b, static_cast<uint32_t>(s.height), 4);
    Put(b, s.planes, 2);
    Put(b, s.bits, 2);
    Put(b, s.compression, 4);
    Put(b, s.sizeImage, 4);
    Put(b, 2835, 4);
    Put(b, 2835, 4);
    Put(b, s.clrUsed, 4);
    Put(b, 0, 4);
    b.insert(b.end(), rest.begin(), rest.end());
    return b;
}

HGLOBAL Block(const std::vector<uint8_t>& bytes)
{
    HGLOBAL block = GlobalAlloc(GHND, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

std::vector<uint8_t> BmpFile(const std::vector<uint8_t>& dib, uint32_t offBits)
{
    std::vector<uint8_t> file = {'B', 'M'};
    Put(file, static_cast<uint32_t>(14 + dib.size()), 4);
    Put(file, 0, 4);
    Put(file, 14 + offBits, 4);
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}

// The image rows a DIB decodes to; empty when refused.
std::vector<uint8_t> Decode(const std::vector<uint8_t>& dib, CImgKernels& kernels, int& width, int& height)
{
    HGLOBAL block = Block(dib);
    HGLOBAL image = kernels.DibToImage24(block, width, height);
    GlobalFree(block);
    if (!image)
        return {};
    std::vector<uint8_t> rgb(static_cast<const uint8_t*>(image),
                             static_cast<const uint8_t*>(image) + GlobalSize(image));
    GlobalFree(image);
    return rgb;
}

std::string RunChecked(const std::string& command)
{
    const RunResult run = Run(command);
    EXPECT_EQ(run.exitCode, 0) << command << "\n" << run.output;
    return run.output;
}

// RGB bytes after a binary PPM header.
std::vector<uint8_t> PpmPixels(const std::string& ppm)
{
    std::istringstream in(ppm);
    std::string magic;
    int w = 0, h = 0, max = 0;
    in >> magic >> w >> h >> max;
    in.get();
    const size_t at = static_cast<size_t>(in.tellg());
    return std::vector<uint8_t>(ppm.begin() + at, ppm.begin() + at + 3 * w * h);
}

std::vector<uint8_t> Table(int count)
{
    std::vector<uint8_t> t;
    for (int i = 0; i < count; ++i)
        Put(t, static_cast<uint32_t>((i * 40) | ((255 - i * 30) << 8) | ((i * 17 + 5) << 16)), 4);
    return t;
}

}  // namespace

TEST(DibRead, BmpFilesPillowWritesDecodeToPillowsPixels)
{
    ASSERT_TRUE(HaveTool("/usr/bin/python3"));
    TempDir dir;
    WriteText(dir.File("make.py"), R"(
import sys
from PIL import Image
mode, stem = sys.argv[1], sys.argv[2]
image = Image.new("RGB", (7, 3))
image.putdata([((x * 37 + y * 11) % 256, (x * 5 + y * 59) % 256, (x * y * 13) % 256) for y in range(3) for x in range(7)])
if mode == "1":
    image = image.convert("1")
elif mode == "P":
    image = image.quantize(colors=20)
elif mode == "RGBA":
    image = image.convert("RGBA")
image.save(stem + ".bmp")
open(stem + ".rgb", "wb").write(Image.open(stem + ".bmp").convert("RGB").tobytes())
)");
    for (const char* mode : {"1", "P", "RGB", "RGBA"}) {
        SCOPED_TRACE(mode);
        const std::string stem = dir.File(std::string("m") + mode);
        RunChecked("/usr/bin/python3 " + ShellQuote(dir.File("make.py")) + " " + mode + " " + ShellQuote(stem));
        const std::vector<uint8_t> file = ReadBytes(stem + ".bmp");
        CImgKernels kernels;
        int width = 0, height = 0;
        const auto rgb = Decode(std::vector<uint8_t>(file.begin() + 14, file.end()), kernels, width, height);
        EXPECT_EQ(width, 7);
        EXPECT_EQ(height, 3);
        EXPECT_EQ(rgb, ReadBytes(stem + ".rgb")) << kernels.GetErrorText().GetText();
    }
}

TEST(DibRead, BitFieldDibsDecodeAsPillowReadsThem)
{
    TempDir dir;
    struct Case {
        uint16_t bits;
        std::vector<uint32_t> masks;
    };
    for (const Case& c : {Case{16, {0xF800, 0x07E0, 0x001F}}, Case{32, {0xFF0000, 0xFF00, 0xFF}}}) {
        SCOPED_TRACE(c.bits);
        DibHeaderFields header;
        header.width = 3;
        header.bits = c.bits;
        header.compression = BI_BITFIELDS;
        std::vector<uint8_t> rest;
        for (uint32_t m : c.masks)
            Put(rest, m, 4);
        for (int i = 0; i < 2 * (c.bits == 16 ? 4 : 3); ++i)  // rows of 8 (16-bit, padded) or 12 bytes
            Put(rest, static_cast<uint32_t>(0x9E37 * (i + 1) + 0x1234567 * i), c.bits / 8);
        const std::vector<uint8_t> dib = DibBytes(header, rest);
        WriteBytes(dir.File("f.bmp"), BmpFile(dib, 52));
        const std::string hex =
            RunChecked("/usr/bin/python3 -c \"import sys; from PIL import Image; "
                       "sys.stdout.write(Image.open(sys.argv[1]).convert('RGB').tobytes().hex())\" " +
                       ShellQuote(dir.File("f.bmp")));
        CImgKernels kernels;
        int width = 0, height = 0;
        const auto rgb = Decode(dib, kernels, width, height);
        ASSERT_EQ(rgb.size() * 2, hex.size());
        for (size_t i = 0; i < rgb.size(); ++i)
            EXPECT_NEAR(rgb[i], std::stoi(hex.substr(2 * i, 2), nullptr, 16), 1) << i;
    }
}

TEST(DibRead, RunLengthDibsDecodeAsImageMagickReadsThem)
{
    ASSERT_TRUE(HaveTool("convert"));
    TempDir dir;
    // RLE8 6 x 4: runs, an absolute run with its pad byte, end of line, a
    // delta, an even absolute run, end of bitmap.
    const std::vector<uint8_t> rle8 = {3, 1, 0, 3, 2, 3, 4, 0, 0, 0,  // row 0
                                       2, 5, 0, 2, 2, 1,              // delta to (4, 1)... right 2, up 1
                                       2, 6, 0, 0,                    // row 2 from x 4, then end of line
                                       0, 4, 1, 2, 3, 4, 1, 7, 0, 0,  // row 3
                                       0, 1};
    // RLE4 5 x 2: a run of alternating nibbles, an absolute run of 3.
    const std::vector<uint8_t> rle4 = {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 0, 0, 1};
    struct Case {
        uint16_t bits;
        uint32_t compression;
        int width;
        int height;
        std::vector<uint8_t> data;
    };
    for (const Case& c : {Case{8, BI_RLE8, 6, 4, rle8}, Case{4, BI_RLE4, 5, 2, rle4}}) {
        SCOPED_TRACE(c.bits);
        DibHeaderFields header;
        header.width = c.width;
        header.height = c.height;
        header.bits = c.bits;
        header.compression = c.compression;
        header.sizeImage = static_cast<uint32_t>(c.data.size());
        header.clrUsed = 8;
        std::vector<uint8_t> rest = Table(8);
        rest.insert(rest.end(), c.data.begin(), c.data.end());
        const std::vector<uint8_t> dib = DibBytes(header, rest);
        WriteBytes(dir.File("r.bmp"), BmpFile(dib, 40 + 32));
        const std::string ppm = RunChecked("convert " + ShellQuote(dir.File("r.bmp")) + " -depth 8 ppm:-");
        CImgKernels kernels;
        int width = 0, height = 0;
        EXPECT_EQ(Decode(dib, kernels, width, height), PpmPixels(ppm));
        EXPECT_EQ(kernels.GetErrorCode(), 0);
    }
}

TEST(DibRead, HostileDibsAreRefusedOrDecodedInBounds)
{
    const std::vector<uint8_t> table2 = Table(2);
    auto rle = [](std::vector<uint8_t> data, uint16_t bits = 8) {
        DibHeaderFields s;
        s.bits = bits;
        s.compression = bits == 8 ? BI_RLE8 : BI_RLE4;
        s.clrUsed = 2;
        std::vector<uint8_t> rest = Table(2);
        rest.insert(rest.end(), data.begin(), data.end());
        return DibBytes(s, rest);
    };
    auto plain = [&](DibHeaderFields s, std::vector<uint8_t> rest) { return DibBytes(s, rest); };
    DibHeaderFields negativeWidth;
    negativeWidth.width = -2;
    DibHeaderFields minHeight;
    minHeight.height = INT_MIN;
    DibHeaderFields threePlanes;
    threePlanes.planes = 3;
    DibHeaderFields bits7;
    bits7.bits = 7;
    DibHeaderFields tooManyColours;
    tooManyColours.clrUsed = 300;
    DibHeaderFields zeroMasks;
    zeroMasks.bits = 16;
    zeroMasks.compression = BI_BITFIELDS;
    DibHeaderFields shortTable;
    shortTable.clrUsed = 200;
    DibHeaderFields indices;
    indices.clrUsed = 2;
    struct Case {
        const char* name;
        std::vector<uint8_t> dib;
        bool decoded;
        int code;
    };
    const std::vector<Case> cases = {
        {"negative width", plain(negativeWidth, std::vector<uint8_t>(1032)), false, 0},
        {"INT_MIN height", plain(minHeight, std::vector<uint8_t>(1032)), false, 0},
        {"three planes", plain(threePlanes, std::vector<uint8_t>(1032)), false, 0},
        {"bit count 7", plain(bits7, std::vector<uint8_t>(1032)), false, 0},
        {"300 colours at 8 bits", plain(tooManyColours, std::vector<uint8_t>(1300)), false, 0},
        {"zero masks", plain(zeroMasks, std::vector<uint8_t>(20)), false, 0},
        {"colour table past the block", plain(shortTable, std::vector<uint8_t>(100)), false, 0},
        {"RLE4 at 8 bits", DibBytes(DibHeaderFields{2, 2, 1, 8, BI_RLE4, 0, 0}, std::vector<uint8_t>(1032)), false,
         107},
        {"RLE without end marker", rle({2, 1, 0, 0, 2, 1}), true, 0},
        {"absolute run past the data", rle({0, 200, 1, 1}), true, 0},
        {"delta above the top", rle({0, 2, 0, 5, 1, 1}), true, 106},
        {"indices above the colour count",
         plain(indices,
               [&] {
                   std::vector<uint8_t> rest = table2;
                   rest.insert(rest.end(), {9, 255, 0, 0, 200, 1, 0, 0});
                   return rest;
               }()),
         true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CImgKernels kernels;
        int width = 0, height = 0;
        const auto rgb = Decode(c.dib, kernels, width, height);
        EXPECT_EQ(!rgb.empty(), c.decoded) << kernels.GetErrorText().GetText();
        EXPECT_EQ(kernels.GetErrorCode(), c.code);
        if (c.decoded) {
            EXPECT_EQ(rgb.size(), 2u * 2 * 3);
        } else if (!c.code) {
            EXPECT_GT(kernels.GetErrorText().GetLength(), 0);
        }
    }
    // Indices past the table read its last entry.
    CImgKernels kernels;
    int width = 0, height = 0;
    const auto rgb = Decode(cases.back().dib, kernels, width, height);
    ASSERT_EQ(rgb.size(), 12u);
    EXPECT_EQ(std::vector<uint8_t>(rgb.begin(), rgb.begin() + 3),
              std::vector<uint8_t>({table2[6], table2[5], table2[4]}));
}

TEST(DibRead, EightBitTargetsKeepIndicesAndRefuseDeeperDibs)
{
    DibHeaderFields header;
    header.width = 9;
    header.height = -1;  // top-down
    header.bits = 4;
    header.clrUsed = 3;
    std::vector<uint8_t> rest = Table(3);
    rest.insert(rest.end(), {0x01, 0x2F, 0x10, 0x22, 0xF0, 0, 0, 0});
    HGLOBAL block = Block(DibBytes(header, rest));
    CImgKernels kernels;
    int width = 0, height = 0, colours = 0;
    uint32_t palette[256];
    HGLOBAL image = kernels.DibToImage8(block, 8, width, height, colours, palette);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(colours, 3);
    const BYTE* indices = static_cast<const BYTE*>(image);
    EXPECT_EQ(std::vector<BYTE>(indices, indices + 9), std::vector<BYTE>({0, 1, 2, 2, 1, 0, 2, 2, 2}));
    GlobalFree(image);
    EXPECT_EQ(kernels.DibToImage8(block, 1, width, height, colours, palette), nullptr);
    EXPECT_EQ(kernels.GetErrorCode(), 117);
    GlobalFree(block);
}

TEST(DibRead, IconBitsStartAfterTheTableAndStayInsideTheLength)
{
    DibHeaderFields header;
    header.width = 4;
    header.height = 2;
    header.bits = 1;
    std::vector<uint8_t> rest = Table(2);
    rest.resize(rest.size() + 8);
    const std::vector<uint8_t> dib = DibBytes(header, rest);
    EXPECT_EQ(GetDibBits(dib.data(), dib.size()), dib.data() + 48);
    EXPECT_EQ(GetDibBits(dib.data(), dib.size() - 1), nullptr);
    // A 12-byte core header: 3 bytes an entry.
    std::vector<uint8_t> core;
    Put(core, 12, 4);
    Put(core, 4, 2);
    Put(core, 1, 2);
    Put(core, 1, 2);
    Put(core, 1, 2);
    core.resize(12 + 6 + 4);
    EXPECT_EQ(GetDibBits(core.data(), core.size()), core.data() + 18);
}

TEST(DibRead, HugeSizesAreRefusedWithoutOverflow)
{
    DibHeaderFields header;
    header.width = 0x70600001;
    header.height = 0x017C0D00;
    header.bits = 24;
    CImgKernels kernels;
    int width = 0, height = 0;
    EXPECT_TRUE(Decode(DibBytes(header, std::vector<uint8_t>(16)), kernels, width, height).empty());
    const std::vector<uint8_t> dib = DibBytes(header, std::vector<uint8_t>(16));
    EXPECT_EQ(GetDibBits(dib.data(), dib.size()), nullptr);
}

TEST(DibRead, ImageFromDibKeepsIndexedDepthsAndRefusesOddOnes)
{
    struct Case {
        uint16_t dibBits;
        std::vector<uint8_t> rest;  // colour table and two rows of 2 pixels
        int imageBits;              // 0: refused
        const char* text;
    } cases[] = {
        {1, {0, 0, 0, 0, 255, 255, 255, 0, 0x40, 0, 0, 0, 0x80, 0, 0, 0}, 1, ""},
        {4, {0, 0, 0, 0, 255, 255, 255, 0, 0x01, 0, 0, 0, 0x10, 0, 0, 0}, 8, ""},
        {24, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}, 24, ""},
        {2, {0, 0, 0, 0, 0, 0, 0, 0}, 0, "Error creating Image from DIB! Invalid bitdepth."},
    };
    for (const Case& c : cases) {
        DibHeaderFields fields;
        fields.bits = c.dibBits;
        fields.clrUsed = c.dibBits == 4 ? 2 : 0;
        HGLOBAL dib = Block(DibBytes(fields, c.rest));
        CZAVImg image;
        try {
            image.CreateFromDib(dib);
            EXPECT_EQ(image.GetBitsPerPixel(), c.imageBits) << c.dibBits;
            EXPECT_EQ(image.GetWidth(), 2);
            EXPECT_EQ(image.GetXResolution(), 72) << "2835 pixels per metre";
        } catch (const CTextException& error) {
            EXPECT_EQ(c.imageBits, 0) << c.dibBits << ": " << error.GetText();
            EXPECT_STREQ(error.GetText(), c.text);
        }
        GlobalFree(dib);
    }
    CZAVImg image;
    try {
        image.CreateFromDib(nullptr);
        ADD_FAILURE() << "a null DIB was taken";
    } catch (const CTextException& error) {
        EXPECT_STREQ(error.GetText(), "Error Bad parameter DIB!");
    }
}
