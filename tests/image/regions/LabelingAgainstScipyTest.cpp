// Our regions against scipy.ndimage.label with 8-connectivity, run once per
// value of random two-valued pictures: the same regions with the same pixel
// counts and bounding boxes, border regions included.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "image/regions/ImageLabeling.h"
#include "support/TestSupport.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

constexpr char kScript[] = R"(import sys
import numpy
from scipy import ndimage
width, height = int(sys.argv[2]), int(sys.argv[3])
pixels = numpy.fromfile(sys.argv[1], dtype=numpy.uint8).reshape(height, width)
for value in sorted(set(pixels.flatten().tolist())):
    labels, count = ndimage.label(pixels == value, structure=numpy.ones((3, 3)))
    for index, box in enumerate(ndimage.find_objects(labels), start=1):
        size = int((labels[box] == index).sum())
        print(value, size, box[1].start, box[0].start, box[1].stop - 1, box[0].stop - 1)
)";

std::vector<std::string> OurRegions(const std::vector<BYTE>& pixels, int width, int height)
{
    CImageLabeling labeling;
    labeling.Label(pixels.data(), width, height, 8, 0);
    labeling.CollectFeatures();
    CFeature** features = nullptr;
    int count = 0;
    labeling.GetFeatureArray(features, count);
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        const CFeature& f = *features[i];
        std::ostringstream line;
        line << f.value << ' ' << f.pixelCount << ' ' << f.box.left << ' ' << f.box.top << ' ' << f.box.right << ' '
             << f.box.bottom;
        lines.push_back(line.str());
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::vector<std::string> ScipyRegions(const TempDir& dir, const std::vector<BYTE>& pixels, int width, int height)
{
    WriteBytes(dir.File("pixels.raw"), pixels);
    WriteText(dir.File("label.py"), kScript);
    const RunResult run =
        Run("/usr/bin/python3 " + ShellQuote(dir.File("label.py")) + " " + ShellQuote(dir.File("pixels.raw")) + " " +
            std::to_string(width) + " " + std::to_string(height));
    EXPECT_EQ(0, run.exitCode) << run.output;  // python3-scipy must be installed
    std::vector<std::string> lines;
    std::istringstream text(run.output);
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
}

}  // namespace

TEST(ImageLabelingAgainstScipy, RandomTwoValuedPicturesGiveTheSameRegions)
{
    ASSERT_TRUE(HaveTool("/usr/bin/python3"));
    const struct {
        int width;
        int height;
        double density;
    } cases[] = {{1, 1, 0.5}, {7, 1, 0.5}, {1, 9, 0.5}, {37, 23, 0.5}, {64, 48, 0.3}, {50, 50, 0.6}, {120, 90, 0.45}};
    std::mt19937 random(34);
    TempDir dir;
    for (const auto& c : cases) {
        std::bernoulli_distribution set(c.density);
        std::vector<BYTE> pixels(static_cast<size_t>(c.width) * c.height);
        for (BYTE& p : pixels)
            p = set(random) ? 200 : 0;
        const std::vector<std::string> ours = OurRegions(pixels, c.width, c.height);
        EXPECT_EQ(ScipyRegions(dir, pixels, c.width, c.height), ours) << c.width << " x " << c.height;
        EXPECT_FALSE(ours.empty());
    }
}
