// CZAVImg: the image object. Pixels, masks and palette live in the base;
// this adds the per-format load and save settings, the format registry and
// plug-in list, the drawer, the blend tables and load bookkeeping.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "foundation/containers/ArraySimple.h"
#include "image/blend/BlendModes.h"
#include "image/core/ZAVImgBase.h"
#include "image/drawer/ImgDrawerWithAntialiasing.h"
#include "image/regions/RegionRecord.h"
#include "formats/Jpeg2000MetadataRecord.h"
#include "formats/plugins/ImportExportDlls.h"
#include "formats/registry/FileFormatProviders.h"

struct IPicture;
struct IStream;

namespace ZAV {

class CDataSource;
class CImageOperation;
class IZAVWebRequestSp;

struct CJpeg2000Settings {
    int32_t ints[9] = {1, 1, 99, 0, 0, 0, 0, 0, 0};
    double doubles[2] = {0.0, 0.0};
    int32_t last = 0;
};

struct CGifSettings {
    int32_t flag = 1;
    std::vector<std::string> comments;
    int32_t values[7] = {-1, 100, 0, 0, 0, 0, 1};
};

struct CExrSettings {
    double exposure = 0.0;
    double gamma = 2.2;
    int32_t flag = 1;
};

class CZAVImg : public CZAVImgBase {
public:
    explicit CZAVImg(IProgressNotification* sink = nullptr);
    ~CZAVImg() override;
    CZAVImg(const CZAVImg&) = delete;
    CZAVImg& operator=(const CZAVImg& other);

    const char* GetClassName() const override { return "CZAVImg"; }
    // Puts every setting back to its default; the pixels stay.
    virtual void SetDefaults();
    void Reset() override { SetDefaults(); }
    void Clear() override;
    void ReleaseExtras() override;
    COLORREF GetTransparentColor() const override { return m_transparentColor; }
    void SetTransparentColor(COLORREF color) override;

    // Makes the target a copy of this image's pixels, palette, masks,
    // resolution and transparent colour. Throws when memory runs out.
    void CopyTo(CZAVImg& target) const;

    // Replaces the image by the packed DIB's pixels, palette and resolution;
    // the caller keeps the block. Throws with the DIB's fault.
    void CreateFromDib(HGLOBAL dib);
    // A 24-bit image of the device bitmap, read through the screen DC with
    // the palette (or the screen's own when null). Throws "Error creating
    // Image! " with the kernel's text; the image stays as it was then.
    void CreateFromBitmapHandle(HBITMAP bitmap, HPALETTE palette);
    // A 24-bit copy of the width x height rectangle at (x, y) of the device
    // context, the screen's when null. Throws as CreateFromBitmapHandle.
    void CreateFromDC(HDC dc, int x, int y, int width, int height);
    // The picture's bitmap as a 24-bit image; the picture is then held.
    // Throws "Can't create Image from OLEPicture object!".
    void CreateFromOlePicture(IPicture* picture);
    // The file read whole and loaded as an OLE picture; throws "Error".
    void LoadFromFileThroughOle(const char* path);
    // The image as a packed DIB on the emptied clipboard of the clipboard
    // window.
    void CopyToClipboard();
    // What the clipboard holds, through a temporary file and the OLE load.
    void PasteFromClipboard();

    void SetOlePicture(IPicture* picture);
    // The held picture with a reference added for the caller, or null.
    IPicture* GetOlePicture() const;

    int GetUseAdvancedImgProc() const { return m_useAdvancedImgProc; }
    void SetUseAdvancedImgProc(int value) { m_useAdvancedImgProc = value; }
    CNameVariantPairs* GetImageInfoList() const { return GetImageInfo(); }
    void SetImageInfoList(CNameVariantPairs* info) { SetImageInfo(info); }
    // Bytes a memory target should offer a save: width x height x 3 plus
    // room for headers and palettes.
    int64_t GetSaveBufferSize() const;

    // ---- operations (image/operations): each throws CTextException with
    // the operation's text; a failed or cancelled one leaves the image as
    // it was, and a cancel throws "Operation canceled!" alone ----
    void Resize(int width, int height, bool interpolate);
    void Rotate(double degrees);
    static double NormalizeAngle(double degrees);
    // Between 1, 8, 24 and 32 bits; method and palette flag choose how 24
    // bits are reduced.
    void ConvertBitDepth(int depth, int method, int paletteFlag);
    // Keeps the depth when allowed (9 is 8-bit gray), else converts to the
    // nearest allowed one.
    void ConvertToAllowedBitDepth(const std::set<int>& allowed);
    void FlipHorizontal();
    void FlipVertical();
    void InvertImage();
    void InvertPalette();
    void ConvertToGray();
    void ConvertToGray8();
    void ApplyLookupTable(const BYTE* table);
    void AdjustBrightnessContrast(double brightness, double contrast);
    void SetMinIsBlack();
    void SetMinIsWhite();
    // A 256-wide, height-high 8-bit bar chart of the 256 values.
    void CreateHistogramImage(const uint32_t* values, int count, int height);
    // As Rotate; when the two resolutions differ and the angle is not a
    // quarter turn, the axis of the smaller one is first resampled to the
    // larger. Quarter turns swap the resolutions.
    void RotateWithResolution(double degrees);

    // Neighbourhood filters on 8 and 24 bits; operation 0 sharpen, 1 blur,
    // 2 median, 3 soften, 4 Gaussian; strength in percent.
    void ApplyMatrixOperation(int operation, int strength);
    void Sharpen(int strength);
    void Blur(int strength);
    void Soften(int strength);
    void Median();
    void GaussianBlur();
    // count values make a columns x rows matrix, each divided by divisor.
    void ApplyUserMatrix(const int32_t* values, int count, int divisor, int columns, int rows, int strength,
                         bool addToSource, bool subtractFromSource);
    // A 1-bit image becomes a blurred 8-bit gray one.
    void BlurBitonal();

    // 24 bits: hue shift in degrees, saturation and value in percent.
    void AdjustHsv(int hue, int saturation, int value);
    void ReplaceColor(COLORREF find, COLORREF replacement, uint32_t tolerance, bool replaceOthers, COLORREF other);
    void ConvertToBlackWhite();

    // 256 counts for 8 and 24 bits, 65,536 for 16 and 48; 8 and 16 bits
    // fill only the first array. No empty-image rule: no pixels is "Error".
    void GetHistogram(std::vector<uint32_t>& gray, std::vector<uint32_t>& red, std::vector<uint32_t>& green,
                      std::vector<uint32_t>& blue, int& entries);
    void AdjustColors(const int* layer1, COLORREF color1, const int* layer2, COLORREF color2, const int* layer3,
                      COLORREF color3, const int* layer4, COLORREF color4);
    void AutoLevels(double lowPercent, double highPercent);
    void AutoContrast(double lowPercent, double highPercent);
    void AdaptiveThreshold(int windowWidth, int windowHeight, int offset);
    void CreateContourImage(int size, const BYTE* profile, int profileLength);

    // ---- 16-bit samples to 8 bits (image/hdr) ----
    // Bits 1..16 of each sample are significant; through the advanced
    // image-processing object, into 8-bit gray or 24-bit colour.
    void ScaleHdr(int bitsPerSample);
    // Stretches low..high to the full 16-bit range, then ScaleHdr(16).
    void ScaleHdrToRange(int low, int high);
    // The range from the first and last used value of the histogram.
    void AutoScaleHdr();

    // ---- region operations (image/regions) ----
    // Repaints the specks of an 8- or 24-bit image (CDespeckle).
    void Despeckle(int tolerance, int dotSize);
    // The 8-connected regions of an 8-bit image, one record a label.
    void LabelConnectedComponents(int tolerance, CRegionList& regions);

    // (x2, y2) lies past the rectangle; both clipped to the image.
    void DrawRectangle(int x1, int y1, int x2, int y2, COLORREF color);
    void DrawLine(int x1, int y1, int x2, int y2, COLORREF color);

    // The depths of a set (9 for 8-bit gray), in ascending order, for the
    // interfaces that hand them out as an array.
    static CArraySimple<int32_t, 2> BitsPerPixelSetToArray(const std::set<int>& depths);

    // Converts the image to a depth the format stores and writes that
    // format's save settings; throws for a PDF coding it cannot carry.
    void CheckSaveOptions(int format);

    // ---- load and save (image/io): each throws CTextException ----
    int GetFileFormatFromFile(const char* path);
    int GetFileFormatFromMem(const void* data, int64_t size);
    // The first built-in decoder that accepts the data, 0 when none does.
    int DetectFormatByContent(CDataSource& source);
    // Frames or pages of TIFF, FAX, PSD, GIF and DCX data; 0 for the others.
    int GetPageCount(CDataSource& source, int format);
    // Format 0 or 255 detects it. A failed load leaves the image empty.
    void LoadFromFile(const char* path, int format, int64_t offset = 0);
    void LoadFromMemory(const void* data, int64_t size, int format);
    void LoadByFormat(CDataSource& source, int format);
    void SaveToFile(const char* path, int format, int64_t* bytesWritten);
    // Writes at most size bytes into the block; a picture that needs more
    // fails.
    void SaveToMemory(void* block, int64_t size, int format, int64_t* bytesWritten);
    void SaveByFormat(CDataSource& target, int format, int64_t& bytesWritten);
    void SaveMultipageToFile(const char* path, CZAVImg** images, int count, int format, int flag,
                             int64_t* bytesWritten);
    // Writes at most size bytes into the block.
    void SaveMultipageToMem(CZAVImg** images, int count, void* block, int64_t size, int format, int flag,
                            int64_t* bytesWritten);
    // Fetches the bytes through the caller's request object on a worker
    // thread and loads them; the request's failure text, "Can't create
    // worker thread!" and "Web request returned no data!" leave the image.
    void LoadFromWebRequest(IZAVWebRequestSp* request, const char* url, int format);
    // Through the global block of a stream made on global memory.
    void LoadFromStream(IStream* stream, int format);
    void SaveToStream(IStream* stream, int format);
    void LoadFromResource(HMODULE module, const char* name, const char* type, int format);
    // The facts of the page the page index selects, into the information
    // list in use (the image's own when none is), pixels not decoded.
    void GetFileInfoFromFile(const char* path, int format);
    bool GetFileInfoByFormat(CDataSource& source, int format);
    // Format 0 or 255 detects it first.
    int GetPageCountFromFile(const char* path, int format);
    int GetPageCountFromMem(const void* data, int64_t size, int format);
    // Five texts per EXIF entry into tags (group, tag, name, description,
    // value); from a file the EXIF thumbnail, when there is one, becomes
    // this image. Both throw the reader's error text.
    void ReadExif(const char* path, std::vector<std::string>& tags);
    void ReadExifFromMem(const void* data, int64_t size, std::vector<std::string>& tags);

    // Binds an image-format plug-in and gives its format id; throws the
    // plug-in list's error text.
    int AddImportExportDll(const char* path);

    CFileFormatProviders& GetProviders() { return m_providers; }
    CImportExportDlls& GetImportExportDlls() { return m_dlls; }
    CZAVImgDrawerWithAntialiasing& GetDrawer() { return m_drawer; }

    // ---- blend modes and overlays (image/blend) ----
    // The overlay blend mode of a layer key ("norm", "mul", ...); throws
    // "Unsupported PSD blendmode!" for an unknown key.
    int BlendModeFromPsdKey(const std::string& key);
    // The table of the overlay blend mode's function, built on first use;
    // stays null for the modes without a table.
    void GetBlendTable(BYTE*& table);
    BYTE* GetOrBuildBlendTable(BYTE*& table, BlendFunction function);
    // A new table of the function replaces the old one.
    void BuildBlendTable(BYTE*& table, BlendFunction function);
    // The overlay has this image's depth and lies at (x, y); opacity in
    // percent. Each throws on a refused depth or a failed kernel and then
    // leaves the image as it was; an image without pixels stays unchanged.
    void OverlayBlended(const BYTE* overlay, int overlayWidth, int overlayHeight, int x, int y, double opacity,
                        int fast);
    void OverlayWithMask(const BYTE* overlay, int overlayWidth, int overlayHeight, const BYTE* mask, int x, int y);
    // Overlay pixels equal to the transparent value (a gray for 8 bits) are
    // skipped.
    void OverlayWithOpacity(const BYTE* overlay, int overlayWidth, int overlayHeight, int x, int y, double opacity,
                            int fast, COLORREF transparent);
    void OverlayTransparentColor(const BYTE* overlay, int overlayWidth, int overlayHeight, int x, int y,
                                 COLORREF transparent);
    // Lays the decoded layer frames of a PSD document over the image, bottom
    // first: element i is layer i, and its placement, blend key, opacity,
    // fill opacity, visibility and user-mask rectangle, colour and flags come
    // from the facts "Layer<i>..." of the frame's information list; its
    // transparency is the frame's mask and its user mask the second mask
    // (outside its rectangle, the mask's colour). Hidden and empty layers
    // are skipped; frames of another depth are converted first. 8 and 24
    // bits, as OverlayWithMask; any refusal leaves the image as it was.
    void CompositePsdLayers(const std::vector<const CZAVImg*>& layers);

    // ---- settings, in declared order ----
    BYTE* m_blendTables[kBlendTableCount] = {};
    int32_t m_prepareBeforeSave = 1;
    int32_t m_tiffCompression = 1;
    int32_t m_jpegOptionA = 0;
    int32_t m_jpegQuality = 60;
    int32_t m_jpegGray = 0;
    int32_t m_bmpOption = 0;
    int32_t m_tiffOptionA = 2;
    int32_t m_tiffOptionB = 0;
    int32_t m_ccittOptionA = 0;
    int32_t m_ccittOptionB = 1;
    int32_t m_pngColorType = 2;
    int32_t m_pngInterlace = 0;
    int32_t m_spareWord = 0;
    int32_t m_psdOptionA = 0;
    int32_t m_portableMapOption = 0;
    int32_t m_gifEnabled = 1;
    int32_t m_psdOptionB = 1;
    // Non-zero keeps 16-bit samples on load; 0 reduces them to 8 bits.
    int32_t m_highDynamicRange = 1;
    CJpeg2000Settings m_jpeg2000;
    Jpeg2000MetadataRecord m_jpeg2000Metadata;
    int32_t m_useAdvancedImgProc = 0;
    int32_t m_jbig2Settings[8] = {0, 10, 20, 0, 0, 0, 1, 5};
    String m_settingTexts[7];
    int32_t m_pdfImageCoding = 5;
    CGifSettings m_gif;
    CExrSettings m_exr;
    COLORREF m_metafileBackground = 0xFFFFFF;
    int32_t m_spareSetting = 0;
    int32_t m_magickSettings[5] = {0, 0, 0, 72, 0xFFFFFF};
    COLORREF m_transparentColor = 0xFFFFFF;
    int32_t m_detectByExtension = 1;
    std::string m_lastLoadedFile;
    int32_t m_iccOption = 0;
    String m_spareTexts[2];
    int32_t m_spareWords[2] = {1, 1};

protected:
    // Installs a filled block as the pixels of the given layout; the palette
    // and resolution stay.
    void InstallPixels(CGlobalMemBlock& block, int width, int height, int bitsPerPixel);
    // Clears the image and makes the kernel's new block its pixels: the end
    // of every creation from a Windows object.
    void AdoptCreatedPixels(HGLOBAL pixels, int width, int height, int bitsPerPixel);
    friend class CImageOperation;
    void FitForGrayOrTrueColour();
    void FitForTiffCoding(bool forPdf);
    void FitForPdf();
    bool HasBuiltInDecoder(int format) const;
    void DecodeBuiltIn(CDataSource& source, int format);
    void EncodeBuiltIn(CDataSource& target, int format, int64_t& bytesWritten, const char* otherFailure);
    const CFileFormatProvider* PrepareSave(int format);
    void ReduceHdrSamples(CImageOperation& operation, CGlobalMemBlock& samples, int bitsPerSample);

private:
    IPicture* m_olePicture = nullptr;

public:
    int32_t m_fastThumb[3] = {0, 0, 0};

private:
    CFileFormatProviders m_providers;

public:
    int32_t m_overlayBlendMode = 0;
    int32_t m_spareSwitch = 1;

private:
    CImportExportDlls m_dlls;
    CZAVImgDrawerWithAntialiasing m_drawer;
};

}  // namespace ZAV
