// The file-format settings facet: its defaults, the choice of the PDF image
// coding by depth and bound plug-ins, the JPEG 2000 metadata, and the values
// that reach a plug-in on a save.
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ScopedEnv.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

namespace {

using namespace ZAV;
using ZAVTest::ThrownText;

std::string Fake(const std::string& name)
{
    return std::string(ZAV_IMAGEEDIT_FAKE_DIR) + "/" + name + ".so";
}

IZAVImageEditFileFormatSettingsCpp& Settings(CZAVPtr<IZAVImageEditSp>& edit)
{
    return *edit->GetFileFormatSettings();
}

TEST(FileFormatSettings, DefaultsOfAFreshObject)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    IZAVImageEditFileFormatSettingsCpp& s = Settings(edit);
    const CZAVImg& image = edit->GetImageEdit()->GetImage();
    const struct {
        const char* name;
        int64_t value;
        int64_t expected;
    } defaults[] = {
        {"prepare on save", s.GetPrepareOnSave(), 1},
        {"JPEG quality", s.GetJpegQuality(), 60},
        {"TIFF compression", s.GetTiffCompression(), 1},
        {"TIFF predictor", s.GetTiffPredictor(), 2},
        {"TIFF fax mode", s.GetTiffFaxMode(), 1},
        {"PDF image coding", s.GetPdfImageCoding(), 5},
        {"GIF transparent index", image.m_gif.values[0], -1},
        {"GIF delay", image.m_gif.values[1], 100},
        {"PNG colour type", s.GetPngColorType(), 2},
        {"WMF background", s.GetWmfBackgroundColor(), 0xFFFFFF},
        {"Magick value 4", s.GetMagickValue4(), 72},
        {"JBIG2 second integer", image.m_jbig2Settings[1], 10},
        {"JPEG 2000 third integer", image.m_jpeg2000.ints[2], 99},
        {"JPEG 2000 plug-in", s.GetJpeg2000DllId(), -1},
        {"JBIG2 plug-in", s.GetJbig2DllId(), -1},
    };
    for (const auto& d : defaults)
        EXPECT_EQ(d.value, d.expected) << d.name;
    EXPECT_DOUBLE_EQ(s.GetExrValue2(), 2.2);
}

enum Bound { kNone, kJbig2Only, kBoth };

std::string Jbig2Values(const CZAVImg& image)
{
    std::string text;
    for (int32_t value : image.m_jbig2Settings)
        text += std::to_string(value) + " ";
    return text;
}

// Coding, TIFF compression, fax mode, T6 options and the JBIG2 integers, or
// the failure text.
std::string SelectFor(int depth, Bound bound)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    if (bound == kBoth)
        edit->AddImportExportDll(Fake("FakeJpeg2000Only"), "");
    if (bound != kNone)
        edit->AddImportExportDll(Fake("FakeJbig2Only"), "");
    if (depth)
        edit->Create(8, 4, static_cast<zavBitsPerPixel>(depth));
    IZAVImageEditFileFormatSettingsCpp& s = Settings(edit);
    // Values the choice must visibly change or keep.
    s.SetPdfImageCoding(77);
    s.SetTiffFaxMode(0);
    s.SetTiffT6Options(9);
    const std::string failure = ThrownText([&] { s.SelectPdfImageCoding(); });
    return (failure == "(nothing thrown)" ? "" : failure + " ") + std::to_string(s.GetPdfImageCoding()) + " " +
           std::to_string(s.GetTiffCompression()) + " " + std::to_string(s.GetTiffFaxMode()) + " " +
           std::to_string(s.GetTiffT6Options()) + " | " + Jbig2Values(edit->GetImageEdit()->GetImage());
}

TEST(FileFormatSettings, SelectPdfImageCodingByDepthAndPlugins)
{
    const char* kJbig2Defaults = "0 10 20 0 0 0 1 5 ";
    const char* kJbig2ForPdf = "0 100 20 0 0 0 1 5 ";
    const struct {
        int depth;
        Bound bound;
        std::string expected;
    } cases[] = {
        {1, kNone, std::string("5 4 1 0 | ") + kJbig2Defaults},
        {1, kJbig2Only, std::string("101 1 0 9 | ") + kJbig2ForPdf},
        {1, kBoth, std::string("102 1 0 9 | ") + kJbig2ForPdf},
        {8, kNone, std::string("5 5 0 9 | ") + kJbig2Defaults},
        {8, kBoth, std::string("5 5 0 9 | ") + kJbig2Defaults},
        {24, kNone, std::string("4 1 0 9 | ") + kJbig2Defaults},
        {24, kJbig2Only, std::string("4 1 0 9 | ") + kJbig2Defaults},
        {24, kBoth, std::string("101 1 0 9 | ") + kJbig2Defaults},
        {16, kBoth, std::string("Invalid bit depth 16! 77 1 0 9 | ") + kJbig2Defaults},
        {32, kNone, std::string("Invalid bit depth 32! 77 1 0 9 | ") + kJbig2Defaults},
        {0, kNone, std::string("Invalid bit depth 0! 77 1 0 9 | ") + kJbig2Defaults},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SelectFor(c.depth, c.bound), c.expected) << "depth " << c.depth << " bound " << c.bound;
}

TEST(FileFormatSettings, MetadataAndRegionsAreSetIndependently)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    IZAVImageEditFileFormatSettingsCpp& s = Settings(edit);
    const Jpeg2000MetadataRecord& record = edit->GetImageEdit()->GetImage().m_jpeg2000Metadata;
    const unsigned char xml[] = {'<', 'a', '/', '>'};
    CArrayString ids(std::vector<std::string>{"00112233445566778899AABBCCDDEEFF"});
    s.SetJpeg2000RoiRectangles(CZAVInt32Array(std::vector<int32_t>{1, 2, 3, 4, 5}));
    s.SetJpeg2000Metadata(CZAVByteArray(xml, 4), CZAVByteArray(), CZAVByteArray(), "uuid", CZAVByteArray(xml, 2), ids,
                          "http://x");
    EXPECT_EQ(record.roiRectangles, (std::vector<int32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(record.xmlData.size(), 4u);
    EXPECT_EQ(record.uuidInfoIds, std::vector<std::string>{"00112233445566778899AABBCCDDEEFF"});
    EXPECT_EQ(record.uuidInfoUrl, "http://x");

    s.SetJpeg2000RoiRectangles(CZAVInt32Array(std::vector<int32_t>{9, 9, 9, 9}));
    EXPECT_EQ(record.roiRectangles, (std::vector<int32_t>{9, 9, 9, 9}));
    EXPECT_EQ(record.uuidId, "uuid");
    EXPECT_EQ(record.uuidData.size(), 2u);
}

TEST(FileFormatSettings, GifSettingsReplaceTheCommentList)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    CArrayString comments(std::vector<std::string>{"one", "two"});
    Settings(edit).SetGifSettings(2, comments, 3, 50, 1, 4, 5, 6, 0);
    CArrayString none;
    const CGifSettings& gif = edit->GetImageEdit()->GetImage().m_gif;
    EXPECT_EQ(gif.comments.size(), 2u);
    Settings(edit).SetGifSettings(2, none, 3, 50, 1, 4, 5, 6, 0);
    EXPECT_TRUE(gif.comments.empty());
    EXPECT_EQ(std::vector<int32_t>(gif.values, gif.values + 7), (std::vector<int32_t>{3, 50, 1, 4, 5, 6, 0}));
}

TEST(FileFormatSettings, APluginReceivesEveryValueOnASave)
{
    ZAVTest::TempDir dir;
    const std::string log = dir.File("calls.txt");
    ZAVTest::ScopedEnv env("ZAV_FAKE_PLUGIN_LOG", log.c_str());
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    const int id = edit->AddImportExportDll(Fake("FakeRecordBoth"), "");
    ASSERT_EQ(id, 101);
    edit->Create(4, 2, zavbpp8);
    IZAVImageEditFileFormatSettingsCpp& s = Settings(edit);
    s.SetPrepareOnSave(0);
    s.SetJpeg2000Settings(11, 12, 13, 14, 15, 16, 17, 18, 19, 0.5, 2.25, 4096);
    s.SetJbig2Settings(21, 22, 23, 24, 25, 26, 27, 28);
    ZAVTest::WriteText(log, "");
    edit->SaveToFile(dir.File("out.fake"), id);
    const std::string calls = ZAVTest::ReadText(log);
    EXPECT_NE(calls.find("JPEG2000Settings 11 12 13 14 15 16 17 18 19 0.5 2.25 4096\n"), std::string::npos) << calls;
    EXPECT_NE(calls.find("JBIG2Settings 21 22 23 24 25 26 27 28\n"), std::string::npos) << calls;
}

}  // namespace
