// The ICC colour conversion settings of the image's TIFF loads.
#pragma once

#include <cstdint>
#include <string>

namespace ZAV {

class IZAVImageEditICCCpp {
public:
    // Not 0: a TIFF load converts the picture to RGB when a destination
    // profile is set, through the file's own profile or else the source one.
    virtual int32_t GetIccConversion() = 0;
    virtual void SetIccConversion(int32_t value) = 0;
    virtual std::string GetIccDestinationProfile() = 0;
    virtual void SetIccDestinationProfile(const std::string& path) = 0;
    // Used for files that carry no profile of their own.
    virtual std::string GetIccSourceProfile() = 0;
    virtual void SetIccSourceProfile(const std::string& path) = 0;

protected:
    ~IZAVImageEditICCCpp() = default;
};

}  // namespace ZAV
