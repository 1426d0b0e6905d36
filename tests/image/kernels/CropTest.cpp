#include <gtest/gtest.h>

#include <vector>

#include "image/kernels/ImgKernels.h"

using namespace ZAV;

namespace {

TEST(CropKernels, CropBytesCopiesTheAreaRowByRow)
{
    std::vector<BYTE> source(4 * 3 * 3);
    for (size_t i = 0; i < source.size(); ++i)
        source[i] = static_cast<BYTE>(i);
    std::vector<BYTE> target(2 * 2 * 3, 0xEE);
    CImgKernels kernels;
    ASSERT_EQ(1, kernels.CropBytes(source.data(), target.data(), 4, 3, 3, 1, 1, 2, 2));
    const std::vector<BYTE> expected = {15, 16, 17, 18, 19, 20, 27, 28, 29, 30, 31, 32};
    EXPECT_EQ(expected, target);
}

TEST(CropKernels, CropBitsMovesBitsToTheFrontOfEachRow)
{
    // 10 x 2 image, rows of two bytes.
    const BYTE source[] = {0b10110101, 0b11000000, 0b00011111, 0b01000000};
    BYTE target[2] = {0xFF, 0xFF};
    CImgKernels kernels;
    ASSERT_EQ(1, kernels.CropBits(source, target, 10, 2, 3, 0, 5, 2));
    // Bits 3-7 of each row lead; the three bits beyond the width stay as they were.
    EXPECT_EQ(0b10101111, target[0]);
    EXPECT_EQ(0b11111111, target[1]);
    BYTE across[1] = {0};
    ASSERT_EQ(1, kernels.CropBits(source, across, 10, 2, 6, 1, 4, 1));
    EXPECT_EQ(0b11010000, across[0]);
}

TEST(CropKernels, RefuseAreasOutsideTheSource)
{
    BYTE source[16] = {};
    BYTE target[16] = {};
    const struct {
        const BYTE* source;
        BYTE* target;
        int x, y, w, h;
    } cases[] = {
        {nullptr, target, 0, 0, 1, 1}, {source, nullptr, 0, 0, 1, 1}, {source, source, 0, 0, 1, 1},
        {source, target, 4, 0, 1, 1},  {source, target, 0, 4, 1, 1},  {source, target, 2, 0, 3, 1},
        {source, target, 0, 3, 1, 2},  {source, target, -1, 0, 1, 1}, {source, target, 0, 0, 5, 1},
    };
    CImgKernels kernels;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " " << c.w << "x" << c.h);
        EXPECT_EQ(0, kernels.CropBytes(c.source, c.target, 4, 4, 1, c.x, c.y, c.w, c.h));
        EXPECT_STREQ("Invalid Parameter!", kernels.GetErrorText().GetText());
        EXPECT_EQ(0, kernels.CropBits(c.source, c.target, 4, 4, c.x, c.y, c.w, c.h));
    }
    EXPECT_EQ(1, kernels.CropBytes(source, target, 4, 0, 1, 0, 0, 1, 1));
    EXPECT_STREQ("", kernels.GetErrorText().GetText());
}

}  // namespace
