// The advanced image-processing object over the stand-in library: lending an
// image-edit object's pixels, the destination and source helpers, the
// interface object's identity and listeners, and stand-alone use.
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
using ZAVTest::AttachLine;
using ZAVTest::CFakeKorvex55;
using ZAVTest::MakeImage;
using ZAVTest::ThrownText;

constexpr char kNotBased[] = "This ZAVAdvancedImgProc object is not based on an ZAVImageEdit object!";

// Gives the image an OLE picture (of a small colour picture), which
// ReleaseExtras drops.
void HoldOlePicture(IZAVImageEditSp& image)
{
    CZAVPtr<IZAVImageEditSp> colour = MakeImage(2, 2, zavbpp24);
    IPicture* picture = colour->CreateOlePicture(0);
    ASSERT_NE(picture, nullptr);
    image.GetImageEdit()->GetImage().SetOlePicture(picture);
    picture->Release();
    ASSERT_TRUE(image.GetImageEdit()->GetImage().GetOlePicture() != nullptr);
    picture->Release();
}

bool HoldsOlePicture(IZAVImageEditSp& image)
{
    IPicture* picture = image.GetImageEdit()->GetImage().GetOlePicture();
    if (picture == nullptr)
        return false;
    picture->Release();
    return true;
}

class AdvancedImgProc : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(fake.LiveHandles(), 0); }

    CFakeKorvex55 fake;
};

TEST_F(AdvancedImgProc, AttachLendsTheCurrentPixelsThenReleasesTheImagesExtras)
{
    for (const zavBitsPerPixel depth : {zavbpp1, zavbpp8, zavbpp24, zavbpp32}) {
        CZAVPtr<IZAVImageEditSp> image = MakeImage(5, 3, depth);
        HoldOlePicture(*image.Get());
        fake.Reset();
        CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(image.Get());
        const KORV_Handle handle = object->GetLibraryHandle();
        EXPECT_EQ(fake.CallLines(),
                  (std::vector<std::string>{"CreateCZAVAdvancedImgProc()", AttachLine(handle, *image.Get())}))
            << depth;
        EXPECT_FALSE(HoldsOlePicture(*image.Get())) << depth;
        EXPECT_EQ(object->GetImageMemory(), static_cast<void*>(image->GetImageData()));
        EXPECT_EQ(object->GetWidth(), 5);
        EXPECT_EQ(object->GetHeight(), 3);
        EXPECT_EQ(object->GetBitsPerPixel(), depth);
        EXPECT_EQ(object->GetImageSizeInBytes(), image->GetImageSize());
    }
}

TEST_F(AdvancedImgProc, AnEmptyImageAttachesNothingUntilADestinationIsPrepared)
{
    CZAVPtr<IZAVImageEditSp> image = CreateImageEditSp();
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(image.Get());
    object->AttachImageEdit();
    EXPECT_TRUE(fake.CallsOf({"AttachNoFree"}).empty());
    object->GetAdvancedImgProc()->PrepareDestination(image.Get(), 6, 2, 8);
    EXPECT_EQ(image->GetWidth(), 6);
    EXPECT_EQ(image->GetBitsPerPixel(), zavbpp8);
    EXPECT_EQ(fake.CallsOf({"AttachNoFree"}),
              std::vector<std::string>{AttachLine(object->GetLibraryHandle(), *image.Get())});
}

TEST_F(AdvancedImgProc, AFailedAttachFailsTheObjectAndKeepsTheExtras)
{
    CZAVPtr<IZAVImageEditSp> image = MakeImage(4, 4, zavbpp8);
    HoldOlePicture(*image.Get());
    fake.SetStatus("AttachNoFree", 4, "Fake: no attaching today");
    EXPECT_EQ(ThrownText([&] { CreateAdvancedImgProcSpForImage(image.Get()); }), "Fake: no attaching today");
    EXPECT_TRUE(HoldsOlePicture(*image.Get()));
    EXPECT_EQ(fake.CallsOf({"FreeCZAVAdvancedImgProc"}).size(), 1u);
    EXPECT_FALSE(CAipDynDll::HasInstance());
}

TEST_F(AdvancedImgProc, PrepareDestinationKeepsAnImageOfTheSameShape)
{
    const struct {
        int width;
        zavBitsPerPixel depth;
        bool recreated;
    } cases[] = {
        {8, zavbpp1, false},
        {8, zavbpp8, true},
        {9, zavbpp1, true},
    };
    for (const auto& c : cases) {
        CZAVPtr<IZAVImageEditSp> image = MakeImage(8, 2, zavbpp1);
        image->GetPalette()->CreateWhiteBlack();
        CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(image.Get());
        const HGLOBAL before = image->GetImageData();
        fake.Reset();
        object->GetAdvancedImgProc()->PrepareDestination(image.Get(), c.width, 2, c.depth);
        EXPECT_EQ(image->GetImageData() != before, c.recreated) << c.width << " " << c.depth;
        EXPECT_EQ(image->GetWidth(), c.width);
        EXPECT_EQ(image->GetBitsPerPixel(), c.depth);
        if (c.depth == zavbpp1) {
            EXPECT_FALSE(image->GetPalette()->IsInverted()) << c.width;
        }
        EXPECT_EQ(fake.CallsOf({"AttachNoFree"}),
                  std::vector<std::string>{AttachLine(object->GetLibraryHandle(), *image.Get())});
    }
}

TEST_F(AdvancedImgProc, GetSourceImageCopiesOnlyTheBasedOnImage)
{
    CZAVPtr<IZAVImageEditSp> image = MakeImage(3, 3, zavbpp8);
    static_cast<unsigned char*>(image->GetImageData())[4] = 77;
    CZAVPtr<IZAVImageEditSp> other = MakeImage(3, 3, zavbpp8);
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(image.Get());
    CZAVAdvancedImgProc& proc = *object->GetAdvancedImgProc();
    {
        CZAVPtr<IZAVImageEditSp> source = proc.GetSourceImage(image.Get());
        EXPECT_NE(source.Get(), image.Get());
        EXPECT_NE(source->GetImageData(), image->GetImageData());
        EXPECT_EQ(static_cast<unsigned char*>(source->GetImageData())[4], 77);
    }
    {
        CZAVPtr<IZAVImageEditSp> source = proc.GetSourceImage(other.Get());
        EXPECT_EQ(source.Get(), other.Get());
        EXPECT_EQ(other->GetRefCount(), 2);
    }
    EXPECT_EQ(other->GetRefCount(), 1);
}

TEST_F(AdvancedImgProc, AStandAloneObjectRefusesImageEditFormsAndRunsTheOthers)
{
    CZAVPtr<IZAVImageEditSp> operand = MakeImage(2, 2, zavbpp8);
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSp();
    CZAVAdvancedImgProc& proc = *object->GetAdvancedImgProc();
    IZAVImageEditSp* edit = operand.Get();
    const std::function<void()> refused[] = {
        [&] { object->GetArithmetic()->Add(edit); },
        [&] { object->GetArithmetic()->Difference(edit, edit); },
        [&] { object->GetArithmetic()->DifferenceConstant(edit, 3); },
        [&] { object->GetLogic()->Xor(edit); },
        [&] { proc.RequireImageEdit(); },
        [&] { proc.PrepareDestination(edit, 2, 2, 8); },
    };
    for (const auto& call : refused)
        EXPECT_EQ(ThrownText(call), kNotBased);
    EXPECT_EQ(operand->GetBitsPerPixel(), zavbpp8);
    EXPECT_TRUE(fake.CallsOf({"Add", "Difference", "DifferenceConstant", "Xor", "AttachNoFree"}).empty());

    fake.Reset();
    const std::string h = std::to_string(object->GetLibraryHandle());
    object->Create(4, 4, 24);
    object->GetArithmetic()->AddConstant(9);
    object->GetLogic()->Invert();
    object->GetLogic()->Scale(0, 100, 0, 255);
    object->GetThresholding()->ThresholdGTVal(200, 255);
    object->SetScaleFactor(2);
    EXPECT_EQ(object->GetScaleFactor(), 2);
    object->AttachImageEdit();
    EXPECT_EQ(fake.CallLines(), (std::vector<std::string>{
                                    "Create(" + h + ", 4, 4, 24)",
                                    "AddConstant(" + h + ", 9)",
                                    "Invert(" + h + ")",
                                    "Scale(" + h + ", 0, 100, 0, 255)",
                                    "ThresholdGTVal(" + h + ", 200, 255)",
                                    "SetScaleFactor(" + h + ", 2)",
                                    "GetScaleFactor(" + h + ", out)",
                                }));
    EXPECT_EQ(object->GetBytesPerLine(), 12);
}

TEST_F(AdvancedImgProc, InterfaceObjectAnswersItsTwoViewsOnly)
{
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSp();
    EXPECT_EQ(object->GetRefCount(), 1);
    EXPECT_TRUE(object->SupportsInterface(zaviidObject));
    EXPECT_TRUE(object->SupportsInterface(zaviidAdvancedImgProc));
    EXPECT_FALSE(object->SupportsInterface(zaviidImageEdit));
    EXPECT_EQ(ThrownText([&] { object->QueryInterface(zaviidImageEdit); }), "Interface not available!");
    EXPECT_EQ(object->GetRefCount(), 1);
    CZAVPtr<IZAVObjectSp> view = object->GetObjectSp();
    EXPECT_EQ(object->GetRefCount(), 2);
    EXPECT_EQ(view->GetImplementation(), static_cast<void*>(object->GetAdvancedImgProc()));
    CZAVPtr<IZAVAdvancedImgProcSp> back = QueryInterfaceSp<IZAVAdvancedImgProcSp>(view.Get());
    EXPECT_EQ(back.Get(), object.Get());
}

TEST_F(AdvancedImgProc, ListenersAreKeptOnceAndLeaveTheirSlot)
{
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSp();
    CZAVAdvancedImgProc& proc = *object->GetAdvancedImgProc();
    int first = 0;
    int second = 0;
    object->RegisterObject(&first);
    object->RegisterObject(&first);
    object->RegisterObject(&second);
    EXPECT_EQ(proc.GetListenerSlotCount(), 2);
    object->UnregisterObject(&first);
    object->UnregisterObject(&first);
    int never = 0;
    object->UnregisterObject(&never);
    EXPECT_EQ(proc.GetListenerSlotCount(), 2);
}

TEST_F(AdvancedImgProc, TheImageEditObjectKeepsOneObjectAndLendsItsPixelsAgain)
{
    CZAVPtr<IZAVImageEditSp> image = MakeImage(4, 2, zavbpp24);
    CZAVPtr<IZAVAdvancedImgProcSp> first = image->CreateAdvancedImgProc();
    EXPECT_EQ(first->GetRefCount(), 2);
    image->Create(6, 2, zavbpp8);
    CZAVPtr<IZAVAdvancedImgProcSp> again = image->CreateAdvancedImgProc();
    EXPECT_EQ(again.Get(), first.Get());
    EXPECT_EQ(fake.CallsOf({"AttachNoFree"}).back(), AttachLine(first->GetLibraryHandle(), *image.Get()));
    EXPECT_EQ(fake.CallsOf({"CreateCZAVAdvancedImgProc"}).size(), 1u);
    // Emptied, the image's old pixels are freed: the library lets go of them.
    image->Clear();
    fake.Reset();
    image->CreateAdvancedImgProc();
    EXPECT_EQ(fake.CallLines(), std::vector<std::string>{"Clear(" + std::to_string(first->GetLibraryHandle()) + ")"});
    first.Reset();
    again.Reset();
    EXPECT_EQ(fake.LiveHandles(), 1);
    image.Reset();
    EXPECT_EQ(fake.LiveHandles(), 0);
}

}  // namespace
