// The ICC facet: the ICC settings stored in the owner's image.
#pragma once

#include "interfaces/imageedit/facets/icc/ImageEditICCInterface.h"

namespace ZAV {

class CZAVImageEdit;

class CZAVImageEditICC : public IZAVImageEditICCCpp {
public:
    explicit CZAVImageEditICC(CZAVImageEdit* owner) : m_owner(owner) {}

    int32_t GetIccConversion() override;
    void SetIccConversion(int32_t value) override;
    std::string GetIccDestinationProfile() override;
    void SetIccDestinationProfile(const std::string& path) override;
    std::string GetIccSourceProfile() override;
    void SetIccSourceProfile(const std::string& path) override;

private:
    CZAVImageEdit* m_owner;
};

}  // namespace ZAV
