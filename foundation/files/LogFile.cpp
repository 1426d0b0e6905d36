#include "foundation/files/LogFile.h"

#include "foundation/files/FileHandle.h"
#include "foundation/files/FileUtils.h"
#include "foundation/text/TextException.h"
#include "platform/Shell.h"

#include <cstring>

namespace ZAV {

namespace {

const char* const kDashLine = "---------------------------------------------------";

}  // namespace

CLogFile& CLogFile::operator=(const CLogFile& other)
{
    if (this != &other) {
        CloseFile();
        m_name = other.m_name;
    }
    return *this;
}

void CLogFile::SetFileName(const String& name)
{
    CloseFile();
    m_name = name;
}

FILE* CLogFile::AppendingFile()
{
    if (!m_file) {
        m_file = std::fopen(m_name.GetText(), "a");
        if (!m_file) {
            String message;
            message.Format("Cannot open file '%s'!", m_name.GetText());
            ThrowTextException(message.GetText());
        }
    }
    return m_file;
}

void CLogFile::CloseFile()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
}

void CLogFile::LogWrite(const char* text, bool newline)
{
    if (IsOff())
        return;
    FILE* file = AppendingFile();
    const size_t length = text ? std::strlen(text) : 0;
    bool written = std::fwrite(text ? text : "", 1, length, file) == length;
    if (newline)
        written = std::fputc('\n', file) != EOF && written;
    // A log that silently loses its lines (a full disk) would hide the very
    // failure it is meant to report.
    if (std::fflush(file) != 0 || !written) {
        CloseFile();
        String message;
        message.Format("Cannot write file '%s'!", m_name.GetText());
        ThrowTextException(message.GetText());
    }
}

void CLogFile::LogWriteString(const String& text, bool newline)
{
    LogWrite(text.GetText(), newline);
}

void CLogFile::LogWriteEmptyLine()
{
    LogWrite("", true);
}

void CLogFile::LogClear()
{
    if (IsOff())
        return;
    CloseFile();
    CFileHandle file;
    file.Open(m_name.GetText(), "w");
    file.Close();
}

void CLogFile::LogStart(const String& title, const String& secondTitle, bool clear)
{
    if (clear)
        LogClear();
    LogWrite(kDashLine, true);
    if (title.GetLength() > 0)
        LogWrite(title.GetText(), true);
    if (secondTitle.GetLength() > 0)
        LogWrite(secondTitle.GetText(), true);
    LogWrite(kDashLine, true);
    LogWrite("", true);
}

void CLogFile::LogShow()
{
    if (IsOff() || GetFileSizeByName(m_name.GetText()) < 1)
        return;
    ShellExecuteA(nullptr, "Open", m_name.GetText(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

}  // namespace ZAV
