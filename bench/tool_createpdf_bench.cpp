// Building PDF documents from folders of pictures through the program's own
// createfromimagefiles command, beside img2pdf on the same pictures: time
// and file size. The pictures are made by Pillow: grey 200-dpi A4 photos
// (LZW pages) and 1-bit 300-dpi A4 text pages (JBIG2 pages).
//
//   tool_createpdf_bench [grey count] [1-bit count]   (default 50 100)
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchFiles.h"
#include "foundation/files/LogFile.h"
#include "foundation/text/TextException.h"
#include "tool/Commands.h"

namespace {

// Pillow statements making count pictures named p000.png ... in folder.
bool MakePictures(const std::string& folder, int count, bool bilevel)
{
    const std::string script =
        "import random\nfrom PIL import Image, ImageDraw, ImageFilter\n"
        "random.seed(7)\n"
        "for i in range(" +
        std::to_string(count) + "):\n" +
        (bilevel ? "    im = Image.new('1', (2480, 3508), 1); d = ImageDraw.Draw(im)\n"
                   "    for line in range(60):\n"
                   "        x = 200\n"
                   "        while x < 2200:\n"
                   "            w = random.randint(15, 45); d.rectangle([x, 250 + line * 52, x + w, 285 + line * 52], "
                   "fill=0); x += w + random.randint(8, 30)\n"
                   "    im.save('%s/p%03d.png' % (FOLDER, i), dpi=(300, 300))\n"
                 : "    im = Image.radial_gradient('L').resize((1654, 2339)).rotate(i * 7)\n"
                   "    im = Image.blend(im, Image.effect_noise((1654, 2339), 20 + i % 10), 0.3)\n"
                   "    im.filter(ImageFilter.SMOOTH).save('%s/p%03d.png' % (FOLDER, i), dpi=(200, 200))\n");
    const std::string path = folder + ".py";
    FILE* file = std::fopen(path.c_str(), "w");
    if (!file)
        return false;
    std::fprintf(file, "FOLDER = '%s'\n%s", folder.c_str(), script.c_str());
    std::fclose(file);
    mkdir(folder.c_str(), 0755);
    return std::system(("/usr/bin/python3 " + path).c_str()) == 0;
}

long FileSize(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? static_cast<long>(info.st_size) : -1;
}

int RunCase(const std::string& base, const char* name, const char* what, int count, bool bilevel)
{
    const std::string folder = base + "_" + name;
    if (!MakePictures(folder, count, bilevel)) {
        std::fprintf(stderr, "error: cannot make the pictures (python3-pil)\n");
        return 2;
    }
    const std::string ours = folder + "_ours.pdf";
    const std::string theirs = folder + "_img2pdf.pdf";
    ZAV::CLogFile log;  // no name: the log writes nothing
    ZAVBench::Stopwatch clock;
    try {
        ZAV::CreateFromImageFiles(ours, folder, "*.png", log, 10, 1);
    } catch (const CTextException& e) {
        std::fprintf(stderr, "error: %s\n", e.GetText());
        return 2;
    }
    const double seconds = clock.Seconds();
    std::printf("%d %s pictures: %.3f s, %ld bytes, peak memory %.1f MB\n", count, what, seconds, FileSize(ours),
                ZAVBench::PeakMegabytes());
    const double peer = ZAVBench::TimeCommand("img2pdf -o " + theirs + " " + folder + "/*.png");
    if (peer < 0) {
        std::printf("  img2pdf not available\n");
        return 0;
    }
    std::printf("  img2pdf: %.3f s, %ld bytes; time ours / img2pdf = %.2f, size ours / img2pdf = %.2f\n", peer,
                FileSize(theirs), seconds / peer, static_cast<double>(FileSize(ours)) / FileSize(theirs));
    std::fflush(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const int grey = argc > 1 ? std::atoi(argv[1]) : 50;
    const int bilevel = argc > 2 ? std::atoi(argv[2]) : 100;
    const std::string base = "/tmp/tool_createpdf_bench_" + std::to_string(getpid());
    int status = RunCase(base, "grey", "grey 200-dpi", grey, false);
    if (status == 0)
        status = RunCase(base, "bilevel", "1-bit 300-dpi", bilevel, true);
    std::system(("rm -rf " + base + "_*").c_str());
    return status;
}
