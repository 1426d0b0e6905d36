// The image object's load and save through a bound plug-in (the fake one,
// a real shared object): by extension and by id, the plug-in's own failure
// text after "; ", and the fast-thumbnail refusal before the plug-in is
// called. The sink's end follows every begin.
#include "image/object/ZAVImg.h"
#include "image/support/ImageTestSupport.h"
#include "support/ScopedEnv.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <string>

using namespace ZAV;
using ZAVTest::ThrownText;

namespace {

class PluginRoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(m_image.AddImportExportDll((std::string(ZAV_FAKE_PLUGIN_DIR) + "/FakeComplete.so").c_str()), 101);
    }
    std::string Calls() { return ZAVTest::FileExists(m_log) ? ZAVTest::ReadText(m_log) : ""; }

    ZAVTest::TempDir m_dir;
    std::string m_log = m_dir.File("calls.txt");
    ZAVTest::ScopedEnv m_env{"ZAV_FAKE_PLUGIN_LOG", m_log};
    ZAVTest::CRecordingSink m_sink;
    CZAVImg m_image{&m_sink};
};

}  // namespace

TEST_F(PluginRoad, LoadsAndSavesFilesThroughThePlugin)
{
    for (int format : {0, 101}) {  // 0: the plug-in's extension decides
        SCOPED_TRACE(format);
        const std::string path = m_dir.File("picture.jb2");
        ASSERT_EQ(ThrownText([&] { m_image.LoadFromFile(path.c_str(), format); }), "(nothing thrown)");
        EXPECT_EQ(m_image.GetWidth(), 4);
        EXPECT_EQ(m_image.GetBitsPerPixel(), 8);
        EXPECT_EQ(m_image.m_lastLoadedFile, path);
    }
    int64_t bytes = 0;
    ZAVTest::WriteText(m_log, "");
    ASSERT_EQ(ThrownText([&] { m_image.SaveToFile(m_dir.File("out.jb2").c_str(), 101, &bytes); }), "(nothing thrown)");
    // The JBIG2 plug-in's id: CheckSaveOptions made the picture 1 bit first.
    EXPECT_NE(Calls().find("SavePictureToFile bpp=1"), std::string::npos) << Calls();
    EXPECT_EQ(m_image.GetBitsPerPixel(), 1);
    EXPECT_EQ(m_sink.endCalls, m_sink.beginCalls);
}

TEST_F(PluginRoad, FailuresCarryThePluginText)
{
    EXPECT_EQ(ThrownText([&] { m_image.LoadFromMemory("E", 1, 101); }), "Error loading the file!; fake load failed");
    EXPECT_FALSE(m_image.HasImage());
    // The fake's file routes always succeed; the JPEG 2000 plug-in refuses
    // a file that is none.
    const int jpeg2000 = m_image.AddImportExportDll(ZAVTest::BinPath("ZAVJ2k20.so").c_str());
    const std::string junk = m_dir.File("junk.jp2");
    ZAVTest::WriteText(junk, "no codestream here");
    EXPECT_EQ(ThrownText([&] { m_image.LoadFromFile(junk.c_str(), jpeg2000); }),
              "Error loading the file!; Internal library error (-11).\n");
    EXPECT_FALSE(m_image.HasImage());
    EXPECT_EQ(m_sink.endCalls, m_sink.beginCalls);
}

TEST_F(PluginRoad, FastThumbnailsNeedBothSizesBeforeThePluginIsCalled)
{
    m_image.m_fastThumb[0] = 1;
    m_image.m_fastThumb[1] = 32;
    m_image.m_fastThumb[2] = 0;
    EXPECT_EQ(ThrownText([&] { m_image.LoadFromFile(m_dir.File("picture.jb2").c_str(), 0); }),
              "To enable FastThumbLoading set the properties FastThumbWidth and FastThumbHeight!");
    EXPECT_EQ(Calls().find("LoadPictureFromFile"), std::string::npos) << Calls();
    EXPECT_EQ(m_sink.endCalls, m_sink.beginCalls);
    m_image.m_fastThumb[2] = 16;
    m_image.LoadFromFile(m_dir.File("picture.jb2").c_str(), 0);
    EXPECT_NE(Calls().find("FastThumbLoading 1 32 16\n"), std::string::npos) << Calls();
}
