// The exports of the JPEG 2000 plug-in ZAVJ2k20 of its own: its options and
// the settings it keeps between calls. The file, load and save exports are
// shared (plugins/shared/FilterExports.cpp).
#include "formats/FilterInterface.h"
#include "plugins/jpeg2000/Jpeg2000Settings.h"
#include "plugins/shared/PluginCodec.h"

using namespace ZAV;

namespace {

bool AcceptsJpeg2000Depth(int32_t bitsPerPixel)
{
    return bitsPerPixel != 1;
}

const FilterShellTexts kTexts = {"Error opening JPEG2000 file!", "Error writing JPEG2000 file",
                                 "Jpeg2000 Export library can not use DIB Data!",
                                 "Jpeg2000 Export library does not support 1bpp image data!", AcceptsJpeg2000Depth};

}  // namespace

namespace ZAV {

const FilterShellTexts& GetPluginTexts()
{
    return kTexts;
}

const char* GetPluginExtensions()
{
    return "JP2;JPC;J2C;J2K;JPX;JPF;";
}

}  // namespace ZAV

extern "C" {

int GetOptions()
{
    return kFilterJpeg2000Settings | kFilterJpeg2000Settings2;
}

int FastThumbLoading(int32_t enabled, int32_t width, int32_t height)
{
    Jpeg2000PluginSettings& settings = GetJpeg2000PluginSettings();
    settings.fastThumbEnabled = enabled;
    settings.fastThumbWidth = width;
    settings.fastThumbHeight = height;
    return 1;
}

int JPEG2000Settings(Jpeg2000EncoderSettings settings)
{
    return RunFilterSetting([&] { KeepJpeg2000EncoderSettings(settings); });
}

int JPEG2000Settings2(int32_t option)
{
    GetJpeg2000PluginSettings().reduceTo8Bits = option;
    return 1;
}

}  // extern "C"
