// The operations the image-edit view (IZAVImageEditSp) and the
// image-standard view (IZAVImageStandardSp) both have, each forwarded to the
// member of the same name of the embedded CZAVImageEdit (T::GetPayload).
// A view's implementation derives from this over its own TZAVSpView; the
// slots' order stays that of the view's interface, since only overriders
// live here.
#pragma once

#include "foundation/objects/ZAVObjectSpImpl.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"

#include <string>

namespace ZAV {

template <class View>
class TZAVImageEditSharedForwarding : public View {
public:
    CZAVPtr<IZAVViewLayerSp> GetViewLayerSp() override { return Edit().GetViewLayerSp(); }
    CZAVImageEdit* GetImageEdit() override { return Edit().GetImageEdit(); }
    HMODULE GetResourceModule() override { return Edit().GetResourceModule(); }
    void SetResourceModule(HMODULE module) override { Edit().SetResourceModule(module); }
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
    void LoadFromFile(const std::string& fileName, int format) override { Edit().LoadFromFile(fileName, format); }
    void LoadFromMemory(const void* data, int size, int format) override { Edit().LoadFromMemory(data, size, format); }
    void LoadFromByteArray(CZAVByteArray& data, int format) override { Edit().LoadFromByteArray(data, format); }
    void LoadFromResource(HMODULE module, const std::string& name, const std::string& type, int format) override
    {
        Edit().LoadFromResource(module, name, type, format);
    }
    HBITMAP CreateBitmap(HDC dc) override { return Edit().CreateBitmap(dc); }
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
    int GetWidth() override { return Edit().GetWidth(); }
    int GetHeight() override { return Edit().GetHeight(); }
    zavBitsPerPixel GetBitsPerPixel() override { return Edit().GetBitsPerPixel(); }
    int GetBytesPerLine() override { return Edit().GetBytesPerLine(); }
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
    int Clear() override { return Edit().Clear(); }
    void ReleaseExtras() override { Edit().ReleaseExtras(); }
    int HasImage() override { return Edit().HasImage(); }
    int GetDrawerFlag() override { return Edit().GetDrawerFlag(); }
    void SetDrawerFlag(int flag) override { Edit().SetDrawerFlag(flag); }
    int GetUseDrawDib() override { return Edit().GetUseDrawDib(); }
    void SetUseDrawDib(int use) override { Edit().SetUseDrawDib(use); }
    void Create(int width, int height, zavBitsPerPixel bitsPerPixel) override
    {
        Edit().Create(width, height, bitsPerPixel);
    }
    void AttachImageData(HGLOBAL data, int size, int width, int height, zavBitsPerPixel bitsPerPixel) override
    {
        Edit().AttachImageData(data, size, width, height, bitsPerPixel);
    }
    int GetImageSize() override { return Edit().GetImageSize(); }
    HGLOBAL GetImageData() override { return Edit().GetImageData(); }
    HGLOBAL CopyImageData() override { return Edit().CopyImageData(); }
    HGLOBAL DetachImageData() override { return Edit().DetachImageData(); }
    CNameVariantPairs* GetImageInfoList() override { return Edit().GetImageInfoList(); }
    void SetImageInfoList(CNameVariantPairs* list) override { Edit().SetImageInfoList(list); }
    int GetUserData() override { return Edit().GetUserData(); }
    int SetUserData(int value) override { return Edit().SetUserData(value); }
    int GetDrawMode() override { return Edit().GetDrawMode(); }
    void SetDrawMode(int mode) override { Edit().SetDrawMode(mode); }
    COLORREF GetTransparentColor() override { return Edit().GetTransparentColor(); }
    void SetTransparentColor(COLORREF color) override { Edit().SetTransparentColor(color); }

protected:
    ~TZAVImageEditSharedForwarding() = default;

    CZAVImageEdit& Edit() { return *static_cast<CZAVImageEdit*>(this->SpObject()->GetPayload()); }
};

}  // namespace ZAV
