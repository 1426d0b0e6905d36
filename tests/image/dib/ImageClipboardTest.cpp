// The image object through the clipboard: a copy pasted back gives the
// same pixels, refusals give their texts, and the temporary file of a paste
// never stays behind.
#include "image/object/ZAVImg.h"
#include "platform/gdi/Metafiles.h"
#include "platform/win/Clipboard.h"
#include "support/ScopedEnv.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <vector>

using namespace ZAV;
using ZAVTest::ThrownText;

namespace {

std::vector<BYTE> PixelBytes(const CZAVImg& image)
{
    const auto* bytes = static_cast<const BYTE*>(image.GetImageData());
    return bytes ? std::vector<BYTE>(bytes, bytes + image.GetImageSize()) : std::vector<BYTE>();
}

void PutOnClipboard(UINT format, HANDLE data)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (data)
        SetClipboardData(format, data);
    CloseClipboard();
}

size_t FilesIn(const std::string& folder)
{
    return static_cast<size_t>(
        std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
}

// Every paste in these tests makes its temporary file in a folder of its own.
class ImageClipboard : public ::testing::Test {
protected:
    ZAVTest::TempDir temp;
    ZAVTest::ScopedEnv tmpdir{"TMPDIR", temp.Path()};
    void TearDown() override { PutOnClipboard(CF_DIB, nullptr); }
};

}  // namespace

TEST_F(ImageClipboard, CopiedImagesPasteBackWithTheirPixels)
{
    CZAVImg colour;
    ASSERT_EQ(colour.Create(3, 2, 24), 1);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            colour.SetPixel24(x, y, RGB(x * 80, y * 200, 7 + x + y));
    colour.CopyToClipboard();
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    CZAVImg pasted;
    pasted.PasteFromClipboard();
    EXPECT_EQ(pasted.GetBitsPerPixel(), 24);
    EXPECT_EQ(pasted.GetWidth(), 3);
    EXPECT_EQ(PixelBytes(pasted), PixelBytes(colour));
    EXPECT_EQ(FilesIn(temp.Path()), 0u);

    // A palette image comes back as the colours of its indices.
    CZAVImg indexed;
    ASSERT_EQ(indexed.Create(2, 1, 8), 1);
    indexed.GetPalette().Create(8);
    indexed.GetPalette().SetEntry(0, 0x00102030);  // red 0x10, green 0x20, blue 0x30
    indexed.GetPalette().SetEntry(1, 0x00A0B0C0);
    indexed.SetPixel8(1, 0, 1);
    indexed.CopyToClipboard();
    pasted.PasteFromClipboard();
    EXPECT_EQ(PixelBytes(pasted), (std::vector<BYTE>{0x10, 0x20, 0x30, 0xA0, 0xB0, 0xC0}));
}

TEST_F(ImageClipboard, RefusalsGiveTheirTexts)
{
    CZAVImg empty;
    EXPECT_EQ(ThrownText([&] { empty.CopyToClipboard(); }), "Error copying the HBITMAP!Error");
    CZAVImg image;
    ASSERT_EQ(image.Create(2, 2, 24), 1);
    ClipboardKnobs().open = true;
    EXPECT_EQ(ThrownText([&] { image.CopyToClipboard(); }), "Error copying to the Clipboard!");
    ClipboardKnobs().open = false;

    PutOnClipboard(CF_DIB, nullptr);  // nothing there
    EXPECT_EQ(ThrownText([&] { image.PasteFromClipboard(); }), "Can't paste Clipboard content!");
    EXPECT_EQ(image.GetWidth(), 2);
    // A metafile is written out, but the OLE load reads only bitmaps.
    const BYTE bytes[] = {1, 2, 3};
    PutOnClipboard(CF_ENHMETAFILE, SetEnhMetaFileBits(sizeof bytes, bytes));
    EXPECT_EQ(ThrownText([&] { image.PasteFromClipboard(); }), "Error");
    EXPECT_EQ(image.GetWidth(), 2);
    EXPECT_EQ(FilesIn(temp.Path()), 0u);

    ZAVTest::ScopedEnv missing("TMPDIR", temp.File("no/such/folder"));
    EXPECT_EQ(ThrownText([&] { image.PasteFromClipboard(); }), "Can't create temp file!");
}
