// CZAVAdvancedImgProc: the object behind IZAVAdvancedImgProcSp. It owns one
// processing object of the library KORVEX55 (its handle) and either lets
// the library keep a buffer of its own or lends it the pixels of the
// image-edit object it is based on, without copying: that object keeps
// owning them, and operations that make a new picture re-create its image
// and lend the new pixels again. Every library status other than 0 becomes
// a CTextException with the library's text; the object stays usable.
//
// The based-on object may go or replace its pixels while callers still hold
// this one: it cuts this object loose when it goes (DetachImageEdit), and
// every use of the handle first lends the library the image's current
// pixels when they are no longer the ones lent.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "foundation/containers/IndexedVectorMap.h"
#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVPtr.h"
#include "interfaces/advanced/ZAVAdvancedImgProcInterfaces.h"
#include "interfaces/advanced/facets/ZAVAIPArithmetic.h"
#include "interfaces/advanced/facets/ZAVAIPColorConversion.h"
#include "interfaces/advanced/facets/ZAVAIPFilter.h"
#include "interfaces/advanced/facets/ZAVAIPImageProcessing.h"
#include "interfaces/advanced/facets/ZAVAIPLogic.h"
#include "interfaces/advanced/facets/ZAVAIPThresholding.h"
#include "interfaces/advanced/facets/ZAVAIPTransformation.h"
#include "outside/korvex55/KORVEX55.h"
#include "platform/WinTypes.h"

namespace ZAV {

class IZAVImageEditSp;
class CZAVImageEdit;

class CZAVAdvancedImgProc {
public:
    // Stand-alone: the library keeps the pixels of its own buffer.
    CZAVAdvancedImgProc();
    // Based on the image-edit object (borrowed: it detaches this object when
    // it goes), whose pixels are lent to the library at once.
    explicit CZAVAdvancedImgProc(IZAVImageEditSp* imageEdit);
    virtual ~CZAVAdvancedImgProc();

    CZAVAdvancedImgProc(const CZAVAdvancedImgProc&) = delete;
    CZAVAdvancedImgProc& operator=(const CZAVAdvancedImgProc&) = delete;

    // The interface object embedding this one (null when none does).
    void SetOwner(IZAVAdvancedImgProcSp* owner) { m_owner = owner; }
    // The embedding object's object view, an owned holder (empty without one).
    virtual CZAVPtr<IZAVObjectSp> GetObjectSp();
    CZAVAdvancedImgProc* GetAdvancedImgProc() { return this; }
    // The library's handle, after the based-on image's current pixels are
    // lent when they changed since the last lending.
    KORV_Handle GetHandle() const;
    IZAVImageEditSp* GetImageEdit() const { return m_imageEdit; }

    // Listeners under their address as text, each once; a removed one leaves
    // its slot empty.
    void RegisterObject(void* listener);
    void UnregisterObject(void* listener);
    int32_t GetListenerSlotCount() const { return m_listeners.GetSize(); }

    void Create(int32_t width, int32_t height, int32_t bitsPerPixel);
    void AttachNoFree(void* pixels, int32_t sizeInBytes, int32_t width, int32_t height, int32_t bitsPerPixel);
    void AttachNoFreeEx(void* pixels, int32_t sizeInBytes, int32_t width, int32_t height, int32_t bitsPerPixel,
                        int32_t bytesPerLine);
    void Clear();
    // Lends the based-on image's current pixels to the library, then tells
    // the image that its pixels change. An empty image attaches nothing (and
    // the library lets go of pixels lent before); a stand-alone object does
    // nothing.
    void AttachImageEdit();
    // Called by the based-on object as it goes: the library lets go of its
    // pixels and this object becomes stand-alone. Never throws.
    void DetachImageEdit();

    // A text the library does not give is empty.
    std::string GetVersion() const;
    std::string GetProcessorDetected() const;
    std::string GetProcessorCodeUsed() const;

    IZAVAIPArithmeticCpp* GetArithmetic() { return &m_arithmetic; }
    IZAVAIPLogicCpp* GetLogic() { return &m_logic; }
    IZAVAIPColorConversionCpp* GetColorConversion() { return &m_colorConversion; }
    IZAVAIPTransformationCpp* GetTransformation() { return &m_transformation; }
    IZAVAIPFilterCpp* GetFilter() { return &m_filter; }
    IZAVAIPImageProcessingCpp* GetImageProcessing() { return &m_imageProcessing; }
    IZAVAIPThresholdingCpp* GetThresholding() { return &m_thresholding; }

    int32_t GetScaleFactor() const;
    void SetScaleFactor(int32_t value);
    int32_t GetWidth() const;
    int32_t GetHeight() const;
    int32_t GetBitsPerPixel() const;
    int32_t GetWidthBytes() const;
    int32_t GetImageSizeInBytes() const;
    void* GetImageMemory() const;

    // What the facets share. CheckResult turns a status other than 0 into
    // a CTextException with the library's text.
    void CheckResult(int32_t status) const;
    // Throws "This ZAVAdvancedImgProc object is not based on an ZAVImageEdit
    // object!" for a stand-alone object.
    void RequireImageEdit() const;
    // Makes the based-on image the given size and depth (re-created with the
    // model's properties when it differs), black and white at 1 bit, and
    // lends its pixels again.
    void PrepareDestination(IZAVImageEditSp* model, int32_t width, int32_t height, int32_t bitsPerPixel);
    // The source to read from: a copy when it is the based-on image itself,
    // so that source and destination never share pixels; else the source,
    // held with a reference of its own.
    CZAVPtr<IZAVImageEditSp> GetSourceImage(IZAVImageEditSp* source);
    // Converts the based-on image to one of the depths and lends its pixels
    // again when the conversion replaced them.
    void ConvertImageEdit(std::initializer_list<int32_t> depths);

private:
    // What was last lent (or found empty) of the based-on image.
    struct LentImage {
        HGLOBAL block = nullptr;
        int32_t width = 0;
        int32_t height = 0;
        int32_t bitsPerPixel = 0;
        int32_t size = 0;
        bool operator==(const LentImage& other) const
        {
            return block == other.block && width == other.width && height == other.height &&
                   bitsPerPixel == other.bitsPerPixel && size == other.size;
        }
    };

    void Initialize();
    LentImage CurrentImage() const;
    // AttachImageEdit's work; const so that GetHandle can re-lend.
    void LendImageEdit() const;

    KORV_Handle m_handle = 0;
    IZAVImageEditSp* m_imageEdit = nullptr;
    // Its body, which keeps the list of the advanced objects based on it.
    CZAVImageEdit* m_imageEditBody = nullptr;
    // True while the library works on the based-on image's pixels.
    mutable bool m_lentPixels = false;
    mutable LentImage m_lent;
    CZAVAIPArithmetic m_arithmetic;
    CZAVAIPLogic m_logic;
    CZAVAIPColorConversion m_colorConversion;
    CZAVAIPTransformation m_transformation;
    CZAVAIPFilter m_filter;
    CZAVAIPImageProcessing m_imageProcessing;
    CZAVAIPThresholding m_thresholding;
    CIndexedVectorMap<void*> m_listeners;
    IZAVAdvancedImgProcSp* m_owner = nullptr;
};

}  // namespace ZAV
