// The geometry group through its C entry points: quarter turns against a
// transpose and a mirror, exact nearest resizing, the boxes, perspective
// coefficients and the refusals.
#include <cmath>
#include <functional>

#include <gtest/gtest.h>

#include "tests/outside/korvex55/KorvPicture.h"

using namespace KorvPictureTest;

namespace {

// Rows become columns: pixel (x, y) moves to (y, x).
Bytes Transposed(const Bytes& pixels, int32_t width, int32_t height, int32_t pixelBytes)
{
    Bytes out(pixels.size());
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            for (int32_t c = 0; c < pixelBytes; ++c)
                out[(static_cast<size_t>(x) * height + y) * pixelBytes + c] =
                    pixels[(static_cast<size_t>(y) * width + x) * pixelBytes + c];
    return out;
}

Bytes RowsReversed(const Bytes& pixels, int32_t height)
{
    const size_t rowBytes = pixels.size() / height;
    Bytes out;
    for (int32_t y = height - 1; y >= 0; --y)
        out.insert(out.end(), pixels.begin() + y * rowBytes, pixels.begin() + (y + 1) * rowBytes);
    return out;
}

Bytes Counting(size_t count)
{
    Bytes bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(1 + i);
    return bytes;
}

TEST(KorvGeometry, QuarterTurnIsATransposeAndAMirror)
{
    // Anticlockwise by 90 degrees: the top row becomes the left column read
    // upwards, so the transposed picture upside down; both modes are exact.
    for (int32_t depth : {8, 24, 32})
        for (int32_t mode : {0, 1}) {
            SCOPED_TRACE(testing::Message() << depth << " bits, mode " << mode);
            const int32_t pixelBytes = depth / 8;
            const Bytes pixels = Counting(3 * 2 * pixelBytes);
            Picture source(3, 2, depth, pixels);
            Picture turned;
            ASSERT_EQ(0, KORV_Rotate(turned.Handle(), source.Handle(), 90.0, mode)) << turned.Error();
            EXPECT_EQ(2, turned.Width());
            EXPECT_EQ(3, turned.Height());
            EXPECT_EQ(RowsReversed(Transposed(pixels, 3, 2, pixelBytes), 3), turned.Pixels());

            Picture clockwise;
            ASSERT_EQ(0, KORV_Rotate(clockwise.Handle(), source.Handle(), -90.0, mode));
            ASSERT_EQ(0, KORV_MirrorHorizontal(clockwise.Handle()));
            EXPECT_EQ(Transposed(pixels, 3, 2, pixelBytes), clockwise.Pixels());

            Picture halfTurn;
            ASSERT_EQ(0, KORV_Rotate(halfTurn.Handle(), source.Handle(), 180.0, mode));
            ASSERT_EQ(0, KORV_MirrorHorizontal(halfTurn.Handle()));
            ASSERT_EQ(0, KORV_MirrorVertical(halfTurn.Handle()));
            EXPECT_EQ(pixels, halfTurn.Pixels());
        }
}

TEST(KorvGeometry, MirrorVerticalSwapsWholeRowsOfEveryDepth)
{
    // 9 bits are stored in one byte like 8; a row of them is width bytes.
    struct Case {
        int32_t width, bitsPerPixel, rowBytes;
    } const cases[] = {{9, 1, 2}, {16, 8, 16}, {16, 9, 16}, {3, 24, 9}, {3, 32, 12}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bitsPerPixel);
        const Bytes pixels = Counting(static_cast<size_t>(c.rowBytes) * 3);
        Picture picture(c.width, 3, c.bitsPerPixel, pixels);
        ASSERT_EQ(0, KORV_MirrorVertical(picture.Handle())) << picture.Error();
        EXPECT_EQ(RowsReversed(pixels, 3), picture.Pixels());
    }
}

TEST(KorvGeometry, QuarterTurnOfOneBitPixels)
{
    Picture source(3, 2, 1, Drawn({"#..", "##."}, 1));
    Picture turned;
    ASSERT_EQ(0, KORV_Rotate(turned.Handle(), source.Handle(), 90.0, 0)) << turned.Error();
    EXPECT_EQ(Drawn({"..", ".#", "##"}, 1), turned.Pixels());
}

TEST(KorvGeometry, RotationKeepsWhatLiesOutsideTheTurnedPicture)
{
    Picture source(2, 2, 8, Bytes(4, 255));
    Picture target(4, 4, 8, Bytes(16, 7));
    ASSERT_EQ(0, KORV_Rotate(target.Handle(), source.Handle(), 45.0, 0)) << target.Error();
    const Bytes pixels = target.Pixels();
    EXPECT_EQ(7, pixels[0]);
    EXPECT_EQ(7, pixels[15]);
    EXPECT_EQ(255, pixels[5]);
    EXPECT_EQ(255, pixels[10]);
}

struct ResizeCase {
    int32_t width, height, depth;
    Bytes pixels;
    int32_t toWidth, toHeight;
    Bytes expected;
};

void ExpectResizes(int32_t mode, const std::vector<ResizeCase>& cases)
{
    for (const ResizeCase& c : cases) {
        Picture source(c.width, c.height, c.depth, c.pixels);
        Picture resized;
        ASSERT_EQ(0, KORV_Resize(resized.Handle(), source.Handle(), c.toWidth, c.toHeight, mode)) << resized.Error();
        EXPECT_EQ(c.expected, resized.Pixels())
            << c.width << "x" << c.height << " to " << c.toWidth << "x" << c.toHeight;
    }
}

TEST(KorvGeometry, NearestResizeRepeatsAndPicksWholePixels)
{
    ExpectResizes(0, {
                         {2, 2, 8, {1, 2, 3, 4}, 4, 4, {1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}},
                         {4, 4, 8, Counting(16), 2, 2, {6, 8, 14, 16}},
                         {4, 1, 8, {1, 2, 3, 4}, 3, 1, {1, 3, 4}},
                         {3, 1, 8, {1, 2, 3}, 6, 2, {1, 1, 2, 2, 3, 3, 1, 1, 2, 2, 3, 3}},
                         {2, 1, 24, {1, 2, 3, 4, 5, 6}, 4, 1, {1, 2, 3, 1, 2, 3, 4, 5, 6, 4, 5, 6}},
                         {2, 1, 1, Drawn({"#."}, 1), 4, 1, Drawn({"##.."}, 1)},
                     });
}

TEST(KorvGeometry, BilinearResizeWeighsTheNearestCentres)
{
    Picture source(2, 1, 8, {0, 100});
    Picture resized;
    ASSERT_EQ(0, KORV_Resize(resized.Handle(), source.Handle(), 4, 1, 1)) << resized.Error();
    EXPECT_EQ(Bytes({0, 25, 75, 100}), resized.Pixels());
}

TEST(KorvGeometry, AreaResizeAveragesWhatEachPixelCovers)
{
    ExpectResizes(4, {
                         // Whole blocks: the plain mean, halves rounded up ((1+2+5+6)/4 = 3.5).
                         {4, 4, 8, Counting(16), 2, 2, {4, 6, 12, 14}},
                         // Three into two: the middle pixel is shared half and half.
                         {3, 1, 8, {0, 90, 255}, 2, 1, {30, 200}},
                         // Growing repeats and blends where a source edge falls inside.
                         {2, 1, 8, {0, 100}, 3, 1, {0, 50, 100}},
                         {2, 2, 24, {0, 0, 0, 255, 255, 255, 255, 255, 255, 0, 0, 0}, 1, 1, {128, 128, 128}},
                         {4, 1, 1, Drawn({"##.."}, 1), 2, 1, Drawn({"#."}, 1)},
                         {4, 1, 1, Drawn({"#..."}, 1), 1, 1, Drawn({"."}, 1)},
                     });
    // The area mode is the resize's alone.
    Picture source(2, 2, 8, Counting(4));
    Picture rotated;
    EXPECT_EQ(3, KORV_Rotate(rotated.Handle(), source.Handle(), 10.0, 4));
}

struct BoxCase {
    const char* name;
    std::function<KORV_Status(KORV_Handle, KORV_Handle, double*, double*, double*, double*)> query;
    int32_t width, height;
    double left, top, right, bottom;
};

TEST(KorvGeometry, BoxesBoundTheTransformedCorners)
{
    const double twice[9] = {2, 0, 0, 0, 2, 0, 0, 0, 1};
    const BoxCase cases[] = {
        // 100 x 50 at 30 degrees: 100 cos 30 + 50 sin 30 = 111.60254 wide,
        // 100 sin 30 + 50 cos 30 = 93.30127 high, about the centre (50, 25).
        {"rotate 30", [](auto h, auto s, auto... b) { return KORV_RotateBox(h, s, 30.0, b...); }, 100, 50, -5.8012702,
         -21.6506351, 105.8012702, 71.6506351},
        {"rotate 0", [](auto h, auto s, auto... b) { return KORV_RotateBox(h, s, 0.0, b...); }, 100, 50, 0, 0, 100, 50},
        {"rotate 90", [](auto h, auto s, auto... b) { return KORV_RotateBox(h, s, 90.0, b...); }, 100, 50, 25, -25, 75,
         75},
        {"shear x", [](auto h, auto s, auto... b) { return KORV_ShearBox(h, s, 0.5, 0.0, b...); }, 10, 10, 0, 0, 15,
         10},
        {"shear y", [](auto h, auto s, auto... b) { return KORV_ShearBox(h, s, 0.0, -0.5, b...); }, 10, 10, 0, -5, 10,
         10},
        {"warp", [&](auto h, auto s, auto... b) { return KORV_WarpPerspectiveBox(h, s, twice, 9, b...); }, 10, 5, 0, 0,
         20, 10},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.name);
        Picture source(c.width, c.height, 8, Bytes(static_cast<size_t>(c.width) * c.height));
        Picture asker;
        double left = 0, top = 0, right = 0, bottom = 0;
        ASSERT_EQ(0, c.query(asker.Handle(), source.Handle(), &left, &top, &right, &bottom)) << asker.Error();
        EXPECT_NEAR(c.left, left, 1e-6);
        EXPECT_NEAR(c.top, top, 1e-6);
        EXPECT_NEAR(c.right, right, 1e-6);
        EXPECT_NEAR(c.bottom, bottom, 1e-6);
    }
}

double MappedX(const double* c, double x, double y)
{
    return (c[0] * x + c[1] * y + c[2]) / (c[6] * x + c[7] * y + c[8]);
}

double MappedY(const double* c, double x, double y)
{
    return (c[3] * x + c[4] * y + c[5]) / (c[6] * x + c[7] * y + c[8]);
}

TEST(KorvGeometry, ProjectiveCoefficientsTakeTheCornersWhereTheyAreAsked)
{
    Picture source(10, 10, 8, Bytes(100));
    Picture asker;
    // The source's own corners onto a trapezoid (eight values), and four
    // free point pairs (sixteen values).
    const std::vector<double> ownCorners = {0, 0, 10, 0, 8, 10, 2, 10};
    const std::vector<double> pairs = {1, 1, 0, 0, 5, 1, 10, 0, 5, 4, 10, 10, 1, 3, 0, 5};
    struct Case {
        const std::vector<double>* corners;
        std::vector<double> from;
    };
    const Case cases[] = {{&ownCorners, {0, 0, 10, 0, 10, 10, 0, 10}}, {&pairs, {1, 1, 5, 1, 5, 4, 1, 3}}};
    for (const Case& c : cases) {
        const std::vector<double>& corners = *c.corners;
        const int32_t stride = corners.size() == 8 ? 2 : 4;
        const int32_t offset = corners.size() == 8 ? 0 : 2;
        double k[9] = {};
        ASSERT_EQ(0, KORV_WarpPerspectiveCoefficients(asker.Handle(), source.Handle(), corners.data(),
                                                      static_cast<int32_t>(corners.size()), k, 9))
            << asker.Error();
        EXPECT_EQ(1.0, k[8]);
        for (int32_t i = 0; i < 4; ++i) {
            EXPECT_NEAR(corners[i * stride + offset], MappedX(k, c.from[2 * i], c.from[2 * i + 1]), 1e-9);
            EXPECT_NEAR(corners[i * stride + offset + 1], MappedY(k, c.from[2 * i], c.from[2 * i + 1]), 1e-9);
        }
    }
}

TEST(KorvGeometry, WarpingByTwiceTheSizeIsANearestResize)
{
    const double twice[9] = {2, 0, 0, 0, 2, 0, 0, 0, 1};
    Picture source(2, 2, 8, {1, 2, 3, 4});
    Picture warped;
    ASSERT_EQ(0, KORV_WarpPerspective(warped.Handle(), source.Handle(), twice, 9, 0)) << warped.Error();
    EXPECT_EQ(Bytes({1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}), warped.Pixels());
}

TEST(KorvGeometry, ShearMovesRowsByTheirHeight)
{
    // x' = x + y: a row moves right by its centre's distance from the top, so
    // a destination centre reads the source at x - 0.5 in row 0, x - 1.5 in row 1.
    Picture source(2, 2, 8, {1, 2, 3, 4});
    Picture sheared;
    ASSERT_EQ(0, KORV_Shear(sheared.Handle(), source.Handle(), 1.0, 0.0, 0)) << sheared.Error();
    EXPECT_EQ(4, sheared.Width());
    EXPECT_EQ(2, sheared.Height());
    EXPECT_EQ(Bytes({1, 2, 0, 0, 0, 3, 4, 0}), sheared.Pixels());
}

TEST(KorvGeometry, RefusesWithATextNamingTheValue)
{
    Picture source(10, 10, 8, Bytes(100));
    Picture colour(2, 2, 24, Bytes(12));
    Picture result;
    const KORV_Handle r = result.Handle();
    const KORV_Handle s = source.Handle();
    double box[4] = {};
    double k[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    const double horizon[9] = {1, 0, 0, 0, 1, 0, -0.2, 0, 1};
    const double tiny[9] = {0.05, 0, 0, 0, 0.05, 0, 0, 0, 1};
    const double flat[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    struct Case {
        std::function<KORV_Status()> call;
        KORV_Status status;
        const char* text;
    };
    const Case cases[] = {
        {[&] { return KORV_Resize(r, s, 4, 4, 2); }, 3, "Resize: the mode 2 lies outside 0 to 1!"},
        {[&] { return KORV_Resize(r, s, 0, 4, 0); }, 3, "Resize: the width 0 lies outside 1 to 2147483647!"},
        {[&] { return KORV_Resize(r, s, 100000, 100000, 0); }, 7,
         "Resize: 100000 x 100000 pixels exceed the limit of 536870912 pixels!"},
        {[&] { return KORV_RotateBox(r, s, NAN, &box[0], &box[1], &box[2], &box[3]); }, 3,
         "RotateBox: the angle nan is not a finite number!"},
        {[&] { return KORV_RotateBox(r, s, 10, nullptr, &box[1], &box[2], &box[3]); }, 2,
         "RotateBox: the left pointer is null!"},
        {[&] { return KORV_ShearBox(r, s, 1e9, 0, &box[0], &box[1], &box[2], &box[3]); }, 7,
         "ShearBox: the box exceeds the limit of 536870912 pixels!"},
        {[&] { return KORV_Shear(r, s, 1e9, 0, 0); }, 7, "Shear: the box exceeds the limit of 536870912 pixels!"},
        {[&] { return KORV_Shear(r, s, 2, 0.5, 0); }, 3, "Shear: the map has no inverse!"},
        {[&] { return KORV_WarpPerspectiveBox(r, s, k, 8, &box[0], &box[1], &box[2], &box[3]); }, 3,
         "WarpPerspectiveBox: the coefficient count 8 lies outside 9 to 9!"},
        {[&] { return KORV_WarpPerspectiveBox(r, s, horizon, 9, &box[0], &box[1], &box[2], &box[3]); }, 3,
         "WarpPerspectiveBox: a corner of the picture is mapped to infinity!"},
        {[&] { return KORV_WarpPerspectiveCoefficients(r, s, flat, 8, k, 9); }, 3,
         "WarpPerspectiveCoefficients: the corners do not define a perspective map!"},
        {[&] { return KORV_WarpPerspectiveCoefficients(r, s, flat, 6, k, 9); }, 3,
         "WarpPerspectiveCoefficients: the corner count 6 is neither 8 nor 16!"},
        {[&] { return KORV_WarpPerspectiveCoefficients(r, s, flat, 8, k, 8); }, 3,
         "WarpPerspectiveCoefficients: room for 8 coefficients is less than the 9 written!"},
        {[&] { return KORV_WarpPerspective(r, s, tiny, 9, 0); }, 3,
         "WarpPerspective: the box of 0.5 x 0.5 pixels holds no pixel!"},
        {[&] { return KORV_Rotate(colour.Handle(), s, 90, 0); }, 5,
         "Rotate: the source is 10 x 10 pixels at 8 bits per pixel, the image 2 x 2 pixels at 24 bits per pixel; "
         "their depths must agree!"},
        {[&] { return KORV_MirrorVertical(r); }, 6, "MirrorVertical: the object holds no image!"},
    };
    for (const Case& c : cases) {
        const KORV_Status status = c.call();
        EXPECT_EQ(c.status, status) << c.text;
        EXPECT_EQ(c.text, status == 5 ? colour.Error() : result.Error());
    }
}

}  // namespace
