#include "platform/Shell.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <thread>

namespace {

// Puts a recording xdg-open first on the PATH and sets or clears DISPLAY.
class RecordingXdgOpen {
public:
    explicit RecordingXdgOpen(const char* display)
    {
        m_record = m_dir.File("record");
        const std::string script = m_dir.File("xdg-open");
        ZAVTest::WriteText(script, "#!/bin/sh\nprintf '%s|' \"$@\" > " + ZAVTest::ShellQuote(m_record) + ".part\nmv " +
                                       ZAVTest::ShellQuote(m_record) + ".part " + ZAVTest::ShellQuote(m_record) + "\n");
        chmod(script.c_str(), 0755);
        Save("PATH", m_oldPath, m_hadPath);
        Save("DISPLAY", m_oldDisplay, m_hadDisplay);
        setenv("PATH", (m_dir.Path() + ":" + m_oldPath).c_str(), 1);
        if (display)
            setenv("DISPLAY", display, 1);
        else
            unsetenv("DISPLAY");
    }
    ~RecordingXdgOpen()
    {
        Restore("PATH", m_oldPath, m_hadPath);
        Restore("DISPLAY", m_oldDisplay, m_hadDisplay);
    }

    // What xdg-open was called with ("" when it was not), waiting a while for
    // the detached process.
    std::string Arguments(int waitMilliseconds)
    {
        for (int waited = 0; waited <= waitMilliseconds; waited += 20) {
            if (ZAVTest::FileExists(m_record))
                return ZAVTest::ReadText(m_record);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return "";
    }

private:
    static void Save(const char* name, std::string& value, bool& had)
    {
        const char* old = std::getenv(name);
        had = old != nullptr;
        value = old ? old : "";
    }
    static void Restore(const char* name, const std::string& value, bool had)
    {
        if (had)
            setenv(name, value.c_str(), 1);
        else
            unsetenv(name);
    }

    ZAVTest::TempDir m_dir;
    std::string m_record;
    std::string m_oldPath, m_oldDisplay;
    bool m_hadPath = false, m_hadDisplay = false;
};

intptr_t Code(HINSTANCE result)
{
    return reinterpret_cast<intptr_t>(result);
}

}  // namespace

TEST(Shell, OpenRunsXdgOpenDetachedWithTheFile)
{
    RecordingXdgOpen xdg(":0");
    const std::string file = "/some folder/log file.txt";
    EXPECT_GT(Code(ShellExecuteA(nullptr, "Open", file.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED)), 32);
    EXPECT_EQ(xdg.Arguments(10000), file + "|");
}

TEST(Shell, NothingHappensWithoutADisplayOrForOtherVerbs)
{
    RecordingXdgOpen xdg(nullptr);
    EXPECT_EQ(Code(ShellExecuteA(nullptr, "Open", "/tmp/x.txt", nullptr, nullptr, SW_SHOWMAXIMIZED)), SE_ERR_NOASSOC);
    setenv("DISPLAY", ":0", 1);
    EXPECT_EQ(Code(ShellExecuteA(nullptr, "print", "/tmp/x.txt", nullptr, nullptr, SW_SHOWNORMAL)), SE_ERR_NOASSOC);
    EXPECT_EQ(Code(ShellExecuteA(nullptr, "open", "", nullptr, nullptr, SW_SHOWNORMAL)), SE_ERR_NOASSOC);
    EXPECT_EQ(xdg.Arguments(300), "");
}

TEST(Shell, NothingHappensWithoutXdgOpenOnThePath)
{
    ZAVTest::TempDir empty;
    const char* old = std::getenv("PATH");
    std::string saved = old ? old : "";
    const char* display = std::getenv("DISPLAY");
    std::string savedDisplay = display ? display : "";
    setenv("PATH", empty.Path().c_str(), 1);
    setenv("DISPLAY", ":0", 1);
    EXPECT_EQ(Code(ShellExecuteA(nullptr, "open", "/tmp/x.txt", nullptr, nullptr, SW_SHOWNORMAL)), SE_ERR_NOASSOC);
    setenv("PATH", saved.c_str(), 1);
    if (display)
        setenv("DISPLAY", savedDisplay.c_str(), 1);
    else
        unsetenv("DISPLAY");
}
