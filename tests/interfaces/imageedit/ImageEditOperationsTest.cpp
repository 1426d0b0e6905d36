// The main interface's operations with bodies of their own: byte-array
// loads and saves, multipage saves, copies, overlays, plug-in binding,
// attached pixel blocks and the curve table.
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/GlobalMem.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"
#include "ImageEditTestPixels.h"

namespace {

using namespace ZAV;
using ZAVTest::Bytes;
using ZAVTest::MeanDifference;
using ZAVTest::PixelsOf;
using ZAVTest::ThrownText;

constexpr int kFormatBmp = 1;
constexpr int kFormatJpeg = 4;
constexpr int kFormatTiff = 5;
constexpr int kFormatPng = 6;

// An object holding a picture of the depth with a pattern in its pixels
// (an 8-bit one with a gray palette).
CZAVPtr<IZAVImageEditSp> Patterned(int width, int height, zavBitsPerPixel depth)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->Create(width, height, depth);
    auto* pixels = static_cast<unsigned char*>(edit->GetImageData());
    const int bytesPerLine = edit->GetBytesPerLine();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < bytesPerLine; ++x)
            pixels[y * bytesPerLine + x] = static_cast<unsigned char>((x * 3 + y * 5) & 0xFF);
    if (depth == zavbpp8)
        edit->GetPalette()->CreateGrayScale();
    return edit;
}

TEST(ImageEditOperations, ByteArrayRoundTrips)
{
    const struct {
        const char* name;
        int format;
        zavBitsPerPixel depth;
        double tolerance;
    } cases[] = {
        {"PNG 24", kFormatPng, zavbpp24, 0},   {"PNG 8 gray", kFormatPng, zavbpp8, 0},
        {"JPEG 24", kFormatJpeg, zavbpp24, 4}, {"JPEG 8 gray", kFormatJpeg, zavbpp8, 4},
        {"TIFF 24", kFormatTiff, zavbpp24, 0}, {"TIFF 8 gray", kFormatTiff, zavbpp8, 0},
        {"BMP 24", kFormatBmp, zavbpp24, 0},   {"BMP 8 gray", kFormatBmp, zavbpp8, 0},
    };
    for (const auto& c : cases) {
        CZAVPtr<IZAVImageEditSp> source = Patterned(32, 16, c.depth);
        source->GetFileFormatSettings()->SetPrepareOnSave(0);
        source->GetFileFormatSettings()->SetJpegGrayscale(c.depth == zavbpp8);
        source->GetFileFormatSettings()->SetJpegQuality(95);
        source->GetFileFormatSettings()->SetPngColorType(c.depth == zavbpp8 ? 3 : 2);
        CZAVByteArray bytes;
        source->SaveToArray(bytes, c.format);
        EXPECT_EQ(bytes.GetSize(), source->GetLastSaveResult()) << c.name;

        CZAVPtr<IZAVImageEditSp> loaded = CreateImageEditSp();
        loaded->SetFormatDetectionMode(0);
        loaded->LoadFromByteArray(bytes, 255);
        EXPECT_EQ(loaded->GetWidth(), 32) << c.name;
        EXPECT_EQ(loaded->GetBitsPerPixel(), c.depth) << c.name;
        EXPECT_LE(MeanDifference(PixelsOf(*loaded.Get()), PixelsOf(*source.Get())), c.tolerance) << c.name;
        EXPECT_EQ(loaded->GetFileFormatFromByteArray(bytes), c.format) << c.name;
    }
}

TEST(ImageEditOperations, FormatDetection)
{
    ZAVTest::TempDir dir;
    CZAVPtr<IZAVImageEditSp> edit = Patterned(8, 8, zavbpp24);
    edit->SaveToFile(dir.File("png.jpg"), kFormatPng);
    edit->SaveToFile(dir.File("png.unknown"), kFormatPng);
    int format = -1;
    // By extension (mode 1), then by content.
    EXPECT_EQ(edit->GetFileFormatFromFile(dir.File("png.jpg")), kFormatJpeg);
    EXPECT_EQ(edit->TryGetFileFormatFromFile(dir.File("png.unknown"), &format), 0);
    edit->SetFormatDetectionMode(0);
    EXPECT_EQ(edit->TryGetFileFormatFromFile(dir.File("png.jpg"), &format), 1);
    EXPECT_EQ(format, kFormatPng);
    EXPECT_EQ(edit->GetPageCountFromFile(dir.File("png.jpg")), 0);
    const unsigned char unknown[16] = {};
    EXPECT_EQ(edit->TryGetFileFormatFromMem(unknown, sizeof unknown, &format), 0);
}

TEST(ImageEditOperations, SaveToArrayHoldsExactlyTheBytesWritten)
{
    ZAVTest::TempDir dir;
    CZAVPtr<IZAVImageEditSp> edit = Patterned(20, 10, zavbpp24);
    edit->SaveToFile(dir.File("a.png"), kFormatPng);
    const std::vector<uint8_t> file = ZAVTest::ReadBytes(dir.File("a.png"));
    CZAVByteArray bytes;
    edit->SaveToArray(bytes, kFormatPng);
    ASSERT_EQ(static_cast<size_t>(bytes.GetSize()), file.size());
    EXPECT_EQ(std::memcmp(bytes.GetData(), file.data(), file.size()), 0);
    // A save that writes nothing leaves the array empty, whatever it held.
    EXPECT_EQ(ThrownText([&] { edit->SaveToArray(bytes, 0); }), "Invalid Imageformat!");
    EXPECT_EQ(bytes.GetSize(), 0);
    EXPECT_EQ(edit->GetLastSaveResult(), 0);
}

TEST(ImageEditOperations, MultipageSavesIntoAnArray)
{
    ASSERT_TRUE(ZAVTest::HaveTool("tiffinfo"));
    CZAVPtr<IZAVImageEditSp> first = Patterned(10, 10, zavbpp24);
    CZAVPtr<IZAVImageEditSp> second = Patterned(10, 10, zavbpp24);
    CZAVPtr<IZAVArrayObjectSp> list = CreateArrayObjectSp();
    list->SetSize(2);
    list->SetAt(0, first->GetObjectSp().Get());
    list->SetAt(1, second->GetObjectSp().Get());
    // Each object offers 10 x 10 x 3 + 66,560 bytes.
    EXPECT_EQ(first->GetSaveBufferSize() + second->GetSaveBufferSize(), 133720);
    CZAVByteArray bytes;
    first->SaveMultipageToArray(list.Get(), bytes, kFormatTiff);
    ASSERT_GT(bytes.GetSize(), 0);
    EXPECT_EQ(bytes.GetSize(), first->GetLastSaveResult());
    ZAVTest::TempDir dir;
    ZAVTest::WriteBytes(dir.File("two.tif"), std::vector<uint8_t>(bytes.GetData(), bytes.GetData() + bytes.GetSize()));
    const ZAVTest::RunResult info = ZAVTest::Run("tiffinfo " + ZAVTest::ShellQuote(dir.File("two.tif")));
    EXPECT_EQ(info.exitCode, 0) << info.output;
    size_t directories = 0;
    for (size_t at = info.output.find("TIFF Directory"); at != std::string::npos;
         at = info.output.find("TIFF Directory", at + 1))
        ++directories;
    EXPECT_EQ(directories, 2u) << info.output;

    // A failing save after that one leaves the array empty.
    EXPECT_NE(ThrownText([&] { first->SaveMultipageToArray(list.Get(), bytes, kFormatBmp); }), "(nothing thrown)");
    EXPECT_EQ(bytes.GetSize(), 0);
    EXPECT_EQ(first->GetLastSaveResult(), 0);
}

TEST(ImageEditOperations, FailedMultipageSaveLeavesNoStaleResult)
{
    CZAVPtr<IZAVImageEditSp> edit = Patterned(10, 10, zavbpp24);
    CZAVByteArray bytes;
    edit->SaveToArray(bytes, kFormatPng);
    ASSERT_GT(edit->GetLastSaveResult(), 0);
    CZAVPtr<IZAVArrayObjectSp> list = CreateArrayObjectSp();
    list->SetSize(1);
    list->SetAt(0, edit->GetObjectSp().Get());
    std::vector<unsigned char> buffer(200000);
    EXPECT_NE(ThrownText([&] { edit->SaveMultipageToMem(list.Get(), buffer.data(), 200000, kFormatBmp); }),
              "(nothing thrown)");
    EXPECT_EQ(edit->GetLastSaveResult(), 0);
    CZAVByteArray array(buffer.data(), 4);
    EXPECT_NE(ThrownText([&] { edit->SaveMultipageToArray(list.Get(), array, kFormatBmp); }), "(nothing thrown)");
    EXPECT_EQ(array.GetSize(), 0);
}

TEST(ImageEditOperations, EmptyListsAndArraysAreRefused)
{
    CZAVPtr<IZAVImageEditSp> edit = Patterned(10, 10, zavbpp24);
    CZAVPtr<IZAVArrayObjectSp> empty = CreateArrayObjectSp();
    CZAVByteArray bytes;
    CZAVInt32Array none;
    unsigned char buffer[16];
    const std::function<void()> actions[] = {
        [&] { edit->SaveMultipageToFile(empty.Get(), "unused.tif", kFormatTiff, 0); },
        [&] { edit->SaveMultipageToMem(empty.Get(), buffer, sizeof buffer, kFormatTiff); },
        [&] { edit->SaveMultipageToArray(empty.Get(), bytes, kFormatTiff); },
        [&] { edit->SaveMultipageToByteArray(nullptr, kFormatTiff); },
        [&] { edit->CreateHistogramImage(none, 100); },
        [&] { edit->GetCurveTable(none, 0); },
    };
    for (const auto& action : actions)
        EXPECT_EQ(ThrownText(action), "Invalid Parameter!");
    EXPECT_EQ(edit->GetWidth(), 10);
}

TEST(ImageEditOperations, CloneAndCreateLikeCopyTheSettings)
{
    CZAVPtr<IZAVImageEditSp> source = Patterned(12, 6, zavbpp8);
    source->SetBackgroundColor(0x123456);
    source->SetFillBackground(0);
    source->SetOverlayMode(3);
    source->SetDrawMode(2);
    source->SetTransparentColor(0x00FF00);
    source->SetXResolution(150);
    source->SetYResolution(300);
    source->SetUseAdvancedImgProc(1);
    source->GetPalette()->SetPaletteEntry(7, 0x0A0B0C);
    CZAVImg& image = source->GetImageEdit()->GetImage();
    HGLOBAL mask = GlobalAlloc(GPTR, 12 * 6);
    static_cast<unsigned char*>(mask)[5] = 200;
    ASSERT_EQ(image.SetMask(mask, 12 * 6), 1);

    CZAVPtr<IZAVImageEditSp> clone = source->Clone();
    CZAVPtr<IZAVImageEditSp> like = CreateImageEditSp();
    like->CreateLike(source.Get(), 3, 2, zavbpp24);
    for (IZAVImageEditSp* target : {clone.Get(), like.Get()}) {
        EXPECT_EQ(target->GetBackgroundColor(), 0x123456u);
        EXPECT_EQ(target->GetFillBackground(), 0);
        EXPECT_EQ(target->GetOverlayMode(), 3);
        EXPECT_EQ(target->GetDrawMode(), 2);
        EXPECT_EQ(target->GetTransparentColor(), 0x00FF00u);
        EXPECT_EQ(target->GetXResolution(), 150);
        EXPECT_EQ(target->GetYResolution(), 300);
        EXPECT_EQ(target->GetUseAdvancedImgProc(), 1);
        EXPECT_EQ(target->GetPalette()->GetPaletteEntry(7), 0x0A0B0Cu);
    }
    EXPECT_EQ(PixelsOf(*clone.Get()), PixelsOf(*source.Get()));
    const CZAVImg& cloned = clone->GetImageEdit()->GetImage();
    ASSERT_NE(cloned.GetMask(), nullptr);
    EXPECT_NE(cloned.GetMask(), image.GetMask());
    EXPECT_EQ(static_cast<const unsigned char*>(cloned.GetMask())[5], 200);
    EXPECT_EQ(like->GetWidth(), 3);
    EXPECT_EQ(like->GetBitsPerPixel(), zavbpp24);
    EXPECT_EQ(like->GetImageEdit()->GetImage().GetMask(), nullptr);

    CZAVPtr<IZAVImageEditSp> bare = source->Clone(0);
    EXPECT_EQ(bare->HasImage(), 0);
    EXPECT_EQ(bare->GetXResolution(), 150);
}

// The image takes no 32-bit block over, so a clone of that depth is made
// and filled instead of attached.
TEST(ImageEditOperations, ClonesOfEveryDepthHoldTheSamePixels)
{
    for (zavBitsPerPixel depth : {zavbpp1, zavbpp8, zavbpp24, zavbpp32}) {
        CZAVPtr<IZAVImageEditSp> source = Patterned(9, 5, depth);
        CZAVPtr<IZAVImageEditSp> clone = source->Clone();
        EXPECT_EQ(clone->GetBitsPerPixel(), depth);
        EXPECT_EQ(clone->GetWidth(), 9);
        EXPECT_EQ(PixelsOf(*clone.Get()), PixelsOf(*source.Get())) << "depth " << depth;
        EXPECT_NE(clone->GetImageData(), source->GetImageData());
    }
}

TEST(ImageEditOperations, OverlayArgumentsAreCheckedBeforeAnyChange)
{
    CZAVPtr<IZAVImageEditSp> base = Patterned(16, 16, zavbpp24);
    const std::vector<unsigned char> before = PixelsOf(*base.Get());
    CZAVPtr<IZAVImageEditSp> overlay = Patterned(8, 8, zavbpp24);
    CZAVPtr<IZAVImageEditSp> mask24 = Patterned(8, 8, zavbpp24);
    CZAVPtr<IZAVImageEditSp> mask8small = Patterned(4, 8, zavbpp8);
    CZAVPtr<IZAVImageEditSp> overlay8 = Patterned(8, 8, zavbpp8);
    const struct {
        std::function<void()> action;
        const char* expected;
    } cases[] = {
        {[&] { base->OverlayWithMask(overlay.Get(), mask24.Get(), 0, 0); }, "Mask Image must be 8bit!"},
        {[&] { base->OverlayWithMask(overlay.Get(), mask8small.Get(), 0, 0); },
         "Mask Image and Overlay Image must have the same size!"},
        {[&] { base->OverlayWithMask(overlay.Get(), nullptr, 0, 0); }, "Invalid Parameter!"},
        {[&] { base->OverlayWithMask(overlay8.Get(), mask24.Get(), 0, 0); },
         "Overlay image colordepth differs from this colordepth!"},
        {[&] { base->OverlayBlended(overlay8.Get(), 0, 0, 50.0, 0); },
         "Overlay image colordepth differs from this colordepth!"},
        {[&] { base->OverlayBlended(nullptr, 0, 0, 50.0, 0); }, "Invalid Parameter!"},
        {[&] { base->OverlayTransparentColor(overlay8.Get(), 0, 0, 0); },
         "Overlay image colordepth differs from this colordepth!"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ThrownText(c.action), c.expected);
    EXPECT_EQ(PixelsOf(*base.Get()), before);
}

TEST(ImageEditOperations, PluginsBindInLoadOrder)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    EXPECT_EQ(edit->AddImportExportDll(ZAVTest::BinPath("ZAVJ2k20.so"), ""), 101);
    EXPECT_EQ(edit->AddImportExportDll(ZAVTest::BinPath("ZAVJbg20.so"), ""), 102);
    EXPECT_EQ(edit->GetFileFormatSettings()->GetJpeg2000DllId(), 101);
    EXPECT_EQ(edit->GetFileFormatSettings()->GetJbig2DllId(), 102);

    CZAVPtr<IZAVImageEditSp> other = CreateImageEditSp();
    const std::string missing = ZAVTest::BinPath("NoSuchPlugin.so");
    const std::string text = ThrownText([&] { other->AddImportExportDll(missing, ""); });
    const std::string expected = "Dll '" + missing + "' not found!";
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    EXPECT_EQ(other->GetFileFormatSettings()->GetJpeg2000DllId(), -1);
}

TEST(ImageEditOperations, AttachedBlocksHaveOneOwner)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    // A refused block stays the caller's: freed here, once.
    HGLOBAL small = GlobalAlloc(GPTR, 10);
    EXPECT_NE(ThrownText([&] { edit->AttachImageData(small, 10, 8, 8, zavbpp8); }), "(nothing thrown)");
    EXPECT_EQ(edit->HasImage(), 0);
    GlobalFree(small);

    // An accepted one is the image's until detached.
    HGLOBAL block = GlobalAlloc(GPTR, 64);
    edit->AttachImageData(block, 64, 8, 8, zavbpp8);
    EXPECT_EQ(edit->GetImageData(), block);
    HGLOBAL back = edit->DetachImageData();
    EXPECT_EQ(back, block);
    GlobalFree(back);

    // A safe array's bytes are copied; the variant keeps its own.
    VARIANT variant;
    VariantInit(&variant);
    edit->AttachImageData(GlobalAlloc(GPTR, 64), 64, 8, 8, zavbpp8);
    edit->GetImageDataAsVariant(&variant);
    EXPECT_EQ(variant.parray->rgsabound[0].cElements, 64u);
    edit->CreateFromSafeArray(&variant, 16, 4, zavbpp8);
    EXPECT_EQ(ThrownText([&] { edit->CreateFromSafeArray(&variant, 8, 8, zavbpp24); }).substr(0, 19),
              "Invalid Image Size!");
    EXPECT_EQ(edit->GetWidth(), 16);
    VariantClear(&variant);
    EXPECT_EQ(ThrownText([&] { edit->CreateFromSafeArray(&variant, 4, 4, zavbpp24); }), "Invalid array type");
}

TEST(ImageEditOperations, CurveTableHasAlways256Entries)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    const std::vector<std::vector<int32_t>> points = {{0, 100}, {0, 50, 100}, {-1, 20, -1, 80, -1}};
    for (const auto& controls : points) {
        CZAVInt32Array array(controls);
        const CZAVInt32Array table = edit->GetCurveTable(array, 0);
        EXPECT_EQ(table.GetSize(), 256);
    }
    CZAVInt32Array identity(std::vector<int32_t>{0, 100});
    const CZAVInt32Array table = edit->GetCurveTable(identity, 0);
    EXPECT_EQ(table.GetAt(0), 0);
    EXPECT_EQ(table.GetAt(128), 128);
    EXPECT_EQ(table.GetAt(255), 255);
}

TEST(ImageEditOperations, DrawModeAndHeldPictures)
{
    CZAVPtr<IZAVImageEditSp> edit = Patterned(8, 4, zavbpp24);
    edit->SetDrawMode(5);
    EXPECT_EQ(edit->GetUseDrawDib(), 0);
    EXPECT_EQ(edit->GetDrawerFlag(), 1);
    EXPECT_EQ(edit->GetFillBackground(), 0);

    CZAVPtr<IZAVImageEditSp> other = Patterned(8, 4, zavbpp24);
    other->SetDrawerFlag(0);
    other->SetDrawMode(2);
    EXPECT_EQ(other->GetDrawMode(), 2);
    EXPECT_EQ(other->GetUseDrawDib(), 1);
    EXPECT_EQ(other->GetDrawerFlag(), 0);
    EXPECT_EQ(other->GetFillBackground(), 1);

    IPicture* picture = edit->CreateOlePicture(0);
    ASSERT_NE(picture, nullptr);
    edit->GetImageEdit()->GetImage().SetOlePicture(picture);
    IPicture* first = edit->CreateOlePicture(1);
    IPicture* second = edit->CreateOlePicture(1);
    EXPECT_EQ(first, picture);
    EXPECT_EQ(second, picture);
    first->Release();
    second->Release();
    // A picture made into an image is held by it and handed back.
    CZAVPtr<IZAVImageEditSp> fromPicture = CreateImageEditSp();
    fromPicture->CreateFromOlePicture(picture);
    EXPECT_EQ(fromPicture->GetImageEdit()->GetImage().GetBitsPerPixel(), 24);
    IPicture* held = fromPicture->CreateOlePicture(1);
    EXPECT_EQ(held, picture);
    held->Release();
    picture->Release();

    CZAVPtr<IZAVImageEditSp> empty = CreateImageEditSp();
    EXPECT_EQ(empty->CreateOlePicture(0), nullptr);
    EXPECT_TRUE(empty->GetImageInfo().IsEmpty());
}

}  // namespace
