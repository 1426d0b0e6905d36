// The value and description texts of a known tag, made as its table row
// says from the current directory entry.
#pragma once

#include <string>

#include "formats/exif/ExifBlock.h"
#include "formats/exif/ExifDirectoryEntry.h"
#include "formats/exif/tags/ExifTagTable.h"

namespace ZAV {

// What the texts read besides the entry: the last planar configuration met.
struct ExifTagContext {
    const CExifBlock& block;
    const ExifDirectoryEntry& entry;
    int planarWord;
};

// Throws when a value the row reads passes the block's end.
std::string MakeExifValueText(const ExifTagRow& row, const ExifTagContext& context);
std::string MakeExifDescription(const ExifTagRow& row, const ExifTagContext& context, const std::string& value);

// The choice's text for the number; the other text when none is listed.
std::string ChooseExifText(const ExifTextChoices& choices, int key);

}  // namespace ZAV
