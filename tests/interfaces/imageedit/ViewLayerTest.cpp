// The view layer of the image-edit object: its stored settings, the
// conversions between pixels and world coordinates, and drawing the image
// or a part of it where the caller's view maps it.
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <limits>
#include <string>

#include "platform/gdi/DeviceContexts.h"
#include "support/GdiPixels.h"
#include "support/ThrownText.h"

namespace {

using namespace ZAV;
using ZAVTest::ThrownText;

constexpr int kWidth = 100;
constexpr int kHeight = 50;

// The colour of pixel (x, y) of the test picture; never black, so that a
// drawn pixel differs from the DC's black surface.
COLORREF PictureColour(int x, int y)
{
    return RGB(static_cast<BYTE>(x * 2), static_cast<BYTE>(y * 5), 100);
}

// A 24-bit 100 x 50 picture; its world rectangle is 0, 50, 100, 0 after
// the reset that Create causes.
CZAVPtr<IZAVImageEditSp> MakePicture()
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->Create(kWidth, kHeight, zavbpp24);
    auto* pixels = static_cast<BYTE*>(edit->GetImageData());
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            BYTE* p = pixels + (y * kWidth + x) * 3;
            p[0] = GetRValue(PictureColour(x, y));
            p[1] = GetGValue(PictureColour(x, y));
            p[2] = GetBValue(PictureColour(x, y));
        }
    return edit;
}

void SetWorld(IZAVImageEditSp& edit, const CWorldRect& world)
{
    edit.GetViewLayerSp()->SetWorldRect(world);
}

std::string Text(double x, double y)
{
    char text[64];
    std::snprintf(text, sizeof text, "%g,%g", x, y);
    return text;
}

std::string Text(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

std::string Text(const CWorldRect& r)
{
    return Text(r.left, r.top) + "," + Text(r.right, r.bottom);
}

// A view given by a function; it records the world rectangles it mapped.
class FunctionView : public IZAVLayerView {
public:
    explicit FunctionView(std::function<RECT(const CWorldRect&)> map) : m_map(std::move(map)) {}
    void WorldToDevice(const CWorldRect& world, RECT& device) override
    {
        m_asked += Text(world) + ";";
        device = m_map(world);
    }
    const std::string& Asked() const { return m_asked; }

private:
    std::function<RECT(const CWorldRect&)> m_map;
    std::string m_asked;
};

// World points are device pixels of a 1:1 view: x stays, y flips.
RECT PointsView(const CWorldRect& w)
{
    return RECT{LONG(w.left), LONG(kHeight - 1 - w.top), LONG(w.right), LONG(kHeight - 1 - w.bottom)};
}

// The world rectangle's extent covers whole device pixels.
RECT ExtentView(const CWorldRect& w)
{
    return RECT{LONG(w.left), LONG(kHeight - w.top), LONG(w.right - 1), LONG(kHeight - w.bottom - 1)};
}

TEST(ViewLayer, StoredSettings)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    CZAVPtr<IZAVViewLayerSp> layer = edit->GetViewLayerSp();
    EXPECT_EQ(layer->GetLayerFlag1(), 1);
    EXPECT_EQ(layer->GetLayerFlag2(), 1);
    EXPECT_EQ(layer->GetLayerFlag3(), 1);
    EXPECT_EQ(layer->GetLayerFlag4(), 1);
    EXPECT_EQ(layer->GetFirstRangeMin(), -1.0);
    EXPECT_EQ(layer->GetSecondRangeMax(), -1.0);
    EXPECT_EQ(layer->HasImageData(), 0);

    EXPECT_EQ(layer->SetLayerFlag1(7), 7);
    EXPECT_EQ(layer->SetLayerFlag2(0), 0);
    EXPECT_EQ(layer->SetLayerFlag3(-3), -3);
    EXPECT_EQ(layer->SetLayerFlag4(0), 0);
    EXPECT_EQ(layer->GetLayerFlag1(), 7);
    EXPECT_EQ(layer->GetLayerFlag2(), 0);
    EXPECT_EQ(layer->GetLayerFlag3(), -3);

    // A range is kept in the order given; min and max sort it.
    layer->SetFirstRangeStart(5.0);
    layer->SetFirstRangeEnd(2.0);
    EXPECT_EQ(layer->GetFirstRangeMin(), 2.0);
    EXPECT_EQ(layer->GetFirstRangeMax(), 5.0);
    layer->SetSecondRangeStart(-4.5);
    layer->SetSecondRangeEnd(8.0);
    EXPECT_EQ(layer->GetSecondRangeMin(), -4.5);
    EXPECT_EQ(layer->GetSecondRangeMax(), 8.0);

    layer->SetLayerText("contours");
    EXPECT_EQ(layer->GetLayerText(), "contours");
    layer->SetWorldRect(CWorldRect{1.5, 9.0, 4.0, -2.0});
    EXPECT_EQ(Text(layer->GetWorldRect()), "1.5,9,4,-2");
    EXPECT_TRUE(layer->GetLayerObject().IsEmpty());
    layer->Reserved1(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13);
    layer->Reserved2(1, 2, 3, 4, 5, 6, 7, 8);
    layer->Reserved3(1);
    layer->Reserved4();
    layer->Reserved5(1);

    // A reset puts the world rectangle to the image and the fourth flag to
    // 1; the rest stays.
    edit->Create(kWidth, kHeight, zavbpp8);
    EXPECT_EQ(layer->HasImageData(), 1);
    EXPECT_EQ(layer->GetLayerFlag4(), 1);
    EXPECT_EQ(layer->GetLayerFlag1(), 7);
    EXPECT_EQ(layer->GetFirstRangeMax(), 5.0);
    EXPECT_EQ(layer->GetLayerText(), "contours");
    EXPECT_EQ(Text(layer->GetWorldRect()), "0,50,100,0");
}

// The conversions are the Cnv facet's, on the view layer's world: the one a
// reset gives the test picture, and one of two world units a pixel, shifted.
const CWorldRect kResetWorld{0, 50, 100, 0};
const CWorldRect kScaledWorld{10, 200, 210, 100};

TEST(ViewLayer, PixelsToWorld)
{
    CZAVPtr<IZAVImageEditSp> edit = MakePicture();
    const struct {
        CWorldRect world;
        int x, y;
        const char* world_point;
    } cases[] = {
        {kResetWorld, 0, 0, "0,49"},       {kResetWorld, 99, 49, "99,0"},
        {kResetWorld, 0, 49, "0,0"},       {kScaledWorld, 0, 0, "10,198"},
        {kScaledWorld, 99, 49, "208,100"}, {kScaledWorld, -1, 50, "8,98"},  // outside the image still maps
    };
    for (const auto& c : cases) {
        SetWorld(*edit.Get(), c.world);
        double wx = 0, wy = 0;
        edit->GetCnv()->PixelToWorld(c.x, c.y, wx, wy);
        EXPECT_EQ(Text(wx, wy), c.world_point) << c.x << "," << c.y;
    }
}

TEST(ViewLayer, WorldToPixelsTruncatesAndSaturates)
{
    CZAVPtr<IZAVImageEditSp> edit = MakePicture();
    constexpr double kHuge = 1e300;
    const std::string maxText = std::to_string(std::numeric_limits<int32_t>::max());
    const std::string minText = std::to_string(std::numeric_limits<int32_t>::min());
    const struct {
        CWorldRect world;
        double wx, wy;
        const char* pixel;
    } cases[] = {
        {kResetWorld, 0, 49, "0,0"},
        {kResetWorld, 99, 0, "99,49"},
        {kResetWorld, 99.9, 0.5, "99,49"},  // truncated toward zero
        {kScaledWorld, 10, 198, "0,0"},
        {kScaledWorld, 13.9, 101, "1,49"},
        // Far outside: saturated, never undefined.
        {kResetWorld, kHuge, -kHuge, ""},
    };
    for (const auto& c : cases) {
        SetWorld(*edit.Get(), c.world);
        int x = 0, y = 0;
        edit->GetCnv()->WorldToPixel(c.wx, c.wy, x, y);
        const std::string expected = *c.pixel ? c.pixel : maxText + "," + maxText;
        EXPECT_EQ(std::to_string(x) + "," + std::to_string(y), expected) << c.wx << "," << c.wy;
    }
    int x = 0, y = 0;
    SetWorld(*edit.Get(), kResetWorld);
    edit->GetCnv()->WorldToPixel(-kHuge, kHuge, x, y);
    EXPECT_EQ(std::to_string(x), minText);
    EXPECT_LT(y, 0);
}

TEST(ViewLayer, RectanglesComeBackOrderedWhicheverCornersWereGiven)
{
    CZAVPtr<IZAVImageEditSp> edit = MakePicture();
    IZAVImageEditCnvCpp& cnv = *edit->GetCnv();
    SetWorld(*edit.Get(), kResetWorld);
    EXPECT_EQ(Text(cnv.PixelRectToWorld(RECT{0, 0, 99, 49})), "0,49,99,0");
    EXPECT_EQ(Text(cnv.PixelRectToWorld(RECT{30, 40, 10, 20})), "10,29,30,9");
    EXPECT_EQ(Text(cnv.WorldRectToPixel(CWorldRect{0, 49, 99, 0})), "0,0,99,49");
    EXPECT_EQ(Text(cnv.WorldRectToPixel(CWorldRect{30, 9, 10, 29})), "10,20,30,40");
}

TEST(ViewLayer, ConversionsRefuseAnEmptyImageOrAFlatWorld)
{
    CZAVPtr<IZAVImageEditSp> empty = CreateImageEditSp();
    CZAVPtr<IZAVImageEditSp> picture = MakePicture();
    struct RefusalCase {
        const char* name;
        IZAVImageEditSp* edit;
        CWorldRect world;
        std::function<void(IZAVImageEditSp&)> call;
        const char* text;
    };
    double wx = 0, wy = 0;
    int x = 0, y = 0;
    const CWorldRect flatX{5, 50, 5, 0};
    const CWorldRect flatY{0, 7, 100, 7};
    FunctionView view(PointsView);
    HDC dc = CreateTestDC(TestDeviceSettings{});
    const CWorldRect part{10, 40, 20, 30};
    const RefusalCase cases[] = {
        {"P2W of an empty image",
         empty.Get(),
         {0, 1, 1, 0},
         [&](IZAVImageEditSp& e) { e.GetCnv()->PixelToWorld(0, 0, wx, wy); },
         "No imagedata!"},
        {"W2P of an empty image",
         empty.Get(),
         {0, 1, 1, 0},
         [&](IZAVImageEditSp& e) { e.GetCnv()->WorldToPixel(0, 0, x, y); },
         "No imagedata!"},
        {"W2P with right = left", picture.Get(), flatX,
         [&](IZAVImageEditSp& e) { e.GetCnv()->WorldToPixel(1, 1, x, y); }, "Invalid world rectangle!"},
        {"W2P with top = bottom", picture.Get(), flatY,
         [&](IZAVImageEditSp& e) { e.GetCnv()->WorldToPixel(1, 1, x, y); }, "Invalid world rectangle!"},
        {"world rectangle to pixels, flat", picture.Get(), flatY,
         [&](IZAVImageEditSp& e) {
             e.GetCnv()->WorldRectToPixel(CWorldRect{0, 5, 5, 0});
         },
         "Invalid world rectangle!"},
        {"partial draw, flat", picture.Get(), flatX,
         [&](IZAVImageEditSp& e) { e.GetViewLayerSp()->Draw(dc, 0, 0, &view, nullptr, 1, &part, 0, 0); },
         "Invalid world rectangle!"},
        {"partial draw without a part", picture.Get(), kResetWorld,
         [&](IZAVImageEditSp& e) { e.GetViewLayerSp()->Draw(dc, 0, 0, &view, nullptr, 1, nullptr, 0, 0); },
         "Invalid Parameter!"},
        {"draw without a view", picture.Get(), kResetWorld,
         [&](IZAVImageEditSp& e) { e.GetViewLayerSp()->Draw(dc, 0, 0, nullptr, nullptr, 0, nullptr, 0, 0); },
         "Invalid Parameter!"},
    };
    for (const RefusalCase& c : cases) {
        SetWorld(*c.edit, c.world);
        EXPECT_EQ(ThrownText([&] { c.call(*c.edit); }), c.text) << c.name;
    }
    DeleteDC(dc);
}

// The DC shows the picture's pixels from the source rectangle at the
// destination, and black everywhere else.
void ExpectSectionOnly(HDC dc, int destX, int destY, const RECT& source, const char* name)
{
    int width = 0, height = 0;
    const std::vector<COLORREF> pixels = ZAVTest::SurfacePixels(dc, width, height);
    int wrong = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int sx = source.left + x - destX;
            const int sy = source.top + y - destY;
            const bool inside = sx >= source.left && sx <= source.right && sy >= source.top && sy <= source.bottom;
            const COLORREF expected = inside ? PictureColour(sx, sy) : RGB(0, 0, 0);
            if (pixels[size_t(y) * width + x] != expected && wrong++ < 3)
                ADD_FAILURE() << name << ": device pixel " << x << "," << y;
        }
}

TEST(ViewLayer, DrawPlacesTheWholeImageOrTheClampedPart)
{
    CZAVPtr<IZAVImageEditSp> edit = MakePicture();
    CZAVPtr<IZAVViewLayerSp> layer = edit->GetViewLayerSp();
    struct DrawCase {
        const char* name;
        RECT (*map)(const CWorldRect&);
        POINT origin;
        int partial;
        CWorldRect part;
        const char* asked;  // what the view was asked to map
        RECT source;        // the image pixels expected on the device
    };
    const DrawCase cases[] = {
        {"whole image", ExtentView, {4, 6}, 0, {}, "0,50,100,0;", {0, 0, 99, 49}},
        // The part's pixels, one more on every side.
        {"part inside", PointsView, {2, 3}, 1, {10, 40, 20, 30}, "9,41,21,29;", {9, 8, 21, 20}},
        // Reaching outside the image: only the image's pixels are drawn.
        {"part reaching outside", PointsView, {5, 3}, 1, {-20, 60, 30, 20}, "0,49,31,19;", {0, 0, 31, 30}},
        {"part beyond the bottom-right corner",
         PointsView,
         {0, 0},
         1,
         {97, 2, 140, -9},
         "96,3,99,0;",
         {96, 46, 99, 49}},
    };
    for (const DrawCase& c : cases) {
        TestDeviceSettings settings;
        settings.width = 110;
        settings.height = 60;
        HDC dc = CreateTestDC(settings);
        FunctionView view(c.map);
        EXPECT_EQ(layer->Draw(dc, 0, 0, &view, &c.origin, c.partial, &c.part, 0, 0), 1) << c.name;
        EXPECT_EQ(view.Asked(), c.asked) << c.name;
        const RECT device = c.map(c.partial ? edit->GetCnv()->PixelRectToWorld(c.source) : kResetWorld);
        ExpectSectionOnly(dc, c.origin.x + device.left, c.origin.y + device.top, c.source, c.name);
        DeleteDC(dc);
    }
}

TEST(ViewLayer, DrawingAnEmptyImageAsksNothing)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    CZAVPtr<IZAVViewLayerSp> layer = edit->GetViewLayerSp();
    FunctionView view(PointsView);
    HDC dc = CreateTestDC(TestDeviceSettings{});
    const CWorldRect part{0, 1, 1, 0};
    EXPECT_EQ(layer->Draw(dc, 0, 0, &view, nullptr, 1, &part, 0, 0), 0);
    EXPECT_EQ(layer->DrawTo(nullptr, 0, &view, nullptr, 1, &part, 0, 0), 0);
    EXPECT_EQ(view.Asked(), "");
    DeleteDC(dc);
}

// A caller's drawing object that writes down what it is told.
class RecordingDrawing final : public IZAVLayerDrawing {
public:
    RecordingDrawing(std::string& log, IZAVImageEditSp* expectedImage) : m_log(log), m_expectedImage(expectedImage) {}
    uint32_t AddRef() override { return ++m_count; }
    uint32_t Release() override
    {
        if (--m_count > 0)
            return m_count;
        m_log += "gone;";
        delete this;
        return 0;
    }
    int32_t GetRefCount() override { return int32_t(m_count); }
    void SetTarget(IZAVLayerTarget*) override { m_log += "target;"; }
    void SetTransparentColor(COLORREF color, int32_t enabled) override
    {
        char text[32];
        std::snprintf(text, sizeof text, "transparent %06X %d;", unsigned(color), int(enabled));
        m_log += text;
    }
    void SetImageEdit(IZAVImageEditSp* image) override
    {
        m_log += image == m_expectedImage ? "image;" : "another image;";
    }
    int32_t DrawSection(IZAVLayerTarget*, int x, int y, int width, int height, int unit, int sourceX, int sourceY,
                        int sourceWidth, int sourceHeight) override
    {
        m_log += "draw";
        for (int v : {x, y, width, height, unit, sourceX, sourceY, sourceWidth, sourceHeight})
            m_log += " " + std::to_string(v);
        m_log += ";";
        return 42;
    }

private:
    ~RecordingDrawing() = default;
    std::string& m_log;
    IZAVImageEditSp* m_expectedImage;
    uint32_t m_count = 1;
};

class RecordingTarget : public IZAVLayerTarget {
public:
    RecordingTarget(std::string& log, IZAVImageEditSp* image) : m_log(log), m_image(image) {}
    CZAVPtr<IZAVLayerDrawing> CreateDrawing() override
    {
        m_log += "create;";
        return CZAVPtr<IZAVLayerDrawing>(new RecordingDrawing(m_log, m_image));
    }

private:
    std::string& m_log;
    IZAVImageEditSp* m_image;
};

TEST(ViewLayer, DrawToKeepsItsDrawingObjectUntilTheImageIsReset)
{
    std::string log;
    {
        CZAVPtr<IZAVImageEditSp> edit = MakePicture();
        CZAVPtr<IZAVViewLayerSp> layer = edit->GetViewLayerSp();
        RecordingTarget target(log, edit.Get());
        FunctionView view(ExtentView);
        const POINT origin{7, 8};
        const CWorldRect part{10, 40, 20, 30};
        struct Step {
            const char* name;
            std::function<void()> before;
            int partial;
            const char* log;
        };
        const Step steps[] = {
            {"first draw makes the object", [] {}, 0, "create;target;image;draw 7 8 100 50 5 0 0 100 50;"},
            {"second draw reuses it", [] {}, 1, "draw 16 17 12 12 5 9 8 13 13;"},
            {"a reset drops it", [&] { edit->Create(kWidth, kHeight, zavbpp24); }, 0,
             "gone;create;target;image;draw 7 8 100 50 5 0 0 100 50;"},
            {"draw mode 5 hands over the transparent colour",
             [&] {
                 edit->SetDrawMode(5);
                 edit->SetTransparentColor(0x123456);
             },
             0, "gone;create;target;transparent 123456 1;image;draw 7 8 100 50 5 0 0 100 50;"},
        };
        for (const Step& s : steps) {
            log.clear();
            s.before();
            EXPECT_EQ(layer->DrawTo(&target, 0, &view, &origin, s.partial, &part, 0, 0), 42) << s.name;
            EXPECT_EQ(log, s.log) << s.name;
        }
        log.clear();
    }
    // The kept object goes with the image-edit object.
    EXPECT_EQ(log, "gone;");
}

}  // namespace
