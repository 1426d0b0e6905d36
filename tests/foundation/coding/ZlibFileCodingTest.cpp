#include "foundation/coding/ZlibFileCoding.h"

#include "foundation/text/TextException.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"
#include "support/ZlibTestData.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <dirent.h>

#include <string>
#include <vector>

using namespace ZAV;
using ZAVTest::Compress;
using ZAVTest::RandomBytes;
using ZAVTest::ThrownText;

namespace {

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(dir);
    }
    return names;
}

}  // namespace

TEST(ZlibFileCoding, FilesRoundTripAndAnExistingOutputIsReplaced)
{
    ZAVTest::TempDir dir;
    const std::vector<uint8_t> plain = RandomBytes(300000, 9);
    ZAVTest::WriteBytes(dir.File("plain.bin"), plain);
    ZAVTest::WriteText(dir.File("packed.z"), "old content of the output");

    ZlibCompressFile(dir.File("plain.bin"), dir.File("packed.z"));
    const std::vector<uint8_t> packed = ZAVTest::ReadBytes(dir.File("packed.z"));
    EXPECT_EQ(ZlibDecompress(packed.data(), packed.size()), plain);

    ZlibDecompressFile(dir.File("packed.z"), dir.File("back.bin"));
    EXPECT_EQ(ZAVTest::ReadBytes(dir.File("back.bin")), plain);

    // In place: the input is read whole before the result replaces it.
    ZlibCompressFile(dir.File("back.bin"), dir.File("back.bin"));
    ZlibDecompressFile(dir.File("back.bin"), dir.File("back.bin"));
    EXPECT_EQ(ZAVTest::ReadBytes(dir.File("back.bin")), plain);

    // An empty file compresses to a valid stream of nothing, and an empty
    // file decompresses to an empty file.
    ZAVTest::WriteBytes(dir.File("empty"), {});
    ZlibCompressFile(dir.File("empty"), dir.File("empty.z"));
    const std::vector<uint8_t> emptyPacked = ZAVTest::ReadBytes(dir.File("empty.z"));
    uint8_t sink[1];
    uLongf sinkSize = 1;
    EXPECT_EQ(uncompress(sink, &sinkSize, emptyPacked.data(), emptyPacked.size()), Z_OK);
    EXPECT_EQ(sinkSize, 0u);
    ZlibDecompressFile(dir.File("empty"), dir.File("empty.out"));
    EXPECT_TRUE(ZAVTest::ReadBytes(dir.File("empty.out")).empty());

    EXPECT_EQ(FolderEntries(dir.Path()).size(), 6u);  // no temporary file left
}

TEST(ZlibFileCoding, FailedFileOperationsLeaveNoOutput)
{
    ZAVTest::TempDir dir;
    const std::string missing = dir.File("missing.bin");
    EXPECT_EQ(ThrownText([&] { ZlibCompressFile(missing, dir.File("out")); }),
              "File '" + missing + "' does not exist!");
    EXPECT_THROW(ZlibDecompressFile(missing, dir.File("out")), CTextException);

    std::vector<uint8_t> packed = Compress(RandomBytes(200000, 1));
    packed.resize(packed.size() - 1000);
    ZAVTest::WriteBytes(dir.File("cut.z"), packed);
    EXPECT_EQ(ThrownText([&] { ZlibDecompressFile(dir.File("cut.z"), dir.File("out")); }),
              "Error decompressing file '" + dir.File("cut.z") + "': compressed data is truncated!");
    ZAVTest::WriteText(dir.File("garbage.z"), "this is not compressed at all");
    EXPECT_THROW(ZlibDecompressFile(dir.File("garbage.z"), dir.File("out")), CTextException);

    // Only the two inputs are there: no output, no temporary file.
    EXPECT_EQ(FolderEntries(dir.Path()).size(), 2u);
    EXPECT_FALSE(ZAVTest::FileExists(dir.File("out")));

    // An output file that was there before a failure keeps its content.
    ZAVTest::WriteText(dir.File("kept.out"), "earlier result");
    EXPECT_THROW(ZlibDecompressFile(dir.File("cut.z"), dir.File("kept.out")), CTextException);
    EXPECT_EQ(ZAVTest::ReadText(dir.File("kept.out")), "earlier result");
    EXPECT_EQ(FolderEntries(dir.Path()).size(), 3u);

    // A folder that does not exist cannot take the output.
    ZAVTest::WriteText(dir.File("plain"), "abc");
    EXPECT_THROW(ZlibCompressFile(dir.File("plain"), dir.File("no/such/folder/out")), CTextException);
}
