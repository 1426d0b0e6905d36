#include "platform/Shell.h"

#include "support/ScopedEnv.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <thread>

namespace {

std::string CurrentPath()
{
    const char* path = std::getenv("PATH");
    return path ? path : "";
}

// Puts a recording xdg-open first on the PATH and sets or clears DISPLAY.
class RecordingXdgOpen {
public:
    explicit RecordingXdgOpen(const char* display)
        : m_record(m_dir.File("record")), m_path("PATH", m_dir.Path() + ":" + CurrentPath()),
          m_display("DISPLAY", display)
    {
        const std::string script = m_dir.File("xdg-open");
        ZAVTest::WriteText(script, "#!/bin/sh\nprintf '%s|' \"$@\" > " + ZAVTest::ShellQuote(m_record) + ".part\nmv " +
                                       ZAVTest::ShellQuote(m_record) + ".part " + ZAVTest::ShellQuote(m_record) + "\n");
        chmod(script.c_str(), 0755);
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
    ZAVTest::TempDir m_dir;
    std::string m_record;
    ZAVTest::ScopedEnv m_path;
    ZAVTest::ScopedEnv m_display;
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
    ZAVTest::ScopedEnv path("PATH", empty.Path());
    ZAVTest::ScopedEnv display("DISPLAY", ":0");
    EXPECT_EQ(Code(ShellExecuteA(nullptr, "open", "/tmp/x.txt", nullptr, nullptr, SW_SHOWNORMAL)), SE_ERR_NOASSOC);
}
