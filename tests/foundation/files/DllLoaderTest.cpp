#include "foundation/files/DllLoader.h"

#include "foundation/text/TextException.h"

#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>

using namespace ZAV;
using ZAVTest::ThrownText;

namespace {

typedef int (*AnswerFunction)();

const std::string kLibrary = ZAV_TEST_LIBRARY;

// Looks into the binder's table.
class InspectableLoader : public CDllLoader {
public:
    using CDllLoader::CDllLoader;
    const CEntryPoint* Entry(const std::string& name)
    {
        uint32_t bucket = 0;
        CDllLoaderHash::Node* node = m_functions.FindNode(name, bucket);
        return node ? &node->value : nullptr;
    }
    void SetCachedAddress(const std::string& name, FARPROC address) { m_functions[name].address = address; }
    int32_t TableBuckets() const { return int32_t(m_functions.GetBucketCount()); }
};

bool LibraryIsResident(const std::string& path)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr)
        return false;
    dlclose(handle);
    return true;
}

}  // namespace

TEST(DllLoader, ResolvesAFunctionOnceAndServesItFromTheTable)
{
    InspectableLoader loader(kLibrary.c_str(), true);
    EXPECT_EQ(loader.TableBuckets(), 200);
    EXPECT_FALSE(loader.IsLoaded());
    loader.Load();
    ASSERT_TRUE(loader.IsLoaded());

    auto answer = reinterpret_cast<AnswerFunction>(loader.GetFunction("ZAVProbeAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    const CEntryPoint* entry = loader.Entry("ZAVProbeAnswer");
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(entry->name.GetText(), "ZAVProbeAnswer");
    EXPECT_EQ(entry->address, reinterpret_cast<FARPROC>(answer));

    // A later request is answered from the table without asking the library:
    // a planted address comes back as it is.
    FARPROC other = loader.ResolveFunction("ZAVProbeBlockSize");
    loader.SetCachedAddress("ZAVProbeAnswer", other);
    EXPECT_EQ(loader.GetFunction("ZAVProbeAnswer"), other);
}

TEST(DllLoader, FailuresThrowTheirTextsAndLeaveTheBinderUsable)
{
    const std::string missing = "/nonexistent/folder/libnothing.so";
    CDllLoader absent(missing.c_str(), true);
    EXPECT_EQ(ThrownText([&] { absent.Load(); }), "Can't load dll '" + missing + "'");
    EXPECT_FALSE(absent.IsLoaded());

    InspectableLoader loader(kLibrary.c_str(), true);
    // Before Load: the name is entered, the resolution fails, nothing is cached.
    EXPECT_EQ(ThrownText([&] { loader.GetFunction("ZAVProbeAnswer"); }),
              "Dll '" + kLibrary + "' not yet loaded!");
    ASSERT_NE(loader.Entry("ZAVProbeAnswer"), nullptr);
    EXPECT_EQ(loader.Entry("ZAVProbeAnswer")->address, nullptr);

    loader.Load();
    EXPECT_EQ(ThrownText([&] { loader.GetFunction("NoSuchFunction"); }),
              "Function 'NoSuchFunction' not found in dll '" + kLibrary + "'!");
    ASSERT_NE(loader.Entry("NoSuchFunction"), nullptr);
    EXPECT_EQ(loader.Entry("NoSuchFunction")->address, nullptr);

    // The name that failed before Load resolves now.
    EXPECT_EQ(reinterpret_cast<AnswerFunction>(loader.GetFunction("ZAVProbeAnswer"))(), 42);
}

TEST(DllLoader, WithoutAddOnDemandOnlyAddedNamesAreServed)
{
    InspectableLoader loader(kLibrary.c_str(), false);
    loader.Load();
    EXPECT_EQ(ThrownText([&] { loader.GetFunction("ZAVProbeAnswer"); }),
              "The function 'ZAVProbeAnswer' is not defined for dll '" + kLibrary + "'!");
    EXPECT_EQ(loader.Entry("ZAVProbeAnswer"), nullptr);

    loader.AddFunction("ZAVProbeAnswer");
    ASSERT_NE(loader.Entry("ZAVProbeAnswer"), nullptr);
    EXPECT_EQ(loader.Entry("ZAVProbeAnswer")->address, nullptr);
    EXPECT_EQ(reinterpret_cast<AnswerFunction>(loader.GetFunction("ZAVProbeAnswer"))(), 42);
}

TEST(DllLoader, TheLibraryStaysLoadedUntilTheBinderGoes)
{
    ASSERT_FALSE(LibraryIsResident(kLibrary));
    {
        CDllLoader loader(kLibrary.c_str(), true);
        loader.Load();
        loader.Load();  // a second Load does nothing: one reference only
        EXPECT_TRUE(LibraryIsResident(kLibrary));
    }
    EXPECT_FALSE(LibraryIsResident(kLibrary));

    // The design's ".dll" names find the ".so" file.
    std::string dllName = kLibrary.substr(0, kLibrary.size() - 3) + ".dll";
    CDllLoader byDllName(dllName.c_str(), true);
    byDllName.Load();
    EXPECT_EQ(reinterpret_cast<AnswerFunction>(byDllName.GetFunction("ZAVProbeAnswer"))(), 42);
}

TEST(DllLoader, UseCountStartsAtZero)
{
    CDllLoader loader(kLibrary.c_str(), true);
    EXPECT_EQ(loader.GetRefCount(), 0);
    EXPECT_EQ(loader.AddRef(), 1);
    EXPECT_EQ(loader.Release(), 0);
}
