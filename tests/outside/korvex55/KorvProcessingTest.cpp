// The image-processing group through its C entry points: morphology of a
// cross, channels there and back, alpha work, tables, copies, flood fill and
// the refusals.
#include <algorithm>
#include <functional>
#include <iterator>

#include <gtest/gtest.h>

#include "tests/outside/korvex55/KorvPicture.h"

using namespace KorvPictureTest;

namespace {

const std::vector<std::string> kCross = {"..###..", "..###..", "#######", "#######", "#######", "..###..", "..###.."};

TEST(KorvProcessing, ErosionAndDilationOfACross)
{
    const int32_t line[3] = {1, 1, 1};
    const int32_t plus[9] = {0, 1, 0, 1, 1, 1, 0, 1, 0};
    struct Case {
        const char* name;
        std::function<KORV_Status(KORV_Handle)> call;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"erode", KORV_Erode, {"...#...", "...#...", "...#...", "#######", "...#...", "...#...", "...#..."}},
        {"dilate", KORV_Dilate, {".#####.", "#######", "#######", "#######", "#######", "#######", ".#####."}},
        {"erode by a plus",
         [&](KORV_Handle h) { return KORV_ErodeEx(h, plus, 3, 3); },
         {"...#...", "...#...", "..###..", "#######", "..###..", "...#...", "...#..."}},
        {"dilate by a row of three",
         [&](KORV_Handle h) { return KORV_DilateEx(h, line, 3, 1); },
         {".#####.", ".#####.", "#######", "#######", "#######", ".#####.", ".#####."}},
    };
    for (const Case& c : cases)
        for (int32_t depth : {1, 8, 24}) {
            SCOPED_TRACE(testing::Message() << c.name << " at " << depth << " bits");
            Picture picture(7, 7, depth, Drawn(kCross, depth));
            ASSERT_EQ(0, c.call(picture.Handle())) << picture.Error();
            EXPECT_EQ(Drawn(c.expected, depth), picture.Pixels());
        }
}

TEST(KorvProcessing, SplitAndJoinChannelsRoundTrip)
{
    for (int32_t depth : {24, 32}) {
        const int32_t count = depth / 8;
        Bytes pixels(static_cast<size_t>(3 * 2 * count));
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<uint8_t>(i * 13 + 1);
        Picture picture(3, 2, depth, pixels);
        Picture channels[4];
        const KORV_Handle c[4] = {channels[0].Handle(), channels[1].Handle(), channels[2].Handle(),
                                  channels[3].Handle()};
        Picture joined;
        if (count == 3) {
            ASSERT_EQ(0, KORV_SplitChannels(picture.Handle(), c[0], c[1], c[2])) << picture.Error();
            ASSERT_EQ(0, KORV_FromChannels(joined.Handle(), c[0], c[1], c[2])) << joined.Error();
        } else {
            ASSERT_EQ(0, KORV_SplitChannelsRGBA(picture.Handle(), c[0], c[1], c[2], c[3])) << picture.Error();
            ASSERT_EQ(0, KORV_FromChannelsRGBA(joined.Handle(), c[0], c[1], c[2], c[3])) << joined.Error();
        }
        EXPECT_EQ(8, channels[0].BitsPerPixel());
        EXPECT_EQ(3, channels[count - 1].Width());
        const Bytes green = channels[1].Pixels();
        for (size_t i = 0; i < green.size(); ++i)
            EXPECT_EQ(pixels[i * count + 1], green[i]);
        EXPECT_EQ(depth, joined.BitsPerPixel());
        EXPECT_EQ(pixels, joined.Pixels());
    }
}

TEST(KorvProcessing, PremultiplyWeighsColoursByAlpha)
{
    Picture own(3, 1, 32, {200, 100, 50, 128, 10, 20, 30, 255, 10, 20, 30, 0});
    ASSERT_EQ(0, KORV_AlphaPremultiply(own.Handle())) << own.Error();
    EXPECT_EQ(Bytes({100, 50, 25, 128, 10, 20, 30, 255, 0, 0, 0, 0}), own.Pixels());

    Picture colour(1, 1, 24, {200, 100, 50});
    ASSERT_EQ(0, KORV_AlphaPremultiplyWithConstant(colour.Handle(), 128)) << colour.Error();
    EXPECT_EQ(Bytes({100, 50, 25}), colour.Pixels());

    Picture withAlpha(1, 1, 32, {200, 100, 50, 7});
    ASSERT_EQ(0, KORV_AlphaPremultiplyWithConstant(withAlpha.Handle(), 128));
    EXPECT_EQ(Bytes({100, 50, 25, 128}), withAlpha.Pixels());

    Picture mask(1, 1, 8, {99});
    ASSERT_EQ(0, KORV_ApplyAlphaChannel(withAlpha.Handle(), mask.Handle())) << withAlpha.Error();
    EXPECT_EQ(Bytes({100, 50, 25, 99}), withAlpha.Pixels());
    ASSERT_EQ(0, KORV_ApplyAlphaChannelConstant(withAlpha.Handle(), 3));
    EXPECT_EQ(Bytes({100, 50, 25, 3}), withAlpha.Pixels());
}

TEST(KorvProcessing, OverlayPutsTheFirstOverTheSecondByItsAlpha)
{
    struct Case {
        const char* name;
        int32_t firstDepth;
        Bytes first;
        int32_t secondDepth;
        Bytes second;
        int32_t resultDepth;  // 0: no image before the call
        Bytes expected;
    };
    const Case cases[] = {
        // Half-transparent red over opaque blue: 255 x 128 / 255 and 255 x 127 / 255.
        {"half over opaque", 32, {255, 0, 0, 128}, 24, {0, 0, 255}, 0, {128, 0, 127, 255}},
        {"into a 24-bit image", 32, {255, 0, 0, 128}, 24, {0, 0, 255}, 24, {128, 0, 127}},
        // A 24-bit first operand counts as opaque and covers the second.
        {"opaque first", 24, {1, 2, 3}, 32, {9, 9, 9, 255}, 0, {1, 2, 3}},
        // Over a fully transparent second the first keeps its colour and alpha.
        {"over nothing", 32, {255, 0, 0, 128}, 32, {0, 0, 255, 0}, 0, {255, 0, 0, 128}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Picture first(1, 1, c.firstDepth, c.first);
        Picture second(1, 1, c.secondDepth, c.second);
        Picture result;
        if (c.resultDepth)
            result.Load(1, 1, c.resultDepth, Bytes(c.resultDepth / 8));
        ASSERT_EQ(0, KORV_AlphaOverlay(result.Handle(), first.Handle(), second.Handle(), 0)) << result.Error();
        EXPECT_EQ(c.expected, result.Pixels());
    }
}

TEST(KorvProcessing, OverlayWithConstantsUsesThemAsTheAlphas)
{
    Picture first(1, 1, 24, {200, 0, 0});
    Picture second(1, 1, 24, {0, 0, 100});
    Picture result;
    // 51 is a fifth: 200 x 0.2 and 100 x 0.8.
    ASSERT_EQ(0, KORV_AlphaOverlayWithConstant(result.Handle(), first.Handle(), 51, second.Handle(), 255, 0))
        << result.Error();
    EXPECT_EQ(Bytes({40, 0, 80}), result.Pixels());
    // "xor" of two opaque layers leaves nothing.
    ASSERT_EQ(0, KORV_AlphaOverlayWithConstant(result.Handle(), first.Handle(), 255, second.Handle(), 255, 4));
    EXPECT_EQ(Bytes({0, 0, 0}), result.Pixels());
}

TEST(KorvProcessing, TablesArePiecewiseLinearOrSteps)
{
    const int32_t levels[3] = {0, 100, 255};
    const int32_t values[3] = {0, 200, 255};
    Picture grey(5, 1, 8, {0, 50, 100, 200, 255});
    Picture result;
    ASSERT_EQ(0, KORV_LookUpTable8Bit(result.Handle(), grey.Handle(), levels, values, 3, 0)) << result.Error();
    // 200 lies 100 / 155 of the way from (100, 200) to (255, 255): 235.5 rounds to 235.
    EXPECT_EQ(Bytes({0, 100, 200, 235, 255}), result.Pixels());
    ASSERT_EQ(0, KORV_LookUpTable8Bit(result.Handle(), grey.Handle(), levels, values, 3, 1));
    EXPECT_EQ(Bytes({0, 0, 200, 200, 255}), result.Pixels());

    Picture rgba(1, 1, 32, {0, 50, 100, 200});
    ASSERT_EQ(0, KORV_LookUpTable8Bit(result.Handle(), rgba.Handle(), levels, values, 3, 0)) << result.Error();
    EXPECT_EQ(Bytes({0, 100, 200, 200}), result.Pixels()) << "alpha kept";

    const int32_t ends[2] = {0, 255};
    const int32_t rising[2] = {0, 255};
    const int32_t falling[2] = {255, 0};
    const int32_t one[1] = {77};
    Picture colour(1, 1, 24, {10, 20, 30});
    ASSERT_EQ(0, KORV_LookUpTable(result.Handle(), colour.Handle(), ends, rising, 2, ends, falling, 2, ends, one, 1, 0))
        << result.Error();
    EXPECT_EQ(Bytes({10, 235, 77}), result.Pixels());
}

TEST(KorvProcessing, SwapChannelsByAnIndexOrder)
{
    const int32_t reversed[3] = {2, 1, 0};
    const int32_t alphaFirst[4] = {3, 0, 1, 2};
    Picture rgb(2, 1, 24, {1, 2, 3, 4, 5, 6});
    Picture rgba(1, 1, 32, {1, 2, 3, 4});
    Picture result;
    ASSERT_EQ(0, KORV_SwapChannels(result.Handle(), rgb.Handle(), reversed, 3)) << result.Error();
    EXPECT_EQ(Bytes({3, 2, 1, 6, 5, 4}), result.Pixels());
    ASSERT_EQ(0, KORV_SwapChannels(result.Handle(), rgba.Handle(), alphaFirst, 4)) << result.Error();
    EXPECT_EQ(Bytes({4, 1, 2, 3}), result.Pixels());
}

TEST(KorvProcessing, CopiesCropsAndBorders)
{
    const Bytes four = {10, 20, 30, 40, 50, 200, 60, 70, 80, 90, 100, 250};
    Picture source(4, 3, 8, four);
    Picture small(2, 2, 8, {1, 2, 3, 4});

    Picture crop;
    ASSERT_EQ(0, KORV_Crop(crop.Handle(), source.Handle(), 1, 1, 2, 2)) << crop.Error();
    EXPECT_EQ(Bytes({200, 60, 90, 100}), crop.Pixels());

    Picture target(3, 3, 8, Bytes(9));
    ASSERT_EQ(0, KORV_CropTo(target.Handle(), source.Handle(), 0, 0, 2, 1, 1, 2)) << target.Error();
    EXPECT_EQ(Bytes({0, 0, 0, 0, 0, 0, 0, 10, 20}), target.Pixels());

    Picture copy;
    ASSERT_EQ(0, KORV_Copy(copy.Handle(), source.Handle())) << copy.Error();
    EXPECT_EQ(four, copy.Pixels());

    Picture masked(2, 2, 8, Bytes(4, 9));
    Picture mask(2, 2, 8, {0, 255, 0, 1});
    ASSERT_EQ(0, KORV_CopyWithMask(masked.Handle(), small.Handle(), mask.Handle())) << masked.Error();
    EXPECT_EQ(Bytes({9, 2, 9, 4}), masked.Pixels());

    Picture framed;
    ASSERT_EQ(0, KORV_CopyWithConstBorder(framed.Handle(), small.Handle(), 1, 1, 9)) << framed.Error();
    EXPECT_EQ(Bytes({9, 9, 9, 9, 9, 1, 2, 9, 9, 3, 4, 9, 9, 9, 9, 9}), framed.Pixels());
    Picture replicated;
    ASSERT_EQ(0, KORV_CopyWithReplicateBorder(replicated.Handle(), small.Handle(), 1, 1)) << replicated.Error();
    EXPECT_EQ(Bytes({1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}), replicated.Pixels());
    // Into an image of the source's size the source moves by the offsets.
    Picture shifted(2, 2, 8, Bytes(4));
    ASSERT_EQ(0, KORV_CopyWithConstBorder(shifted.Handle(), small.Handle(), 1, 0, 7)) << shifted.Error();
    EXPECT_EQ(Bytes({7, 1, 7, 3}), shifted.Pixels());
}

TEST(KorvProcessing, FillTakesTheColourValueOfEachDepth)
{
    struct Case {
        int32_t width, depth, value;
        Bytes expected;
    };
    const Case cases[] = {
        {1, 8, 77, {77}},
        {1, 9, 0xFFFFFF, {255}},
        {1, 24, 0x332211, {0x11, 0x22, 0x33}},
        {1, 32, 0x112233, {0x33, 0x22, 0x11, 255}},
        {1, 32, static_cast<int32_t>(0xFF112233u), {0x33, 0x22, 0x11, 0}},
        {8, 1, 1, {0xFF}},
    };
    for (const Case& c : cases) {
        Picture picture(c.width, 1, c.depth, Bytes(c.expected.size()));
        ASSERT_EQ(0, KORV_Fill(picture.Handle(), c.value)) << picture.Error();
        EXPECT_EQ(c.expected, picture.Pixels());
    }
}

TEST(KorvProcessing, FloodFillFollowsNeighboursWithinTheRange)
{
    const Bytes start = {0, 0, 9, 0, 0, 9, 0, 0, 9, 0, 0, 5};
    struct Case {
        int32_t x, y, lower, upper, connectivity;
        Bytes expected;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 4, {200, 200, 9, 0, 200, 9, 0, 0, 9, 0, 0, 5}},
        {0, 0, 0, 0, 8, {200, 200, 9, 200, 200, 9, 200, 200, 9, 200, 200, 5}},
        {3, 0, 0, 5, 4, {0, 0, 9, 200, 0, 9, 200, 200, 9, 200, 200, 200}},
    };
    for (const Case& c : cases) {
        Picture picture(4, 3, 8, start);
        ASSERT_EQ(0, KORV_FloodFill(picture.Handle(), c.x, c.y, 200, c.lower, c.upper, c.connectivity))
            << picture.Error();
        EXPECT_EQ(c.expected, picture.Pixels());
    }
}

TEST(KorvProcessing, RefusesWithATextNamingTheValue)
{
    Picture grey(4, 3, 8, Bytes(12));
    Picture colour(2, 2, 24, Bytes(12));
    Picture dot(1, 1, 24, Bytes(3));
    Picture other;
    Picture result;
    const KORV_Handle r = result.Handle();
    const int32_t level[2] = {100, 100};
    const int32_t order[4] = {0, 1, 3, 2};
    const int32_t none[4] = {0, 0, 0, 0};
    struct Case {
        std::function<KORV_Status()> call;
        KORV_Status status;
        const char* text;
        const Picture& reporter;
    };
    const Case cases[] = {
        {[&] { return KORV_Fill(r, 0); }, 6, "Fill: the object holds no image!", result},
        {[&] { return KORV_Crop(r, grey.Handle(), 0, 0, 5, 1); }, 3,
         "Crop: the rectangle of 5 x 1 pixels at (0, 0) does not lie inside the source of 4 x 3 pixels at 8 bits "
         "per pixel!",
         result},
        {[&] { return KORV_FloodFill(grey.Handle(), 0, 0, 1, 0, 0, 6); }, 3,
         "FloodFill: the connectivity 6 is neither 4 nor 8!", grey},
        {[&] { return KORV_FloodFill(grey.Handle(), 4, 0, 1, 0, 0, 4); }, 3,
         "FloodFill: the seed column 4 lies outside 0 to 3!", grey},
        {[&] { return KORV_LookUpTable8Bit(r, grey.Handle(), level, level, 2, 0); }, 3,
         "LookUpTable8Bit: the level 100 does not rise above the level 100 before it!", result},
        {[&] { return KORV_LookUpTable8Bit(r, grey.Handle(), level, level, 0, 0); }, 3,
         "LookUpTable8Bit: the number of pairs 0 lies outside 1 to 256!", result},
        {[&] { return KORV_SwapChannels(r, colour.Handle(), order, 3); }, 3,
         "SwapChannels: the channel index 3 lies outside 0 to 2!", result},
        {[&] { return KORV_SwapChannels(r, colour.Handle(), order, 4); }, 3,
         "SwapChannels: the number of channels in the order 4 lies outside 3 to 3!", result},
        {[&] { return KORV_ErodeEx(grey.Handle(), none, 2, 2); }, 3, "ErodeEx: the mask has no element set!", grey},
        {[&] { return KORV_AlphaPremultiply(colour.Handle()); }, 5,
         "AlphaPremultiply: the image has 24 bits per pixel; allowed are 32!", colour},
        {[&] { return KORV_AlphaOverlay(r, colour.Handle(), dot.Handle(), 0); }, 4,
         "AlphaOverlay: the first operand is 2 x 2 pixels at 24 bits per pixel, the second operand 1 x 1 pixels at "
         "24 bits per pixel; their sizes must agree!",
         result},
        {[&] { return KORV_AlphaOverlay(r, colour.Handle(), colour.Handle(), 6); }, 3,
         "AlphaOverlay: the overlay operator 6 lies outside 0 to 5!", result},
        {[&] { return KORV_SplitChannels(colour.Handle(), other.Handle(), colour.Handle(), other.Handle()); }, 3,
         "SplitChannels: the second channel is the image itself!", colour},
        {[&] { return KORV_SplitChannels(grey.Handle(), other.Handle(), other.Handle(), other.Handle()); }, 5,
         "SplitChannels: the image has 8 bits per pixel; allowed are 24, 32!", grey},
        {[&] { return KORV_FromChannels(r, grey.Handle(), grey.Handle(), colour.Handle()); }, 5,
         "FromChannels: the third channel has 24 bits per pixel; allowed are 8, 9!", result},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.status, c.call()) << c.text;
        EXPECT_EQ(c.text, c.reporter.Error());
    }
    EXPECT_EQ(0, other.Width()) << "no refused split made a channel";
}

}  // namespace

namespace {

// The same operations on an unpadded picture and on the same picture attached
// with padded rows give the same pixels and never touch the padding.
TEST(KorvProcessing, PaddedRowsGiveTheSamePixelsAndKeepTheirPadding)
{
    const int32_t width = 3, height = 3, rowBytes = 9, stride = 16;
    const Bytes pixels = {10, 20, 30, 40, 50, 60, 70, 80, 90, 15, 25, 35, 45, 55,
                          65, 75, 85, 95, 5,  6,  7,  8,  9,  1,  2,  3,  4};
    const int32_t plus[9] = {0, 1, 0, 1, 1, 1, 0, 1, 0};
    const int32_t order[3] = {1, 2, 0};
    const std::function<KORV_Status(KORV_Handle, KORV_Handle)> operations[] = {
        [](KORV_Handle self, KORV_Handle) { return KORV_MirrorHorizontal(self); },
        [](KORV_Handle self, KORV_Handle) { return KORV_MirrorVertical(self); },
        [&](KORV_Handle self, KORV_Handle) { return KORV_ErodeEx(self, plus, 3, 3); },
        [](KORV_Handle self, KORV_Handle) { return KORV_FloodFill(self, 1, 1, 0x0000FF, 255, 255, 4); },
        [](KORV_Handle self, KORV_Handle source) { return KORV_Filter(self, 2, source); },
        [](KORV_Handle self, KORV_Handle source) { return KORV_Rotate(self, source, 33.0, 1); },
        [](KORV_Handle self, KORV_Handle source) { return KORV_CopyWithReplicateBorder(self, source, 1, -1); },
        [&](KORV_Handle self, KORV_Handle source) { return KORV_SwapChannels(self, source, order, 3); },
    };
    for (size_t i = 0; i < std::size(operations); ++i) {
        SCOPED_TRACE(i);
        Picture source(width, height, 24, pixels);
        Picture plain(width, height, 24, pixels);
        ASSERT_EQ(0, operations[i](plain.Handle(), source.Handle())) << plain.Error();

        Bytes padded(static_cast<size_t>(stride) * height, 0xEE);
        for (int32_t y = 0; y < height; ++y)
            std::copy(pixels.begin() + y * rowBytes, pixels.begin() + (y + 1) * rowBytes, padded.begin() + y * stride);
        Picture attached;
        ASSERT_EQ(0, KORV_AttachNoFreeEx(attached.Handle(), padded.data(), static_cast<int32_t>(padded.size()), width,
                                         height, 24, stride));
        ASSERT_EQ(0, operations[i](attached.Handle(), source.Handle())) << attached.Error();

        const Bytes expected = plain.Pixels();
        for (int32_t y = 0; y < height; ++y) {
            EXPECT_EQ(Bytes(expected.begin() + y * rowBytes, expected.begin() + (y + 1) * rowBytes),
                      Bytes(padded.begin() + y * stride, padded.begin() + y * stride + rowBytes));
            EXPECT_EQ(Bytes(stride - rowBytes, 0xEE),
                      Bytes(padded.begin() + y * stride + rowBytes, padded.begin() + (y + 1) * stride));
        }
    }
}

}  // namespace
