// An image-format plug-in for the binding tests, built in variants by
// compile definitions: FAKE_OPTIONS (the GetOptions word), FAKE_ODD_EXTENSIONS,
// FAKE_NO_GETOPTIONS, FAKE_OMIT_SAVE_TO_MEM, FAKE_OMIT_JPEG2000,
// FAKE_NO_EXTENSIONS, FAKE_RECORD_ALL_SETTINGS (the settings calls record
// every value they receive). Every call is appended as a line to the file named by
// $ZAV_FAKE_PLUGIN_LOG. A memory load's first byte picks what it hands back.
#include "formats/FilterInterface.h"
#include "foundation/containers/NameVariantPairs.h"
#include "platform/GlobalMem.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifndef FAKE_OPTIONS
#define FAKE_OPTIONS (kFilterJpeg2000Settings | kFilterJbig2Settings)
#endif
#ifdef FAKE_ODD_EXTENSIONS
#define FAKE_EXTENSIONS ";X;"
#else
#define FAKE_EXTENSIONS "jbg2;jb2"
#endif

namespace {

void Record(const std::string& line)
{
    const char* log = std::getenv("ZAV_FAKE_PLUGIN_LOG");
    if (!log)
        return;
    if (FILE* file = std::fopen(log, "a")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

HGLOBAL FilledBlock(UINT flags, size_t bytes, unsigned char fill)
{
    HGLOBAL block = GlobalAlloc(flags, bytes);
    std::memset(GlobalLock(block), fill, bytes);
    GlobalUnlock(block);
    return block;
}

struct Picture {
    int32_t width, height, depth, dpi;
    size_t blockBytes;
    uint32_t claimedBytes;
    UINT flags;
    uint32_t paletteEntries;
    int32_t isDib;
};

// 'G' 8-bit 4 x 2, 'Z' the same at 0 dpi, 'M' in a moveable block, 'P'
// 1-bit 9 x 2 with a 3-entry palette, 'S' a block smaller than its size,
// '7' depth 7, 'D' the DIB flag on bytes that are no DIB, 'B' a packed
// 8-bit DIB (see PackedDib), 'N' no pixels, 'E' a failure.
bool PictureFor(char kind, Picture& p)
{
    switch (kind) {
    case 'G':
        p = {4, 2, 8, 72, 8, 8, GPTR, 256, 0};
        return true;
    case 'Z':
        p = {4, 2, 8, 0, 8, 8, GPTR, 256, 0};
        return true;
    case 'M':
        p = {4, 2, 8, 72, 8, 8, GHND, 256, 0};
        return true;
    case 'P':
        p = {9, 2, 1, 72, 4, 4, GPTR, 3, 0};
        return true;
    case 'S':
        p = {4, 4, 8, 72, 8, 16, GPTR, 256, 0};
        return true;
    case '7':
        p = {4, 2, 7, 72, 8, 8, GPTR, 0, 0};
        return true;
    case 'D':
        p = {4, 2, 8, 72, 8, 8, GPTR, 0, 1};
        return true;
    default:
        return false;
    }
}

// A bottom-up 4 x 2 8-bit DIB at 3780 pixels per metre with two colours:
// stored row 0 (the image's last row) is 1 1 1 1, stored row 1 is 0 1 0 1.
HGLOBAL PackedDib(uint32_t* bytes)
{
    const uint8_t dib[] = {40, 0, 0,  0,  4,  0,    0,    0,  2,  0,    0,    0, 1, 0, 8, 0, 0, 0, 0,
                           0,  8, 0,  0,  0,  0xC4, 0x0E, 0,  0,  0xC4, 0x0E, 0, 0, 2, 0, 0, 0, 0, 0,
                           0,  0, 10, 20, 30, 0,    40,   50, 60, 0,    1,    1, 1, 1, 0, 1, 0, 1};
    HGLOBAL block = GlobalAlloc(GPTR, sizeof dib);
    std::memcpy(block, dib, sizeof dib);
    *bytes = sizeof dib;
    return block;
}

int Load(char kind, HGLOBAL* pixels, uint32_t* pixelBytes, int32_t* isDib, HGLOBAL* palette, uint32_t* paletteBytes,
         FilterImageInfo* info, char* error)
{
    if (kind == 'N')
        return 1;
    if (kind == 'B') {
        *pixels = PackedDib(pixelBytes);
        *isDib = 1;
        *info = FilterImageInfo{4, 2, 8, 0, 0};
        return 1;
    }
    Picture p;
    if (!PictureFor(kind, p)) {
        std::strcpy(error, "fake load failed");
        return 0;
    }
    *pixels = FilledBlock(p.flags, p.blockBytes, 0x5A);
    *pixelBytes = p.claimedBytes;
    *isDib = p.isDib;
    if (p.paletteEntries) {
        *palette = FilledBlock(GPTR, p.paletteEntries * 4, 0x11);
        *paletteBytes = p.paletteEntries * 4;
    }
    *info = FilterImageInfo{p.width, p.height, p.depth, p.dpi, p.dpi};
    return 1;
}

bool EndsWith(const char* text, const char* end)
{
    const size_t n = std::strlen(text), m = std::strlen(end);
    return n >= m && std::strcmp(text + n - m, end) == 0;
}

int Save(const char* where, uint32_t pixelBytes, int32_t isDib, uint32_t paletteBytes, const FilterImageInfo* info,
         uint32_t* bytesWritten)
{
    Record(std::string(where) + " bpp=" + std::to_string(info->bitsPerPixel) + " dib=" + std::to_string(isDib) +
           " palette=" + std::to_string(paletteBytes));
    *bytesWritten = pixelBytes;
    return 1;
}

ZAV::CNameVariantPairs g_properties;

}  // namespace

extern "C" {

int GetSupportedFileExtensions(char* extensions)
{
    Record("GetSupportedFileExtensions");
#ifdef FAKE_NO_EXTENSIONS
    std::strcpy(extensions, "no formats here");
    return 0;
#else
    std::strcpy(extensions, FAKE_EXTENSIONS);
    return 1;
#endif
}

// A ".full" file or "FULL" data fills the whole error buffer with no end.
int IsFileFormatFromFile(const char* path, char* error)
{
    Record("IsFileFormatFromFile");
    if (EndsWith(path, ".fake"))
        return 1;
    if (EndsWith(path, ".full"))
        std::memset(error, 'F', kFilterTextBufferSize);
    else
        std::strcpy(error, "not fake");
    return 0;
}

int IsFileFormatFromMem(const void* data, uint32_t size, char* error)
{
    Record("IsFileFormatFromMem");
    if (size >= 4 && std::memcmp(data, "FAKE", 4) == 0)
        return 1;
    if (size >= 4 && std::memcmp(data, "FULL", 4) == 0)
        std::memset(error, 'F', kFilterTextBufferSize);
    else
        std::strcpy(error, "not fake");
    return 0;
}

int GetFileInfoFromFile(const char*, FilterImageInfo*, char*)
{
    Record("GetFileInfoFromFile");
    return 1;
}

int GetFileInfoFromMem(const void*, uint32_t, FilterImageInfo*, char*)
{
    Record("GetFileInfoFromMem");
    return 1;
}

int LoadPictureFromFile(const char*, HGLOBAL* pixels, uint32_t* pixelBytes, int32_t* isDib, HGLOBAL* palette,
                        uint32_t* paletteBytes, FilterImageInfo* info, char* error)
{
    Record("LoadPictureFromFile");
    return Load('G', pixels, pixelBytes, isDib, palette, paletteBytes, info, error);
}

int LoadPictureFromMem(const void* data, uint32_t size, HGLOBAL* pixels, uint32_t* pixelBytes, int32_t* isDib,
                       HGLOBAL* palette, uint32_t* paletteBytes, FilterImageInfo* info, char* error)
{
    Record("LoadPictureFromMem");
    const char kind = size ? static_cast<const char*>(data)[0] : 'E';
    return Load(kind, pixels, pixelBytes, isDib, palette, paletteBytes, info, error);
}

int SavePictureToFile(const char*, HGLOBAL, uint32_t pixelBytes, int32_t isDib, HGLOBAL, uint32_t paletteBytes,
                      const FilterImageInfo* info, uint32_t* bytesWritten, char*)
{
    return Save("SavePictureToFile", pixelBytes, isDib, paletteBytes, info, bytesWritten);
}

#ifndef FAKE_OMIT_SAVE_TO_MEM
int SavePictureToMem(void*, uint32_t, HGLOBAL, uint32_t pixelBytes, int32_t isDib, HGLOBAL, uint32_t paletteBytes,
                     const FilterImageInfo* info, uint32_t* bytesWritten, char*)
{
    return Save("SavePictureToMem", pixelBytes, isDib, paletteBytes, info, bytesWritten);
}
#endif

#ifndef FAKE_NO_GETOPTIONS
int GetOptions()
{
    Record("GetOptions");
    return FAKE_OPTIONS;
}
#endif

#ifndef FAKE_OMIT_JPEG2000
int JPEG2000Settings(Jpeg2000EncoderSettings settings)
{
#ifdef FAKE_RECORD_ALL_SETTINGS
    std::string line = "JPEG2000Settings";
    for (int32_t value : settings.values)
        line += " " + std::to_string(value);
    char reals[64];
    std::snprintf(reals, sizeof reals, " %g %g ", settings.CompressionRate, settings.CompressionBitRate);
    Record(line + reals + std::to_string(settings.CompressionDestinationFileSize));
#else
    Record("JPEG2000Settings " + std::to_string(settings.values[2]));
#endif
    return 1;
}
#endif

#ifdef FAKE_RECORD_ALL_SETTINGS
int JBIG2Settings(int32_t value1, int32_t value2, int32_t value3, int32_t value4, int32_t value5, int32_t value6,
                  int32_t value7, int32_t value8)
{
    std::string line = "JBIG2Settings";
    for (int32_t value : {value1, value2, value3, value4, value5, value6, value7, value8})
        line += " " + std::to_string(value);
    Record(line);
    return 1;
}
#else
int JBIG2Settings(int32_t value1, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t value8)
{
    Record("JBIG2Settings " + std::to_string(value1) + " " + std::to_string(value8));
    return 1;
}
#endif

int FastThumbLoading(int32_t enabled, int32_t width, int32_t height)
{
    Record("FastThumbLoading " + std::to_string(enabled) + " " + std::to_string(width) + " " + std::to_string(height));
    return 1;
}

ZAV::CNameVariantPairs* GetImageProperties()
{
    Record("GetImageProperties");
    return &g_properties;
}

int SetNotification(ZAV::IProgressNotification*)
{
    Record("SetNotification");
    return 1;
}

}  // extern "C"
