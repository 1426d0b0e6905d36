// Running the EXIF reader in the tests and looking its entries up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ExifTestBlocks.h"

namespace ZAV {
class CExifRead;
}

namespace ZAVTest {

struct ExifTexts {
    int group = 0;
    int tag = 0;
    std::string name;
    std::string description;
    std::string value;
};

struct ExifReadResult {
    bool ok = false;
    std::string lastError;
    std::vector<ExifTexts> entries;
    // Thumbnail image facts (0 when none) and its rows.
    int thumbnailWidth = 0;
    int thumbnailHeight = 0;
    std::vector<uint8_t> thumbnailPixels;
};

// Reads through the reader's entries as GetEntries hands them out.
ExifReadResult CollectExif(ZAV::CExifRead& reader, bool ok);
ExifReadResult ReadExifMemory(const Bytes& data, int thumbnailFlag = 1);
ExifReadResult ReadExifFile(const std::string& path, int thumbnailFlag = 1);

// The first entry of the group and tag, null when there is none.
const ExifTexts* FindExif(const ExifReadResult& result, int group, int tag);

// A small JPEG made by cjpeg from a gradient picture (JFIF APP0 first).
Bytes CjpegPicture(int width, int height);

}  // namespace ZAVTest
