// The PICT decoder against netpbm's ppmtopict and ImageMagick's files
// (loaded to the pixels they were made of), hand-made version 1 and 2
// pictures, and the bounds every packed row keeps.
#include "formats/registry/ImgFormat.h"
#include "formats/support/CodecPictures.h"
#include "formats/support/RasterTools.h"
#include "image/object/ZAVImg.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ZAV;
using namespace ZAVTest;

namespace {

TEST(PictDecoder, ToolFilesLoadToTheirSourcePixels)
{
    TempDir dir;
    MakeWithPillow(dir, "pattern('P', 13, 5).convert('RGB').save('few.ppm')\n"
                        "pattern('P16', 300, 4).convert('RGB').save('wide.ppm')\n"
                        "pattern('RGB', 13, 5).save('many.png')\n"
                        "pattern('RGB', 260, 3).save('wide.png')");
    RunInDir(dir, "ppmtopict few.ppm > few.pict 2>/dev/null");
    RunInDir(dir, "ppmtopict wide.ppm > widepal.pict 2>/dev/null");
    RunInDir(dir, "convert many.png PICT:many.pict");
    RunInDir(dir, "convert wide.png PICT:widedirect.pict");
    const struct {
        const char* file;
        const char* source;
        int depth;
    } cases[] = {{"few.pict", "few.ppm", 8},
                 {"widepal.pict", "wide.ppm", 8},
                 {"many.pict", "many.png", 24},
                 {"widedirect.pict", "wide.png", 24}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        CZAVImg image;
        LoadPicture(image, dir.File(c.file), zavifPICT);
        EXPECT_EQ(c.depth, image.GetBitsPerPixel());
        EXPECT_EQ(ReadWithPillow(dir, c.source).rgb, ImageRgb(image));
        CZAVImg detected;
        LoadPicture(detected, dir.File(c.file), zavifDetect);
        EXPECT_EQ(ImageRgb(image), ImageRgb(detected));
    }
}

// A picture of version 2 (or 1): preamble, size, frame, version opcode,
// then opcodes; fields big-endian.
class CPict {
public:
    explicit CPict(int version) : m_version(version)
    {
        m_bytes.assign(512, 0);
        PutBE16(m_bytes, 0);
        Rect(0, 0, 2, 16);
        if (version == 2) {
            m_bytes.insert(m_bytes.end(), {0x00, 0x11, 0x02, 0xFF});
            Op(0x0C00);
            m_bytes.insert(m_bytes.end(), 24, 0);
        } else {
            m_bytes.insert(m_bytes.end(), {0x11, 0x01});
        }
    }
    CPict& Op(int op)
    {
        if (m_version == 2) {
            if (m_bytes.size() & 1)
                m_bytes.push_back(0);
            PutBE16(m_bytes, static_cast<uint32_t>(op));
        } else {
            m_bytes.push_back(static_cast<uint8_t>(op));
        }
        return *this;
    }
    CPict& Word(int value)
    {
        PutBE16(m_bytes, static_cast<uint32_t>(value));
        return *this;
    }
    CPict& Long(uint32_t value)
    {
        PutBE32(m_bytes, value);
        return *this;
    }
    CPict& Rect(int top, int left, int bottom, int right)
    {
        for (int v : {top, left, bottom, right})
            Word(v);
        return *this;
    }
    CPict& Bytes(const std::vector<uint8_t>& bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    // The pixel map record behind the row-bytes word.
    CPict& PixMap(int width, int height, int pixelSize, int components)
    {
        Rect(0, 0, height, width).Word(0).Word(pixelSize == 32 ? 4 : 0).Long(0);
        Long(72 << 16).Long(72 << 16);
        Word(pixelSize == 32 ? 16 : 0).Word(pixelSize).Word(components).Word(pixelSize == 32 ? 8 : pixelSize);
        return Long(0).Long(0).Long(0);
    }
    const std::vector<uint8_t>& Get() const { return m_bytes; }

private:
    int m_version;
    std::vector<uint8_t> m_bytes;
};

std::string Decode(const std::vector<uint8_t>& file, CZAVImg& image)
{
    TempDir dir;
    WriteBytes(dir.File("t.pict"), file);
    return ThrownText([&] { LoadPicture(image, dir.File("t.pict"), zavifPICT); });
}

// Ten indices 0..9 as one literal PackBits run, behind its byte count.
const std::vector<uint8_t> kPackedRow = {11, 9, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

CPict EightBitPicture(int tableSize)
{
    CPict p(2);
    p.Op(0x001E).Op(0x0001).Word(10).Rect(0, 0, 1, 10);
    p.Op(0x0098).Word(0x8000 | 10).PixMap(10, 1, 8, 1);
    p.Long(0).Word(0x8000).Word(tableSize - 1);
    for (int i = 0; i < tableSize; ++i)
        p.Word(i).Word(i * 0x0100).Word(0x0100 * (255 - i % 256)).Word(0x1200);
    p.Rect(0, 0, 1, 10).Rect(0, 0, 1, 10).Word(0);
    return p;
}

TEST(PictDecoder, HandMadePictures)
{
    // Version 2, default hilite, clip region, 8-bit PackBitsRect.
    CZAVImg eight;
    EXPECT_EQ("(nothing thrown)", Decode(EightBitPicture(16).Bytes(kPackedRow).Op(0x00FF).Get(), eight));
    ASSERT_EQ(8, eight.GetBitsPerPixel());
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(x, eight.GetPixel8(x, 0));
    uint32_t entry = 0;
    eight.GetPalette().GetEntry(9, entry);
    EXPECT_EQ(MakePaletteEntry(9, 246, 0x12), entry | 0xFF000000);

    // A table of 300 entries fills the 256 a palette holds.
    CZAVImg large;
    EXPECT_EQ("(nothing thrown)", Decode(EightBitPicture(300).Bytes(kPackedRow).Op(0x00FF).Get(), large));
    EXPECT_EQ(256, large.GetPalette().GetCount());

    // Version 1, a one-bit BitsRect of rows shorter than 8 bytes (unpacked).
    CPict bits(1);
    bits.Op(0x01).Word(10).Rect(0, 0, 2, 16);
    bits.Op(0x90).Word(2).Rect(0, 0, 2, 16).Rect(0, 0, 2, 16).Rect(0, 0, 2, 16).Word(0);
    bits.Bytes({0x80, 0x01, 0xFF, 0x00}).Op(0xFF);
    CZAVImg oneBit;
    EXPECT_EQ("(nothing thrown)", Decode(bits.Get(), oneBit));
    ASSERT_EQ(8, oneBit.GetBitsPerPixel());
    EXPECT_EQ(1, oneBit.GetPixel8(0, 0));
    EXPECT_EQ(0, oneBit.GetPixel8(1, 0));
    EXPECT_EQ(1, oneBit.GetPixel8(15, 0));
    EXPECT_EQ(1, oneBit.GetPixel8(7, 1));
    EXPECT_EQ(0, oneBit.GetPixel8(8, 1));
    const std::vector<uint8_t> rgb = ImageRgb(oneBit);
    EXPECT_EQ(std::vector<uint8_t>({0, 0, 0, 255, 255, 255}), std::vector<uint8_t>(rgb.begin(), rgb.begin() + 6));

    // A DirectBitsRect of 32-bit pixels in three component planes.
    CPict direct(2);
    direct.Op(0x009A).Long(0xFF).Word(0x8000 | 36).PixMap(9, 1, 32, 3);
    direct.Rect(0, 0, 1, 9).Rect(0, 0, 1, 9).Word(0);
    // Nine reds of 10, nine greens of 20 (runs), nine blues 30..38 (literal).
    std::vector<uint8_t> planes = {0xF8, 10, 0xF8, 20, 8, 30, 31, 32, 33, 34, 35, 36, 37, 38};
    direct.Bytes({static_cast<uint8_t>(planes.size())}).Bytes(planes).Op(0x00FF);
    CZAVImg rgbImage;
    EXPECT_EQ("(nothing thrown)", Decode(direct.Get(), rgbImage));
    ASSERT_EQ(24, rgbImage.GetBitsPerPixel());
    EXPECT_EQ(RGB(10, 20, 30), rgbImage.GetPixel24(0, 0));
    EXPECT_EQ(RGB(10, 20, 38), rgbImage.GetPixel24(8, 0));
    EXPECT_EQ("72inch", rgbImage.GetOwnImageInfo().GetValue("DPIX").GetText());
    CZAVImg info;
    TempDir dir;
    WriteBytes(dir.File("d.pict"), direct.Get());
    info.GetFileInfoFromFile(dir.File("d.pict").c_str(), zavifPICT);
    EXPECT_EQ(24, info.GetOwnImageInfo().GetValue("COLORDEPTH").GetInt());
}

// ImageMagick stores RGB pictures as DirectBits of 32-bit pixels, whose row
// bytes (4 a pixel) pass 250 from 63 pixels on while their packed planes
// (3 a pixel) pass it only from 84; it gives the packed rows two-byte counts
// from 67 pixels on. Each width is read back to the pixels it was made of.
TEST(PictDecoder, DirectBitsRowCountsOfEveryWidth)
{
    TempDir dir;
    std::vector<int> widths = {2, 100};
    for (int w = 62; w <= 84; ++w)
        widths.push_back(w);
    const int height = 3;
    std::string sources;
    std::vector<std::vector<uint8_t>> pixels;
    for (int w : widths) {
        // Netpbm P6: a header, then red, green, blue a pixel.
        const std::string header = "P6 " + std::to_string(w) + " " + std::to_string(height) + " 255\n";
        std::vector<uint8_t> file(header.begin(), header.end());
        std::vector<uint8_t> rgb;
        for (int i = 0; i < w * height; ++i)
            rgb.insert(rgb.end(), {static_cast<uint8_t>(i * 7), static_cast<uint8_t>(i / 3 * 5 + 1),
                                   static_cast<uint8_t>(i % 11 < 6 ? 200 : i)});
        file.insert(file.end(), rgb.begin(), rgb.end());
        const std::string name = "w" + std::to_string(w) + ".ppm";
        WriteBytes(dir.File(name), file);
        pixels.push_back(rgb);
        sources += name + " ";
    }
    // One run: the k-th picture goes to d<k>.pict.
    RunInDir(dir, "convert " + sources + "+adjoin PICT:d%d.pict");
    for (size_t k = 0; k < widths.size(); ++k) {
        SCOPED_TRACE(widths[k]);
        const std::string file = dir.File("d" + std::to_string(k) + ".pict");
        const std::vector<uint8_t> pict = ReadBytes(file);
        // The DirectBitsRect opcode; its pixel size lies 34 bytes on.
        size_t at = 512 + 10;
        while (at + 36 <= pict.size() && !(pict[at] == 0x00 && pict[at + 1] == 0x9A))
            at += 2;
        ASSERT_LE(at + 36, pict.size());
        ASSERT_EQ(32, (pict[at + 34] << 8) | pict[at + 35]);
        CZAVImg image;
        ASSERT_EQ("(nothing thrown)", ThrownText([&] { LoadPicture(image, file, zavifPICT); }));
        ASSERT_EQ(24, image.GetBitsPerPixel());
        EXPECT_EQ(pixels[k], ImageRgb(image));
    }
}

// A direct picture written by the documented rule: row bytes of 4 a pixel
// above 250 give two-byte counts, though the packed planes are shorter.
TEST(PictDecoder, DirectBitsWithDocumentedTwoByteCounts)
{
    const int width = 70;
    CPict direct(2);
    direct.Op(0x009A).Long(0xFF).Word(0x8000 | (4 * width)).PixMap(width, 2, 32, 3);
    direct.Rect(0, 0, 2, width).Rect(0, 0, 2, width).Word(0);
    for (int y = 0; y < 2; ++y) {
        // Each plane a run: red 10 + y, green 20, blue 30.
        const std::vector<uint8_t> planes = {0xBB, static_cast<uint8_t>(10 + y), 0xBB, 20, 0xBB, 30};
        direct.Word(static_cast<int>(planes.size())).Bytes(planes);
    }
    direct.Op(0x00FF);
    CZAVImg image;
    EXPECT_EQ("(nothing thrown)", Decode(direct.Get(), image));
    ASSERT_EQ(24, image.GetBitsPerPixel());
    EXPECT_EQ(RGB(10, 20, 30), image.GetPixel24(0, 0));
    EXPECT_EQ(RGB(11, 20, 30), image.GetPixel24(width - 1, 1));
}

TEST(PictDecoder, Refusals)
{
    CPict vector(2);
    vector.Op(0x0020).Rect(0, 0, 5, 5).Op(0x0050).Rect(0, 0, 4, 4).Op(0x0070).Word(10).Rect(0, 0, 1, 1);
    vector.Op(0x00A1).Word(100).Word(3).Bytes({1, 2, 3}).Op(0x00FF);
    std::vector<uint8_t> noVersion(512 + 10, 0);
    noVersion.insert(noVersion.end(), {0x00, 0x12});
    std::vector<uint8_t> version3(512 + 10, 0);
    version3.insert(version3.end(), {0x00, 0x11, 0x03, 0xFF});
    // A repeat of 12 bytes in a row of 10.
    const std::vector<uint8_t> longRun = {2, 0xF5, 7};
    // A literal of 10 bytes in a row whose count says 4.
    const std::vector<uint8_t> shortCount = {4, 9, 0, 1, 2};
    CPict badPattern(2);
    badPattern.Op(0x0012).Word(3).Op(0x00FF);
    const struct {
        const char* name;
        std::vector<uint8_t> file;
        const char* text;
    } cases[] = {
        {"vector only", vector.Get(), "PICT contained only vector data!\n"},
        {"no version", noVersion, "Error decoding PICT: Version number missing."},
        {"version 3", version3, "Error decoding PICT: Illegal version number."},
        {"run past the row", EightBitPicture(16).Bytes(longRun).Op(0x00FF).Get(), "Invalid imagedata size!"},
        {"run past its count", EightBitPicture(16).Bytes(shortCount).Get(), "Invalid imagedata size!"},
        {"pattern type", badPattern.Get(), "Unknown pattern type in pixPat."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZAVImg image;
        EXPECT_EQ(c.text, Decode(c.file, image));
    }
}

}  // namespace
