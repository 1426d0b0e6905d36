// CTextException: the one exception the library throws for its failures,
// a numeric code (0 unless the thrower sets one) and an English message.
#pragma once

#include <cstddef>
#include <cstdint>

class CTextException {
public:
    CTextException(int32_t code, const char* text);
    explicit CTextException(const char* text);
    CTextException(const CTextException& other);
    CTextException& operator=(const CTextException& other);
    virtual ~CTextException();

    virtual int32_t GetCode() const;
    // Never null.
    virtual const char* GetText() const;

private:
    int32_t m_code;
    char* m_text;
};

// Throws CTextException with code 0 and the text.
[[noreturn]] void ThrowTextException(const char* text);

// Size of the buffer FormatSystemMessage fills, its zero included.
constexpr size_t kSystemMessageBufferSize = 1025;

// Writes the prefix, one blank and the system's text for the error code into
// out (kSystemMessageBufferSize bytes) and returns out. Without a prefix the
// system text stands alone. Whatever does not fit is cut off.
char* FormatSystemMessage(uint32_t errorCode, const char* prefix, char* out);

// Throws the text alone when the last error is 0, else the text, one blank
// and the system's text for the last error.
[[noreturn]] void ThrowLastError(const char* text);
