// CZAVImageEdit: the body of the image-edit object. It owns the image, the
// fifteen facets and the view state, receives the image's progress and
// passes it on to the callbacks and registered listeners, and carries the
// implementation of every IZAVImageEditSp operation (the forwarders of
// CZAVImageEditSp call the member of the same name).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/IProgressNotification.h"
#include "foundation/containers/IndexedVectorMap.h"
#include "image/object/ZAVImg.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"
#include "interfaces/imageedit/facets/ImageEditFacets.h"
#include "interfaces/imageedit/view/ZAVViewLayer.h"

namespace ZAV {

class CZAVImageEditSp;
class CZAVAdvancedImgProc;

class CZAVImageEdit : public IProgressNotification {
public:
    CZAVImageEdit();
    ~CZAVImageEdit() override;
    CZAVImageEdit(const CZAVImageEdit&) = delete;
    CZAVImageEdit& operator=(const CZAVImageEdit&) = delete;

    // ---- the image's progress: callback first, then every listener in
    // registration order; the last answer decides ----
    int OnProgress(double fraction) override;
    void OnBegin() override;
    void OnEnd() override;
    void OnThreadStarted() override {}
    void OnThreadFinished(int) override {}
    // The view goes back to the image's extent.
    void OnImageChanged() override;

    CZAVImg& GetImage() { return m_image; }
    const CWorldRect& GetWorldRect() const { return m_viewLayer.GetWorldRect(); }
    CZAVViewLayer& GetViewLayer() { return m_viewLayer; }
    // The listener in a slot; null for an unregistered one.
    int32_t GetListenerSlotCount() const { return m_listeners.GetSize(); }
    IZAVImageEditListener* GetListenerAt(int32_t index) { return m_listeners.GetAt(index); }
    void SetOwner(CZAVImageEditSp* owner) { m_owner = owner; }

    // ---- the IZAVImageEditSp operations ----
    CZAVPtr<IZAVObjectSp> GetObjectSp();
    CZAVPtr<IZAVImageStandardSp> GetImageStandardSp();
    CZAVPtr<IZAVViewLayerSp> GetViewLayerSp();
    CZAVPtr<IZAVImageEditSp> GetImageEditSp();
    CZAVImageEdit* GetImageEdit();
    HMODULE GetResourceModule();
    void SetResourceModule(HMODULE module);
    void RegisterObject(IZAVImageEditListener* listener);
    void UnregisterObject(IZAVImageEditListener* listener);
    ZAVProgressCallback SetProgressCallback(ZAVProgressCallback callback);
    ZAVNotifyCallback SetStartCallback(ZAVNotifyCallback callback);
    ZAVNotifyCallback SetEndCallback(ZAVNotifyCallback callback);
    ZAVNotifyCallback SetImageResetCallback(ZAVNotifyCallback callback);
    IZAVImageEditICCCpp* GetICC();
    IZAVImageEditHistogramCpp* GetHistogram();
    IZAVImageEditExifCpp* GetExif();
    IZAVImageEditCnvCpp* GetCnv();
    IZAVImageEditImageProcessingCpp* GetImageProcessing();
    IZAVImageEditShadowCpp* GetShadow();
    IZAVImageEditColorCpp* GetColor();
    IZAVImageEditFileFormatSettingsCpp* GetFileFormatSettings();
    IZAVImageEditEncodeCpp* GetEncode();
    IZAVImageEditPaletteCpp* GetPalette();
    IZAVImageEditMaskCpp* GetMask();
    IZAVImageEditHDRCpp* GetHDR();
    IZAVImageEditDrawCpp* GetDraw();
    IZAVImageEditClipboardCpp* GetClipboard();
    IZAVImageEditFilterCpp* GetFilter();
    int GetFormatDetectionMode();
    int SetFormatDetectionMode(int mode);
    void GetFileFormatFromFile(const std::string& fileName, int* format);
    int GetFileFormatFromFile(const std::string& fileName);
    int TryGetFileFormatFromFile(const std::string& fileName, int* format);
    void GetFileFormatFromMem(const void* data, int size, int* format);
    int GetFileFormatFromByteArray(CZAVByteArray& data);
    int TryGetFileFormatFromMem(const void* data, int size, int* format);
    CZAVPtr<IZAVNameVariantPairsSp> GetFileInfoFromFile(const std::string& fileName, int format);
    void LoadFromWebRequest(IZAVUnknownSp* request, const std::string& url, int format, int mode);
    void LoadFromFile(const std::string& fileName, int format);
    void LoadFromMemory(const void* data, int size, int format);
    void LoadFromByteArray(CZAVByteArray& data, int format);
    void LoadFromStream(IStream* stream, int format);
    void LoadFromResource(HMODULE module, const std::string& name, const std::string& type, int format);
    void SaveToFile(const std::string& fileName, int format);
    void SaveToMemory(void* data, int size, int format);
    void SaveToArray(CZAVByteArray& data, int format);
    CZAVPtr<IZAVArrayByteSp> SaveToByteArray(int format);
    int GetSaveBufferSize();
    HGLOBAL CreateDIB();
    HBITMAP CreateBitmap(HDC dc);
    void SaveToStream(IStream* stream, int format);
    void SaveMultipageToFile(IZAVArrayObjectSp* list, const std::string& fileName, int format, int flag);
    void SaveMultipageToMem(IZAVArrayObjectSp* list, void* data, int size, int format);
    void SaveMultipageToArray(IZAVArrayObjectSp* list, CZAVByteArray& data, int format);
    CZAVPtr<IZAVArrayByteSp> SaveMultipageToByteArray(IZAVArrayObjectSp* list, int format);
    int AddImportExportDll(const std::string& path, const std::string& options);
    int DrawImageSection(HDC dc, int x, int y, int width, int height, int unit, int sourceX, int sourceY,
                         int sourceWidth, int sourceHeight);
    int DrawImageClipped(HDC dc, int unit, int x, int y, int width, int height);
    int DrawImageExClipped(HDC dc, int unit, int x, int y, int width, int height, int sizeMode, int alignment,
                           int keepProportions);
    int DrawImageClippedBy(HDC dc, int unit, int x, int y, int width, int height, IDrawerClip* clip);
    int DrawImageExClippedBy(HDC dc, int unit, int x, int y, int width, int height, int sizeMode, int alignment,
                             int keepProportions, IDrawerClip* clip);
    int DrawImageSection2(HDC dc, int x, int y, int width, int height, int unit, int sourceX, int sourceY,
                          int sourceWidth, int sourceHeight);
    int DrawImage(HDC dc, int unit, int x, int y, int width, int height);
    int DrawImageEx(HDC dc, int unit, int x, int y, int width, int height, int sizeMode, int alignment,
                    int keepProportions);
    int GetWidth();
    int GetHeight();
    zavBitsPerPixel GetBitsPerPixel();
    int GetBytesPerLine();
    int GetImageWord();
    int GetXResolution();
    void SetXResolution(int dpi);
    int GetYResolution();
    void SetYResolution(int dpi);
    int GetAlignment();
    int SetAlignment(int alignment);
    int GetSizeMode();
    int SetSizeMode(int mode);
    int GetKeepProportions();
    int SetKeepProportions(int keep);
    COLORREF GetBackgroundColor();
    void SetBackgroundColor(COLORREF color);
    int GetFillBackground();
    void SetFillBackground(int fill);
    CZAVPtr<IZAVRectSp> GetPlacementRect(int x, int y, int width, int height, int itemWidth, int itemHeight,
                                         int keepProportions, int alignment, int fitMode);
    IPicture* CreateOlePicture(int useHeld);
    void CreateFromOlePicture(IPicture* picture);
    int Clear();
    void ReleaseExtras();
    int HasImage();
    int GetUseAdvancedImgProc();
    void SetUseAdvancedImgProc(int use);
    int GetImageWord2();
    int SetImageWord2(int value);
    int GetDrawerFlag();
    void SetDrawerFlag(int flag);
    int GetUseDrawDib();
    void SetUseDrawDib(int use);
    void Create(int width, int height, zavBitsPerPixel bitsPerPixel);
    int CreateLike(IZAVImageEditSp* source, int width, int height, zavBitsPerPixel bitsPerPixel);
    void CreateFromDC(HDC dc, int x, int y, int width, int height);
    void AttachImageData(HGLOBAL data, int size, int width, int height, zavBitsPerPixel bitsPerPixel);
    void CreateFromSafeArray(VARIANT* data, int width, int height, zavBitsPerPixel bitsPerPixel);
    void CreateFromDib(HGLOBAL dib);
    void CreateHistogramImage(CZAVInt32Array& values, int height);
    CZAVPtr<IZAVImageEditSp> Clone(int withPixels);
    CZAVPtr<IZAVImageEditSp> Clone();
    int GetImageSize();
    HGLOBAL GetImageData();
    void GetImageDataAsVariant(VARIANT* data);
    HGLOBAL CopyImageData();
    HGLOBAL DetachImageData();
    int GetOverlayMode();
    int SetOverlayMode(int mode);
    void CompositePsdLayers(IZAVArrayObjectSp* layers);
    void OverlayBlended(IZAVImageEditSp* overlay, int x, int y, double opacity, int fast);
    void OverlayTransparentColor(IZAVImageEditSp* overlay, int x, int y, COLORREF color);
    void OverlayWithOpacity(IZAVImageEditSp* overlay, int x, int y, double opacity, int fast, COLORREF transparent);
    void OverlayWithMask(IZAVImageEditSp* overlay, IZAVImageEditSp* mask, int x, int y);
    COLORREF GetTransparentColor();
    void SetTransparentColor(COLORREF color);
    int GetPageCountFromFile(const std::string& fileName);
    int GetPageCountFromMem(const void* data, int size);
    int GetImageWord3();
    void SetImageWord3(int value);
    CNameVariantPairs* GetImageInfoList();
    void SetImageInfoList(CNameVariantPairs* list);
    int GetUserData();
    int SetUserData(int value);
    int GetImageOption1();
    int SetImageOption1(int value);
    int GetImageOption2();
    int SetImageOption2(int value);
    int GetImageOption3();
    int SetImageOption3(int value);
    CZAVPtr<IZAVNameVariantPairsSp> GetImageInfo();
    CZAVInt32Array GetCurveTable(CZAVInt32Array& points, int mode);
    int GetLastSaveResult();
    CZAVPtr<IZAVAdvancedImgProcSp> CreateAdvancedImgProc();
    // The advanced objects based on this one, which borrow it: each is cut
    // loose (DetachImageEdit) when this object goes.
    void AddAdvancedObject(CZAVAdvancedImgProc* object);
    void RemoveAdvancedObject(CZAVAdvancedImgProc* object);
    int GetDrawMode();
    void SetDrawMode(int mode);
    std::string GetImageText();

private:
    void Reset();
    // The last save result back to 0 before a save runs.
    void BeginSave();
    void FinishSave(int64_t bytes);
    template <class Call>
    void ForEachListener(Call call);

    CZAVImg m_image;
    CZAVImageEditICC m_icc;
    CZAVImageEditHistogram m_histogram;
    CZAVImageEditExif m_exif;
    CZAVImageEditCnv m_cnv;
    CZAVImageEditFilter m_filter;
    CZAVImageEditImageProcessing m_imageProcessing;
    CZAVImageEditShadow m_shadow;
    CZAVImageEditColor m_color;
    CZAVImageEditFileFormatSettings m_fileFormatSettings;
    CZAVImageEditEncode m_encode;
    CZAVImageEditPalette m_palette;
    CZAVImageEditMask m_mask;
    CZAVImageEditHDR m_hdr;
    CZAVImageEditDraw m_draw;
    CZAVImageEditClipboard m_clipboard;
    // The advanced image-processing object, kept for reuse.
    CZAVPtr<IZAVAdvancedImgProcSp> m_advancedImgProc;
    std::vector<CZAVAdvancedImgProc*> m_advancedObjects;
    int32_t m_userData = 0;
    int32_t m_lastSaveResult = 0;
    // The view layer's settings, world rectangle and kept drawing object.
    CZAVViewLayer m_viewLayer;
    ZAVProgressCallback m_progressCallback = nullptr;
    ZAVNotifyCallback m_startCallback = nullptr;
    ZAVNotifyCallback m_endCallback = nullptr;
    ZAVNotifyCallback m_imageResetCallback = nullptr;
    // Keyed by the pointer written with "%p"; an unregistered listener keeps
    // its slot with a null value.
    CIndexedVectorMap<IZAVImageEditListener*> m_listeners;
    CZAVImageEditSp* m_owner = nullptr;
};

}  // namespace ZAV
