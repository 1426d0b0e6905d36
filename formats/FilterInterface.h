// The image-format filter interface: the plain functions an image-format
// plug-in exports by name, and the records they pass. The host binds them
// through the function types below; the plug-ins define the functions
// declared at the end, so both sides are checked against one declaration.
//
// Every function returns 1 for success and 0 for failure, with the failure
// text written into the caller's buffer of kFilterTextBufferSize bytes.
// Pixel and palette blocks are global memory (platform/GlobalMem.h): a load
// hands the host blocks the plug-in allocated, a save lends the host's own.
#pragma once

#include "formats/Jpeg2000MetadataRecord.h"
#include "platform/WinTypes.h"

#include <cstdint>

namespace ZAV {
class CNameVariantPairs;
class IProgressNotification;
}  // namespace ZAV

// Size of every text buffer crossing the interface, its zero included.
constexpr int kFilterTextBufferSize = 1024;

// What the plug-in asks of the host, returned by GetOptions.
enum FilterOptionFlags : int32_t {
    kFilterSavesDib = 1,
    kFilterJpegSettings = 2,
    kFilterJpeg2000Settings = 4,
    kFilterExrSettings = 8,
    kFilterMagickFormats = 16,
    kFilterJpeg2000Settings2 = 32,
    kFilterJbig2Settings = 64
};

struct FilterImageInfo {
    int32_t width;
    int32_t height;
    int32_t bitsPerPixel;
    int32_t dpiX;
    int32_t dpiY;
};

// The JPEG 2000 save settings; the nine integers set codec properties of the
// encoder, the metadata record is read during the call only.
struct Jpeg2000EncoderSettings {
    int32_t values[9];
    double CompressionRate;
    double CompressionBitRate;
    int32_t CompressionDestinationFileSize;
    const ZAV::Jpeg2000MetadataRecord* metadata;
};

// The JBIG2 save settings; they cross the interface as eight arguments.
struct Jbig2EncoderSettings {
    int32_t values[8];
};

extern "C" {

typedef int FilterGetSupportedFileExtensions(char* extensions);
typedef int FilterIsFileFormatFromFile(const char* path, char* error);
typedef int FilterIsFileFormatFromMem(const void* data, uint32_t size, char* error);
typedef int FilterGetFileInfoFromFile(const char* path, FilterImageInfo* info, char* error);
typedef int FilterGetFileInfoFromMem(const void* data, uint32_t size, FilterImageInfo* info, char* error);
typedef int FilterLoadPictureFromFile(const char* path, HGLOBAL* pixels, uint32_t* pixelBytes, int32_t* isDib,
                                      HGLOBAL* palette, uint32_t* paletteBytes, FilterImageInfo* info, char* error);
typedef int FilterLoadPictureFromMem(const void* data, uint32_t size, HGLOBAL* pixels, uint32_t* pixelBytes,
                                     int32_t* isDib, HGLOBAL* palette, uint32_t* paletteBytes, FilterImageInfo* info,
                                     char* error);
typedef int FilterSavePictureToFile(const char* path, HGLOBAL pixels, uint32_t pixelBytes, int32_t isDib,
                                    HGLOBAL palette, uint32_t paletteBytes, const FilterImageInfo* info,
                                    uint32_t* bytesWritten, char* error);
typedef int FilterSavePictureToMem(void* target, uint32_t targetSize, HGLOBAL pixels, uint32_t pixelBytes,
                                   int32_t isDib, HGLOBAL palette, uint32_t paletteBytes, const FilterImageInfo* info,
                                   uint32_t* bytesWritten, char* error);
typedef int FilterGetOptions();
typedef int FilterJPEGSettings(int32_t quality, int32_t progressive, int32_t grayscale);
typedef int FilterJPEG2000Settings(Jpeg2000EncoderSettings settings);
typedef int FilterJPEG2000Settings2(int32_t option);
typedef int FilterJBIG2Settings(int32_t value1, int32_t value2, int32_t value3, int32_t value4, int32_t value5,
                                int32_t value6, int32_t value7, int32_t value8);
typedef int FilterEXRSettings(double value1, double value2, int32_t value3);
typedef int FilterMagickSettings(int32_t value1, int32_t value2, int32_t value3, int32_t value4, int32_t value5,
                                 int32_t reserved);
typedef int FilterFastThumbLoading(int32_t enabled, int32_t width, int32_t height);
typedef ZAV::CNameVariantPairs* FilterGetImageProperties();
typedef int FilterSetNotification(ZAV::IProgressNotification* notification);

// What a plug-in defines; only these names leave its shared object.
#define ZAV_FILTER_EXPORT __attribute__((visibility("default")))
ZAV_FILTER_EXPORT FilterGetSupportedFileExtensions GetSupportedFileExtensions;
ZAV_FILTER_EXPORT FilterIsFileFormatFromFile IsFileFormatFromFile;
ZAV_FILTER_EXPORT FilterIsFileFormatFromMem IsFileFormatFromMem;
ZAV_FILTER_EXPORT FilterGetFileInfoFromFile GetFileInfoFromFile;
ZAV_FILTER_EXPORT FilterGetFileInfoFromMem GetFileInfoFromMem;
ZAV_FILTER_EXPORT FilterLoadPictureFromFile LoadPictureFromFile;
ZAV_FILTER_EXPORT FilterLoadPictureFromMem LoadPictureFromMem;
ZAV_FILTER_EXPORT FilterSavePictureToFile SavePictureToFile;
ZAV_FILTER_EXPORT FilterSavePictureToMem SavePictureToMem;
ZAV_FILTER_EXPORT FilterGetOptions GetOptions;
ZAV_FILTER_EXPORT FilterJPEGSettings JPEGSettings;
ZAV_FILTER_EXPORT FilterJPEG2000Settings JPEG2000Settings;
ZAV_FILTER_EXPORT FilterJPEG2000Settings2 JPEG2000Settings2;
ZAV_FILTER_EXPORT FilterJBIG2Settings JBIG2Settings;
ZAV_FILTER_EXPORT FilterEXRSettings EXRSettings;
ZAV_FILTER_EXPORT FilterMagickSettings MagickSettings;
ZAV_FILTER_EXPORT FilterFastThumbLoading FastThumbLoading;
ZAV_FILTER_EXPORT FilterGetImageProperties GetImageProperties;
ZAV_FILTER_EXPORT FilterSetNotification SetNotification;

}  // extern "C"
