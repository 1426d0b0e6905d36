#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <numeric>
#include <vector>

#include "image/kernels/ImgKernels.h"
#include "image/kernels/KernelTestSupport.h"
#include "image/support/ImageTestSupport.h"
#include "image/kernels/overlay/Hsl.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Kernel = std::function<int(ZAV::CImgKernels&, BYTE* base, const BYTE* overlay)>;

// The blend table of multiply: (a x b) >> 8.
const BYTE* MultiplyTable()
{
    static const std::vector<BYTE> table = [] {
        std::vector<BYTE> values(65536);
        for (int a = 0; a < 256; ++a)
            for (int b = 0; b < 256; ++b)
                values[a * 256 + b] = static_cast<BYTE>((a * b) >> 8);
        return values;
    }();
    return table.data();
}

// Each kernel below lays a three-byte overlay on a three-byte base: one
// 24-bit pixel, or three 8-bit pixels in a row; masks are all the same value.
const BYTE* Mask(BYTE value)
{
    static BYTE masks[256][3];
    std::fill(masks[value], masks[value] + 3, value);
    return masks[value];
}

Kernel Opacity24(double opacity, int fast)
{
    return [=](ZAV::CImgKernels& k, BYTE* b, const BYTE* o) {
        return k.OverlayOpacity24(b, 1, 1, o, 1, 1, 0, 0, opacity, fast);
    };
}

Kernel Opacity8(double opacity, int fast)
{
    return [=](ZAV::CImgKernels& k, BYTE* b, const BYTE* o) {
        return k.OverlayOpacity8(b, 3, 1, o, 3, 1, 0, 0, opacity, fast);
    };
}

Kernel Mask24(BYTE mask)
{
    return [=](ZAV::CImgKernels& k, BYTE* b, const BYTE* o) {
        return k.OverlayMask24(b, 1, 1, o, 1, 1, Mask(mask), 0, 0);
    };
}

Kernel Mask8(BYTE mask)
{
    return [=](ZAV::CImgKernels& k, BYTE* b, const BYTE* o) {
        return k.OverlayMask8(b, 3, 1, o, 3, 1, Mask(mask), 0, 0);
    };
}

Kernel Multiply24(double opacity)
{
    return [=](ZAV::CImgKernels& k, BYTE* b, const BYTE* o) {
        return k.OverlayBlendTable24(b, 1, 1, o, 1, 1, 0, 0, opacity, MultiplyTable());
    };
}

Kernel Multiply8(double opacity)
{
    return [=](ZAV::CImgKernels& k, BYTE* b, const BYTE* o) {
        return k.OverlayBlendTable8(b, 3, 1, o, 3, 1, 0, 0, opacity, MultiplyTable());
    };
}

Kernel MaskedMultiply24(BYTE mask)
{
    return [=](ZAV::CImgKernels& k, BYTE* b, const BYTE* o) {
        return k.OverlayMaskBlendTable24(b, 1, 1, o, 1, 1, Mask(mask), 0, 0, MultiplyTable());
    };
}

Kernel Transparent24(double opacity, COLORREF key, int fast)
{
    return [=](ZAV::CImgKernels& k, BYTE* b, const BYTE* o) {
        return k.OverlayTransparent24(b, 1, 1, o, 1, 1, 0, 0, opacity, key, fast);
    };
}

Kernel Transparent8(BYTE key)
{
    return [=](ZAV::CImgKernels& k, BYTE* b, const BYTE* o) {
        return k.OverlayTransparent8(b, 3, 1, o, 3, 1, 0, 0, 1, key, 0);
    };
}

Kernel CopyNonTransparent(COLORREF key)
{
    return [=](ZAV::CImgKernels& k, BYTE* b, const BYTE* o) {
        return k.CopyNonTransparent24(b, 1, 1, o, 1, 1, 0, 0, key);
    };
}

Kernel Luminosity()
{
    return [=](ZAV::CImgKernels& k, BYTE* b, const BYTE* o) {
        return k.OverlayColorMode24(b, 1, 1, o, 1, 1, 0, 0, 1, ZAV::kColorModeLuminosity);
    };
}

Kernel MaskedLuminosity(BYTE mask)
{
    return [=](ZAV::CImgKernels& k, BYTE* b, const BYTE* o) {
        return k.OverlayMaskColorMode24(b, 1, 1, o, 1, 1, Mask(mask), 0, 0, ZAV::kColorModeLuminosity);
    };
}

}  // namespace

TEST(OverlayKernels, OnePixelCombinations)
{
    struct Case {
        const char* name;
        Kernel kernel;
        BYTE base, overlay, expected;
    };
    const Case cases[] = {
        {"opacity 0.5", Opacity24(0.5, 0), 101, 201, 151},  // 100.5 + 50.5
        {"opacity 0.5 fast", Opacity24(0.5, 1), 101, 201, 150},  // 100 + 50
        {"opacity 1.7", Opacity24(1.7, 0), 101, 201, 201},
        {"opacity -0.2", Opacity24(-0.2, 1), 101, 201, 101},
        {"gray opacity 0.5", Opacity8(0.5, 0), 101, 201, 151},
        {"mask 255", Mask24(255), 100, 200, 200},
        {"mask 0", Mask24(0), 100, 200, 100},
        {"mask 128", Mask24(128), 100, 200, 150},  // trunc(200 x 0.50196 + 100 x 0.49804)
        {"gray mask 128", Mask8(128), 100, 200, 150},
        {"multiply", Multiply24(1), 200, 100, 78},
        {"multiply at 0.5", Multiply24(0.5), 200, 100, 139},  // trunc(78 x 0.5 + 200 x 0.5): the blend stays
        {"gray multiply at 0.99", Multiply8(0.99), 200, 100, 79},  // trunc(77.22 + 2)
        {"masked multiply 128", MaskedMultiply24(128), 200, 100, 138},  // trunc((78 x 128 + 200 x 127) / 255)
        {"transparent skipped", Transparent24(1, RGB(201, 201, 201), 0), 101, 201, 101},
        {"not transparent", Transparent24(0.5, RGB(201, 201, 0), 1), 101, 201, 150},
        {"gray transparent", Transparent8(201), 101, 201, 101},
        {"copy not transparent", CopyNonTransparent(RGB(1, 2, 3)), 101, 201, 201},
        {"luminosity", Luminosity(), 101, 255, 255},
        {"masked luminosity 255", MaskedLuminosity(255), 101, 255, 255},
        {"masked luminosity 0", MaskedLuminosity(0), 0, 255, 0},
    };
    for (const Case& c : cases)
    {
        Bytes base(3, c.base);
        const Bytes overlay(3, c.overlay);
        ZAV::CImgKernels kernels;
        ASSERT_EQ(c.kernel(kernels, base.data(), overlay.data()), 1) << c.name;
        EXPECT_EQ(base, Bytes(3, c.expected)) << c.name;
    }
}

TEST(OverlayKernels, PlacementIsClippedToTheBase)
{
    Bytes overlay(10);
    std::iota(overlay.begin(), overlay.end(), 100);
    Bytes base(20, 0);
    ZAV::CImgKernels kernels;
    ASSERT_EQ(kernels.OverlayOpacity8(base.data(), 20, 1, overlay.data(), 10, 1, -5, 0, 1, 0), 1);
    EXPECT_EQ(Bytes(base.begin(), base.begin() + 6), (Bytes{105, 106, 107, 108, 109, 0}));

    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    for (int x : {kMax - 5, kMax, kMin, kMin + 3, 20, -10})
    {
        ZAVTest::CRecordingSink sink;
        ZAV::CImgKernels outside(&sink);
        ASSERT_EQ(outside.OverlayOpacity8(base.data(), 20, 1, overlay.data(), 10, 1, x, 0, 1, 0), 1) << x;
        ASSERT_EQ(outside.OverlayMask24(base.data(), 5, 1, overlay.data(), 3, 1, overlay.data(), x, kMax - 1), 1);
        EXPECT_EQ(sink.beginCalls, 2) << x;
        EXPECT_EQ(sink.progressCalls, 0) << x;
        EXPECT_EQ(sink.endCalls, 2) << x;
    }
    EXPECT_EQ(Bytes(base.begin(), base.begin() + 6), (Bytes{105, 106, 107, 108, 109, 0}));
}

TEST(OverlayKernels, HueModeKeepsABaseOfTheSameHue)
{
    const Bytes colors = ZAVTest::RandomBytes(3 * 200, 11);
    ZAV::CImgKernels kernels;
    for (size_t i = 0; i < colors.size(); i += 3)
    {
        Bytes base(colors.begin() + i, colors.begin() + i + 3);
        const ZAV::CHsl hsl = ZAV::RgbToHsl(base[0], base[1], base[2]);
        ZAV::CHsl other = hsl;  // same hue, another lightness and saturation
        other.lightness = 0.3;
        other.saturation = 0.9;
        Bytes overlay(3);
        ZAV::HslToRgb(other, overlay[0], overlay[1], overlay[2]);
        const Bytes before = base;
        ASSERT_EQ(kernels.OverlayColorMode24(base.data(), 1, 1, overlay.data(), 1, 1, 0, 0, 1, ZAV::kColorModeHue), 1);
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(base[c], before[c], 1) << i / 3;
    }
}

TEST(OverlayKernels, BitsAndMasks)
{
    ZAV::CImgKernels kernels;
    // 12-pixel rows; the overlay's bits 0101... laid at x = 3.
    Bytes base = {0xFF, 0xF0};
    const Bytes overlay = {0x55, 0x50};
    ASSERT_EQ(kernels.CopyBits1(base.data(), 12, 1, overlay.data(), 12, 1, 3, 0, 1), 1);
    EXPECT_EQ(base, (Bytes{0xFF, 0xF0}));  // OR: nothing cleared
    ASSERT_EQ(kernels.CopyBits1(base.data(), 12, 1, overlay.data(), 12, 1, 3, 0, 0), 1);
    EXPECT_EQ(base, (Bytes{0xEA, 0xA0}));  // 111 then 01010 10 01 0...: columns 3..11 copied

    Bytes first = {0xF0, 0x0F, 0xFF, 1, 2, 3};
    const Bytes second = {0xFF, 0xFF, 0x0F, 1, 1, 1};
    ASSERT_EQ(kernels.CombineMask24(first.data(), second.data(), 2, 1, 0), 1);
    EXPECT_EQ(first, (Bytes{0xF0, 0x0F, 0x0F, 1, 0, 1}));
    ASSERT_EQ(kernels.CombineMask24(first.data(), second.data(), 2, 1, 1), 1);
    EXPECT_EQ(first, (Bytes{0x0F, 0xF0, 0x00, 0, 1, 0}));
    ASSERT_EQ(kernels.CombineMask24(first.data(), second.data(), 2, 1, 2), 1);
    EXPECT_EQ(first, (Bytes{0x0F, 0xF0, 0x00, 0, 1, 0}));
    EXPECT_EQ(kernels.CombineMask24(first.data(), nullptr, 2, 1, 0), 0);
    EXPECT_EQ(ZAVTest::ErrorText(kernels), "Invalid Parameter!");
}

TEST(OverlayKernels, RefusedBuffersAndCancel)
{
    Bytes base(3 * 4, 1);
    const Bytes overlay(3 * 4, 2);
    ZAV::CImgKernels kernels;
    EXPECT_EQ(kernels.OverlayOpacity24(base.data(), 2, 2, base.data(), 2, 2, 0, 0, 1, 0), 0);
    EXPECT_EQ(ZAVTest::ErrorText(kernels), "Invalid Parameter!");
    EXPECT_EQ(kernels.OverlayMask24(base.data(), 2, 2, overlay.data(), 2, 2, nullptr, 0, 0), 0);
    EXPECT_EQ(kernels.OverlayBlendTable24(base.data(), 2, 2, overlay.data(), 2, 2, 0, 0, 1, nullptr), 0);
    EXPECT_EQ(ZAVTest::ErrorText(kernels), "Invalid Parameter!");

    ZAVTest::CRecordingSink sink(1);
    ZAV::CImgKernels canceled(&sink);
    EXPECT_EQ(canceled.OverlayOpacity24(base.data(), 2, 2, overlay.data(), 2, 2, 0, 0, 0.5, 0), 0);
    EXPECT_EQ(ZAVTest::ErrorText(canceled), "Operation canceled!");
    EXPECT_EQ(sink.endCalls, 1);
}
