#include "foundation/ZAVVariant.h"

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace ZAV {

namespace {

// A text is a number only when it is one from start to end; an empty text is
// not.
bool ParseWholeInt(const std::string& text, int32_t& value)
{
    value = 0;
    if (text.empty())
        return false;
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(begin, &end, 10);
    if (end == begin || *end != '\0' || errno == ERANGE ||
        parsed < std::numeric_limits<int32_t>::min() || parsed > std::numeric_limits<int32_t>::max())
        return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

// Reals are written with a point or a comma; either is read as the decimal
// point of the current locale.
bool ParseWholeReal(const std::string& text, double& value)
{
    value = 0.0;
    if (text.empty())
        return false;
    const char* localePoint = std::localeconv()->decimal_point;
    const char point = (localePoint != nullptr && localePoint[0] != '\0') ? localePoint[0] : '.';
    std::string copy(text);
    const size_t dot = copy.find('.');
    if (dot != std::string::npos)
        copy[dot] = point;
    const size_t comma = copy.find(',');
    if (comma != std::string::npos)
        copy[comma] = point;

    const char* begin = copy.c_str();
    char* end = nullptr;
    const double parsed = std::strtod(begin, &end);
    if (end == begin || *end != '\0')
        return false;
    value = parsed;
    return true;
}

// Truncates toward zero; values beyond the 32-bit range stop at its ends.
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

std::string FormatReal(double value)
{
    const int length = std::snprintf(nullptr, 0, "%.2f", value);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(&text[0], text.size(), "%.2f", value);
    text.resize(static_cast<size_t>(length));
    return text;
}

}  // namespace

CZAVVariant::CZAVVariant()
    : m_byteValue(0), m_intValue(0), m_realValue(0.0), m_type(zavVariantEmpty)
{
}

void CZAVVariant::SetByte(uint8_t value, int32_t type)
{
    m_byteValue = value;
    m_type = type == zavVariantByteAlt ? zavVariantByteAlt : zavVariantByte;
}

void CZAVVariant::SetInt(int32_t value)
{
    m_intValue = value;
    m_type = zavVariantInt;
}

void CZAVVariant::SetReal(double value)
{
    m_realValue = value;
    m_type = zavVariantReal;
}

void CZAVVariant::SetText(const std::string& value)
{
    m_textValue = value;
    m_type = zavVariantText;
}

void CZAVVariant::SetBytes(const CArraySimple<unsigned char, 1>& value)
{
    m_byteArrayValue = value;
    m_type = zavVariantByteArray;
}

void CZAVVariant::Clear()
{
    *this = CZAVVariant();
}

int32_t CZAVVariant::GetAsInt() const
{
    switch (m_type) {
    case zavVariantByte:
    case zavVariantByteAlt:
        return m_byteValue;
    case zavVariantInt:
        return m_intValue;
    case zavVariantReal:
        return TruncateToInt(m_realValue);
    case zavVariantText: {
        int32_t value = 0;
        return ParseWholeInt(m_textValue, value) ? value : 0;
    }
    default:
        return 0;
    }
}

double CZAVVariant::GetAsReal() const
{
    switch (m_type) {
    case zavVariantByte:
    case zavVariantByteAlt:
        return m_byteValue;
    case zavVariantInt:
        return m_intValue;
    case zavVariantReal:
        return m_realValue;
    case zavVariantText: {
        double value = 0.0;
        return ParseWholeReal(m_textValue, value) ? value : 0.0;
    }
    default:
        return 0.0;
    }
}

std::string CZAVVariant::GetAsText() const
{
    switch (m_type) {
    case zavVariantByte:
    case zavVariantByteAlt:
        return std::to_string(static_cast<int>(m_byteValue));
    case zavVariantInt:
        return std::to_string(m_intValue);
    case zavVariantReal:
        return FormatReal(m_realValue);
    case zavVariantText:
        return m_textValue;
    default:
        return std::string();
    }
}

}  // namespace ZAV
