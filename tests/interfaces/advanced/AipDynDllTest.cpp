// The binding of KORVEX55 over the stand-in library the tests build: entry
// point names, one resolution each, loading and unloading, the processing
// handles and the library's texts.
#include "interfaces/advanced/ZAVAdvancedImgProc.h"
#include "interfaces/advanced/ZAVAdvancedImgProcSp.h"
#include "interfaces/advanced/binding/AipDynDll.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"
#include "tests/interfaces/advanced/FakeKorvex55Control.h"

#include <unistd.h>

#include <functional>

#include <gtest/gtest.h>

namespace {

using namespace ZAV;
using ZAVTest::CFakeKorvex55;
using ZAVTest::ThrownText;

constexpr char kCannotLoad[] = "Can't load dll 'KORVEX55.DLL'";

class AipDynDll : public ::testing::Test {
protected:
    void TearDown() override
    {
        // Every test leaves the process as it found it: no binding.
        EXPECT_FALSE(CAipDynDll::HasInstance());
    }
};

class AipDynDllOnFake : public AipDynDll {
protected:
    CFakeKorvex55 fake;
};

TEST_F(AipDynDllOnFake, ForwardsEveryKindOfArgumentUnderTheBuiltName)
{
    int32_t kernel[] = {0, 1, 0, 1, -4, 1, 0, 1, 0};
    double coefficients[] = {1.0, 0.5, 0.0};
    int32_t levels[] = {0, 255};
    int32_t order[] = {2, 1, 0};
    int32_t value = 0;
    double box[4] = {};
    const struct {
        std::function<int32_t(CAipDynDll&, KORV_Handle)> call;
        std::string recorded;  // with "H" for the handle
    } cases[] = {
        {[](CAipDynDll& l, KORV_Handle h) { return l.AddConstant(h, -7); }, "AddConstant(H, -7)"},
        {[](CAipDynDll& l, KORV_Handle h) { return l.Difference(h, 11, 12); }, "Difference(H, 11, 12)"},
        {[](CAipDynDll& l, KORV_Handle h) { return l.Scale(h, 1, 2, 3, 4); }, "Scale(H, 1, 2, 3, 4)"},
        {[&](CAipDynDll& l, KORV_Handle h) { return l.AttachNoFree(h, nullptr, 0, 0, 0, 8); },
         "AttachNoFree(H, (nil), 0, 0, 0, 8)"},
        {[&](CAipDynDll& l, KORV_Handle h) { return l.Rotate(h, 5, 30.5, 1); }, "Rotate(H, 5, 30.5, 1)"},
        {[&](CAipDynDll& l, KORV_Handle h) { return l.FilterUserDefined(h, 5, kernel, 3, 3, 1, 0, 0); },
         "FilterUserDefined(H, 5, [0 1 0 1 -4 1 0 1 0], 3, 3, 1, 0, 0)"},
        {[&](CAipDynDll& l, KORV_Handle h) { return l.WarpPerspective(h, 5, coefficients, 3, 0); },
         "WarpPerspective(H, 5, [1 0.5 0], 3, 0)"},
        {[&](CAipDynDll& l, KORV_Handle h) { return l.LookUpTable8Bit(h, 5, levels, levels, 2, 9); },
         "LookUpTable8Bit(H, 5, [0 255], [0 255], 2, 9)"},
        {[&](CAipDynDll& l, KORV_Handle h) { return l.SwapChannels(h, 5, order, 3); },
         "SwapChannels(H, 5, [2 1 0], 3)"},
        {[&](CAipDynDll& l, KORV_Handle h) { return l.GetWidthBytes(h, &value); }, "GetWidthBytes(H, out)"},
        {[&](CAipDynDll& l, KORV_Handle h) { return l.ShearBox(h, h, 0.25, 0, &box[0], &box[1], &box[2], &box[3]); },
         "ShearBox(H, H, 0.25, 0, out, out, out, out)"},
        {[&](CAipDynDll& l, KORV_Handle h) { return l.AlphaOverlayWithConstant(h, 21, 128, 22, 64, 1); },
         "AlphaOverlayWithConstant(H, 21, 128, 22, 64, 1)"},
    };
    CAipDynDll::EnsureInstance();
    CAipDynDll& library = CAipDynDll::Instance();
    const KORV_Handle handle = library.CreateProcessor();
    const std::string h = std::to_string(handle);
    for (const auto& c : cases) {
        fake.Reset();
        EXPECT_EQ(c.call(library, handle), 0);
        std::string expected = c.recorded;
        for (size_t at = expected.find('H'); at != std::string::npos; at = expected.find('H', at + h.size()))
            expected.replace(at, 1, h);
        EXPECT_EQ(fake.Calls(), expected + "\n");
    }
    library.FreeProcessor(handle);
    CAipDynDll::ReleaseInstance();
}

TEST_F(AipDynDllOnFake, ResolvesEachEntryPointOnce)
{
    CAipDynDll::EnsureInstance();
    CAipDynDll& library = CAipDynDll::Instance();
    const KORV_Handle handle = library.CreateProcessor();
    const int32_t before = library.GetBoundEntryPointCount();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(library.Invert(handle), 0);
        EXPECT_EQ(library.AddConstant(handle, i), 0);
    }
    EXPECT_EQ(library.GetBoundEntryPointCount(), before + 2);
    EXPECT_EQ(fake.CallsOf({"Invert", "AddConstant"}).size(), 6u);
    library.FreeProcessor(handle);
    CAipDynDll::ReleaseInstance();
}

TEST_F(AipDynDll, MissingLibraryIsRefusedEachTimeUntilItIsThere)
{
    ZAVTest::TempDir folder;
    CAipDynDll::SetLibraryFolderForTests(folder.Path());
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(ThrownText([] { CreateAdvancedImgProcSp(); }), kCannotLoad) << attempt;
        EXPECT_FALSE(CAipDynDll::HasInstance());
    }
    EXPECT_EQ(ThrownText([] { CAipDynDll::Instance(); }), "Dll 'KORVEX55.DLL' not yet loaded!");
    // The library appears: the next object loads it.
    ASSERT_EQ(symlink(CFakeKorvex55::Path().c_str(), folder.File("KORVEX55.so").c_str()), 0);
    {
        CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSp();
        EXPECT_NE(object->GetLibraryHandle(), 0u);
        EXPECT_TRUE(CAipDynDll::Instance().IsLoaded());
    }
    CAipDynDll::SetLibraryFolderForTests("");
}

TEST_F(AipDynDllOnFake, HandleZeroIsRefusedAndNeverFreed)
{
    fake.SetStatus("CreateCZAVAdvancedImgProc", 1, "");
    EXPECT_EQ(ThrownText([] { CreateAdvancedImgProcSp(); }),
              "Dll 'KORVEX55.DLL' could not create a processing object!");
    EXPECT_FALSE(CAipDynDll::HasInstance());
    EXPECT_TRUE(fake.CallsOf({"FreeCZAVAdvancedImgProc"}).empty());
    // The use was counted back: a working object later loads, and unloads, as usual.
    fake.SetStatus("CreateCZAVAdvancedImgProc", 0, "");
    {
        CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSp();
        EXPECT_EQ(CAipDynDll::Instance().GetRefCount(), 1);
    }
    EXPECT_EQ(fake.LiveHandles(), 0);
}

TEST_F(AipDynDll, TwoObjectsShareOneBindingThatGoesWithTheSecond)
{
    CAipDynDll::SetLibraryFolderForTests(CFakeKorvex55::Folder());
    ASSERT_FALSE(CFakeKorvex55::IsLoaded());
    CZAVPtr<IZAVAdvancedImgProcSp> first = CreateAdvancedImgProcSp();
    CAipDynDll* binding = &CAipDynDll::Instance();
    CZAVPtr<IZAVAdvancedImgProcSp> second = CreateAdvancedImgProcSp();
    EXPECT_EQ(&CAipDynDll::Instance(), binding);
    EXPECT_EQ(binding->GetRefCount(), 2);
    EXPECT_NE(first->GetLibraryHandle(), second->GetLibraryHandle());
    first.Reset();
    EXPECT_TRUE(CAipDynDll::HasInstance());
    EXPECT_TRUE(CFakeKorvex55::IsLoaded());
    second.Reset();
    EXPECT_FALSE(CAipDynDll::HasInstance());
    EXPECT_FALSE(CFakeKorvex55::IsLoaded());
    CAipDynDll::SetLibraryFolderForTests("");
}

TEST_F(AipDynDllOnFake, FailingStatusRaisesTheLibrarysTextAndTheObjectGoesOn)
{
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSp();
    const std::string handle = std::to_string(object->GetLibraryHandle());
    const struct {
        const char* operation;
        std::function<void()> call;
    } cases[] = {
        {"AddConstant", [&] { object->GetArithmetic()->AddConstant(3); }},
        {"Create", [&] { object->Create(4, 4, 8); }},
        {"GetWidth", [&] { object->GetWidth(); }},
        {"ThresholdLTValGTVal", [&] { object->GetThresholding()->ThresholdLTValGTVal(1, 2, 3, 4); }},
    };
    for (const auto& c : cases) {
        const std::string text = std::string("Fake: ") + c.operation + " refused";
        fake.Reset();
        fake.SetStatus(c.operation, 17, text.c_str());
        EXPECT_EQ(ThrownText(c.call), text);
        EXPECT_EQ(fake.CallsOf({"GetError"}), std::vector<std::string>{"GetError(" + handle + ", out)"});
        fake.SetStatus(c.operation, 0, "");
        EXPECT_EQ(ThrownText(c.call), "(nothing thrown)") << c.operation;
    }
}

TEST_F(AipDynDllOnFake, ErrorTextOfTheFullBufferEndsInside)
{
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSp();
    const std::string longText(3000, 'x');
    fake.SetStatus("Invert", 5, longText.c_str());
    EXPECT_EQ(ThrownText([&] { object->GetLogic()->Invert(); }), std::string(KORV_ERROR_TEXT_BYTES - 1, 'x'));
}

TEST_F(AipDynDllOnFake, TextQueriesGiveEmptyTextsForNullAndCopiesOtherwise)
{
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSp();
    EXPECT_EQ(object->GetVersion(), "");
    EXPECT_EQ(object->GetProcessorDetected(), "");
    EXPECT_EQ(object->GetProcessorCodeUsed(), "");
    fake.SetTexts("5.5", "x86-64", "plain C");
    EXPECT_EQ(object->GetVersion(), "5.5");
    EXPECT_EQ(object->GetProcessorDetected(), "x86-64");
    EXPECT_EQ(object->GetProcessorCodeUsed(), "plain C");
    // A failing status of a text query is not checked.
    fake.SetStatus("GetVersion", 3, "ignored");
    EXPECT_EQ(object->GetVersion(), "5.5");
}

}  // namespace
