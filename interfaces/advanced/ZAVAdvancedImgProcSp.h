// CZAVAdvancedImgProcSp: the reference-counted interface object around
// CZAVAdvancedImgProc. Its two views (object 1, advanced image processing
// 62) share one count; each operation of IZAVAdvancedImgProcSp forwards to
// the embedded object.
#pragma once

#include "foundation/objects/ZAVObjectSpImpl.h"
#include "foundation/objects/ZAVRefCountBase.h"
#include "interfaces/advanced/ZAVAdvancedImgProc.h"
#include "interfaces/advanced/ZAVAdvancedImgProcInterfaces.h"

namespace ZAV {

// Where the object's resources come from, shared by every such object.
HMODULE GetAdvancedImgProcResourceModule();
void SetAdvancedImgProcResourceModule(HMODULE module);

template <class T>
class IZAVAdvancedImgProcSpImpl : public TZAVSpView<T, IZAVAdvancedImgProcSp> {
public:
    CZAVPtr<IZAVObjectSp> GetObjectSp() override { return Proc().GetObjectSp(); }
    CZAVAdvancedImgProc* GetAdvancedImgProc() override { return &Proc(); }
    KORV_Handle GetLibraryHandle() override { return Proc().GetHandle(); }
    HMODULE GetResourceModule() override { return GetAdvancedImgProcResourceModule(); }
    void SetResourceModule(HMODULE module) override { SetAdvancedImgProcResourceModule(module); }
    void RegisterObject(void* listener) override { Proc().RegisterObject(listener); }
    void UnregisterObject(void* listener) override { Proc().UnregisterObject(listener); }
    void Create(int32_t width, int32_t height, int32_t bitsPerPixel) override
    {
        Proc().Create(width, height, bitsPerPixel);
    }
    void AttachNoFree(void* pixels, int32_t sizeInBytes, int32_t width, int32_t height, int32_t bitsPerPixel) override
    {
        Proc().AttachNoFree(pixels, sizeInBytes, width, height, bitsPerPixel);
    }
    void AttachNoFreeEx(void* pixels, int32_t sizeInBytes, int32_t width, int32_t height, int32_t bitsPerPixel,
                        int32_t bytesPerLine) override
    {
        Proc().AttachNoFreeEx(pixels, sizeInBytes, width, height, bitsPerPixel, bytesPerLine);
    }
    void Clear() override { Proc().Clear(); }
    void AttachImageEdit() override { Proc().AttachImageEdit(); }
    std::string GetVersion() override { return Proc().GetVersion(); }
    std::string GetProcessorDetected() override { return Proc().GetProcessorDetected(); }
    std::string GetProcessorCodeUsed() override { return Proc().GetProcessorCodeUsed(); }
    IZAVAIPArithmeticCpp* GetArithmetic() override { return Proc().GetArithmetic(); }
    IZAVAIPLogicCpp* GetLogic() override { return Proc().GetLogic(); }
    IZAVAIPColorConversionCpp* GetColorConversion() override { return Proc().GetColorConversion(); }
    IZAVAIPTransformationCpp* GetTransformation() override { return Proc().GetTransformation(); }
    IZAVAIPFilterCpp* GetFilter() override { return Proc().GetFilter(); }
    IZAVAIPImageProcessingCpp* GetImageProcessing() override { return Proc().GetImageProcessing(); }
    IZAVAIPThresholdingCpp* GetThresholding() override { return Proc().GetThresholding(); }
    int32_t GetScaleFactor() override { return Proc().GetScaleFactor(); }
    void SetScaleFactor(int32_t value) override { Proc().SetScaleFactor(value); }
    int32_t GetWidth() override { return Proc().GetWidth(); }
    int32_t GetHeight() override { return Proc().GetHeight(); }
    int32_t GetBitsPerPixel() override { return Proc().GetBitsPerPixel(); }
    int32_t GetBytesPerLine() override { return Proc().GetWidthBytes(); }
    int32_t GetImageSizeInBytes() override { return Proc().GetImageSizeInBytes(); }
    void* GetImageMemory() override { return Proc().GetImageMemory(); }

protected:
    ~IZAVAdvancedImgProcSpImpl() = default;

private:
    CZAVAdvancedImgProc& Proc() { return *static_cast<CZAVAdvancedImgProc*>(this->SpObject()->GetPayload()); }
};

class CZAVAdvancedImgProcSp final : public CZAVRefCountBase<CZAVAdvancedImgProcSp>,
                                    public IZAVObjectSpImpl<CZAVAdvancedImgProcSp>,
                                    public IZAVAdvancedImgProcSpImpl<CZAVAdvancedImgProcSp> {
public:
    CZAVAdvancedImgProcSp() { m_proc.SetOwner(this); }
    explicit CZAVAdvancedImgProcSp(IZAVImageEditSp* imageEdit) : m_proc(imageEdit) { m_proc.SetOwner(this); }

    void* GetInterfaceView(int32_t id);
    // The object view's implementation: the embedded CZAVAdvancedImgProc.
    void* GetPayload() { return &m_proc; }

private:
    friend class CZAVRefCountBase<CZAVAdvancedImgProcSp>;
    ~CZAVAdvancedImgProcSp() = default;

    CZAVAdvancedImgProc m_proc;
};

}  // namespace ZAV
