// The extractpicture command on a generated 200-page document of mixed
// pictures, made by img2pdf: 100 A4 300-dpi CCITT G4 pages, 50 grey pages
// stored as PNG-predicted Flate data and 50 JPEG photos. Beside it
// pdfimages takes the same file twice, each as a whole process with the
// median of the rounds and peak memory: with -all (stored CCITT, JPEG and
// PNG data mostly written as they stand) and with -png -j -jp2 (the same
// output kinds as ours: every decoded picture a PNG).
//   tool_extractpicture_bench [rounds]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/BenchFiles.h"
#include "bench/PillowTiming.h"

namespace {

using ZAVBench::Shell;

const char kFolder[] = "/tmp/zav_extractpicture_bench";

// Pillow draws the pages, img2pdf binds them; each bilevel page differs, so
// no two streams are equal.
const char kMakeDocument[] = R"(
import os, random, subprocess
from PIL import Image, ImageDraw
os.chdir('/tmp/zav_extractpicture_bench/input')
random.seed(7)
names = []
for i in range(100):
    im = Image.new('1', (2480, 3508), 1)
    d = ImageDraw.Draw(im)
    for line in range(60):
        y = 200 + line * 52
        x = 200
        while x < 2200:
            w = random.randint(20, 90)
            d.rectangle([x, y, x + w, y + 30], fill=0)
            x += w + random.randint(15, 30)
    im.save('bw%03d.tif' % i, compression='group4')
    names.append('bw%03d.tif' % i)
for i in range(50):
    im = Image.linear_gradient('L').resize((1240, 1754)).rotate(i * 7)
    im.save('gray%03d.png' % i)
    names.append('gray%03d.png' % i)
for i in range(50):
    im = Image.radial_gradient('L').resize((1600, 1200)).convert('RGB')
    im = Image.merge('RGB', (im.getchannel(0), im.rotate(i * 5).getchannel(1), Image.effect_noise((1600, 1200), 40 + i)))
    im.save('photo%03d.jpg' % i, quality=85)
    names.append('photo%03d.jpg' % i)
subprocess.run(['img2pdf'] + names + ['-o', '../mixed.pdf'], check=True, stderr=subprocess.DEVNULL)
)";

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    const std::string pdf = std::string(kFolder) + "/mixed.pdf";
    if (!Shell("test -s " + pdf)) {
        std::printf("making the 200-page document with Pillow and img2pdf ...\n");
        std::FILE* script = std::fopen("/tmp/zav_extractpicture_bench.py", "w");
        if (!script || std::fputs(kMakeDocument, script) < 0 || std::fclose(script) != 0)
            return 1;
        if (!Shell(std::string("mkdir -p ") + kFolder + "/input && /usr/bin/python3 /tmp/zav_extractpicture_bench.py"))
            return 1;
    }
    const std::string ours = std::string(kFolder) + "/ours";
    const std::string peer = std::string(kFolder) + "/peer";
    const std::string program = ZAVBench::ProgramPath(argv[0]);
    const std::string fresh = "rm -rf " + ours + " " + peer + " && mkdir -p " + ours + " " + peer + " && ";
    const std::string ourRun =
        fresh + program + " -x -f " + pdf + " -z " + ours + "/ -g -1 -o " + std::string(kFolder) + "/log.txt";
    std::printf("200 pages (100 G4 A4 300 dpi, 50 grey PNG-predicted, 50 JPEG), %d rounds; input %.1f MiB\n", rounds,
                ZAVBench::FileMegabytes(pdf));
    ZAVBench::PrintSideBySide("ZAVPdf -x / pdfimages -all", ourRun, fresh + "pdfimages -all " + pdf + " " + peer + "/p",
                              rounds);
    ZAVBench::PrintSideBySide("ZAVPdf -x / pdfimages -png -j -jp2", ourRun,
                              fresh + "pdfimages -png -j -jp2 " + pdf + " " + peer + "/p", rounds);
    return 0;
}
