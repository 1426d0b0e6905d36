// IZAVAdvancedImgProcSp (id 62): the interface of the advanced
// image-processing object, which runs its image work in the library
// KORVEX55. The object holds one library-side image buffer, its own or the
// pixels of the image-edit object it was made on; the seven facets it hands
// out are plain objects valid while it lives.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVPtr.h"
#include "outside/korvex55/KORVEX55.h"
#include "platform/WinTypes.h"

namespace ZAV {

class CZAVAdvancedImgProc;
class IZAVImageEditSp;
class IZAVAIPArithmeticCpp;
class IZAVAIPLogicCpp;
class IZAVAIPColorConversionCpp;
class IZAVAIPTransformationCpp;
class IZAVAIPFilterCpp;
class IZAVAIPImageProcessingCpp;
class IZAVAIPThresholdingCpp;

class IZAVAdvancedImgProcSp : public IZAVUnknownSp, public IZAVQueryInterfaceSp {
public:
    static constexpr int32_t kInterfaceId = zaviidAdvancedImgProc;

    virtual CZAVPtr<IZAVObjectSp> GetObjectSp() = 0;
    virtual CZAVAdvancedImgProc* GetAdvancedImgProc() = 0;
    // The library-side processing object this one drives; operands of the
    // facets are passed to the library by it.
    virtual KORV_Handle GetLibraryHandle() = 0;
    virtual HMODULE GetResourceModule() = 0;
    virtual void SetResourceModule(HMODULE module) = 0;
    virtual void RegisterObject(void* listener) = 0;
    virtual void UnregisterObject(void* listener) = 0;

    // The library's image buffer.
    virtual void Create(int32_t width, int32_t height, int32_t bitsPerPixel) = 0;
    // The library works on the caller's pixels and never frees them.
    virtual void AttachNoFree(void* pixels, int32_t sizeInBytes, int32_t width, int32_t height,
                              int32_t bitsPerPixel) = 0;
    virtual void AttachNoFreeEx(void* pixels, int32_t sizeInBytes, int32_t width, int32_t height, int32_t bitsPerPixel,
                                int32_t bytesPerLine) = 0;
    virtual void Clear() = 0;
    // Lends the image-edit object's current pixels to the library again.
    virtual void AttachImageEdit() = 0;

    virtual std::string GetVersion() = 0;
    virtual std::string GetProcessorDetected() = 0;
    virtual std::string GetProcessorCodeUsed() = 0;

    virtual IZAVAIPArithmeticCpp* GetArithmetic() = 0;
    virtual IZAVAIPLogicCpp* GetLogic() = 0;
    virtual IZAVAIPColorConversionCpp* GetColorConversion() = 0;
    virtual IZAVAIPTransformationCpp* GetTransformation() = 0;
    virtual IZAVAIPFilterCpp* GetFilter() = 0;
    virtual IZAVAIPImageProcessingCpp* GetImageProcessing() = 0;
    virtual IZAVAIPThresholdingCpp* GetThresholding() = 0;

    virtual int32_t GetScaleFactor() = 0;
    virtual void SetScaleFactor(int32_t value) = 0;
    virtual int32_t GetWidth() = 0;
    virtual int32_t GetHeight() = 0;
    virtual int32_t GetBitsPerPixel() = 0;
    virtual int32_t GetBytesPerLine() = 0;
    virtual int32_t GetImageSizeInBytes() = 0;
    virtual void* GetImageMemory() = 0;

protected:
    ~IZAVAdvancedImgProcSp() = default;
};

// A stand-alone object: the library keeps the pixels of its own buffer.
CZAVPtr<IZAVAdvancedImgProcSp> CreateAdvancedImgProcSp();
// An object on the image-edit object, whose pixels it lends to the library
// at once. The image-edit object is borrowed: it must outlive the object.
CZAVPtr<IZAVAdvancedImgProcSp> CreateAdvancedImgProcSpForImage(IZAVImageEditSp* imageEdit);

}  // namespace ZAV
