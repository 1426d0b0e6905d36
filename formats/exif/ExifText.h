// Texts of the EXIF reader: printf-style texts appended to a value or
// description, held to the reader's 1,024-character text buffers, so that a
// count from the file cannot make a text (or many texts over one shared
// value) grow without bound.
#pragma once

#include <cstddef>
#include <string>

namespace ZAV {

// Characters of a text buffer, its closing zero included.
constexpr size_t kExifTextCapacity = 1024;

// Appends the formatted text; what would pass the buffer is cut off.
void AppendExifText(std::string& text, const char* format, ...) __attribute__((format(printf, 2, 3)));

// True once the text fills its buffer, so that loops over a count can stop.
inline bool IsExifTextFull(const std::string& text)
{
    return text.size() + 1 >= kExifTextCapacity;
}

// The text's leading decimal number as atoi reads it (blanks, an optional
// sign, digits; 0 when there is none), held to the int range.
int ExifAtoi(const std::string& text);

}  // namespace ZAV
