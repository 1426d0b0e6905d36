#include "pdf/parse/PDFPageSkim.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace ZAVPDF {

namespace {

// Page dictionaries are flat; deeper nesting is left to the parser's own
// limit and message.
const int kMaxSkimNesting = 32;
// Longer numbers are left to the parser, which knows about overflow.
const size_t kMaxSkimNumberLength = 32;
// More digits may not fit an object number or generation.
const size_t kMaxSkimIntegerDigits = 9;

bool IsWhite(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

bool IsHexDigit(unsigned char c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The parser's delimiters: white space, NUL, form feed and ( ) < > { } [ ] / %.
bool IsDelimiter(unsigned char c)
{
    return IsWhite(c) || c == 0 || c == 12 || std::strchr("()<>{}[]/%", c) != nullptr;
}

class Skimmer {
public:
    Skimmer(const unsigned char* data, size_t size) : m_at(data), m_end(data + size) {}

    bool ObjectHeaderIs(int objectNumber, int generation)
    {
        long long number = 0;
        long long generationRead = 0;
        if (!Integer(number) || !SkipWhite() || !Integer(generationRead) || number != objectNumber ||
            generationRead != generation)
            return false;
        SkipWhite();
        return Literal("obj");
    }

    // The top-level dictionary, noting its /Type, then "endobj".
    bool PageDictionaryAndEnd()
    {
        SkipWhite();
        if (!Dictionary(0))
            return false;
        SkipWhite();
        return m_typeCount == 1 && m_type == "/Page" && Literal("endobj");
    }

private:
    bool AtEnd() const { return m_at >= m_end; }
    unsigned char Peek(size_t ahead = 0) const { return m_at + ahead < m_end ? m_at[ahead] : 0; }
    bool Has(size_t count) const { return static_cast<size_t>(m_end - m_at) >= count; }

    // The byte after a token must be there and end it.
    bool EndsToken() const { return !AtEnd() && IsDelimiter(*m_at); }

    bool SkipWhite()
    {
        const unsigned char* start = m_at;
        while (!AtEnd() && IsWhite(*m_at))
            ++m_at;
        return m_at > start;
    }

    bool Literal(const char* text)
    {
        const size_t length = std::strlen(text);
        if (!Has(length) || std::memcmp(m_at, text, length) != 0)
            return false;
        m_at += length;
        return true;
    }

    // Unsigned digits followed by a delimiter.
    bool Integer(long long& value)
    {
        size_t digits = 0;
        value = 0;
        while (!AtEnd() && IsDigit(*m_at)) {
            if (++digits > kMaxSkimIntegerDigits)
                return false;
            value = value * 10 + (*m_at - '0');
            ++m_at;
        }
        return digits > 0 && EndsToken();
    }

    bool Name(std::string* text)
    {
        const unsigned char* start = m_at;
        ++m_at;  // the slash
        while (!AtEnd() && !IsDelimiter(*m_at)) {
            if (*m_at == '#')
                return false;
            ++m_at;
        }
        if (AtEnd())
            return false;
        if (text)
            text->assign(reinterpret_cast<const char*>(start), static_cast<size_t>(m_at - start));
        return true;
    }

    bool LiteralString()
    {
        int depth = 0;
        for (++m_at; !AtEnd(); ++m_at) {
            const unsigned char c = *m_at;
            if (c == '(') {
                ++depth;
            } else if (c == ')') {
                if (depth-- == 0) {
                    ++m_at;
                    return true;
                }
            } else if (c == '\\') {
                // Octal escapes may be out of range: the parser judges them.
                if (!Has(2) || (m_at[1] >= '0' && m_at[1] <= '7'))
                    return false;
                ++m_at;
            }
        }
        return false;
    }

    bool HexString()
    {
        for (++m_at; !AtEnd(); ++m_at) {
            if (*m_at == '>') {
                ++m_at;
                return true;
            }
            if (!IsHexDigit(*m_at) && !IsWhite(*m_at))
                return false;
        }
        return false;
    }

    // A number without a sign before a blank, or with "-" directly before
    // its digits; isReferenceStart tells an integer of 1 or more.
    bool Number(bool& isReferenceStart)
    {
        const unsigned char* start = m_at;
        const bool negative = *m_at == '-';
        if (negative)
            ++m_at;
        size_t integerDigits = 0;
        bool nonZero = false;
        for (; !AtEnd() && IsDigit(*m_at); ++m_at, ++integerDigits)
            nonZero = nonZero || *m_at != '0';
        size_t fractionDigits = 0;
        const bool real = !AtEnd() && *m_at == '.';
        if (real)
            for (++m_at; !AtEnd() && IsDigit(*m_at); ++m_at)
                ++fractionDigits;
        if (integerDigits + fractionDigits == 0 || static_cast<size_t>(m_at - start) > kMaxSkimNumberLength)
            return false;
        isReferenceStart = !negative && !real && nonZero && integerDigits <= kMaxSkimIntegerDigits;
        return EndsToken();
    }

    // After an integer of 1 or more: "g R" makes it a reference, anything
    // else leaves the integer alone, as the parser decides.
    bool ReferenceTail()
    {
        const unsigned char* afterNumber = m_at;
        SkipWhite();
        if (AtEnd() || *m_at == '+' || *m_at == '-' || *m_at == '%')
            return false;
        if (!IsDigit(*m_at)) {
            m_at = afterNumber;
            return true;
        }
        long long generation = 0;
        if (!Integer(generation)) {
            // A real there is read and put back by the parser; anything else fails it.
            return false;
        }
        SkipWhite();
        if (!AtEnd() && *m_at == 'R') {
            ++m_at;
            return EndsToken();
        }
        if (AtEnd() || *m_at == '%')
            return false;
        m_at = afterNumber;
        return true;
    }

    bool Keyword()
    {
        for (const char* word : {"null", "true", "false"})
            if (Literal(word))
                return EndsToken();
        return false;
    }

    bool Array(int depth)
    {
        if (depth >= kMaxSkimNesting)
            return false;
        ++m_at;  // [
        for (;;) {
            SkipWhite();
            if (AtEnd())
                return false;
            if (*m_at == ']') {
                ++m_at;
                return true;
            }
            if (!Value(depth + 1))
                return false;
        }
    }

    bool Dictionary(int depth)
    {
        if (depth >= kMaxSkimNesting || !Literal("<<"))
            return false;
        for (;;) {
            SkipWhite();
            if (Literal(">>"))
                return true;
            if (AtEnd() || *m_at != '/')
                return false;
            std::string key;
            if (!Name(&key))
                return false;
            SkipWhite();
            // A key without a value is a complaint of the parser's.
            if (AtEnd() || (Peek() == '>' && Peek(1) == '>'))
                return false;
            if (depth == 0 && key == "/Type") {
                ++m_typeCount;
                if (Peek() != '/' || !Name(&m_type))
                    return false;
            } else if (!Value(depth + 1)) {
                return false;
            }
        }
    }

    bool Value(int depth)
    {
        switch (Peek()) {
        case '/':
            return Name(nullptr);
        case '(':
            return LiteralString();
        case '[':
            return Array(depth);
        case '<':
            return Peek(1) == '<' ? Dictionary(depth) : HexString();
        case 'n':
        case 't':
        case 'f':
            return Keyword();
        default:
            break;
        }
        if (!IsDigit(Peek()) && Peek() != '-' && Peek() != '.')
            return false;
        bool isReferenceStart = false;
        if (!Number(isReferenceStart))
            return false;
        return !isReferenceStart || ReferenceTail();
    }

    const unsigned char* m_at;
    const unsigned char* m_end;
    std::string m_type;
    int m_typeCount = 0;
};

}  // namespace

bool IsPlainPageObject(const unsigned char* data, size_t size, int objectNumber, int generation)
{
    if (data == nullptr)
        return false;
    Skimmer skimmer(data, size);
    return skimmer.ObjectHeaderIs(objectNumber, generation) && skimmer.PageDictionaryAndEnd();
}

}  // namespace ZAVPDF
