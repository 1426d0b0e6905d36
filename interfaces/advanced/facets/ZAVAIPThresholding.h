// The thresholding facet of the advanced image-processing object: samples
// above or below a threshold are clamped or replaced, in place.
#pragma once

#include <cstdint>

namespace ZAV {

class CZAVAdvancedImgProc;

class IZAVAIPThresholdingCpp {
public:
    virtual ~IZAVAIPThresholdingCpp() = default;

    virtual void ThresholdGT(int32_t threshold) = 0;
    virtual void ThresholdLT(int32_t threshold) = 0;
    virtual void ThresholdGTVal(int32_t threshold, int32_t value) = 0;
    virtual void ThresholdLTVal(int32_t threshold, int32_t value) = 0;
    virtual void ThresholdLTValGTVal(int32_t value1, int32_t value2, int32_t value3, int32_t value4) = 0;
};

class CZAVAIPThresholding : public IZAVAIPThresholdingCpp {
public:
    explicit CZAVAIPThresholding(CZAVAdvancedImgProc* owner) : m_owner(owner) {}

    void ThresholdGT(int32_t threshold) override;
    void ThresholdLT(int32_t threshold) override;
    void ThresholdGTVal(int32_t threshold, int32_t value) override;
    void ThresholdLTVal(int32_t threshold, int32_t value) override;
    void ThresholdLTValGTVal(int32_t value1, int32_t value2, int32_t value3, int32_t value4) override;

private:
    CZAVAdvancedImgProc* m_owner;
};

}  // namespace ZAV
