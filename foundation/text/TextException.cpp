#include "foundation/text/TextException.h"

#include "platform/LastError.h"

#include <algorithm>
#include <cstring>

namespace {

char* CopyText(const char* text)
{
    if (!text)
        text = "";
    const size_t length = std::strlen(text);
    char* copy = new char[length + 1];
    std::memcpy(copy, text, length + 1);
    return copy;
}

}  // namespace

CTextException::CTextException(int32_t code, const char* text) : m_code(code), m_text(CopyText(text)) {}

CTextException::CTextException(const char* text) : CTextException(0, text) {}

CTextException::CTextException(const CTextException& other)
    : m_code(other.GetCode()), m_text(CopyText(other.GetText()))
{
}

CTextException& CTextException::operator=(const CTextException& other)
{
    if (this != &other) {
        char* copy = CopyText(other.GetText());
        delete[] m_text;
        m_text = copy;
        m_code = other.GetCode();
    }
    return *this;
}

CTextException::~CTextException()
{
    delete[] m_text;
}

int32_t CTextException::GetCode() const
{
    return m_code;
}

const char* CTextException::GetText() const
{
    return m_text;
}

void ThrowTextException(const char* text)
{
    throw CTextException(0, text);
}

char* FormatSystemMessage(uint32_t errorCode, const char* prefix, char* out)
{
    // Room for the text; the last byte always stays for the zero.
    const size_t room = kSystemMessageBufferSize - 1;
    size_t used = 0;
    auto append = [&](const char* text) {
        const size_t n = std::min(std::strlen(text), room - used);
        std::memcpy(out + used, text, n);
        used += n;
    };
    if (prefix) {
        append(prefix);
        append(" ");
    }
    append(GetSystemErrorText(errorCode));
    out[used] = '\0';
    return out;
}

void ThrowLastError(const char* text)
{
    const DWORD code = GetLastError();
    if (code == ERROR_SUCCESS)
        ThrowTextException(text);
    char message[kSystemMessageBufferSize];
    ThrowTextException(FormatSystemMessage(code, text, message));
}
