// CZAVImageEditSp: the reference-counted image-edit object. Its four views
// (object 1, image edit 16, view layer 12, image standard 10) share one
// count; each operation of IZAVImageEditSp forwards to the member of the
// same name of the embedded CZAVImageEdit (those the image-standard view has
// too through TZAVImageEditSharedForwarding).
#pragma once

#include "foundation/objects/ZAVObjectSpImpl.h"
#include "foundation/objects/ZAVRefCountBase.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"
#include "interfaces/imageedit/ZAVImageEditSharedForwarding.h"
#include "interfaces/imageedit/standard/ZAVImageStandardSpImpl.h"
#include "interfaces/imageedit/view/ZAVViewLayerSpImpl.h"

namespace ZAV {

template <class T>
class IZAVImageEditSpImpl : public TZAVImageEditSharedForwarding<TZAVSpView<T, IZAVImageEditSp>> {
public:
    CZAVPtr<IZAVObjectSp> GetObjectSp() override { return Edit().GetObjectSp(); }
    CZAVPtr<IZAVImageStandardSp> GetImageStandardSp() override { return Edit().GetImageStandardSp(); }
    CZAVPtr<IZAVImageEditSp> GetImageEditSp() override { return Edit().GetImageEditSp(); }
    void RegisterObject(IZAVImageEditListener* listener) override { Edit().RegisterObject(listener); }
    void UnregisterObject(IZAVImageEditListener* listener) override { Edit().UnregisterObject(listener); }
    ZAVProgressCallback SetProgressCallback(ZAVProgressCallback callback) override
    {
        return Edit().SetProgressCallback(callback);
    }
    ZAVNotifyCallback SetStartCallback(ZAVNotifyCallback callback) override
    {
        return Edit().SetStartCallback(callback);
    }
    ZAVNotifyCallback SetEndCallback(ZAVNotifyCallback callback) override { return Edit().SetEndCallback(callback); }
    ZAVNotifyCallback SetImageResetCallback(ZAVNotifyCallback callback) override
    {
        return Edit().SetImageResetCallback(callback);
    }
    IZAVImageEditICCCpp* GetICC() override { return Edit().GetICC(); }
    IZAVImageEditHistogramCpp* GetHistogram() override { return Edit().GetHistogram(); }
    IZAVImageEditExifCpp* GetExif() override { return Edit().GetExif(); }
    IZAVImageEditCnvCpp* GetCnv() override { return Edit().GetCnv(); }
    IZAVImageEditImageProcessingCpp* GetImageProcessing() override { return Edit().GetImageProcessing(); }
    IZAVImageEditShadowCpp* GetShadow() override { return Edit().GetShadow(); }
    IZAVImageEditColorCpp* GetColor() override { return Edit().GetColor(); }
    IZAVImageEditFileFormatSettingsCpp* GetFileFormatSettings() override { return Edit().GetFileFormatSettings(); }
    IZAVImageEditEncodeCpp* GetEncode() override { return Edit().GetEncode(); }
    IZAVImageEditPaletteCpp* GetPalette() override { return Edit().GetPalette(); }
    IZAVImageEditMaskCpp* GetMask() override { return Edit().GetMask(); }
    IZAVImageEditHDRCpp* GetHDR() override { return Edit().GetHDR(); }
    IZAVImageEditDrawCpp* GetDraw() override { return Edit().GetDraw(); }
    IZAVImageEditClipboardCpp* GetClipboard() override { return Edit().GetClipboard(); }
    IZAVImageEditFilterCpp* GetFilter() override { return Edit().GetFilter(); }
    CZAVPtr<IZAVNameVariantPairsSp> GetFileInfoFromFile(const std::string& fileName, int format) override
    {
        return Edit().GetFileInfoFromFile(fileName, format);
    }
    void LoadFromWebRequest(IZAVUnknownSp* request, const std::string& url, int format, int mode) override
    {
        Edit().LoadFromWebRequest(request, url, format, mode);
    }
    void LoadFromStream(IStream* stream, int format) override { Edit().LoadFromStream(stream, format); }
    void SaveToFile(const std::string& fileName, int format) override { Edit().SaveToFile(fileName, format); }
    void SaveToMemory(void* data, int size, int format) override { Edit().SaveToMemory(data, size, format); }
    void SaveToArray(CZAVByteArray& data, int format) override { Edit().SaveToArray(data, format); }
    CZAVPtr<IZAVArrayByteSp> SaveToByteArray(int format) override { return Edit().SaveToByteArray(format); }
    int GetSaveBufferSize() override { return Edit().GetSaveBufferSize(); }
    HGLOBAL CreateDIB() override { return Edit().CreateDIB(); }
    void SaveToStream(IStream* stream, int format) override { Edit().SaveToStream(stream, format); }
    void SaveMultipageToFile(IZAVArrayObjectSp* list, const std::string& fileName, int format, int flag) override
    {
        Edit().SaveMultipageToFile(list, fileName, format, flag);
    }
    void SaveMultipageToMem(IZAVArrayObjectSp* list, void* data, int size, int format) override
    {
        Edit().SaveMultipageToMem(list, data, size, format);
    }
    void SaveMultipageToArray(IZAVArrayObjectSp* list, CZAVByteArray& data, int format) override
    {
        Edit().SaveMultipageToArray(list, data, format);
    }
    CZAVPtr<IZAVArrayByteSp> SaveMultipageToByteArray(IZAVArrayObjectSp* list, int format) override
    {
        return Edit().SaveMultipageToByteArray(list, format);
    }
    int AddImportExportDll(const std::string& path, const std::string& options) override
    {
        return Edit().AddImportExportDll(path, options);
    }
    int DrawImageSection2(HDC dc, int x, int y, int width, int height, int unit, int sourceX, int sourceY,
                          int sourceWidth, int sourceHeight) override
    {
        return Edit().DrawImageSection2(dc, x, y, width, height, unit, sourceX, sourceY, sourceWidth, sourceHeight);
    }
    int DrawImage(HDC dc, int unit, int x, int y, int width, int height) override
    {
        return Edit().DrawImage(dc, unit, x, y, width, height);
    }
    int DrawImageEx(HDC dc, int unit, int x, int y, int width, int height, int sizeMode, int alignment,
                    int keepProportions) override
    {
        return Edit().DrawImageEx(dc, unit, x, y, width, height, sizeMode, alignment, keepProportions);
    }
    int GetImageWord() override { return Edit().GetImageWord(); }
    IPicture* CreateOlePicture(int useHeld) override { return Edit().CreateOlePicture(useHeld); }
    void CreateFromOlePicture(IPicture* picture) override { Edit().CreateFromOlePicture(picture); }
    int GetUseAdvancedImgProc() override { return Edit().GetUseAdvancedImgProc(); }
    void SetUseAdvancedImgProc(int use) override { Edit().SetUseAdvancedImgProc(use); }
    int GetImageWord2() override { return Edit().GetImageWord2(); }
    int SetImageWord2(int value) override { return Edit().SetImageWord2(value); }
    int CreateLike(IZAVImageEditSp* source, int width, int height, zavBitsPerPixel bitsPerPixel) override
    {
        return Edit().CreateLike(source, width, height, bitsPerPixel);
    }
    void CreateFromDC(HDC dc, int x, int y, int width, int height) override
    {
        Edit().CreateFromDC(dc, x, y, width, height);
    }
    void CreateFromSafeArray(VARIANT* data, int width, int height, zavBitsPerPixel bitsPerPixel) override
    {
        Edit().CreateFromSafeArray(data, width, height, bitsPerPixel);
    }
    void CreateFromDib(HGLOBAL dib) override { Edit().CreateFromDib(dib); }
    void CreateHistogramImage(CZAVInt32Array& values, int height) override
    {
        Edit().CreateHistogramImage(values, height);
    }
    CZAVPtr<IZAVImageEditSp> Clone(int withPixels) override { return Edit().Clone(withPixels); }
    CZAVPtr<IZAVImageEditSp> Clone() override { return Edit().Clone(); }
    void GetImageDataAsVariant(VARIANT* data) override { Edit().GetImageDataAsVariant(data); }
    int GetOverlayMode() override { return Edit().GetOverlayMode(); }
    int SetOverlayMode(int mode) override { return Edit().SetOverlayMode(mode); }
    void CompositePsdLayers(IZAVArrayObjectSp* layers) override { Edit().CompositePsdLayers(layers); }
    void OverlayBlended(IZAVImageEditSp* overlay, int x, int y, double opacity, int fast) override
    {
        Edit().OverlayBlended(overlay, x, y, opacity, fast);
    }
    void OverlayTransparentColor(IZAVImageEditSp* overlay, int x, int y, COLORREF color) override
    {
        Edit().OverlayTransparentColor(overlay, x, y, color);
    }
    void OverlayWithOpacity(IZAVImageEditSp* overlay, int x, int y, double opacity, int fast,
                            COLORREF transparent) override
    {
        Edit().OverlayWithOpacity(overlay, x, y, opacity, fast, transparent);
    }
    void OverlayWithMask(IZAVImageEditSp* overlay, IZAVImageEditSp* mask, int x, int y) override
    {
        Edit().OverlayWithMask(overlay, mask, x, y);
    }
    int GetPageCountFromFile(const std::string& fileName) override { return Edit().GetPageCountFromFile(fileName); }
    int GetPageCountFromMem(const void* data, int size) override { return Edit().GetPageCountFromMem(data, size); }
    int GetImageWord3() override { return Edit().GetImageWord3(); }
    void SetImageWord3(int value) override { Edit().SetImageWord3(value); }
    int GetImageOption1() override { return Edit().GetImageOption1(); }
    int SetImageOption1(int value) override { return Edit().SetImageOption1(value); }
    int GetImageOption2() override { return Edit().GetImageOption2(); }
    int SetImageOption2(int value) override { return Edit().SetImageOption2(value); }
    int GetImageOption3() override { return Edit().GetImageOption3(); }
    int SetImageOption3(int value) override { return Edit().SetImageOption3(value); }
    CZAVPtr<IZAVNameVariantPairsSp> GetImageInfo() override { return Edit().GetImageInfo(); }
    CZAVInt32Array GetCurveTable(CZAVInt32Array& points, int mode) override
    {
        return Edit().GetCurveTable(points, mode);
    }
    int GetLastSaveResult() override { return Edit().GetLastSaveResult(); }
    CZAVPtr<IZAVAdvancedImgProcSp> CreateAdvancedImgProc() override { return Edit().CreateAdvancedImgProc(); }
    std::string GetImageText() override { return Edit().GetImageText(); }

protected:
    ~IZAVImageEditSpImpl() = default;

private:
    using TZAVImageEditSharedForwarding<TZAVSpView<T, IZAVImageEditSp>>::Edit;
};

class CZAVImageEditSp final : public CZAVRefCountBase<CZAVImageEditSp>,
                              public IZAVObjectSpImpl<CZAVImageEditSp>,
                              public IZAVImageEditSpImpl<CZAVImageEditSp>,
                              public IZAVViewLayerSpImpl<CZAVImageEditSp>,
                              public IZAVImageStandardSpImpl<CZAVImageEditSp> {
public:
    CZAVImageEditSp() { m_edit.SetOwner(this); }

    void* GetInterfaceView(int32_t id);
    // The object view's implementation: the embedded CZAVImageEdit.
    void* GetPayload() { return &m_edit; }

private:
    friend class CZAVRefCountBase<CZAVImageEditSp>;
    ~CZAVImageEditSp() = default;

    CZAVImageEdit m_edit;
};

}  // namespace ZAV
