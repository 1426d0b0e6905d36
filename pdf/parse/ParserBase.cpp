#include "pdf/parse/ParserBase.h"

#include <climits>
#include <string>

using ZAV::String;

namespace {

char FoldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

ParserBase::ParserBase(ZAV::CDataSource* source)
    : m_source(source), m_getChar(&ParserBase::GetCharFirst), m_ungetChar(&ParserBase::UngetCharPlain)
{
}

ParserBase::~ParserBase()
{
}

// --- data source layer -------------------------------------------------------

bool ParserBase::SourceHasMore()
{
    return m_source != nullptr && m_source->HasMoreData();
}

bool ParserBase::SourceSeek(int64_t position)
{
    m_pendingEndReads = 0;
    if (m_source == nullptr || position < 0)
        return false;
    const int64_t length = SourceLength();
    if (position >= length) {
        // Seeking exactly to the end is legal for every kind of source.
        return m_source->Seek(position - length, 2);
    }
    return m_source->Seek(position, 0);
}

int64_t ParserBase::SourceLength()
{
    return m_source ? static_cast<int64_t>(m_source->GetLength()) : 0;
}

// --- characters --------------------------------------------------------------

char ParserBase::EndOfData()
{
    ++m_pendingEndReads;
    return 0;
}

char ParserBase::ReportLineEnd(bool* lineEnd)
{
    if (lineEnd)
        *lineEnd = true;
    m_lineColumns.Set(m_line, m_column);
    ++m_line;
    m_column = 1;
    return 10;
}

char ParserBase::GetCharFirst(bool* lineEnd)
{
    int byte = SourceReadByte();
    if (byte < 0)
        return EndOfData();
    if (byte != '\r' && byte != '\n') {
        ++m_column;
        return static_cast<char>(byte);
    }
    m_lineEndChar = static_cast<char>(byte);
    bool twoCharLineEnd = false;
    int next = SourceReadByte();
    if (next >= 0) {
        if ((byte == '\r' && next == '\n') || (byte == '\n' && next == '\r')) {
            m_secondLineEndChar = static_cast<char>(next);
            twoCharLineEnd = true;
        } else {
            SourceSeek(SourceTell() - 1);
        }
    }
    if (twoCharLineEnd) {
        m_getChar = &ParserBase::GetCharPair;
        m_ungetChar = &ParserBase::UngetCharPair;
    } else {
        m_getChar = &ParserBase::GetCharSingle;
        m_ungetChar = &ParserBase::UngetCharSingle;
    }
    return ReportLineEnd(lineEnd);
}

char ParserBase::GetCharSingle(bool* lineEnd)
{
    int byte = SourceReadByte();
    if (byte < 0)
        return EndOfData();
    if (static_cast<char>(byte) == m_lineEndChar)
        return ReportLineEnd(lineEnd);
    ++m_column;
    return static_cast<char>(byte);
}

char ParserBase::GetCharPair(bool* lineEnd)
{
    int byte = SourceReadByte();
    if (byte < 0)
        return EndOfData();
    if (static_cast<char>(byte) == m_lineEndChar) {
        int next = SourceReadByte();
        if (next >= 0) {
            if (static_cast<char>(next) == m_secondLineEndChar)
                return ReportLineEnd(lineEnd);
            SourceSeek(SourceTell() - 1);
        }
    }
    ++m_column;
    return static_cast<char>(byte);
}

// A read that met the end of the data consumed nothing, so stepping back
// over it must not move; nor can a step back move before the start.
bool ParserBase::StepBackFrom(int64_t* position)
{
    if (m_pendingEndReads > 0) {
        --m_pendingEndReads;
        return false;
    }
    *position = SourceTell();
    return *position >= 1;
}

int ParserBase::UngetCharPlain()
{
    int64_t position = 0;
    if (!StepBackFrom(&position))
        return 0;
    SourceSeek(position - 1);
    --m_column;
    return 1;
}

int ParserBase::UngetCharSingle()
{
    int64_t position = 0;
    if (!StepBackFrom(&position))
        return 0;
    SourceSeek(position - 1);
    int byte = SourceReadByte();
    SourceSeek(position - 1);
    if (byte >= 0 && static_cast<char>(byte) == m_lineEndChar) {
        --m_line;
        m_column = m_lineColumns.Get(m_line);
    } else {
        --m_column;
    }
    return 1;
}

int ParserBase::UngetCharPair()
{
    int64_t position = 0;
    if (!StepBackFrom(&position))
        return 0;
    if (position >= 2) {
        SourceSeek(position - 1);
        int last = SourceReadByte();
        if (last >= 0 && static_cast<char>(last) == m_secondLineEndChar) {
            SourceSeek(position - 2);
            int first = SourceReadByte();
            if (first >= 0 && static_cast<char>(first) == m_lineEndChar) {
                SourceSeek(position - 2);
                --m_line;
                m_column = m_lineColumns.Get(m_line);
                return 2;
            }
        }
    }
    SourceSeek(position - 1);
    --m_column;
    return 1;
}

// --- matching ----------------------------------------------------------------

bool ParserBase::IsAtEnd()
{
    return !SourceHasMore();
}

ParserPosition ParserBase::SavePosition()
{
    ParserPosition mark;
    mark.position = SourceTell();
    mark.line = m_line;
    mark.column = m_column;
    return mark;
}

void ParserBase::RestorePosition(const ParserPosition& mark)
{
    SourceSeek(mark.position);
    m_line = mark.line;
    m_column = mark.column;
}

bool ParserBase::MatchChar(char c)
{
    if (GetChar(nullptr) == c)
        return true;
    UngetChar();
    return false;
}

bool ParserBase::MatchLiteralImpl(const char* text, bool foldCase)
{
    if (text == nullptr)
        return false;
    ParserPosition mark = SavePosition();
    for (const char* p = text; *p; ++p) {
        char c = GetChar(nullptr);
        bool same = foldCase ? FoldCase(c) == FoldCase(*p) : c == *p;
        if (!same) {
            RestorePosition(mark);
            return false;
        }
    }
    return true;
}

bool ParserBase::MatchLiteral(const char* text)
{
    return MatchLiteralImpl(text, false);
}

bool ParserBase::MatchLiteralNoCase(const char* text)
{
    return MatchLiteralImpl(text, true);
}

bool ParserBase::ReadSign(bool* negative)
{
    bool minus = false;
    bool read = false;
    char c = GetChar(nullptr);
    if (c == '-') {
        minus = true;
        read = true;
    } else if (c == '+') {
        read = true;
    } else {
        UngetChar();
    }
    if (negative)
        *negative = minus;
    return read;
}

bool ParserBase::ReadUnsigned(int* value)
{
    if (value)
        *value = 0;
    char c = GetChar(nullptr);
    if (!IsDigit(c))
        return false;
    int64_t total = 0;
    while (IsDigit(c)) {
        total = total * 10 + (c - '0');
        // A value that would wrap is a damaged file, not a number to guess at.
        if (total > INT_MAX)
            return false;
        c = GetChar(nullptr);
    }
    UngetChar();
    if (value)
        *value = static_cast<int>(total);
    return true;
}

bool ParserBase::SkipWhitespace()
{
    char c = GetChar(nullptr);
    if (!IsWhitespace(static_cast<unsigned char>(c))) {
        UngetChar();
        return false;
    }
    do {
        c = GetChar(nullptr);
    } while (IsWhitespace(static_cast<unsigned char>(c)));
    UngetChar();
    return true;
}

bool ParserBase::ReadBytesBetween(int64_t start, int64_t end, ZAV::String& out)
{
    std::string bytes;
    if (end > start)
        bytes.reserve(static_cast<size_t>(end - start));
    SourceSeek(start);
    for (int64_t i = start; i < end; ++i) {
        int byte = SourceReadByte();
        if (byte < 0)
            break;
        bytes.push_back(static_cast<char>(byte));
    }
    SourceSeek(end);
    out = String(bytes);
    return true;
}

bool ParserBase::ReadLine(ZAV::String& out)
{
    out = String();
    int64_t start = SourceTell();
    for (;;) {
        bool lineEnd = false;
        char c = GetChar(&lineEnd);
        if (lineEnd) {
            UngetChar();
            return ReadBytesBetween(start, SourceTell(), out);
        }
        if (c == 0)
            return false;
    }
}

bool ParserBase::ReadUntilLiteral(const char* text, ZAV::String& out)
{
    out = String();
    if (text == nullptr)
        return false;
    if (*text == 0)
        return true;
    int64_t start = SourceTell();
    for (;;) {
        char c = GetChar(nullptr);
        if (c == 0)
            return false;
        if (FoldCase(c) == FoldCase(*text) && MatchLiteralNoCase(text + 1)) {
            return ReadBytesBetween(start, SourceTell(), out);
        }
    }
}
