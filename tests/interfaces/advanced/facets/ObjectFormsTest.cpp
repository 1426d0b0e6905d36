// The forms on advanced objects of the colour-conversion, filter, geometry
// and image-processing facets: each reaches its entry point with the owner's
// handle first, the operands' handles and the values in their places.
#include <functional>

#include <gtest/gtest.h>

#include "interfaces/advanced/facets/ZAVAIPArithmetic.h"
#include "interfaces/advanced/facets/ZAVAIPColorConversion.h"
#include "interfaces/advanced/facets/ZAVAIPFilter.h"
#include "interfaces/advanced/facets/ZAVAIPImageProcessing.h"
#include "interfaces/advanced/facets/ZAVAIPLogic.h"
#include "interfaces/advanced/facets/ZAVAIPTransformation.h"
#include "support/ThrownText.h"
#include "tests/interfaces/advanced/facets/FacetTestSupport.h"

namespace ZAVTest {
namespace {

using namespace ZAV;

using Operands = IZAVAdvancedImgProcSp*;

struct ObjectForm {
    const char* expected;  // {o} the owner, {a} and {b} the operands
    std::function<void(IZAVAdvancedImgProcSp&, Operands, Operands)> call;
};

CArraySimple<double, 3> Doubles(std::vector<double> values)
{
    return CArraySimple<double, 3>(values);
}

const ObjectForm kObjectForms[] = {
    {"HDRScaleDown({o}, {a})", [](auto& o, Operands a, Operands) { o.GetColorConversion()->HDRScaleDown(a); }},
    {"RGBtoCMY({o})", [](auto& o, Operands, Operands) { o.GetColorConversion()->RGBtoCMY(); }},
    {"CMYtoRGB({o})", [](auto& o, Operands, Operands) { o.GetColorConversion()->CMYtoRGB(); }},
    {"RGBtoYUV({o}, {a})", [](auto& o, Operands a, Operands) { o.GetColorConversion()->RGBtoYUV(a); }},
    {"YUVtoRGB({o}, {a})", [](auto& o, Operands a, Operands) { o.GetColorConversion()->YUVtoRGB(a); }},
    {"RGBtoXYZ({o}, {a})", [](auto& o, Operands a, Operands) { o.GetColorConversion()->RGBtoXYZ(a); }},
    {"XYZtoRGB({o}, {a})", [](auto& o, Operands a, Operands) { o.GetColorConversion()->XYZtoRGB(a); }},
    {"RGBtoYCC({o}, {a})", [](auto& o, Operands a, Operands) { o.GetColorConversion()->RGBtoYCC(a); }},
    {"YCCtoRGB({o}, {a})", [](auto& o, Operands a, Operands) { o.GetColorConversion()->YCCtoRGB(a); }},
    {"Grayscale({o}, {a})", [](auto& o, Operands a, Operands) { o.GetColorConversion()->Grayscale(a); }},
    {"Grayscale8Bit({o}, {a})", [](auto& o, Operands a, Operands) { o.GetColorConversion()->Grayscale8Bit(a); }},
    {"ConvertTo1Bit({o}, {a}, 140)",
     [](auto& o, Operands a, Operands) { o.GetColorConversion()->ConvertTo1Bit(a, 140); }},
    {"GammaCorrection({o}, 22)", [](auto& o, Operands, Operands) { o.GetColorConversion()->GammaCorrection(22); }},
    {"ScaleToGray({o}, {a}, 3)", [](auto& o, Operands a, Operands) { o.GetColorConversion()->ScaleToGray(a, 3); }},
    {"Filter({o}, 7, {a})", [](auto& o, Operands a, Operands) { o.GetFilter()->Filter(7, a); }},
    {"FilterUserDefined({o}, {a}, [1 2 3 4 5 6], 3, 2, 9, -1, 4)",
     [](auto& o, Operands a, Operands) {
         o.GetFilter()->FilterUserDefined(a, Ints({1, 2, 3, 4, 5, 6}), 3, 2, 9, -1, 4);
     }},
    {"Antialias({o}, {a})", [](auto& o, Operands a, Operands) { o.GetFilter()->Antialias(a); }},
    {"Resize({o}, {a}, 9, 8, 1)", [](auto& o, Operands a, Operands) { o.GetTransformation()->Resize(a, 9, 8, 1); }},
    {"MirrorHorizontal({o})", [](auto& o, Operands, Operands) { o.GetTransformation()->MirrorHorizontal(); }},
    {"MirrorVertical({o})", [](auto& o, Operands, Operands) { o.GetTransformation()->MirrorVertical(); }},
    {"Rotate({o}, {a}, 30.5, 1)", [](auto& o, Operands a, Operands) { o.GetTransformation()->Rotate(a, 30.5, 1); }},
    {"RotateCenter({o}, {a}, -45, 1, 2, 3)",
     [](auto& o, Operands a, Operands) { o.GetTransformation()->RotateCenter(a, -45.0, 1, 2, 3); }},
    {"Shear({o}, {a}, 0.25, -0.5, 0)",
     [](auto& o, Operands a, Operands) { o.GetTransformation()->Shear(a, 0.25, -0.5, 0); }},
    {"WarpPerspective({o}, {a}, [1 0 2 0 1 3 0 0 1], 9, 1)",
     [](auto& o, Operands a, Operands) {
         o.GetTransformation()->WarpPerspective(a, Doubles({1, 0, 2, 0, 1, 3, 0, 0, 1}), 1);
     }},
    {"Fill({o}, 16711935)", [](auto& o, Operands, Operands) { o.GetImageProcessing()->Fill(0xFF00FF); }},
    {"Copy({o}, {a})", [](auto& o, Operands a, Operands) { o.GetImageProcessing()->Copy(a); }},
    {"CopyWithMask({o}, {a}, {b})",
     [](auto& o, Operands a, Operands b) { o.GetImageProcessing()->CopyWithMask(a, b); }},
    {"Crop({o}, {a}, 1, 2, 3, 4)", [](auto& o, Operands a, Operands) { o.GetImageProcessing()->Crop(a, 1, 2, 3, 4); }},
    {"CropTo({o}, {a}, 1, 2, 3, 4, 5, 6)",
     [](auto& o, Operands a, Operands) { o.GetImageProcessing()->CropTo(a, 1, 2, 3, 4, 5, 6); }},
    {"CopyWithConstBorder({o}, {a}, 2, 3, 255)",
     [](auto& o, Operands a, Operands) { o.GetImageProcessing()->CopyWithConstBorder(a, 2, 3, 255); }},
    {"CopyWithReplicateBorder({o}, {a}, 4, 5)",
     [](auto& o, Operands a, Operands) { o.GetImageProcessing()->CopyWithReplicateBorder(a, 4, 5); }},
    {"SplitChannels({o}, {a}, {b}, {a})",
     [](auto& o, Operands a, Operands b) { o.GetImageProcessing()->SplitChannels(a, b, a); }},
    {"FromChannels({o}, {b}, {a}, {b})",
     [](auto& o, Operands a, Operands b) { o.GetImageProcessing()->FromChannels(b, a, b); }},
    {"SplitChannelsRGBA({o}, {a}, {b}, {b}, {a})",
     [](auto& o, Operands a, Operands b) { o.GetImageProcessing()->SplitChannelsRGBA(a, b, b, a); }},
    {"FromChannelsRGBA({o}, {b}, {a}, {a}, {b})",
     [](auto& o, Operands a, Operands b) { o.GetImageProcessing()->FromChannelsRGBA(b, a, a, b); }},
    {"FloodFill({o}, 1, 2, 3, 4, 5, 6)",
     [](auto& o, Operands, Operands) { o.GetImageProcessing()->FloodFill(1, 2, 3, 4, 5, 6); }},
    {"LookUpTable8Bit({o}, {a}, [0 128 255], [255 64 0], 3, 1)",
     [](auto& o, Operands a, Operands) {
         o.GetImageProcessing()->LookUpTable8Bit(a, Ints({0, 128, 255}), Ints({255, 64, 0}), 1);
     }},
    {"LookUpTable({o}, {a}, [0 255], [10 20], 2, [0], [7], 1, [0 9 255], [1 2 3], 3, 0)",
     [](auto& o, Operands a, Operands) {
         o.GetImageProcessing()->LookUpTable(a, Ints({0, 255}), Ints({10, 20}), Ints({0}), Ints({7}), Ints({0, 9, 255}),
                                             Ints({1, 2, 3}), 0);
     }},
    {"Erode({o})", [](auto& o, Operands, Operands) { o.GetImageProcessing()->Erode(); }},
    {"Dilate({o})", [](auto& o, Operands, Operands) { o.GetImageProcessing()->Dilate(); }},
    {"ErodeEx({o}, [0 1 0 1 1 1], 3, 2)",
     [](auto& o, Operands, Operands) {
         o.GetImageProcessing()->ErodeEx(Ints({0, 1, 0, 1, 1, 1}), 3, 2);
     }},
    {"DilateEx({o}, [1 1], 1, 2)",
     [](auto& o, Operands, Operands) {
         o.GetImageProcessing()->DilateEx(Ints({1, 1}), 1, 2);
     }},
    {"ApplyAlphaChannelConstant({o}, 128)",
     [](auto& o, Operands, Operands) { o.GetImageProcessing()->ApplyAlphaChannelConstant(128); }},
    {"ApplyAlphaChannel({o}, {b})",
     [](auto& o, Operands, Operands b) { o.GetImageProcessing()->ApplyAlphaChannel(b); }},
    {"AlphaOverlay({o}, {b}, {a}, 3)",
     [](auto& o, Operands a, Operands b) { o.GetImageProcessing()->AlphaOverlay(b, a, 3); }},
    {"AlphaOverlayWithConstant({o}, {a}, 10, {b}, 20, 30)",
     [](auto& o, Operands a, Operands b) { o.GetImageProcessing()->AlphaOverlayWithConstant(a, 10, b, 20, 30); }},
    {"SwapChannels({o}, {a}, [2 0 1], 3)",
     [](auto& o, Operands a, Operands) {
         o.GetImageProcessing()->SwapChannels(a, Ints({2, 0, 1}));
     }},
};

class ObjectForms : public testing::Test {
protected:
    void SetUp() override
    {
        owner = CreateAdvancedImgProcSp();
        first = CreateAdvancedImgProcSp();
        second = CreateAdvancedImgProcSp();
        owner->Create(4, 3, 24);
        handles = {
            {"o", owner->GetLibraryHandle()}, {"a", first->GetLibraryHandle()}, {"b", second->GetLibraryHandle()}};
    }
    void TearDown() override
    {
        owner.Reset();
        first.Reset();
        second.Reset();
        EXPECT_EQ(0, fake.LiveHandles());
    }

    CFakeKorvex55 fake;
    CZAVPtr<IZAVAdvancedImgProcSp> owner;
    CZAVPtr<IZAVAdvancedImgProcSp> first;
    CZAVPtr<IZAVAdvancedImgProcSp> second;
    std::map<std::string, KORV_Handle> handles;
};

TEST_F(ObjectForms, EachReachesItsEntryPointWithHandlesAndValuesInPlace)
{
    for (const ObjectForm& form : kObjectForms) {
        fake.Reset();
        form.call(*owner.Get(), first.Get(), second.Get());
        EXPECT_EQ(std::vector<std::string>{WithHandles(form.expected, handles)}, WorkLines(fake));
    }
}

TEST_F(ObjectForms, EachRaisesTheLibrarysTextAndStaysUsable)
{
    for (const ObjectForm& form : kObjectForms) {
        fake.Reset();
        const std::string expected = form.expected;
        const std::string operation = expected.substr(0, expected.find('('));
        fake.SetStatus(operation.c_str(), 17, ("no " + operation).c_str());
        EXPECT_EQ("no " + operation, ThrownText([&] { form.call(*owner.Get(), first.Get(), second.Get()); }));
        fake.SetStatus(operation.c_str(), 0, "");
        EXPECT_EQ("(nothing thrown)", ThrownText([&] { form.call(*owner.Get(), first.Get(), second.Get()); }));
    }
}

TEST_F(ObjectForms, ANullOperandIsRefusedBeforeTheLibrary)
{
    fake.Reset();
    EXPECT_EQ("Invalid Parameter!", ThrownText([&] {
                  owner->GetColorConversion()->Grayscale8Bit(static_cast<IZAVAdvancedImgProcSp*>(nullptr));
              }));
    EXPECT_EQ("Invalid Parameter!",
              ThrownText([&] { owner->GetImageProcessing()->SplitChannels(first.Get(), nullptr, second.Get()); }));
    // The in-place facets' object forms refuse it the same way.
    IZAVAdvancedImgProcSp* const none = nullptr;
    EXPECT_EQ("Invalid Parameter!", ThrownText([&] { owner->GetArithmetic()->Add(none); }));
    EXPECT_EQ("Invalid Parameter!", ThrownText([&] { owner->GetArithmetic()->Difference(first.Get(), none); }));
    EXPECT_EQ("Invalid Parameter!", ThrownText([&] { owner->GetArithmetic()->DifferenceConstant(none, 3); }));
    EXPECT_EQ("Invalid Parameter!", ThrownText([&] { owner->GetLogic()->Xor(none); }));
    EXPECT_TRUE(WorkLines(fake).empty());
}

TEST_F(ObjectForms, QueriesGiveWhatTheLibraryWrote)
{
    fake.Reset();
    const AIPBox box = owner->GetTransformation()->RotateBox(owner.Get(), 30.0);
    EXPECT_EQ(4.0, box.right - box.left);
    EXPECT_EQ(3.0, box.bottom - box.top);
    const AIPBox sheared = owner->GetTransformation()->ShearBox(owner.Get(), 0.5, 0.25);
    EXPECT_EQ(4.0, sheared.right);
    const AIPBox warped =
        owner->GetTransformation()->WarpPerspectiveBox(owner.Get(), Doubles({1, 0, 0, 0, 1, 0, 0, 0, 1}));
    EXPECT_EQ(3.0, warped.bottom);
    const CArraySimple<double, 3> coefficients =
        owner->GetTransformation()->WarpPerspectiveCoefficients(owner.Get(), Doubles({0, 0, 4, 0, 4, 3, 0, 3}));
    ASSERT_EQ(9, coefficients.GetSize());
    EXPECT_EQ(1.0, coefficients.GetAt(0));
    EXPECT_EQ(1.0, coefficients.GetAt(8));
    EXPECT_EQ(std::make_pair(0, 0), owner->GetFilter()->GetFilterBorder(3, 3));
    EXPECT_EQ(std::make_pair(0, 0), owner->GetFilter()->GetFilterBorderEx(3, 3, 1, 1));
    const std::string o = std::to_string(handles["o"]);
    EXPECT_EQ((std::vector<std::string>{
                  "RotateBox(" + o + ", " + o + ", 30, out, out, out, out)",
                  "ShearBox(" + o + ", " + o + ", 0.5, 0.25, out, out, out, out)",
                  "WarpPerspectiveBox(" + o + ", " + o + ", [1 0 0 0 1 0 0 0 1], 9, out, out, out, out)",
                  "WarpPerspectiveCoefficients(" + o + ", " + o + ", [0 0 4 0 4 3 0 3], 8, out, 9)",
                  "GetFilterBorder(" + o + ", 3, 3, out, out)", "GetFilterBorderEx(" + o + ", 3, 3, 1, 1, out, out)"}),
              WorkLines(fake));
}

TEST_F(ObjectForms, AFailingQueryThrowsBeforeItsResultIsMade)
{
    const struct {
        const char* operation;
        std::function<void()> call;
    } queries[] = {
        {"GetRoiForFilter", [&] { owner->GetFilter()->GetRoiForFilter(1, 5, 6); }},
        {"GetRoiForFilterEx", [&] { owner->GetFilter()->GetRoiForFilterEx(1, 2, 3, 5, 6); }},
        {"GetFilterBorder", [&] { owner->GetFilter()->GetFilterBorder(1, 2); }},
        {"GetFilterBorderEx", [&] { owner->GetFilter()->GetFilterBorderEx(1, 2, 3, 4); }},
        {"RotateBox", [&] { owner->GetTransformation()->RotateBox(first.Get(), 1.0); }},
        {"WarpPerspectiveCoefficients",
         [&] {
             owner->GetTransformation()->WarpPerspectiveCoefficients(first.Get(), Doubles({1, 2}));
         }},
    };
    for (const auto& query : queries) {
        fake.Reset();
        fake.SetStatus(query.operation, 3, "query failed");
        EXPECT_EQ("query failed", ThrownText(query.call)) << query.operation;
    }
}

// The library reads as many elements as the values promise; an array that
// holds fewer would let it read beyond, so it never gets there.
TEST_F(ObjectForms, ShortArraysAreRefusedBeforeTheLibraryReadsThem)
{
    const struct {
        std::function<void()> call;
        const char* text;
    } cases[] = {
        {[&] {
             owner->GetFilter()->FilterUserDefined(first.Get(), Ints({1, 2, 3, 4, 5, 6, 7, 8}), 3, 3, 1, 0, 0);
         },
         "The filter kernel holds 8 values, but 9 are needed!"},
        {[&] { owner->GetFilter()->FilterUserDefined(first.Get(), Ints({}), 65536, 65536, 1, 0, 0); },
         "The filter kernel holds 0 values, but 4294967296 are needed!"},
        {[&] {
             owner->GetImageProcessing()->ErodeEx(Ints({1, 1, 1}), 2, 2);
         },
         "The morphology mask holds 3 values, but 4 are needed!"},
        {[&] { owner->GetImageProcessing()->DilateEx(Ints({}), 1, 1); },
         "The morphology mask holds 0 values, but 1 are needed!"},
        {[&] {
             owner->GetImageProcessing()->LookUpTable8Bit(first.Get(), Ints({0}), Ints({1, 2}), 0);
         },
         "The lookup table's levels holds 1 values, but 2 are needed!"},
        {[&] {
             owner->GetImageProcessing()->LookUpTable(first.Get(), Ints({0}), Ints({1}), Ints({0}), Ints({1}),
                                                      Ints({0, 1}), Ints({1, 2, 3}), 0);
         },
         "The lookup table's levels holds 2 values, but 3 are needed!"},
    };
    for (const auto& c : cases) {
        fake.Reset();
        EXPECT_EQ(c.text, ThrownText(c.call));
        EXPECT_TRUE(WorkLines(fake).empty());
    }
}

}  // namespace
}  // namespace ZAVTest
