// The reader's search, walk, user comment and uncompressed thumbnail, and
// blocks whose offsets and counts lie.
#include <gtest/gtest.h>

#include "ExifTestRead.h"
#include "formats/exif/ExifRead.h"
#include "image/object/ZAVImg.h"

namespace ZAVTest {
namespace {

const char kInvalid[] = "CExifRead error: Invalid Exif data!\n";

Bytes OneDirectory(bool bigEndian, const std::function<std::vector<TestEntry>(const TiffBytes&)>& entries)
{
    TiffBytes tiff(bigEndian);
    tiff.AddDirectory(entries(tiff));
    return tiff.Data();
}

TEST(ExifRead, FindsTheApp1SegmentBehindOtherSegments)
{
    const Bytes tiff =
        OneDirectory(false, [](const TiffBytes&) { return std::vector{TiffBytes::AsciiEntry(271, "Cam")}; });
    const Bytes quantTable{0xFF, 0xDB, 0x00, 0x04, 0x00, 0x00};
    Bytes before = JfifSegment();
    before.insert(before.end(), quantTable.begin(), quantTable.end());
    const ExifReadResult result = ReadExifMemory(JpegWithExif(tiff, before));
    ASSERT_TRUE(result.ok) << result.lastError;
    ASSERT_EQ(result.entries.size(), 1u);
    EXPECT_EQ(result.entries[0].value, "Cam");
}

TEST(ExifRead, MissingOrDamagedBlocksSayWhy)
{
    const Bytes tiff = OneDirectory(false, [](const TiffBytes& t) { return std::vector{t.ShortEntry(274, 1)}; });
    Bytes wrongIdentifier = JpegWithExif(tiff);
    wrongIdentifier[9] = 'x';
    // The start of image must lie within the first 256 bytes.
    Bytes lateStart(300, 0);
    const Bytes jpeg = JpegWithExif(tiff);
    lateStart.insert(lateStart.end(), jpeg.begin(), jpeg.end());
    const struct {
        const char* label;
        Bytes data;
        const char* error;
    } cases[] = {
        {"no app1", Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x02, 0xFF, 0xD9}, "CExifRead error: No Exif data found!\n"},
        {"no start", Bytes{'G', 'I', 'F', '8', '9', 'a'}, "CExifRead error: No Exif data found!\n"},
        {"late start", lateStart, "CExifRead error: No Exif data found!\n"},
        {"identifier", wrongIdentifier, "CExifRead error: 'Exif' was not found as expected!\n"},
        {"empty", Bytes(), "CExifRead error: No Exif data found!\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const ExifReadResult result = ReadExifMemory(c.data);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.lastError, c.error);
    }
}

TEST(ExifRead, ShortTextsSitInTheValueField)
{
    for (bool bigEndian : {false, true}) {
        const Bytes tiff = OneDirectory(bigEndian, [](const TiffBytes&) {
            return std::vector{TiffBytes::AsciiEntry(271, "abc"), TiffBytes::AsciiEntry(272, "abcd")};
        });
        const ExifReadResult result = ReadExifMemory(JpegWithExif(tiff));
        ASSERT_TRUE(result.ok) << result.lastError;
        ASSERT_EQ(result.entries.size(), 2u);
        EXPECT_EQ(result.entries[0].value, "abc");
        EXPECT_EQ(result.entries[1].value, "abcd");
    }
}

TEST(ExifRead, ReadableUserCommentsFollowTheirEntry)
{
    const Bytes ascii{'A', 'S', 'C', 'I', 'I', 0, 0, 0, 'h', 'i', '!'};
    const Bytes unicode{'U', 'N', 'I', 'C', 'O', 'D', 'E', 0, 'h', 0, 0xE9, 0, 0x3A, 0x26};
    const Bytes jis{'J', 'I', 'S', 0, 0, 0, 0, 0, 'a', 'b'};
    const struct {
        Bytes comment;
        const char* readable;
        const char* hex;
    } cases[] = {
        {ascii, "hi!", "4153434949000000686921"},
        {unicode, "h\xC3\xA9\xE2\x98\xBA", "554E49434F4445006800E9003A26"},
        {jis, nullptr, "4A495300000000006162"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hex);
        const Bytes tiff = OneDirectory(
            false, [&](const TiffBytes&) { return std::vector{TiffBytes::UndefinedEntry(37510, c.comment)}; });
        const ExifReadResult result = ReadExifMemory(JpegWithExif(tiff));
        ASSERT_TRUE(result.ok) << result.lastError;
        ASSERT_EQ(result.entries.size(), c.readable ? 2u : 1u);
        EXPECT_EQ(result.entries[0].name, "UserComment");
        EXPECT_EQ(result.entries[0].value, c.hex);
        if (!c.readable)
            continue;
        EXPECT_EQ(result.entries[1].group, 2001);
        EXPECT_EQ(result.entries[1].tag, 37510);
        EXPECT_EQ(result.entries[1].name, "UserCommentReadable");
        EXPECT_EQ(result.entries[1].value, c.readable);
    }
}

// IFD0 names the main image, IFD1 an uncompressed 2 x 2 RGB thumbnail.
Bytes RgbThumbnailBlock(bool bigEndian, uint32_t byteCount, Bytes& pixels)
{
    pixels = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};
    TiffBytes tiff(bigEndian);
    const uint32_t first = tiff.AddDirectory({TiffBytes::AsciiEntry(271, "Cam")});
    const uint32_t second = tiff.AddDirectory({tiff.LongEntry(256, 2), tiff.LongEntry(257, 2), tiff.ShortEntry(262, 2),
                                               tiff.LongEntry(273, 0), tiff.LongEntry(279, byteCount)});
    tiff.SetNext(first, second);
    tiff.SetField(second, 3, tiff.Append(pixels));
    return tiff.Data();
}

TEST(ExifRead, UncompressedThumbnailNeedsItsExactByteCount)
{
    for (bool bigEndian : {false, true}) {
        Bytes pixels;
        // With a JFIF segment first, strip offsets still count from the
        // TIFF header.
        const ExifReadResult good =
            ReadExifMemory(JpegWithExif(RgbThumbnailBlock(bigEndian, 12, pixels), JfifSegment()));
        ASSERT_TRUE(good.ok) << good.lastError;
        EXPECT_EQ(good.thumbnailWidth, 2);
        EXPECT_EQ(good.thumbnailHeight, 2);
        EXPECT_EQ(good.thumbnailPixels, pixels);
        const ExifReadResult wrong = ReadExifMemory(JpegWithExif(RgbThumbnailBlock(bigEndian, 11, pixels)));
        ASSERT_TRUE(wrong.ok) << wrong.lastError;
        EXPECT_EQ(wrong.thumbnailWidth, 0);
        EXPECT_EQ(wrong.entries.size(), 6u);
        EXPECT_EQ(wrong.entries[0].value, "Cam");
    }
}

TEST(ExifRead, ThumbnailDataIsHandedOverWithoutTheImage)
{
    Bytes pixels;
    const Bytes jpeg = JpegWithExif(RgbThumbnailBlock(false, 12, pixels));
    ZAV::CExifRead reader(jpeg.data(), jpeg.size(), 1);
    ASSERT_TRUE(reader.Read());
    ZAV::CGlobalMemBlock block;
    int64_t size = 0;
    int width = 0;
    int height = 0;
    // The thumbnail image took the block over.
    EXPECT_FALSE(reader.GetThumbnailData(block, size, width, height));
    EXPECT_EQ(reader.GetThumbnailImage()->GetWidth(), 2);
}

TEST(ExifRead, ASecondReadDoesNotRepeatTheEntries)
{
    const Bytes jpeg = JpegWithExif(OneDirectory(false, [](const TiffBytes& t) {
        return std::vector{t.ShortEntry(274, 1), t.ShortEntry(296, 2)};
    }));
    ZAV::CExifRead reader(jpeg.data(), jpeg.size(), 0);
    ASSERT_TRUE(reader.Read());
    ASSERT_TRUE(reader.Read());
    std::vector<std::string> texts;
    reader.GetEntries(texts);
    EXPECT_EQ(texts, (std::vector<std::string>{"0", "274", "Orientation", "", "upper left", "0", "296",
                                               "ResolutionUnit", "", "inch"}));
}

// ---- hostile blocks ----

TEST(ExifRead, LoopingDirectoryChainsEnd)
{
    for (bool bigEndian : {false, true}) {
        TiffBytes self(bigEndian);
        const uint32_t only = self.AddDirectory({self.ShortEntry(274, 1)});
        self.SetNext(only, only);
        const ExifReadResult selfResult = ReadExifMemory(JpegWithExif(self.Data()));
        EXPECT_TRUE(selfResult.ok) << selfResult.lastError;
        EXPECT_EQ(selfResult.entries.size(), 1u);

        TiffBytes two(bigEndian);
        const uint32_t first = two.AddDirectory({two.ShortEntry(274, 1)});
        const uint32_t second = two.AddDirectory({two.ShortEntry(274, 3)});
        two.SetNext(first, second);
        two.SetNext(second, first);
        const ExifReadResult twoResult = ReadExifMemory(JpegWithExif(two.Data()));
        EXPECT_TRUE(twoResult.ok) << twoResult.lastError;
        ASSERT_EQ(twoResult.entries.size(), 2u);
        EXPECT_EQ(twoResult.entries[1].group, 1);
    }
}

// Directories at distinct but overlapping positions: the chain's ceiling
// ends the walk.
TEST(ExifRead, LongDirectoryChainsAreCut)
{
    TiffBytes tiff(false);
    uint32_t previous = tiff.AddDirectory({tiff.ShortEntry(274, 1)});
    for (int i = 0; i < 40; ++i) {
        const uint32_t next = tiff.AddDirectory({tiff.ShortEntry(274, 1)});
        tiff.SetNext(previous, next);
        previous = next;
    }
    const ExifReadResult result = ReadExifMemory(JpegWithExif(tiff.Data()));
    EXPECT_TRUE(result.ok) << result.lastError;
    EXPECT_EQ(result.entries.size(), 16u);
}

TEST(ExifRead, OffsetsAndCountsPastTheBlockEndTheRead)
{
    const std::vector<std::function<std::vector<TestEntry>(const TiffBytes&)>> cases = {
        // A sub-directory beyond the block.
        [](const TiffBytes& t) { return std::vector{t.LongEntry(34665, 0x7000)}; },
        // Text, rationals and undefined bytes reaching past it.
        [](const TiffBytes&) { return std::vector{TiffBytes::RawEntry(271, 2, 1000, 8)}; },
        [](const TiffBytes&) { return std::vector{TiffBytes::RawEntry(282, 5, 0xFFFFFFFF, 8)}; },
        [](const TiffBytes&) { return std::vector{TiffBytes::RawEntry(37500, 7, 0x7FFFFFF0, 0xFFFFFFF0)}; },
        [](const TiffBytes&) { return std::vector{TiffBytes::RawEntry(258, 3, 40000, 8)}; },
        [](const TiffBytes&) { return std::vector{TiffBytes::RawEntry(37510, 7, 64, 30)}; },
        // An interoperability directory beyond the block.
        [](const TiffBytes&) { return std::vector{TiffBytes::RawEntry(40965, 4, 1, 0xFFFFFFF7)}; },
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        const ExifReadResult result = ReadExifMemory(JpegWithExif(OneDirectory(i % 2 == 0, cases[i])));
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.lastError, kInvalid);
    }
}

TEST(ExifRead, DirectoriesPastTheBlockEndTheRead)
{
    TiffBytes countTooLarge(true);
    countTooLarge.Append({0xFF, 0xFF, 0, 0});
    TiffBytes firstOffsetFar(false);
    firstOffsetFar.AddDirectory({firstOffsetFar.ShortEntry(274, 1)});
    Bytes far = firstOffsetFar.Data();
    far[4] = 0xF0;
    far[7] = 0x7F;
    TiffBytes nextFar(false);
    const uint32_t only = nextFar.AddDirectory({nextFar.ShortEntry(274, 1)});
    nextFar.SetNext(only, 0x10000);
    for (const Bytes& tiff : {countTooLarge.Data(), far, nextFar.Data(), Bytes{'I', 'I', 42}}) {
        const ExifReadResult result = ReadExifMemory(JpegWithExif(tiff));
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.lastError, kInvalid);
    }
    // The entries read before the fault stay.
    EXPECT_EQ(ReadExifMemory(JpegWithExif(nextFar.Data())).entries.size(), 1u);
}

TEST(ExifRead, AStripPastTheSourceEndsTheRead)
{
    Bytes pixels;
    TiffBytes tiff(false);
    tiff.AddDirectory({tiff.LongEntry(256, 200), tiff.LongEntry(257, 200), tiff.ShortEntry(262, 2),
                       tiff.LongEntry(273, 16), tiff.LongEntry(279, 200 * 200 * 3)});
    const ExifReadResult result = ReadExifMemory(JpegWithExif(tiff.Data()));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.lastError, kInvalid);
    // Without the thumbnail flag the strip is never looked at.
    EXPECT_TRUE(ReadExifMemory(JpegWithExif(tiff.Data()), 0).ok);
}

TEST(ExifRead, ASegmentCutShortReportsTheEndOfData)
{
    const Bytes jpeg =
        JpegWithExif(OneDirectory(false, [](const TiffBytes& t) { return std::vector{t.ShortEntry(274, 1)}; }));
    const Bytes cut(jpeg.begin(), jpeg.begin() + 20);
    const ExifReadResult result = ReadExifMemory(cut);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.lastError.empty());
}

}  // namespace
}  // namespace ZAVTest
