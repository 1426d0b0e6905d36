// The Histogram facet: counts equal to Pillow's histogram() of PNGs that
// Pillow wrote, and charts drawn into the image at their heights and
// places.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ImageEditTestPixels.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

namespace {

using namespace ZAV;

// Writes L, P and RGB pictures of a pattern and prints each mode with the
// counts of histogram().
constexpr char kPillowScript[] = R"(
import sys
from PIL import Image
folder = sys.argv[1]
width, height = 37, 23
for mode in ("L", "P", "RGB"):
    image = Image.new(mode, (width, height))
    if mode == "P":
        image.putpalette([c for i in range(256) for c in (i, 255 - i, i * 3 % 256)])
    values = []
    for y in range(height):
        for x in range(width):
            v = (x * 7 + y * 13 + x * y) % 256
            values.append((v, (v * 3 + y) % 256, (255 - x * 5) % 256) if mode == "RGB" else v)
    image.putdata(values)
    image.save(folder + "/" + mode + ".png")
    print(mode, " ".join(str(n) for n in image.histogram()))
)";

std::map<std::string, std::vector<int32_t>> PillowHistograms(const ZAVTest::TempDir& dir)
{
    ZAVTest::WriteText(dir.File("make.py"), kPillowScript);
    const ZAVTest::RunResult run = ZAVTest::Run("/usr/bin/python3 " + ZAVTest::ShellQuote(dir.File("make.py")) + " " +
                                                ZAVTest::ShellQuote(dir.Path()) + " 2>&1");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    std::map<std::string, std::vector<int32_t>> histograms;
    std::istringstream lines(run.output);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string mode;
        fields >> mode;
        int32_t count = 0;
        while (fields >> count)
            histograms[mode].push_back(count);
    }
    return histograms;
}

std::vector<int32_t> Values(const CZAVInt32Array& array)
{
    return std::vector<int32_t>(array.GetData(), array.GetData() + array.GetSize());
}

std::vector<int32_t> Slice(const std::vector<int32_t>& values, size_t first)
{
    if (values.size() < first + 256)
        return {};
    return std::vector<int32_t>(values.begin() + first, values.begin() + first + 256);
}

TEST(HistogramFacet, CountsEqualPillowsHistogram)
{
    ZAVTest::TempDir dir;
    const std::map<std::string, std::vector<int32_t>> pillow = PillowHistograms(dir);
    ASSERT_EQ(pillow.size(), 3u) << "Pillow did not run";
    const struct {
        const char* mode;
        zavBitsPerPixel depth;
    } cases[] = {{"L", zavbpp8}, {"P", zavbpp8}, {"RGB", zavbpp24}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
        edit->LoadFromFile(dir.File(std::string(c.mode) + ".png"), 6);
        ASSERT_EQ(edit->GetBitsPerPixel() == zavbpp24, c.depth == zavbpp24);
        CZAVInt32Array gray, red, green, blue;
        red.SetSize(3);
        edit->GetHistogram()->GetHistograms(gray, red, green, blue);
        EXPECT_EQ(Values(edit->GetHistogram()->GetGrayHistogram()), Values(gray));
        const std::vector<int32_t>& expected = pillow.at(c.mode);
        if (c.depth == zavbpp8) {
            EXPECT_EQ(Values(gray), expected);
            // The three-entry array was replaced by counts that stay zero.
            EXPECT_EQ(Values(red), std::vector<int32_t>(256, 0));
            continue;
        }
        EXPECT_EQ(Values(red), Slice(expected, 0));
        EXPECT_EQ(Values(green), Slice(expected, 256));
        EXPECT_EQ(Values(blue), Slice(expected, 512));
        int64_t pixels = 0;
        for (int32_t n : Values(gray))
            pixels += n;
        EXPECT_EQ(pixels, 37 * 23);
    }
}

// The image's rows: bytes per line each.
std::vector<std::vector<unsigned char>> Rows(IZAVImageEditSp& edit)
{
    const std::vector<unsigned char> pixels = ZAVTest::PixelsOf(edit);
    const size_t line = static_cast<size_t>(edit.GetBytesPerLine());
    std::vector<std::vector<unsigned char>> rows;
    for (size_t start = 0; start + line <= pixels.size(); start += line)
        rows.emplace_back(pixels.begin() + start, pixels.begin() + start + line);
    return rows;
}

// A chart as the facet draws it, at the image's depth.
std::vector<std::vector<unsigned char>> Chart(const CZAVInt32Array& counts, int height, zavBitsPerPixel depth)
{
    CZAVPtr<IZAVImageEditSp> chart = CreateImageEditSp();
    CZAVInt32Array values(counts);
    chart->CreateHistogramImage(values, height);
    if (depth == zavbpp24)
        chart->GetImageEdit()->GetImage().ConvertBitDepth(24, 0, 0);
    return Rows(*chart.Get());
}

CZAVPtr<IZAVImageEditSp> PatternImage(zavBitsPerPixel depth, int width, int height)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->Create(width, height, depth);
    auto* pixels = static_cast<unsigned char*>(edit->GetImageData());
    for (int i = 0; i < edit->GetImageSize(); ++i)
        pixels[i] = static_cast<unsigned char>((i * 31) % 251);
    return edit;
}

// Charts clipped to the image where it is smaller than they are.
TEST(HistogramFacet, DrawnChartsStackOneRowApart)
{
    const struct {
        const char* name;
        zavBitsPerPixel depth;
        int width, height;
        int32_t chartArgument;
        int32_t allChannels;
        int charts;
        int chartHeight;
    } cases[] = {
        {"24 bits, all channels, default height", zavbpp24, 300, 430, 0, 1, 4, 100},
        {"24 bits, gray only", zavbpp24, 300, 430, 30, 0, 1, 30},
        {"24 bits, negative height", zavbpp24, 300, 430, -5, 1, 4, 100},
        {"8 bits ignore the flag", zavbpp8, 300, 430, 20, 1, 1, 20},
        {"24 bits, image smaller than the charts", zavbpp24, 40, 150, 0, 1, 4, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZAVPtr<IZAVImageEditSp> edit = PatternImage(c.depth, c.width, c.height);
        const std::vector<std::vector<unsigned char>> before = Rows(*edit.Get());
        CZAVInt32Array counts[4];
        edit->GetHistogram()->GetHistograms(counts[0], counts[1], counts[2], counts[3]);
        edit->GetHistogram()->DrawHistograms(c.chartArgument, c.allChannels);
        const std::vector<std::vector<unsigned char>> after = Rows(*edit.Get());
        ASSERT_EQ(after.size(), before.size());
        const size_t line = before.empty() ? 0 : before[0].size();
        const size_t chartBytes = std::min(line, size_t(256) * (c.depth == zavbpp24 ? 3 : 1));
        // Every row of the image, from the top: chart rows, then a gap row.
        std::vector<std::vector<unsigned char>> expected;
        for (int k = 0; k < c.charts; ++k) {
            const std::vector<std::vector<unsigned char>> chart = Chart(counts[k], c.chartHeight, c.depth);
            ASSERT_EQ(chart.size(), size_t(c.chartHeight));
            for (const std::vector<unsigned char>& chartRow : chart) {
                std::vector<unsigned char> row = before[std::min(expected.size(), before.size() - 1)];
                std::copy(chartRow.begin(), chartRow.begin() + chartBytes, row.begin());
                expected.push_back(row);
            }
            expected.push_back(before[std::min(expected.size(), before.size() - 1)]);
        }
        for (size_t row = 0; row < after.size(); ++row)
            ASSERT_EQ(after[row], row < expected.size() ? expected[row] : before[row]) << "row " << row;
    }
}

TEST(HistogramFacet, RefusalsOfTheImageAndOfTheChart)
{
    CZAVPtr<IZAVImageEditSp> bilevel = CreateImageEditSp();
    bilevel->Create(8, 8, zavbpp1);
    EXPECT_EQ(ZAVTest::ThrownText([&] { bilevel->GetHistogram()->GetGrayHistogram(); }),
              "Requires 8bpp or 24bpp Image!");
    EXPECT_EQ(ZAVTest::ThrownText([&] { bilevel->GetHistogram()->DrawHistograms(10, 1); }),
              "Requires 8bpp or 24bpp Image!");

    CZAVPtr<IZAVImageEditSp> wide = CreateImageEditSp();
    wide->Create(8, 8, zavbpp16);
    EXPECT_EQ(wide->GetHistogram()->GetGrayHistogram().GetSize(), 65536);
    const std::vector<unsigned char> before = ZAVTest::PixelsOf(*wide.Get());
    EXPECT_EQ(ZAVTest::ThrownText([&] { wide->GetHistogram()->DrawHistograms(10, 1); }),
              "Histogram array size has to be 256!");
    EXPECT_EQ(ZAVTest::PixelsOf(*wide.Get()), before);
}

}  // namespace
