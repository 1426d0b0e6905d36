#include "foundation/containers/ZAVVariant.h"

#include "foundation/text/NumberUtils.h"
#include "foundation/text/String.h"

namespace ZAV {

namespace {

std::string FormatReal(double value)
{
    String text;
    text.Format("%.2f", value);
    return text.GetText();
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
    case zavVariantText:
        return StringToInt(m_textValue.c_str(), 0);
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
    case zavVariantText:
        return StringToDouble(m_textValue.c_str(), 0.0);
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
