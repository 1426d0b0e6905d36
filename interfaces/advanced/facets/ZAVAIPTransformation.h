// The Transformation facet of the advanced image-processing object.
#pragma once

namespace ZAV {

class CZAVAdvancedImgProc;

// A box in pixels: left, top, right, bottom.
struct AIPBox {
    double left;
    double top;
    double right;
    double bottom;
};

class IZAVAIPTransformationCpp {
public:
    virtual ~IZAVAIPTransformationCpp() = default;
};

class CZAVAIPTransformation : public IZAVAIPTransformationCpp {
public:
    explicit CZAVAIPTransformation(CZAVAdvancedImgProc* owner) : m_owner(owner) {}

private:
    CZAVAdvancedImgProc* m_owner;
};

}  // namespace ZAV
