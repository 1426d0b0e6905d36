// The log: a text file that every message is appended to, opened and closed
// for each write so that it is complete at every moment. An empty name turns
// every operation into nothing.
#pragma once

#include "foundation/text/String.h"

namespace ZAV {

class CLogFile {
public:
    CLogFile() {}
    explicit CLogFile(const char* name) : m_name(name) {}

    void SetFileName(const String& name) { m_name = name; }
    const String& GetFileName() const { return m_name; }

    // Appends the text as it stands (never read as a format), then "\n" when
    // newline is set. Throws "Cannot open file '%s'!".
    void LogWrite(const char* text, bool newline);
    void LogWriteString(const String& text, bool newline);
    void LogWriteEmptyLine();
    // Empties the file.
    void LogClear();
    // The title block: a line of dashes, each title that is not empty, the
    // dashes again and an empty line; the file emptied first when clear is set.
    void LogStart(const String& title, const String& secondTitle, bool clear);
    // Opens a log that holds something with the desktop's application.
    void LogShow();

private:
    bool IsOff() const { return m_name.GetLength() == 0; }

    String m_name;
};

}  // namespace ZAV
