// The log: a text file that every message is appended to. The file stays open
// between messages (opening it per line cost more than the work it logs) and
// each message is flushed at once, so the file is complete at every moment,
// also after a crash. Copies write to the same file through a handle of their
// own; appending keeps their lines in the order they were written. An empty
// name turns every operation into nothing.
#pragma once

#include "foundation/text/String.h"

#include <cstdio>

namespace ZAV {

class CLogFile {
public:
    CLogFile() {}
    explicit CLogFile(const char* name) : m_name(name) {}
    CLogFile(const CLogFile& other) : m_name(other.m_name) {}
    CLogFile& operator=(const CLogFile& other);
    ~CLogFile() { CloseFile(); }

    void SetFileName(const String& name);
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
    // The held handle, opened for appending on first use.
    FILE* AppendingFile();
    void CloseFile();

    String m_name;
    FILE* m_file = nullptr;
};

}  // namespace ZAV
