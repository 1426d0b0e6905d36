#include "interfaces/imageedit/facets/exif/ZAVImageEditExif.h"

#include "foundation/text/TextException.h"
#include "interfaces/imageedit/ZAVImageEdit.h"

namespace ZAV {

namespace {

// The EXIF reader's text for data that holds no EXIF block.
constexpr char kNoExifData[] = "No Exif data found!";

// The texts of a read, or none when the picture has no EXIF data.
template <class Read>
CArrayString TextsOrNone(Read read)
{
    std::vector<std::string> texts;
    try {
        read(texts);
    } catch (const CTextException& error) {
        if (std::string(error.GetText()).find(kNoExifData) == std::string::npos)
            throw;
        texts.clear();
    }
    return CArrayString(texts);
}

}  // namespace

CArrayString CZAVImageEditExif::GetExifTexts(const std::string& fileName)
{
    return TextsOrNone([&](std::vector<std::string>& texts) { ReadExif(fileName, texts); });
}

void CZAVImageEditExif::ReadExif(const std::string& fileName, std::vector<std::string>& texts)
{
    m_owner->GetImage().ReadExif(fileName.c_str(), texts);
}

CArrayString CZAVImageEditExif::GetExifTextsFromMem(const void* data, int32_t size)
{
    return TextsOrNone([&](std::vector<std::string>& texts) { ReadExifFromMem(data, size, texts); });
}

void CZAVImageEditExif::ReadExifFromMem(const void* data, int32_t size, std::vector<std::string>& texts)
{
    m_owner->GetImage().ReadExifFromMem(data, size, texts);
}

}  // namespace ZAV
