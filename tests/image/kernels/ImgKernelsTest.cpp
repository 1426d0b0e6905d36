#include <gtest/gtest.h>

#include "image/core/ImagePalette.h"
#include "image/kernels/ImgKernels.h"
#include "image/kernels/KernelProgress.h"
#include "image/kernels/SquareTable.h"
#include "image/kernels/SystemColor.h"
#include "image/support/ImageTestSupport.h"

using namespace ZAV;
using ZAVTest::CRecordingSink;

namespace {

TEST(ImgKernels, ColorsMatchWithinTheSquaredTolerance)
{
    const struct {
        COLORREF a, b;
        uint32_t tolerance;
        bool match;
    } cases[] = {
        {RGB(9, 9, 9), RGB(9, 9, 9), 0, true},
        {RGB(0, 0, 0), RGB(1, 1, 1), 3, true},
        {RGB(0, 0, 0), RGB(1, 1, 1), 2, false},
        {RGB(0, 0, 0), RGB(1, 0, 0), 0, false},
        {RGB(255, 0, 0), RGB(0, 0, 0), 65025, true},
        {RGB(255, 0, 0), RGB(0, 0, 0), 65024, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tolerance);
        EXPECT_EQ(c.match, CImgKernels::ColorsMatch(c.a, c.b, c.tolerance));
    }
}

TEST(ImgKernels, LuminanceDecidesTheDarkerColour)
{
    EXPECT_EQ(76, CImgKernels::GetColorLuminance(RGB(255, 0, 0)));  // 76.245 + 0.1
    EXPECT_EQ(255, CImgKernels::GetColorLuminance(RGB(255, 255, 255)));
    EXPECT_EQ(RGB(0, 0, 255), CImgKernels::DarkerColor(RGB(0, 0, 255), RGB(255, 0, 0)));
    EXPECT_EQ(RGB(0, 0, 255), CImgKernels::DarkerColor(RGB(255, 0, 0), RGB(0, 0, 255)));
    // Equal luminance gives the second.
    EXPECT_EQ(RGB(7, 7, 8), CImgKernels::DarkerColor(RGB(7, 7, 7), RGB(7, 7, 8)));
}

TEST(ImgKernels, FindNearestPaletteIndexStopsAtTheFirstExactMatch)
{
    const CSquareTable squares;
    const uint32_t entries[] = {MakePaletteEntry(200, 0, 0), MakePaletteEntry(10, 20, 30),
                                MakePaletteEntry(10, 20, 30), MakePaletteEntry(12, 20, 30)};
    EXPECT_EQ(1, CImgKernels::FindNearestPaletteIndex(10, 20, 30, squares.Centre(), entries, 4));
    EXPECT_EQ(3, CImgKernels::FindNearestPaletteIndex(13, 20, 30, squares.Centre(), entries, 4));
    EXPECT_EQ(0, CImgKernels::FindNearestPaletteIndex(255, 0, 0, squares.Centre(), entries, 4));
    EXPECT_EQ(0, CImgKernels::FindNearestPaletteIndex(1, 2, 3, squares.Centre(), entries, 0));
}

TEST(ImgKernels, SystemColourResolvesThroughTheOleTable)
{
    CSystemColor background;
    background.SetSystemColor(COLOR_BTNFACE);
    EXPECT_EQ(0x8000000Fu, background.oleColor);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), background.color);
}

// A loop as every kernel runs it under the progress protocol.
int RunRows(CImgKernels& kernels, int rows, int& done)
{
    kernels.ClearErrorText();
    CKernelProgress progress(kernels);
    for (done = 0; done < rows; ++done) {
        if (!progress.Report(done, rows))
            return 0;
    }
    return 1;
}

TEST(ImgKernels, ACancelEndsTheLoopAndFailsWithOnEndCalledOnce)
{
    CRecordingSink refusing(1);
    CImgKernels kernels(&refusing);
    int done = 0;
    EXPECT_EQ(0, RunRows(kernels, 10, done));
    EXPECT_EQ(0, done);
    EXPECT_STREQ("Operation canceled!", kernels.GetErrorText().GetText());
    EXPECT_EQ(1, refusing.beginCalls);
    EXPECT_EQ(1, refusing.progressCalls);
    EXPECT_EQ(1, refusing.endCalls);

    CRecordingSink patient;
    CImgKernels reporting(&patient);
    EXPECT_EQ(1, RunRows(reporting, 4, done));
    EXPECT_EQ(4, patient.progressCalls);
    EXPECT_DOUBLE_EQ(0.75, patient.lastFraction);  // the row index before its increment

    CImgKernels silent(nullptr);
    EXPECT_EQ(1, RunRows(silent, 4, done));
    EXPECT_STREQ("", silent.GetErrorText().GetText());
}

// Counts references as an interface object does.
class CCountedObject : public IZAVUnknownSp {
public:
    uint32_t AddRef() override { return ++count; }
    uint32_t Release() override { return --count; }
    int32_t GetRefCount() override { return static_cast<int32_t>(count); }
    uint32_t count = 1;
};

TEST(ImgKernels, HoldsTheAdvancedObjectWithAReferenceOfItsOwn)
{
    CCountedObject first;
    CCountedObject second;
    {
        CImgKernels kernels;
        EXPECT_EQ(1, kernels.GetUseDibSection());
        kernels.SetAdvancedImgProc(&first);
        EXPECT_EQ(2u, first.count);
        kernels.SetAdvancedImgProc(&second);
        EXPECT_EQ(1u, first.count);
        EXPECT_EQ(2u, second.count);
        EXPECT_EQ(&second, kernels.GetAdvancedImgProc());
    }
    EXPECT_EQ(1u, second.count);
}

}  // namespace
