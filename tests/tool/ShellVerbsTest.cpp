// The context-menu verbs: the program's register and unregister runs against
// a store in a temporary folder, and the class look-up on prepared stores.
#include "ProgramRunner.h"
#include "platform/registry/Registry.h"
#include "tool/ShellVerbs.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <stdlib.h>
#include <string>
#include <vector>

namespace {

using ZAVToolTest::LogHead;
using ZAVToolTest::ProgramRunner;
using ZAVToolTest::ReadLines;

struct VerbPlace {
    const char* classKey;
    const char* verb;
    const char* switchLetter;
};

const VerbPlace kVerbs[] = {
    {".pdf", "ZAVPdf ExtractPictures", "x"},
    {".pdf", "ZAVPdf Syntaxcheck", "s"},
    {"*", "ZAVPdf Create PDF from picture", "i"},
    {"Folder", "ZAVPdf Create PDF from pictures", "i"},
    {"Folder", "ZAVPdf Create Layer PDF from pictures", "l"},
};

// Points this process's registry calls at a store file for the test's life.
class StoreFor {
public:
    explicit StoreFor(const std::string& path) { setenv("ZAVPDF_REGISTRY", path.c_str(), 1); }
    ~StoreFor() { unsetenv("ZAVPDF_REGISTRY"); }
};

// The bytes of a key's unnamed value; empty when the key or value is missing.
std::string ReadCommand(const std::string& keyPath)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, KEY_READ, &key) != 0)
        return "";
    DWORD type = 0;
    DWORD size = 0;
    std::string bytes;
    if (RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size) == 0 && type == REG_SZ) {
        bytes.resize(size);
        RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]), &size);
    }
    RegCloseKey(key);
    return bytes;
}

bool KeyExists(const std::string& keyPath)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, KEY_READ, &key) != 0)
        return false;
    RegCloseKey(key);
    return true;
}

void SetText(const std::string& keyPath, const std::string& text)
{
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), 0);
    ASSERT_EQ(RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() + 1)),
              0);
    RegCloseKey(key);
}

std::string VerbKey(const std::string& classKey, const char* verb)
{
    return classKey + "\\shell\\" + verb;
}

// The command line a verb must hold, with its terminating zero.
std::string ExpectedCommand(const char* switchLetter)
{
    char real[PATH_MAX];
    EXPECT_TRUE(realpath(ZAVTest::BinPath("ZAVPdf").c_str(), real));
    const std::string program = real;
    const std::string folder = program.substr(0, program.rfind('/') + 1);
    return "\"" + program + "\" -" + switchLetter + " -o \"" + folder +
           "Log.txt\" -f \"%1\"  -w \"%1\" -z \"%1\" -g -1" + std::string(1, '\0');
}

TEST(ShellVerbs, RegisterTwiceThenUnregisterTwice)
{
    ProgramRunner runner;
    StoreFor store(runner.RegistryPath());
    const std::vector<std::string> registered = {"", "Creating Shell Registry entries", "", "Succeeded"};

    for (int run = 0; run < 2; ++run) {
        auto result = runner.Run({"-r", "-o", "log.txt"});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        std::vector<std::string> expected = LogHead();
        expected.insert(expected.end(), registered.begin(), registered.end());
        EXPECT_EQ(ReadLines(runner.File("log.txt")), expected);
        for (const VerbPlace& verb : kVerbs)
            EXPECT_EQ(ReadCommand(VerbKey(verb.classKey, verb.verb) + "\\Command"), ExpectedCommand(verb.switchLetter))
                << verb.verb;
    }

    auto result = runner.Run({"-u", "-o", "log.txt"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::vector<std::string> expected = LogHead();
    expected.insert(expected.end(), {"", "Delete Shell Registry entries", "", "Succeeded"});
    EXPECT_EQ(ReadLines(runner.File("log.txt")), expected);
    for (const VerbPlace& verb : kVerbs)
        EXPECT_FALSE(KeyExists(VerbKey(verb.classKey, verb.verb))) << verb.verb;
    // The classes and their shell keys stay.
    EXPECT_TRUE(KeyExists(".pdf\\shell"));

    result = runner.Run({"-u", "-o", "log.txt"});
    EXPECT_EQ(result.exitCode, 2);
    const std::string failure = "Registry access error! The file could not be found.";
    EXPECT_EQ(result.err, "error: " + failure + "\n");
    expected.back() = failure;
    EXPECT_EQ(ReadLines(runner.File("log.txt")), expected);
}

TEST(ShellVerbs, PdfVerbsFollowTheClassAndItsCurrentVersion)
{
    struct Case {
        const char* pdfClass;  // the unnamed value of .pdf
        const char* curver;    // the unnamed value of the class's CURVER key, null for none
        const char* expected;  // where the PDF verbs land
    };
    const Case cases[] = {
        {"", nullptr, ".pdf"},
        {"ZAVTest.Document", nullptr, "ZAVTest.Document"},
        {"ZAVTest.Document", "ZAVTest.Document.7", "ZAVTest.Document.7"},
        {"ZAVTest.Document", "", "ZAVTest.Document"},
    };
    for (const Case& c : cases) {
        ZAVTest::TempDir dir;
        StoreFor store(dir.File("registry"));
        SetText(".pdf", c.pdfClass);
        if (*c.pdfClass)
            SetText(c.pdfClass, "PDF document");
        if (c.curver) {
            SetText(std::string(c.pdfClass) + "\\CURVER", c.curver);
            if (*c.curver)
                SetText(c.curver, "PDF document, version 7");
        }
        ZAV::CLogFile log;
        ZAV::RegisterShellVerbs(log, true);
        EXPECT_EQ(ReadCommand(VerbKey(c.expected, "ZAVPdf Syntaxcheck") + "\\Command").substr(0, 1), "\"")
            << c.expected;
        if (std::string(c.expected) != ".pdf") {
            EXPECT_FALSE(KeyExists(".pdf\\shell"));
        }
        ZAV::RegisterShellVerbs(log, false);
        EXPECT_FALSE(KeyExists(VerbKey(c.expected, "ZAVPdf Syntaxcheck")));
    }
}

TEST(ShellVerbs, AVerbThatCannotBeRemovedWholeIsAFailure)
{
    ProgramRunner runner;
    StoreFor store(runner.RegistryPath());
    ASSERT_EQ(runner.Run({"-r"}).exitCode, 0);
    // Something else keeps a key below one verb.
    SetText(VerbKey("*", "ZAVPdf Create PDF from picture") + "\\DropTarget", "x");

    auto result = runner.Run({"-u", "-o", "log.txt"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "error: Registry access error! Access is denied.\n");
    EXPECT_EQ(ReadLines(runner.File("log.txt")).back(), "Registry access error! Access is denied.");
    // The verbs before it are gone, that one and the ones after it stay.
    EXPECT_FALSE(KeyExists(VerbKey(".pdf", "ZAVPdf Syntaxcheck")));
    EXPECT_TRUE(KeyExists(VerbKey("*", "ZAVPdf Create PDF from picture")));
    EXPECT_TRUE(KeyExists(VerbKey("Folder", "ZAVPdf Create PDF from pictures") + "\\Command"));
}

TEST(ShellVerbs, AMissingClassStopsBeforeItsVerbs)
{
    ProgramRunner runner;
    StoreFor store(runner.RegistryPath());
    SetText(".pdf", "");
    HKEY root = HKEY_CLASSES_ROOT;
    ASSERT_EQ(RegDeleteKeyA(root, "Folder"), 0);

    auto result = runner.Run({"-r", "-o", "log.txt"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(ReadLines(runner.File("log.txt")).back(), "Registry access error! The file could not be found.");
    EXPECT_TRUE(KeyExists(VerbKey("*", "ZAVPdf Create PDF from picture") + "\\Command"));
    EXPECT_FALSE(KeyExists("Folder"));
}

}  // namespace
