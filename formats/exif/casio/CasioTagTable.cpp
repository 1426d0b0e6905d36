#include "formats/exif/casio/CasioTagTable.h"

#include <algorithm>
#include <iterator>

namespace ZAV {

namespace {

constexpr CasioValueMeaning kQualityModes[] = {{"1", "Fine"}, {"2", "Super Fine"}};
constexpr CasioValueMeaning kImageSizes[] = {{"0", "640 x 480 pixels"},    {"4", "1600 x 1200 pixels"},
                                             {"5", "2048 x 1536 pixels"},  {"20", "2288 x 1712 pixels"},
                                             {"21", "2592 x 1944 pixels"}, {"22", "2304 x 1728 pixels"},
                                             {"36", "3008 x 2008 pixels"}};
constexpr CasioValueMeaning kIsoSensitivities[] = {{"3", "50"}, {"4", "64"}, {"6", "100"}, {"9", "200"}};
constexpr CasioValueMeaning kWhiteBalances[] = {{"0", "Auto"},     {"1", "Daylight"},    {"2", "Shade"},
                                                {"3", "Tungsten"}, {"4", "Fluorescent"}, {"5", "Manual"}};
constexpr CasioValueMeaning kLevels[] = {{"0", "-1"}, {"1", "Normal"}, {"2", "+1"}};
constexpr CasioValueMeaning kWhiteBalanceModes[] = {{"0", "Manual"}, {"1", "Auto"}, {"4", "Flash"}, {"12", "Flash"}};

template <size_t N>
constexpr CasioTagRow Listed(int tag, const char* name, const CasioValueMeaning (&meanings)[N])
{
    return CasioTagRow{tag, name, meanings, N, false};
}

constexpr CasioTagRow Named(int tag, const char* name, bool setsPreviewPosition = false)
{
    return CasioTagRow{tag, name, nullptr, 0, setsPreviewPosition};
}

constexpr CasioTagRow kRows[] = {
    Named(2, "Preview Thumbnail Dimensions"),
    Named(3, "Preview Thumbnail Size"),
    Named(4, "Preview Thumbnail Offset", true),
    Listed(8, "Quality Mode", kQualityModes),
    Listed(9, "Image Size", kImageSizes),
    Named(13, "Focus Mode"),
    Listed(20, "Iso Sensitivity", kIsoSensitivities),
    Listed(25, "White Balance", kWhiteBalances),
    Named(29, "Focal Length"),
    Listed(31, "Saturation", kLevels),
    Listed(32, "Contrast", kLevels),
    Listed(33, "Sharpness", kLevels),
    Named(8192, "Casio Preview Thumbnail"),
    Named(8209, "White Balance Bias"),
    Listed(8210, "White Balance", kWhiteBalanceModes),
    Named(8226, "Object Distance"),
    Named(8244, "Flash Distance"),
    Named(12288, "Record Mode"),
    Named(12289, "Self Timer"),
    Named(12290, "Quality"),
    Named(12291, "Focus Mode"),
    Named(12294, "Time Zone"),
    Named(12295, "Bestshot Mode"),
    Named(12308, "CCD ISO Sensitivity"),
    Named(12309, "Colour Mode"),
    Named(12310, "Enhancement"),
    Named(12311, "Filter"),
};

}  // namespace

const CasioTagRow* FindCasioTagRow(int tag)
{
    const CasioTagRow* end = std::end(kRows);
    const CasioTagRow* row =
        std::lower_bound(std::begin(kRows), end, tag, [](const CasioTagRow& r, int t) { return r.tag < t; });
    return row != end && row->tag == tag ? row : nullptr;
}

}  // namespace ZAV
