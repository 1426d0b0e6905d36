// Images through the clipboard store: ownership of what is put there, the
// failed open, and files written from what it holds.
#include "image/kernels/ImgKernels.h"
#include "platform/gdi/Metafiles.h"
#include "platform/win/Clipboard.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace ZAV;

namespace {

HGLOBAL SmallDib()
{
    CImgKernels kernels;
    const BYTE rgb[6] = {1, 2, 3, 4, 5, 6};
    return kernels.Image24ToDib(rgb, 2, 1, 96, 96);
}

void EmptyTheClipboard()
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
}

}  // namespace

TEST(ClipboardBridge, PutWithoutCopyHandsTheDibOver)
{
    CGlobalHandle holder;
    holder.Attach(SmallDib());
    ASSERT_EQ(CImgKernels::PutDibOnClipboard(nullptr, holder, 0), 1);
    EXPECT_EQ(holder.GetHandle(), nullptr);  // the clipboard owns it
    holder.Attach(SmallDib());
    ASSERT_EQ(CImgKernels::PutDibOnClipboard(nullptr, holder, 1), 1);
    EXPECT_NE(holder.GetHandle(), nullptr);  // a copy went

    ClipboardKnobs().open = true;
    EXPECT_EQ(CImgKernels::PutDibOnClipboard(nullptr, holder, 0), 0);
    EXPECT_NE(holder.GetHandle(), nullptr);
    ClipboardKnobs().open = false;

    ZAVTest::TempDir dir;
    ASSERT_EQ(CImgKernels::ClipboardToFile(nullptr, dir.File("c.bmp").c_str()), 1);
    EXPECT_EQ(ZAVTest::ReadBytes(dir.File("c.bmp")).size(), 14u + 40 + 8);
    EXPECT_EQ(OpenClipboard(nullptr), TRUE);  // the clipboard was closed again
    CloseClipboard();
    EmptyTheClipboard();
    EXPECT_EQ(CImgKernels::ClipboardToFile(nullptr, dir.File("none.bmp").c_str()), 0);
}

TEST(ClipboardBridge, HostileClipboardDibsAreNotWrittenAndMetafilesAre)
{
    HGLOBAL bad = GlobalAlloc(GHND, 40);
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(bad));
    *header = BITMAPINFOHEADER{40, 1000, 1000, 1, 24, BI_RGB, 0, 0, 0, 0, 0};  // no bits in the block
    GlobalUnlock(bad);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_DIB, bad);
    CloseClipboard();
    ZAVTest::TempDir dir;
    EXPECT_EQ(CImgKernels::ClipboardToFile(nullptr, dir.File("bad.bmp").c_str()), 0);

    const BYTE bytes[] = {7, 7, 7};
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_ENHMETAFILE, SetEnhMetaFileBits(sizeof bytes, bytes));
    CloseClipboard();
    ASSERT_EQ(CImgKernels::ClipboardToFile(nullptr, dir.File("m.emf").c_str()), 1);
    EXPECT_EQ(ZAVTest::ReadBytes(dir.File("m.emf")), std::vector<uint8_t>(bytes, bytes + 3));
    EmptyTheClipboard();
}
