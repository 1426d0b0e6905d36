// Colour conversions: known values, round trips, grey, 1 bit, gamma,
// ScaleToGray and the reduction of 16-bit samples.
#include <algorithm>
#include <gtest/gtest.h>

#include "tests/outside/korvex55/KorvPicture.h"

using KorvPictureTest::Picture;
using Bytes = std::vector<uint8_t>;

namespace {

using Conversion = KORV_Status (*)(KORV_Handle, KORV_Handle);

// Every colour whose samples are multiples of 5 (0 to 255), as one row of
// 24-bit or 32-bit pixels; the alpha of pixel i is i mod 256.
Bytes ColourGrid(int32_t bitsPerPixel, int32_t* width)
{
    Bytes bytes;
    int32_t count = 0;
    for (int r = 0; r <= 255; r += 5)
        for (int g = 0; g <= 255; g += 5)
            for (int b = 0; b <= 255; b += 5, ++count) {
                bytes.insert(bytes.end(), {uint8_t(r), uint8_t(g), uint8_t(b)});
                if (bitsPerPixel == 32)
                    bytes.push_back(uint8_t(count));
            }
    *width = count;
    return bytes;
}

int LargestDifference(const Bytes& first, const Bytes& second)
{
    int largest = 0;
    for (size_t i = 0; i < first.size(); ++i)
        largest = std::max(largest, std::abs(first[i] - second[i]));
    return largest;
}

// Forward into one object, back into another; gives the largest sample error.
int RoundTripError(Conversion forward, Conversion backward, int32_t bitsPerPixel, int32_t width, const Bytes& pixels)
{
    Picture original, converted, restored;
    original.Load(width, 1, bitsPerPixel, pixels);
    EXPECT_EQ(forward(converted.Handle(), original.Handle()), 0) << converted.Error();
    EXPECT_EQ(backward(restored.Handle(), converted.Handle()), 0) << restored.Error();
    EXPECT_EQ(restored.BitsPerPixel(), bitsPerPixel);
    return LargestDifference(restored.Pixels(), pixels);
}

struct RoundTripCase {
    const char* name;
    Conversion forward, backward;
    int largestError;
};

TEST(KorvColor, RoundTripsOverAGridOfColoursStayWithinTheirBound)
{
    // XYZ's inverse matrix spreads the rounding of three samples: 3 at worst.
    const RoundTripCase cases[] = {{"YUV", KORV_RGBtoYUV, KORV_YUVtoRGB, 1},
                                   {"YCC", KORV_RGBtoYCC, KORV_YCCtoRGB, 1},
                                   {"XYZ", KORV_RGBtoXYZ, KORV_XYZtoRGB, 3}};
    for (const RoundTripCase& c : cases)
        for (int32_t bitsPerPixel : {24, 32}) {
            SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(bitsPerPixel));
            int32_t width = 0;
            const Bytes pixels = ColourGrid(bitsPerPixel, &width);
            EXPECT_LE(RoundTripError(c.forward, c.backward, bitsPerPixel, width, pixels), c.largestError);
        }
}

TEST(KorvColor, PrimariesAndMixedColoursComeBackWithinOneThroughYuvAndYcc)
{
    const Bytes colours = {0,   0,   0,  255, 255, 255, 128, 128, 128, 1,   1,   1,   255, 0,  0,
                           0,   255, 0,  0,   0,   255, 255, 255, 0,   0,   255, 255, 255, 0,  255,
                           200, 100, 50, 30,  60,  90,  10,  200, 120, 240, 230, 220, 90,  45, 180};
    const int32_t width = static_cast<int32_t>(colours.size() / 3);
    EXPECT_LE(RoundTripError(KORV_RGBtoYUV, KORV_YUVtoRGB, 24, width, colours), 1);
    EXPECT_LE(RoundTripError(KORV_RGBtoYCC, KORV_YCCtoRGB, 24, width, colours), 1);
}

TEST(KorvColor, EveryGreyComesBackUnchangedThroughXyz)
{
    Bytes greys;
    for (int level = 0; level < 256; ++level)
        greys.insert(greys.end(), {uint8_t(level), uint8_t(level), uint8_t(level)});
    EXPECT_EQ(RoundTripError(KORV_RGBtoXYZ, KORV_XYZtoRGB, 24, 256, greys), 0);
}

struct KnownCase {
    const char* name;
    Conversion conversion;
    Bytes in, out;
};

TEST(KorvColor, KnownValuesOfTheForwardConversions)
{
    const KnownCase cases[] = {
        // BT.601 full range: red is Y 76, Cb 85, Cr 255.
        {"RGBtoYCC", KORV_RGBtoYCC, {255, 0, 0, 255, 255, 255, 0, 0, 0}, {76, 85, 255, 255, 128, 128, 0, 128, 128}},
        {"RGBtoYUV", KORV_RGBtoYUV, {0, 0, 255, 0, 255, 0, 128, 128, 128}, {29, 255, 107, 150, 44, 21, 128, 128, 128}},
        // White is 255 in X, Y and Z; sRGB red has Y = 0.2126729.
        {"RGBtoXYZ", KORV_RGBtoXYZ, {255, 255, 255, 255, 0, 0, 7, 7, 7}, {255, 255, 255, 111, 54, 5, 7, 7, 7}},
    };
    for (const KnownCase& c : cases) {
        SCOPED_TRACE(c.name);
        Picture source, result;
        source.Load(3, 1, 24, c.in);
        ASSERT_EQ(c.conversion(result.Handle(), source.Handle()), 0) << result.Error();
        EXPECT_EQ(result.Pixels(), c.out);
    }
}

TEST(KorvColor, CmyIsTheComplementAndKeepsAlpha)
{
    Picture image;
    image.Load(2, 1, 32, {0, 100, 255, 7, 1, 2, 3, 200});
    ASSERT_EQ(KORV_RGBtoCMY(image.Handle()), 0) << image.Error();
    EXPECT_EQ(image.Pixels(), (Bytes{255, 155, 0, 7, 254, 253, 252, 200}));
    ASSERT_EQ(KORV_CMYtoRGB(image.Handle()), 0);
    EXPECT_EQ(image.Pixels(), (Bytes{0, 100, 255, 7, 1, 2, 3, 200}));
}

TEST(KorvColor, AConversionMayReadTheImageItWrites)
{
    Picture image;
    image.Load(1, 1, 24, {255, 0, 0});
    ASSERT_EQ(KORV_RGBtoYCC(image.Handle(), image.Handle()), 0) << image.Error();
    EXPECT_EQ(image.Pixels(), (Bytes{76, 85, 255}));
    ASSERT_EQ(KORV_Grayscale8Bit(image.Handle(), image.Handle()), 0) << image.Error();
    EXPECT_EQ(image.BitsPerPixel(), 8);
    EXPECT_EQ(image.Pixels(), Bytes{(299 * 76 + 587 * 85 + 114 * 255 + 500) / 1000});
}

TEST(KorvGrey, GreyIsTheRoundedWeightedSum)
{
    Picture source, grey, sameDepth;
    source.Load(4, 1, 32, {255, 0, 0, 1, 0, 255, 0, 2, 0, 0, 255, 3, 10, 20, 30, 4});
    ASSERT_EQ(KORV_Grayscale8Bit(grey.Handle(), source.Handle()), 0) << grey.Error();
    EXPECT_EQ(grey.BitsPerPixel(), 8);
    EXPECT_EQ(grey.Pixels(), (Bytes{76, 150, 29, 18}));
    ASSERT_EQ(KORV_Grayscale(sameDepth.Handle(), source.Handle()), 0) << sameDepth.Error();
    EXPECT_EQ(sameDepth.Pixels(), (Bytes{76, 76, 76, 1, 150, 150, 150, 2, 29, 29, 29, 3, 18, 18, 18, 4}));
}

TEST(KorvGrey, OneBitSetsThePixelsWhoseGreyReachesTheValue)
{
    Picture source, bits, fromBits;
    source.Load(10, 1, 8, {0, 99, 100, 101, 255, 100, 3, 200, 99, 100});
    ASSERT_EQ(KORV_ConvertTo1Bit(bits.Handle(), source.Handle(), 100), 0) << bits.Error();
    EXPECT_EQ(bits.BitsPerPixel(), 1);
    EXPECT_EQ(bits.Pixels(), (Bytes{0x3D, 0x40}));
    // A 1-bit source reads as 0 and 255.
    ASSERT_EQ(KORV_Grayscale8Bit(fromBits.Handle(), bits.Handle()), 0) << fromBits.Error();
    EXPECT_EQ(fromBits.Pixels(), (Bytes{0, 0, 255, 255, 255, 255, 0, 255, 0, 255}));
}

TEST(KorvGrey, OneBitOverwritesEveryBitOfAKeptImage)
{
    Picture source, bits;
    source.Load(3, 1, 24, {255, 255, 255, 0, 0, 0, 90, 90, 90});
    bits.Load(3, 1, 1, {0xFF});
    ASSERT_EQ(KORV_ConvertTo1Bit(bits.Handle(), source.Handle(), 90), 0) << bits.Error();
    EXPECT_EQ(bits.Pixels()[0] & 0xE0, 0xA0);
}

TEST(KorvGrey, ScaleToGrayAveragesAWindowWithReplicatedBorders)
{
    Picture bits, grey, plain;
    // 4 x 2 bits: row 0 is 1 0 1 1, row 1 is 0 0 0 1.
    bits.Load(4, 2, 1, {0xB0, 0x10});
    ASSERT_EQ(KORV_ScaleToGray(grey.Handle(), bits.Handle(), 2), 0) << grey.Error();
    EXPECT_EQ(grey.BitsPerPixel(), 8);
    // (x, y) averages x..x+1, y..y+1; the last column and row repeat.
    EXPECT_EQ(grey.Pixels(), (Bytes{64, 64, 191, 255, 0, 0, 128, 255}));
    ASSERT_EQ(KORV_ScaleToGray(plain.Handle(), bits.Handle(), 1), 0);
    EXPECT_EQ(plain.Pixels(), (Bytes{255, 0, 255, 255, 0, 0, 0, 255}));
    EXPECT_EQ(KORV_ScaleToGray(plain.Handle(), bits.Handle(), 17), 3);
    EXPECT_EQ(plain.Error(), "ScaleToGray: the window 17 lies outside 1 to 16!");
}

TEST(KorvGamma, ATableOf256EntriesRaisesToOneOverGamma)
{
    Picture image;
    image.Load(2, 1, 32, {0, 64, 255, 64, 128, 1, 2, 64});
    ASSERT_EQ(KORV_GammaCorrection(image.Handle(), 100), 0) << image.Error();
    EXPECT_EQ(image.Pixels(), (Bytes{0, 64, 255, 64, 128, 1, 2, 64}));
    ASSERT_EQ(KORV_GammaCorrection(image.Handle(), 200), 0);
    // 255 sqrt(64 / 255) = 127.75; sqrt(128 / 255) 180.7; sqrt(1/255) 15.97; sqrt(2/255) 22.58.
    EXPECT_EQ(image.Pixels(), (Bytes{0, 128, 255, 64, 181, 16, 23, 64}));
    EXPECT_EQ(KORV_GammaCorrection(image.Handle(), 0), 3);
    EXPECT_EQ(image.Error(), "GammaCorrection: the gamma 0 lies outside 1 to 1000!");
}

TEST(KorvHdr, KeepsTheHighByteOfSixteenBitSamples)
{
    Picture grey16, colour48, grey8, colour24;
    grey16.Load(2, 1, 16, {0x34, 0x12, 0x01, 0xFF});
    colour48.Load(1, 1, 48, {0xFF, 0x00, 0x00, 0x80, 0xAA, 0x7F});
    ASSERT_EQ(KORV_HDRScaleDown(grey8.Handle(), grey16.Handle()), 0) << grey8.Error();
    EXPECT_EQ(grey8.BitsPerPixel(), 8);
    EXPECT_EQ(grey8.Pixels(), (Bytes{0x12, 0xFF}));
    ASSERT_EQ(KORV_HDRScaleDown(colour24.Handle(), colour48.Handle()), 0) << colour24.Error();
    EXPECT_EQ(colour24.BitsPerPixel(), 24);
    EXPECT_EQ(colour24.Pixels(), (Bytes{0x00, 0x80, 0x7F}));
    EXPECT_EQ(KORV_HDRScaleDown(colour48.Handle(), grey8.Handle()), 5);
    EXPECT_EQ(colour48.Error(), "HDRScaleDown: the source has 8 bits per pixel; allowed are 16, 48!");
}

}  // namespace
