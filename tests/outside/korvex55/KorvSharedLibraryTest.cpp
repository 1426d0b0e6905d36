// The shared library as the binding finds it: KORVEX55.so beside the program,
// its entry points by their C names, nothing else visible.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "outside/korvex55/KORVEX55.h"

namespace {

class SharedLibrary {
public:
    SharedLibrary() : m_handle(dlopen(ZAV_BIN_DIR "/KORVEX55.so", RTLD_NOW | RTLD_LOCAL)) {}
    ~SharedLibrary()
    {
        if (m_handle)
            dlclose(m_handle);
    }
    void* Get() const { return m_handle; }

private:
    void* m_handle;
};

TEST(KorvSharedLibrary, ExportsEntryPointsByTheirCNamesOnly)
{
    SharedLibrary library;
    ASSERT_NE(library.Get(), nullptr) << dlerror();
    for (const char* name :
         {"KORV_CreateCZAVAdvancedImgProc", "KORV_FreeCZAVAdvancedImgProc", "KORV_GetError", "KORV_AttachNoFreeEx",
          "KORV_Add", "KORV_ThresholdLTValGTVal", "KORV_Scale", "KORV_YCCtoRGB", "KORV_ScaleToGray"})
        EXPECT_NE(dlsym(library.Get(), name), nullptr) << name;
    EXPECT_EQ(dlsym(library.Get(), "_ZN8KORVEX554FailENS_6StatusENSt7__cxx1112basic_stringIcSt11char_"
                                   "traitsIcESaIcEEE"),
              nullptr);

    auto create = reinterpret_cast<decltype(&KORV_CreateCZAVAdvancedImgProc)>(
        dlsym(library.Get(), "KORV_CreateCZAVAdvancedImgProc"));
    auto release =
        reinterpret_cast<decltype(&KORV_FreeCZAVAdvancedImgProc)>(dlsym(library.Get(), "KORV_FreeCZAVAdvancedImgProc"));
    ASSERT_TRUE(create && release);
    const KORV_Handle handle = create();
    EXPECT_NE(handle, 0u);
    EXPECT_EQ(release(handle), 0);
}

}  // namespace
