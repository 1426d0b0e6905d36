#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "formats/codec/PicCodecFactory.h"
#include "image/object/ZAVImg.h"
#include "image/support/ImageTestSupport.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

using namespace ZAV;
using ZAVTest::CRecordingSink;
using ZAVTest::ThrownText;

namespace {

// Fake codecs: data "FAKE<id>" followed by one byte is a picture of format
// id; the decoder of a format makes a 1 x 1 image whose width is its id.
// The encoder writes "FAKE<id>" and one byte, or throws after writing when
// g_throwAfterWrite is set.
bool g_throwAfterWrite = false;

std::string Magic(int format)
{
    return "FAKE" + std::to_string(format) + ";";
}

class FakeDecoder : public CPicDecoder {
public:
    explicit FakeDecoder(int format) : m_format(format) {}

protected:
    int DoIsFileFormat(IDataSource* source) override
    {
        const std::string magic = Magic(m_format);
        size_t count = magic.size();
        const unsigned char* head = source->ReadAvailable(count);
        return count == magic.size() && std::string(reinterpret_cast<const char*>(head), count) == magic;
    }
    int DoGetFileInfo(IDataSource*, FilterImageInfo*) override { return 1; }
    int DoLoadPicture(IDataSource*, int*) override { return GetImage()->Create(m_format, 1, 24); }
    int DoGetFrameCount(IDataSource*) override { return 3; }

private:
    int m_format;
};

class FakeEncoder : public CPicEncoder {
public:
    explicit FakeEncoder(int format) : m_format(format) {}

protected:
    int DoSavePicture(IDataSource* target, uint32_t* bytes) override
    {
        const std::string data = Magic(m_format) + "x";
        target->WriteChecked(data.data(), data.size());
        *bytes = static_cast<uint32_t>(data.size());
        if (g_throwAfterWrite)
            ThrowTextException("Encoder broke");
        return 1;
    }

private:
    int m_format;
};

class LoadSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetPicCodecFactories([](int f) -> std::unique_ptr<CPicDecoder> { return std::make_unique<FakeDecoder>(f); },
                             [](int f) -> std::unique_ptr<CPicEncoder> { return std::make_unique<FakeEncoder>(f); });
        g_throwAfterWrite = false;
    }
    void TearDown() override { SetPicCodecFactories(nullptr, nullptr); }

    std::string WriteFile(const std::string& name, const std::string& content)
    {
        const std::string path = dir.File(name);
        ZAVTest::WriteText(path, content);
        return path;
    }

    ZAVTest::TempDir dir;
};

TEST_F(LoadSave, LoadCasesAsOneTable)
{
    const struct {
        const char* name;
        const char* file;
        int content;
        int detectMode;
        int gif;
        int wantFormat;  // 0: fails with the text
        const char* text;
    } cases[] = {
        {"extension decides", "a.jpg", 6, 1, 1, 4, ""},
        {"unregistered extension", "a.xyz", 6, 1, 1, 0, "Error detecting FileFormat!"},
        {"content decides", "b.jpg", 6, 0, 1, 6, ""},
        {"gif by content", "c.bin", 15, 0, 1, 15, ""},
        {"gif switched off", "d.bin", 15, 0, 0, 0, "Error detecting FileFormat!"},
        {"gif extension switched off", "e.gif", 15, 1, 0, 0, "Error loading image. Invalid ImageFormat!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CRecordingSink sink;
        CZAVImg image(&sink);
        image.m_detectByExtension = c.detectMode;
        image.m_gifEnabled = c.gif;
        const std::string path = WriteFile(c.file, Magic(c.content) + "x");
        const std::string thrown = ThrownText([&] { image.LoadFromFile(path.c_str(), 0); });
        if (c.wantFormat) {
            EXPECT_EQ(thrown, "(nothing thrown)");
            EXPECT_EQ(image.GetWidth(), c.wantFormat);
            EXPECT_EQ(image.m_lastLoadedFile, path);
        } else {
            EXPECT_EQ(thrown, c.text);
            EXPECT_FALSE(image.HasImage());
        }
        EXPECT_EQ(sink.beginCalls, sink.endCalls);
    }
}

TEST_F(LoadSave, LoadFromMemoryDetectsByContent)
{
    const std::string data = Magic(5) + "x";
    CZAVImg image;
    image.LoadFromMemory(data.data(), static_cast<int64_t>(data.size()), 255);
    EXPECT_EQ(image.GetWidth(), 5);
    EXPECT_EQ(ThrownText([&] { image.LoadFromMemory("junk", 4, 0); }), "Error detecting FileFormat!");
    EXPECT_FALSE(image.HasImage());
    CDataSource source;
    ASSERT_TRUE(source.OpenMemory(data.data(), data.size()));
    EXPECT_EQ(image.GetPageCount(source, 4), 0);
    EXPECT_EQ(image.GetPageCount(source, 5), 3);
}

TEST_F(LoadSave, NothingHalfWritten)
{
    CRecordingSink sink;
    CZAVImg image(&sink);
    ASSERT_EQ(image.Create(3, 2, 24), 1);
    const std::string fresh = dir.File("fresh.png");
    const std::string old = WriteFile("old.png", "older bytes");
    g_throwAfterWrite = true;
    EXPECT_EQ(ThrownText([&] { image.SaveToFile(fresh.c_str(), 6, nullptr); }), "Encoder broke; ");
    EXPECT_EQ(ThrownText([&] { image.SaveToFile(old.c_str(), 6, nullptr); }), "Encoder broke; ");
    EXPECT_FALSE(ZAVTest::FileExists(fresh));
    EXPECT_EQ(ZAVTest::ReadText(old), "older bytes");
    g_throwAfterWrite = false;
    int64_t bytes = 0;
    image.SaveToFile(old.c_str(), 6, &bytes);
    EXPECT_EQ(ZAVTest::ReadText(old), Magic(6) + "x");
    EXPECT_EQ(bytes, static_cast<int64_t>(Magic(6).size() + 1));
    const std::string multi = dir.File("multi.bmp");
    CZAVImg* list[] = {&image};
    EXPECT_EQ(ThrownText([&] { image.SaveMultipageToFile(multi.c_str(), list, 1, 1, 0, nullptr); }),
              "Error saving multipage image. Invalid ImageFormat! (TIF, PDF, DCX supported)");
    EXPECT_FALSE(ZAVTest::FileExists(multi));
    EXPECT_EQ(sink.beginCalls, sink.endCalls);
    // No temporary is left beside the targets.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1);
}

// The temporary file becomes the saved file: it must get the mode of any
// new file under the umask, not that of a private temporary.
TEST_F(LoadSave, SavedFilesGetTheModeOfANewFile)
{
    CRecordingSink sink;
    CZAVImg image(&sink);
    ASSERT_EQ(image.Create(3, 2, 24), 1);
    const std::string saved = dir.File("saved.png");
    for (const mode_t mask : {mode_t(022), mode_t(077), mode_t(002)}) {
        SCOPED_TRACE(mask);
        std::remove(saved.c_str());
        const mode_t previous = umask(mask);
        image.SaveToFile(saved.c_str(), 6, nullptr);
        umask(previous);
        struct stat facts = {};
        ASSERT_EQ(stat(saved.c_str(), &facts), 0);
        EXPECT_EQ(facts.st_mode & 0777, 0666u & ~mask);
    }
}

TEST_F(LoadSave, SaveRefusalsWriteNothing)
{
    CRecordingSink sink;
    CZAVImg image(&sink);
    ASSERT_EQ(image.Create(3, 2, 24), 1);
    image.m_tiffCompression = 8;
    const std::string pdf = dir.File("a.pdf");
    EXPECT_EQ(ThrownText([&] { image.SaveToFile(pdf.c_str(), 11, nullptr); }),
              "Invalid PDF/TIFF compression subformat. Supported values are CCITT, LZW, PACKBITS!");
    EXPECT_FALSE(ZAVTest::FileExists(pdf));
    EXPECT_EQ(ThrownText([&] { image.SaveToFile(pdf.c_str(), 0, nullptr); }), "Invalid Imageformat!");
    EXPECT_EQ(ThrownText([&] { image.SaveToFile(pdf.c_str(), 77, nullptr); }),
              "Error saving the image! No format provider found.");
    image.m_gifEnabled = 0;
    EXPECT_EQ(ThrownText([&] { image.SaveToFile(pdf.c_str(), 15, nullptr); }),
              "Error saving image. Invalid ImageFormat!; ");
    EXPECT_FALSE(ZAVTest::FileExists(pdf));
    EXPECT_EQ(ThrownText([&] { image.SaveToFile(dir.File("no/such/folder/a.png").c_str(), 6, nullptr); }),
              "Error saving to file '" + dir.File("no/such/folder/a.png") + "'");
    EXPECT_EQ(sink.beginCalls, 2);
    EXPECT_EQ(sink.endCalls, sink.beginCalls);
}

TEST_F(LoadSave, SaveToMemoryFillsExactlyTheBlock)
{
    CZAVImg image;
    ASSERT_EQ(image.Create(3, 2, 24), 1);
    const std::string expected = Magic(6) + "x";
    std::vector<char> exact(expected.size());
    int64_t bytes = 0;
    image.SaveToMemory(exact.data(), static_cast<int64_t>(exact.size()), 6, &bytes);
    EXPECT_EQ(std::string(exact.begin(), exact.end()), expected);
    EXPECT_EQ(bytes, static_cast<int64_t>(expected.size()));
    std::vector<char> shortBlock(expected.size() - 1);
    EXPECT_NE(
        ThrownText([&] { image.SaveToMemory(shortBlock.data(), static_cast<int64_t>(shortBlock.size()), 6, &bytes); }),
        "(nothing thrown)");
}

}  // namespace
