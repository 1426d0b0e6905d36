#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "image/kernels/ImgKernels.h"
#include "image/kernels/support/KernelTestImages.h"
#include "platform/GlobalMem.h"
#include "support/TestSupport.h"

using namespace ZAV;
using namespace ZAVTest;

namespace {

// Pillow's transposes of one image, one after another in a single output.
const char* const kTransposes[] = {"ROTATE_270", "ROTATE_180", "ROTATE_90", "FLIP_LEFT_RIGHT", "FLIP_TOP_BOTTOM"};

std::vector<uint8_t> PillowTransposes(const std::string& mode, int width, int height,
                                      const std::vector<uint8_t>& pixels)
{
    std::string script = "import sys\nfrom PIL import Image\n"
                         "im = Image.frombytes('" +
                         mode + "', (" + std::to_string(width) + ", " + std::to_string(height) +
                         "), open(sys.argv[1], 'rb').read())\n"
                         "out = open(sys.argv[2], 'wb')\n";
    for (const char* transpose : kTransposes)
        script += std::string("out.write(im.transpose(Image.Transpose.") + transpose + ").tobytes())\n";
    return RunPython(script, pixels);
}

// Our kernels in the order of kTransposes.
std::vector<uint8_t> OurTransposes(int width, int height, int bytesPerPixel, const std::vector<uint8_t>& pixels)
{
    std::vector<uint8_t> all;
    CImgKernels context;
    for (int turn = 0; turn < 3; ++turn) {
        std::vector<uint8_t> copy = pixels;
        EXPECT_EQ(1, context.RotateExact(copy.data(), width, height, turn, bytesPerPixel));
        all.insert(all.end(), copy.begin(), copy.end());
    }
    std::vector<uint8_t> mirrored = pixels;
    EXPECT_EQ(1, context.FlipHorizontal(mirrored.data(), width, height, bytesPerPixel));
    all.insert(all.end(), mirrored.begin(), mirrored.end());
    std::vector<uint8_t> flipped = pixels;
    EXPECT_EQ(1, context.FlipVertical(flipped.data(), width * bytesPerPixel, height));
    all.insert(all.end(), flipped.begin(), flipped.end());
    return all;
}

TEST(RotationAndFlip, MatchPillowsTransposesPixelForPixel)
{
    const struct {
        const char* mode;
        int bytesPerPixel;
        int width;
        int height;
    } cases[] = {{"L", 1, 7, 5}, {"L", 1, 13, 1}, {"RGB", 3, 11, 9}, {"RGB", 3, 1, 3}};
    for (const auto& c : cases) {
        const std::vector<uint8_t> pixels = RandomBytes(size_t(c.width) * c.height * c.bytesPerPixel, c.width);
        EXPECT_EQ(PillowTransposes(c.mode, c.width, c.height, pixels),
                  OurTransposes(c.width, c.height, c.bytesPerPixel, pixels))
            << c.mode << " " << c.width << " x " << c.height;
    }
}

TEST(RotationAndFlip, OneBitRowsMirrorAsPillowDoes)
{
    for (int width : {10, 13}) {
        const int rows = 3;
        const int rowBytes = (width + 7) / 8;
        std::vector<uint8_t> pixels = RandomBytes(size_t(rowBytes) * rows, width);
        for (int y = 0; y < rows; ++y)
            pixels[y * rowBytes + rowBytes - 1] &= static_cast<uint8_t>(0xFF << (rowBytes * 8 - width));
        const std::string script = "import sys\nfrom PIL import Image\n"
                                   "im = Image.frombytes('1', (" +
                                   std::to_string(width) +
                                   ", 3), "
                                   "open(sys.argv[1], 'rb').read())\n"
                                   "open(sys.argv[2], 'wb').write(im.transpose(Image.Transpose.FLIP_LEFT_RIGHT)"
                                   ".tobytes())\n";
        // Garbage beyond the width must not come back into the row.
        std::vector<uint8_t> ours = pixels;
        for (int y = 0; y < rows; ++y)
            ours[y * rowBytes + rowBytes - 1] |= static_cast<uint8_t>(0xFF >> (8 - (rowBytes * 8 - width)));
        CImgKernels context;
        ASSERT_EQ(1, context.FlipHorizontal1(ours.data(), width, rows));
        EXPECT_EQ(RunPython(script, pixels), ours) << width;
    }
}

TEST(RotationAndFlip, AnyAngleByAQuarterTurnOfFourByTwo)
{
    // Source rows 0: 10 11 12 13, 1: 20 21 22 23 (24-bit gray ramps).
    std::vector<uint8_t> pixels;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            pixels.insert(pixels.end(), 3, static_cast<uint8_t>(10 * (y + 1) + x));
    CImgKernels context;
    int width = 0;
    int height = 0;
    HGLOBAL block = context.RotateAnyAngle(pixels.data(), 4, 2, M_PI / 2, RGB(1, 2, 3), width, height, 77, false);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(2, width);
    EXPECT_EQ(4, height);
    const uint8_t* out = static_cast<const uint8_t*>(block);
    for (int y = 0; y < 4; ++y) {
        // Column 0 turns back to source row 2, outside: the background colour.
        EXPECT_EQ(1, out[y * 6]);
        EXPECT_EQ(2, out[y * 6 + 1]);
        EXPECT_EQ(3, out[y * 6 + 2]);
        // Column 1 holds source row 1.
        EXPECT_EQ(2, out[y * 6 + 3] / 10) << y;
    }
    GlobalFree(block);
}

TEST(RotationAndFlip, AnyAngleOfEightBitsFillsTheBackgroundGray)
{
    const std::vector<uint8_t> pixels(5 * 5, 200);
    CImgKernels context;
    int width = 0;
    int height = 0;
    HGLOBAL block = context.RotateAnyAngle(pixels.data(), 5, 5, M_PI / 4, RGB(1, 2, 3), width, height, 77, true);
    ASSERT_NE(nullptr, block);
    const uint8_t* out = static_cast<const uint8_t*>(block);
    EXPECT_EQ(77, out[0]) << "the corner lies outside the turned source";
    EXPECT_EQ(200, out[(height / 2) * width + width / 2]);
    for (int i = 0; i < width * height; ++i)
        EXPECT_TRUE(out[i] == 77 || out[i] == 200);
    GlobalFree(block);
}

TEST(RotationAndFlip, HugeAnyAngleResultIsRefusedBeforeReadingAByte)
{
    const uint8_t onePixel[3] = {0, 0, 0};
    CImgKernels context;
    int width = -1;
    int height = -1;
    EXPECT_EQ(nullptr, context.RotateAnyAngle(onePixel, 40000, 40000, M_PI / 4, 0, width, height, 0, false));
    EXPECT_STREQ("Out of memory!", context.GetErrorText().GetText());
    EXPECT_EQ(-1, width);
}

TEST(RotationAndFlip, NonFiniteAngleIsRefused)
{
    const uint8_t pixels[12] = {};
    for (double angle : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        CImgKernels context;
        int width = -1;
        int height = -1;
        EXPECT_EQ(nullptr, context.RotateAnyAngle(pixels, 2, 2, angle, 0, width, height, 0, false));
        EXPECT_STREQ("Invalid Parameter!", context.GetErrorText().GetText());
        EXPECT_EQ(-1, width);
    }
}

TEST(RotationAndFlip, CancelAndBadArgumentsLeaveThePixelsAlone)
{
    const std::vector<uint8_t> pixels = RandomBytes(6 * 4 * 3, 2);
    for (int turn = 0; turn < 3; ++turn) {
        std::vector<uint8_t> copy = pixels;
        RecordingSink sink(2);
        CImgKernels context(&sink);
        EXPECT_EQ(0, context.RotateExact(copy.data(), 6, 4, turn, 3));
        EXPECT_STREQ("Operation canceled!", context.GetErrorText().GetText());
        EXPECT_EQ(pixels, copy);
        EXPECT_EQ(1, sink.ends);
    }
    std::vector<uint8_t> copy = pixels;
    CImgKernels context;
    EXPECT_EQ(0, context.RotateExact(copy.data(), 6, 4, 3, 3));
    EXPECT_STREQ("Invalid Parameter!", context.GetErrorText().GetText());
    EXPECT_EQ(0, context.RotateExact(copy.data(), 0, 4, 0, 3));
    EXPECT_STREQ("Out of memory!", context.GetErrorText().GetText());
    // 70,000 x 70,000 x 3 passes 32 bits: refused before a byte is read.
    EXPECT_EQ(0, context.RotateExact(copy.data(), 70000, 70000, 0, 3));
    EXPECT_STREQ("Out of memory!", context.GetErrorText().GetText());
    EXPECT_EQ(0, context.FlipVertical(nullptr, 3, 3));
    EXPECT_STREQ("Invalid Parameter!", context.GetErrorText().GetText());
    EXPECT_EQ(pixels, copy);
}

}  // namespace
