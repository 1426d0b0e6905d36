// High-dynamic-range (16 bits a sample) handling of the image.
#pragma once

#include <cstdint>

namespace ZAV {

class IZAVImageEditHDRCpp {
public:
    // 1 (the default) keeps 16-bit samples on load; 0 reduces them to 8 bits.
    virtual int32_t GetHdrEnabled() = 0;
    virtual void SetHdrEnabled(int32_t value) = 0;
    // Bits 1..bitsPerSample of each 16-bit sample become the 8-bit sample.
    virtual void ScaleHdr(int32_t bitsPerSample) = 0;
    // The range of the used sample values stretched to 16 bits, then scaled.
    virtual void AutoScaleHdr() = 0;
    virtual void ScaleHdrToRange(int32_t low, int32_t high) = 0;

protected:
    ~IZAVImageEditHDRCpp() = default;
};

}  // namespace ZAV
