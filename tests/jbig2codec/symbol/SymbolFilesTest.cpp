// Symbol-coded files (symbol dictionaries and text regions, written by an
// independent encoder) decode to the pixels jbig2dec gives, page by page,
// and their documents report every region as supported.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/jbig2codec/JB2DocumentFixture.h"

using namespace JB2Test;

namespace {

struct SymbolFile {
    std::vector<uint8_t> bytes;  // what the document reads
    std::vector<Picture> expected;
    std::vector<Picture> jbig2dec;
};

std::vector<Picture> Jbig2decEmbedded(const std::string& globals, const std::string& page)
{
    ZAVTest::TempDir dir;
    const std::string out = dir.File("out.pbm");
    const auto result = ZAVTest::Run("jbig2dec -q -e -t pbm -o " + ZAVTest::ShellQuote(out) + " " +
                                     ZAVTest::ShellQuote(ZAVTest::DataPath("jbig2/" + globals)) + " " +
                                     ZAVTest::ShellQuote(ZAVTest::DataPath("jbig2/" + page)));
    EXPECT_EQ(result.exitCode, 0) << result.output;
    return ZAVTest::FileExists(out) ? ParsePbm(ZAVTest::ReadBytes(out)) : std::vector<Picture>{};
}

std::vector<SymbolFile> Files()
{
    std::vector<SymbolFile> files;
    for (const char* name : {"text-301x157", "page-1003x700", "twopage"}) {
        const std::string file = std::string(name) + ".symbol.jb2";
        SymbolFile f;
        f.bytes = DataFile(file);
        f.expected = ParsePbm(DataFile(std::string(name) + ".symbol.expected.pbm"));
        f.jbig2dec = Jbig2dec(f.bytes);
        files.push_back(f);
    }
    // PDF's way: the /JBIG2Globals stream in front of the page stream.
    SymbolFile embedded;
    embedded.bytes = DataFile("embedded-text.sym");
    const auto page = DataFile("embedded-text.0000");
    embedded.bytes.insert(embedded.bytes.end(), page.begin(), page.end());
    embedded.expected = ParsePbm(DataFile("embedded-text.expected.pbm"));
    embedded.jbig2dec = Jbig2decEmbedded("embedded-text.sym", "embedded-text.0000");
    files.push_back(embedded);
    return files;
}

}  // namespace

TEST(SymbolFiles, DecodeLikeJbig2decOnEveryPage)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    for (const SymbolFile& file : Files()) {
        ASSERT_FALSE(file.expected.empty());
        EXPECT_EQ(file.jbig2dec, file.expected);
        Document document(file.bytes);
        ASSERT_EQ(document.started, 0) << document.messages.All();
        EXPECT_EQ(document.Property(cJB2_Prop_Number_Of_Pages), file.expected.size());
        EXPECT_EQ(document.Property(cJB2_Prop_Regions_Supported), 1u);
        for (uint32_t page = 0; page < file.expected.size(); ++page) {
            JB2_Error status = -1;
            const Picture decoded = document.Decode(page, &status);
            EXPECT_EQ(status, 0) << page << "\n" << document.messages.All();
            EXPECT_TRUE(decoded == file.expected[page]) << "page " << page << " of " << file.expected.size();
        }
    }
}

// The example datastream of T.88 Annex H.1, typed from the standard's
// listing: page 1 Huffman and MMR coded, page 2 the same content arithmetic
// coded, page 3 refinement and aggregation.
TEST(SymbolFiles, AnnexHDatastreamDecodesItsThreePagesLikeJbig2dec)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    const auto bytes = DataFile("annex-h.jb2");
    const auto expected = Jbig2dec(bytes);
    ASSERT_EQ(expected.size(), 3u);
    EXPECT_EQ(expected[0], expected[1]);
    Document document(bytes);
    ASSERT_EQ(document.started, 0) << document.messages.All();
    EXPECT_EQ(document.Property(cJB2_Prop_Regions_Supported), 1u);
    for (uint32_t page = 0; page < 3; ++page) {
        JB2_Error status = -1;
        const Picture decoded = document.Decode(page, &status);
        EXPECT_EQ(status, 0) << page << "\n" << document.messages.All();
        EXPECT_TRUE(decoded == expected[page]) << "page " << page;
    }
}
