// Logic, the linear scale and the thresholds on 8- and 24-bit images (logic
// on 1-bit images too, Scale on 16-bit samples).
#include <gtest/gtest.h>

#include "tests/outside/korvex55/KorvPicture.h"

using KorvPictureTest::Picture;
using Bytes = std::vector<uint8_t>;

namespace {

int32_t WidthOf(int32_t bitsPerPixel)
{
    return bitsPerPixel == 8 ? 4 : 2;
}

struct OperandCase {
    const char* name;
    KORV_Status (*operation)(KORV_Handle, KORV_Handle);
    int32_t bitsPerPixel;
    Bytes image, operand, expected;
};

TEST(KorvLogic, OperandFormsWorkOnEveryByte)
{
    const OperandCase cases[] = {
        {"And", KORV_And, 8, {0xF0, 0x0F, 0xFF, 0x00}, {0xFF, 0xF0, 0x3C, 0xFF}, {0xF0, 0x00, 0x3C, 0x00}},
        {"And", KORV_And, 24, {1, 2, 3, 4, 5, 6}, {3, 3, 3, 6, 6, 6}, {1, 2, 3, 4, 4, 6}},
        {"Or", KORV_Or, 8, {0xF0, 0x0F, 0x00, 0x00}, {0x0F, 0x0F, 0x00, 0x81}, {0xFF, 0x0F, 0x00, 0x81}},
        {"Or", KORV_Or, 24, {1, 2, 3, 4, 5, 6}, {2, 2, 2, 2, 2, 2}, {3, 2, 3, 6, 7, 6}},
        {"Xor", KORV_Xor, 8, {0xF0, 0xFF, 0x00, 0x55}, {0xFF, 0xFF, 0x00, 0xAA}, {0x0F, 0x00, 0x00, 0xFF}},
        {"Xor", KORV_Xor, 24, {1, 2, 3, 4, 5, 6}, {1, 1, 1, 1, 1, 1}, {0, 3, 2, 5, 4, 7}},
    };
    for (const OperandCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(c.bitsPerPixel));
        Picture image, operand;
        image.Load(WidthOf(c.bitsPerPixel), 1, c.bitsPerPixel, c.image);
        operand.Load(WidthOf(c.bitsPerPixel), 1, c.bitsPerPixel, c.operand);
        ASSERT_EQ(c.operation(image.Handle(), operand.Handle()), 0) << image.Error();
        EXPECT_EQ(image.Pixels(), c.expected);
    }
}

struct ConstantCase {
    const char* name;
    KORV_Status (*operation)(KORV_Handle, int32_t);
    int32_t bitsPerPixel, width, value;
    Bytes image, expected;
};

TEST(KorvLogic, ConstantFormsAndInvertOnOneEightAndTwentyFourBits)
{
    const auto invert = [](KORV_Handle handle, int32_t) { return KORV_Invert(handle); };
    const ConstantCase cases[] = {
        {"AndConstant", KORV_AndConstant, 8, 4, 0x0F, {0xF0, 0x1F, 0xFF, 0x00}, {0x00, 0x0F, 0x0F, 0x00}},
        {"AndConstant", KORV_AndConstant, 24, 2, 0xFE, {1, 2, 3, 255, 254, 253}, {0, 2, 2, 254, 254, 252}},
        {"OrConstant", KORV_OrConstant, 8, 4, 0x80, {0x00, 0x01, 0x80, 0xFF}, {0x80, 0x81, 0x80, 0xFF}},
        {"OrConstant", KORV_OrConstant, 24, 2, 1, {0, 1, 2, 3, 4, 5}, {1, 1, 3, 3, 5, 5}},
        {"XorConstant", KORV_XorConstant, 8, 4, 0xFF, {0x00, 0x01, 0x80, 0xFF}, {0xFF, 0xFE, 0x7F, 0x00}},
        {"XorConstant", KORV_XorConstant, 24, 2, 0, {0, 1, 2, 3, 4, 5}, {0, 1, 2, 3, 4, 5}},
        {"Invert", invert, 8, 4, 0, {0, 1, 128, 255}, {255, 254, 127, 0}},
        {"Invert", invert, 24, 2, 0, {0, 10, 20, 255, 128, 127}, {255, 245, 235, 0, 127, 128}},
        {"Invert", invert, 1, 10, 0, {0xA5, 0x40}, {0x5A, 0xBF}},
        {"AndConstant", KORV_AndConstant, 1, 10, 0, {0xA5, 0x40}, {0x00, 0x00}},
        {"OrConstant", KORV_OrConstant, 1, 10, 1, {0xA5, 0x40}, {0xFF, 0xFF}},
        {"XorConstant", KORV_XorConstant, 1, 10, 1, {0xA5, 0x40}, {0x5A, 0xBF}},
    };
    for (const ConstantCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(c.bitsPerPixel));
        Picture image;
        image.Load(c.width, 1, c.bitsPerPixel, c.image);
        ASSERT_EQ(c.operation(image.Handle(), c.value), 0) << image.Error();
        EXPECT_EQ(image.Pixels(), c.expected);
    }
}

TEST(KorvLogic, AOneBitOperandMeetsAOneBitImage)
{
    Picture image, operand;
    image.Load(12, 1, 1, {0xF0, 0xF0});
    operand.Load(12, 1, 1, {0x3C, 0x30});
    ASSERT_EQ(KORV_And(image.Handle(), operand.Handle()), 0) << image.Error();
    EXPECT_EQ(image.Pixels(), (Bytes{0x30, 0x30}));
}

TEST(KorvLogic, ConstantsOutsideTheSampleRangeAreRefused)
{
    Picture grey, bits;
    grey.Load(4, 1, 8, {1, 2, 3, 4});
    bits.Load(8, 1, 1, {0x0F});
    EXPECT_EQ(KORV_AndConstant(grey.Handle(), 256), 3);
    EXPECT_EQ(grey.Error(), "AndConstant: the value 256 lies outside 0 to 255!");
    EXPECT_EQ(KORV_OrConstant(grey.Handle(), -1), 3);
    EXPECT_EQ(KORV_XorConstant(bits.Handle(), 2), 3);
    EXPECT_EQ(bits.Error(), "XorConstant: the value 2 lies outside 0 to 1!");
    EXPECT_EQ(grey.Pixels(), (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(bits.Pixels(), Bytes{0x0F});
}

struct ScaleCase {
    int32_t bitsPerPixel, value1, value2, value3, value4;
    Bytes image, expected;
};

TEST(KorvScale, MapsTheFirstRangeOntoTheSecond)
{
    const ScaleCase cases[] = {
        // Below and above the range take its ends; 127.5 rounds up.
        {8, 50, 150, 0, 255, {0, 50, 100, 150}, {0, 0, 128, 255}},
        {8, 0, 255, 255, 0, {0, 1, 128, 255}, {255, 254, 127, 0}},
        {8, 0, 100, 0, 1000, {0, 10, 26, 100}, {0, 100, 255, 255}},
        {8, 0, 255, -255, 255, {0, 127, 128, 255}, {0, 0, 1, 255}},
        {8, 150, 50, 0, 100, {0, 50, 100, 200}, {100, 100, 50, 0}},
        {24, 0, 255, 100, 200, {0, 255, 128, 64, 192, 1}, {100, 200, 150, 125, 175, 100}},
        // An empty first range changes nothing.
        {24, 3, 3, 3, 1, {0, 3, 9, 64, 192, 255}, {0, 3, 9, 64, 192, 255}},
        {8, INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX, {0, 1, 128, 255}, {0, 1, 128, 255}},
    };
    for (const ScaleCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value1 << ".." << c.value2 << " onto " << c.value3 << ".." << c.value4);
        Picture image;
        image.Load(WidthOf(c.bitsPerPixel), 1, c.bitsPerPixel, c.image);
        ASSERT_EQ(KORV_Scale(image.Handle(), c.value1, c.value2, c.value3, c.value4), 0) << image.Error();
        EXPECT_EQ(image.Pixels(), c.expected);
    }
}

TEST(KorvScale, SixteenBitSamplesSaturateAt65535)
{
    Picture image;
    // Samples 0x0001, 0x0FFF, 0x0800, low byte first.
    image.Load(3, 1, 16, {0x01, 0x00, 0xFF, 0x0F, 0x00, 0x08});
    ASSERT_EQ(KORV_Scale(image.Handle(), 0, 4095, 0, 65520), 0) << image.Error();
    EXPECT_EQ(image.Pixels(), (Bytes{0x10, 0x00, 0xF0, 0xFF, 0x00, 0x80}));
    ASSERT_EQ(KORV_Scale(image.Handle(), 0, 65535, 0, 131070), 0);
    EXPECT_EQ(image.Pixels(), (Bytes{0x20, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
}

struct ThresholdCase {
    const char* name;
    int32_t bitsPerPixel;
    KORV_Status (*operation)(KORV_Handle, const int32_t*);
    int32_t values[4];
    Bytes image, expected;
};

TEST(KorvThreshold, ClampsOrReplacesSamplesAsNamed)
{
    const auto gt = [](KORV_Handle h, const int32_t* v) { return KORV_ThresholdGT(h, v[0]); };
    const auto lt = [](KORV_Handle h, const int32_t* v) { return KORV_ThresholdLT(h, v[0]); };
    const auto gtVal = [](KORV_Handle h, const int32_t* v) { return KORV_ThresholdGTVal(h, v[0], v[1]); };
    const auto ltVal = [](KORV_Handle h, const int32_t* v) { return KORV_ThresholdLTVal(h, v[0], v[1]); };
    const auto both = [](KORV_Handle h, const int32_t* v) {
        return KORV_ThresholdLTValGTVal(h, v[0], v[1], v[2], v[3]);
    };
    const ThresholdCase cases[] = {
        {"GT", 8, gt, {100}, {0, 100, 101, 255}, {0, 100, 100, 100}},
        {"GT", 24, gt, {0}, {0, 1, 2, 3, 4, 5}, {0, 0, 0, 0, 0, 0}},
        {"LT", 8, lt, {100}, {0, 99, 100, 255}, {100, 100, 100, 255}},
        {"LT", 24, lt, {255}, {0, 1, 254, 255, 128, 7}, {255, 255, 255, 255, 255, 255}},
        {"GTVal", 8, gtVal, {100, 7}, {0, 100, 101, 255}, {0, 100, 7, 7}},
        {"GTVal", 24, gtVal, {128, 255}, {127, 128, 129, 0, 200, 255}, {127, 128, 255, 0, 255, 255}},
        {"LTVal", 8, ltVal, {100, 250}, {0, 99, 100, 255}, {250, 250, 100, 255}},
        {"LTVal", 24, ltVal, {1, 9}, {0, 1, 2, 0, 0, 255}, {9, 1, 2, 9, 9, 255}},
        {"LTValGTVal", 8, both, {50, 0, 200, 255}, {49, 50, 200, 201}, {0, 50, 200, 255}},
        {"LTValGTVal", 24, both, {10, 20, 10, 5}, {9, 10, 11, 0, 10, 255}, {20, 10, 5, 20, 10, 5}},
    };
    for (const ThresholdCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(c.bitsPerPixel));
        Picture image;
        image.Load(WidthOf(c.bitsPerPixel), 1, c.bitsPerPixel, c.image);
        ASSERT_EQ(c.operation(image.Handle(), c.values), 0) << image.Error();
        EXPECT_EQ(image.Pixels(), c.expected);
    }
}

TEST(KorvThreshold, RefusesValuesOutsideTheSamplesAndCrossedThresholds)
{
    Picture image;
    image.Load(4, 1, 8, {1, 2, 3, 4});
    EXPECT_EQ(KORV_ThresholdGT(image.Handle(), 256), 3);
    EXPECT_EQ(image.Error(), "ThresholdGT: the threshold 256 lies outside 0 to 255!");
    EXPECT_EQ(KORV_ThresholdLTVal(image.Handle(), 10, -1), 3);
    EXPECT_EQ(image.Error(), "ThresholdLTVal: the value -1 lies outside 0 to 255!");
    EXPECT_EQ(KORV_ThresholdLTValGTVal(image.Handle(), 100, 0, 50, 255), 3);
    EXPECT_EQ(image.Error(), "ThresholdLTValGTVal: the upper threshold 50 lies outside 100 to 255!");
    EXPECT_EQ(image.Pixels(), (Bytes{1, 2, 3, 4}));
}

}  // namespace
