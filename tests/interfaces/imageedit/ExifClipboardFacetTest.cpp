// The Exif facet over JPEGs made by cjpeg and tagged by exiftool, and the
// Clipboard facet over the in-process clipboard.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ImageEditTestPixels.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"
#include "support/TestSupport.h"
#include "platform/win/Clipboard.h"
#include "support/ThrownText.h"

namespace {

using namespace ZAV;

// A 16 x 8 gray JPEG; tagged with a Make when asked.
std::string MakeJpeg(const ZAVTest::TempDir& dir, const std::string& name, bool tagged)
{
    ZAVTest::WriteText(dir.File(name + ".pgm"), "P5\n16 8\n255\n" + std::string(128, 'd'));
    const std::string jpeg = dir.File(name + ".jpg");
    ZAVTest::RunResult run = ZAVTest::Run("cjpeg -outfile " + ZAVTest::ShellQuote(jpeg) + " " +
                                          ZAVTest::ShellQuote(dir.File(name + ".pgm")));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    if (tagged) {
        run = ZAVTest::Run("exiftool -q -overwrite_original -Make=FacetCam " + ZAVTest::ShellQuote(jpeg) + " 2>&1");
        EXPECT_EQ(run.exitCode, 0) << run.output;
    }
    return jpeg;
}

std::vector<std::string> Texts(const CArrayString& array)
{
    return std::vector<std::string>(array.GetData(), array.GetData() + array.GetSize());
}

bool HasEntry(const std::vector<std::string>& texts, const std::vector<std::string>& five)
{
    for (size_t i = 0; i + 5 <= texts.size(); i += 5)
        if (std::vector<std::string>(texts.begin() + i, texts.begin() + i + 5) == five)
            return true;
    return false;
}

TEST(ExifFacet, TextsOfTaggedAndUntaggedPictures)
{
    ASSERT_TRUE(ZAVTest::HaveTool("cjpeg"));
    ASSERT_TRUE(ZAVTest::HaveTool("exiftool"));
    ZAVTest::TempDir dir;
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    IZAVImageEditExifCpp& exif = *edit->GetExif();
    const struct {
        const char* name;
        bool tagged;
    } cases[] = {{"plain", false}, {"tagged", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string jpeg = MakeJpeg(dir, c.name, c.tagged);
        CArrayString fromFile = exif.GetExifTexts(jpeg);
        const std::vector<uint8_t> bytes = ZAVTest::ReadBytes(jpeg);
        CArrayString fromMemory = exif.GetExifTextsFromMem(bytes.data(), int32_t(bytes.size()));
        const std::vector<std::string> texts = Texts(fromFile);
        EXPECT_EQ(Texts(fromMemory), texts);
        EXPECT_EQ(texts.empty(), !c.tagged);
        EXPECT_EQ(texts.size() % 5, 0u);
        EXPECT_EQ(HasEntry(texts, {"0", "271", "Make", "", "FacetCam"}), c.tagged);
    }
}

TEST(ExifFacet, OtherFailuresPassOn)
{
    ZAVTest::TempDir dir;
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    IZAVImageEditExifCpp& exif = *edit->GetExif();
    EXPECT_EQ(ZAVTest::ThrownText([&] { exif.GetExifTexts(""); }), "Invalid Filename!");
    EXPECT_NE(ZAVTest::ThrownText([&] { exif.GetExifTexts(dir.File("missing.jpg")); }), "(nothing thrown)");
    EXPECT_EQ(ZAVTest::ThrownText([&] { exif.GetExifTextsFromMem(nullptr, 16); }), "Invalid Parameter!");

    // Reading into the caller's list does not hide a missing EXIF block.
    const std::vector<uint8_t> plain = {0xFF, 0xD8, 0xFF, 0xD9};
    std::vector<std::string> texts;
    EXPECT_EQ(ZAVTest::ThrownText([&] { exif.ReadExifFromMem(plain.data(), int32_t(plain.size()), texts); }),
              "CExifRead error: No Exif data found!\n");
}

TEST(ClipboardFacet, CopyThenPasteGivesTheImageBack)
{
    CZAVPtr<IZAVImageEditSp> source = CreateImageEditSp();
    source->Create(5, 3, zavbpp24);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            source->GetDraw()->SetPixel24(x, y, RGB(x * 50, y * 80, 200 - x * 10));
    source->GetClipboard()->CopyToClipboard();

    CZAVPtr<IZAVImageEditSp> target = CreateImageEditSp();
    target->GetClipboard()->PasteFromClipboard();
    EXPECT_EQ(target->GetWidth(), 5);
    EXPECT_EQ(target->GetHeight(), 3);
    EXPECT_EQ(target->GetBitsPerPixel(), zavbpp24);
    EXPECT_EQ(ZAVTest::PixelsOf(*target.Get()), ZAVTest::PixelsOf(*source.Get()));
}

TEST(ClipboardFacet, FailuresKeepTheirTexts)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    IZAVImageEditClipboardCpp& clipboard = *edit->GetClipboard();
    EXPECT_EQ(ZAVTest::ThrownText([&] { clipboard.CopyToClipboard(); }).rfind("Error copying the HBITMAP!", 0), 0u)
        << "an empty image makes no bitmap";

    edit->Create(2, 2, zavbpp8);
    ClipboardKnobs().open = true;
    const std::string copied = ZAVTest::ThrownText([&] { clipboard.CopyToClipboard(); });
    const std::string pasted = ZAVTest::ThrownText([&] { clipboard.PasteFromClipboard(); });
    ClipboardKnobs().open = false;
    EXPECT_EQ(copied, "Error copying to the Clipboard!");
    EXPECT_EQ(pasted, "Can't paste Clipboard content!");
    EXPECT_EQ(edit->GetWidth(), 2) << "a failed paste leaves the image";

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(ZAVTest::ThrownText([&] { clipboard.PasteFromClipboard(); }), "Can't paste Clipboard content!");
}

}  // namespace
