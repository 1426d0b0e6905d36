// The two built plug-ins as the host meets them: what they export, and the
// checks and texts they share before their codecs are reached.
#include "formats/FilterInterface.h"
#include "platform/GlobalMem.h"
#include "platform/Loader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <sstream>
#include <string>

namespace {

struct ShellCase {
    const char* file;
    const char* extensions;
    int options;
    const char* openText;
    const char* writeText;
    const char* dibText;
    int refusedDepth;
    const char* depthText;
    int acceptedDepth;
    std::set<std::string> exports;
    const char* loadText;  // a load of another format's data
    int codecSaveResult;   // a save of the accepted depth that passes the checks: 1 once the codec is in
};

const std::set<std::string> kCommonExports = {
    "GetSupportedFileExtensions", "IsFileFormatFromFile", "IsFileFormatFromMem", "GetFileInfoFromFile",
    "GetFileInfoFromMem",         "LoadPictureFromFile",  "LoadPictureFromMem",  "SavePictureToFile",
    "SavePictureToMem",           "GetOptions",           "GetImageProperties",  "SetNotification"};

std::set<std::string> With(std::set<std::string> names, std::initializer_list<const char*> more)
{
    names.insert(more.begin(), more.end());
    return names;
}

const ShellCase kShells[] = {
    {"ZAVJ2k20.so", "JP2;JPC;J2C;J2K;JPX;JPF;", 36, "Error opening JPEG2000 file!", "Error writing JPEG2000 file",
     "Jpeg2000 Export library can not use DIB Data!", 1, "Jpeg2000 Export library does not support 1bpp image data!",
     24, With(kCommonExports, {"FastThumbLoading", "JPEG2000Settings", "JPEG2000Settings2"}),
     "Internal library error (-11).\n", 1},
    {"ZAVJbg20.so", "JBG2;JB2;", 64, "Error opening JBIG2 file!", "Error writing JBIG2 file",
     "Jbig2 Export library can not use DIB Data!", 8, "Jbig2 Export library requires black&white image data!", 1,
     With(kCommonExports, {"JBIG2Settings"}), "Error (-500)", 1},
};

class PluginShell : public ::testing::TestWithParam<ShellCase> {
protected:
    void SetUp() override
    {
        m_module = LoadLibraryA(ZAVTest::BinPath(GetParam().file).c_str());
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override
    {
        if (m_module)
            FreeLibrary(m_module);
    }

    template <class F>
    F* Export(const char* name)
    {
        FARPROC proc = GetProcAddress(m_module, name);
        EXPECT_NE(proc, nullptr) << name;
        return reinterpret_cast<F*>(proc);
    }

    // Saves one 2 x 2 picture to a file; the palette block may be null.
    int SaveToFile(const std::string& path, int32_t isDib, int32_t depth, HGLOBAL pixels, HGLOBAL palette, char* error)
    {
        const FilterImageInfo info = {2, 2, depth, 96, 96};
        uint32_t written = 77;
        const int result = Export<FilterSavePictureToFile>("SavePictureToFile")(
            path.c_str(), pixels, static_cast<uint32_t>(GlobalSize(pixels)), isDib, palette,
            palette ? static_cast<uint32_t>(GlobalSize(palette)) : 0, &info, &written, error);
        if (result == 0) {
            EXPECT_EQ(written, 0u);
        }
        return result;
    }

    HMODULE m_module = nullptr;
};

std::set<std::string> DefinedDynamicSymbols(const std::string& file)
{
    const ZAVTest::RunResult run = ZAVTest::Run("nm -D --defined-only " + file);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    std::set<std::string> names;
    std::istringstream lines(run.output);
    std::string address, kind, name;
    while (lines >> address >> kind >> name)
        names.insert(name);
    return names;
}

TEST_P(PluginShell, ExportsExactlyItsFilterFunctions)
{
    EXPECT_EQ(DefinedDynamicSymbols(ZAVTest::BinPath(GetParam().file)), GetParam().exports);
}

TEST_P(PluginShell, AnswersItsExtensionsAndOptions)
{
    char text[kFilterTextBufferSize] = {};
    EXPECT_EQ(Export<FilterGetSupportedFileExtensions>("GetSupportedFileExtensions")(text), 1);
    EXPECT_STREQ(text, GetParam().extensions);
    EXPECT_EQ(Export<FilterGetOptions>("GetOptions")(), GetParam().options);
    EXPECT_NE(Export<FilterGetImageProperties>("GetImageProperties")(), nullptr);
}

TEST_P(PluginShell, DeclinesDataOfAnotherFormat)
{
    ZAVTest::TempDir dir;
    const std::string path = dir.File("picture.bmp");
    ZAVTest::WriteText(path, "BM not a picture of this plug-in");
    char error[kFilterTextBufferSize] = {};
    EXPECT_EQ(Export<FilterIsFileFormatFromFile>("IsFileFormatFromFile")(path.c_str(), error), 0);
    EXPECT_STREQ(error, GetParam().openText);
    error[0] = 0;
    EXPECT_EQ(Export<FilterIsFileFormatFromMem>("IsFileFormatFromMem")("BM", 2, error), 0);
    EXPECT_STREQ(error, GetParam().openText);
    error[0] = 0;
    FilterImageInfo info = {};
    EXPECT_EQ(Export<FilterGetFileInfoFromFile>("GetFileInfoFromFile")(dir.File("missing").c_str(), &info, error), 0);
    EXPECT_STREQ(error, GetParam().openText);

    HGLOBAL pixels = nullptr, palette = nullptr;
    uint32_t pixelBytes = 0, paletteBytes = 0;
    int32_t isDib = 5;
    EXPECT_EQ(Export<FilterLoadPictureFromFile>("LoadPictureFromFile")(path.c_str(), &pixels, &pixelBytes, &isDib,
                                                                       &palette, &paletteBytes, &info, error),
              0);
    EXPECT_STREQ(error, GetParam().loadText);
    EXPECT_EQ(isDib, 0);
    EXPECT_EQ(pixels, nullptr);
}

TEST_P(PluginShell, RefusesAnEmptyLoadAndLeavesTheOutputsAlone)
{
    HGLOBAL pixels = reinterpret_cast<HGLOBAL>(0x1), palette = reinterpret_cast<HGLOBAL>(0x2);
    uint32_t pixelBytes = 3, paletteBytes = 4;
    int32_t isDib = 5;
    FilterImageInfo info = {6, 7, 8, 9, 10};
    char error[kFilterTextBufferSize] = "earlier text";
    const unsigned char data[1] = {0};
    EXPECT_EQ(Export<FilterLoadPictureFromMem>("LoadPictureFromMem")(data, 0, &pixels, &pixelBytes, &isDib, &palette,
                                                                     &paletteBytes, &info, error),
              0);
    EXPECT_STREQ(error, "Invalid Parameter!");
    EXPECT_EQ(pixels, reinterpret_cast<HGLOBAL>(0x1));
    EXPECT_EQ(palette, reinterpret_cast<HGLOBAL>(0x2));
    EXPECT_EQ(pixelBytes, 3u);
    EXPECT_EQ(paletteBytes, 4u);
    EXPECT_EQ(isDib, 5);
    EXPECT_EQ(info.width, 6);
    EXPECT_EQ(Export<FilterLoadPictureFromFile>("LoadPictureFromFile")("", &pixels, &pixelBytes, &isDib, &palette,
                                                                       &paletteBytes, &info, error),
              0);
    EXPECT_STREQ(error, "Invalid Parameter!");
}

TEST_P(PluginShell, SaveChecksComeBeforeTheCodec)
{
    ZAVTest::TempDir dir;
    const std::string path = dir.File("out");
    HGLOBAL pixels = GlobalAlloc(GHND, 12);
    HGLOBAL palette = GlobalAlloc(GHND, 8);
    char error[kFilterTextBufferSize] = {};
    const int depth = GetParam().acceptedDepth;

    EXPECT_EQ(SaveToFile(path, 1, depth, pixels, nullptr, error), 0);
    EXPECT_STREQ(error, GetParam().dibText);
    EXPECT_EQ(SaveToFile(path, 0, GetParam().refusedDepth, pixels, nullptr, error), 0);
    EXPECT_STREQ(error, GetParam().depthText);
    EXPECT_EQ(SaveToFile("", 0, depth, pixels, nullptr, error), 0);
    EXPECT_STREQ(error, "Invalid Parameter!");
    EXPECT_EQ(SaveToFile(path, 0, depth, nullptr, nullptr, error), 0);
    EXPECT_STREQ(error, "Invalid Parameter!");

    SetGlobalLockRefused(pixels, true);
    EXPECT_EQ(SaveToFile(path, 0, depth, pixels, palette, error), 0);
    EXPECT_STREQ(error, "Invalid memory block!");
    SetGlobalLockRefused(pixels, false);

    SetGlobalLockRefused(palette, true);
    EXPECT_EQ(SaveToFile(path, 0, depth, pixels, palette, error), 0);
    EXPECT_STREQ(error, "Invalid palette memory block!");
    SetGlobalLockRefused(palette, false);
    // The pixel block was unlocked again: one lock and one unlock leave it free.
    ASSERT_NE(GlobalLock(pixels), nullptr);
    EXPECT_EQ(GlobalUnlock(pixels), FALSE);

    EXPECT_EQ(SaveToFile(path, 0, depth, pixels, palette, error), GetParam().codecSaveResult);
    EXPECT_STREQ(error, GetParam().codecSaveResult ? "" : GetParam().writeText);
    ASSERT_NE(GlobalLock(palette), nullptr);
    EXPECT_EQ(GlobalUnlock(palette), FALSE);
    GlobalFree(palette);
    GlobalFree(pixels);
}

INSTANTIATE_TEST_SUITE_P(BothPlugins, PluginShell, ::testing::ValuesIn(kShells));

}  // namespace
