// Colour conversion of pixel rows from a source ICC profile to an RGB
// destination profile through Little CMS 2.
#pragma once

#include <cstdint>
#include <lcms2.h>
#include <string>
#include <vector>

namespace ZAV {

struct IccConversionRequest {
    // 0: the source profile's own intent; n: ICC intent n - 1.
    int intent = 0;
    std::string sourceProfile;
    std::string destinationProfile;
};

class CIccConversion {
public:
    // Opens the profiles: the source from the embedded bytes when there are
    // any, else from the request's path. Throws "Invalid ICC Profile:..."
    // when either cannot be opened.
    CIccConversion(const IccConversionRequest& request, const std::vector<uint8_t>& embedded);
    ~CIccConversion();
    CIccConversion(const CIccConversion&) = delete;
    CIccConversion& operator=(const CIccConversion&) = delete;

    cmsColorSpaceSignature GetSourceSpace() const;
    cmsColorSpaceSignature GetDestinationSpace() const;
    // Builds the transform for rows of 8-bit samples of the source space;
    // Lab data (and XYZ profiles, fed from Lab data) go through doubles.
    void Begin();
    // Width pixels of the row into 8-bit RGB.
    void Apply(const uint8_t* in, uint8_t* rgb, uint32_t width);

private:
    [[noreturn]] void ThrowInvalid() const;
    void Release();
    void ApplyLab(const uint8_t* in, uint8_t* rgb, uint32_t width);

    IccConversionRequest m_request;
    std::string m_sourceName;
    cmsHPROFILE m_source = nullptr;
    cmsHPROFILE m_destination = nullptr;
    cmsHTRANSFORM m_transform = nullptr;
    bool m_throughLab = false;
    std::vector<double> m_labRow;
    std::vector<double> m_rgbRow;
};

}  // namespace ZAV
