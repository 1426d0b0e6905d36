// Arithmetic per sample: saturation at both ends, the scale factor's rounded
// division, division by 0, on 8- and 24-bit images.
#include <gtest/gtest.h>

#include "tests/outside/korvex55/KorvPicture.h"

using KorvPictureTest::Picture;
using Bytes = std::vector<uint8_t>;

namespace {

using WithOperand = KORV_Status (*)(KORV_Handle, KORV_Handle);
using WithConstant = KORV_Status (*)(KORV_Handle, int32_t);

// 8-bit images are 4 x 1 pixels, 24-bit images 2 x 1.
int32_t WidthOf(int32_t bitsPerPixel)
{
    return bitsPerPixel == 8 ? 4 : 2;
}

struct OperandCase {
    const char* name;
    WithOperand operation;
    int32_t bitsPerPixel, scaleFactor;
    Bytes image, operand, expected;
};

TEST(KorvArithmetic, OperandFormsSaturateRoundAndDivideByZero)
{
    const OperandCase cases[] = {
        {"Add", KORV_Add, 8, 0, {0, 100, 200, 255}, {0, 100, 100, 1}, {0, 200, 255, 255}},
        {"Add", KORV_Add, 24, 0, {10, 250, 0, 128, 128, 128}, {5, 10, 0, 127, 128, 129}, {15, 255, 0, 255, 255, 255}},
        {"Subtract", KORV_Subtract, 8, 0, {0, 100, 50, 255}, {1, 40, 100, 255}, {0, 60, 0, 0}},
        {"Subtract", KORV_Subtract, 24, 0, {9, 9, 9, 200, 0, 255}, {10, 9, 8, 1, 0, 0}, {0, 0, 1, 199, 0, 255}},
        {"Multiply", KORV_Multiply, 8, 0, {0, 2, 16, 255}, {255, 3, 16, 2}, {0, 6, 255, 255}},
        {"Multiply by 2^8", KORV_Multiply, 8, 8, {200, 3, 255, 16}, {100, 3, 255, 16}, {78, 0, 254, 1}},
        {"Multiply by 2^1, halves up", KORV_Multiply, 8, 1, {3, 1, 255, 0}, {3, 1, 255, 7}, {5, 1, 255, 0}},
        {"Multiply", KORV_Multiply, 24, 4, {16, 32, 255, 1, 0, 8}, {16, 16, 255, 8, 9, 1}, {16, 32, 255, 1, 0, 1}},
        {"Divide", KORV_Divide, 8, 0, {7, 5, 0, 255}, {2, 0, 0, 1}, {4, 255, 0, 255}},
        {"Divide by 2^1", KORV_Divide, 8, 1, {200, 7, 9, 0}, {1, 2, 0, 0}, {100, 2, 255, 0}},
        {"Divide", KORV_Divide, 24, 0, {255, 100, 1, 0, 10, 10}, {0, 3, 2, 0, 3, 30}, {255, 33, 1, 0, 3, 0}},
    };
    for (const OperandCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(c.bitsPerPixel));
        Picture image, operand;
        image.Load(WidthOf(c.bitsPerPixel), 1, c.bitsPerPixel, c.image);
        operand.Load(WidthOf(c.bitsPerPixel), 1, c.bitsPerPixel, c.operand);
        ASSERT_EQ(KORV_SetScaleFactor(image.Handle(), c.scaleFactor), 0);
        ASSERT_EQ(c.operation(image.Handle(), operand.Handle()), 0) << image.Error();
        EXPECT_EQ(image.Pixels(), c.expected);
        EXPECT_EQ(operand.Pixels(), c.operand);
    }
}

struct ConstantCase {
    const char* name;
    WithConstant operation;
    int32_t bitsPerPixel, scaleFactor, value;
    Bytes image, expected;
};

TEST(KorvArithmetic, ConstantFormsTakeOneAmountForEveryChannel)
{
    const ConstantCase cases[] = {
        {"AddConstant", KORV_AddConstant, 8, 0, 60, {0, 100, 200, 255}, {60, 160, 255, 255}},
        {"AddConstant", KORV_AddConstant, 8, 0, -300, {0, 100, 200, 255}, {0, 0, 0, 0}},
        {"AddConstant", KORV_AddConstant, 24, 0, 5, {0, 1, 2, 250, 251, 252}, {5, 6, 7, 255, 255, 255}},
        {"AddConstant", KORV_AddConstant, 8, 0, INT32_MAX, {0, 1, 2, 3}, {255, 255, 255, 255}},
        {"SubtractConstant", KORV_SubtractConstant, 8, 0, 100, {0, 100, 200, 255}, {0, 0, 100, 155}},
        {"SubtractConstant", KORV_SubtractConstant, 24, 0, -10, {0, 1, 2, 250, 245, 0}, {10, 11, 12, 255, 255, 10}},
        {"SubtractConstant", KORV_SubtractConstant, 8, 0, INT32_MIN, {0, 1, 2, 3}, {255, 255, 255, 255}},
        {"MultiplyConstant", KORV_MultiplyConstant, 8, 0, 3, {0, 50, 85, 86}, {0, 150, 255, 255}},
        {"MultiplyConstant", KORV_MultiplyConstant, 8, 0, -1, {0, 50, 85, 86}, {0, 0, 0, 0}},
        {"MultiplyConstant by 2^2", KORV_MultiplyConstant, 8, 2, 3, {1, 2, 3, 100}, {1, 2, 2, 75}},
        {"MultiplyConstant", KORV_MultiplyConstant, 24, 0, 2, {0, 1, 127, 128, 200, 255}, {0, 2, 254, 255, 255, 255}},
        {"DivideConstant by 0", KORV_DivideConstant, 8, 0, 0, {0, 1, 200, 255}, {0, 255, 255, 255}},
        {"DivideConstant", KORV_DivideConstant, 8, 0, 4, {0, 2, 6, 255}, {0, 1, 2, 64}},
        {"DivideConstant", KORV_DivideConstant, 8, 0, -2, {0, 2, 6, 255}, {0, 0, 0, 0}},
        {"DivideConstant by 2^2", KORV_DivideConstant, 8, 2, 1, {0, 2, 6, 255}, {0, 1, 2, 64}},
        {"DivideConstant by 0", KORV_DivideConstant, 24, 3, 0, {0, 1, 0, 9, 0, 255}, {0, 255, 0, 255, 0, 255}},
    };
    for (const ConstantCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.value) + " at " + std::to_string(c.bitsPerPixel));
        Picture image;
        image.Load(WidthOf(c.bitsPerPixel), 1, c.bitsPerPixel, c.image);
        ASSERT_EQ(KORV_SetScaleFactor(image.Handle(), c.scaleFactor), 0);
        ASSERT_EQ(c.operation(image.Handle(), c.value), 0) << image.Error();
        EXPECT_EQ(image.Pixels(), c.expected);
    }
}

TEST(KorvArithmetic, AnOperandMayBeTheImageItself)
{
    Picture image;
    image.Load(4, 1, 8, {0, 3, 100, 200});
    ASSERT_EQ(KORV_Add(image.Handle(), image.Handle()), 0) << image.Error();
    EXPECT_EQ(image.Pixels(), (Bytes{0, 6, 200, 255}));
    ASSERT_EQ(KORV_Multiply(image.Handle(), image.Handle()), 0);
    EXPECT_EQ(image.Pixels(), (Bytes{0, 36, 255, 255}));
}

TEST(KorvArithmetic, DifferenceWritesTheDistanceOfTwoOperandsIntoTheImage)
{
    Picture image, first, second;
    first.Load(2, 1, 24, {10, 200, 0, 255, 0, 7});
    second.Load(2, 1, 24, {30, 100, 0, 0, 255, 7});
    ASSERT_EQ(KORV_Difference(image.Handle(), first.Handle(), second.Handle()), 0) << image.Error();
    EXPECT_EQ(image.BitsPerPixel(), 24);
    EXPECT_EQ(image.Pixels(), (Bytes{20, 100, 0, 255, 255, 0}));

    ASSERT_EQ(KORV_DifferenceConstant(image.Handle(), first.Handle(), 100), 0) << image.Error();
    EXPECT_EQ(image.Pixels(), (Bytes{90, 100, 100, 155, 100, 93}));
    ASSERT_EQ(KORV_DifferenceConstant(image.Handle(), image.Handle(), -1000), 0);
    EXPECT_EQ(image.Pixels(), Bytes(6, 255));
}

TEST(KorvArithmetic, RefusesOneBitImagesAndOperandsOfAnotherShape)
{
    Picture bits, first, second;
    bits.Load(8, 1, 1, {0x0F});
    EXPECT_EQ(KORV_AddConstant(bits.Handle(), 1), 5);
    EXPECT_EQ(bits.Error(), "AddConstant: the image has 1 bits per pixel; allowed are 8, 9, 24, 32!");
    first.Load(4, 1, 8, {1, 2, 3, 4});
    second.Load(2, 1, 24, Bytes(6));
    EXPECT_EQ(KORV_Difference(bits.Handle(), first.Handle(), second.Handle()), 4);
    EXPECT_EQ(bits.Error(), "Difference: the first operand is 4 x 1 pixels at 8 bits per pixel, the second operand "
                            "2 x 1 pixels at 24 bits per pixel; they must agree!");
    EXPECT_EQ(bits.Pixels(), Bytes{0x0F});
}

}  // namespace
