// The program's command line, log and exit codes, run end to end.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using ZAVToolTest::LogWith;
using ZAVToolTest::ProgramRunner;
using ZAVToolTest::ReadLines;

// No command is a failure like any other: its text on standard error and
// at the end of the log, exit code 2.
TEST(Entry, NoSwitchIsAFailure)
{
    ProgramRunner runner;
    auto result = runner.Run({});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "error: No command switch specified!\n");

    result = runner.Run({"-o", "log.txt", "-w", "pics"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "error: No command switch specified!\n");
    EXPECT_EQ(ReadLines(runner.File("log.txt")), LogWith({"No command switch specified!"}));
}

TEST(Entry, JpegValuesOutOfRangeFailBeforeAnyCommand)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string message;  // "" when the values pass
    };
    const std::string quality = "Jpeg2000 ratio ranges from 1 to 200. Your quality value %d is out of range!";
    const std::string layers = "Jpeg2000 progression layers ranges from 1 to 10. Your value %d is out of range!";
    auto with = [](std::string text, int value) { return text.replace(text.find("%d"), 2, std::to_string(value)); };
    const Case cases[] = {
        {{"-q", "0"}, with(quality, 0)},   {{"-q", "201"}, with(quality, 201)},
        {{"-q", "-7"}, with(quality, -7)}, {{"-y", "0"}, with(layers, 0)},
        {{"-y", "11"}, with(layers, 11)},  {{"-q", "1", "-y", "1"}, ""},
        {{"-q", "200", "-y", "10"}, ""},   {{"-q", "500", "-y", "50"}, with(quality, 500)},
    };
    for (const Case& c : cases) {
        ProgramRunner runner;
        std::vector<std::string> arguments = c.arguments;
        // A register run would be the first command to reach.
        arguments.insert(arguments.end(), {"-o", "log.txt", "-r"});
        auto result = runner.Run(arguments);
        SCOPED_TRACE(c.arguments[0] + " " + c.arguments[1]);
        if (c.message.empty()) {
            EXPECT_EQ(result.exitCode, 0) << result.err;
            EXPECT_EQ(ReadLines(runner.File("log.txt")).back(), "Succeeded");
        } else {
            EXPECT_EQ(result.exitCode, 2);
            EXPECT_EQ(result.err, "error: " + c.message + "\n");
            EXPECT_EQ(ReadLines(runner.File("log.txt")), LogWith({c.message}));
            EXPECT_FALSE(ZAVTest::FileExists(runner.RegistryPath()));
        }
    }
}

TEST(Entry, ParserRefusalsEndWithCodeOne)
{
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"-k"}, {"-g", "two", "-p"}, {"-o"}, {"--nosuchoption"}}) {
        ProgramRunner runner;
        std::vector<std::string> withLog = arguments;
        withLog.insert(withLog.begin(), {"-o", "log.txt"});
        auto result = runner.Run(withLog);
        EXPECT_EQ(result.exitCode, 1) << arguments[0];
        EXPECT_NE(result.err.find("PARSE ERROR"), std::string::npos) << result.err;
        EXPECT_FALSE(ZAVTest::FileExists(runner.File("log.txt")));
    }
}

TEST(Entry, VersionAndHelpComeFromTheParser)
{
    ProgramRunner runner;
    auto result = runner.Run({"--version"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("1.2"), std::string::npos) << result.out;
    result = runner.Run({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("ZAVPdf PDF Utility"), std::string::npos);
    EXPECT_NE(result.out.find("Runs a general PDF syntaxcheck over the PDF document"), std::string::npos);
}

TEST(Entry, ALogThatCannotBeWrittenIsAFailedCommand)
{
    ProgramRunner runner;
    const std::string log = runner.File("no/such/folder/log.txt");
    auto result = runner.Run({"-r", "-o", log});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "error: Cannot open file '" + log + "'!\n");
    // Nothing ran.
    EXPECT_FALSE(ZAVTest::FileExists(runner.RegistryPath()));
}

// A picture command that fails reports its text on standard error and at
// the end of the log.
TEST(Entry, PictureCommandsReportTheirFailure)
{
    const struct {
        const char* command;
        const char* text;
    } cases[] = {
        {"-x", "File '' not found!"},
        {"-i", "No inputfiles found in ''!"},
        {"-l", "No inputfiles found in ''!"},
    };
    for (const auto& c : cases) {
        ProgramRunner runner;
        auto result = runner.Run({c.command, "-o", "log.txt"});
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_NE(result.err.find(c.text), std::string::npos) << c.command << result.err;
        // The text ends the log; a failed load continues its "Loading PDF" line.
        const std::string last = ReadLines(runner.File("log.txt")).back();
        const std::string text = result.err.substr(7, result.err.size() - 8);
        EXPECT_EQ(last.substr(last.size() - std::min(last.size(), text.size())), text);
    }
}

TEST(Entry, TheLogIsShownOnlyAfterACommandThatSucceeded)
{
    ProgramRunner runner;
    runner.RecordOpenedFiles();
    const std::string document = ZAVToolTest::MakeThreePagePdf(runner.File("three.pdf"));
    // Register does not show its log, and a failed command does not either.
    ASSERT_EQ(runner.Run({"-r", "-o", "register.txt"}).exitCode, 0);
    ASSERT_EQ(runner.Run({"-s", "-f", "missing.pdf", "-o", "failed.txt"}).exitCode, 2);
    ASSERT_EQ(runner.Run({"-s", "-f", document, "-o", "check.txt"}).exitCode, 0);
    EXPECT_EQ(runner.OpenedFiles(10000), "check.txt\n");
}

}  // namespace
