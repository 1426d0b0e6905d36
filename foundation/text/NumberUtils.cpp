#include "foundation/text/NumberUtils.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace ZAV {

String BytesToHex(const unsigned char* bytes, int count, int limit)
{
    if (!bytes || count <= 0)
        return String("");
    if (limit > 0 && limit < count)
        count = limit;
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(static_cast<size_t>(count) * 2);
    for (int i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return String(text);
}

void ReplaceCommaWithPoint(char* text)
{
    if (!text)
        return;
    char* comma = std::strchr(text, ',');
    if (comma)
        *comma = '.';
}

void ReplaceCommaWithDecimalPoint(char* text)
{
    if (!text)
        return;
    const lconv* conventions = std::localeconv();
    char point = conventions && conventions->decimal_point && conventions->decimal_point[0]
                     ? conventions->decimal_point[0]
                     : '.';
    char* dot = std::strchr(text, '.');
    char* comma = std::strchr(text, ',');
    if (dot)
        *dot = point;
    if (comma)
        *comma = point;
}

bool ParseDouble(const char* text, double& value)
{
    value = 0;
    if (!text || !*text)
        return false;
    std::string copy = text;
    ReplaceCommaWithDecimalPoint(&copy[0]);
    char* end = nullptr;
    value = std::strtod(copy.c_str(), &end);
    return end != copy.c_str() && *end == 0;
}

bool ParseInt(const char* text, int& value)
{
    value = 0;
    if (!text || !*text)
        return false;
    char* end = nullptr;
    errno = 0;
    long long number = std::strtoll(text, &end, 10);
    bool inRange = errno != ERANGE && number >= INT_MIN && number <= INT_MAX;
    value = number < INT_MIN ? INT_MIN : number > INT_MAX ? INT_MAX : static_cast<int>(number);
    return inRange && end != text && *end == 0;
}

int32_t TruncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (value >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

double StringToDouble(const char* text, double defaultValue)
{
    double value;
    return ParseDouble(text, value) ? value : defaultValue;
}

int StringToInt(const char* text, int defaultValue)
{
    int value;
    return ParseInt(text, value) ? value : defaultValue;
}

}  // namespace ZAV
