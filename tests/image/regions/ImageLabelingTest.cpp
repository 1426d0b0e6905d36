#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "image/regions/ImageLabeling.h"
#include "image/support/ImageTestSupport.h"
#include "support/ThrownText.h"

using namespace ZAV;
using ZAVTest::ThrownText;

namespace {

// A gray picture written as rows of characters: each character's code is
// the pixel value, so '.' and '#' are two values and '0'..'9' a gradient.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<BYTE> pixels;
};

Picture FromRows(const std::vector<std::string>& rows)
{
    Picture picture;
    picture.height = static_cast<int>(rows.size());
    picture.width = static_cast<int>(rows[0].size());
    for (const std::string& row : rows)
        for (char c : row)
            picture.pixels.push_back(static_cast<BYTE>(c));
    return picture;
}

std::vector<CFeature> Features(CImageLabeling& labeling)
{
    labeling.CollectFeatures();
    CFeature** features = nullptr;
    int count = 0;
    labeling.GetFeatureArray(features, count);
    std::vector<CFeature> result;
    for (int i = 0; i < count; ++i)
        result.push_back(*features[i]);
    return result;
}

std::set<int32_t> LabelsUsed(const CImageLabeling& labeling, const Picture& picture)
{
    std::set<int32_t> labels;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            labels.insert(labeling.LabelAt(x, y));
    return labels;
}

}  // namespace

TEST(ImageLabeling, RegionCountsOfSmallPictures)
{
    const struct {
        const char* name;
        std::vector<std::string> rows;
        int tolerance;
        size_t regions;
    } cases[] = {
        {"diagonal contact joins", {"#...", ".#..", "..#.", "...#"}, 0, 2},
        {"gradient, tolerance 0", {"0123456789", "0123456789"}, 0, 10},
        {"gradient, tolerance 2", {"0123456789", "0123456789"}, 2, 1},
        {"tolerance 1 is equality", {"0123456789"}, 1, 10},
        {"uniform 3 x 3, border included", {"...", "...", "..."}, 0, 1},
        {"two columns", {"#.", "#.", "#.", "#."}, 0, 2},
        {"one pixel", {"#"}, 0, 1},
    };
    for (const auto& c : cases) {
        const Picture picture = FromRows(c.rows);
        CImageLabeling labeling;
        labeling.Label(picture.pixels.data(), picture.width, picture.height, 8, c.tolerance);
        const std::vector<CFeature> features = Features(labeling);
        EXPECT_EQ(c.regions, features.size()) << c.name;
        EXPECT_EQ(c.regions, LabelsUsed(labeling, picture).size()) << c.name;
        int total = 0;
        for (const CFeature& f : features)
            total += f.pixelCount;
        EXPECT_EQ(picture.width * picture.height, total) << c.name;
    }
}

TEST(ImageLabeling, UShapeEndsWithOneMergedLabel)
{
    // The two arms start with their own labels; the bottom joins them.
    const Picture picture = FromRows({"#...#", "#...#", "#...#", "#####"});
    CImageLabeling labeling;
    labeling.Label(picture.pixels.data(), picture.width, picture.height, 8, 0);
    const int32_t arm = labeling.LabelAt(0, 0);
    EXPECT_EQ(arm, labeling.LabelAt(4, 0));
    EXPECT_EQ(arm, labeling.LabelAt(2, 3));
    EXPECT_LT(arm, 0);  // a joined group carries -n
    for (const CFeature& f : Features(labeling)) {
        if (f.value == '#') {
            EXPECT_EQ(11, f.pixelCount);
            EXPECT_EQ(0, f.box.left);
            EXPECT_EQ(4, f.box.right);
            EXPECT_EQ(0, f.box.top);
            EXPECT_EQ(3, f.box.bottom);
        }
    }
}

TEST(ImageLabeling, EdgePixelsAndBoxesIncludeTheBorder)
{
    const Picture picture = FromRows({"...", ".#.", "..."});
    CImageLabeling labeling;
    labeling.Label(picture.pixels.data(), 3, 3, 8, 0);
    const std::vector<CFeature> features = Features(labeling);
    ASSERT_EQ(2u, features.size());
    for (const CFeature& f : features) {
        const bool centre = f.value == '#';
        EXPECT_EQ(centre ? 1 : 8, f.pixelCount);
        EXPECT_EQ(centre ? 1 : 8, f.edgePixelCount);
        EXPECT_EQ(centre ? 1 : 0, f.box.left);
        EXPECT_EQ(centre ? 1 : 2, f.box.bottom);
    }
}

TEST(ImageLabeling, TwentyFourBitPixelsMatchByteByByte)
{
    // Same red and green, blue differs by 3: tolerance 3 keeps them apart,
    // tolerance 4 joins them.
    const std::vector<BYTE> pixels = {10, 20, 30, 10, 20, 33};
    for (int tolerance : {3, 4}) {
        CImageLabeling labeling;
        labeling.Label(pixels.data(), 2, 1, 24, tolerance);
        EXPECT_EQ(tolerance == 4, labeling.LabelAt(0, 0) == labeling.LabelAt(1, 0)) << tolerance;
    }
}

TEST(ImageLabeling, RefusedArguments)
{
    const BYTE pixel = 0;
    CImageLabeling labeling;
    EXPECT_EQ("Invalid color tolerance!", ThrownText([&] { labeling.Label(&pixel, 1, 1, 8, -1); }));
    EXPECT_EQ("Invalid colordepth!", ThrownText([&] { labeling.Label(&pixel, 1, 1, 16, 0); }));
    EXPECT_EQ("Invalid colordepth!", ThrownText([&] { labeling.Label(&pixel, 1, 1, 1, 0); }));
}

TEST(ImageLabeling, CancelFails)
{
    const std::vector<BYTE> pixels(16, 0);
    ZAVTest::CRecordingSink sink(1);
    CImageLabeling labeling(&sink);
    EXPECT_EQ("Operation canceled!", ThrownText([&] { labeling.Label(pixels.data(), 4, 4, 8, 0); }));
    EXPECT_EQ(sink.beginCalls, sink.endCalls);
}

// A path that runs right along one row, down at the end, left along the
// next: every row starts a label of its own in the first pass, and the
// chain of joins resolves without recursion.
TEST(ImageLabeling, LongSerpentineResolvesToOneRegion)
{
    const int width = 500;
    const int pathRows = 200;
    const int height = pathRows * 2 - 1;
    std::vector<BYTE> pixels(static_cast<size_t>(width) * height, 0);
    int pathPixels = 0;
    for (int r = 0; r < pathRows; ++r) {
        for (int x = 0; x < width; ++x, ++pathPixels)
            pixels[static_cast<size_t>(2 * r) * width + x] = 255;
        if (r + 1 < pathRows) {
            const int column = r % 2 == 0 ? width - 1 : 0;
            pixels[static_cast<size_t>(2 * r + 1) * width + column] = 255;
            ++pathPixels;
        }
    }
    ASSERT_GE(pathPixels, 100000);
    CImageLabeling labeling;
    labeling.Label(pixels.data(), width, height, 8, 0);
    int paths = 0;
    for (const CFeature& f : Features(labeling)) {
        if (f.value == 255) {
            ++paths;
            EXPECT_EQ(pathPixels, f.pixelCount);
        }
    }
    EXPECT_EQ(1, paths);
}
