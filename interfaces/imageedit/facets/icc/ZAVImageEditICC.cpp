#include "interfaces/imageedit/facets/icc/ZAVImageEditICC.h"

#include "formats/tiff/TiffSettings.h"
#include "interfaces/imageedit/ZAVImageEdit.h"

namespace ZAV {

int32_t CZAVImageEditICC::GetIccConversion()
{
    return IccConversionSetting(m_owner->GetImage());
}

void CZAVImageEditICC::SetIccConversion(int32_t value)
{
    IccConversionSetting(m_owner->GetImage()) = value;
}

std::string CZAVImageEditICC::GetIccDestinationProfile()
{
    return IccDestinationProfile(m_owner->GetImage());
}

void CZAVImageEditICC::SetIccDestinationProfile(const std::string& path)
{
    StoreIccDestinationProfile(m_owner->GetImage(), path);
}

std::string CZAVImageEditICC::GetIccSourceProfile()
{
    return IccSourceProfile(m_owner->GetImage());
}

void CZAVImageEditICC::SetIccSourceProfile(const std::string& path)
{
    StoreIccSourceProfile(m_owner->GetImage(), path);
}

}  // namespace ZAV
