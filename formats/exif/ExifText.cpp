#include "formats/exif/ExifText.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdio>

namespace ZAV {

void AppendExifText(std::string& text, const char* format, ...)
{
    if (IsExifTextFull(text))
        return;
    char formatted[kExifTextCapacity];
    va_list args;
    va_start(args, format);
    std::vsnprintf(formatted, sizeof(formatted), format, args);
    va_end(args);
    // A %c of a zero byte ends the formatted text there, as it ends a C text.
    const size_t room = kExifTextCapacity - 1 - text.size();
    text.append(formatted, std::min(room, std::char_traits<char>::length(formatted)));
}

int ExifAtoi(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int64_t number = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        number = number * 10 + (text[i] - '0');
        if (number > int64_t(INT_MAX) + 1)
            break;
    }
    if (negative)
        number = -number;
    if (number > INT_MAX)
        return INT_MAX;
    if (number < INT_MIN)
        return INT_MIN;
    return static_cast<int>(number);
}

}  // namespace ZAV
