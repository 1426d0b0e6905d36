#include <algorithm>
#include "formats/plugins/ImportExportDlls.h"
#include "image/object/ZAVImg.h"
#include "platform/ScreenMetrics.h"
#include "support/ScopedEnv.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <string>

using namespace ZAV;

namespace {

std::string Fake(const std::string& name)
{
    return std::string(ZAV_FAKE_PLUGIN_DIR) + "/" + name + ".so";
}

struct BindFailure {
    const char* plugin;
    std::string expected;  // %s is the path
};

std::string WithPath(std::string text, const std::string& path)
{
    const size_t at = text.find("%s");
    return at == std::string::npos ? text : text.replace(at, 2, path);
}

TEST(ImportExportDlls, FailedBindsLeaveNoRecordAndNoUsedId)
{
    const BindFailure failures[] = {
        {"FakeMissingSaveToMem", "Invalid Import/Export dll '%s'. Missing function 'SavePictureToMem'!"},
        {"FakeFlag4WithoutJpeg2000", "Invalid Import/Export dll '%s'. Missing function 'JPEG2000Settings'!Option "
                                     "flag JPEG2000SETTINGS is set but function is not provided!"},
        {"FakeNoExtensions", "no formats here"},
        {"NoSuchPlugin", "Dll '%s' not found! "},
    };
    for (const BindFailure& failure : failures) {
        CZAVImg image;
        CImportExportDlls& dlls = image.GetImportExportDlls();
        const std::string path = Fake(failure.plugin);
        int id = 0;
        EXPECT_EQ(dlls.BindDll(path.c_str(), &id), 0) << failure.plugin;
        const std::string expected = WithPath(failure.expected, path);
        EXPECT_EQ(std::string(dlls.GetLastError().GetText()).substr(0, expected.size()), expected);
        EXPECT_EQ(dlls.GetCount(), 0u);
        EXPECT_EQ(dlls.BindDll(Fake("FakeComplete").c_str(), &id), 1);
        EXPECT_EQ(id, 101);
    }
}

// The image object's own bind gives the id, or throws the list's text.
TEST(ImportExportDlls, ImageObjectBindsThroughTheList)
{
    CZAVImg image;
    EXPECT_EQ(image.AddImportExportDll(Fake("FakeComplete").c_str()), 101);
    const std::string missing = Fake("NoSuchPlugin");
    EXPECT_EQ(ZAVTest::ThrownText([&] {
                  image.AddImportExportDll(missing.c_str());
              }).substr(0, WithPath("Dll '%s' not found! ", missing).size()),
              WithPath("Dll '%s' not found! ", missing));
}

TEST(ImportExportDlls, RegistersTheReportedExtensionsUnderItsId)
{
    struct Case {
        const char* plugin;
        const char* extension;
        const char* text;
    } cases[] = {{"FakeComplete", "JB2", ";JBG2;JB2;"}, {"FakeOddExtensions", "X", ";X;"}};
    for (const Case& c : cases) {
        CZAVImg image;
        int id = 0;
        ASSERT_EQ(image.GetImportExportDlls().BindDll(Fake(c.plugin).c_str(), &id), 1);
        const CFileFormatProvider* provider = image.GetProviders().GetProviderByExtension(c.extension, false);
        EXPECT_EQ(provider->GetId(), 101);
        EXPECT_STREQ(provider->GetExtensionText().GetText(), c.text);
        EXPECT_EQ(provider->GetLoadMode(), zavpmPlugin);
    }
}

TEST(ImportExportDlls, SettingsIdsNeedTheOptionWord)
{
    CZAVImg image;
    CImportExportDlls& dlls = image.GetImportExportDlls();
    int id = 0;
    ASSERT_EQ(dlls.BindDll(Fake("FakeNoGetOptions").c_str(), &id), 1);
    EXPECT_EQ(dlls.GetJpeg2000DllId(), -1);
    EXPECT_EQ(dlls.GetJbig2DllId(), -1);
    ASSERT_EQ(dlls.BindDll(Fake("FakeComplete").c_str(), &id), 1);
    EXPECT_EQ(id, 102);
    EXPECT_EQ(dlls.GetJpeg2000DllId(), 102);
    EXPECT_EQ(dlls.GetJbig2DllId(), 102);
}

TEST(ImportExportDlls, EachImageNumbersItsOwnPlugins)
{
    CZAVImg first, second;
    int id = 0;
    ASSERT_EQ(first.GetImportExportDlls().BindDll(Fake("FakeComplete").c_str(), &id), 1);
    EXPECT_EQ(id, 101);
    ASSERT_EQ(second.GetImportExportDlls().BindDll(Fake("FakeComplete").c_str(), &id), 1);
    EXPECT_EQ(id, 101);
}

TEST(ImportExportDlls, BothShellsBindIntoOneImage)
{
    CZAVImg image;
    CImportExportDlls& dlls = image.GetImportExportDlls();
    int j2k = 0, jbig2 = 0;
    ASSERT_EQ(dlls.BindDll(ZAVTest::BinPath("ZAVJ2k20.so").c_str(), &j2k), 1) << dlls.GetLastError().GetText();
    ASSERT_EQ(dlls.BindDll(ZAVTest::BinPath("ZAVJbg20.so").c_str(), &jbig2), 1) << dlls.GetLastError().GetText();
    EXPECT_EQ(j2k, 101);
    EXPECT_EQ(jbig2, 102);
    EXPECT_EQ(dlls.GetJpeg2000DllId(), 101);
    EXPECT_EQ(dlls.GetJbig2DllId(), 102);
    EXPECT_EQ(image.GetProviders().GetProviderByExtension("J2K", false)->GetId(), 101);
    EXPECT_EQ(image.GetProviders().GetProviderByExtension("JBG2", false)->GetId(), 102);
}

class FakePluginCalls : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_log = m_dir.File("calls.txt");
        int id = 0;
        ASSERT_EQ(m_image.GetImportExportDlls().BindDll(Fake("FakeComplete").c_str(), &id), 1);
        m_plugin = m_image.GetProviders().GetProvider(static_cast<zavImgFormat>(id), false)->GetLoadPlugin();
    }

    std::string Calls() { return ZAVTest::FileExists(m_log) ? ZAVTest::ReadText(m_log) : ""; }

    int LoadFromMem(const char* data)
    {
        return m_image.GetImportExportDlls().LoadImageFromMem(&m_image, data, 1, m_plugin);
    }

    ZAVTest::TempDir m_dir;
    std::string m_log;
    CZAVImg m_image;
    CImportExportDll* m_plugin = nullptr;
};

TEST_F(FakePluginCalls, LoadAndSaveCallInOrder)
{
    ZAVTest::ScopedEnv env("ZAV_FAKE_PLUGIN_LOG", m_log.c_str());
    CImportExportDlls& dlls = m_image.GetImportExportDlls();
    dlls.SetFastThumbValues(1, 32, 16);
    ASSERT_EQ(dlls.LoadImageFromFile(&m_image, "a.fake", m_plugin), 1) << dlls.GetLastError().GetText();
    EXPECT_EQ(Calls(), "FastThumbLoading 1 32 16\nJPEG2000Settings 99\nJBIG2Settings 0 5\nSetNotification\n"
                       "LoadPictureFromFile\nGetImageProperties\n");
    EXPECT_EQ(m_image.GetWidth(), 4);
    EXPECT_EQ(m_image.GetXResolution(), 72);
    ZAVTest::WriteText(m_log, "");
    uint32_t written = 0;
    ASSERT_EQ(dlls.SaveImageToFile(&m_image, "b.fake", m_plugin, &written), 1);
    EXPECT_EQ(Calls(), "SetNotification\nJPEG2000Settings 99\nJBIG2Settings 0 5\n"
                       "SavePictureToFile bpp=8 dib=0 palette=1024\n");
    EXPECT_EQ(written, 8u);
    m_image.GetImportExportDlls().Clear();
    EXPECT_EQ(m_image.GetImageInfoList(), nullptr);
}

TEST_F(FakePluginCalls, LoadedValuesAreCheckedAndCompleted)
{
    SetScreenLogPixels(96, 96);
    ASSERT_EQ(LoadFromMem("Z"), 1);
    EXPECT_EQ(m_image.GetXResolution(), 96);
    EXPECT_EQ(m_image.GetYResolution(), 96);

    ASSERT_EQ(LoadFromMem("P"), 1);
    EXPECT_EQ(m_image.GetBitsPerPixel(), 1);
    ASSERT_EQ(m_image.GetPalette().GetCount(), 2);
    EXPECT_EQ(m_image.GetPalette().GetEntries()[0], 0x11111111u);
    EXPECT_EQ(m_image.GetPalette().GetEntries()[1], 0x11111111u);

    ASSERT_EQ(LoadFromMem("M"), 1);
    EXPECT_EQ(m_image.GetBitsPerPixel(), 8);
    EXPECT_EQ(static_cast<const BYTE*>(m_image.GetImageData())[7], 0x5A);

    struct Refused {
        const char* kind;
        const char* text;
    } refused[] = {{"S", "Error loading image!"},
                   {"7", "Error loading image!"},
                   {"N", "Error loading image!"},
                   {"D", "Error Bad parameter DIB!"},
                   {"E", "fake load failed"}};
    for (const Refused& r : refused) {
        EXPECT_EQ(LoadFromMem(r.kind), 0) << r.kind;
        EXPECT_STREQ(m_image.GetImportExportDlls().GetLastError().GetText(), r.text) << r.kind;
    }
}

TEST_F(FakePluginCalls, PackedDibIsTakenWithItsPaletteAndResolution)
{
    ASSERT_EQ(LoadFromMem("B"), 1);
    ASSERT_EQ(m_image.GetBitsPerPixel(), 8);
    ASSERT_EQ(m_image.GetWidth(), 4);
    ASSERT_EQ(m_image.GetHeight(), 2);
    EXPECT_EQ(m_image.GetXResolution(), 96);
    EXPECT_EQ(m_image.GetYResolution(), 96);
    const BYTE* pixels = static_cast<const BYTE*>(m_image.GetImageData());
    const BYTE topDown[] = {0, 1, 0, 1, 1, 1, 1, 1};
    EXPECT_TRUE(std::equal(std::begin(topDown), std::end(topDown), pixels));
    EXPECT_EQ(m_image.GetPalette().GetEntries()[0], 0xFF1E140Au);
    EXPECT_EQ(m_image.GetPalette().GetEntries()[1], 0xFF3C3228u);
}

TEST_F(FakePluginCalls, DetectionAndMembership)
{
    CImportExportDlls& dlls = m_image.GetImportExportDlls();
    int id = -1;
    EXPECT_EQ(dlls.DetectFormatFromFile("x.fake", &id), 1);
    EXPECT_EQ(id, 101);
    EXPECT_EQ(dlls.DetectFormatFromMem(&m_image, "FAKE", 4, &id), 1);
    EXPECT_EQ(dlls.DetectFormatFromMem(&m_image, "BMxx", 4, &id), 0);
    EXPECT_EQ(id, 0);
    CZAVImg other;
    EXPECT_EQ(other.GetImportExportDlls().LoadImageFromMem(&other, "G", 1, m_plugin), 0);
    EXPECT_STREQ(other.GetImportExportDlls().GetLastError().GetText(), "");
}

// A plug-in that fills its whole error buffer gets its text cut at the
// buffer's last byte, never read past it.
TEST_F(FakePluginCalls, FullErrorBufferIsCutAtItsEnd)
{
    CImportExportDlls& dlls = m_image.GetImportExportDlls();
    const std::string full(kFilterTextBufferSize - 1, 'F');
    int id = -1;
    EXPECT_EQ(dlls.DetectFormatFromFile("x.full", &id), 0);
    EXPECT_EQ(std::string(m_plugin->GetLastError().GetText()), full);
    EXPECT_EQ(dlls.DetectFormatFromMem(&m_image, "FULL", 4, &id), 0);
    EXPECT_EQ(std::string(m_plugin->GetLastError().GetText()), full);
}

}  // namespace
