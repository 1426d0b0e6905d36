// Times LoadFromFile and SaveToFile of the image object on a 6,000 x 4,000
// 24-bit picture as PNG and as PackBits TIFF (the TIFF coding a 24-bit save
// falls to by default), beside Pillow opening, loading and saving the same
// files with the same codings, and prints the ratios. Each time is the best
// of the given number of runs (3 unless given).
//
//   image_loadsave_bench [runs]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <string>

#include "foundation/text/TextException.h"
#include "bench/PillowTiming.h"
#include "image/object/ZAVImg.h"

using namespace ZAV;

namespace {

using ZAVBench::BestOf;
using ZAVBench::PillowTimes;
using ZAVBench::Shell;

const char kFolder[] = "/tmp/image_loadsave_bench";

// A photograph-like picture: gradients in two channels, noise in the third,
// so neither coder meets only flat runs.
const char kMakeFiles[] = R"(
import sys
from PIL import Image
folder = sys.argv[1]
size = (6000, 4000)
photo = Image.merge("RGB", [Image.linear_gradient("L").resize(size),
                            Image.radial_gradient("L").resize(size),
                            Image.effect_noise(size, 30)])
photo.save(folder + "/photo.png")
photo.save(folder + "/photo.tif", compression="packbits")
)";

// Pillow's open-and-load and save times in milliseconds, best of runs
// (best() comes from kPillowTimesHead).
const char kPillowTimes[] = R"(
for ext, args in [("png", {}), ("tif", {"compression": "packbits"})]:
    path = folder + "/photo." + ext
    image = Image.open(path); image.load()
    print(ext + "_load", best(lambda: Image.open(path).load()))
    print(ext + "_save", best(lambda: image.save(folder + "/pillow_out." + ext, **args)))
)";

std::string Path(const std::string& name)
{
    return std::string(kFolder) + "/" + name;
}

// Our load and save of one file in milliseconds; false when either failed.
bool TimeOurs(const std::string& ext, int format, int runs, std::map<std::string, double>& times)
{
    const std::string source = Path("photo." + ext);
    const std::string target = Path("ours_out." + ext);
    CZAVImg image;
    try {
        times[ext + "_load"] = BestOf(runs, [&] { image.LoadFromFile(source.c_str(), format); });
        times[ext + "_save"] = BestOf(runs, [&] { image.SaveToFile(target.c_str(), format, nullptr); });
    } catch (const CTextException& error) {
        std::fprintf(stderr, "%s: %s\n", source.c_str(), error.GetText());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    if (!ZAVBench::PreparePillowFiles(kFolder, kMakeFiles, kPillowTimes))
        return 1;
    std::map<std::string, double> ours;
    if (!TimeOurs("png", 6, runs, ours) || !TimeOurs("tif", 5, runs, ours))
        return 1;
    std::map<std::string, double> pillow = PillowTimes(kFolder, runs);
    std::printf("6000 x 4000 x 24 bits, best of %d runs, ms  ours     Pillow  ours/Pillow\n", runs);
    ZAVBench::PrintPillowRow("PNG load", ours["png_load"], pillow["png_load"]);
    ZAVBench::PrintPillowRow("PNG save", ours["png_save"], pillow["png_save"]);
    ZAVBench::PrintPillowRow("TIFF (PackBits) load", ours["tif_load"], pillow["tif_load"]);
    ZAVBench::PrintPillowRow("TIFF (PackBits) save", ours["tif_save"], pillow["tif_save"]);
    Shell(std::string("rm -rf ") + kFolder);
    return 0;
}
