// Building PDF documents from folders of pictures as a user runs it (the
// whole program with its log, -i), beside img2pdf on the same pictures:
// median wall time, the ratio, both peak memory figures and both file
// sizes. The pictures are made by Pillow: grey 200-dpi A4 photos (LZW
// pages) and 1-bit 300-dpi A4 text pages (JBIG2 pages). A document of
// pictures is mostly their coded bytes, so its size is the measure for the
// program's peak memory.
//
//   tool_createpdf_bench [grey count] [1-bit count] [rounds]   (default 50 100 3)
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchFiles.h"

namespace {

constexpr double kMebibyte = 1024.0 * 1024.0;

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

double FileMebibytes(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? static_cast<double>(info.st_size) / kMebibyte : -1;
}

// The median time and the highest peak memory of rounds runs, each writing
// a new output (an existing name would make the program number its file).
ZAVBench::ProcessFigures MedianFreshRun(const std::string& command, const std::string& output, int rounds)
{
    std::vector<double> times;
    ZAVBench::ProcessFigures result;
    result.ok = true;
    for (int i = 0; i < rounds; ++i) {
        std::remove(output.c_str());
        const ZAVBench::ProcessFigures run = ZAVBench::RunProcess(command);
        result.ok = result.ok && run.ok;
        times.push_back(run.seconds);
        result.peakMegabytes = std::max(result.peakMegabytes, run.peakMegabytes);
    }
    std::sort(times.begin(), times.end());
    result.seconds = times[times.size() / 2];
    return result;
}

int RunCase(const std::string& program, const std::string& base, const char* name, const char* what, int count,
            bool bilevel, int rounds)
{
    const std::string folder = base + "_" + name;
    if (!MakePictures(folder, count, bilevel)) {
        std::fprintf(stderr, "error: cannot make the pictures (python3-pil)\n");
        return 2;
    }
    const std::string ours = folder + "_ours.pdf";
    const std::string theirs = folder + "_img2pdf.pdf";
    const std::string log = folder + "_log.txt";
    const ZAVBench::ProcessFigures mine = MedianFreshRun(
        program + " -i -w " + folder + " -m '*.png' -f " + ours + " -o " + log + " -q 10 -y 1", ours, rounds);
    std::printf("%d %s pictures, median of %d runs\n", count, what, rounds);
    if (!mine.ok) {
        std::printf("  ours failed\n");
        return 2;
    }
    const double size = FileMebibytes(ours);
    std::printf("  ours    %8.3f s  peak %7.1f MiB  PDF %7.1f MiB  peak - PDF = %6.1f MiB\n", mine.seconds,
                mine.peakMegabytes, size, mine.peakMegabytes - size);
    const ZAVBench::ProcessFigures peer =
        MedianFreshRun("img2pdf -o " + theirs + " " + folder + "/*.png", theirs, rounds);
    if (!peer.ok) {
        std::printf("  img2pdf not available\n");
    } else {
        std::printf("  img2pdf %8.3f s  peak %7.1f MiB  PDF %7.1f MiB\n", peer.seconds, peer.peakMegabytes,
                    FileMebibytes(theirs));
        std::printf("  time ours / img2pdf = %.2f, peak ours / img2pdf = %.2f\n", mine.seconds / peer.seconds,
                    mine.peakMegabytes / peer.peakMegabytes);
    }
    std::fflush(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const int grey = argc > 1 ? std::atoi(argv[1]) : 50;
    const int bilevel = argc > 2 ? std::atoi(argv[2]) : 100;
    const int rounds = std::max(1, argc > 3 ? std::atoi(argv[3]) : 3);
    const std::string program = ZAVBench::ProgramPath(argv[0]);
    const std::string base = "/tmp/tool_createpdf_bench_" + std::to_string(getpid());
    int status = grey > 0 ? RunCase(program, base, "grey", "grey 200-dpi A4", grey, false, rounds) : 0;
    if (status == 0 && bilevel > 0)
        status = RunCase(program, base, "bilevel", "1-bit 300-dpi A4", bilevel, true, rounds);
    std::system(("rm -rf " + base + "_*").c_str());
    return status;
}
