#include "foundation/files/LogFile.h"

#include "foundation/text/TextException.h"
#include "support/ScopedEnv.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <string>
#include <sys/stat.h>
#include <thread>

using ZAV::CLogFile;
using ZAV::String;

namespace {

const std::string kDashes(51, '-');

}  // namespace

TEST(LogFile, HeadAndAppendedLinesByteExact)
{
    ZAVTest::TempDir dir;
    const std::string name = dir.File("log.txt");
    ZAVTest::WriteText(name, "old contents\n");
    CLogFile log(name.c_str());
    log.LogStart(String("ZAVPdf"), String(""), true);
    EXPECT_EQ(ZAVTest::ReadText(name), kDashes + "\nZAVPdf\n" + kDashes + "\n\n");

    log.LogWrite("\tLoading 'a.jpg' ...", false);
    log.LogWrite("ok.", true);
    log.LogWriteString(String("100% done, %s %d %n"), true);
    log.LogWriteEmptyLine();
    CLogFile copy = log;  // copies write to the same file
    copy.LogWrite("last", true);
    EXPECT_EQ(ZAVTest::ReadText(name), kDashes + "\nZAVPdf\n" + kDashes + "\n\n" +
                                           "\tLoading 'a.jpg' ...ok.\n100% done, %s %d %n\n\nlast\n");

    // Without clearing, the head is appended; titles that are empty are left out.
    log.LogStart(String("One"), String("Two"), false);
    log.LogClear();
    log.LogStart(String(""), String(""), false);
    EXPECT_EQ(ZAVTest::ReadText(name), kDashes + "\n" + kDashes + "\n\n");
}

TEST(LogFile, EmptyNameWritesAndCreatesNothing)
{
    ZAVTest::TempDir dir;
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(dir.Path().c_str()), 0);
    CLogFile log;
    log.LogStart(String("T"), String("U"), true);
    log.LogWrite("text", true);
    log.LogClear();
    log.LogShow();
    log.SetFileName(String(""));
    log.LogWriteEmptyLine();
    EXPECT_STREQ(log.GetFileName().GetText(), "");
    ASSERT_EQ(chdir(cwd), 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(LogFile, UnopenableLogThrows)
{
    ZAVTest::TempDir dir;
    const std::string name = dir.File("missing") + "/log.txt";
    CLogFile log(name.c_str());
    for (int clear = 0; clear < 2; ++clear) {
        try {
            log.LogStart(String("T"), String(""), clear != 0);
            FAIL() << "no exception";
        } catch (const CTextException& e) {
            EXPECT_EQ(std::string(e.GetText()), "Cannot open file '" + name + "'!");
        }
    }
}

TEST(LogFile, ShowOpensALogThatHoldsSomething)
{
    ZAVTest::TempDir dir;
    const std::string record = dir.File("record");
    const std::string script = dir.File("xdg-open");
    ZAVTest::WriteText(script, "#!/bin/sh\necho \"$1\" > " + ZAVTest::ShellQuote(record) + ".part\nmv " +
                                   ZAVTest::ShellQuote(record) + ".part " + ZAVTest::ShellQuote(record) + "\n");
    chmod(script.c_str(), 0755);
    const char* currentPath = std::getenv("PATH");
    const std::string name = dir.File("log.txt");
    {
        ZAVTest::ScopedEnv path("PATH", dir.Path() + ":" + (currentPath ? currentPath : ""));
        ZAVTest::ScopedEnv display("DISPLAY", ":0");

        CLogFile log(name.c_str());
        log.LogClear();
        log.LogShow();  // empty: nothing to show
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_FALSE(ZAVTest::FileExists(record));

        log.LogWrite("x", true);
        log.LogShow();
        for (int waited = 0; waited < 10000 && !ZAVTest::FileExists(record); waited += 20)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(ZAVTest::FileExists(record));
    EXPECT_EQ(ZAVTest::ReadText(record), name + "\n");
}

TEST(LogFile, LinesThatCannotReachTheDiskAreAFailure)
{
    // /dev/full opens for appending but refuses every byte, as a full disk does.
    CLogFile log("/dev/full");
    try {
        log.LogWrite("lost", true);
        FAIL() << "no exception";
    } catch (const CTextException& e) {
        EXPECT_EQ(std::string(e.GetText()), "Cannot write file '/dev/full'!");
    }
}
