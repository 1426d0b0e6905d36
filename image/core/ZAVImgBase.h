// CZAVImgBase: the pixel store under the image object. One global-memory
// pixel block chosen by the depth, two optional 8-bit masks, a palette, the
// resolution, a row-pointer array, the last error text, a progress sink and
// the image-information list. Rows are top-down and unpadded; 24-bit pixels
// are red, green, blue in memory. Used from one thread at a time.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/IProgressNotification.h"
#include "foundation/containers/NameVariantPairs.h"
#include "foundation/text/String.h"
#include "image/core/GlobalMemBlock.h"
#include "image/core/ImagePalette.h"
#include "image/core/SystemVersionRecord.h"
#include "image/dib/ByteBuffer.h"
#include "platform/WinTypes.h"
#include "platform/gdi/GdiTypes.h"

namespace ZAV {

// Pixel depths. 9 is 8-bit storage read as gray; 25 is 24-bit pixels with a
// caller-given row width.
enum zavBitsPerPixel : int32_t {
    zavbpp1 = 1,
    zavbpp8 = 8,
    zavbpp9 = 9,
    zavbpp16 = 16,
    zavbpp24 = 24,
    zavbpp25 = 25,
    zavbpp32 = 32,
    zavbpp48 = 48,
};

// Units of ConvertResolution.
constexpr int kResolutionUnitInch = 1;
constexpr int kResolutionUnitMetre = 2;

class CZAVImgBase : public IProgressNotification {
public:
    explicit CZAVImgBase(IProgressNotification* sink = nullptr);
    ~CZAVImgBase() override;
    CZAVImgBase(const CZAVImgBase&) = delete;
    CZAVImgBase& operator=(const CZAVImgBase&) = delete;

    // An image can itself serve as the progress sink of another.
    int OnProgress(double) override { return 1; }
    void OnBegin() override {}
    void OnEnd() override {}
    void OnThreadStarted() override {}
    void OnThreadFinished(int) override {}
    void OnImageChanged() override {}

    virtual const char* GetClassName() const = 0;
    // Sizes, depth and masks' sizes to 0, resolution to the screen's, the
    // information list and the row array dropped. Blocks and palette kept.
    virtual void Reset();
    // Frees pixels, masks and palette, then Reset and NotifyChanged.
    virtual void Clear();
    // What a derived image holds besides pixels.
    virtual void ReleaseExtras() {}
    // A zero-filled image of 1, 8, 16, 24, 32 or 48 bits: 1, or 0 with
    // "Invalid Size!" / "Invalid bits per pixel value!" and the old image kept.
    virtual int Create(int width, int height, int bitsPerPixel);
    virtual COLORREF GetTransparentColor() const = 0;
    virtual void SetTransparentColor(COLORREF color) = 0;

    // ---- life and layout ----
    // Takes over the caller's block (size bytes) as the pixels.
    void Attach(CGlobalMemBlock& data, int64_t size, int width, int height, int bitsPerPixel);
    // Bytes per line, bytes per pixel and image size from the depth; the row
    // width is used for depth 25 only.
    void SetLayout(int rowBytes = 0);
    // Bytes per line x height in 64 bits; -1 for an unknown depth.
    static int64_t CalcImageSize(int width, int height, int rowBytes, int bitsPerPixel);
    static int64_t CalcImageSize(int width, int height, int bitsPerPixel);
    // Bytes per line of a depth; -1 for an unknown one (25 takes rowBytes).
    static int64_t CalcBytesPerLine(int width, int rowBytes, int bitsPerPixel);
    int BuildLineArray();
    BYTE** GetLineArray() { return m_lines.empty() ? nullptr : m_lines.data(); }

    // ---- access ----
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetBitsPerPixel() const { return m_bitsPerPixel; }
    int GetBytesPerLine() const { return m_bytesPerLine; }
    int GetBytesPerPixel() const { return m_bytesPerPixel; }
    int GetImageSize() const { return m_imageSize; }
    CGlobalMemBlock* GetDataBlock();
    const CGlobalMemBlock* GetDataBlock() const;
    HGLOBAL GetImageData() const;
    // Throws "No imagedata available" when the depth has no block.
    HGLOBAL GetImageDataChecked() const;
    HGLOBAL DetachImageData();
    // A new GPTR copy of the pixels; null when there are none.
    HGLOBAL CopyImageData() const;
    bool HasImage() const;
    bool IsGrayScale() const;
    int CreateDefaultPalette() { return m_palette.CreateDefault(m_bitsPerPixel); }
    CImagePalette& GetPalette() { return m_palette; }
    const CImagePalette& GetPalette() const { return m_palette; }
    const String& GetErrorText() const { return m_errorText; }
    void SetErrorText(const char* text) { m_errorText = String(text); }
    IProgressNotification* GetNotification() const { return m_sink; }
    const CSystemVersionRecord& GetSystemVersion() const { return m_version; }

    // The information list in use (set by the image object) and its own one.
    CNameVariantPairs* GetImageInfo() const { return m_imageInfo; }
    void SetImageInfo(CNameVariantPairs* info) { m_imageInfo = info; }
    CNameVariantPairs& GetOwnImageInfo() { return m_ownImageInfo; }

    // Without bounds checks: callers keep x and y inside the image.
    BYTE GetPixel8(int x, int y) const;
    void SetPixel8(int x, int y, BYTE value);
    COLORREF GetPixel24(int x, int y) const;
    void SetPixel24(int x, int y, COLORREF color);

    // ---- masks (one byte a pixel) ----
    int SetMask(HGLOBAL handle, int64_t size);
    int SetMask2(HGLOBAL handle, int64_t size);
    HGLOBAL GetMask() const { return m_mask.GetHandle(); }
    HGLOBAL GetMask2() const { return m_mask2.GetHandle(); }
    HGLOBAL CopyMask() const;
    HGLOBAL CopyMask2() const;
    HGLOBAL DetachMask();
    HGLOBAL DetachMask2();
    int GetMaskSize() const { return m_maskSize; }
    int GetMask2Size() const { return m_mask2Size; }
    int GetMask2Width() const { return m_mask2Width; }
    int GetMask2Height() const { return m_mask2Height; }
    void SetMask2Dimensions(int width, int height);
    void RemoveMasks();

    // ---- resolution ----
    // Dots per inch (unit 1) unchanged, dots per metre (unit 2) converted;
    // other units give 0; a result of 0 or 1 takes the screen's values.
    static void ConvertResolution(int x, int y, int unit, int& outX, int& outY);
    int GetXResolution() const { return m_xResolution; }
    int GetYResolution() const { return m_yResolution; }
    // A value of 0 or less takes the screen's.
    void SetXResolution(int dpi);
    void SetYResolution(int dpi);
    void SetResolution(int x, int y, int unit);

    // ---- unit conversions ----
    static int HiMetricToPixels(int value, int dpi);
    static int PixelsToHiMetric(int value, int dpi);
    static int TwipsToPixels(int value, int dpi);
    static int PixelsToTwips(int value, int dpi);
    SIZE HiMetricToImagePixels(const SIZE& size) const;
    SIZE ImagePixelsToHiMetric(const SIZE& size) const;
    SIZE TwipsToImagePixels(const SIZE& size) const;
    SIZE ImagePixelsToTwips(const SIZE& size) const;
    // The same with a device's resolution; a null DC stands for the screen.
    static SIZE HiMetricToDevicePixels(HDC dc, const SIZE& size);
    static SIZE DevicePixelsToHiMetric(HDC dc, const SIZE& size);
    static SIZE TwipsToDevicePixels(HDC dc, const SIZE& size);
    static SIZE DevicePixelsToTwips(HDC dc, const SIZE& size);

    // ---- rectangles (inclusive) ----
    void ClampRect(RECT& rect) const;
    static void ClampArea(int width, int height, int& x, int& y, int& w, int& h);
    static void CalcAlignedRect(const RECT& target, const SIZE& size, int alignment, bool keepProportions,
                                bool fitWidth, bool fitHeight, RECT& out);

    // ---- crop and copy (1, 8 and 24 bits) ----
    void Crop(const RECT& rect);
    void CopyRect(const RECT& rect, CGlobalMemBlock& target, int& size) const;
    // As CopyRect; the coordinates come back clamped.
    void CopyRectEx(int& left, int& top, int& right, int& bottom, CGlobalMemBlock& target, int& size) const;

    // Tells the sink the pixels changed; the error text survives the call.
    void NotifyChanged();

    // ---- DIBs and device bitmaps (image/dib) ----
    // The image as a packed DIB in the target (its old block freed first);
    // throws "Error" for depths other than 1, 8, 24, 48 and "Error DIB"
    // when none can be made.
    void CreateDIB(HDC dc, CGlobalHandle& target) const;
    // A device bitmap for the DC; 1 and 8 bits hand their GDI palette to
    // the shared handle. Throws "Error" when none can be made.
    HBITMAP CreateBitmap(HDC dc, CSharedPaletteHandle& palette) const;

    // The guard word of the operation guard.
    int GetGuardWord() const { return m_guardRect.left; }
    void SetGuardWord(int value) { m_guardRect.left = value; }

    // Set by the image object.
    int m_loadMilliseconds = 0;
    int m_saveMilliseconds = 0;
    void* m_clipboardWindow = nullptr;
    int m_pageIndex = 0;

protected:
    void ResetBase();
    void FreePixelBlocks();
    // Throws Attach's texts unless the block can be the pixels of that size
    // and depth; every depth Create makes is accepted.
    static void CheckPixelBlock(const CGlobalMemBlock& data, int64_t size, int width, int height, int bitsPerPixel);
    // Takes over a block CheckPixelBlock accepted as the pixels; the palette,
    // masks and resolution are left to the caller.
    void AdoptPixels(CGlobalMemBlock& data, int width, int height, int bitsPerPixel);
    // The block a depth keeps its pixels in; null for an unknown depth.
    CGlobalMemBlock* BlockForDepth(int bitsPerPixel);
    const CGlobalMemBlock* BlockForDepth(int bitsPerPixel) const;
    // The checked area of a crop, or false when it is empty after clamping.
    bool ClampedCropArea(RECT& rect) const;
    // Copies the clamped rectangle into a new block of the target.
    void CropInto(const RECT& clamped, CGlobalMemBlock& target) const;

    CGlobalMemBlock m_bits1;
    CGlobalMemBlock m_bits8;
    CGlobalMemBlock m_bitsTrue;
    CGlobalMemBlock m_mask;
    int32_t m_maskSize = 0;
    CGlobalMemBlock m_mask2;
    int32_t m_mask2Size = 0;
    int32_t m_mask2Width = 0;
    int32_t m_mask2Height = 0;
    CImagePalette m_palette;
    int32_t m_cleared = 0;
    int32_t m_bitsPerPixel = 0;
    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_bytesPerLine = 0;
    int32_t m_bytesPerPixel = 0;
    int32_t m_imageSize = 0;
    int32_t m_xResolution = 0;
    int32_t m_yResolution = 0;
    int32_t m_reserved = 0;
    int32_t m_created = -1;
    RECT m_guardRect{0, 0, 0, 0};
    CNameVariantPairs* m_imageInfo = nullptr;
    CNameVariantPairs m_ownImageInfo;
    std::vector<BYTE*> m_lines;
    String m_errorText;
    IProgressNotification* m_sink = nullptr;
    CSystemVersionRecord m_version;

    friend class CImageLayoutSnapshot;
};

}  // namespace ZAV
