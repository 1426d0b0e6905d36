// The ImageProcessing facet of the advanced image-processing object.
#pragma once

namespace ZAV {

class CZAVAdvancedImgProc;

class IZAVAIPImageProcessingCpp {
public:
    virtual ~IZAVAIPImageProcessingCpp() = default;
};

class CZAVAIPImageProcessing : public IZAVAIPImageProcessingCpp {
public:
    explicit CZAVAIPImageProcessing(CZAVAdvancedImgProc* owner) : m_owner(owner) {}

private:
    CZAVAdvancedImgProc* m_owner;
};

}  // namespace ZAV
