// Times the TIFF, PNG and JPEG codecs through the image object (LoadFromFile
// and SaveToFile) beside independent coders on the same files, and prints
// the ratios: an A4 300-dpi Group 4 TIFF page against tiffcp and Pillow, an
// A4 200-dpi gray PNG against Pillow, a 3,000 x 2,000 JPEG against
// djpeg/cjpeg (float DCT, quality 75) and Pillow. Each time is the best of
// the given number of runs (5 unless given).
//
//   image_codecs_bench [runs]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>

#include "bench/PillowTiming.h"
#include "image/object/ZAVImg.h"

using namespace ZAV;

namespace {

using ZAVBench::BestOf;
using ZAVBench::PillowTimes;
using ZAVBench::Shell;

const char kFolder[] = "/tmp/image_codecs_bench";

// The three pictures, made by Pillow: a page of black strokes on white, a
// gray page of gradients, a colour photograph-like picture with noise.
const char kMakeFiles[] = R"(
import random, sys
from PIL import Image, ImageDraw
folder = sys.argv[1]
random.seed(7)
page = Image.new("1", (2480, 3508), 1)
draw = ImageDraw.Draw(page)
for line in range(60):
    y = 200 + line * 52
    x = 180
    while x < 2280:
        w = random.randint(12, 60)
        draw.rectangle([x, y, x + w, y + 30], fill=0)
        x += w + random.randint(8, 30)
page.save(folder + "/page.tif", compression="group4", dpi=(300, 300))
gray = Image.linear_gradient("L").resize((1654, 2339))
ImageDraw.Draw(gray).ellipse([200, 300, 1400, 1900], fill=90)
gray.save(folder + "/gray.png", dpi=(200, 200))
photo = Image.merge("RGB", [Image.linear_gradient("L").resize((3000, 2000)),
                            Image.radial_gradient("L").resize((3000, 2000)),
                            Image.effect_noise((3000, 2000), 40)])
photo.save(folder + "/photo.jpg", quality=90)
photo.save(folder + "/photo.ppm")
)";

// Pillow's open-and-load and save times in milliseconds, best of runs
// (best() comes from kPillowTimesHead).
const char kPillowTimes[] = R"(
for name, ext, args in [("page", "tif", {"compression": "group4"}), ("gray", "png", {}),
                        ("photo", "jpg", {"quality": 75})]:
    path = folder + "/" + name + "." + ext
    image = Image.open(path); image.load()
    print(name + "_load", best(lambda: Image.open(path).load()))
    print(name + "_save", best(lambda: image.save(folder + "/pillow_out." + ext, **args)))
)";

std::string Path(const std::string& name)
{
    return std::string(kFolder) + "/" + name;
}

// Our load and save of one file, in milliseconds.
void TimeOurs(const std::string& name, int format, int runs, std::map<std::string, double>& times)
{
    const std::string source = Path(name);
    CZAVImg image;
    times[name + "_load"] = BestOf(runs, [&] { image.LoadFromFile(source.c_str(), format); });
    const std::string target = Path("ours_" + name);
    times[name + "_save"] = BestOf(runs, [&] { image.SaveToFile(target.c_str(), format, nullptr); });
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    if (!ZAVBench::PreparePillowFiles(kFolder, kMakeFiles, kPillowTimes))
        return 1;
    std::map<std::string, double> ours;
    TimeOurs("page.tif", 5, runs, ours);
    TimeOurs("gray.png", 6, runs, ours);
    TimeOurs("photo.jpg", 4, runs, ours);
    const std::map<std::string, double> pillow = PillowTimes(kFolder, runs);
    const double tiffcp = BestOf(runs, [] { Shell("tiffcp -c g4 " + Path("page.tif") + " " + Path("tiffcp.tif")); });
    const double djpeg = BestOf(runs, [] { Shell("djpeg -dct float -outfile /dev/null " + Path("photo.jpg")); });
    const double cjpeg = BestOf(
        runs, [] { Shell("cjpeg -dct float -quality 75 -outfile " + Path("cjpeg.jpg") + " " + Path("photo.ppm")); });
    std::printf("best of %d runs, ms                   ours       peer   ours/peer\n", runs);
    ZAVBench::PrintPillowRow("G4 TIFF load vs Pillow", ours["page.tif_load"], pillow.at("page_load"));
    ZAVBench::PrintPillowRow("G4 TIFF save vs Pillow", ours["page.tif_save"], pillow.at("page_save"));
    ZAVBench::PrintPillowRow("G4 TIFF load+save vs tiffcp", ours["page.tif_load"] + ours["page.tif_save"], tiffcp);
    ZAVBench::PrintPillowRow("gray PNG load vs Pillow", ours["gray.png_load"], pillow.at("gray_load"));
    ZAVBench::PrintPillowRow("gray PNG save vs Pillow", ours["gray.png_save"], pillow.at("gray_save"));
    ZAVBench::PrintPillowRow("JPEG load vs Pillow", ours["photo.jpg_load"], pillow.at("photo_load"));
    ZAVBench::PrintPillowRow("JPEG save vs Pillow", ours["photo.jpg_save"], pillow.at("photo_save"));
    ZAVBench::PrintPillowRow("JPEG load vs djpeg (process)", ours["photo.jpg_load"], djpeg);
    ZAVBench::PrintPillowRow("JPEG save vs cjpeg (process)", ours["photo.jpg_save"], cjpeg);
    Shell(std::string("rm -rf ") + kFolder);
    return 0;
}
