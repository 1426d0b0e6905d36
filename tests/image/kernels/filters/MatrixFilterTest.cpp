#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/kernels/filters/FilterMatrix.h"
#include "image/kernels/filters/MatrixKernels.h"
#include "image/kernels/support/KernelTestImages.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

std::vector<uint8_t> Apply(int channels, const std::vector<uint8_t>& pixels, int width, int height, int strength,
                           int operation, std::string* text = nullptr, IProgressNotification* sink = nullptr)
{
    CMatrixKernels kernels(sink);
    std::vector<uint8_t> out(pixels.size(), 0);
    const int done = channels == 3
                         ? kernels.ApplyOperation24(pixels.data(), width, height, out.data(), strength, operation)
                         : kernels.ApplyOperation8(pixels.data(), width, height, out.data(), strength, operation);
    if (text)
        *text = kernels.GetErrorText().GetText();
    return done ? out : std::vector<uint8_t>();
}

TEST(MatrixFilters, MedianMatchesPillowsMedianFilter)
{
    const struct {
        const char* mode;
        int channels;
    } cases[] = {{"L", 1}, {"RGB", 3}};
    const int width = 17;
    const int height = 11;
    for (const auto& c : cases) {
        const std::vector<uint8_t> pixels = RandomBytes(size_t(width) * height * c.channels, c.channels);
        const std::string script = std::string("import sys\nfrom PIL import Image, ImageFilter\n") +
                                   "im = Image.frombytes('" + c.mode + "', (17, 11), open(sys.argv[1], 'rb').read())\n"
                                   "open(sys.argv[2], 'wb').write(im.filter(ImageFilter.MedianFilter(3)).tobytes())\n";
        EXPECT_EQ(RunPython(script, pixels), Apply(c.channels, pixels, width, height, 100, kMatrixMedian)) << c.mode;
    }
}

TEST(MatrixFilters, StrengthIsLimitedToZeroAndHundred)
{
    const std::vector<uint8_t> pixels = RandomBytes(5 * 4 * 3, 4);
    for (int operation : {kMatrixSharpen, kMatrixBlur, kMatrixSoften}) {
        EXPECT_EQ(pixels, Apply(3, pixels, 5, 4, -5, operation)) << operation;
        EXPECT_EQ(Apply(3, pixels, 5, 4, 100, operation), Apply(3, pixels, 5, 4, 250, operation)) << operation;
        EXPECT_NE(pixels, Apply(3, pixels, 5, 4, 100, operation)) << operation;
    }
}

TEST(MatrixFilters, FlatAreasAndSinglePixels)
{
    const std::vector<uint8_t> flat(4 * 3, 90);
    EXPECT_EQ(flat, Apply(1, flat, 4, 3, 100, kMatrixSharpen));
    EXPECT_EQ(std::vector<uint8_t>(12, 0), Apply(1, flat, 4, 3, 100, kMatrixSoften));
    EXPECT_EQ(flat, Apply(1, flat, 4, 3, 100, kMatrixGaussian));
    // Every neighbour of a single pixel is the pixel itself.
    const std::vector<uint8_t> one = {10, 20, 30};
    for (int operation = kMatrixSharpen; operation <= kMatrixGaussian; ++operation)
        EXPECT_EQ(operation == kMatrixSoften ? std::vector<uint8_t>(3, 0) : one, Apply(3, one, 1, 1, 100, operation));
}

TEST(MatrixFilters, RefusalsComeBeforeAnyProgress)
{
    const std::vector<uint8_t> pixels(9, 1);
    std::string text;
    RecordingSink sink;
    EXPECT_TRUE(Apply(1, pixels, 3, 3, 50, 5, &text, &sink).empty());
    EXPECT_EQ("Invalid matrix operation!", text);
    EXPECT_EQ(0, sink.begins);
    EXPECT_TRUE(sink.reports.empty());

    CMatrixKernels kernels(nullptr);
    std::vector<uint8_t> same = pixels;
    EXPECT_EQ(0, kernels.ApplyOperation8(same.data(), 3, 3, same.data(), 50, 0));
    EXPECT_STREQ("Invalid Parameter!", kernels.GetErrorText().GetText());
}

TEST(MatrixFilters, HeightZeroBeginsEndsAndSucceeds)
{
    RecordingSink sink;
    const std::vector<uint8_t> none(1, 0);
    std::string text;
    EXPECT_EQ(none, Apply(1, none, 1, 0, 50, kMatrixBlur, &text, &sink));
    EXPECT_EQ(1, sink.begins);
    EXPECT_EQ(1, sink.ends);
}

TEST(MatrixFilters, CancelFails)
{
    const std::vector<uint8_t> pixels = RandomBytes(6 * 5, 8);
    RecordingSink sink(2);
    std::string text;
    EXPECT_TRUE(Apply(1, pixels, 6, 5, 50, kMatrixSharpen, &text, &sink).empty());
    EXPECT_EQ("Operation canceled!", text);
    EXPECT_EQ(1, sink.ends);
    EXPECT_EQ((std::vector<double>{0.0, 0.2}), sink.reports);
}

struct UserMatrixCase {
    std::vector<int32_t> values;
    int32_t divisor;
    int cols;
    int rows;
    int strength;
    bool add;
    bool subtract;
    uint8_t centre;
    int expected;  // -1: refused
    const char* text;
};

TEST(MatrixFilters, UserMatrices)
{
    const std::vector<int32_t> ones(9, 1);
    const UserMatrixCase cases[] = {
        // 1 x 1 {k} / d: clamp(c (1 - s) + c k / d s).
        {{3}, 2, 1, 1, 50, false, false, 100, 125, ""},
        {{3}, 2, 1, 1, 100, false, false, 200, 255, ""},
        {{3}, 2, 1, 1, 50, true, false, 100, 175, ""},
        {{3}, 2, 1, 1, 50, false, true, 100, 25, ""},
        {{-1}, 1, 1, 1, 300, false, false, 100, 0, ""},  // strength not limited
        // One pixel: the 3 x 3 matrix reads it nine times.
        {ones, 9, 3, 3, 100, false, false, 77, 77, ""},
        {{1, 1, 1, 1, 1, 1}, 6, 2, 3, 100, false, false, 1, -1, "Invalid Matrix!"},
        {{1, 1, 1, 1, 1, 1}, 6, 3, 2, 100, false, false, 1, -1, "Invalid Matrix!"},
        {ones, 0, 3, 3, 100, false, false, 1, -1, "Invalid Matrix!"},
        {ones, 9, 3, 3, 100, true, true, 1, -1, "Invalid Parameter!"},
    };
    for (const UserMatrixCase& c : cases) {
        CFilterMatrix matrix(c.values.data(), c.divisor, c.cols, c.rows);
        CMatrixKernels kernels(nullptr);
        const uint8_t pixel[3] = {c.centre, c.centre, c.centre};
        uint8_t out8 = 1;
        uint8_t out24[3] = {1, 1, 1};
        const int done8 = kernels.ApplyUserMatrix8(pixel, 1, 1, &out8, matrix, c.strength, c.add, c.subtract);
        EXPECT_STREQ(c.text, kernels.GetErrorText().GetText());
        const int done24 = kernels.ApplyUserMatrix24(pixel, 1, 1, out24, matrix, c.strength, c.add, c.subtract);
        EXPECT_EQ(c.expected >= 0 ? 1 : 0, done8);
        EXPECT_EQ(done8, done24);
        if (c.expected >= 0) {
            EXPECT_EQ(c.expected, out8);
            EXPECT_EQ(c.expected, out24[2]);
        }
    }
}

TEST(MatrixFilters, UserMatrixRepeatsEdgesAndKeepsChannelsApart)
{
    // A 3 x 1 matrix that takes the left neighbour: the first column repeats itself.
    const int32_t left[3] = {1, 0, 0};
    CFilterMatrix matrix(left, 1, 3, 1);
    const uint8_t pixels[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    uint8_t out[9] = {};
    CMatrixKernels kernels(nullptr);
    ASSERT_EQ(1, kernels.ApplyUserMatrix24(pixels, 3, 1, out, matrix, 100, false, false));
    const uint8_t expected[9] = {1, 2, 3, 1, 2, 3, 4, 5, 6};
    EXPECT_TRUE(std::equal(out, out + 9, expected));
}

}  // namespace
