// The Exif facet: the image's EXIF reading.
#pragma once

#include "interfaces/imageedit/facets/exif/ImageEditExifInterface.h"

namespace ZAV {

class CZAVImageEdit;

class CZAVImageEditExif : public IZAVImageEditExifCpp {
public:
    explicit CZAVImageEditExif(CZAVImageEdit* owner) : m_owner(owner) {}

    CArrayString GetExifTexts(const std::string& fileName) override;
    void ReadExif(const std::string& fileName, std::vector<std::string>& texts) override;
    CArrayString GetExifTextsFromMem(const void* data, int32_t size) override;
    void ReadExifFromMem(const void* data, int32_t size, std::vector<std::string>& texts) override;

private:
    CZAVImageEdit* m_owner;
};

}  // namespace ZAV
