// The exports every image-format plug-in has, the same in each: the file
// facts, loads and saves around the plug-in's codec, its image-information
// list and its progress notification.
#include "formats/FilterInterface.h"
#include "plugins/shared/PluginCodec.h"

using namespace ZAV;

namespace {

FilterTarget FileTarget(const char* path)
{
    return FilterTarget{path ? path : "", nullptr, 0};
}

FilterTarget MemoryTarget(const void* data, uint32_t size)
{
    return FilterTarget{nullptr, data, size};
}

}  // namespace

extern "C" {

int GetSupportedFileExtensions(char* extensions)
{
    return RunFilterSetting([&] { CopyFilterText(extensions, GetPluginExtensions()); });
}

CNameVariantPairs* GetImageProperties()
{
    return &GetFilterImageProperties();
}

int SetNotification(IProgressNotification* notification)
{
    SetFilterNotification(notification);
    return 1;
}

int GetFileInfoFromFile(const char* path, FilterImageInfo* info, char* error)
{
    return RunFilterInfo(FileTarget(path), info, error, GetPluginTexts(), ReadPluginInfo);
}

int GetFileInfoFromMem(const void* data, uint32_t size, FilterImageInfo* info, char* error)
{
    return RunFilterInfo(MemoryTarget(data, size), info, error, GetPluginTexts(), ReadPluginInfo);
}

int IsFileFormatFromFile(const char* path, char* error)
{
    return GetFileInfoFromFile(path, nullptr, error);
}

int IsFileFormatFromMem(const void* data, uint32_t size, char* error)
{
    return GetFileInfoFromMem(data, size, nullptr, error);
}

int LoadPictureFromFile(const char* path, HGLOBAL* pixels, uint32_t* pixelBytes, int32_t* isDib, HGLOBAL* palette,
                        uint32_t* paletteBytes, FilterImageInfo* info, char* error)
{
    const FilterLoadOutputs outputs = {pixels, pixelBytes, isDib, palette, paletteBytes, info};
    return RunFilterLoad(FileTarget(path), outputs, error, GetPluginTexts(), DecodePluginPicture);
}

int LoadPictureFromMem(const void* data, uint32_t size, HGLOBAL* pixels, uint32_t* pixelBytes, int32_t* isDib,
                       HGLOBAL* palette, uint32_t* paletteBytes, FilterImageInfo* info, char* error)
{
    const FilterLoadOutputs outputs = {pixels, pixelBytes, isDib, palette, paletteBytes, info};
    return RunFilterLoad(MemoryTarget(data, size), outputs, error, GetPluginTexts(), DecodePluginPicture);
}

int SavePictureToFile(const char* path, HGLOBAL pixels, uint32_t pixelBytes, int32_t isDib, HGLOBAL palette,
                      uint32_t paletteBytes, const FilterImageInfo* info, uint32_t* bytesWritten, char* error)
{
    const FilterSaveInputs inputs = {pixels, pixelBytes, isDib, palette, paletteBytes, info};
    return RunFilterSave(FileTarget(path), inputs, bytesWritten, error, GetPluginTexts(), EncodePluginPicture);
}

int SavePictureToMem(void* target, uint32_t targetSize, HGLOBAL pixels, uint32_t pixelBytes, int32_t isDib,
                     HGLOBAL palette, uint32_t paletteBytes, const FilterImageInfo* info, uint32_t* bytesWritten,
                     char* error)
{
    const FilterSaveInputs inputs = {pixels, pixelBytes, isDib, palette, paletteBytes, info};
    return RunFilterSave(MemoryTarget(target, targetSize), inputs, bytesWritten, error, GetPluginTexts(),
                         EncodePluginPicture);
}

}  // extern "C"
