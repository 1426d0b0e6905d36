// The document createfromimagefiles writes is fixed byte for byte by its
// pictures: how the coded pictures travel through memory to the file must
// never show in the file. The checksum was taken from the program's output
// for these pictures, with the two dates of /Info blanked.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

using ZAVTest::ShellQuote;
using ZAVToolTest::ProgramRunner;

// A grey picture with a mask and a text file (the mask is a page of its own
// too), a palette picture, a 1-bit page and a colour picture: LZW, JBIG2 and
// JPEG 2000 streams, an image mask, a palette stream and a text block.
const char* const kPictures = "import os\nfrom PIL import Image\nos.chdir(os.path.dirname(os.path.abspath(__file__)))\n"
                              "W, H = 96, 64\n"
                              "def pixels(f): return [f(x, y) for y in range(H) for x in range(W)]\n"
                              "g = Image.new('L', (W, H)); g.putdata(pixels(lambda x, y: (x * 5 + y * 11) % 256))\n"
                              "g.save('a.png', dpi=(72, 72))\n"
                              "m = Image.new('1', (W, H)); m.putdata(pixels(lambda x, y: 255 * ((x + y) % 3 != 0)))\n"
                              "m.save('a_Mask.png', dpi=(72, 72))\n"
                              "p = Image.new('P', (W, H)); p.putpalette([(i * 7 + c * 50) % 256 for i in range(256) "
                              "for c in range(3)])\n"
                              "p.putdata(pixels(lambda x, y: (x * 3 + y * 7) % 256)); p.save('b.png', dpi=(96, 96))\n"
                              "t = Image.new('1', (W, H)); t.putdata(pixels(lambda x, y: 255 * ((x // 8 + y // 5) % 4 "
                              "!= 0))); t.save('c.png', dpi=(300, 300))\n"
                              "r = Image.new('RGB', (W, H)); r.putdata(pixels(lambda x, y: (x * 2, y * 3, (x + y) % "
                              "256))); r.save('d.png', dpi=(150, 150))\n";

// The document's bytes with every date "(D:YYYYMMDDHHmmSS" made zeros.
std::string WithoutDates(std::string bytes)
{
    const std::string mark = "(D:";
    for (size_t at = bytes.find(mark); at != std::string::npos; at = bytes.find(mark, at + 1)) {
        for (size_t i = at + mark.size(); i < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[i])); ++i)
            bytes[i] = '0';
    }
    return bytes;
}

std::string Sha256(const std::string& path)
{
    const ZAVTest::RunResult sum = ZAVTest::Run("sha256sum " + ShellQuote(path));
    EXPECT_EQ(sum.exitCode, 0) << sum.output;
    return sum.output.substr(0, sum.output.find(' '));
}

TEST(CreatedPdfBytes, PicturesOfEveryCodingGiveTheSameDocument)
{
    ProgramRunner runner;
    const std::string pics = runner.File("pics");
    ZAVTest::Run("mkdir -p " + ShellQuote(pics));
    ZAVTest::WriteText(pics + "/.make.py", kPictures);
    const ZAVTest::RunResult made = ZAVTest::Run("/usr/bin/python3 " + ShellQuote(pics + "/.make.py"));
    ASSERT_EQ(made.exitCode, 0) << made.output;
    ZAVTest::WriteText(pics + "/a.txt", "first line\nsecond line\n");
    const auto result = runner.Run({"-i", "-w", pics, "-m", "*.png", "-f", runner.File("doc.pdf"), "-q", "20"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string masked = runner.File("masked.pdf");
    ZAVTest::WriteText(masked, WithoutDates(ZAVTest::ReadText(runner.File("doc.pdf"))));
    EXPECT_EQ(Sha256(masked), "b02b7d995d0f1dd027f3f1b8e543e845b4434a72200ace645f41bd783dd8e87c");
}

}  // namespace
