// The logic facet of the advanced image-processing object: bitwise sample
// operations in place, with image-edit forms as the arithmetic facet has.
#pragma once

#include <cstdint>

namespace ZAV {

class CZAVAdvancedImgProc;
class IZAVAdvancedImgProcSp;
class IZAVImageEditSp;

class IZAVAIPLogicCpp {
public:
    virtual ~IZAVAIPLogicCpp() = default;

    virtual void And(IZAVImageEditSp* operand) = 0;
    virtual void And(IZAVAdvancedImgProcSp* operand) = 0;
    virtual void AndConstant(int32_t value) = 0;
    virtual void Or(IZAVImageEditSp* operand) = 0;
    virtual void Or(IZAVAdvancedImgProcSp* operand) = 0;
    virtual void OrConstant(int32_t value) = 0;
    virtual void Xor(IZAVImageEditSp* operand) = 0;
    virtual void Xor(IZAVAdvancedImgProcSp* operand) = 0;
    virtual void XorConstant(int32_t value) = 0;
    virtual void Invert() = 0;
    // Maps [value1, value2] onto [value3, value4].
    virtual void Scale(int32_t value1, int32_t value2, int32_t value3, int32_t value4) = 0;
};

class CZAVAIPLogic : public IZAVAIPLogicCpp {
public:
    explicit CZAVAIPLogic(CZAVAdvancedImgProc* owner) : m_owner(owner) {}

    void And(IZAVImageEditSp* operand) override;
    void And(IZAVAdvancedImgProcSp* operand) override;
    void AndConstant(int32_t value) override;
    void Or(IZAVImageEditSp* operand) override;
    void Or(IZAVAdvancedImgProcSp* operand) override;
    void OrConstant(int32_t value) override;
    void Xor(IZAVImageEditSp* operand) override;
    void Xor(IZAVAdvancedImgProcSp* operand) override;
    void XorConstant(int32_t value) override;
    void Invert() override;
    void Scale(int32_t value1, int32_t value2, int32_t value3, int32_t value4) override;

private:
    CZAVAdvancedImgProc* m_owner;
};

}  // namespace ZAV
