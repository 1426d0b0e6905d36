// The Cnv facet: lengths between HiMetric, twips and pixels at the screen's,
// a device context's and the image's resolution, and pixels to world
// coordinates and back.
#include <gtest/gtest.h>

#include <string>

#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"
#include "interfaces/imageedit/facets/cnv/WorldCoordinates.h"
#include "platform/gdi/DeviceContexts.h"
#include "support/ThrownText.h"

namespace {

using namespace ZAV;

enum class Conversion {
    HiMetricToDevice,
    DeviceToHiMetric,
    TwipsToDevice,
    DeviceToTwips,
    HiMetricToImage,
    ImageToHiMetric,
    TwipsToImage,
    ImageToTwips
};

SIZE Convert(IZAVImageEditCnvCpp& cnv, Conversion conversion, HDC dc, const SIZE& size)
{
    switch (conversion) {
    case Conversion::HiMetricToDevice:
        return cnv.HiMetricToDevicePixels(dc, size);
    case Conversion::DeviceToHiMetric:
        return cnv.DevicePixelsToHiMetric(dc, size);
    case Conversion::TwipsToDevice:
        return cnv.TwipsToDevicePixels(dc, size);
    case Conversion::DeviceToTwips:
        return cnv.DevicePixelsToTwips(dc, size);
    case Conversion::HiMetricToImage:
        return cnv.HiMetricToImagePixels(size);
    case Conversion::ImageToHiMetric:
        return cnv.ImagePixelsToHiMetric(size);
    case Conversion::TwipsToImage:
        return cnv.TwipsToImagePixels(size);
    case Conversion::ImageToTwips:
        return cnv.ImagePixelsToTwips(size);
    }
    return SIZE{};
}

TEST(CnvFacet, LengthsFollowTheScreenTheDeviceContextOrTheImage)
{
    // The image stands at 300 x 150 dpi, the test device context at 200 x 50.
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->Create(4, 4, zavbpp24);
    edit->SetXResolution(300);
    edit->SetYResolution(150);
    TestDeviceSettings settings;
    settings.logPixelsX = 200;
    settings.logPixelsY = 50;
    HDC device = CreateTestDC(settings);
    const struct {
        const char* name;
        Conversion conversion;
        HDC dc;
        SIZE in;
        SIZE out;
    } cases[] = {
        {"twips to screen", Conversion::TwipsToDevice, nullptr, {1440, 720}, {96, 48}},
        {"screen to twips", Conversion::DeviceToTwips, nullptr, {96, 48}, {1440, 720}},
        {"HiMetric to screen", Conversion::HiMetricToDevice, nullptr, {2540, 254}, {96, 10}},
        {"screen to HiMetric", Conversion::DeviceToHiMetric, nullptr, {96, 48}, {2540, 1270}},
        {"twips to device", Conversion::TwipsToDevice, device, {1440, 1440}, {200, 50}},
        {"device to HiMetric", Conversion::DeviceToHiMetric, device, {200, 50}, {2540, 2540}},
        {"twips to image", Conversion::TwipsToImage, nullptr, {1440, 1440}, {300, 150}},
        {"image to twips", Conversion::ImageToTwips, nullptr, {300, 150}, {1440, 1440}},
        {"HiMetric to image", Conversion::HiMetricToImage, nullptr, {2540, 2540}, {300, 150}},
        {"image to HiMetric", Conversion::ImageToHiMetric, nullptr, {300, 150}, {2540, 2540}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SIZE out = Convert(*edit->GetCnv(), c.conversion, c.dc, c.in);
        EXPECT_EQ(out.cx, c.out.cx);
        EXPECT_EQ(out.cy, c.out.cy);
    }
    DeleteDC(device);
}

TEST(CnvFacet, PixelsAndWorldCoordinatesOfAHundredByFifty)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->Create(100, 50, zavbpp8);
    IZAVImageEditCnvCpp& cnv = *edit->GetCnv();
    const struct {
        int32_t x, y;
        double worldX, worldY;
    } points[] = {{0, 0, 0, 49}, {99, 49, 99, 0}, {10, 20, 10, 29}};
    for (const auto& p : points) {
        double worldX = -1, worldY = -1;
        cnv.PixelToWorld(p.x, p.y, worldX, worldY);
        EXPECT_DOUBLE_EQ(worldX, p.worldX) << p.x << "," << p.y;
        EXPECT_DOUBLE_EQ(worldY, p.worldY) << p.x << "," << p.y;
        int32_t x = -1, y = -1;
        cnv.WorldToPixel(p.worldX, p.worldY, x, y);
        EXPECT_EQ(x, p.x);
        EXPECT_EQ(y, p.y);
    }

    // Rectangles come back ordered whichever corners were given.
    const CWorldRect world = cnv.PixelRectToWorld(RECT{99, 49, 0, 0});
    EXPECT_DOUBLE_EQ(world.left, 0);
    EXPECT_DOUBLE_EQ(world.right, 99);
    EXPECT_DOUBLE_EQ(world.bottom, 0);
    EXPECT_DOUBLE_EQ(world.top, 49);
    const RECT pixels = cnv.WorldRectToPixel(world);
    EXPECT_EQ(pixels.left, 0);
    EXPECT_EQ(pixels.top, 0);
    EXPECT_EQ(pixels.right, 99);
    EXPECT_EQ(pixels.bottom, 49);
}

TEST(CnvFacet, WorldConversionsRefuseAnEmptyImageAndAWorldWithoutExtent)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    IZAVImageEditCnvCpp& cnv = *edit->GetCnv();
    double worldX = 0, worldY = 0;
    int32_t x = 0, y = 0;
    EXPECT_EQ(ZAVTest::ThrownText([&] { cnv.PixelToWorld(0, 0, worldX, worldY); }), "No imagedata!");
    EXPECT_EQ(ZAVTest::ThrownText([&] { cnv.WorldToPixel(0, 0, x, y); }), "No imagedata!");

    CWorldRect flat;
    flat.left = flat.right = 5.0;
    flat.top = 50.0;
    EXPECT_EQ(ZAVTest::ThrownText([&] { WorldToPixelPoint(flat, 100, 50, 1.0, 1.0); }), "Invalid world rectangle!");
    flat.right = 100.0;
    flat.top = flat.bottom;
    EXPECT_EQ(ZAVTest::ThrownText([&] { WorldToPixelPoint(flat, 100, 50, 1.0, 1.0); }), "Invalid world rectangle!");

    // A point far outside the world stops at the ends of the 32-bit range.
    CWorldRect tiny;
    tiny.right = 1e-300;
    tiny.top = 1e-300;
    const POINT far = WorldToPixelPoint(tiny, 100, 50, 1.0, -1.0);
    EXPECT_EQ(far.x, INT32_MAX);
    EXPECT_EQ(far.y, INT32_MAX);
}

}  // namespace
