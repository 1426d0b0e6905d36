// The 103 tags of TIFF 6.0 and EXIF 2.1 the reader names. Names, value and
// description texts are the reader's own wording, kept as users know them.
#include "formats/exif/tags/ExifTagTable.h"

#include <algorithm>
#include <iterator>

namespace ZAV {

namespace {

using V = ExifValueMethod;
using D = ExifDescriptionMethod;
using E = ExifTagEffect;

template <size_t N>
constexpr ExifTextChoices Choices(const ExifTextChoice (&rows)[N], const char* other = "%d")
{
    return ExifTextChoices{rows, N, other};
}

constexpr ExifTagRow Row(int tag, const char* name, V value = V::ByType, E effect = E::None)
{
    ExifTagRow row;
    row.tag = tag;
    row.name = name;
    row.value = value;
    row.effect = effect;
    return row;
}

constexpr ExifTagRow ValueChoice(ExifTagRow row, ExifTextChoices choices)
{
    row.valueChoices = choices;
    return row;
}

constexpr ExifTagRow Describe(ExifTagRow row, const char* text)
{
    row.description = D::Fixed;
    row.descriptionText = text;
    return row;
}

constexpr ExifTagRow DescribeBy(ExifTagRow row, D method, ExifTextChoices choices = {})
{
    row.description = method;
    row.descriptionChoices = choices;
    return row;
}

constexpr ExifTextChoice kSubfileTypes[] = {{0, "indicates main image\""}, {1, "indicates thumbnail\""}};
constexpr ExifTextChoice kCompressions[] = {
    {1, "no compression"}, {6, "JPEG compression"}, {7, "TIFF/JPEG compression"}};
constexpr ExifTextChoice kPhotometrics[] = {{1, "BlackIsZero"}, {2, "RGB"}, {6, "YCbCr color space"}, {32803, "CFA"}};
constexpr ExifTextChoice kOrientations[] = {
    {1, "upper left"}, {3, "lower right"}, {6, "upper right"}, {8, "lower left"}, {9, "undefined"}};
constexpr ExifTextChoice kSamplesPerPixel[] = {{1, "1"}, {3, "3"}};
constexpr ExifTextChoice kPlanarConfigurations[] = {{1, "chunky format"}, {2, "planer"}};
constexpr ExifTextChoice kResolutionUnits[] = {{1, "no unit"}, {2, "inch"}, {3, "centimeter"}};
constexpr ExifTextChoice kYCbCrPositionings[] = {{1, "center of pixel array"}, {2, "the datum point"}};
constexpr ExifTextChoice kExposurePrograms[] = {{1, "manual control"},
                                                {2, "program normal"},
                                                {3, "aperture priority"},
                                                {4, "shutter priority"},
                                                {5, "program creative (slow program)"},
                                                {6, "program action(high-speed program)"},
                                                {7, "portrait mode"},
                                                {8, "landscape mode"}};
constexpr ExifTextChoice kMeteringModes[] = {
    {1, "average"}, {2, "center weighted average"}, {3, "spot"}, {4, "multi-spot"}, {5, "multi-segment"}};
constexpr ExifTextChoice kLightSources[] = {
    {0, "auto"}, {1, "daylight"}, {2, "fluorescent"}, {3, "tungsten"}, {10, "flash"}};
constexpr ExifTextChoice kFlashes[] = {{0, "flash was not used"}, {1, "flash was used"}};
constexpr ExifTextChoice kFocalPlaneUnits[] = {{1, "no-unit"}, {2, "inch"}, {3, "centimeter"}};
constexpr ExifTextChoice kSensingMethods[] = {{2, "one chip color area sensor"}};

constexpr const char* kVendorNumber = "%d=Vendor Unique Number";

constexpr ExifTagRow kRows[] = {
    Row(1, "InteroperabilityIndex", V::WordBytesChars),
    Row(2, "InteroperabilityVersion", V::WordBytesVersion),
    DescribeBy(Row(254, "NewSubfileType", V::Empty), D::LowByte, Choices(kSubfileTypes)),
    Row(255, "SubfileType", V::Field),
    Row(256, "ImageWidth", V::ByType, E::ThumbnailWidth),
    Row(257, "ImageLength", V::ByType, E::ThumbnailHeight),
    Row(258, "BitsPerSample", V::BitsPerSample),
    DescribeBy(Row(259, "Compression"), D::AfterAtoi, Choices(kCompressions, kVendorNumber)),
    DescribeBy(Row(262, "PhotometricInterpretation", V::ByType, E::Photometric), D::AfterAtoi,
               Choices(kPhotometrics, kVendorNumber)),
    Row(270, "ImageDescription"),
    Row(271, "Make"),
    Row(272, "Model"),
    DescribeBy(Row(273, "StripOffsets", V::StripOffsets, E::StripOffsets), D::PlanarWord),
    ValueChoice(Row(274, "Orientation", V::LowByteChoice), Choices(kOrientations)),
    DescribeBy(Row(277, "SamplesPerPixel"), D::AfterAtoi, Choices(kSamplesPerPixel, kVendorNumber)),
    Describe(Row(278, "RowsPerStrip"), "Note that the number of StripsPerImage equals floor ((ImageLength + "
                                       "RowsPerStrip - 1) / RowsPerStrip)"),
    Row(279, "StripByteCounts", V::ByType, E::StripByteCount),
    Row(282, "XResolution", V::Rationals),
    Row(283, "YResolution", V::Rationals),
    DescribeBy(Row(284, "PlanarConfiguration", V::Empty, E::PlanarConfiguration), D::LowByte,
               Choices(kPlanarConfigurations)),
    ValueChoice(Row(296, "ResolutionUnit", V::LowByteChoice), Choices(kResolutionUnits, "undefined")),
    Row(301, "TransferFunction"),
    Row(305, "Software"),
    Row(306, "DateTime"),
    Row(315, "Artist"),
    Row(317, "Predictor", V::Field),
    Row(318, "WhitePoint", V::Rationals),
    Row(319, "PrimaryChromaticities", V::Rationals),
    Row(322, "TileWidth", V::Field),
    Row(323, "TileLength", V::Field),
    Row(324, "TileOffsets", V::Field),
    Row(325, "TileByteCounts", V::Field),
    Row(330, "SubIFDs", V::Field),
    Row(347, "JPEGTables", V::Field),
    Row(513, "JpegIFOffset", V::Field, E::JpegThumbnail),
    Row(514, "JpegIFByteCount", V::Field),
    Row(529, "YCbCrCoefficients", V::Rationals),
    Row(530, "YCbCrSubSampling", V::YCbCrSubSampling),
    ValueChoice(Row(531, "YCbCrPositioning", V::LowByteChoice), Choices(kYCbCrPositionings)),
    Row(532, "ReferenceBlackWhite", V::Rationals),
    Describe(Row(33421, "CFARepeatPatternDim", V::CfaRepeatPatternDim), "CFARepeatRows, CFARepeatCols"),
    Row(33422, "CFAPattern", V::Field),
    Row(33423, "BatteryLevel", V::Rationals),
    Row(33432, "Copyright"),
    Row(33434, "ExposureTime", V::Rationals),
    Row(33437, "FNumber", V::Rationals),
    Row(33723, "IPTC/NAA"),
    Row(34665, "ExifOffset", V::HexField, E::ExifIfd),
    Row(34675, "InterColorProfile", V::Field),
    DescribeBy(Row(34850, "ExposureProgram"), D::AfterAtoi, Choices(kExposurePrograms)),
    Row(34852, "SpectralSensitivity"),
    Describe(Row(34853, "GPSInfo", V::HexField),
             "place to find more GPS info, more code needs to be written to decode this data"),
    Describe(Row(34855, "ISOSpeedRatings", V::IsoSpeedRatings), "CCD sensitivity equivalent to Ag-Hr film speedrate"),
    Row(34856, "OECF", V::Field),
    Row(34857, "Interlace", V::Interlace),
    Describe(Row(34858, "TimeZoneOffset", V::TimeZoneOffset),
             "Time Zone Offset (in hours) of DateTimeOriginal tag-value relative to Greenwich Mean Time"),
    Row(34859, "SelfTimerMode", V::Field),
    Row(36864, "ExifVersion", V::DwordBytesChars),
    Row(36867, "DateTimeOriginal"),
    Row(36868, "DateTimeDigitized"),
    Row(37121, "ComponentConfiguration", V::DwordBytesNumbers),
    Row(37122, "CompressedBitsPerPixel", V::Rationals),
    Row(37377, "ShutterSpeedValue", V::Rationals),
    Row(37378, "ApertureValue", V::Rationals),
    Row(37379, "BrightnessValue", V::Rationals),
    Row(37380, "ExposureBiasValue", V::Rationals),
    Row(37381, "MaxApertureValue", V::Rationals),
    Row(37382, "SubjectDistance", V::Rationals),
    DescribeBy(Row(37383, "MeteringMode"), D::AfterAtoi, Choices(kMeteringModes)),
    DescribeBy(Row(37384, "LightSource"), D::AfterAtoi, Choices(kLightSources)),
    DescribeBy(Row(37385, "Flash"), D::AfterAtoi, Choices(kFlashes)),
    Row(37386, "FocalLength", V::Rationals),
    Row(37387, "FlashEnergy", V::Rationals),
    Row(37388, "SpatialFrequencyResponse", V::Field),
    Row(37389, "Noise", V::Field),
    Row(37393, "ImageNumber", V::Field),
    Row(37394, "SecurityClassification", V::SecurityClassification),
    Row(37395, "ImageHistory"),
    DescribeBy(Row(37396, "SubjectLocation", V::SubjectLocation), D::SubjectLocation),
    Row(37397, "ExposureIndex", V::Rationals),
    Row(37398, "TIFF/EPStandardID", V::Field),
    Row(37500, "MakerNote", V::ByType, E::MakerNote),
    Row(37510, "UserComment", V::ByType, E::UserComment),
    Row(37520, "SubSecTime"),
    Row(37521, "SubSecTimeOriginal"),
    Row(37522, "SubSecTimeDigitized"),
    Row(40960, "FlashPixVersion", V::DwordBytesChars),
    Row(40961, "ColorSpace", V::LowByteNumber),
    Row(40962, "ExifImageWidth"),
    Row(40963, "ExifImageHeight"),
    Row(40964, "RelatedSoundFile"),
    Row(40965, "ExifInteroperabilityOffset", V::DwordBytesNumbers, E::InteroperabilityIfd),
    Row(41483, "FlashEnergy", V::Rationals),
    Row(41484, "SpatialFrequencyResponse", V::Field),
    Row(41486, "FocalPlaneXResolution", V::Rationals),
    Row(41487, "FocalPlaneYResolution", V::Rationals),
    DescribeBy(Row(41488, "FocalPlaneResolutionUnit"), D::AfterAtoi, Choices(kFocalPlaneUnits)),
    DescribeBy(Row(41492, "SubjectLocation", V::SubjectLocation), D::SubjectLocation),
    Row(41493, "ExposureIndex", V::Rationals),
    DescribeBy(Row(41495, "SensingMethod"), D::AfterAtoi, Choices(kSensingMethods)),
    Row(41728, "FileSource", V::Field),
    Row(41729, "SceneType", V::Field),
    Row(41730, "CFAPattern", V::Field),
};

constexpr bool IsSortedByTag()
{
    for (size_t i = 1; i < std::size(kRows); ++i)
        if (kRows[i - 1].tag >= kRows[i].tag)
            return false;
    return true;
}
static_assert(IsSortedByTag(), "the rows are looked up by binary search");

}  // namespace

const ExifTagRow* FindExifTagRow(int tag)
{
    const ExifTagRow* end = std::end(kRows);
    const ExifTagRow* row =
        std::lower_bound(std::begin(kRows), end, tag, [](const ExifTagRow& r, int t) { return r.tag < t; });
    return row != end && row->tag == tag ? row : nullptr;
}

size_t ExifTagRowCount()
{
    return std::size(kRows);
}

}  // namespace ZAV
