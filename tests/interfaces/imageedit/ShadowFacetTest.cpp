// The Shadow facet: its settings, the contour shapes, when the effect
// object is built and rendered, the advanced library's filter pass (over the
// stand-in library), and its failures.
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"
#include "interfaces/imageedit/facets/shadow/ZAVImageEditShadow.h"
#include "tests/interfaces/advanced/FakeKorvex55Control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ImageEditTestPixels.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

namespace {

using namespace ZAV;
using Bytes = std::vector<unsigned char>;
using Picture = CZAVPtr<IZAVImageEditSp> (IZAVImageEditShadowCpp::*)();

constexpr int kSide = 64;
constexpr COLORREF kObjectColour = 0x3050A0;
const char kNoMaskText[] = "There is no mask available!";
const char kMaskSizeText[] = "Mask size differs from object size!";

CZAVPtr<IZAVImageEditSp> NewImage(int width, int height, zavBitsPerPixel depth)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->Create(width, height, depth);
    return edit;
}

// A 24-bit object of one colour and an 8-bit mask with a square of 255 in
// the middle. The effect's filter pass runs in the stand-in library, which
// leaves the pixels as they are unless a test asks for a fill.
class ShadowFacet : public ::testing::Test {
protected:
    ShadowFacet()
    {
        object->GetImageEdit()->GetImage().DrawRectangle(0, 0, kSide, kSide, kObjectColour);
        mask = MaskOfWidth(kSide);
        shadow.SetShadowMask(mask.Get());
    }

    static CZAVPtr<IZAVImageEditSp> MaskOfWidth(int width)
    {
        CZAVPtr<IZAVImageEditSp> made = NewImage(width, kSide, zavbpp8);
        made->GetImageEdit()->GetImage().DrawRectangle(16, 16, 48, 48, 255);
        return made;
    }

    Bytes PixelsOf(Picture picture) { return ZAVTest::PixelsOf(*(shadow.*picture)().Get()); }

    // Declared first: the pictures' advanced objects go before the fake.
    ZAVTest::CFakeKorvex55 fake;
    CZAVPtr<IZAVImageEditSp> object = NewImage(kSide, kSide, zavbpp24);
    CZAVPtr<IZAVImageEditSp> mask;
    IZAVImageEditShadowCpp& shadow = *object->GetShadow();
};

const Picture kPictures[] = {
    &IZAVImageEditShadowCpp::GetEffectObjectImage,
    &IZAVImageEditShadowCpp::GetEffectMaskImage,
    &IZAVImageEditShadowCpp::GetEffectImage,
    &IZAVImageEditShadowCpp::GetEffectOverlayImage,
    &IZAVImageEditShadowCpp::GetEffectDoubleOverlayImage,
    &IZAVImageEditShadowCpp::GetCompositeImage,
};

TEST(ShadowFacetSettings, DefaultsAndSetters)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    IZAVImageEditShadowCpp& shadow = *edit->GetShadow();
    using Getter = int32_t (IZAVImageEditShadowCpp::*)();
    using Setter = void (IZAVImageEditShadowCpp::*)(int32_t);
    struct Case {
        Getter get;
        Setter set;
        int32_t initial;
    };
    const Case cases[] = {
        {&IZAVImageEditShadowCpp::GetShadowValue1, &IZAVImageEditShadowCpp::SetShadowValue1, 0},
        {&IZAVImageEditShadowCpp::GetShadowColor, &IZAVImageEditShadowCpp::SetShadowColor, 0xFFFFFF},
        {&IZAVImageEditShadowCpp::GetCompositeOrder, &IZAVImageEditShadowCpp::SetCompositeOrder, 1},
        {&IZAVImageEditShadowCpp::GetShadowAngle, &IZAVImageEditShadowCpp::SetShadowAngle, 0},
        {&IZAVImageEditShadowCpp::GetShadowDistance, &IZAVImageEditShadowCpp::SetShadowDistance, 0},
        {&IZAVImageEditShadowCpp::GetShadowValue4, &IZAVImageEditShadowCpp::SetShadowValue4, 0},
        {&IZAVImageEditShadowCpp::GetEffectSize, &IZAVImageEditShadowCpp::SetEffectSize, 10},
        {&IZAVImageEditShadowCpp::GetContourShape, &IZAVImageEditShadowCpp::SetContourShape, 1},
        {&IZAVImageEditShadowCpp::GetShadowValue6, &IZAVImageEditShadowCpp::SetShadowValue6, 0},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(cases[i].initial, (shadow.*cases[i].get)());
        (shadow.*cases[i].set)(-7);
        EXPECT_EQ(-7, (shadow.*cases[i].get)());
    }

    EXPECT_TRUE(shadow.GetShadowMask().IsEmpty());
    CZAVPtr<IZAVImageEditSp> mask = CreateImageEditSp();
    shadow.SetShadowMask(mask.Get());
    EXPECT_EQ(mask.Get(), shadow.GetShadowMask().Get());
    shadow.SetShadowMask(nullptr);
    EXPECT_TRUE(shadow.GetShadowMask().IsEmpty());
}

TEST(ShadowFacetSettings, ContourShapeNames)
{
    const std::pair<int32_t, const char*> cases[] = {
        {0, "line"}, {1, "line"}, {5, "line"}, {-1, "line"}, {2, "cone"}, {3, "invcone"}, {4, "saw"},
    };
    for (const auto& [shape, name] : cases)
        EXPECT_STREQ(name, CZAVImageEditShadow::ContourName(shape)) << shape;
}

// Without a mask, or with a mask that has no image, every picture fails.
TEST(ShadowFacetSettings, NoMaskNoPicture)
{
    CZAVPtr<IZAVImageEditSp> object = NewImage(4, 4, zavbpp24);
    IZAVImageEditShadowCpp& shadow = *object->GetShadow();
    CZAVPtr<IZAVImageEditSp> empty = CreateImageEditSp();
    for (IZAVImageEditSp* mask : {static_cast<IZAVImageEditSp*>(nullptr), empty.Get()}) {
        shadow.SetShadowMask(mask);
        for (Picture picture : kPictures)
            EXPECT_EQ(kNoMaskText, ZAVTest::ThrownText([&] { (shadow.*picture)(); }));
    }
}

TEST_F(ShadowFacet, ObjectAndMaskPicturesAreTheCallers)
{
    EXPECT_EQ(object.Get(), shadow.GetEffectObjectImage().Get());
    EXPECT_EQ(mask.Get(), shadow.GetEffectMaskImage().Get());
    for (Picture picture : kPictures) {
        CZAVPtr<IZAVImageEditSp> made = (shadow.*picture)();
        EXPECT_EQ(kSide, made->GetWidth());
        EXPECT_EQ(kSide, made->GetHeight());
    }
}

// Shapes other than 2, 3 and 4 give the linear profile; the contour counts
// only for effect sizes 1 to 254.
TEST_F(ShadowFacet, ContourShapesAndSizes)
{
    const Picture effect = &IZAVImageEditShadowCpp::GetEffectImage;
    const Bytes line = PixelsOf(effect);
    for (int32_t shape : {0, 5, -1}) {
        shadow.SetContourShape(shape);
        EXPECT_EQ(line, PixelsOf(effect)) << shape;
    }
    for (int32_t shape : {2, 3, 4}) {
        shadow.SetContourShape(shape);
        EXPECT_NE(line, PixelsOf(effect)) << shape;
    }
    for (int32_t size : {0, 255}) {
        shadow.SetEffectSize(size);
        shadow.SetContourShape(1);
        const Bytes withoutContour = PixelsOf(effect);
        shadow.SetContourShape(2);
        EXPECT_EQ(withoutContour, PixelsOf(effect)) << size;
    }
}

// With noise, a second render would give other pixels: two requests give
// the same picture with the same pixels. A setter, even with the value
// already set, builds a new effect with new pictures.
TEST_F(ShadowFacet, RendersOncePerBuild)
{
    shadow.SetShadowValue1(60);
    shadow.SetShadowDistance(3);
    CZAVPtr<IZAVImageEditSp> first = shadow.GetCompositeImage();
    const Bytes firstPixels = ZAVTest::PixelsOf(*first.Get());
    const Bytes effectPixels = PixelsOf(&IZAVImageEditShadowCpp::GetEffectImage);
    CZAVPtr<IZAVImageEditSp> second = shadow.GetCompositeImage();
    EXPECT_EQ(first.Get(), second.Get());
    EXPECT_EQ(firstPixels, ZAVTest::PixelsOf(*second.Get()));
    EXPECT_EQ(effectPixels, PixelsOf(&IZAVImageEditShadowCpp::GetEffectImage));

    shadow.SetShadowColor(shadow.GetShadowColor());
    CZAVPtr<IZAVImageEditSp> rebuilt = shadow.GetCompositeImage();
    EXPECT_NE(first.Get(), rebuilt.Get());

    shadow.ResetShadow();
    EXPECT_NE(rebuilt.Get(), shadow.GetCompositeImage().Get());
}

TEST_F(ShadowFacet, CompositeOrder)
{
    shadow.SetShadowDistance(4);
    const Bytes objectOverEffect = PixelsOf(&IZAVImageEditShadowCpp::GetCompositeImage);
    shadow.SetCompositeOrder(0);
    EXPECT_NE(objectOverEffect, PixelsOf(&IZAVImageEditShadowCpp::GetCompositeImage));
    shadow.SetCompositeOrder(1);
    EXPECT_EQ(objectOverEffect, PixelsOf(&IZAVImageEditShadowCpp::GetCompositeImage));
}

// A mask of another size fails on this request and on every later one,
// never handing out the pictures of the mask before; a fitting mask mends
// it.
TEST_F(ShadowFacet, WrongSizeMaskFailsOnEveryRequest)
{
    CZAVPtr<IZAVImageEditSp> before = shadow.GetCompositeImage();
    CZAVPtr<IZAVImageEditSp> wide = MaskOfWidth(kSide + 1);
    shadow.SetShadowMask(wide.Get());
    for (int request = 0; request < 2; ++request)
        for (Picture picture : kPictures)
            EXPECT_EQ(kMaskSizeText, ZAVTest::ThrownText([&] { (shadow.*picture)(); })) << request;

    shadow.SetShadowMask(mask.Get());
    CZAVPtr<IZAVImageEditSp> after = shadow.GetCompositeImage();
    EXPECT_NE(before.Get(), after.Get());
    EXPECT_EQ(ZAVTest::PixelsOf(*before.Get()), ZAVTest::PixelsOf(*after.Get()));
}

// Each build filters its effect once in the library, with kind 25, on a
// copy of the effect picture; the effect (grey, handed out in colour) is
// what the library made of it.
TEST_F(ShadowFacet, EffectTakesTheLibrarysFilterPassOncePerBuild)
{
    fake.SetFill("Filter", 0x40);
    EXPECT_EQ(Bytes(kSide * kSide * 3, 0x40), PixelsOf(&IZAVImageEditShadowCpp::GetEffectImage));
    shadow.GetCompositeImage();
    const std::vector<std::string> filters = fake.CallsOf({"Filter"});
    ASSERT_EQ(1u, filters.size());
    EXPECT_NE(std::string::npos, filters[0].find(", 25, ")) << filters[0];

    shadow.SetEffectSize(3);
    shadow.GetCompositeImage();
    EXPECT_EQ(2u, fake.CallsOf({"Filter"}).size());
}

// The pass belongs to every effect: a library that refuses it, or none to
// bind, fails the picture with its text, on this request and the next.
TEST_F(ShadowFacet, EffectFailsWithoutTheFilterPass)
{
    fake.SetStatus("Filter", 3, "The stand-in refused the filter.");
    for (int request = 0; request < 2; ++request)
        EXPECT_EQ("The stand-in refused the filter.", ZAVTest::ThrownText([&] { shadow.GetCompositeImage(); }));

    fake.Reset();
    shadow.ResetShadow();
    ZAVTest::TempDir empty;
    CAipDynDll::SetLibraryFolderForTests(empty.Path());
    EXPECT_EQ("Can't load dll 'KORVEX55.DLL'", ZAVTest::ThrownText([&] { shadow.GetEffectImage(); }));
    CAipDynDll::SetLibraryFolderForTests(ZAVTest::CFakeKorvex55::Folder());
    EXPECT_EQ(kSide, shadow.GetEffectImage()->GetWidth());
}

// The effect's grey samples (the picture repeats each in colour) of a
// fresh object and mask, all let go before the library may change.
Bytes FreshEffectSamples()
{
    CZAVPtr<IZAVImageEditSp> object = NewImage(kSide, kSide, zavbpp24);
    CZAVPtr<IZAVImageEditSp> mask = NewImage(kSide, kSide, zavbpp8);
    mask->GetImageEdit()->GetImage().DrawRectangle(16, 16, 48, 48, 255);
    object->GetShadow()->SetShadowMask(mask.Get());
    const Bytes colour = ZAVTest::PixelsOf(*object->GetShadow()->GetEffectImage().Get());
    Bytes grey;
    for (size_t i = 0; i < colour.size(); i += 3)
        grey.push_back(colour[i]);
    return grey;
}

// The mean of the 5 x 5 neighbourhood, borders repeated, rounded half up.
Bytes BoxFiveByFive(const Bytes& samples)
{
    Bytes means;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            int sum = 0;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    sum += samples[std::clamp(y + dy, 0, kSide - 1) * kSide + std::clamp(x + dx, 0, kSide - 1)];
            means.push_back(static_cast<unsigned char>((sum * 2 + 25) / 50));
        }
    }
    return means;
}

// Our own library gives the pass its meaning: the effect the stand-in
// leaves unfiltered comes out of the real one as its 5 x 5 box mean.
TEST(ShadowFacetLibrary, OurLibraryBoxFiltersTheEffect)
{
    Bytes unfiltered;
    {
        ZAVTest::CFakeKorvex55 fake;
        unfiltered = FreshEffectSamples();
    }
    struct FolderGuard {
        FolderGuard() { CAipDynDll::SetLibraryFolderForTests(ZAV_BIN_DIR); }
        ~FolderGuard() { CAipDynDll::SetLibraryFolderForTests(""); }
    } ourLibrary;
    const Bytes filtered = FreshEffectSamples();
    EXPECT_NE(unfiltered, filtered);
    EXPECT_EQ(BoxFiveByFive(unfiltered), filtered);
}

}  // namespace
