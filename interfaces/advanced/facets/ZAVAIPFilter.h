// The Filter facet of the advanced image-processing object.
#pragma once

namespace ZAV {

class CZAVAdvancedImgProc;

class IZAVAIPFilterCpp {
public:
    virtual ~IZAVAIPFilterCpp() = default;
};

class CZAVAIPFilter : public IZAVAIPFilterCpp {
public:
    explicit CZAVAIPFilter(CZAVAdvancedImgProc* owner) : m_owner(owner) {}

private:
    CZAVAdvancedImgProc* m_owner;
};

}  // namespace ZAV
