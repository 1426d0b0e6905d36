// The filter group through its C entry points: every kind against values
// worked out by hand on one small picture, user kernels, antialiasing, the
// size queries and the refusals.
#include <functional>

#include <gtest/gtest.h>

#include "tests/outside/korvex55/KorvPicture.h"

using namespace KorvPictureTest;

namespace {

// Four columns, three rows; the borders repeat outwards.
const Bytes kPicture = {10, 20, 30, 40, 50, 200, 60, 70, 80, 90, 100, 250};

struct KindCase {
    int32_t kind;
    Bytes expected;
};

// Worked out with the border repeated: e.g. the box value of the top-left
// pixel is (10 + 10 + 20 + 10 + 10 + 20 + 50 + 50 + 200) / 9 = 42.2, so 42;
// the edge detectors give the magnitude, so Laplace at the top-right pixel is
// |8 x 40 - 380| = 60.
const KindCase kKinds[] = {
    {0, {42, 48, 57, 47, 66, 71, 96, 101, 89, 94, 134, 156}},
    {1, {31, 47, 47, 45, 68, 91, 90, 96, 84, 99, 126, 176}},
    {2, {37, 48, 54, 56, 64, 79, 90, 103, 80, 97, 125, 160}},
    {3, {0, 0, 0, 20, 0, 255, 0, 0, 100, 0, 0, 255}},
    {4, {255, 250, 240, 60, 140, 255, 255, 255, 80, 40, 255, 255}},
    {5, {255, 255, 255, 120, 255, 255, 255, 255, 20, 150, 150, 255}},
    {6, {180, 70, 70, 40, 255, 60, 80, 180, 180, 70, 255, 255}},
    {7, {20, 30, 40, 40, 50, 60, 70, 70, 80, 90, 100, 100}},
    {8, {10, 10, 20, 30, 10, 10, 20, 30, 50, 50, 60, 60}},
    {9, {200, 200, 200, 70, 200, 200, 250, 250, 200, 200, 250, 250}},
    {25, {43, 54, 66, 77, 57, 74, 91, 108, 71, 94, 116, 138}},
};

TEST(KorvFilter, EveryKindOnOneByteAndColourPictures)
{
    for (const KindCase& c : kKinds) {
        SCOPED_TRACE(c.kind);
        for (int32_t depth : {8, 9, 24}) {
            const int32_t samples = depth == 24 ? 3 : 1;
            Picture source(4, 3, depth, Repeat(kPicture, samples));
            Picture result;
            ASSERT_EQ(0, KORV_Filter(result.Handle(), c.kind, source.Handle())) << result.Error();
            EXPECT_EQ(depth, result.BitsPerPixel());
            EXPECT_EQ(Repeat(c.expected, samples), result.Pixels());
        }
    }
}

TEST(KorvFilter, TheObjectItselfAsSourceFiltersTheOriginalPixels)
{
    Picture picture(4, 3, 8, kPicture);
    ASSERT_EQ(0, KORV_Filter(picture.Handle(), 0, picture.Handle())) << picture.Error();
    EXPECT_EQ(kKinds[0].expected, picture.Pixels());
}

TEST(KorvFilter, UserKernelsWeighWithTheirAnchorAndDivisor)
{
    struct Case {
        std::vector<int32_t> kernel;
        int32_t width, height, anchorX, anchorY, divisor;
        Bytes expected;
    };
    const Case cases[] = {
        // The box kernel of kind 0, given by hand.
        {std::vector<int32_t>(9, 1), 3, 3, 1, 1, 9, kKinds[0].expected},
        // One weight right of the anchor: the picture moved one column left.
        {{0, 1}, 2, 1, 0, 0, 1, {20, 30, 40, 40, 200, 60, 70, 70, 90, 100, 250, 250}},
        // The difference to the row below, halved; the negative divisor flips its sign.
        {{-1, 1}, 1, 2, 0, 0, -2, {0, 0, 0, 0, 0, 55, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        Picture source(4, 3, 8, kPicture);
        Picture result;
        ASSERT_EQ(0, KORV_FilterUserDefined(result.Handle(), source.Handle(), c.kernel.data(), c.width, c.height,
                                            c.anchorX, c.anchorY, c.divisor))
            << result.Error();
        EXPECT_EQ(c.expected, result.Pixels());
    }
}

TEST(KorvFilter, AntialiasSoftensEdgesAndKeepsFlatAreas)
{
    // A flat left half and one hard edge: only the pixels beside the edge change.
    const Bytes source = {0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 255, 255};
    Picture picture(6, 2, 8, source);
    Picture result;
    ASSERT_EQ(0, KORV_Antialias(result.Handle(), picture.Handle())) << result.Error();
    // Gauss 3 x 3 across the edge: (0 x 1 + 0 x 2 + 255 x 1) / 4 = 64 and 191.
    EXPECT_EQ(Bytes({0, 0, 64, 191, 255, 255, 0, 0, 64, 191, 255, 255}), result.Pixels());
}

TEST(KorvFilter, SizeQueriesGiveTheBorderAndTheSourceRegion)
{
    Picture any;
    int32_t first = -1, second = -1;
    ASSERT_EQ(0, KORV_GetRoiForFilter(any.Handle(), 0, 10, 20, &first, &second));
    EXPECT_EQ(12, first);
    EXPECT_EQ(22, second);
    for (int32_t fiveByFive : {2, 25}) {
        ASSERT_EQ(0, KORV_GetRoiForFilter(any.Handle(), fiveByFive, 10, 20, &first, &second));
        EXPECT_EQ(14, first);
        EXPECT_EQ(24, second);
    }
    // A 5 x 3 kernel applied twice reads 2 x 4 more columns and 2 x 2 more rows.
    ASSERT_EQ(0, KORV_GetRoiForFilterEx(any.Handle(), 5, 3, 2, 10, 20, &first, &second));
    EXPECT_EQ(18, first);
    EXPECT_EQ(24, second);
    ASSERT_EQ(0, KORV_GetFilterBorder(any.Handle(), 5, 4, &first, &second));
    EXPECT_EQ(2, first);
    EXPECT_EQ(2, second);
    // Anchored at column 0 of 5 and row 2 of 3: the kernel reaches 4 and 2.
    ASSERT_EQ(0, KORV_GetFilterBorderEx(any.Handle(), 5, 3, 0, 2, &first, &second));
    EXPECT_EQ(4, first);
    EXPECT_EQ(2, second);
}

TEST(KorvFilter, RefusesWhatItCannotFilterWithATextNamingIt)
{
    Picture grey(4, 3, 8, kPicture);
    Picture colour(1, 1, 32, {1, 2, 3, 4});
    Picture result;
    const KORV_Handle r = result.Handle();
    const int32_t kernel[4] = {1, 1, 1, 1};
    int32_t first = 0, second = 0;
    struct Case {
        std::function<KORV_Status()> call;
        KORV_Status status;
        const char* text;
    };
    const Case cases[] = {
        {[&] { return KORV_Filter(r, 10, grey.Handle()); }, 3, "Filter: the filter kind 10 is none of 0 to 9 and 25!"},
        {[&] { return KORV_Filter(r, 0, colour.Handle()); }, 5,
         "Filter: the source has 32 bits per pixel; allowed are 8, 9, 24!"},
        {[&] { return KORV_Filter(r, 0, 12345); }, 1, "Filter: operand: the handle 0x3039 names no processing object!"},
        {[&] { return KORV_FilterUserDefined(r, grey.Handle(), kernel, 2, 2, 0, 0, 0); }, 3,
         "FilterUserDefined: the divisor is 0!"},
        {[&] { return KORV_FilterUserDefined(r, grey.Handle(), nullptr, 2, 2, 0, 0, 1); }, 2,
         "FilterUserDefined: the kernel pointer is null!"},
        {[&] { return KORV_FilterUserDefined(r, grey.Handle(), kernel, 2, 2, 2, 0, 1); }, 3,
         "FilterUserDefined: the anchor column 2 lies outside 0 to 1!"},
        {[&] { return KORV_FilterUserDefined(r, grey.Handle(), kernel, 256, 1, 0, 0, 1); }, 3,
         "FilterUserDefined: the kernel width 256 lies outside 1 to 255!"},
        {[&] { return KORV_GetRoiForFilter(r, 0, INT32_MAX, 1, &first, &second); }, 7,
         "GetRoiForFilter: the region of 2147483649 x 3 pixels is too large!"},
        {[&] { return KORV_GetFilterBorder(r, 3, 3, nullptr, &second); }, 2,
         "GetFilterBorder: the first pointer is null!"},
        {[&] { return KORV_GetFilterBorderEx(r, 3, 3, 1, 3, &first, &second); }, 3,
         "GetFilterBorderEx: the anchor row 3 lies outside 0 to 2!"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.status, c.call()) << c.text;
        EXPECT_EQ(c.text, result.Error());
    }
    EXPECT_EQ(0, result.Width()) << "no refusal made an image";
}

}  // namespace
