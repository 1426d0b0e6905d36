// The tags the EXIF reader knows, as data: one row per tag with its name,
// how its value text is made, how its description is made and what it
// steers in the reader (the walk of the sub-directories, the thumbnail).
#pragma once

#include <cstddef>

namespace ZAV {

enum class ExifValueMethod {
    ByType,                  // FormatValue on the entry's own type and count
    Rationals,               // the rational list whatever the type
    Field,                   // "%d" of the 32-bit value field
    HexField,                // "0x%4x" of the 32-bit value field
    Empty,                   // no value text
    LowByteChoice,           // a text chosen by the low byte
    LowByteNumber,           // "%d" of the low byte
    WordBytesChars,          // the four value bytes as characters
    WordBytesVersion,        // "[%c.%c.%c.%c]" of the value bytes
    DwordBytesChars,         // "[%c.%c.%c.%c]" of the field from its top byte
    DwordBytesNumbers,       // "[%d.%d.%d.%d]" of the field from its top byte
    BitsPerSample,           // the low bytes of count shorts joined by ","
    StripOffsets,            // by type, then ", count" for a planar word 1 or 2
    YCbCrSubSampling,        // the horizontal and the vertical factor's texts
    CfaRepeatPatternDim,     // "%d, %d" of the first short's two bytes
    IsoSpeedRatings,         // "%d,%d" of the field's two shorts
    Interlace,               // the interlace text of the low byte
    TimeZoneOffset,          // value bytes less 128
    SecurityClassification,  // the letter's meaning
    SubjectLocation          // two to four value bytes
};

enum class ExifDescriptionMethod {
    None,
    Fixed,           // the row's text
    AfterAtoi,       // chosen by the leading number of the value text
    LowByte,         // chosen by the low byte
    PlanarWord,      // chosen by the last planar configuration met
    SubjectLocation  // grows with the value bytes like the value
};

enum class ExifTagEffect {
    None,
    ExifIfd,              // the EXIF sub-directory's position
    InteroperabilityIfd,  // the interoperability directory's position
    ThumbnailWidth,
    ThumbnailHeight,
    Photometric,
    StripOffsets,
    StripByteCount,
    PlanarConfiguration,
    JpegThumbnail,
    MakerNote,   // the maker note is read before the value is made
    UserComment  // the readable comment is added before the value is made
};

struct ExifTextChoice {
    int key;
    const char* text;
};

// Texts by a number; a number not listed gives the other text, formatted
// printf-style with the number.
struct ExifTextChoices {
    const ExifTextChoice* rows = nullptr;
    size_t count = 0;
    const char* other = "%d";
};

struct ExifTagRow {
    int tag = 0;
    const char* name = "";
    ExifValueMethod value = ExifValueMethod::ByType;
    ExifTextChoices valueChoices;
    ExifDescriptionMethod description = ExifDescriptionMethod::None;
    const char* descriptionText = "";
    ExifTextChoices descriptionChoices;
    ExifTagEffect effect = ExifTagEffect::None;
};

// The row of a tag, null for a tag the reader does not know.
const ExifTagRow* FindExifTagRow(int tag);
size_t ExifTagRowCount();

}  // namespace ZAV
