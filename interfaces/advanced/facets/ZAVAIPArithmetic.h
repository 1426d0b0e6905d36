// The arithmetic facet of the advanced image-processing object: sample by
// sample, this object's image changes and the operands are read. Each
// operation taking operands comes twice: on other advanced objects (passed
// to the library by their handles) and on image-edit objects, which are
// brought to this image's depth first.
#pragma once

#include <cstdint>

namespace ZAV {

class CZAVAdvancedImgProc;
class IZAVAdvancedImgProcSp;
class IZAVImageEditSp;

class IZAVAIPArithmeticCpp {
public:
    virtual ~IZAVAIPArithmeticCpp() = default;

    virtual void Add(IZAVImageEditSp* operand) = 0;
    virtual void Add(IZAVAdvancedImgProcSp* operand) = 0;
    virtual void AddConstant(int32_t value) = 0;
    virtual void Subtract(IZAVImageEditSp* operand) = 0;
    virtual void Subtract(IZAVAdvancedImgProcSp* operand) = 0;
    virtual void SubtractConstant(int32_t value) = 0;
    virtual void Multiply(IZAVImageEditSp* operand) = 0;
    virtual void Multiply(IZAVAdvancedImgProcSp* operand) = 0;
    virtual void MultiplyConstant(int32_t value) = 0;
    virtual void Divide(IZAVImageEditSp* operand) = 0;
    virtual void Divide(IZAVAdvancedImgProcSp* operand) = 0;
    virtual void DivideConstant(int32_t value) = 0;
    // This image receives the difference of the two operands.
    virtual void Difference(IZAVImageEditSp* first, IZAVImageEditSp* second) = 0;
    virtual void Difference(IZAVAdvancedImgProcSp* first, IZAVAdvancedImgProcSp* second) = 0;
    virtual void DifferenceConstant(IZAVImageEditSp* operand, int32_t value) = 0;
    virtual void DifferenceConstant(IZAVAdvancedImgProcSp* operand, int32_t value) = 0;
};

class CZAVAIPArithmetic : public IZAVAIPArithmeticCpp {
public:
    explicit CZAVAIPArithmetic(CZAVAdvancedImgProc* owner) : m_owner(owner) {}

    void Add(IZAVImageEditSp* operand) override;
    void Add(IZAVAdvancedImgProcSp* operand) override;
    void AddConstant(int32_t value) override;
    void Subtract(IZAVImageEditSp* operand) override;
    void Subtract(IZAVAdvancedImgProcSp* operand) override;
    void SubtractConstant(int32_t value) override;
    void Multiply(IZAVImageEditSp* operand) override;
    void Multiply(IZAVAdvancedImgProcSp* operand) override;
    void MultiplyConstant(int32_t value) override;
    void Divide(IZAVImageEditSp* operand) override;
    void Divide(IZAVAdvancedImgProcSp* operand) override;
    void DivideConstant(int32_t value) override;
    void Difference(IZAVImageEditSp* first, IZAVImageEditSp* second) override;
    void Difference(IZAVAdvancedImgProcSp* first, IZAVAdvancedImgProcSp* second) override;
    void DifferenceConstant(IZAVImageEditSp* operand, int32_t value) override;
    void DifferenceConstant(IZAVAdvancedImgProcSp* operand, int32_t value) override;

private:
    CZAVAdvancedImgProc* m_owner;
};

}  // namespace ZAV
