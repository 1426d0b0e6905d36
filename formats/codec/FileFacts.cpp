#include "formats/codec/FileFacts.h"

#include "image/object/ZAVImg.h"

namespace ZAV {

CFileFacts::CFileFacts(CZAVImg& image) : m_list(image.GetImageInfo())
{
}

void CFileFacts::SetInt(const char* key, int value)
{
    if (m_list)
        m_list->SetInt(key, value);
}

void CFileFacts::SetText(const char* key, const std::string& value)
{
    if (m_list)
        m_list->SetString(key, value);
}

}  // namespace ZAV
