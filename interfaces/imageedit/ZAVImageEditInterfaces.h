// The interfaces of the image-edit object: IZAVImageEditSp (id 16), the main
// one, with the image-standard (id 10) and view-layer (id 12) views beside
// it, the listener a caller registers for progress, and the callbacks.
// Every view shares the object's one reference count; the facets it hands
// out (GetEncode, GetPalette ...) are plain objects valid while it lives.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/containers/ArraySimple.h"
#include "foundation/containers/NameVariantPairs.h"
#include "foundation/objects/ZAVArrayByteSp.h"
#include "foundation/objects/ZAVArrayObjectSp.h"
#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVNameVariantPairsSp.h"
#include "foundation/objects/ZAVPtr.h"
#include "foundation/objects/ZAVRectSp.h"
#include "interfaces/advanced/ZAVAdvancedImgProcInterfaces.h"
#include "image/core/ZAVImgBase.h"
#include "interfaces/imageedit/facets/ImageEditFacetInterfaces.h"
#include "interfaces/imageedit/view/LayerObjects.h"
#include "interfaces/imageedit/view/WorldRect.h"
#include "platform/WinTypes.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/ole/Pictures.h"
#include "platform/ole/SafeArrays.h"
#include "platform/ole/Streams.h"

namespace ZAV {

class CZAVImageEdit;
class IDrawerClip;
class IZAVViewLayerSp;

typedef CArraySimple<unsigned char, 1> CZAVByteArray;
// The arrays of 32-bit integers the interfaces take (histograms, curve
// points, depth sets).
typedef CArraySimple<int32_t, 2> CZAVInt32Array;

// The fraction done, 0..1; returning 0 cancels the image operation.
typedef int32_t (*ZAVProgressCallback)(double fraction);
typedef void (*ZAVNotifyCallback)();

// An object told of the progress of every image operation. It must be
// unregistered before it is destroyed.
class IZAVImageEditListener {
public:
    virtual void OnStart() = 0;
    virtual void OnEnd() = 0;
    // Returning 0 cancels the image operation.
    virtual int32_t OnProgress(double fraction) = 0;
    // The image was replaced or its size changed.
    virtual void OnImageReset() = 0;

protected:
    ~IZAVImageEditListener() = default;
};

// The reduced view other image objects also give: loading, drawing, size,
// the drawer's settings and the raw pixels, without the facets. Operations
// named as in IZAVImageEditSp behave exactly as those.
class IZAVImageStandardSp : public IZAVUnknownSp, public IZAVQueryInterfaceSp {
public:
    static constexpr int32_t kInterfaceId = zaviidImageStandard;

    virtual CZAVPtr<IZAVObjectSp> GetObjectSp() = 0;
    virtual CZAVPtr<IZAVViewLayerSp> GetViewLayerSp() = 0;
    virtual CZAVImageEdit* GetImageEdit() = 0;
    virtual HMODULE GetResourceModule() = 0;
    virtual void SetResourceModule(HMODULE module) = 0;
    virtual int GetFormatDetectionMode() = 0;
    virtual int SetFormatDetectionMode(int mode) = 0;
    virtual void GetFileFormatFromFile(const std::string& fileName, int* format) = 0;
    virtual int GetFileFormatFromFile(const std::string& fileName) = 0;
    virtual int TryGetFileFormatFromFile(const std::string& fileName, int* format) = 0;
    virtual void GetFileFormatFromMem(const void* data, int size, int* format) = 0;
    virtual int GetFileFormatFromByteArray(CZAVByteArray& data) = 0;
    virtual int TryGetFileFormatFromMem(const void* data, int size, int* format) = 0;
    virtual void LoadFromFile(const std::string& fileName, int format) = 0;
    virtual void LoadFromMemory(const void* data, int size, int format) = 0;
    virtual void LoadFromByteArray(CZAVByteArray& data, int format) = 0;
    virtual void LoadFromResource(HMODULE module, const std::string& name, const std::string& type, int format) = 0;
    virtual HBITMAP CreateBitmap(HDC dc) = 0;
    virtual int DrawImageSection(HDC dc, int x, int y, int width, int height, int unit, int sourceX, int sourceY,
                                 int sourceWidth, int sourceHeight) = 0;
    virtual int DrawImageClipped(HDC dc, int unit, int x, int y, int width, int height) = 0;
    virtual int DrawImageExClipped(HDC dc, int unit, int x, int y, int width, int height, int sizeMode, int alignment,
                                   int keepProportions) = 0;
    virtual int DrawImageClippedBy(HDC dc, int unit, int x, int y, int width, int height, IDrawerClip* clip) = 0;
    virtual int DrawImageExClippedBy(HDC dc, int unit, int x, int y, int width, int height, int sizeMode, int alignment,
                                     int keepProportions, IDrawerClip* clip) = 0;
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
    virtual zavBitsPerPixel GetBitsPerPixel() = 0;
    virtual int GetBytesPerLine() = 0;
    virtual int GetXResolution() = 0;
    virtual void SetXResolution(int dpi) = 0;
    virtual int GetYResolution() = 0;
    virtual void SetYResolution(int dpi) = 0;
    virtual int GetAlignment() = 0;
    virtual int SetAlignment(int alignment) = 0;
    virtual int GetSizeMode() = 0;
    virtual int SetSizeMode(int mode) = 0;
    virtual int GetKeepProportions() = 0;
    virtual int SetKeepProportions(int keep) = 0;
    virtual COLORREF GetBackgroundColor() = 0;
    virtual void SetBackgroundColor(COLORREF color) = 0;
    virtual int GetFillBackground() = 0;
    virtual void SetFillBackground(int fill) = 0;
    virtual CZAVPtr<IZAVRectSp> GetPlacementRect(int x, int y, int width, int height, int itemWidth, int itemHeight,
                                                 int keepProportions, int alignment, int fitMode) = 0;

    // ---- rectangles of pixels: left, top, right, bottom, inclusive, first
    // clamped to the image ----
    // Crops to the rectangle and writes back the one used.
    virtual void CropToRect(int& left, int& top, int& right, int& bottom) = 0;
    virtual void Crop(int left, int top, int right, int bottom) = 0;
    // As CopyRect; the rectangle used is written back.
    virtual void CopyRectToBlock(int& left, int& top, int& right, int& bottom, HGLOBAL& block, int& size) = 0;
    // The pixels, rows unpadded, in a new block the caller owns (null and 0
    // for an empty image).
    virtual void CopyRect(const RECT& rect, HGLOBAL& block, int& size) = 0;
    // A new image of the pixels with this image's palette and resolution.
    virtual CZAVPtr<IZAVImageStandardSp> CopyRectToImage(int left, int top, int right, int bottom) = 0;
    virtual CZAVPtr<IZAVImageStandardSp> CopyRectToNewImage(const RECT& rect) = 0;

    virtual int Clear() = 0;
    virtual void ReleaseExtras() = 0;
    virtual int HasImage() = 0;
    virtual int GetDrawerFlag() = 0;
    virtual void SetDrawerFlag(int flag) = 0;
    virtual int GetUseDrawDib() = 0;
    virtual void SetUseDrawDib(int use) = 0;
    virtual void Create(int width, int height, zavBitsPerPixel bitsPerPixel) = 0;
    virtual void AttachImageData(HGLOBAL data, int size, int width, int height, zavBitsPerPixel bitsPerPixel) = 0;
    virtual int GetImageSize() = 0;
    virtual HGLOBAL GetImageData() = 0;
    virtual HGLOBAL CopyImageData() = 0;
    virtual HGLOBAL DetachImageData() = 0;
    // The same pointer on every call, valid while the object lives; never
    // released.
    virtual IZAVImageStandardPaletteCpp* GetStandardPalette() = 0;
    virtual CNameVariantPairs* GetImageInfoList() = 0;
    virtual void SetImageInfoList(CNameVariantPairs* list) = 0;
    virtual int GetUserData() = 0;
    virtual int SetUserData(int value) = 0;
    virtual int GetDrawMode() = 0;
    virtual void SetDrawMode(int mode) = 0;
    virtual COLORREF GetTransparentColor() = 0;
    virtual void SetTransparentColor(COLORREF color) = 0;

protected:
    ~IZAVImageStandardSp() = default;
};

// The view layer: the image placed in world coordinates by its world
// rectangle, drawn where the caller's view maps it. The settings are stored
// for the caller; nothing else reads them.
class IZAVViewLayerSp : public IZAVUnknownSp, public IZAVQueryInterfaceSp {
public:
    static constexpr int32_t kInterfaceId = zaviidViewLayer;

    virtual CZAVPtr<IZAVObjectSp> GetObjectSp() = 0;
    // The whole image, or with partial set the part of it the world
    // rectangle covers (one pixel more on each side, within the image), at
    // origin + the device rectangle the view gives. 0 for an empty image.
    virtual int Draw(HDC dc, WORD reserved1, WORD reserved2, IZAVLayerView* view, const POINT* origin, int partial,
                     const CWorldRect* part, double reserved3, double reserved4) = 0;
    // As Draw, through the drawing object the target makes; it is kept and
    // reused until the image is reset.
    virtual int DrawTo(IZAVLayerTarget* target, WORD reserved1, IZAVLayerView* view, const POINT* origin, int partial,
                       const CWorldRect* part, double reserved3, double reserved4) = 0;
    virtual void Reserved1(int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5, int32_t a6, int32_t a7,
                           int32_t a8, int32_t a9, int32_t a10, int32_t a11, int32_t a12, int32_t a13) = 0;
    virtual void Reserved2(int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5, int32_t a6, int32_t a7,
                           int32_t a8) = 0;
    virtual int GetLayerFlag1() = 0;
    virtual int SetLayerFlag1(int value) = 0;
    virtual int GetLayerFlag2() = 0;
    virtual int SetLayerFlag2(int value) = 0;
    // A range is two values in either order; min and max sort them.
    virtual double GetFirstRangeMin() = 0;
    virtual void SetFirstRangeStart(double value) = 0;
    virtual double GetFirstRangeMax() = 0;
    virtual void SetFirstRangeEnd(double value) = 0;
    virtual double GetSecondRangeMin() = 0;
    virtual void SetSecondRangeStart(double value) = 0;
    virtual double GetSecondRangeMax() = 0;
    virtual void SetSecondRangeEnd(double value) = 0;
    virtual int GetLayerFlag3() = 0;
    virtual int SetLayerFlag3(int value) = 0;
    // 1 when the image has a width.
    virtual int HasImageData() = 0;
    // Back to 1 whenever the image is reset.
    virtual int GetLayerFlag4() = 0;
    virtual int SetLayerFlag4(int value) = 0;
    // Left, top, right, bottom; bottom-up (top = image height after a reset).
    virtual CWorldRect GetWorldRect() = 0;
    virtual void SetWorldRect(const CWorldRect& rect) = 0;
    virtual std::string GetLayerText() = 0;
    virtual void SetLayerText(const std::string& text) = 0;
    // Always empty.
    virtual CZAVPtr<IZAVObjectSp> GetLayerObject() = 0;
    virtual void Reserved3(int32_t value) = 0;
    virtual void Reserved4() = 0;
    virtual void Reserved5(int32_t value) = 0;

protected:
    ~IZAVViewLayerSp() = default;
};

// The main interface. Failures are the image's CTextExceptions, passed on
// unchanged. File names are the image's own; format ids as the registry
// gives them (0 or 255: detect).
class IZAVImageEditSp : public IZAVUnknownSp, public IZAVQueryInterfaceSp {
public:
    static constexpr int32_t kInterfaceId = zaviidImageEdit;

    // ---- the object's views ----
    virtual CZAVPtr<IZAVObjectSp> GetObjectSp() = 0;
    virtual CZAVPtr<IZAVImageStandardSp> GetImageStandardSp() = 0;
    virtual CZAVPtr<IZAVViewLayerSp> GetViewLayerSp() = 0;
    virtual CZAVPtr<IZAVImageEditSp> GetImageEditSp() = 0;
    // No reference taken.
    virtual CZAVImageEdit* GetImageEdit() = 0;
    virtual HMODULE GetResourceModule() = 0;
    virtual void SetResourceModule(HMODULE module) = 0;

    // ---- progress ----
    // A listener is kept once; unregistering keeps its slot, so the others
    // keep their order, and registering it again puts it back there.
    virtual void RegisterObject(IZAVImageEditListener* listener) = 0;
    virtual void UnregisterObject(IZAVImageEditListener* listener) = 0;
    virtual ZAVProgressCallback SetProgressCallback(ZAVProgressCallback callback) = 0;
    virtual ZAVNotifyCallback SetStartCallback(ZAVNotifyCallback callback) = 0;
    virtual ZAVNotifyCallback SetEndCallback(ZAVNotifyCallback callback) = 0;
    virtual ZAVNotifyCallback SetImageResetCallback(ZAVNotifyCallback callback) = 0;

    // ---- facets: valid while the object lives, never released ----
    virtual IZAVImageEditICCCpp* GetICC() = 0;
    virtual IZAVImageEditHistogramCpp* GetHistogram() = 0;
    virtual IZAVImageEditExifCpp* GetExif() = 0;
    virtual IZAVImageEditCnvCpp* GetCnv() = 0;
    virtual IZAVImageEditImageProcessingCpp* GetImageProcessing() = 0;
    virtual IZAVImageEditShadowCpp* GetShadow() = 0;
    virtual IZAVImageEditColorCpp* GetColor() = 0;
    virtual IZAVImageEditFileFormatSettingsCpp* GetFileFormatSettings() = 0;
    virtual IZAVImageEditEncodeCpp* GetEncode() = 0;
    virtual IZAVImageEditPaletteCpp* GetPalette() = 0;
    virtual IZAVImageEditMaskCpp* GetMask() = 0;
    virtual IZAVImageEditHDRCpp* GetHDR() = 0;
    virtual IZAVImageEditDrawCpp* GetDraw() = 0;
    virtual IZAVImageEditClipboardCpp* GetClipboard() = 0;
    virtual IZAVImageEditFilterCpp* GetFilter() = 0;

    // ---- format detection and information ----
    // 1 (the default): by file extension; otherwise plug-ins, then content.
    virtual int GetFormatDetectionMode() = 0;
    virtual int SetFormatDetectionMode(int mode) = 0;
    virtual void GetFileFormatFromFile(const std::string& fileName, int* format) = 0;
    virtual int GetFileFormatFromFile(const std::string& fileName) = 0;
    // 1 on success, 0 when anything failed.
    virtual int TryGetFileFormatFromFile(const std::string& fileName, int* format) = 0;
    virtual void GetFileFormatFromMem(const void* data, int size, int* format) = 0;
    virtual int GetFileFormatFromByteArray(CZAVByteArray& data) = 0;
    virtual int TryGetFileFormatFromMem(const void* data, int size, int* format) = 0;
    virtual CZAVPtr<IZAVNameVariantPairsSp> GetFileInfoFromFile(const std::string& fileName, int format) = 0;

    // ---- load ----
    virtual void LoadFromWebRequest(IZAVUnknownSp* request, const std::string& url, int format, int mode) = 0;
    virtual void LoadFromFile(const std::string& fileName, int format) = 0;
    virtual void LoadFromMemory(const void* data, int size, int format) = 0;
    virtual void LoadFromByteArray(CZAVByteArray& data, int format) = 0;
    virtual void LoadFromStream(IStream* stream, int format) = 0;
    virtual void LoadFromResource(HMODULE module, const std::string& name, const std::string& type, int format) = 0;

    // ---- save: each sets the last save result (bytes written) ----
    virtual void SaveToFile(const std::string& fileName, int format) = 0;
    virtual void SaveToMemory(void* data, int size, int format) = 0;
    // The array holds exactly the saved bytes; empty when none were written.
    virtual void SaveToArray(CZAVByteArray& data, int format) = 0;
    virtual CZAVPtr<IZAVArrayByteSp> SaveToByteArray(int format) = 0;
    // width x height x 3 + 66,560.
    virtual int GetSaveBufferSize() = 0;
    // A packed DIB the caller owns.
    virtual HGLOBAL CreateDIB() = 0;
    virtual HBITMAP CreateBitmap(HDC dc) = 0;
    virtual void SaveToStream(IStream* stream, int format) = 0;
    // The list holds object views of image-edit objects, saved as pages in
    // list order. An empty list is refused with "Invalid Parameter!".
    virtual void SaveMultipageToFile(IZAVArrayObjectSp* list, const std::string& fileName, int format, int flag) = 0;
    virtual void SaveMultipageToMem(IZAVArrayObjectSp* list, void* data, int size, int format) = 0;
    virtual void SaveMultipageToArray(IZAVArrayObjectSp* list, CZAVByteArray& data, int format) = 0;
    virtual CZAVPtr<IZAVArrayByteSp> SaveMultipageToByteArray(IZAVArrayObjectSp* list, int format) = 0;
    // Binds an image-format plug-in; its format id (101 upward) comes back.
    virtual int AddImportExportDll(const std::string& path, const std::string& options) = 0;

    // ---- drawing ----
    virtual int DrawImageSection(HDC dc, int x, int y, int width, int height, int unit, int sourceX, int sourceY,
                                 int sourceWidth, int sourceHeight) = 0;
    virtual int DrawImageClipped(HDC dc, int unit, int x, int y, int width, int height) = 0;
    virtual int DrawImageExClipped(HDC dc, int unit, int x, int y, int width, int height, int sizeMode, int alignment,
                                   int keepProportions) = 0;
    virtual int DrawImageClippedBy(HDC dc, int unit, int x, int y, int width, int height, IDrawerClip* clip) = 0;
    virtual int DrawImageExClippedBy(HDC dc, int unit, int x, int y, int width, int height, int sizeMode, int alignment,
                                     int keepProportions, IDrawerClip* clip) = 0;
    virtual int DrawImageSection2(HDC dc, int x, int y, int width, int height, int unit, int sourceX, int sourceY,
                                  int sourceWidth, int sourceHeight) = 0;
    virtual int DrawImage(HDC dc, int unit, int x, int y, int width, int height) = 0;
    virtual int DrawImageEx(HDC dc, int unit, int x, int y, int width, int height, int sizeMode, int alignment,
                            int keepProportions) = 0;

    // ---- size, depth, resolution ----
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
    virtual zavBitsPerPixel GetBitsPerPixel() = 0;
    virtual int GetBytesPerLine() = 0;
    virtual int GetImageWord() = 0;
    virtual int GetXResolution() = 0;
    // A value of 0 or less takes the screen's.
    virtual void SetXResolution(int dpi) = 0;
    virtual int GetYResolution() = 0;
    virtual void SetYResolution(int dpi) = 0;

    // ---- drawer settings ----
    virtual int GetAlignment() = 0;
    virtual int SetAlignment(int alignment) = 0;
    virtual int GetSizeMode() = 0;
    virtual int SetSizeMode(int mode) = 0;
    virtual int GetKeepProportions() = 0;
    virtual int SetKeepProportions(int keep) = 0;
    virtual COLORREF GetBackgroundColor() = 0;
    virtual void SetBackgroundColor(COLORREF color) = 0;
    virtual int GetFillBackground() = 0;
    virtual void SetFillBackground(int fill) = 0;
    // An item of the given size placed in the frame (x, y, width, height):
    // alignment column = code / 3, row = code % 3; fit mode 1 or 3 fits the
    // width, 2 or 3 the height.
    virtual CZAVPtr<IZAVRectSp> GetPlacementRect(int x, int y, int width, int height, int itemWidth, int itemHeight,
                                                 int keepProportions, int alignment, int fitMode) = 0;
    // Null for an empty image; the caller owns one reference.
    virtual IPicture* CreateOlePicture(int useHeld) = 0;
    virtual void CreateFromOlePicture(IPicture* picture) = 0;
    virtual int Clear() = 0;
    virtual void ReleaseExtras() = 0;
    virtual int HasImage() = 0;
    virtual int GetUseAdvancedImgProc() = 0;
    virtual void SetUseAdvancedImgProc(int use) = 0;
    virtual int GetImageWord2() = 0;
    virtual int SetImageWord2(int value) = 0;
    virtual int GetDrawerFlag() = 0;
    virtual void SetDrawerFlag(int flag) = 0;
    virtual int GetUseDrawDib() = 0;
    virtual void SetUseDrawDib(int use) = 0;

    // ---- creation and pixel data ----
    virtual void Create(int width, int height, zavBitsPerPixel bitsPerPixel) = 0;
    // Create, then the source's settings (not its pixels).
    virtual int CreateLike(IZAVImageEditSp* source, int width, int height, zavBitsPerPixel bitsPerPixel) = 0;
    virtual void CreateFromDC(HDC dc, int x, int y, int width, int height) = 0;
    // After a successful size check the image owns the block (give it back
    // with DetachImageData); after a failed one the caller keeps it.
    virtual void AttachImageData(HGLOBAL data, int size, int width, int height, zavBitsPerPixel bitsPerPixel) = 0;
    virtual void CreateFromSafeArray(VARIANT* data, int width, int height, zavBitsPerPixel bitsPerPixel) = 0;
    virtual void CreateFromDib(HGLOBAL dib) = 0;
    virtual void CreateHistogramImage(CZAVInt32Array& values, int height) = 0;
    // A new object with these settings, and the pixels and masks when
    // withPixels is set.
    virtual CZAVPtr<IZAVImageEditSp> Clone(int withPixels) = 0;
    virtual CZAVPtr<IZAVImageEditSp> Clone() = 0;
    virtual int GetImageSize() = 0;
    // Still the image's.
    virtual HGLOBAL GetImageData() = 0;
    virtual void GetImageDataAsVariant(VARIANT* data) = 0;
    // A copy the caller owns.
    virtual HGLOBAL CopyImageData() = 0;
    virtual HGLOBAL DetachImageData() = 0;

    // ---- overlays ----
    virtual int GetOverlayMode() = 0;
    virtual int SetOverlayMode(int mode) = 0;
    virtual void CompositePsdLayers(IZAVArrayObjectSp* layers) = 0;
    virtual void OverlayBlended(IZAVImageEditSp* overlay, int x, int y, double opacity, int fast) = 0;
    virtual void OverlayTransparentColor(IZAVImageEditSp* overlay, int x, int y, COLORREF color) = 0;
    virtual void OverlayWithOpacity(IZAVImageEditSp* overlay, int x, int y, double opacity, int fast,
                                    COLORREF transparent) = 0;
    virtual void OverlayWithMask(IZAVImageEditSp* overlay, IZAVImageEditSp* mask, int x, int y) = 0;
    virtual COLORREF GetTransparentColor() = 0;
    virtual void SetTransparentColor(COLORREF color) = 0;

    // ---- pages, stored words, information ----
    virtual int GetPageCountFromFile(const std::string& fileName) = 0;
    virtual int GetPageCountFromMem(const void* data, int size) = 0;
    virtual int GetImageWord3() = 0;
    virtual void SetImageWord3(int value) = 0;
    virtual CNameVariantPairs* GetImageInfoList() = 0;
    virtual void SetImageInfoList(CNameVariantPairs* list) = 0;
    virtual int GetUserData() = 0;
    virtual int SetUserData(int value) = 0;
    virtual int GetImageOption1() = 0;
    virtual int SetImageOption1(int value) = 0;
    virtual int GetImageOption2() = 0;
    virtual int SetImageOption2(int value) = 0;
    virtual int GetImageOption3() = 0;
    virtual int SetImageOption3(int value) = 0;
    // Empty when the image has no information list in use.
    virtual CZAVPtr<IZAVNameVariantPairsSp> GetImageInfo() = 0;
    // Always 256 entries; control points in percent, -1 unset.
    virtual CZAVInt32Array GetCurveTable(CZAVInt32Array& points, int mode) = 0;
    virtual int GetLastSaveResult() = 0;
    // The advanced image-processing object on this one, made on first use
    // and kept; later calls lend it the current pixels again.
    virtual CZAVPtr<IZAVAdvancedImgProcSp> CreateAdvancedImgProc() = 0;
    virtual int GetDrawMode() = 0;
    // Modes 5 and 6 also turn DrawDib and the background fill off and the
    // drawer flag on; every call resets the view.
    virtual void SetDrawMode(int mode) = 0;
    virtual std::string GetImageText() = 0;

protected:
    ~IZAVImageEditSp() = default;
};

// A new image-edit object; the holder owns its only reference.
CZAVPtr<IZAVImageEditSp> CreateImageEditSp();

}  // namespace ZAV
