// Character-level reader under the text parsers (PDF objects and file
// structure, portable-anymap headers): one byte at a time from a data source,
// with line and column bookkeeping that survives stepping back over line ends.
#pragma once

#include <cstdint>

#include "foundation/datasource/DataSource.h"
#include "foundation/text/String.h"

// The columns at which the most recent lines ended, so that stepping back
// over a line end restores the column of the line before. Stepping back goes
// a character or two at a time, so a few lines are enough; a table of every
// line would grow with the file.
class CLineEndColumns {
public:
    void Set(int line, int column)
    {
        Slot& slot = m_slots[static_cast<unsigned>(line) % kLines];
        slot.line = line;
        slot.column = column;
    }
    // The column recorded for line, 0 when none is.
    int Get(int line) const
    {
        const Slot& slot = m_slots[static_cast<unsigned>(line) % kLines];
        return slot.line == line ? slot.column : 0;
    }

private:
    static constexpr unsigned kLines = 64;
    struct Slot {
        int line = 0;
        int column = 0;
    };
    Slot m_slots[kLines];
};

// A spot in the input to come back to after a look-ahead.
struct ParserPosition {
    int64_t position = 0;
    int line = 1;
    int column = 1;
};

class ParserBase {
public:
    explicit ParserBase(ZAV::CDataSource* source);
    virtual ~ParserBase();

    ParserBase(const ParserBase&) = delete;
    ParserBase& operator=(const ParserBase&) = delete;

    // The next character; 0 at the end of the data. A whole line-end sequence
    // comes back as 10 and raises *lineEnd (never lowers it).
    char GetChar(bool* lineEnd = nullptr) { return (this->*m_getChar)(lineEnd); }
    // Steps back over the character last read (both bytes of a pair line end).
    int UngetChar() { return (this->*m_ungetChar)(); }

    bool IsAtEnd();
    bool MatchChar(char c);
    bool MatchLiteral(const char* text);
    bool MatchLiteralNoCase(const char* text);
    bool ReadSign(bool* negative);
    // Fails on a non-digit (which stays consumed) and on a value that does
    // not fit into an int.
    bool ReadUnsigned(int* value);
    bool SkipWhitespace();
    bool ReadLine(ZAV::String& out);
    bool ReadUntilLiteral(const char* text, ZAV::String& out);

    int GetLine() const { return m_line; }
    int GetColumn() const { return m_column; }

    ParserPosition SavePosition();
    void RestorePosition(const ParserPosition& mark);

protected:
    ZAV::CDataSource* GetSource() const { return m_source; }

    // Thin layer over the data source, in the terms the readers need.
    bool SourceHasMore();
    // -1 at the end of the data. Inline with the next two: the parser reads
    // every byte through them.
    int SourceReadByte() { return m_source != nullptr ? m_source->ReadNextByte() : -1; }
    int64_t SourceTell() { return m_source ? static_cast<int64_t>(m_source->GetPosition()) : 0; }
    bool SourceSeek(int64_t position);
    int64_t SourceLength();

    static bool IsWhitespace(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

private:
    typedef char (ParserBase::*GetCharFn)(bool*);
    typedef int (ParserBase::*UngetCharFn)();

    char GetCharFirst(bool* lineEnd);
    char GetCharSingle(bool* lineEnd);
    char GetCharPair(bool* lineEnd);
    bool StepBackFrom(int64_t* position);
    int UngetCharPlain();
    int UngetCharSingle();
    int UngetCharPair();
    char ReportLineEnd(bool* lineEnd);
    char EndOfData();
    bool ReadBytesBetween(int64_t start, int64_t end, ZAV::String& out);
    bool MatchLiteralImpl(const char* text, bool foldCase);

    ZAV::CDataSource* m_source;
    char m_lineEndChar = 0;
    char m_secondLineEndChar = 0;
    CLineEndColumns m_lineColumns;
    int m_line = 1;
    int m_column = 1;
    GetCharFn m_getChar;
    UngetCharFn m_ungetChar;
    // Reads that met the end of the data and have not been stepped back yet.
    int m_pendingEndReads = 0;
};
