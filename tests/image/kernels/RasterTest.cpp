#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/kernels/ImgKernels.h"

using namespace ZAV;

namespace {

// An 8-bit picture as rows of characters: '.' for 0, '#' for anything else.
std::string Picture(const std::vector<BYTE>& pixels, int width)
{
    std::string text;
    for (size_t i = 0; i < pixels.size(); ++i) {
        text += pixels[i] ? '#' : '.';
        if ((i + 1) % static_cast<size_t>(width) == 0)
            text += '/';
    }
    return text;
}

TEST(FillRect, ClipsOnAllFourSides)
{
    const struct {
        int x, y, w, h;
        const char* picture;
    } cases[] = {
        {-5, -5, 7, 6, "##..../....../....../"},
        {-5, -1, 7, 3, "##..../##..../....../"},
        {4, 1, 10, 10, "....../....##/....##/"},
        {6, 0, 2, 2, "....../....../....../"},   // starts beyond the right edge
        {-3, 0, 3, 3, "....../....../....../"},  // ends before the left edge
        {1, 1, 0, 5, "....../....../....../"},
    };
    CImgKernels kernels;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture);
        // The exact size, so AddressSanitizer sees any write outside.
        std::vector<BYTE> pixels(6 * 3, 0);
        EXPECT_EQ(1, kernels.FillRect8(pixels.data(), 6, 3, c.x, c.y, c.w, c.h, 9));
        EXPECT_EQ(c.picture, Picture(pixels, 6));
        std::vector<BYTE> rgb(6 * 3 * 3, 0);
        EXPECT_EQ(1, kernels.FillRect24(rgb.data(), 6, 3, c.x, c.y, c.w, c.h, RGB(1, 2, 3)));
    }
    EXPECT_EQ(0, kernels.FillRect24(nullptr, 6, 3, 0, 0, 1, 1, 0));
    EXPECT_STREQ("Invalid Parameter!", kernels.GetErrorText().GetText());
}

TEST(FillRect, WritesEachDepthsPixels)
{
    CImgKernels kernels;
    std::vector<BYTE> gray(4 * 2 * 3, 0);
    ASSERT_EQ(1, kernels.FillRect24(gray.data(), 4, 2, 0, 0, 4, 2, RGB(128, 128, 128)));
    EXPECT_EQ(std::vector<BYTE>(24, 128), gray);

    std::vector<BYTE> rgb(2 * 1 * 3, 0);
    ASSERT_EQ(1, kernels.FillRect24(rgb.data(), 2, 1, 1, 0, 1, 1, RGB(10, 20, 30)));
    EXPECT_EQ((std::vector<BYTE>{0, 0, 0, 10, 20, 30}), rgb);

    // 1-bit rows of 2 bytes, 10 pixels: set bits 2..8, then clear 4..5.
    std::vector<BYTE> bits(2 * 2, 0);
    ASSERT_EQ(1, kernels.FillRect1(bits.data(), 2, 10, 2, 2, -1, 7, 2, 1));
    ASSERT_EQ(1, kernels.FillRect1(bits.data(), 2, 10, 2, 4, 0, 2, 5, 0));
    EXPECT_EQ((std::vector<BYTE>{0b00110011, 0b10000000, 0, 0}), bits);
    EXPECT_EQ(0, kernels.FillRect1(bits.data(), 1, 10, 2, 0, 0, 1, 1, 1));
}

TEST(DrawLine, BresenhamWithClippedEnds)
{
    const struct {
        int x1, y1, x2, y2;
        const char* picture;
    } cases[] = {
        {0, 0, 4, 2, "#..../.##../...##/"},
        {4, 2, 0, 0, "##.../..##./....#/"},
        {-2, -1, 6, 3, "#..../.##../...##/"},  // both ends outside
        {1, 0, 1, 5, ".#.../.#.../.#.../"},
        {-3, 1, 2, 1, "...../###../...../"},   // horizontal span, clamped
        {9, 1, 3, 1, "...../...##/...../"},
        {-3, 1, -1, 1, "...../...../...../"},
        {0, 7, 4, 7, "...../...../...../"},
    };
    CImgKernels kernels;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture);
        std::vector<BYTE> pixels(5 * 3, 0);
        EXPECT_EQ(1, kernels.DrawLine(pixels.data(), 5, 3, 5, 8, c.x1, c.y1, c.x2, c.y2, 1));
        EXPECT_EQ(c.picture, Picture(pixels, 5));
    }
}

TEST(DrawLine, SetsPixelsOfEveryDepth)
{
    CImgKernels kernels;
    std::vector<BYTE> bits(2 * 2, 0xFF);
    ASSERT_EQ(1, kernels.DrawLine(bits.data(), 9, 2, 2, 1, 7, 0, 8, 1, 0));
    EXPECT_EQ((std::vector<BYTE>{0xFE, 0xFF, 0xFF, 0x7F}), bits);

    std::vector<BYTE> rgb(2 * 2 * 3, 0);
    ASSERT_EQ(1, kernels.DrawLine(rgb.data(), 2, 2, 6, 24, 0, 0, 1, 1, RGB(1, 2, 3)));
    EXPECT_EQ((std::vector<BYTE>{1, 2, 3, 0, 0, 0, 0, 0, 0, 1, 2, 3}), rgb);

    std::vector<uint32_t> quads(2 * 2, 0);
    BYTE* data = reinterpret_cast<BYTE*>(quads.data());
    ASSERT_EQ(1, kernels.DrawLine(data, 2, 2, 8, 32, 1, 0, 1, 1, 0x11223344));
    EXPECT_EQ((std::vector<uint32_t>{0, 0x11223344, 0, 0x11223344}), quads);
    // A horizontal line in a 32-bit image is refused.
    EXPECT_EQ(0, kernels.DrawLine(data, 2, 2, 8, 32, 0, 0, 1, 0, 1));
    EXPECT_STREQ("Invalid Parameter!", kernels.GetErrorText().GetText());
    EXPECT_EQ(0, kernels.DrawLine(data, 2, 2, 8, 16, 0, 0, 1, 1, 1));
    EXPECT_EQ(0, kernels.DrawLine(nullptr, 2, 2, 8, 8, 0, 0, 1, 1, 1));
}

}  // namespace
