// The extractpicture command on a generated 200-page document of mixed
// pictures, about 177 MB, made by img2pdf: 100 A4 300-dpi CCITT G4 pages,
// 50 noisy grey A4 150-dpi pages stored as PNG-predicted Flate data and 50
// noisy 2400 x 1800 JPEG photos. Beside it pdfimages takes the same file
// twice, each as a whole process with the median of the rounds and peak
// memory: with -all (stored CCITT, JPEG and PNG data mostly written as they
// stand) and with -png -j -jp2 (the same output kinds as ours: every decoded
// picture a PNG). The input's size and the largest decoded picture's size
// are printed beside the memory figures, as the memory a run cannot avoid.
//   tool_extractpicture_bench [rounds]
#include <dirent.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/BenchFiles.h"
#include "bench/PillowTiming.h"

namespace {

using ZAVBench::Shell;

const char kFolder[] = "/tmp/zav_extractpicture_bench";

// Pillow draws the pages, img2pdf binds them; each bilevel page differs, so
// no two streams are equal.
// Pillow draws the pages, img2pdf binds them; each page differs, so no two
// streams are equal. Noise keeps the grey and JPEG data from compressing to
// nothing, as scanned photos would.
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
    im = Image.blend(im, Image.effect_noise((1240, 1754), 30 + i), 0.5)
    im.save('gray%03d.png' % i)
    names.append('gray%03d.png' % i)
for i in range(50):
    im = Image.radial_gradient('L').resize((2400, 1800)).convert('RGB')
    im = Image.merge('RGB', (im.getchannel(0), im.rotate(i * 5).getchannel(1), Image.effect_noise((2400, 1800), 40 + i)))
    im.save('photo%03d.jpg' % i, quality=90)
    names.append('photo%03d.jpg' % i)
subprocess.run(['img2pdf'] + names + ['-o', '../mixed200.pdf'], check=True, stdout=subprocess.DEVNULL,
               stderr=subprocess.DEVNULL)
)";

uint32_t BigEndian32(const unsigned char* bytes)
{
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
}

// The bytes of the pixel rows a PNG holds, from its header; 0 for a file
// that is not a PNG.
uint64_t PngPixelBytes(const std::string& path)
{
    unsigned char header[26] = {};
    std::ifstream file(path, std::ios::binary);
    if (!file.read(reinterpret_cast<char*>(header), sizeof header) || std::string(header + 12, header + 16) != "IHDR")
        return 0;
    const uint64_t width = BigEndian32(header + 16);
    const uint64_t height = BigEndian32(header + 20);
    const int channels[] = {1, 0, 3, 1, 2, 0, 4};
    const int type = header[25] <= 6 ? channels[header[25]] : 0;
    return (width * header[24] * type + 7) / 8 * height;
}

// The largest decoded picture among the PNG files of a folder, in MiB.
double LargestPngMegabytes(const std::string& folder)
{
    uint64_t largest = 0;
    if (DIR* listing = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(listing)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0)
                largest = std::max(largest, PngPixelBytes(folder + "/" + name));
        }
        closedir(listing);
    }
    return static_cast<double>(largest) / (1024.0 * 1024.0);
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    const std::string pdf = std::string(kFolder) + "/mixed200.pdf";
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
    // One run first: its pictures give the largest decoded one.
    if (!ZAVBench::RunProcess(ourRun).ok) {
        std::printf("ZAVPdf -x failed on %s\n", pdf.c_str());
        return 1;
    }
    const double input = ZAVBench::FileMegabytes(pdf);
    const double largest = LargestPngMegabytes(ours);
    std::printf("200 pages (100 G4 A4 300 dpi, 50 grey PNG-predicted, 50 JPEG), %d rounds\n", rounds);
    std::printf("input %.1f MiB, largest decoded picture %.1f MiB, together with 64 MiB %.1f MiB\n", input, largest,
                input + largest + 64.0);
    ZAVBench::PrintSideBySide("ZAVPdf -x / pdfimages -all", ourRun, fresh + "pdfimages -all " + pdf + " " + peer + "/p",
                              rounds);
    ZAVBench::PrintSideBySide("ZAVPdf -x / pdfimages -png -j -jp2", ourRun,
                              fresh + "pdfimages -png -j -jp2 " + pdf + " " + peer + "/p", rounds);
    return 0;
}
