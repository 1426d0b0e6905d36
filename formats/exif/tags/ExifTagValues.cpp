#include "formats/exif/ExifText.h"
#include "formats/exif/FormatValue.h"
#include "formats/exif/tags/ExifTagTexts.h"

namespace ZAV {

namespace {

constexpr uint64_t kShortBytes = 2;
// BitsPerSample keeps one or two shorts in the value field.
constexpr uint32_t kShortsInField = 2;
constexpr int kTimeZoneBias = 128;
constexpr int kPlanarChunky = 1;
constexpr int kPlanarSeparate = 2;

// TIFF 6.0 YCbCrSubSampling texts: factor 1, 2 and 4.
constexpr ExifTextChoice kChromaWidths[] = {
    {1, "ImageWidth of this chroma image is equal to the ImageWidth of the associated luma image"},
    {2, "ImageWidth of this chroma image is half the ImageWidth of the associated luma image"},
    {4, "ImageWidth of this chroma image is one-quarter the ImageWidth of the associated luma image"}};
constexpr ExifTextChoice kChromaHeights[] = {
    {1, "ImageLength (height) of this chroma image is equal to the ImageLength of the associated luma image"},
    {2, "ImageLength (height) of this chroma image is half the ImageLength of the associated luma image"},
    {4, "ImageLength (height) of this chroma image is one-quarter the ImageLength of the associated luma image"}};
constexpr ExifTextChoice kSecurityClasses[] = {
    {'C', "C=Confidential"}, {'R', "R=Restricted"}, {'S', "S=Secret"}, {'T', "T=Top Secret"}, {'U', "U=Unrestricted"}};

std::string Format(const char* format, int a, int b = 0, int c = 0, int d = 0)
{
    std::string text;
    AppendExifText(text, format, a, b, c, d);
    return text;
}

std::string BitsPerSample(const ExifTagContext& c)
{
    const ExifDirectoryEntry& e = c.entry;
    std::string text;
    if (e.count <= kShortsInField) {
        for (uint32_t i = 0; i < e.count; ++i)
            AppendExifText(text, i == 0 ? "%d" : ",%d", e.valueBytes[2 * i]);
        return text;
    }
    c.block.At(e.ValuePosition(), uint64_t(e.count) * kShortBytes);
    for (uint32_t i = 0; i < e.count && !IsExifTextFull(text); ++i)
        AppendExifText(text, i == 0 ? "%d" : ",%d", c.block.Word(e.ValuePosition() + kShortBytes * i) & 0xFF);
    return text;
}

std::string StripOffsets(const ExifTagContext& c)
{
    std::string text = FormatValue(c.block, c.entry);
    if (c.planarWord == kPlanarChunky || c.planarWord == kPlanarSeparate)
        AppendExifText(text, ", %d", static_cast<int>(c.entry.count));
    return text;
}

std::string Interlace(int value)
{
    if (value == 0)
        return "0=non-interlaced (progressive scan)";
    if (value == 1)
        return "1=vertical field 1, horizontal field 1 (video field 1, \"odd\" lines)";
    if (value == 2)
        return "2=vertical field 2, horizontal field 1 (video field 2, \"even\" lines)";
    if (value < 128)
        return Format("%d=vertical field 3-127, horizontal field 1", value);
    if (value == 128)
        return "128=vertical field 1, horizontal field 2";
    return Format("%d=vertical field 2-127, horizontal field 2", value);
}

std::string TimeZoneOffset(const ExifDirectoryEntry& e)
{
    std::string text = Format("%d", e.valueBytes[0] - kTimeZoneBias);
    if (e.count == 2)
        AppendExifText(text, ", %d", e.valueBytes[1] - kTimeZoneBias);
    return text;
}

std::string SubjectLocation(const int* b)
{
    std::string text = Format("%d, %d", b[0], b[1]);
    if (b[2] != 0 && b[3] == 0)
        AppendExifText(text, ", %d", b[2]);
    else if (b[2] != 0 && b[3] != 0)
        AppendExifText(text, ", %d, %d", b[2], b[3]);
    return text;
}

// The field's four bytes from its most significant one.
std::string DwordBytes(const char* format, uint32_t field)
{
    return Format(format, int(field >> 24), int((field >> 16) & 0xFF), int((field >> 8) & 0xFF), int(field & 0xFF));
}

std::string ChoiceValue(const ExifTagRow& row, const ExifTagContext& c)
{
    const int* b = c.entry.valueBytes;
    const CExifBlock& block = c.block;
    switch (row.value) {
    case ExifValueMethod::LowByteChoice:
        return ChooseExifText(row.valueChoices, b[0]);
    case ExifValueMethod::YCbCrSubSampling:
        return ChooseExifText({kChromaWidths, 3, "%d"}, block.WordOf(c.entry.fieldBytes)) +
               ChooseExifText({kChromaHeights, 3, "%d"}, block.WordOf(c.entry.fieldBytes + 2));
    case ExifValueMethod::Interlace:
        return Interlace(b[0]);
    case ExifValueMethod::SecurityClassification: {
        const std::string value = FormatValue(block, c.entry);
        return ChooseExifText({kSecurityClasses, 5, "%c"}, value.empty() ? 0 : value[0]);
    }
    default:
        return std::string();
    }
}

}  // namespace

std::string ChooseExifText(const ExifTextChoices& choices, int key)
{
    for (size_t i = 0; i < choices.count; ++i)
        if (choices.rows[i].key == key)
            return choices.rows[i].text;
    return Format(choices.other, key);
}

std::string MakeExifValueText(const ExifTagRow& row, const ExifTagContext& c)
{
    const ExifDirectoryEntry& e = c.entry;
    const int* b = e.valueBytes;
    switch (row.value) {
    case ExifValueMethod::ByType:
        return FormatValue(c.block, e);
    case ExifValueMethod::Rationals:
        return FormatRationals(c.block, e);
    case ExifValueMethod::Field:
        return Format("%d", static_cast<int32_t>(e.field));
    case ExifValueMethod::HexField:
        return Format("0x%4x", static_cast<int>(e.field));
    case ExifValueMethod::Empty:
        return std::string();
    case ExifValueMethod::LowByteNumber:
        return Format("%d", b[0]);
    case ExifValueMethod::WordBytesChars:
        return Format("%c%c%c%c", b[0], b[1], b[2], b[3]);
    case ExifValueMethod::WordBytesVersion:
        return Format("[%c.%c.%c.%c]", b[0], b[1], b[2], b[3]);
    case ExifValueMethod::DwordBytesChars:
        return DwordBytes("[%c.%c.%c.%c]", e.field);
    case ExifValueMethod::DwordBytesNumbers:
        return DwordBytes("[%d.%d.%d.%d]", e.field);
    case ExifValueMethod::BitsPerSample:
        return BitsPerSample(c);
    case ExifValueMethod::StripOffsets:
        return StripOffsets(c);
    case ExifValueMethod::CfaRepeatPatternDim:
        return Format("%d, %d", b[0], b[1]);
    case ExifValueMethod::IsoSpeedRatings:
        return Format("%d,%d", c.block.WordOf(e.fieldBytes), c.block.WordOf(e.fieldBytes + 2));
    case ExifValueMethod::TimeZoneOffset:
        return TimeZoneOffset(e);
    case ExifValueMethod::SubjectLocation:
        return SubjectLocation(b);
    default:
        return ChoiceValue(row, c);
    }
}

}  // namespace ZAV
