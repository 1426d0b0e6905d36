// The EXIF data of JPEG pictures as texts, five a tag: group, tag number,
// name, description and value.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/containers/ArrayString.h"

namespace ZAV {

class IZAVImageEditExifCpp {
public:
    // Empty for a picture without EXIF data; other failures are thrown.
    virtual CArrayString GetExifTexts(const std::string& fileName) = 0;
    // The file's EXIF thumbnail, when it has one, becomes the image.
    virtual void ReadExif(const std::string& fileName, std::vector<std::string>& texts) = 0;
    virtual CArrayString GetExifTextsFromMem(const void* data, int32_t size) = 0;
    virtual void ReadExifFromMem(const void* data, int32_t size, std::vector<std::string>& texts) = 0;

protected:
    ~IZAVImageEditExifCpp() = default;
};

}  // namespace ZAV
