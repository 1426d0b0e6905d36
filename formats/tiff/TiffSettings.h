// The image's TIFF settings under the names the TIFF codec gives them.
// The image object keeps them in generic option words; this is the one
// place that says which word holds what.
#pragma once

#include <string>

#include "image/object/ZAVImg.h"

namespace ZAV {

inline int& TiffCompressionSetting(CZAVImg& image)
{
    return image.m_tiffCompression;
}
// The Deflate predictor (2, the horizontal predictor, by default).
inline int& TiffPredictorSetting(CZAVImg& image)
{
    return image.m_tiffOptionA;
}
inline int& TiffT4OptionsSetting(CZAVImg& image)
{
    return image.m_tiffOptionB;
}
inline int& TiffT6OptionsSetting(CZAVImg& image)
{
    return image.m_ccittOptionA;
}
// libtiff's FaxMode pseudo tag (1: no RTC after the data).
inline int& TiffFaxModeSetting(CZAVImg& image)
{
    return image.m_ccittOptionB;
}
inline bool IccConversionEnabled(const CZAVImg& image)
{
    return image.m_iccOption != 0;
}
inline std::string IccDestinationProfile(const CZAVImg& image)
{
    return image.m_spareTexts[0].GetText();
}
inline std::string IccSourceProfile(const CZAVImg& image)
{
    return image.m_spareTexts[1].GetText();
}
inline int& IccConversionSetting(CZAVImg& image)
{
    return image.m_iccOption;
}
inline void StoreIccDestinationProfile(CZAVImg& image, const std::string& path)
{
    image.m_spareTexts[0] = String(path.c_str());
}
inline void StoreIccSourceProfile(CZAVImg& image, const std::string& path)
{
    image.m_spareTexts[1] = String(path.c_str());
}

}  // namespace ZAV
