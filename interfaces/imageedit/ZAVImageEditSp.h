// CZAVImageEditSp: the reference-counted image-edit object. Its four views
// (object 1, image edit 16, view layer 12, image standard 10) share one
// count; each operation of IZAVImageEditSp forwards to the member of the
// same name of the embedded CZAVImageEdit.
#pragma once

#include "foundation/objects/ZAVObjectSpImpl.h"
#include "foundation/objects/ZAVRefCountBase.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"
#include "interfaces/imageedit/standard/ZAVImageStandardSpImpl.h"
#include "interfaces/imageedit/view/ZAVViewLayerSpImpl.h"

namespace ZAV {

template <class T>
class IZAVImageEditSpImpl : public TZAVSpView<T, IZAVImageEditSp> {
public:
    CZAVPtr<IZAVObjectSp> GetObjectSp() override { return Edit().GetObjectSp(); }
    CZAVPtr<IZAVImageStandardSp> GetImageStandardSp() override { return Edit().GetImageStandardSp(); }
    CZAVPtr<IZAVViewLayerSp> GetViewLayerSp() override { return Edit().GetViewLayerSp(); }
    CZAVPtr<IZAVImageEditSp> GetImageEditSp() override { return Edit().GetImageEditSp(); }
    CZAVImageEdit* GetImageEdit() override { return Edit().GetImageEdit(); }
    HMODULE GetResourceModule() override { return Edit().GetResourceModule(); }
    void SetResourceModule(HMODULE module) override { Edit().SetResourceModule(module); }
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
    int GetFormatDetectionMode() override { return Edit().GetFormatDetectionMode(); }
    int SetFormatDetectionMode(int mode) override { return Edit().SetFormatDetectionMode(mode); }
    void GetFileFormatFromFile(const std::string& fileName, int* format) override
    {
        Edit().GetFileFormatFromFile(fileName, format);
    }
    int GetFileFormatFromFile(const std::string& fileName) override { return Edit().GetFileFormatFromFile(fileName); }
    int TryGetFileFormatFromFile(const std::string& fileName, int* format) override
    {
        return Edit().TryGetFileFormatFromFile(fileName, format);
    }
    void GetFileFormatFromMem(const void* data, int size, int* format) override
    {
        Edit().GetFileFormatFromMem(data, size, format);
    }
    int GetFileFormatFromByteArray(CZAVByteArray& data) override { return Edit().GetFileFormatFromByteArray(data); }
    int TryGetFileFormatFromMem(const void* data, int size, int* format) override
    {
        return Edit().TryGetFileFormatFromMem(data, size, format);
    }
    CZAVPtr<IZAVNameVariantPairsSp> GetFileInfoFromFile(const std::string& fileName, int format) override
    {
        return Edit().GetFileInfoFromFile(fileName, format);
    }
    void LoadFromWebRequest(IZAVUnknownSp* request, const std::string& url, int format, int mode) override
    {
        Edit().LoadFromWebRequest(request, url, format, mode);
    }
    void LoadFromFile(const std::string& fileName, int format) override { Edit().LoadFromFile(fileName, format); }
    void LoadFromMemory(const void* data, int size, int format) override { Edit().LoadFromMemory(data, size, format); }
    void LoadFromByteArray(CZAVByteArray& data, int format) override { Edit().LoadFromByteArray(data, format); }
    void LoadFromStream(IStream* stream, int format) override { Edit().LoadFromStream(stream, format); }
    void LoadFromResource(HMODULE module, const std::string& name, const std::string& type, int format) override
    {
        Edit().LoadFromResource(module, name, type, format);
    }
    void SaveToFile(const std::string& fileName, int format) override { Edit().SaveToFile(fileName, format); }
    void SaveToMemory(void* data, int size, int format) override { Edit().SaveToMemory(data, size, format); }
    void SaveToArray(CZAVByteArray& data, int format) override { Edit().SaveToArray(data, format); }
    CZAVPtr<IZAVArrayByteSp> SaveToByteArray(int format) override { return Edit().SaveToByteArray(format); }
    int GetSaveBufferSize() override { return Edit().GetSaveBufferSize(); }
    HGLOBAL CreateDIB() override { return Edit().CreateDIB(); }
    HBITMAP CreateBitmap(HDC dc) override { return Edit().CreateBitmap(dc); }
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
    int DrawImageSection(HDC dc, int x, int y, int width, int height, int unit, int sourceX, int sourceY,
                         int sourceWidth, int sourceHeight) override
    {
        return Edit().DrawImageSection(dc, x, y, width, height, unit, sourceX, sourceY, sourceWidth, sourceHeight);
    }
    int DrawImageClipped(HDC dc, int unit, int x, int y, int width, int height) override
    {
        return Edit().DrawImageClipped(dc, unit, x, y, width, height);
    }
    int DrawImageExClipped(HDC dc, int unit, int x, int y, int width, int height, int sizeMode, int alignment,
                           int keepProportions) override
    {
        return Edit().DrawImageExClipped(dc, unit, x, y, width, height, sizeMode, alignment, keepProportions);
    }
    int DrawImageClippedBy(HDC dc, int unit, int x, int y, int width, int height, IDrawerClip* clip) override
    {
        return Edit().DrawImageClippedBy(dc, unit, x, y, width, height, clip);
    }
    int DrawImageExClippedBy(HDC dc, int unit, int x, int y, int width, int height, int sizeMode, int alignment,
                             int keepProportions, IDrawerClip* clip) override
    {
        return Edit().DrawImageExClippedBy(dc, unit, x, y, width, height, sizeMode, alignment, keepProportions, clip);
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
    int GetWidth() override { return Edit().GetWidth(); }
    int GetHeight() override { return Edit().GetHeight(); }
    zavBitsPerPixel GetBitsPerPixel() override { return Edit().GetBitsPerPixel(); }
    int GetBytesPerLine() override { return Edit().GetBytesPerLine(); }
    int GetImageWord() override { return Edit().GetImageWord(); }
    int GetXResolution() override { return Edit().GetXResolution(); }
    void SetXResolution(int dpi) override { Edit().SetXResolution(dpi); }
    int GetYResolution() override { return Edit().GetYResolution(); }
    void SetYResolution(int dpi) override { Edit().SetYResolution(dpi); }
    int GetAlignment() override { return Edit().GetAlignment(); }
    int SetAlignment(int alignment) override { return Edit().SetAlignment(alignment); }
    int GetSizeMode() override { return Edit().GetSizeMode(); }
    int SetSizeMode(int mode) override { return Edit().SetSizeMode(mode); }
    int GetKeepProportions() override { return Edit().GetKeepProportions(); }
    int SetKeepProportions(int keep) override { return Edit().SetKeepProportions(keep); }
    COLORREF GetBackgroundColor() override { return Edit().GetBackgroundColor(); }
    void SetBackgroundColor(COLORREF color) override { Edit().SetBackgroundColor(color); }
    int GetFillBackground() override { return Edit().GetFillBackground(); }
    void SetFillBackground(int fill) override { Edit().SetFillBackground(fill); }
    CZAVPtr<IZAVRectSp> GetPlacementRect(int x, int y, int width, int height, int itemWidth, int itemHeight,
                                         int keepProportions, int alignment, int fitMode) override
    {
        return Edit().GetPlacementRect(x, y, width, height, itemWidth, itemHeight, keepProportions, alignment, fitMode);
    }
    IPicture* CreateOlePicture(int useHeld) override { return Edit().CreateOlePicture(useHeld); }
    void CreateFromOlePicture(IPicture* picture) override { Edit().CreateFromOlePicture(picture); }
    int Clear() override { return Edit().Clear(); }
    void ReleaseExtras() override { Edit().ReleaseExtras(); }
    int HasImage() override { return Edit().HasImage(); }
    int GetUseAdvancedImgProc() override { return Edit().GetUseAdvancedImgProc(); }
    void SetUseAdvancedImgProc(int use) override { Edit().SetUseAdvancedImgProc(use); }
    int GetImageWord2() override { return Edit().GetImageWord2(); }
    int SetImageWord2(int value) override { return Edit().SetImageWord2(value); }
    int GetDrawerFlag() override { return Edit().GetDrawerFlag(); }
    void SetDrawerFlag(int flag) override { Edit().SetDrawerFlag(flag); }
    int GetUseDrawDib() override { return Edit().GetUseDrawDib(); }
    void SetUseDrawDib(int use) override { Edit().SetUseDrawDib(use); }
    void Create(int width, int height, zavBitsPerPixel bitsPerPixel) override
    {
        Edit().Create(width, height, bitsPerPixel);
    }
    int CreateLike(IZAVImageEditSp* source, int width, int height, zavBitsPerPixel bitsPerPixel) override
    {
        return Edit().CreateLike(source, width, height, bitsPerPixel);
    }
    void CreateFromDC(HDC dc, int x, int y, int width, int height) override
    {
        Edit().CreateFromDC(dc, x, y, width, height);
    }
    void AttachImageData(HGLOBAL data, int size, int width, int height, zavBitsPerPixel bitsPerPixel) override
    {
        Edit().AttachImageData(data, size, width, height, bitsPerPixel);
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
    int GetImageSize() override { return Edit().GetImageSize(); }
    HGLOBAL GetImageData() override { return Edit().GetImageData(); }
    void GetImageDataAsVariant(VARIANT* data) override { Edit().GetImageDataAsVariant(data); }
    HGLOBAL CopyImageData() override { return Edit().CopyImageData(); }
    HGLOBAL DetachImageData() override { return Edit().DetachImageData(); }
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
    COLORREF GetTransparentColor() override { return Edit().GetTransparentColor(); }
    void SetTransparentColor(COLORREF color) override { Edit().SetTransparentColor(color); }
    int GetPageCountFromFile(const std::string& fileName) override { return Edit().GetPageCountFromFile(fileName); }
    int GetPageCountFromMem(const void* data, int size) override { return Edit().GetPageCountFromMem(data, size); }
    int GetImageWord3() override { return Edit().GetImageWord3(); }
    void SetImageWord3(int value) override { Edit().SetImageWord3(value); }
    CNameVariantPairs* GetImageInfoList() override { return Edit().GetImageInfoList(); }
    void SetImageInfoList(CNameVariantPairs* list) override { Edit().SetImageInfoList(list); }
    int GetUserData() override { return Edit().GetUserData(); }
    int SetUserData(int value) override { return Edit().SetUserData(value); }
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
    int GetDrawMode() override { return Edit().GetDrawMode(); }
    void SetDrawMode(int mode) override { Edit().SetDrawMode(mode); }
    std::string GetImageText() override { return Edit().GetImageText(); }

protected:
    ~IZAVImageEditSpImpl() = default;

private:
    CZAVImageEdit& Edit() { return *static_cast<CZAVImageEdit*>(this->SpObject()->GetPayload()); }
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
