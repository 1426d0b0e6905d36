#include "pdf/PDFNumber.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "foundation/text/NumberUtils.h"
#include "foundation/text/String.h"

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

CPDFObjectPtr CPDFNumber::Clone(CPDFDocument*, CPDFDocument* targetDocument, CPDFVisitedMap&,
                                CPDFKeySet&, bool)
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

std::string FormatFixed(double value, int decimals)
{
    ZAV::String formatted;
    formatted.Format("%.*f", decimals, value);
    std::string text = formatted.GetText();
    // A locale with a decimal comma must still give PDF syntax.
    const size_t comma = text.find(',');
    if (comma != std::string::npos)
        text[comma] = '.';
    return text;
}

}  // namespace

std::string FormatPDFReal(double value)
{
    if (!std::isfinite(value))
        return "0.00";
    // The parser reads reals in single precision: a value that is exactly a
    // float needs only the digits that give that float back.
    const bool isFloat = static_cast<double>(static_cast<float>(value)) == value;
    // Enough decimals for the smallest double with all its significant digits.
    constexpr int kMostDecimals = 340;
    for (int decimals = 2; decimals <= kMostDecimals; ++decimals) {
        const std::string text = FormatFixed(value, decimals);
        const double back = std::strtod(text.c_str(), nullptr);
        if (back == value || (isFloat && static_cast<float>(back) == static_cast<float>(value)))
            return text;
    }
    return FormatFixed(value, kMostDecimals);
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
