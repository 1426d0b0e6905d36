#include "pdf/objects/PDFNumber.h"

#include <cmath>
#include <cstdio>
#include <charconv>
#include <system_error>

#include "foundation/text/NumberUtils.h"

namespace ZAVPDF {

CPDFNumber::CPDFNumber(CPDFDocument* document, int value)
    : CPDFObjectBase(ptInteger, document), m_integerValue(value), m_isInteger(true)
{
}

CPDFNumber::CPDFNumber(CPDFDocument* document, double value)
    : CPDFObjectBase(ptReal, document), m_realValue(value), m_isInteger(false)
{
}

CPDFNumber::~CPDFNumber() = default;

int CPDFNumber::GetInteger() const
{
    if (m_isInteger)
        return m_integerValue;
    return ZAV::TruncateToInt(m_realValue);
}

void CPDFNumber::SetInteger(int value)
{
    m_integerValue = value;
    m_isInteger = true;
    SetModified(true);
}

CPDFObjectPtr CPDFNumber::Clone(CPDFDocument*, CPDFDocument* targetDocument, CPDFVisitedMap&, CPDFKeySet&, bool)
{
    CPDFNumber* copy = GetType() == ptInteger ? new CPDFNumber(targetDocument, m_integerValue)
                                              : new CPDFNumber(targetDocument, m_realValue);
    CPDFObjectPtr result(copy);
    copy->m_realValue = m_realValue;
    copy->m_integerValue = m_integerValue;
    copy->m_isInteger = m_isInteger;
    copy->SetModified(true);
    return result;
}

namespace {

// Writers and readers of this library keep at least two decimals for reals.
constexpr size_t kMinimumDecimals = 2;

}  // namespace

std::string FormatPDFReal(double value)
{
    if (!std::isfinite(value))
        return "0.00";
    // The shortest fixed-point text that reads back as the same double; PDF
    // syntax has no exponent form, and to_chars ignores the locale.
    char buffer[512];
    const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    std::string text(buffer, written.ec == std::errc() ? written.ptr : buffer);
    const size_t point = text.find('.');
    const size_t decimals = point == std::string::npos ? 0 : text.size() - point - 1;
    if (point == std::string::npos)
        text += '.';
    if (decimals < kMinimumDecimals)
        text.append(kMinimumDecimals - decimals, '0');
    return text;
}

std::string CPDFNumber::ToPDFString() const
{
    if (m_isInteger) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", m_integerValue);
        return text;
    }
    return FormatPDFReal(m_realValue);
}

}  // namespace ZAVPDF
