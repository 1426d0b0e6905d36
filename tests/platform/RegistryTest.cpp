#include "platform/registry/Registry.h"

#include "platform/LastError.h"
#include "support/ScopedEnv.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using ZAVTest::ScopedEnv;

class RegistryTest : public ::testing::Test {
protected:
    RegistryTest() : m_store(m_dir.File("store/registry")), m_env("ZAVPDF_REGISTRY", m_store.c_str()) {}

    static std::vector<BYTE> Text(const std::string& text)
    {
        std::vector<BYTE> bytes(text.begin(), text.end());
        bytes.push_back(0);
        return bytes;
    }

    HKEY Create(const char* path, DWORD* disposition = nullptr)
    {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                  &key, disposition),
                  0);
        return key;
    }

    LONG Open(const char* path, HKEY* key) { return RegOpenKeyExA(HKEY_CLASSES_ROOT, path, 0, KEY_ALL_ACCESS, key); }

    std::vector<BYTE> Read(HKEY key, const char* name, DWORD* type = nullptr)
    {
        DWORD size = 0;
        EXPECT_EQ(RegQueryValueExA(key, name, nullptr, type, nullptr, &size), 0);
        std::vector<BYTE> data(size);
        EXPECT_EQ(RegQueryValueExA(key, name, nullptr, type, data.data(), &size), 0);
        return data;
    }

    ZAVTest::TempDir m_dir;
    std::string m_store;
    ScopedEnv m_env;
};

TEST_F(RegistryTest, FreshStoreHoldsTheDesktopClassesAndWritesNothing)
{
    for (const char* name : {"*", "Folder", ".pdf", ".PDF", "folder"}) {
        HKEY key = nullptr;
        ASSERT_EQ(Open(name, &key), 0) << name;
        RegCloseKey(key);
    }
    HKEY pdf = nullptr;
    ASSERT_EQ(Open(".pdf", &pdf), 0);
    DWORD type = 0;
    EXPECT_EQ(Read(pdf, nullptr, &type), std::vector<BYTE>{0});
    EXPECT_EQ(type, REG_SZ);
    RegCloseKey(pdf);

    HKEY missing = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(Open(".tif", &missing), static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(ZAVTest::FileExists(m_store));
}

TEST_F(RegistryTest, ValuesComeBackByteForByteFromTheFile)
{
    DWORD disposition = 0;
    HKEY command = Create("Folder\\shell\\My Verb\\Command", &disposition);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);

    // Quotes, backslashes, percent signs, a line end and a byte above 127.
    const std::vector<BYTE> text = Text("\"/opt/x y/ZAVPdf\" -i -f \"%1\"  -w \\n\n\xE4 end");
    ASSERT_EQ(RegSetValueExA(command, nullptr, 0, REG_SZ, text.data(), static_cast<DWORD>(text.size())), 0);
    const std::vector<BYTE> binary = {0, 1, 2, 0xFF, 0};
    ASSERT_EQ(RegSetValueExA(command, "Raw \"one\"", 0, 3, binary.data(), static_cast<DWORD>(binary.size())), 0);
    RegCloseKey(command);

    // Every call reads the file again, so this reads what was written.
    HKEY again = nullptr;
    ASSERT_EQ(Open("FOLDER\\Shell\\my verb\\command", &again), 0);
    DWORD type = 0;
    EXPECT_EQ(Read(again, "", &type), text);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(Read(again, "raw \"ONE\"", &type), binary);
    EXPECT_EQ(type, 3u);

    DWORD small = 4;
    BYTE buffer[4];
    EXPECT_EQ(RegQueryValueExA(again, nullptr, nullptr, nullptr, buffer, &small), static_cast<LONG>(ERROR_MORE_DATA));
    EXPECT_EQ(small, text.size());
    RegCloseKey(again);

    RegCloseKey(Create("Folder\\shell\\My Verb", &disposition));
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);

    // The file is text a person can read, and nothing temporary is left.
    const std::string file = ZAVTest::ReadText(m_store);
    EXPECT_NE(file.find("[HKEY_CLASSES_ROOT\\Folder\\shell\\My Verb\\Command]\n@=sz:\"\\\"/opt/x y/ZAVPdf\\\""),
              std::string::npos)
        << file;
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.File("store"))) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST_F(RegistryTest, DeletionsFollowTheKeyRules)
{
    HKEY verb = Create("*\\shell\\Verb\\Command");
    const std::vector<BYTE> text = Text("cmd");
    ASSERT_EQ(RegSetValueExA(verb, nullptr, 0, REG_SZ, text.data(), 4), 0);

    EXPECT_EQ(RegDeleteValueA(verb, nullptr), 0);
    EXPECT_EQ(RegDeleteValueA(verb, nullptr), static_cast<LONG>(ERROR_FILE_NOT_FOUND));

    HKEY shell = nullptr;
    ASSERT_EQ(Open("*\\shell", &shell), 0);
    // A key with subkeys stays.
    EXPECT_EQ(RegDeleteKeyA(shell, "Verb"), static_cast<LONG>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(shell, "Verb\\Command"), 0);
    EXPECT_EQ(RegDeleteKeyA(shell, "verb"), 0);
    EXPECT_EQ(RegDeleteKeyA(shell, "Verb"), static_cast<LONG>(ERROR_FILE_NOT_FOUND));

    // The handle of a deleted key no longer reaches anything.
    EXPECT_EQ(RegSetValueExA(verb, nullptr, 0, REG_SZ, text.data(), 4), static_cast<LONG>(ERROR_KEY_DELETED));
    HKEY gone = nullptr;
    EXPECT_EQ(Open("*\\shell\\Verb", &gone), static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    RegCloseKey(verb);
    RegCloseKey(shell);
}

TEST_F(RegistryTest, RefusesBadNamesAndBrokenStores)
{
    HKEY key = nullptr;
    const std::string tooLong(256, 'k');
    for (const char* bad : {"a\\\\b", "\\a", "a\\", "new\nline", tooLong.c_str()}) {
        EXPECT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, bad, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  static_cast<LONG>(ERROR_INVALID_PARAMETER));
    }

    // A store file that is not one is reported and left as it is.
    mkdir(m_dir.File("store").c_str(), 0700);
    for (const char* broken : {"[HKEY_CLASSES_ROOT\\a]\n@=sz:\"unterminated\n", "@=sz:\"value before any key\"\n",
                               "[HKEY_CLASSES_ROOT\\a\\b]\n",  // a key without its parent
                               "[HKEY_LOCAL_MACHINE\\a]\n", "[HKEY_CLASSES_ROOT\\a]\n@=hex(3):0g\n"}) {
        ZAVTest::WriteText(m_store, broken);
        EXPECT_EQ(Open("a", &key), static_cast<LONG>(ERROR_BADDB)) << broken;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "b", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  static_cast<LONG>(ERROR_BADDB));
        EXPECT_EQ(ZAVTest::ReadText(m_store), broken);
    }
}

TEST(RegistryUnwritable, AStoreThatCannotBeWrittenFailsTheChange)
{
    // Not even root may create files under /proc.
    ScopedEnv store("ZAVPDF_REGISTRY", "/proc/zavpdf-test/registry");
    HKEY key = nullptr;
    const LONG code =
        RegCreateKeyExA(HKEY_CLASSES_ROOT, "Folder\\shell", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    EXPECT_NE(code, 0);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(code));
    // Reading still works on the classes a fresh store has.
    ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "Folder", 0, KEY_READ, &key), 0);
    RegCloseKey(key);
}

TEST(RegistryStorePath, FollowsTheEnvironment)
{
    ScopedEnv home("HOME", "/home/someone");
    {
        ScopedEnv store("ZAVPDF_REGISTRY", nullptr);
        ScopedEnv config("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(GetRegistryStorePath(), "/home/someone/.config/ZAVPdf/registry");
    }
    {
        ScopedEnv store("ZAVPDF_REGISTRY", nullptr);
        ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(GetRegistryStorePath(), "/cfg/ZAVPdf/registry");
    }
    {
        ScopedEnv store("ZAVPDF_REGISTRY", "/tmp/r");
        ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(GetRegistryStorePath(), "/tmp/r");
    }
}

}  // namespace
