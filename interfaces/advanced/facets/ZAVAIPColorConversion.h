// The ColorConversion facet of the advanced image-processing object.
#pragma once

namespace ZAV {

class CZAVAdvancedImgProc;

class IZAVAIPColorConversionCpp {
public:
    virtual ~IZAVAIPColorConversionCpp() = default;
};

class CZAVAIPColorConversion : public IZAVAIPColorConversionCpp {
public:
    explicit CZAVAIPColorConversion(CZAVAdvancedImgProc* owner) : m_owner(owner) {}

private:
    CZAVAdvancedImgProc* m_owner;
};

}  // namespace ZAV
