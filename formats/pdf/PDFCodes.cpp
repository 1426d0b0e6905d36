#include "formats/pdf/PDFCodes.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"

namespace ZAV {

CDataSource& PdfTarget(IDataSource* target)
{
    CDataSource* source = dynamic_cast<CDataSource*>(target);
    if (!source)
        ThrowTextException("Invalid datasource!");
    return *source;
}

void WritePdfText(CDataSource& out, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    va_list again;
    va_copy(again, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1);
    std::vsnprintf(text.data(), text.size(), format, again);
    va_end(again);
    WritePdfBytes(out, text.data(), text.size() - 1);
}

void WritePdfBytes(IDataSource& out, const void* data, size_t size)
{
    if (size > 0)
        out.WriteChecked(data, size);
}

std::string FormatPdfReal(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    // A locale's decimal comma is not PDF syntax.
    for (char* c = text; *c; ++c)
        if (*c == ',')
            *c = '.';
    return text;
}

std::string EscapePdfLiteral(const char* text)
{
    std::string escaped;
    for (const char* c = text ? text : ""; *c; ++c) {
        if (*c == '(' || *c == ')' || *c == '\\')
            escaped += '\\';
        escaped += *c;
    }
    return escaped;
}

}  // namespace ZAV
