// The tag table's names, value texts and descriptions: one directory with
// one entry per case, read in the byte order of the case.
#include <gtest/gtest.h>

#include <functional>

#include "ExifTestRead.h"

namespace ZAVTest {
namespace {

constexpr bool II = false;
constexpr bool MM = true;

struct TagCase {
    std::string label;
    bool bigEndian;
    std::function<TestEntry(const TiffBytes&)> entry;
    std::string name;
    std::string value;
    std::string description;
};

TestEntry Short(const TiffBytes& t, uint16_t tag, std::vector<uint16_t> values)
{
    return TestEntry{tag, 3, uint32_t(values.size()), t.Shorts(values)};
}

TestEntry ByteValues(uint16_t tag, const Bytes& bytes)
{
    return TestEntry{tag, 1, uint32_t(bytes.size()), bytes};
}

const char kHalfWidth[] = "ImageWidth of this chroma image is half the ImageWidth of the associated luma image";
const char kEqualHeight[] =
    "ImageLength (height) of this chroma image is equal to the ImageLength of the associated luma image";

const TagCase kTagCases[] = {
    {"Compression6II", II, [](auto& t) { return Short(t, 259, {6}); }, "Compression", "6", "JPEG compression"},
    {"Compression6MM", MM, [](auto& t) { return Short(t, 259, {6}); }, "Compression", "6", "JPEG compression"},
    {"Compression5", MM, [](auto& t) { return Short(t, 259, {5}); }, "Compression", "5", "5=Vendor Unique Number"},
    {"Orientation2", II, [](auto& t) { return Short(t, 274, {2}); }, "Orientation", "2", ""},
    {"Orientation9", MM, [](auto& t) { return Short(t, 274, {9}); }, "Orientation", "undefined", ""},
    {"Orientation6", MM, [](auto& t) { return Short(t, 274, {6}); }, "Orientation", "upper right", ""},
    {"XResolution", MM, [](auto& t) { return t.RationalEntry(282, 72, 1); }, "XResolution", "72/1 ", ""},
    {"WhitePointTwo", II,
     [](auto& t) {
         return TestEntry{318, 5, 2, t.Rationals({{313, 1000}, {-329, 1000}})};
     },
     "WhitePoint", "313/1000 -329/1000 ", ""},
    {"YCbCrSubSamplingII", II,
     [](auto& t) {
         return Short(t, 530, {2, 1});
     },
     "YCbCrSubSampling", std::string(kHalfWidth) + kEqualHeight, ""},
    {"YCbCrSubSamplingMM", MM,
     [](auto& t) {
         return Short(t, 530, {2, 1});
     },
     "YCbCrSubSampling", std::string(kHalfWidth) + kEqualHeight, ""},
    {"Unknown8830", II, [](auto& t) { return Short(t, 0x8830, {1}); }, "", "", ""},
    {"IsoII", II, [](auto& t) { return Short(t, 34855, {200}); }, "ISOSpeedRatings", "200,0",
     "CCD sensitivity equivalent to Ag-Hr film speedrate"},
    {"IsoMM", MM,
     [](auto& t) {
         return Short(t, 34855, {100, 200});
     },
     "ISOSpeedRatings", "100,200", "CCD sensitivity equivalent to Ag-Hr film speedrate"},
    {"Interlace0", II, [](auto& t) { return Short(t, 34857, {0}); }, "Interlace", "0=non-interlaced (progressive scan)",
     ""},
    {"Interlace1", MM, [](auto& t) { return Short(t, 34857, {1}); }, "Interlace",
     "1=vertical field 1, horizontal field 1 (video field 1, \"odd\" lines)", ""},
    {"Interlace2", II, [](auto& t) { return Short(t, 34857, {2}); }, "Interlace",
     "2=vertical field 2, horizontal field 1 (video field 2, \"even\" lines)", ""},
    {"Interlace5", II, [](auto& t) { return Short(t, 34857, {5}); }, "Interlace",
     "5=vertical field 3-127, horizontal field 1", ""},
    {"Interlace128", II, [](auto& t) { return Short(t, 34857, {128}); }, "Interlace",
     "128=vertical field 1, horizontal field 2", ""},
    {"Interlace200", II, [](auto& t) { return Short(t, 34857, {200}); }, "Interlace",
     "200=vertical field 2-127, horizontal field 2", ""},
    {"SubjectLocation2", II,
     [](auto&) {
         return ByteValues(37396, {5, 6, 0, 0});
     },
     "SubjectLocation", "5, 6", "column number, row number"},
    {"SubjectLocation3", II,
     [](auto&) {
         return ByteValues(41492, {5, 6, 7, 0});
     },
     "SubjectLocation", "5, 6, 7", "column number, row number, diameter of circle"},
    {"SubjectLocation4", II,
     [](auto&) {
         return ByteValues(37396, {5, 6, 7, 8});
     },
     "SubjectLocation", "5, 6, 7, 8", "column number, row number, width, heigth"},
    {"SecurityC", II, [](auto&) { return TiffBytes::AsciiEntry(37394, "C"); }, "SecurityClassification",
     "C=Confidential", ""},
    {"SecurityT", MM, [](auto&) { return TiffBytes::AsciiEntry(37394, "T"); }, "SecurityClassification", "T=Top Secret",
     ""},
    {"SecurityX", II, [](auto&) { return TiffBytes::AsciiEntry(37394, "X"); }, "SecurityClassification", "X", ""},
    {"NewSubfileType", II, [](auto& t) { return t.LongEntry(254, 0); }, "NewSubfileType", "", "indicates main image\""},
    {"PlanarConfiguration", MM, [](auto& t) { return Short(t, 284, {2}); }, "PlanarConfiguration", "", "planer"},
    {"BitsPerSampleMM", MM,
     [](auto& t) {
         return Short(t, 258, {8, 8, 8});
     },
     "BitsPerSample", "8,8,8", ""},
    {"BitsPerSampleII", II,
     [](auto& t) {
         return Short(t, 258, {16, 8});
     },
     "BitsPerSample", "16,8", ""},
    {"ExifVersionII", II,
     [](auto&) {
         return TestEntry{36864, 7, 4, {'0', '2', '3', '0'}};
     },
     "ExifVersion", "[0.3.2.0]", ""},
    {"ExifVersionMM", MM,
     [](auto&) {
         return TestEntry{36864, 7, 4, {'0', '2', '3', '0'}};
     },
     "ExifVersion", "[0.2.3.0]", ""},
    {"ComponentConfiguration", MM,
     [](auto&) {
         return TestEntry{37121, 7, 4, {1, 2, 3, 0}};
     },
     "ComponentConfiguration", "[1.2.3.0]", ""},
    {"InteroperabilityIndex", II, [](auto&) { return TiffBytes::AsciiEntry(1, "R98"); }, "InteroperabilityIndex", "R98",
     ""},
    {"TimeZoneOffset", II,
     [](auto&) {
         return ByteValues(34858, {130, 125});
     },
     "TimeZoneOffset", "2, -3",
     "Time Zone Offset (in hours) of DateTimeOriginal tag-value relative to Greenwich Mean Time"},
    {"ResolutionUnitInch", MM, [](auto& t) { return Short(t, 296, {2}); }, "ResolutionUnit", "inch", ""},
    {"ResolutionUnitOther", II, [](auto& t) { return Short(t, 296, {7}); }, "ResolutionUnit", "undefined", ""},
    {"ExposureProgram", MM, [](auto& t) { return Short(t, 34850, {3}); }, "ExposureProgram", "3", "aperture priority"},
    {"LightSourceOther", II, [](auto& t) { return Short(t, 37384, {17}); }, "LightSource", "17", "17"},
    {"GPSInfo", MM, [](auto& t) { return t.LongEntry(34853, 0x1234); }, "GPSInfo", "0x1234",
     "place to find more GPS info, more code needs to be written to decode this data"},
    {"ColorSpace", MM, [](auto& t) { return Short(t, 40961, {65535}); }, "ColorSpace", "255", ""},
    {"CFARepeatPatternDim", II,
     [](auto& t) {
         return Short(t, 33421, {2, 3});
     },
     "CFARepeatPatternDim", "2, 0", "CFARepeatRows, CFARepeatCols"},
    {"JpegIFOffsetField", II, [](auto& t) { return t.LongEntry(514, 4242); }, "JpegIFByteCount", "4242", ""},
    {"MakerNoteHex", II,
     [](auto&) {
         return TiffBytes::UndefinedEntry(37500, {0xAB, 0x01, 0xFF, 0x10, 0x00});
     },
     "MakerNote", "AB01FF1000", ""},
    {"SignedLong", II,
     [](auto& t) {
         return TestEntry{37393, 9, 1, t.Long(uint32_t(-5))};
     },
     "ImageNumber", "-5", ""},
    {"DoubleTypeEmpty", MM,
     [](auto& t) {
         return TestEntry{270, 12, 1, t.Long(7)};
     },
     "ImageDescription", "", ""},
};

TEST(ExifTagTexts, EachCaseGivesItsNameValueAndDescription)
{
    for (const TagCase& c : kTagCases) {
        SCOPED_TRACE(c.label);
        TiffBytes tiff(c.bigEndian);
        const TestEntry entry = c.entry(tiff);
        tiff.AddDirectory({entry});
        const ExifReadResult result = ReadExifMemory(JpegWithExif(tiff.Data()));
        ASSERT_TRUE(result.ok) << result.lastError;
        const ExifTexts* found = FindExif(result, 0, entry.tag);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->name, c.name);
        EXPECT_EQ(found->value, c.value);
        EXPECT_EQ(found->description, c.description);
    }
}

// ExifOffset prints its field four wide and leads the walk to the
// sub-directory at block position field + 8.
TEST(ExifTagTexts, ExifOffsetNamesTheSubDirectory)
{
    for (bool bigEndian : {II, MM}) {
        TiffBytes tiff(bigEndian);
        tiff.AddDirectory({tiff.LongEntry(34665, 0x1A4)});
        tiff.PadTo(0x1A4);
        tiff.AddDirectory({tiff.RationalEntry(33434, 1, 125)});
        const ExifReadResult result = ReadExifMemory(JpegWithExif(tiff.Data()));
        ASSERT_TRUE(result.ok) << result.lastError;
        ASSERT_EQ(result.entries.size(), 2u);
        EXPECT_EQ(result.entries[0].value, "0x 1a4");
        EXPECT_EQ(result.entries[0].name, "ExifOffset");
        EXPECT_EQ(result.entries[1].group, 255);
        EXPECT_EQ(result.entries[1].value, "1/125 ");
    }
}

// The planar configuration met first decides what StripOffsets shows.
TEST(ExifTagTexts, StripOffsetsFollowsTheLastPlanarConfiguration)
{
    TiffBytes tiff(false);
    const uint32_t first = tiff.AddDirectory({tiff.ShortEntry(284, 1)});
    const uint32_t second = tiff.AddDirectory({TestEntry{273, 4, 1, tiff.Long(20)}});
    tiff.SetNext(first, second);
    const ExifReadResult result = ReadExifMemory(JpegWithExif(tiff.Data()));
    ASSERT_TRUE(result.ok) << result.lastError;
    const ExifTexts* strips = FindExif(result, 1, 273);
    ASSERT_NE(strips, nullptr);
    EXPECT_EQ(strips->value, "20, 1");
    EXPECT_EQ(strips->description, "StripsPerImage");
}

}  // namespace
}  // namespace ZAVTest
