// The image-edit forms that make the owner's image the result: the source's
// depth conversion, the owner's new size and depth, its pixels lent again
// before the call, the owner's own image read from a copy, and the objects
// made for the pictures released whatever happens.
#include <functional>

#include <gtest/gtest.h>

#include "interfaces/advanced/facets/ZAVAIPColorConversion.h"
#include "interfaces/advanced/facets/ZAVAIPFilter.h"
#include "interfaces/advanced/facets/ZAVAIPImageProcessing.h"
#include "interfaces/advanced/facets/ZAVAIPTransformation.h"
#include "support/ThrownText.h"
#include "tests/interfaces/advanced/facets/FacetTestSupport.h"

namespace ZAVTest {
namespace {

using namespace ZAV;

struct NewDestinationForm {
    const char* name;
    zavBitsPerPixel sourceDepth;
    zavBitsPerPixel convertedSourceDepth;
    int ownerWidth;
    int ownerHeight;
    int ownerDepth;
    const char* expected;  // {o} the owner, {s} the source
    std::function<void(IZAVAdvancedImgProcSp&, IZAVImageEditSp*)> call;
};

// Sources are 4 x 3; the stand-in's boxes are the source's own.
const NewDestinationForm kForms[] = {
    {"Grayscale", zavbpp24, zavbpp24, 4, 3, 24, "Grayscale({o}, {s})",
     [](auto& o, IZAVImageEditSp* s) { o.GetColorConversion()->Grayscale(s); }},
    {"Grayscale8Bit", zavbpp24, zavbpp24, 4, 3, 8, "Grayscale8Bit({o}, {s})",
     [](auto& o, IZAVImageEditSp* s) { o.GetColorConversion()->Grayscale8Bit(s); }},
    {"ConvertTo1Bit", zavbpp8, zavbpp8, 4, 3, 1, "ConvertTo1Bit({o}, {s}, 99)",
     [](auto& o, IZAVImageEditSp* s) { o.GetColorConversion()->ConvertTo1Bit(s, 99); }},
    {"ScaleToGray", zavbpp24, zavbpp24, 4, 3, 8, "ScaleToGray({o}, {s}, 2)",
     [](auto& o, IZAVImageEditSp* s) { o.GetColorConversion()->ScaleToGray(s, 2); }},
    {"Filter 1 bit", zavbpp1, zavbpp8, 4, 3, 8, "Filter({o}, 3, {s})",
     [](auto& o, IZAVImageEditSp* s) { o.GetFilter()->Filter(3, s); }},
    {"Filter 32 bits", zavbpp32, zavbpp24, 4, 3, 24, "Filter({o}, 0, {s})",
     [](auto& o, IZAVImageEditSp* s) { o.GetFilter()->Filter(0, s); }},
    {"FilterUserDefined", zavbpp24, zavbpp24, 4, 3, 24, "FilterUserDefined({o}, {s}, [0 -1 0 -1 5 -1], 3, 2, 1, 0, 0)",
     [](auto& o, IZAVImageEditSp* s) {
         o.GetFilter()->FilterUserDefined(s, Ints({0, -1, 0, -1, 5, -1}), 3, 2, 1, 0, 0);
     }},
    {"Antialias", zavbpp1, zavbpp8, 4, 3, 8, "Antialias({o}, {s})",
     [](auto& o, IZAVImageEditSp* s) { o.GetFilter()->Antialias(s); }},
    {"Resize", zavbpp32, zavbpp24, 7, 2, 24, "Resize({o}, {s}, 7, 2, 1)",
     [](auto& o, IZAVImageEditSp* s) { o.GetTransformation()->Resize(s, 7, 2, 1); }},
    {"RotateCenter", zavbpp1, zavbpp1, 4, 3, 1, "RotateCenter({o}, {s}, 45, 1, 2, 3)",
     [](auto& o, IZAVImageEditSp* s) { o.GetTransformation()->RotateCenter(s, 45.0, 1, 2, 3); }},
    {"Shear", zavbpp1, zavbpp8, 4, 3, 8, "Shear({o}, {s}, 0.5, 0, 1)",
     [](auto& o, IZAVImageEditSp* s) { o.GetTransformation()->Shear(s, 0.5, 0.0, 1); }},
    {"WarpPerspective", zavbpp32, zavbpp24, 4, 3, 24, "WarpPerspective({o}, {s}, [1 0 0 0 1 0 0 0 1], 9, 0)",
     [](auto& o, IZAVImageEditSp* s) {
         o.GetTransformation()->WarpPerspective(s, CArraySimple<double, 3>({1, 0, 0, 0, 1, 0, 0, 0, 1}), 0);
     }},
    {"Copy", zavbpp1, zavbpp8, 4, 3, 8, "Copy({o}, {s})",
     [](auto& o, IZAVImageEditSp* s) { o.GetImageProcessing()->Copy(s); }},
    {"Crop", zavbpp24, zavbpp24, 2, 1, 24, "Crop({o}, {s}, 1, 2, 2, 1)",
     [](auto& o, IZAVImageEditSp* s) { o.GetImageProcessing()->Crop(s, 1, 2, 2, 1); }},
    {"CopyWithConstBorder", zavbpp32, zavbpp24, 4, 3, 24, "CopyWithConstBorder({o}, {s}, 1, 2, 3)",
     [](auto& o, IZAVImageEditSp* s) { o.GetImageProcessing()->CopyWithConstBorder(s, 1, 2, 3); }},
    {"CopyWithReplicateBorder", zavbpp8, zavbpp8, 4, 3, 8, "CopyWithReplicateBorder({o}, {s}, 4, 5)",
     [](auto& o, IZAVImageEditSp* s) { o.GetImageProcessing()->CopyWithReplicateBorder(s, 4, 5); }},
    {"LookUpTable8Bit", zavbpp1, zavbpp1, 4, 3, 1, "LookUpTable8Bit({o}, {s}, [0 255], [255 0], 2, 0)",
     [](auto& o, IZAVImageEditSp* s) {
         o.GetImageProcessing()->LookUpTable8Bit(s, Ints({0, 255}), Ints({255, 0}), 0);
     }},
    {"LookUpTable", zavbpp32, zavbpp32, 4, 3, 32, "LookUpTable({o}, {s}, [0], [1], 1, [0], [2], 1, [0], [3], 1, 7)",
     [](auto& o, IZAVImageEditSp* s) {
         o.GetImageProcessing()->LookUpTable(s, Ints({0}), Ints({1}), Ints({0}), Ints({2}), Ints({0}), Ints({3}), 7);
     }},
    {"SwapChannels", zavbpp24, zavbpp24, 4, 3, 24, "SwapChannels({o}, {s}, [2 1 0], 3)",
     [](auto& o, IZAVImageEditSp* s) {
         o.GetImageProcessing()->SwapChannels(s, Ints({2, 1, 0}));
     }},
};

// The arguments of a call line (or of an expected pattern), split at ", ".
std::vector<std::string> Arguments(const std::string& line)
{
    const size_t open = line.find('(');
    const std::string inside = line.substr(open + 1, line.rfind(')') - open - 1);
    std::vector<std::string> arguments;
    for (size_t start = 0;;) {
        const size_t comma = inside.find(", ", start);
        arguments.push_back(inside.substr(start, comma - start));
        if (comma == std::string::npos)
            return arguments;
        start = comma + 2;
    }
}

std::string ArgumentAt(const std::string& line, size_t index)
{
    const std::vector<std::string> arguments = Arguments(line);
    return index < arguments.size() ? arguments[index] : "";
}

size_t ArgumentIndex(const std::string& pattern, const std::string& argument)
{
    const std::vector<std::string> arguments = Arguments(pattern);
    for (size_t i = 0; i < arguments.size(); ++i)
        if (arguments[i] == argument)
            return i;
    return arguments.size();
}

class NewDestinationForms : public testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(0, fake.LiveHandles()); }

    struct Pictures {
        CZAVPtr<IZAVImageEditSp> owner;
        CZAVPtr<IZAVImageEditSp> source;
        CZAVPtr<IZAVAdvancedImgProcSp> object;
    };

    // A 5 x 5 24-bit owner with its object and a 4 x 3 source of the form's
    // depth; the record starts after they are made.
    Pictures MakePictures(const NewDestinationForm& form)
    {
        Pictures pictures;
        pictures.owner = MakeImage(5, 5, zavbpp24);
        pictures.source = MakeImage(4, 3, form.sourceDepth);
        pictures.object = CreateAdvancedImgProcSpForImage(pictures.owner.Get());
        fake.Reset();
        return pictures;
    }

    CFakeKorvex55 fake;
};

TEST_F(NewDestinationForms, TheOwnerBecomesTheResultsSizeAndDepthAndIsLentBeforeTheCall)
{
    for (const NewDestinationForm& form : kForms) {
        SCOPED_TRACE(form.name);
        const Pictures pictures = MakePictures(form);
        form.call(*pictures.object.Get(), pictures.source.Get());
        EXPECT_EQ(form.convertedSourceDepth, pictures.source->GetBitsPerPixel());
        EXPECT_EQ(form.ownerWidth, pictures.owner->GetWidth());
        EXPECT_EQ(form.ownerHeight, pictures.owner->GetHeight());
        EXPECT_EQ(form.ownerDepth, pictures.owner->GetBitsPerPixel());
        const std::vector<std::string> lines = WorkLines(fake);
        ASSERT_GE(lines.size(), 2u);
        const KORV_Handle ownerHandle = pictures.object->GetLibraryHandle();
        EXPECT_EQ(WithHandles(form.expected, {{"o", ownerHandle}, {"s", HeldHandle(*pictures.source.Get())}}),
                  lines.back());
        EXPECT_EQ(AttachLine(ownerHandle, *pictures.owner.Get()),
                  LastLineOf(lines, "AttachNoFree(" + std::to_string(ownerHandle) + ", "));
        EXPECT_EQ(0, HeldCount(*pictures.source.Get()));
    }
}

TEST_F(NewDestinationForms, TheOwnersOwnImageIsReadFromACopy)
{
    for (const NewDestinationForm& form : kForms) {
        SCOPED_TRACE(form.name);
        // The image object copies no 32-bit image (its Attach takes none), so
        // the own image of those cases is 24 bits.
        const zavBitsPerPixel depth = form.sourceDepth == zavbpp32 ? zavbpp24 : form.sourceDepth;
        CZAVPtr<IZAVImageEditSp> owner = MakeImage(4, 3, depth);
        CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
        const std::string ownerHandle = std::to_string(object->GetLibraryHandle());
        fake.Reset();
        ASSERT_EQ("(nothing thrown)", ThrownText([&] { form.call(*object.Get(), owner.Get()); }));
        EXPECT_EQ(form.ownerWidth, owner->GetWidth());
        EXPECT_EQ(form.ownerHeight, owner->GetHeight());
        EXPECT_EQ(form.ownerDepth == 32 ? 24 : form.ownerDepth, owner->GetBitsPerPixel());
        // The source is a copy's object, lent pixels of its own: neither the
        // owner's object nor the one the owner's image keeps.
        const std::vector<std::string> lines = WorkLines(fake);
        const std::string sourceHandle = ArgumentAt(lines.back(), ArgumentIndex(form.expected, "{s}"));
        EXPECT_NE(std::to_string(object->GetLibraryHandle()), sourceHandle);
        EXPECT_NE(std::to_string(HeldHandle(*owner.Get())), sourceHandle);
        const std::string sourceAttach = LastLineOf(lines, "AttachNoFree(" + sourceHandle + ", ");
        ASSERT_FALSE(sourceAttach.empty());
        EXPECT_NE(Address(owner->GetImageData()), ArgumentAt(sourceAttach, 1));
    }
}

TEST_F(NewDestinationForms, RotateFillsTheBoxWithTheSourcesBackgroundBeforeRotating)
{
    CZAVPtr<IZAVImageEditSp> owner = MakeImage(5, 5, zavbpp24);
    CZAVPtr<IZAVImageEditSp> source = MakeImage(4, 3, zavbpp32);
    source->SetBackgroundColor(0x123456);
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
    fake.Reset();
    object->GetTransformation()->Rotate(source.Get(), 30.0, 1);
    EXPECT_EQ(zavbpp24, source->GetBitsPerPixel());
    const std::vector<std::string> lines = WorkLines(fake);
    const std::map<std::string, KORV_Handle> handles{{"o", object->GetLibraryHandle()},
                                                     {"s", HeldHandle(*source.Get())}};
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(WithHandles("RotateBox({o}, {s}, 30, out, out, out, out)", handles), lines[lines.size() - 4]);
    EXPECT_EQ(AttachLine(object->GetLibraryHandle(), *owner.Get()), lines[lines.size() - 3]);
    EXPECT_EQ(WithHandles("Fill({o}, 1193046)", handles), lines[lines.size() - 2]);
    EXPECT_EQ(WithHandles("Rotate({o}, {s}, 30, 1)", handles), lines.back());
    EXPECT_EQ(4, owner->GetWidth());
    EXPECT_EQ(3, owner->GetHeight());
}

// A box below one pixel (here the empty source's) ends the form quietly:
// the owner's image stays as it was and nothing is drawn.
TEST_F(NewDestinationForms, BoxesBelowOnePixelChangeNothing)
{
    const std::pair<const char*, std::function<void(IZAVAdvancedImgProcSp&, IZAVImageEditSp*)>> forms[] = {
        {"Rotate", [](auto& o, IZAVImageEditSp* s) { o.GetTransformation()->Rotate(s, 10.0, 0); }},
        {"RotateCenter", [](auto& o, IZAVImageEditSp* s) { o.GetTransformation()->RotateCenter(s, 10.0, 0, 0, 0); }},
        {"Shear", [](auto& o, IZAVImageEditSp* s) { o.GetTransformation()->Shear(s, 1e9, 0.0, 0); }},
        {"WarpPerspective",
         [](auto& o, IZAVImageEditSp* s) {
             o.GetTransformation()->WarpPerspective(s, CArraySimple<double, 3>({2, 0, 0, 0, 2, 0, 0, 0, 1}), 0);
         }},
    };
    for (const auto& [name, call] : forms) {
        SCOPED_TRACE(name);
        CZAVPtr<IZAVImageEditSp> owner = MakeImage(5, 2, zavbpp8);
        CZAVPtr<IZAVImageEditSp> empty = MakeImage(0, 0, zavbpp24);
        CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
        const HGLOBAL block = owner->GetImageData();
        fake.Reset();
        EXPECT_EQ("(nothing thrown)", ThrownText([&] { call(*object.Get(), empty.Get()); }));
        EXPECT_EQ(block, owner->GetImageData());
        EXPECT_EQ(5, owner->GetWidth());
        EXPECT_EQ(zavbpp8, owner->GetBitsPerPixel());
        const std::vector<std::string> lines = WorkLines(fake);
        ASSERT_EQ(1u, lines.size());
        EXPECT_NE(std::string::npos, lines[0].find("Box("));
    }
}

TEST_F(NewDestinationForms, AnImageOfTheResultsSizeIsKeptAndStillMadeBlackAndWhiteAt1Bit)
{
    CZAVPtr<IZAVImageEditSp> owner = MakeImage(4, 3, zavbpp1);
    owner->GetPalette()->CreateWhiteBlack();
    CZAVPtr<IZAVImageEditSp> source = MakeImage(4, 3, zavbpp24);
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
    const HGLOBAL block = owner->GetImageData();
    fake.Reset();
    object->GetColorConversion()->ConvertTo1Bit(source.Get(), 128);
    EXPECT_EQ(block, owner->GetImageData());
    EXPECT_EQ(0x000000u, owner->GetPalette()->GetPaletteEntry(0));
    EXPECT_EQ(0xFFFFFFu, owner->GetPalette()->GetPaletteEntry(1));
    const std::vector<std::string> lines = WorkLines(fake);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(AttachLine(object->GetLibraryHandle(), *owner.Get()),
              LastLineOf(lines, "AttachNoFree(" + std::to_string(object->GetLibraryHandle()) + ", "));
}

TEST_F(NewDestinationForms, Grayscale8BitLeavesTheGreyPaletteOnItsOwnImage)
{
    CZAVPtr<IZAVImageEditSp> owner = MakeImage(3, 3, zavbpp24);
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
    object->GetColorConversion()->Grayscale8Bit(owner.Get());
    EXPECT_EQ(zavbpp8, owner->GetBitsPerPixel());
    EXPECT_EQ(256, owner->GetPalette()->GetPaletteCount());
    EXPECT_TRUE(owner->GetPalette()->IsGrayScale());
}

TEST_F(NewDestinationForms, ALibraryFailureReleasesTheObjectsMadeForThePictures)
{
    for (const NewDestinationForm& form : kForms) {
        SCOPED_TRACE(form.name);
        const Pictures pictures = MakePictures(form);
        const std::string expected = form.expected;
        const std::string operation = expected.substr(0, expected.find('('));
        fake.SetStatus(operation.c_str(), 9, "it broke");
        EXPECT_EQ("it broke", ThrownText([&] { form.call(*pictures.object.Get(), pictures.source.Get()); }));
        EXPECT_EQ(0, HeldCount(*pictures.source.Get()));
        fake.SetStatus(operation.c_str(), 0, "");
    }
}

TEST_F(NewDestinationForms, AStandAloneObjectRefusesThemAfterConvertingTheSource)
{
    for (const NewDestinationForm& form : kForms) {
        SCOPED_TRACE(form.name);
        CZAVPtr<IZAVImageEditSp> source = MakeImage(4, 3, form.sourceDepth);
        CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSp();
        EXPECT_EQ("This ZAVAdvancedImgProc object is not based on an ZAVImageEdit object!",
                  ThrownText([&] { form.call(*object.Get(), source.Get()); }));
        EXPECT_EQ(form.convertedSourceDepth, source->GetBitsPerPixel());
        EXPECT_EQ("Invalid Parameter!", ThrownText([&] { form.call(*object.Get(), nullptr); }));
    }
}

// Filters take 8-bit grey (depth 9 of the set): a colour-palette picture is
// made grey. Copies take any 8-bit picture and keep its palette.
TEST_F(NewDestinationForms, FiltersWantGreyWhereCopiesTakeAnyPalette)
{
    const struct {
        const char* name;
        bool becomesGrey;
        std::function<void(IZAVAdvancedImgProcSp&, IZAVImageEditSp*)> call;
    } forms[] = {
        {"Filter", true, [](auto& o, IZAVImageEditSp* s) { o.GetFilter()->Filter(1, s); }},
        {"FilterUserDefined", true,
         [](auto& o, IZAVImageEditSp* s) { o.GetFilter()->FilterUserDefined(s, Ints({1}), 1, 1, 0, 0, 1); }},
        {"Antialias", true, [](auto& o, IZAVImageEditSp* s) { o.GetFilter()->Antialias(s); }},
        {"Copy", false, [](auto& o, IZAVImageEditSp* s) { o.GetImageProcessing()->Copy(s); }},
        {"Crop", false, [](auto& o, IZAVImageEditSp* s) { o.GetImageProcessing()->Crop(s, 0, 0, 2, 2); }},
    };
    for (const auto& form : forms) {
        SCOPED_TRACE(form.name);
        CZAVPtr<IZAVImageEditSp> owner = MakeImage(2, 2, zavbpp24);
        CZAVPtr<IZAVImageEditSp> source = MakeImage(4, 3, zavbpp8);
        source->GetPalette()->SetPaletteEntry(1, 0x0000FF);
        ASSERT_FALSE(source->GetPalette()->IsGrayScale());
        CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
        form.call(*object.Get(), source.Get());
        EXPECT_EQ(zavbpp8, source->GetBitsPerPixel());
        EXPECT_EQ(form.becomesGrey, source->GetPalette()->IsGrayScale());
        EXPECT_EQ(zavbpp8, owner->GetBitsPerPixel());
    }
}

TEST_F(NewDestinationForms, CopyWithMaskPassesTheMaskOnAndRefusesNoneBeforeTheOwnerChanges)
{
    CZAVPtr<IZAVImageEditSp> owner = MakeImage(5, 5, zavbpp24);
    CZAVPtr<IZAVImageEditSp> source = MakeImage(4, 3, zavbpp1);
    CZAVPtr<IZAVAdvancedImgProcSp> mask = CreateAdvancedImgProcSp();
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
    EXPECT_EQ("Invalid Parameter!",
              ThrownText([&] { object->GetImageProcessing()->CopyWithMask(source.Get(), nullptr); }));
    EXPECT_EQ(5, owner->GetWidth());
    fake.Reset();
    object->GetImageProcessing()->CopyWithMask(source.Get(), mask.Get());
    EXPECT_EQ(zavbpp8, owner->GetBitsPerPixel());
    const std::string last = WorkLines(fake).back();
    EXPECT_EQ(WithHandles("CopyWithMask({o}, {s}, {m})", {{"o", object->GetLibraryHandle()},
                                                          {"s", HeldHandle(*source.Get())},
                                                          {"m", mask->GetLibraryHandle()}}),
              last);
}

}  // namespace
}  // namespace ZAVTest
