// Loading JBIG2 pictures through the plug-in: files made by jbig2enc, pages
// the codec builds, pages it only partly supports, and hostile input.
#include <filesystem>

#include "fuzz/Jbig2PluginFuzzEntries.h"
#include "jbig2codec/kvd_jb2.h"
#include "plugins/jbig2/reader/Jbig2Reader.h"
#include "tests/jbig2codec/JB2TestFiles.h"
#include "support/FuzzReplay.h"
#include "tests/plugins/jbig2/Jbig2PluginFixture.h"

using namespace Jbig2PluginTest;

namespace {

const std::vector<uint8_t> kLoadedPalette = {255, 255, 255, 255, 0, 0, 0, 255};

// A file's generic region segment made intermediate (type 36): the codec
// skips such regions.
std::vector<uint8_t> WithIntermediateRegion(std::vector<uint8_t> file)
{
    // Segment 1's header: its number, then its flags with the type.
    const uint8_t header[] = {0, 0, 0, 1, 38};
    auto at = std::search(file.begin(), file.end(), std::begin(header), std::end(header));
    EXPECT_NE(at, file.end());
    if (at != file.end())
        at[4] = 36;
    return file;
}

}  // namespace

TEST_F(Jbig2Plugin, LoadsGenericFilesAsTheirPictureWithWhiteThenBlack)
{
    const char* const files[] = {"black-200x100.generic.jb2", "small-64x48.generic.jb2", "small-64x48.tpgd.jb2",
                                 "page-1003x700.generic.jb2", "text-301x157.tpgd.jb2",   "white-200x100.tpgd.jb2"};
    for (const char* name : files) {
        SCOPED_TRACE(name);
        std::string stem = name;
        stem = stem.substr(0, stem.find('.'));
        const auto expected = JB2Test::ParsePbm(JB2Test::DataFile(stem + ".expected.pbm"));
        ASSERT_EQ(expected.size(), 1u);
        const Loaded loaded = Load(JB2Test::DataFile(name));
        ASSERT_EQ(loaded.result, 1) << loaded.error;
        EXPECT_TRUE(loaded.picture == expected[0]);
        EXPECT_EQ(loaded.palette, kLoadedPalette);
        EXPECT_EQ(loaded.info.bitsPerPixel, 1);
        EXPECT_EQ(Properties().GetValue("WIDTH").GetInt(), int32_t(expected[0].width));
        EXPECT_EQ(Properties().GetValue("HEIGHT").GetInt(), int32_t(expected[0].height));
        EXPECT_EQ(Properties().GetValue("COLORDEPTH").GetInt(), 1);
    }
}

TEST_F(Jbig2Plugin, FileFactsNameTheFileAndItsSize)
{
    char error[kFilterTextBufferSize] = {};
    FilterImageInfo info = {};
    const std::string path = ZAVTest::DataPath("jbig2/small-64x48.generic.jb2");
    ASSERT_EQ(Export<FilterGetFileInfoFromFile>("GetFileInfoFromFile")(path.c_str(), &info, error), 1) << error;
    EXPECT_EQ(info.width, 64);
    EXPECT_EQ(info.height, 48);
    EXPECT_EQ(info.bitsPerPixel, 1);
    EXPECT_EQ(Properties().GetKeyAt(0), "FILENAME");
    EXPECT_EQ(Properties().GetValue("FILENAME").GetText(), path);
    EXPECT_EQ(Export<FilterIsFileFormatFromFile>("IsFileFormatFromFile")(path.c_str(), error), 1);
}

TEST_F(Jbig2Plugin, LoadsTheFirstPageOfATwoPageFile)
{
    Apply(With({{5, 1}}));  // lossless, so that the page reads back as saved
    const Page first = JB2Test::TextPage("first", 90, 40, 3);
    const Page second = JB2Test::NoisePage("second", 70, 30, 5);
    const Saved one = Save(first), two = Save(second);
    ASSERT_EQ(one.result, 1) << one.error;
    ASSERT_EQ(two.result, 1) << two.error;
    // The inserted page stays the source's: the source document ends last.
    JB2Test::Document more(two.bytes);
    JB2Test::Document document(one.bytes);
    ASSERT_EQ(JB2_Document_Insert_Page(document.handle, 1, more.handle, 0), 0) << document.messages.All();
    JB2_Error status = 0;
    const std::vector<uint8_t> file = document.Export(cJB2_Export_Format_JBIG2_File, &status);
    ASSERT_EQ(status, 0);
    ASSERT_EQ(JB2Test::Jbig2dec(file).size(), 2u);
    const Loaded loaded = Load(file);
    ASSERT_EQ(loaded.result, 1) << loaded.error;
    EXPECT_TRUE(loaded.picture == PictureOf(first));
}

TEST_F(Jbig2Plugin, LoadsAnIntermediateRegionAsThePageDefaultAndSaysSo)
{
    Apply(NoMatchingLossless());
    const Saved saved = Save(JB2Test::TextPage("text", 120, 60, 9));
    ASSERT_EQ(saved.result, 1) << saved.error;
    const std::vector<uint8_t> file = WithIntermediateRegion(saved.bytes);
    const Loaded loaded = Load(file);
    ASSERT_EQ(loaded.result, 1) << loaded.error;
    EXPECT_TRUE(loaded.picture == PictureOf(JB2Test::BlankPage("white", 120, 60)));

    ZAV::CDataSource source;
    ASSERT_TRUE(source.OpenMemory(file.data(), file.size()));
    ZAV::FilterLoadedPicture picture;
    ZAV::Jbig2Reader reader(source, nullptr);
    reader.Load(picture);
    const auto& lines = reader.Messages();
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "File contains regions not currently supported by library. Only supported regions will be "
                        "decoded"),
              lines.end());
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [](const std::string& line) { return line.rfind("Warning : ", 0) == 0; }),
              lines.end());
}

TEST_F(Jbig2Plugin, RefusesAPageBeyondTheCodecsPageCeiling)
{
    // 100,000 pixels square: 1.25 GB of rows, from 50 bytes of file.
    const std::vector<uint8_t> file = JB2Test::OnePageFile(100000, 100000, {});
    const Loaded loaded = Load(file);
    EXPECT_EQ(loaded.result, 0);
    EXPECT_EQ(loaded.error, "Out of memory.\n");
}

TEST_F(Jbig2Plugin, OutputOfARowPastThePageIsRefused)
{
    const std::vector<uint8_t> file = JB2Test::DataFile("small-64x48.generic.jb2");
    ZAV::CDataSource source;
    ASSERT_TRUE(source.OpenMemory(file.data(), file.size()));
    ZAV::Jbig2Reader reader(source, nullptr);
    reader.ReadFacts(nullptr);
    const uint8_t row[8] = {};
    EXPECT_EQ(reader.TakeRow(row, 48), cJB2_Error_Output_Failure);
    EXPECT_EQ(reader.TakeRow(nullptr, 0), cJB2_Error_Output_Failure);
}

TEST_F(Jbig2Plugin, DamagedDataGivesATextNeverACrash)
{
    const std::vector<uint8_t> good = JB2Test::DataFile("text-301x157.generic.jb2");
    // Cut inside the headers: refused. Cut inside the coded region: the
    // decoder reads on as past the end of coded data (T.88 E.3.4), so
    // either result will do, but a refusal has its text.
    for (size_t cut : {size_t(4), size_t(40), good.size() / 2, good.size() - 3}) {
        const Loaded loaded = Load({good.begin(), good.begin() + cut});
        if (cut <= 40) {
            EXPECT_EQ(loaded.result, 0) << cut;
        }
        EXPECT_EQ(loaded.result == 0, !loaded.error.empty()) << cut;
    }
}

TEST_F(Jbig2Plugin, KeptFuzzInputsEndWithoutACrashOrALeak)
{
    ZAVTest::ReplayKeptFuzzInputs("jbig2plugin_load_fuzzer", [this](const uint8_t* data, size_t size) {
        ZAVFuzz::LoadJbig2Picture(Export<FilterGetFileInfoFromMem>("GetFileInfoFromMem"),
                                  Export<FilterLoadPictureFromMem>("LoadPictureFromMem"), data, size);
    });
}
