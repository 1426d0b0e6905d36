// The steps both image-format plug-ins share around their codecs: argument
// checks, the catch-all that turns every failure into a 0 result with a
// text, the data source over the file or memory, and locking the host's
// blocks on save. Each plug-in supplies its texts and its codec calls.
#pragma once

#include "formats/FilterInterface.h"
#include "foundation/datasource/DataSource.h"

#include <functional>

namespace ZAV {

// The texts and the accepted depths that tell the two plug-ins apart.
struct FilterShellTexts {
    const char* openFailed;   // any failure to read the facts or the pixels
    const char* writeFailed;  // a save failure that left no text of its own
    const char* dibRefused;
    const char* depthRefused;
    bool (*acceptsDepth)(int32_t bitsPerPixel);
};

// Blocks a decoder made; freed unless handed over to the host.
struct FilterLoadedPicture {
    HGLOBAL pixels = nullptr;
    uint32_t pixelBytes = 0;
    HGLOBAL palette = nullptr;
    uint32_t paletteBytes = 0;
    FilterImageInfo info = {};

    FilterLoadedPicture() = default;
    FilterLoadedPicture(const FilterLoadedPicture&) = delete;
    FilterLoadedPicture& operator=(const FilterLoadedPicture&) = delete;
    ~FilterLoadedPicture();
};

// Where a load reports its result; every pointer is the host's.
struct FilterLoadOutputs {
    HGLOBAL* pixels;
    uint32_t* pixelBytes;
    int32_t* isDib;
    HGLOBAL* palette;
    uint32_t* paletteBytes;
    FilterImageInfo* info;
};

// The host's blocks of a save as they arrive.
struct FilterSaveInputs {
    HGLOBAL pixels;
    uint32_t pixelBytes;
    int32_t isDib;
    HGLOBAL palette;
    uint32_t paletteBytes;
    const FilterImageInfo* info;
};

// The locked bytes an encoder reads; palette null when none was given.
struct FilterSavePixels {
    const uint8_t* pixels;
    uint32_t pixelBytes;
    const uint8_t* palette;
    uint32_t paletteBytes;
    FilterImageInfo info;
};

// Where a call reads from or writes to.
struct FilterTarget {
    const char* path;  // a file when not null
    const void* data;  // else a memory block
    uint32_t size;
};

using FilterInfoReader = std::function<void(CDataSource& source, FilterImageInfo* info)>;
using FilterDecoder = std::function<void(CDataSource& source, FilterLoadedPicture& picture)>;
using FilterEncoder = std::function<void(CDataSource& target, const FilterSavePixels& pixels)>;

// Writes the text into a buffer of kFilterTextBufferSize bytes, cut to fit.
void CopyFilterText(char* buffer, const char* text);

// The notification every later data source reports to; null for none.
void SetFilterNotification(IProgressNotification* notification);
IProgressNotification* GetFilterNotification();

// The plug-in's one image-information list, filled by its readers.
CNameVariantPairs& GetFilterImageProperties();

// File facts: any failure gives the open text and 0.
int RunFilterInfo(const FilterTarget& from, FilterImageInfo* info, char* error, const FilterShellTexts& texts,
                  const FilterInfoReader& reader);

// A load: checks the arguments, decodes and hands the blocks to the host.
int RunFilterLoad(const FilterTarget& from, const FilterLoadOutputs& outputs, char* error,
                  const FilterShellTexts& texts, const FilterDecoder& decoder);

// A save: checks the arguments, locks the host's blocks, encodes into the
// file or memory and reports the bytes written.
int RunFilterSave(const FilterTarget& to, const FilterSaveInputs& inputs, uint32_t* bytesWritten, char* error,
                  const FilterShellTexts& texts, const FilterEncoder& encoder);

// Runs a settings call; any failure answers 0.
int RunFilterSetting(const std::function<void()>& apply);

}  // namespace ZAV
