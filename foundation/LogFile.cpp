#include "foundation/LogFile.h"

#include "foundation/FileHandle.h"
#include "foundation/FileUtils.h"
#include "platform/Shell.h"

#include <cstring>

namespace ZAV {

namespace {

const char* const kDashLine = "---------------------------------------------------";

}  // namespace

void CLogFile::LogWrite(const char* text, bool newline)
{
    if (IsOff())
        return;
    CFileHandle file;
    file.Open(m_name.GetText(), "a+");
    if (text && *text)
        std::fwrite(text, 1, std::strlen(text), file.GetFile());
    if (newline)
        std::fputc('\n', file.GetFile());
    file.Close();
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
