#include "platform/GlobalMem.h"
#include "platform/LastError.h"
#include "platform/Loader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const std::string kProbe = ZAV_LOADER_PROBE;  // .../ZAVLoaderProbe.so

std::string ProbeAsDll()
{
    return kProbe.substr(0, kProbe.size() - 3) + ".DLL";
}

template <typename F>
F Symbol(HMODULE module, const char* name)
{
    return reinterpret_cast<F>(GetProcAddress(module, name));
}

}  // namespace

TEST(Loader, MapsDllNamesToSharedObjects)
{
    const struct {
        const char* name;
        const char* mapped;
    } cases[] = {
        {"ZAVJ2k20.dll", "ZAVJ2k20.so"},
        {"/opt/x/kvd_jb2.DLL", "/opt/x/kvd_jb2.so"},
        {"libz.so.1", "libz.so.1"},
        {"a.dll.bak", "a.dll.bak"},
        {".dll", ".so"},
        {"dll", "dll"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MapLibraryFileName(c.name), c.mapped) << c.name;
}

TEST(Loader, LoadsByDllNameAndFindsExports)
{
    for (const std::string& name : {ProbeAsDll(), std::string("ZAVLoaderProbe.dll")}) {
        SCOPED_TRACE(name);
        HMODULE module = LoadLibraryA(name.c_str());
        ASSERT_NE(module, nullptr);
        auto answer = Symbol<int (*)()>(module, "ZAVProbeAnswer");
        ASSERT_NE(answer, nullptr);
        EXPECT_EQ(answer(), 42);

        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(GetProcAddress(module, "NoSuchExport"), nullptr);
        EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);

        char path[2048];
        const DWORD length = GetModuleFileNameA(module, path, sizeof(path));
        EXPECT_GT(length, 0u);
        EXPECT_NE(std::strstr(path, "ZAVLoaderProbe.so"), nullptr) << path;
        EXPECT_EQ(FreeLibrary(module), TRUE);
    }
}

TEST(Loader, ReportsMissingModules)
{
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(LoadLibraryA("/nonexistent/ZAVNoSuchPlugin.dll"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
    EXPECT_EQ(FreeLibrary(nullptr), FALSE);

    char path[8];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));  // the program, cut to fit
    EXPECT_EQ(length, 7u);
    EXPECT_EQ(std::strlen(path), 7u);
}

TEST(Loader, GlobalBlocksCrossBetweenProgramAndLibrary)
{
    HMODULE module = LoadLibraryA(ProbeAsDll().c_str());
    ASSERT_NE(module, nullptr);
    auto makeBlock = Symbol<HGLOBAL (*)(size_t, unsigned char)>(module, "ZAVProbeMakeBlock");
    auto blockSize = Symbol<size_t (*)(HGLOBAL)>(module, "ZAVProbeBlockSize");
    auto freeBlock = Symbol<int (*)(HGLOBAL)>(module, "ZAVProbeFreeBlock");
    ASSERT_TRUE(makeBlock && blockSize && freeBlock);

    HGLOBAL fromLibrary = makeBlock(300, 0x7E);
    ASSERT_NE(fromLibrary, nullptr);
    EXPECT_EQ(GlobalSize(fromLibrary), 300u);
    const unsigned char* bytes = static_cast<const unsigned char*>(GlobalLock(fromLibrary));
    EXPECT_EQ(bytes[0], 0x7E);
    EXPECT_EQ(bytes[299], 0x7E);
    GlobalUnlock(fromLibrary);
    HGLOBAL grown = GlobalReAlloc(fromLibrary, 5000, GHND);
    ASSERT_NE(grown, nullptr);
    EXPECT_EQ(GlobalFree(grown), nullptr);

    HGLOBAL fromProgram = GlobalAlloc(GPTR, 123);
    EXPECT_EQ(blockSize(fromProgram), 123u);
    EXPECT_EQ(freeBlock(fromProgram), 1);
    EXPECT_EQ(FreeLibrary(module), TRUE);
}
