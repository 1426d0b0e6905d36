// What each image-format plug-in supplies to the exports both share
// (plugins/shared/FilterExports.cpp): its texts, its extension list and its
// codec calls. The codec calls throw on failure: a CTextException carries its
// text to the host, anything else becomes the plug-in's open or write text.
#pragma once

#include "formats/filter/FilterSteps.h"

namespace ZAV {

const FilterShellTexts& GetPluginTexts();

// The extensions the plug-in reads and writes, ";"-separated.
const char* GetPluginExtensions();

// Reads the file's facts into info (when not null) and the plug-in's
// image-information list.
void ReadPluginInfo(CDataSource& source, FilterImageInfo* info);

// Decodes the picture into new global blocks.
void DecodePluginPicture(CDataSource& source, FilterLoadedPicture& picture);

// Encodes the rows with the settings last given.
void EncodePluginPicture(CDataSource& target, const FilterSavePixels& pixels);

}  // namespace ZAV
