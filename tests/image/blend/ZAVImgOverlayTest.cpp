#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "image/kernels/overlay/Hsl.h"
#include "image/object/ZAVImg.h"
#include "image/support/CountingPicture.h"
#include "image/support/ImageTestSupport.h"
#include "support/ThrownText.h"

using namespace ZAV;
using ZAVTest::ThrownText;

namespace {

using Bytes = std::vector<BYTE>;
// Lays the overlay (count pixels in one row) on the image at (0, 0).
using Operation = std::function<void(CZAVImg&, const BYTE* overlay, int count)>;

// A one-row image of the depth holding the bytes.
void MakeRow(CZAVImg& image, int depth, const Bytes& bytes)
{
    const int width = depth == 1 ? 8 * static_cast<int>(bytes.size()) : static_cast<int>(bytes.size()) * 8 / depth;
    ASSERT_EQ(image.Create(width, 1, depth), 1);
    std::memcpy(image.GetImageData(), bytes.data(), bytes.size());
}

Bytes Pixels(const CZAVImg& image)
{
    const BYTE* bits = static_cast<const BYTE*>(image.GetImageData());
    return Bytes(bits, bits + image.GetImageSize());
}

Operation Blended(double opacity)
{
    return [=](CZAVImg& image, const BYTE* overlay, int count) {
        image.OverlayBlended(overlay, count, 1, 0, 0, opacity, 0);
    };
}

Operation WithMask(BYTE value)
{
    return [=](CZAVImg& image, const BYTE* overlay, int count) {
        const Bytes mask(static_cast<size_t>(count), value);
        image.OverlayWithMask(overlay, count, 1, mask.data(), 0, 0);
    };
}

Operation WithOpacity(double opacity, COLORREF transparent)
{
    return [=](CZAVImg& image, const BYTE* overlay, int count) {
        image.OverlayWithOpacity(overlay, count, 1, 0, 0, opacity, 0, transparent);
    };
}

Operation TransparentColor(COLORREF transparent)
{
    return [=](CZAVImg& image, const BYTE* overlay, int count) {
        image.OverlayTransparentColor(overlay, count, 1, 0, 0, transparent);
    };
}

struct COverlayCase {
    const char* name;
    int depth;
    int mode;
    Operation operation;
    Bytes base;
    Bytes overlay;
    Bytes expected;
};

TEST(ZAVImgOverlay, PicksTheKernelByDepthAndMode)
{
    const COverlayCase cases[] = {
        {"24-bit plain at 50%", 24, 0, Blended(50), {101, 101, 101}, {201, 201, 201}, {151, 151, 151}},
        {"24-bit multiply", 24, 3, Blended(100), {200, 100, 0}, {100, 200, 255}, {78, 78, 0}},
        {"8-bit saturation falls back to plain", 8, 19, Blended(50), {101}, {201}, {151}},
        {"8-bit difference", 8, 16, Blended(100), {50, 200}, {200, 50}, {150, 150}},
        {"1-bit copies whatever the opacity", 1, 3, Blended(0), {0xF0}, {0x0F}, {0x0F}},
        {"24-bit mask through the table", 24, 3, WithMask(255), {200, 100, 0}, {100, 200, 255}, {78, 78, 0}},
        {"8-bit mask ignores the table", 8, 3, WithMask(255), {200}, {100}, {100}},
        {"24-bit plain mask", 24, 0, WithMask(0), {1, 2, 3}, {9, 9, 9}, {1, 2, 3}},
        {"24-bit opacity skips the transparent colour",
         24,
         3,
         WithOpacity(100, RGB(10, 20, 30)),
         {0, 0, 0, 0, 0, 0},
         {10, 20, 30, 40, 50, 60},
         {0, 0, 0, 40, 50, 60}},
        {"8-bit opacity skips the transparent gray", 8, 0, WithOpacity(100, 7), {0, 0}, {7, 9}, {0, 9}},
        {"1-bit transparent colour only sets bits", 1, 0, TransparentColor(0), {0xF0}, {0x0F}, {0xFF}},
        {"24-bit transparent colour is skipped",
         24,
         0,
         TransparentColor(RGB(1, 2, 3)),
         {5, 5, 5, 5, 5, 5},
         {1, 2, 3, 1, 2, 4},
         {5, 5, 5, 1, 2, 4}},
    };
    for (const COverlayCase& c : cases) {
        CZAVImg image;
        MakeRow(image, c.depth, c.base);
        image.m_overlayBlendMode = c.mode;
        c.operation(image, c.overlay.data(), image.GetWidth());
        EXPECT_EQ(Pixels(image), c.expected) << c.name;
    }
}

TEST(ZAVImgOverlay, ColourModesReachTheKernelWithTheirCodes)
{
    const Bytes base = {200, 40, 40};
    const Bytes overlay = {30, 60, 220};
    Bytes byCode[5];
    for (int code = 1; code <= 4; ++code) {
        byCode[code].resize(3);
        CombineColorMode(base[0], base[1], base[2], overlay[0], overlay[1], overlay[2], code, byCode[code][0],
                         byCode[code][1], byCode[code][2]);
    }
    ASSERT_NE(byCode[3], byCode[4]);
    const int modeCode[][2] = {{18, 1}, {19, 2}, {20, 4}, {21, 3}};
    for (const auto& [mode, code] : modeCode) {
        for (const Operation& operation : {Blended(100), WithMask(255)}) {
            CZAVImg image;
            MakeRow(image, 24, base);
            image.m_overlayBlendMode = mode;
            operation(image, overlay.data(), 1);
            EXPECT_EQ(Pixels(image), byCode[code]) << "mode " << mode;
        }
    }
}

struct CRefusalCase {
    const char* name;
    int depth;
    Operation operation;
    bool nullOverlay;
    const char* text;
};

TEST(ZAVImgOverlay, RefusalsAndFailuresLeaveTheImageAsItWas)
{
    const auto nullMask = [](CZAVImg& image, const BYTE* overlay, int count) {
        image.OverlayWithMask(overlay, count, 1, nullptr, 0, 0);
    };
    const CRefusalCase cases[] = {
        {"mask on 1 bit", 1, WithMask(9), false,
         "Requires 8bit grayscale or 24bpp Images! Please convert it to the required format."},
        {"opacity on 1 bit", 1, WithOpacity(50, 0), false,
         "Requires grayscale or 24bpp Images! Please convert it to 24bpp format."},
        {"transparent colour on 8 bits", 8, TransparentColor(0), false,
         "Requires 1bit black&white or 24bpp Images! Please convert it to the proper format."},
        {"blended on 32 bits", 32, Blended(50), false, "Error"},
        {"mask on 16 bits", 16, WithMask(9), false, "Error"},
        {"opacity on 48 bits", 48, WithOpacity(50, 0), false, "Error"},
        {"transparent colour on 32 bits", 32, TransparentColor(0), false, "Error"},
        {"null overlay on 24 bits", 24, Blended(50), true, "Error overlaying Image! Invalid Parameter!"},
        {"null overlay on 1 bit", 1, Blended(50), true, "Error overlaying black&white Image! Invalid Parameter!"},
        {"null mask", 24, nullMask, false, "Error overlaying Image! Invalid Parameter!"},
    };
    for (const CRefusalCase& c : cases) {
        CZAVImg image;
        MakeRow(image, c.depth, Bytes(6 * 4, 33));
        const Bytes before = Pixels(image);
        const Bytes overlay(static_cast<size_t>(image.GetImageSize()), 200);
        const BYTE* given = c.nullOverlay ? nullptr : overlay.data();
        EXPECT_EQ(ThrownText([&] { c.operation(image, given, image.GetWidth()); }), c.text) << c.name;
        EXPECT_EQ(Pixels(image), before) << c.name;
    }
}

TEST(ZAVImgOverlay, TheImageItselfIsNoOverlay)
{
    CZAVImg image;
    MakeRow(image, 24, {1, 2, 3});
    const BYTE* own = static_cast<const BYTE*>(image.GetImageData());
    EXPECT_EQ(ThrownText([&] { image.OverlayBlended(own, 1, 1, 0, 0, 50, 0); }),
              "Error overlaying Image! Invalid Parameter!");
}

TEST(ZAVImgOverlay, ACancelFailsAloneAndKeepsThePixels)
{
    for (const Operation& operation : {Blended(50), WithMask(128), WithOpacity(50, 0)}) {
        ZAVTest::CRecordingSink sink(1);
        CZAVImg image(&sink);
        ASSERT_EQ(image.Create(2, 3, 24), 1);
        std::memset(image.GetImageData(), 10, static_cast<size_t>(image.GetImageSize()));
        const Bytes before = Pixels(image);
        const int changedBefore = sink.changedCalls;
        const Bytes overlay(before.size(), 250);
        const std::string thrown = ThrownText([&] { operation(image, overlay.data(), 2); });
        EXPECT_EQ(thrown, "Operation canceled!");
        EXPECT_EQ(Pixels(image), before);
        EXPECT_EQ(sink.changedCalls, changedBefore);
        EXPECT_EQ(sink.beginCalls, sink.endCalls);
    }
}

TEST(ZAVImgOverlay, SuccessReleasesTheExtrasAndTellsTheSink)
{
    ZAVTest::CRecordingSink sink;
    CZAVImg image(&sink);
    MakeRow(image, 24, {0, 0, 0});
    ZAVTest::CCountingPicture picture;
    image.SetOlePicture(&picture);
    const int changedBefore = sink.changedCalls;
    const Bytes overlay = {9, 9, 9};
    image.OverlayBlended(overlay.data(), 1, 1, 0, 0, 100, 0);
    EXPECT_EQ(Pixels(image), overlay);
    EXPECT_EQ(picture.refs, 1);
    EXPECT_EQ(image.GetOlePicture(), nullptr);
    EXPECT_GT(sink.changedCalls, changedBefore);
}

TEST(ZAVImgOverlay, AnEmptyImageStaysUnchanged)
{
    ZAVTest::CRecordingSink sink;
    CZAVImg image(&sink);
    const Bytes overlay = {9, 9, 9};
    EXPECT_EQ(ThrownText([&] { image.OverlayBlended(overlay.data(), 1, 1, 0, 0, 100, 0); }), "(nothing thrown)");
    EXPECT_EQ(ThrownText([&] { image.OverlayWithMask(overlay.data(), 1, 1, overlay.data(), 0, 0); }),
              "(nothing thrown)");
    EXPECT_FALSE(image.HasImage());
    EXPECT_EQ(sink.beginCalls, 0);
}

}  // namespace
