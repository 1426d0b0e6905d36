#include "formats/exif/ExifText.h"
#include "formats/exif/tags/ExifTagTexts.h"

namespace ZAV {

namespace {

constexpr int kPlanarChunky = 1;
constexpr int kPlanarSeparate = 2;

std::string PlanarWordText(int planarWord)
{
    if (planarWord == kPlanarChunky)
        return "StripsPerImage";
    if (planarWord == kPlanarSeparate)
        return "SamplesPerPixel * StripsPerImage";
    return std::string();
}

// The subject's position, then what the third and fourth numbers are.
std::string SubjectLocationText(const int* valueBytes)
{
    std::string text = "column number, row number";
    if (valueBytes[2] != 0 && valueBytes[3] == 0)
        text += ", diameter of circle";
    else if (valueBytes[2] != 0 && valueBytes[3] != 0)
        text += ", width, heigth";
    return text;
}

}  // namespace

std::string MakeExifDescription(const ExifTagRow& row, const ExifTagContext& context, const std::string& value)
{
    switch (row.description) {
    case ExifDescriptionMethod::Fixed:
        return row.descriptionText;
    case ExifDescriptionMethod::AfterAtoi:
        return ChooseExifText(row.descriptionChoices, ExifAtoi(value));
    case ExifDescriptionMethod::LowByte:
        return ChooseExifText(row.descriptionChoices, context.entry.valueBytes[0]);
    case ExifDescriptionMethod::PlanarWord:
        return PlanarWordText(context.planarWord);
    case ExifDescriptionMethod::SubjectLocation:
        return SubjectLocationText(context.entry.valueBytes);
    default:
        return std::string();
    }
}

}  // namespace ZAV
