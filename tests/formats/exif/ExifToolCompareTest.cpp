// JPEGs made by cjpeg and given EXIF data by exiftool, in both byte orders,
// with and without the JFIF segment first: every entry of ours stands in
// exiv2's listing of the same directory with the same value (as our value
// method prints it), the comments read as exiftool reads them, and the
// thumbnail's pixels are those djpeg decodes from exiftool's extract.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "../jpeg/JpegTestFiles.h"
#include "ExifTestRead.h"
#include "formats/exif/tags/ExifTagTable.h"
#include "formats/exif/tags/ExifTagTexts.h"

namespace ZAVTest {
namespace {

struct Exiv2Value {
    std::string group;
    std::string type;
    std::vector<std::string> words;
};

// exiv2 -pv: tag, group, name, type, count, value words.
std::vector<std::pair<int, Exiv2Value>> Exiv2Listing(const std::string& file)
{
    const RunResult run = Run("exiv2 -pv " + ShellQuote(file));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    std::vector<std::pair<int, Exiv2Value>> listing;
    std::istringstream lines(run.output);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string tag, name, count, word;
        Exiv2Value value;
        if (!(words >> tag >> value.group >> name >> value.type >> count))
            continue;
        while (words >> word)
            value.words.push_back(word);
        listing.emplace_back(std::stoi(tag, nullptr, 16), value);
    }
    return listing;
}

const char* Exiv2Group(int group)
{
    switch (group) {
    case 0:
        return "Image";
    case 1:
        return "Thumbnail";
    case 255:
        return "Photo";
    case 256:
        return "Iop";
    default:
        return "";
    }
}

std::string Hex4(long value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "0x%4lx", value);
    return text;
}

// Rationals "n/d " against exiv2's "n/d" words, compared as fractions.
void ExpectSameFractions(const std::string& ours, const std::vector<std::string>& theirs)
{
    std::istringstream words(ours);
    std::string word;
    size_t i = 0;
    for (; words >> word; ++i) {
        ASSERT_LT(i, theirs.size()) << ours;
        long n1 = 0, d1 = 0, n2 = 0, d2 = 0;
        ASSERT_EQ(std::sscanf(word.c_str(), "%ld/%ld", &n1, &d1), 2);
        ASSERT_EQ(std::sscanf(theirs[i].c_str(), "%ld/%ld", &n2, &d2), 2);
        EXPECT_EQ(n1 * d2, n2 * d1) << word << " against " << theirs[i];
    }
    EXPECT_EQ(i, theirs.size()) << ours;
}

// The value field as our value bytes or its top-down bytes show it: exiv2
// lists undefined bytes in file order, a long (an offset) as its number.
std::vector<int> FieldBytes(const std::vector<std::string>& words, bool bigEndian, bool ascii = false)
{
    uint8_t file[4] = {0, 0, 0, 0};
    if (ascii) {
        for (size_t i = 0; i < 4 && !words.empty() && i < words[0].size(); ++i)
            file[i] = uint8_t(words[0][i]);
    } else if (words.size() == 1) {
        const unsigned long number = std::stoul(words[0]);
        for (int i = 0; i < 4; ++i)
            file[i] = uint8_t(number >> (bigEndian ? 24 - 8 * i : 8 * i));
    } else {
        for (size_t i = 0; i < 4 && i < words.size(); ++i)
            file[i] = uint8_t(std::stoi(words[i]));
    }
    return {file[0], file[1], file[2], file[3]};
}

// The field read in the block's byte order, printed from its top byte.
std::string DwordBytes(const char* format, const std::vector<std::string>& words, bool bigEndian)
{
    const std::vector<int> f = FieldBytes(words, bigEndian);
    char text[64];
    if (bigEndian)
        std::snprintf(text, sizeof(text), format, f[0], f[1], f[2], f[3]);
    else
        std::snprintf(text, sizeof(text), format, f[3], f[2], f[1], f[0]);
    return text;
}

// The field as two 16-bit values, low byte then high byte of each.
std::string WordBytes(const char* format, const std::vector<std::string>& words, bool bigEndian, bool ascii)
{
    const std::vector<int> f = FieldBytes(words, bigEndian, ascii);
    char text[64];
    if (bigEndian)
        std::snprintf(text, sizeof(text), format, f[1], f[0], f[3], f[2]);
    else
        std::snprintf(text, sizeof(text), format, f[0], f[1], f[2], f[3]);
    return text;
}

// Our value text for exiv2's value, as the tag's value method prints it.
std::string ExpectedValue(const ZAV::ExifTagRow& row, const Exiv2Value& theirs, bool bigEndian)
{
    const std::string first = theirs.words.empty() ? std::string() : theirs.words[0];
    using M = ZAV::ExifValueMethod;
    switch (row.value) {
    case M::ByType:
        if (theirs.type == "Ascii") {
            std::string text;
            for (const std::string& w : theirs.words)
                text += (text.empty() ? "" : " ") + w;
            return text;
        }
        return first;
    case M::Field:
        return first;
    case M::WordBytesChars:
        return WordBytes("%c%c%c%c", theirs.words, bigEndian, theirs.type == "Ascii");
    case M::HexField:
        return Hex4(std::stol(first));
    case M::LowByteChoice:
        return ZAV::ChooseExifText(row.valueChoices, std::stoi(first) & 0xFF);
    case M::LowByteNumber:
        return std::to_string(std::stoi(first) & 0xFF);
    case M::IsoSpeedRatings:
        return first + (theirs.words.size() > 1 ? "," + theirs.words[1] : ",0");
    case M::DwordBytesChars:
        return DwordBytes("[%c.%c.%c.%c]", theirs.words, bigEndian);
    case M::DwordBytesNumbers:
        return DwordBytes("[%d.%d.%d.%d]", theirs.words, bigEndian);
    case M::WordBytesVersion:
        return WordBytes("[%c.%c.%c.%c]", theirs.words, bigEndian, theirs.type == "Ascii");
    default:
        ADD_FAILURE() << "no comparison for tag " << row.tag;
        return std::string();
    }
}

void ExpectSameValue(const ExifTexts& ours, const Exiv2Value& theirs, bool bigEndian)
{
    const ZAV::ExifTagRow* row = ZAV::FindExifTagRow(ours.tag);
    ASSERT_NE(row, nullptr) << ours.tag;
    if (theirs.type.find("Rational") != std::string::npos)
        ExpectSameFractions(ours.value, theirs.words);
    else
        EXPECT_EQ(ours.value, ExpectedValue(*row, theirs, bigEndian));
}

std::string ExiftoolText(const std::string& file, const std::string& tag)
{
    const RunResult run = Run("exiftool -n -b -" + tag + " " + ShellQuote(file));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    return run.output;
}

struct MadeFile {
    std::string path;
    bool bigEndian;
    std::string comment;
};

// cjpeg's picture (JFIF first, or with JFIF removed) given the tags.
MadeFile MakeFile(const TempDir& dir, const std::string& name, bool withJfif, bool bigEndian,
                  const std::string& comment)
{
    const std::string path = dir.File(name + ".jpg");
    WriteBytes(path, CjpegPicture(40, 30));
    WriteBytes(dir.File("thumb.jpg"), CjpegPicture(16, 12));
    std::string command = "exiftool -q -overwrite_original -n";
    if (!withJfif)
        command += " -JFIF:all=";
    command += std::string(" -ExifByteOrder=") + (bigEndian ? "MM" : "II");
    command += " -Make=ZAVCam -Model='Test 1' -Orientation=6 -XResolution=300 -YResolution=300"
               " -ResolutionUnit=2 -ModifyDate='2024:05:06 07:08:09' -ExposureTime=0.008 -FNumber=2.8"
               " -ISO=200 -ExifIFD:Flash=1 -FocalLength=35 -GPSLatitude=48.5 -GPSLatitudeRef=N"
               " -InteropIndex=R98";
    command += " -UserComment=" + ShellQuote(comment);
    command += " '-ThumbnailImage<=" + dir.File("thumb.jpg") + "' " + ShellQuote(path);
    const RunResult run = Run(command);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    return MadeFile{path, bigEndian, comment};
}

TEST(ExifToolCompare, EntriesCommentsAndThumbnailAgreeWithIndependentReaders)
{
    ASSERT_TRUE(HaveTool("exiftool"));
    ASSERT_TRUE(HaveTool("exiv2"));
    ASSERT_TRUE(HaveTool("djpeg"));
    TempDir dir;
    const std::string unicode = "caf\xC3\xA9 \xE2\x98\xBA";
    const MadeFile files[] = {
        MakeFile(dir, "jfif_mm", true, true, "plain words"),
        MakeFile(dir, "jfif_ii", true, false, unicode),
        MakeFile(dir, "bare_mm", false, true, unicode),
        MakeFile(dir, "bare_ii", false, false, "ascii text"),
    };
    for (const MadeFile& file : files) {
        SCOPED_TRACE(file.path);
        const ExifReadResult result = ReadExifFile(file.path);
        ASSERT_TRUE(result.ok) << result.lastError;
        const auto listing = Exiv2Listing(file.path);
        size_t compared = 0;
        for (const ExifTexts& entry : result.entries) {
            SCOPED_TRACE(entry.tag);
            if (entry.group > 256 || entry.tag == 37510)
                continue;
            const Exiv2Value* theirs = nullptr;
            for (const auto& line : listing)
                if (line.first == entry.tag && line.second.group == Exiv2Group(entry.group))
                    theirs = &line.second;
            ASSERT_NE(theirs, nullptr) << "exiv2 does not list it";
            ExpectSameValue(entry, *theirs, file.bigEndian);
            ++compared;
        }
        // Every directory entry exiv2 lists outside the GPS directory is ours.
        size_t listed = 0;
        for (const auto& line : listing)
            listed += line.second.group != "GPSInfo";
        EXPECT_EQ(compared + 1, listed);  // + the UserComment, compared below

        const ExifTexts* readable = FindExif(result, 2001, 37510);
        // UNICODE comments are read as UTF-16LE: only an II file's is text.
        const bool unicodeComment = file.comment == unicode;
        if (!unicodeComment || !file.bigEndian) {
            ASSERT_NE(readable, nullptr);
            EXPECT_EQ(readable->value, ExiftoolText(file.path, "UserComment"));
        }
        const ExifTexts* comment = FindExif(result, 255, 37510);
        ASSERT_NE(comment, nullptr);
        EXPECT_EQ(comment->value.substr(0, 16), unicodeComment ? "554E49434F444500" : "4153434949000000");

        const std::string thumb = file.path + ".thumb.jpg";
        WriteText(thumb, ExiftoolText(file.path, "ThumbnailImage"));
        ASSERT_EQ(DecodeWithDjpeg(thumb, thumb + ".ppm"), 0);
        int width = 0;
        int height = 0;
        const std::vector<uint8_t> pixels = PnmPixels(thumb + ".ppm", width, height);
        EXPECT_EQ(result.thumbnailWidth, width);
        EXPECT_EQ(result.thumbnailHeight, height);
        EXPECT_EQ(result.thumbnailPixels, pixels);
    }
}

}  // namespace
}  // namespace ZAVTest
