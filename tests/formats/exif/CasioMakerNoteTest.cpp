// Casio type-2 maker notes built byte by byte: their entries join the
// list under group 2000 right behind the MakerNote entry, their preview
// may become the thumbnail, and every read stays inside the note.
#include <gtest/gtest.h>

#include "ExifTestRead.h"
#include "formats/exif/casio/CasioType2MakerNoteExifRead.h"

namespace ZAVTest {
namespace {

constexpr uint16_t kMakerNote = 37500;

TestEntry NoteShort(uint16_t tag, uint16_t value)
{
    return TestEntry{tag, 3, 1, Bytes{uint8_t(value >> 8), uint8_t(value)}};
}

TestEntry NoteLong(uint16_t tag, uint32_t value)
{
    return TestEntry{tag, 4, 1, Bytes{uint8_t(value >> 24), uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)}};
}

// IFD0 with Make and an EXIF sub-directory holding the note and a
// FocalLength behind it.
Bytes BlockWithNote(bool bigEndian, const Bytes& note, Bytes tail = Bytes(), uint32_t* tailOffset = nullptr)
{
    TiffBytes tiff(bigEndian);
    const uint32_t first = tiff.AddDirectory({TiffBytes::AsciiEntry(271, "CASIO"), tiff.LongEntry(34665, 0)});
    const uint32_t sub =
        tiff.AddDirectory({TiffBytes::UndefinedEntry(kMakerNote, note), tiff.RationalEntry(37386, 6, 1)});
    tiff.SetField(first, 1, sub);
    if (!tail.empty()) {
        const uint32_t at = tiff.Append(tail);
        if (tailOffset)
            *tailOffset = at;
    }
    return tiff.Data();
}

std::vector<TestEntry> QualityAndBalance()
{
    return {NoteShort(8, 1),      NoteShort(9, 20), NoteShort(25, 2), TiffBytes::AsciiEntry(12290, "High"),
            NoteShort(0x7777, 5), NoteShort(20, 9)};
}

TEST(CasioMakerNote, SignaturesAndLength)
{
    const Bytes note = CasioNote("QVC", {NoteShort(8, 1)});
    EXPECT_TRUE(ZAV::IsCasioType2MakerNote(note.data(), note.size()));
    for (const char* signature : {"AOC", "DCI"}) {
        const Bytes other = CasioNote(signature, {});
        EXPECT_TRUE(ZAV::IsCasioType2MakerNote(other.data(), other.size())) << signature;
    }
    EXPECT_FALSE(ZAV::IsCasioType2MakerNote(note.data(), 6));
    const Bytes nikon = CasioNote("Nik", {NoteShort(8, 1)});
    EXPECT_FALSE(ZAV::IsCasioType2MakerNote(nikon.data(), nikon.size()));
}

TEST(CasioMakerNote, EntriesFollowTheMakerNoteEntry)
{
    for (const char* signature : {"QVC", "DCI", "AOC"}) {
        for (bool bigEndian : {false, true}) {
            SCOPED_TRACE(std::string(signature) + (bigEndian ? " MM" : " II"));
            const ExifReadResult result =
                ReadExifMemory(JpegWithExif(BlockWithNote(bigEndian, CasioNote(signature, QualityAndBalance()))));
            ASSERT_TRUE(result.ok) << result.lastError;
            ASSERT_EQ(result.entries.size(), 10u);
            EXPECT_EQ(result.entries[2].tag, kMakerNote);
            const std::vector<std::pair<int, std::string>> expected = {
                {8, "Fine"}, {9, "2288 x 1712 pixels"}, {25, "Shade"}, {12290, "High"}, {0x7777, ""}, {20, "200"}};
            for (size_t i = 0; i < expected.size(); ++i) {
                const ExifTexts& entry = result.entries[3 + i];
                EXPECT_EQ(entry.group, 2000);
                EXPECT_EQ(entry.tag, expected[i].first);
                EXPECT_EQ(entry.value, expected[i].second);
                EXPECT_EQ(entry.description, "");
            }
            EXPECT_EQ(result.entries[3].name, "Quality Mode");
            EXPECT_EQ(result.entries[7].name, "");
            EXPECT_EQ(result.entries[9].name, "FocalLength");
            EXPECT_EQ(result.entries[9].group, 255);
        }
    }
}

TEST(CasioMakerNote, UnlistedValuesStayAsTheyAre)
{
    const ExifReadResult result =
        ReadExifMemory(JpegWithExif(BlockWithNote(false, CasioNote("QVC", {NoteShort(8, 3), NoteShort(31, 7)}))));
    ASSERT_TRUE(result.ok) << result.lastError;
    EXPECT_EQ(FindExif(result, 2000, 8)->value, "3");
    EXPECT_EQ(FindExif(result, 2000, 31)->value, "7");
}

TEST(CasioMakerNote, NotesThatAreNotReadLeaveOnlyTheHexValue)
{
    Bytes sixBytes{'Q', 'V', 'C', 0, 0, 0};
    Bytes otherSignature = CasioNote("OLY", {NoteShort(8, 1)});
    // A directory whose entries run past the note's end.
    Bytes cutDirectory = CasioNote("QVC", {NoteShort(8, 1), NoteShort(9, 4)});
    cutDirectory[7] = 40;
    for (const Bytes& note : {sixBytes, otherSignature, cutDirectory}) {
        const ExifReadResult result = ReadExifMemory(JpegWithExif(BlockWithNote(true, note)));
        ASSERT_TRUE(result.ok) << result.lastError;
        ASSERT_EQ(result.entries.size(), 4u);
        std::string hex;
        for (uint8_t b : note) {
            char digits[3];
            std::snprintf(digits, sizeof(digits), "%02X", b);
            hex += digits;
        }
        EXPECT_EQ(result.entries[2].value, hex);
    }
}

// A value offset inside the note that reaches past its end: the note
// reader fails alone, the EXIF block is read on.
TEST(CasioMakerNote, NoteValuesStayInsideTheNote)
{
    Bytes note = CasioNote("QVC", {TestEntry{12290, 2, 20, Bytes{}, true, 4}});
    note.resize(note.size() + 6, 'x');
    const ExifReadResult result = ReadExifMemory(JpegWithExif(BlockWithNote(false, note)));
    ASSERT_TRUE(result.ok) << result.lastError;
    EXPECT_EQ(result.entries.size(), 4u);
    EXPECT_EQ(FindExif(result, 2000, 12290), nullptr);
}

TEST(CasioMakerNote, APreviewInsideTheBlockBecomesTheThumbnail)
{
    const Bytes preview = CjpegPicture(24, 16);
    // The preview offset is a TIFF offset of the EXIF block; the note is
    // built first with a placeholder, then the offset is known.
    uint32_t previewOffset = 0;
    Bytes probe = BlockWithNote(false, CasioNote("QVC", {NoteLong(4, 0), NoteLong(3, uint32_t(preview.size()))}),
                                preview, &previewOffset);
    const Bytes block = BlockWithNote(
        false, CasioNote("QVC", {NoteLong(4, previewOffset), NoteLong(3, uint32_t(preview.size()))}), preview);
    const ExifReadResult loaded = ReadExifMemory(JpegWithExif(block));
    ASSERT_TRUE(loaded.ok) << loaded.lastError;
    EXPECT_EQ(loaded.thumbnailWidth, 24);
    EXPECT_EQ(loaded.thumbnailHeight, 16);
    EXPECT_EQ(FindExif(loaded, 2000, 4)->value, std::to_string(previewOffset));

    for (uint32_t offset : {0u, uint32_t(block.size()), 0x7FFFFFFFu}) {
        SCOPED_TRACE(offset);
        const ExifReadResult skipped = ReadExifMemory(
            JpegWithExif(BlockWithNote(false, CasioNote("QVC", {NoteLong(4, offset), NoteLong(3, 10)}), preview)));
        ASSERT_TRUE(skipped.ok) << skipped.lastError;
        EXPECT_EQ(skipped.thumbnailWidth, 0);
    }
}

}  // namespace
}  // namespace ZAVTest
