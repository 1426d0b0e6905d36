// The exports of the JBIG2 plug-in ZAVJbg20 of its own: its options and the
// settings it keeps between calls. The file, load and save exports are
// shared (plugins/shared/FilterExports.cpp).
#include "formats/FilterInterface.h"
#include "plugins/jbig2/Jbig2Settings.h"
#include "plugins/shared/PluginCodec.h"

using namespace ZAV;

namespace {

bool AcceptsJbig2Depth(int32_t bitsPerPixel)
{
    return bitsPerPixel == 1;
}

const FilterShellTexts kTexts = {"Error opening JBIG2 file!", "Error writing JBIG2 file",
                                 "Jbig2 Export library can not use DIB Data!",
                                 "Jbig2 Export library requires black&white image data!", AcceptsJbig2Depth};

}  // namespace

namespace ZAV {

const FilterShellTexts& GetPluginTexts()
{
    return kTexts;
}

const char* GetPluginExtensions()
{
    return "JBG2;JB2;";
}

}  // namespace ZAV

extern "C" {

int GetOptions()
{
    return kFilterJbig2Settings;
}

int JBIG2Settings(int32_t value1, int32_t value2, int32_t value3, int32_t value4, int32_t value5, int32_t value6,
                  int32_t value7, int32_t value8)
{
    GetJbig2PluginSettings() = Jbig2EncoderSettings{{value1, value2, value3, value4, value5, value6, value7, value8}};
    return 1;
}

}  // extern "C"
