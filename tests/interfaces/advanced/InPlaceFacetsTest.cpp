// The image-edit forms of the arithmetic and logic facets over the stand-in
// library: which image is converted, the re-attached owner, the objects made
// for the operands and their release.
#include "interfaces/advanced/ZAVAdvancedImgProc.h"
#include "interfaces/advanced/ZAVAdvancedImgProcSp.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"
#include "support/ThrownText.h"
#include "tests/interfaces/advanced/FakeKorvex55Control.h"
#include "tests/interfaces/advanced/facets/FacetTestSupport.h"

#include <functional>

#include <gtest/gtest.h>

namespace {

using namespace ZAV;
using ZAVTest::Address;
using ZAVTest::CFakeKorvex55;
using ZAVTest::HeldHandle;
using ZAVTest::MakeImage;
using ZAVTest::ThrownText;

// The reference count of the object the image keeps for its advanced
// forms, the image's own reference included.
int32_t HeldCount(IZAVImageEditSp& image)
{
    return image.CreateAdvancedImgProc()->GetRefCount() - 1;
}

// An in-place form with one image-edit operand and the entry point it calls.
struct OneOperandForm {
    const char* entryPoint;
    std::function<void(IZAVAdvancedImgProcSp&, IZAVImageEditSp*)> call;
};

const OneOperandForm kOneOperandForms[] = {
    {"Add", [](IZAVAdvancedImgProcSp& o, IZAVImageEditSp* e) { o.GetArithmetic()->Add(e); }},
    {"Subtract", [](IZAVAdvancedImgProcSp& o, IZAVImageEditSp* e) { o.GetArithmetic()->Subtract(e); }},
    {"Multiply", [](IZAVAdvancedImgProcSp& o, IZAVImageEditSp* e) { o.GetArithmetic()->Multiply(e); }},
    {"Divide", [](IZAVAdvancedImgProcSp& o, IZAVImageEditSp* e) { o.GetArithmetic()->Divide(e); }},
    {"And", [](IZAVAdvancedImgProcSp& o, IZAVImageEditSp* e) { o.GetLogic()->And(e); }},
    {"Or", [](IZAVAdvancedImgProcSp& o, IZAVImageEditSp* e) { o.GetLogic()->Or(e); }},
    {"Xor", [](IZAVAdvancedImgProcSp& o, IZAVImageEditSp* e) { o.GetLogic()->Xor(e); }},
};

class InPlaceFacets : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(fake.LiveHandles(), 0); }

    CFakeKorvex55 fake;
};

TEST_F(InPlaceFacets, TheOperandIsBroughtToTheOwnersDepthNotTheOwnerToIts)
{
    for (const auto& form : kOneOperandForms) {
        CZAVPtr<IZAVImageEditSp> owner = MakeImage(4, 4, zavbpp24);
        CZAVPtr<IZAVImageEditSp> operand = MakeImage(4, 4, zavbpp8);
        CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
        const HGLOBAL ownerBlock = owner->GetImageData();
        fake.Reset();
        form.call(*object.Get(), operand.Get());
        EXPECT_EQ(owner->GetBitsPerPixel(), zavbpp24) << form.entryPoint;
        EXPECT_EQ(owner->GetImageData(), ownerBlock) << form.entryPoint;
        EXPECT_EQ(operand->GetBitsPerPixel(), zavbpp24) << form.entryPoint;
        const std::string expected = std::string(form.entryPoint) + "(" + std::to_string(object->GetLibraryHandle()) +
                                     ", " + std::to_string(HeldHandle(*operand.Get())) + ")";
        EXPECT_EQ(fake.CallsOf({form.entryPoint}), std::vector<std::string>{expected});
        // The owner's pixels were not replaced, so they are not lent again;
        // the operand's are lent to its own object.
        EXPECT_EQ(fake.Calls().find("AttachNoFree(" + std::to_string(object->GetLibraryHandle()) + ","),
                  std::string::npos);
        EXPECT_EQ(HeldCount(*operand.Get()), 1) << form.entryPoint;
    }
}

TEST_F(InPlaceFacets, AOneBitOwnerBecomesGreyFirstAndItsNewPixelsAreLent)
{
    CZAVPtr<IZAVImageEditSp> owner = MakeImage(16, 2, zavbpp1);
    CZAVPtr<IZAVImageEditSp> operand = MakeImage(16, 2, zavbpp24);
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
    const std::string h = std::to_string(object->GetLibraryHandle());
    fake.Reset();
    object->GetArithmetic()->Add(operand.Get());
    const std::vector<std::string> calls = fake.CallsOf({"AttachNoFree", "Add"});
    // The image object's order makes a 1-bit picture 8-bit grey.
    EXPECT_EQ(owner->GetBitsPerPixel(), zavbpp8);
    EXPECT_EQ(operand->GetBitsPerPixel(), zavbpp8);
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls.front(), "AttachNoFree(" + h + ", " + Address(owner->GetImageData()) + ", 32, 16, 2, 8)");
    EXPECT_EQ(calls.back(), "Add(" + h + ", " + std::to_string(HeldHandle(*operand.Get())) + ")");
    EXPECT_EQ(object->GetImageMemory(), static_cast<void*>(owner->GetImageData()));
}

TEST_F(InPlaceFacets, DifferenceMakesTheSecondOperandsObjectFirst)
{
    CZAVPtr<IZAVImageEditSp> owner = MakeImage(3, 3, zavbpp8);
    CZAVPtr<IZAVImageEditSp> first = MakeImage(3, 3, zavbpp24);
    CZAVPtr<IZAVImageEditSp> second = MakeImage(3, 3, zavbpp1);
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
    object->GetArithmetic()->Difference(first.Get(), second.Get());
    // 8-bit palette images count as grey: the owner's depth is 9 then.
    const zavBitsPerPixel depth = owner->GetBitsPerPixel();
    EXPECT_EQ(first->GetBitsPerPixel(), depth);
    EXPECT_EQ(second->GetBitsPerPixel(), depth);
    const KORV_Handle firstHandle = HeldHandle(*first.Get());
    const KORV_Handle secondHandle = HeldHandle(*second.Get());
    EXPECT_LT(secondHandle, firstHandle);
    EXPECT_EQ(fake.CallsOf({"Difference"}),
              std::vector<std::string>{"Difference(" + std::to_string(object->GetLibraryHandle()) + ", " +
                                       std::to_string(firstHandle) + ", " + std::to_string(secondHandle) + ")"});

    object->GetArithmetic()->DifferenceConstant(first.Get(), 40);
    EXPECT_EQ(fake.CallsOf({"DifferenceConstant"}),
              std::vector<std::string>{"DifferenceConstant(" + std::to_string(object->GetLibraryHandle()) + ", " +
                                       std::to_string(firstHandle) + ", 40)"});
}

TEST_F(InPlaceFacets, OperandObjectsAreReleasedWhenTheLibraryFails)
{
    for (const auto& form : kOneOperandForms) {
        CZAVPtr<IZAVImageEditSp> owner = MakeImage(4, 4, zavbpp24);
        CZAVPtr<IZAVImageEditSp> operand = MakeImage(4, 4, zavbpp24);
        CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
        const std::string text = std::string("Fake: ") + form.entryPoint + " failed";
        fake.SetStatus(form.entryPoint, 12, text.c_str());
        EXPECT_EQ(ThrownText([&] { form.call(*object.Get(), operand.Get()); }), text);
        EXPECT_EQ(HeldCount(*operand.Get()), 1) << form.entryPoint;
        fake.SetStatus(form.entryPoint, 0, "");
        EXPECT_EQ(ThrownText([&] { form.call(*object.Get(), operand.Get()); }), "(nothing thrown)") << form.entryPoint;
    }
}

TEST_F(InPlaceFacets, TheFakesResultStaysInTheOwnersPixels)
{
    CZAVPtr<IZAVImageEditSp> owner = MakeImage(4, 2, zavbpp24);
    CZAVPtr<IZAVImageEditSp> operand = MakeImage(4, 2, zavbpp24);
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
    fake.SetFill("Or", 0x5A);
    object->GetLogic()->Or(operand.Get());
    const auto* pixels = static_cast<const unsigned char*>(owner->GetImageData());
    for (int i = 0; i < owner->GetImageSize(); ++i)
        ASSERT_EQ(pixels[i], 0x5A) << i;
    EXPECT_EQ(static_cast<const unsigned char*>(operand->GetImageData())[0], 0);
}

}  // namespace
