// PNG files written by independent writers (Pillow; ImageMagick for the
// interlaced ones, as Pillow writes none; a few lines of zlib for grey of 2
// and 4 bits, which Pillow does not write) load to the pixels Pillow reads
// from them, alpha included.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/support/CodecPictures.h"
#include "image/object/ZAVImg.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

// Writes STEM.png for a case, then STEM.png.rgb and STEM.png.alpha: what
// Pillow reads from the file (16-bit grey as its high bytes).
const char kMakePng[] = R"(
import struct, subprocess, sys, zlib
from PIL import Image
case, stem = sys.argv[1], sys.argv[2]
W, H = 13, 7
path = stem + ".png"
rgb = Image.new("RGB", (W, H))
rgb.putdata([((x * 37 + y * 11) % 256, (x * 5 + y * 59) % 256, (x * y * 13) % 256)
             for y in range(H) for x in range(W)])
alpha = Image.new("L", (W, H))
alpha.putdata([(x * 19 + y * 40) % 256 for y in range(H) for x in range(W)])

def gray_png(bits):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    rows = b""
    for y in range(H):
        value, filled, row = 0, 0, bytearray()
        for x in range(W):
            value = (value << bits) | ((x * 3 + y) % (1 << bits))
            filled += bits
            if filled == 8:
                row.append(value); value, filled = 0, 0
        if filled:
            row.append(value << (8 - filled))
        rows += b"\0" + bytes(row)
    header = struct.pack(">IIBBBBB", W, H, bits, 0, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows))
                  + chunk(b"IEND", b""))

if case == "1":
    rgb.convert("L").point(lambda v: 255 if v > 100 else 0).convert("1").save(path)
elif case in ("L2", "L4"):
    gray_png(int(case[1]))
elif case == "L":
    rgb.convert("L").save(path)
elif case == "I16":
    grey = Image.new("I", (W, H))
    grey.putdata([(x * 4099 + y * 9001) % 65536 for y in range(H) for x in range(W)])
    grey.save(path)
elif case == "P":
    rgb.quantize(colors=40).save(path)
elif case == "P4":
    rgb.quantize(colors=12).save(path, bits=4)
elif case == "P1":
    rgb.quantize(colors=2).save(path, bits=1)
elif case == "RGB":
    rgb.save(path)
elif case == "LA":
    Image.merge("LA", (rgb.convert("L"), alpha)).save(path)
elif case in ("RGBA", "RGBAi"):
    rgba = rgb.copy(); rgba.putalpha(alpha); rgba.save(path)
elif case == "RGBi":
    rgb.save(path)
if case.endswith("i"):
    kind = "PNG32:" if case == "RGBAi" else "PNG24:"
    subprocess.run(["/usr/bin/convert", path, "-interlace", "PNG", kind + path], check=True)
read = Image.open(path)
if read.mode.startswith("I"):
    out = read.point(lambda v: v / 256).convert("L").convert("RGB")
else:
    out = read.convert("RGB")
open(path + ".rgb", "wb").write(out.tobytes())
open(path + ".alpha", "wb").write(read.getchannel("A").tobytes() if "A" in read.getbands() else b"")
print("interlace" in read.info)
)";

struct LoadCase {
    const char* name;
    int depth;
    bool alpha;
    bool interlaced;
};

TEST(PngPillowLoad, LoadsThePixelsPillowReads)
{
    const LoadCase cases[] = {
        {"1", 1, false, false},    {"L2", 8, false, false},   {"L4", 8, false, false}, {"L", 8, false, false},
        {"I16", 8, false, false},  {"P", 8, false, false},    {"P4", 8, false, false}, {"P1", 1, false, false},
        {"RGB", 24, false, false}, {"RGBA", 24, true, false}, {"LA", 24, true, false}, {"RGBi", 24, false, true},
        {"RGBAi", 24, true, true},
    };
    TempDir dir;
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string stem = dir.File(std::string("case_") + c.name);
        const RunResult made = RunPython(dir, kMakePng, std::string(c.name) + " " + ShellQuote(stem));
        ASSERT_EQ(0, made.exitCode) << made.output;  // Pillow and ImageMagick must be installed
        EXPECT_EQ(c.interlaced ? "True\n" : "False\n", made.output);
        CZAVImg image;
        image.LoadFromFile((stem + ".png").c_str(), 6);
        EXPECT_EQ(c.depth, image.GetBitsPerPixel());
        EXPECT_EQ(13, image.GetWidth());
        EXPECT_EQ(7, image.GetHeight());
        EXPECT_EQ(ReadBytes(stem + ".png.rgb"), ImageRgb(image));
        EXPECT_EQ(ReadBytes(stem + ".png.alpha"), ImageMask(image));
        if (c.depth == 8 && c.name[0] != 'P') {
            EXPECT_TRUE(image.IsGrayScale());
        }
    }
}

}  // namespace
