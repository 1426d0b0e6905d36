// CImgKernels: the context every pixel operation runs its kernels in. It
// carries the error text and code a kernel leaves behind, the image's
// progress sink, the choice between DIB sections and device-dependent
// bitmaps, and optionally an advanced image-processing object.
//
// Kernels return 1 on success and 0 on failure; the caller reads the error
// text only after a 0. They never throw.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/IProgressNotification.h"
#include "foundation/text/String.h"
#include "foundation/objects/ZAVInterfaces.h"
#include "image/core/GlobalMemBlock.h"
#include "platform/WinTypes.h"
#include "platform/gdi/GdiTypes.h"

namespace ZAV {

// The texts kernels share.
constexpr const char kTextInvalidParameter[] = "Invalid Parameter!";
constexpr const char kTextOutOfMemory[] = "Out of memory!";
constexpr const char kTextOperationCanceled[] = "Operation canceled!";

// Error codes of the numeric error field.
enum zavKernelError : int32_t {
    zavkeNone = 0,
    zavkeMissingInput = 105,           // a missing buffer or an argument out of range
    zavkeRleBeyondTop = 106,           // run-length data beyond the top row
    zavkeCompressionMismatch = 107,    // compression and bit count don't match
    zavkeNoCompatibleDC = 110,
    zavkeUnsupportedConversion = 117,  // unsupported depth conversion
    zavkeDeviceCapability = 126,       // the device lacks the capability
    zavkeUnsupportedTargetDepth = 128,
    zavkeBitBltFailed = 129,
    zavkeBitmapCreation = 135,
    zavkeSelectBitmap64 = 137,         // selecting the bitmap failed on a 64-bit-bitmap device
    zavkeNoDibSectionBits = 140,
};

class CImgKernels {
public:
    explicit CImgKernels(IProgressNotification* sink = nullptr);
    ~CImgKernels();
    CImgKernels(const CImgKernels&) = delete;
    CImgKernels& operator=(const CImgKernels&) = delete;

    // ---- error state ----
    const String& GetErrorText() const { return m_errorText; }
    String& ErrorText() { return m_errorText; }
    int32_t GetErrorCode() const { return m_errorCode; }
    void SetErrorText(const char* text) { m_errorText = String(text); }
    void SetErrorCode(int32_t code) { m_errorCode = code; }
    // Every kernel empties the text first.
    void ClearErrorText() { m_errorText = String(); }
    // Sets the text and returns 0, the failed result of a kernel.
    int Fail(const char* text);
    // Sets the code and returns 0.
    int FailCode(int32_t code);

    IProgressNotification* GetNotification() const { return m_sink; }

    // 1: bitmaps are made as DIB sections; 0: as device-dependent bitmaps.
    int GetUseDibSection() const { return m_useDibSection; }
    void SetUseDibSection(int use) { m_useDibSection = use; }

    // Holds the advanced image-processing object with one reference of its
    // own (AddRef on the new one, Release on the old one).
    void SetAdvancedImgProc(IZAVUnknownSp* advanced);
    IZAVUnknownSp* GetAdvancedImgProc() const { return m_advanced; }

    // ---- colour functions ----
    // Equal colours always match; with a tolerance, when the sum of the
    // squared channel differences does not exceed it.
    static bool ColorsMatch(COLORREF a, COLORREF b, uint32_t tolerance);
    static int GetColorLuminance(COLORREF color);
    // a when darker than b, else b (ties give b).
    static COLORREF DarkerColor(COLORREF a, COLORREF b);
    // Nearest entry by the table of squares, which is indexed by the signed
    // channel difference (-255..255, so squares points at the entry for 0);
    // the first exact match ends the search; 0 for an empty palette.
    static int FindNearestPaletteIndex(int red, int green, int blue, const int* squares, const uint32_t* entries,
                                       int count);

    // ---- crop ----
    // Copies the w x h area at (x, y) of a source with bytesPerPixel-byte
    // pixels into a packed target.
    int CropBytes(const BYTE* source, BYTE* target, int sourceWidth, int sourceHeight, int bytesPerPixel, int x, int y,
                  int w, int h);
    // The same for 1-bit rows (most significant bit first); target bits
    // beyond w are left as they are.
    int CropBits(const BYTE* source, BYTE* target, int sourceWidth, int sourceHeight, int x, int y, int w, int h);

    // ---- gray, depth steps, colour replacement, HSV and inversion ----
    // (kernels/color) Palettes are entries blue, green, red, alpha.
    int ConvertToGray24(BYTE* data, int width, int height);
    int Gray24To8(const BYTE* source, int width, int height, BYTE* target);
    // Needs 256 entries; every index becomes the gray of its entry.
    int Palette8ToGray(BYTE* data, int width, int height, int paletteCount, const uint32_t* palette);
    // Needs 2 entries. Rows 0, 20, 40, ... send no progress report.
    int Bitonal1To8Gray(const BYTE* source, int width, int height, int paletteCount, const uint32_t* palette,
                        BYTE* target);
    int Indexed8To24(const BYTE* source, BYTE* target, int width, int height, int paletteCount,
                     const uint32_t* palette);
    int Expand24To32(const BYTE* source, int width, int height, BYTE fourth, BYTE* target);
    int Reduce32To24(const BYTE* source, int width, int height, BYTE* target);
    // Tolerance 0 matches equal colours only, else a squared distance up to it.
    int ReplaceColor(BYTE* data, int width, int height, COLORREF find, COLORREF replacement, uint32_t tolerance,
                     bool replaceOthers, COLORREF other);
    // Hue shift in degrees (-180..180), saturation and value in percent
    // (-100..100). Gray pixels stay gray.
    int AdjustHsv(BYTE* data, int width, int height, int hueShift, int saturation, int value);
    int InvertBytes(BYTE* data, int rowBytes, int rows);
    int InvertBitonal(BYTE* data, int rowBytes, int rows);
    // Two entries swap places; more are inverted colour by colour.
    int InvertPalette(int count, uint32_t* palette);

    // ---- rotation and flips ---- (kernels/geometry)
    // A new GPTR block (the caller's) holding the image turned by the angle
    // (radians), nearest neighbour; outside pixels take the background gray
    // (8 bits) or colour. Null with the error text on failure.
    HGLOBAL RotateAnyAngle(const BYTE* source, int width, int height, double angle, COLORREF background,
                           int& newWidth, int& newHeight, BYTE backgroundGray, bool eightBit);
    // Turn 0: 90 degrees clockwise, 1: 180, 2: 270 (90 counter-clockwise).
    int RotateExact(BYTE* data, int width, int height, int turn, int bytesPerPixel);
    int Rotate90(BYTE* data, int width, int height, int bytesPerPixel);
    int Rotate180(BYTE* data, int width, int height, int bytesPerPixel);
    int Rotate270(BYTE* data, int width, int height, int bytesPerPixel);
    int FlipVertical(BYTE* data, int rowBytes, int rows);
    int FlipHorizontal(BYTE* data, int width, int height, int bytesPerPixel);
    int FlipHorizontal1(BYTE* data, int width, int rows);

    // ---- resizing and depth conversion ---- (kernels/resize)
    // Into the caller's target buffer; positions scale without a half-pixel
    // offset and truncate.
    int ResizeNearest(const BYTE* source, int sourceWidth, int sourceHeight, int bytesPerPixel, BYTE* target,
                      int targetWidth, int targetHeight);
    int ResizeBilinearChecked(const BYTE* source, int sourceWidth, int sourceHeight, int bytesPerPixel,
                              BYTE* target, int targetWidth, int targetHeight);
    int ResizeBilinear(const BYTE* source, int sourceWidth, int sourceHeight, int bytesPerPixel, BYTE* target,
                       int targetWidth, int targetHeight);
    int ResizePaletteBilinear(const BYTE* source, int sourceWidth, int sourceHeight, int paletteCount,
                              const uint32_t* palette, BYTE* target, int targetWidth, int targetHeight);
    int ResizeRounded1(const BYTE* source, int sourceWidth, int sourceHeight, BYTE* target, int targetWidth,
                       int targetHeight);
    // Each makes a new GPTR block (the caller's on success); an 8-bit result
    // fills the caller's 256-entry palette.
    int Convert1To8(const BYTE* source, int width, int height, int paletteCount, const uint32_t* palette,
                    HGLOBAL& target, uint32_t* targetPalette);
    int Convert1To24(const BYTE* source, int width, int height, int paletteCount, const uint32_t* palette,
                     HGLOBAL& target);
    int Convert8To24(const BYTE* source, int width, int height, int paletteCount, const uint32_t* palette,
                     HGLOBAL& target);
    int Convert24To8(const BYTE* source, int width, int height, bool twoPass, int ditherMode, HGLOBAL& target,
                     uint32_t* targetPalette, int& colorCount);
    int Convert24To1(const BYTE* source, int width, int height, HGLOBAL& target, uint32_t* targetPalette,
                     int& colorCount);
    int Convert8To1(const BYTE* source, int width, int height, HGLOBAL& target);
    int Convert8To1ViaColor(const BYTE* source, int width, int height, int paletteCount, const uint32_t* palette,
                            HGLOBAL& target, uint32_t* targetPalette, int& colorCount);

    // ---- raster primitives ----
    // The colour is red, green, blue in its low three bytes (a COLORREF).
    // Rectangles are clipped to the image on all sides.
    int FillRect24(BYTE* data, int width, int height, int x, int y, int w, int h, COLORREF color);
    int FillRect8(BYTE* data, int width, int height, int x, int y, int w, int h, BYTE value);
    // 1-bit rows of rowBytes bytes; bits are set for a non-zero colour.
    int FillRect1(BYTE* data, int rowBytes, int width, int height, int x, int y, int w, int h, COLORREF color);
    // Depth 1, 8, 24 or 32; pixels outside the image are skipped. A
    // horizontal line in a 32-bit image is refused.
    int DrawLine(BYTE* data, int width, int height, int rowBytes, int depth, int x1, int y1, int x2, int y2,
                 COLORREF color);

    // ---- channel order and DIB rows ----
    // Swaps red and blue of width x height 3-byte pixels; code 105 for null.
    int SwapRedBlue(BYTE* data, int width, int height);
    // One DIB row (blue first, bitCount 1, 4, 8, 16, 24, 32 or 48) into an
    // image row (red first). masks: red, green, blue bit fields or null.
    void DibRowToImage(const BYTE* source, BYTE* target, int pixelCount, int bitCount, const uint32_t* palette,
                       const uint32_t* masks);
    // Packs width x height one-byte values into one bit stream of bits each.
    int PackIndices(const BYTE* source, int width, int height, BYTE* target, int bitsPerPixel);
    // Copies min(source stride, target stride) bytes of each row.
    int CopyRows(const BYTE* source, int sourceStride, int rows, int targetStride, BYTE* target);

    // ---- histograms, look-up tables, levels and threshold ----
    // 16- and 48-bit pixels hold 16-bit samples, low byte first. Channel
    // masks: 1 red, 2 green, 4 blue, 7 all three (0 is refused).
    // Histograms: 256 counts for 8 and 24 bits, 65,536 for 16 and 48 bits;
    // the gray of a colour pixel is the average, or with the luminance flag
    // the luminance.
    int Histogram24(const BYTE* pixels, int width, int height, uint32_t* gray, uint32_t* red, uint32_t* green,
                    uint32_t* blue, int luminance);
    int Histogram48(const BYTE* pixels, int width, int height, uint32_t* gray, uint32_t* red, uint32_t* green,
                    uint32_t* blue, int luminance);
    int Histogram8(const BYTE* pixels, int width, int height, uint32_t* counts);
    int Histogram16(const BYTE* pixels, int width, int height, uint32_t* counts);
    // In place, through a table of 256 bytes or 65,536 samples.
    int ApplyLut24(BYTE* pixels, int width, int height, int channelMask, const BYTE* table);
    int ApplyLut48(BYTE* pixels, int width, int height, int channelMask, const uint16_t* table);
    int ApplyLut8(BYTE* pixels, int width, int height, const BYTE* table);
    int ApplyLut16(BYTE* pixels, int width, int height, const uint16_t* table);
    int ApplyLutPalette(uint32_t* entries, int count, int channelMask, const BYTE* table);
    // Linear stretch of low..high to the full range; a range below 1 changes
    // nothing.
    int Stretch8(BYTE* pixels, int width, int height, int low, int high);
    int Stretch24(BYTE* pixels, int width, int height, int low, int high);
    int Stretch16(BYTE* pixels, int width, int height, int low, int high);
    int Stretch48(BYTE* pixels, int width, int height, int low, int high);
    int StretchChannel48(BYTE* pixels, int width, int height, double factor, int low, int channelMask);
    // The clips are percentages of the pixels left out at each end.
    int AutoContrast24(BYTE* pixels, int width, int height, double lowPercent, double highPercent);
    int AutoContrast48(BYTE* pixels, int width, int height, double lowPercent, double highPercent);
    int AutoContrast8(BYTE* pixels, int width, int height, double lowPercent, double highPercent);
    int AutoContrast16(BYTE* pixels, int width, int height, double lowPercent, double highPercent);
    int AutoLevels24(BYTE* pixels, int width, int height, double lowPercent, double highPercent);
    int AutoLevels48(BYTE* pixels, int width, int height, double lowPercent, double highPercent);
    int AutoLevels8(BYTE* pixels, int width, int height, double lowPercent, double highPercent);
    int AutoLevels16(BYTE* pixels, int width, int height, double lowPercent, double highPercent);
    // Every target pixel 0 or 255 by the mean of its window (cut to the
    // image near the edges) plus the offset.
    int AdaptiveThreshold(const BYTE* source, int width, int height, int windowWidth, int windowHeight, int offset,
                          BYTE* target);
    // Every value that is not full white becomes black.
    int ConvertToBlackWhite(BYTE* pixels, int width, int height, int is24Bit);

    // ---- overlays ----
    // The overlay's top-left corner lies at (x, y) of the base (negative
    // allowed); only the overlap changes. Opacity is limited to 0..1; the
    // fast flag mixes with truncated parts. Blend tables hold
    // table[base x 256 + overlay]; colour modes: 1 hue, 2 saturation,
    // 3 colour, 4 luminosity. Masks hold one byte per overlay pixel.
    int OverlayOpacity24(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth,
                         int overlayHeight, int x, int y, double opacity, int fast);
    int OverlayOpacity8(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth,
                        int overlayHeight, int x, int y, double opacity, int fast);
    int OverlayBlendTable24(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth,
                            int overlayHeight, int x, int y, double opacity, const BYTE* table);
    int OverlayBlendTable8(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth,
                           int overlayHeight, int x, int y, double opacity, const BYTE* table);
    int OverlayColorMode24(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth,
                           int overlayHeight, int x, int y, double opacity, int mode);
    int OverlayTransparent24(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth,
                             int overlayHeight, int x, int y, double opacity, COLORREF transparent, int fast);
    int OverlayTransparent8(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth,
                            int overlayHeight, int x, int y, double opacity, BYTE transparent, int fast);
    int OverlayMask24(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth,
                      int overlayHeight, const BYTE* mask, int x, int y);
    int OverlayMask8(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth,
                     int overlayHeight, const BYTE* mask, int x, int y);
    int OverlayMaskBlendTable24(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth,
                                int overlayHeight, const BYTE* mask, int x, int y, const BYTE* table);
    int OverlayMaskColorMode24(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth,
                               int overlayHeight, const BYTE* mask, int x, int y, int mode);
    int CopyNonTransparent24(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth,
                             int overlayHeight, int x, int y, COLORREF transparent);
    // 1-bit rows; with the OR flag only set overlay bits reach the base.
    int CopyBits1(BYTE* base, int baseWidth, int baseHeight, const BYTE* overlay, int overlayWidth, int overlayHeight,
                  int x, int y, int orFlag);
    // Mode 0: first AND second, mode 1: XOR, byte by byte over 24-bit rows.
    int CombineMask24(BYTE* first, const BYTE* second, int width, int height, int mode);

    // ---- brightness, contrast, colour layers, contours ----
    // Brightness and contrast in -1..1 (values beyond are limited).
    int BrightnessContrast24(BYTE* pixels, int width, int height, double brightness, double contrast);
    int BrightnessContrast48(BYTE* pixels, int width, int height, double brightness, double contrast);
    int BrightnessContrast8(BYTE* pixels, int width, int height, double brightness, double contrast);
    int BrightnessContrast16(BYTE* pixels, int width, int height, double brightness, double contrast);
    int BrightnessContrastPalette(uint32_t* entries, int count, double brightness, double contrast);
    // Rebuilds every 24-bit pixel from up to four ink layers (taken until the
    // first null curve): each curve gives the ink amount of a gray level,
    // each colour the ink's colour. The curves are only read.
    int AdjustColors(BYTE* pixels, int width, int height, const int* layer1, COLORREF color1, const int* layer2,
                     COLORREF color2, const int* layer3, COLORREF color3, const int* layer4, COLORREF color4);
    // The white areas of an 8-bit source as rims of size pixels shaded by the
    // profile; the blend table keeps the nearer distance where brushes meet.
    int CreateContourImage(const BYTE* source, int width, int height, int size, const BYTE* profile,
                           int profileLength, const BYTE* blendTable, BYTE* target);
    // A square of 2 x size - 1 bytes: the ramp entry of each pixel's distance
    // from the centre, at most size - 1.
    int BuildDistanceBrush(const BYTE* ramp, int size, std::vector<BYTE>& brush, int& width, int& height);

    // ---- DIB bridge ---- (image/dib)
    // Packed DIBs (GPTR blocks: header, colour table, bottom-up rows) from
    // image rows; the resolution in dots per inch goes into the header.
    HGLOBAL Image24ToDib(const BYTE* data, int width, int height, int xDpi, int yDpi);
    HGLOBAL Image48ToDib(const BYTE* data, int width, int height, int xDpi, int yDpi);
    // 8-bit indices packed to targetBits (1, 4 or 8) with the first
    // colourCount entries of the palette.
    HGLOBAL Image8ToDib(const BYTE* data, int width, int height, int colourCount, int targetBits,
                        const uint32_t* palette, int xDpi, int yDpi);
    // 1-bit rows of rowBytes bytes with two palette entries.
    HGLOBAL Image1ToDib(const BYTE* data, int width, int height, int rowBytes, const uint32_t* palette, int xDpi,
                        int yDpi);
    // Image rows (24 bits red first, top-down) from a packed DIB that is
    // checked against its block first; null with the error text or code.
    HGLOBAL DibToImage24(HGLOBAL dib, int& width, int& height);
    // 8-bit indices (target 8) or 1-bit rows (target 1) from a DIB of at
    // most 8 bits; the colour table goes to palette (256 entries).
    HGLOBAL DibToImage8(HGLOBAL dib, int targetBits, int& width, int& height, int& colourCount, uint32_t* palette);
    // Run-length coded bits (length bytes) to a top-down block of 8-bit
    // indices or 24-bit colours; palette holds 256 entries.
    HGLOBAL DecodeRleDib(const BYTE* bits, size_t length, int targetBits, const BITMAPINFOHEADER& header,
                         int colourCount, const uint32_t* palette);

    // Device bitmaps and GDI palettes.
    HBITMAP DibToBitmap(HGLOBAL dib, HPALETTE palette, HDC dc);
    HBITMAP Image24ToDibSection(const BYTE* data, int width, int height, HPALETTE palette, HDC dc);
    HBITMAP Image24ToBitmap(const BYTE* data, int width, int height, HPALETTE palette, HDC dc);
    HPALETTE CreateGdiPalette(const uint32_t* entries, int count);
    HGLOBAL BitmapToDib(HBITMAP bitmap, DWORD compression, HPALETTE palette);
    HGLOBAL BitmapToImage(HBITMAP bitmap, int& width, int& height, HDC dc, HPALETTE palette);
    HGLOBAL DCToImage(HDC dc, int x, int y, int width, int height);
    HGLOBAL ScreenBitmapToImage(int x, int y, int width, int height);

    // Files and the clipboard. 1 on success, 0 on failure.
    static int WriteDibToBmpFile(const char* fileName, HGLOBAL dib);
    static int ClipboardToFile(HWND window, const char* fileName);
    // A moveable, zero-filled copy of the whole block; null on failure.
    static HGLOBAL CopyGlobalForClipboard(HGLOBAL block);
    // Without copy the clipboard takes the holder's DIB and the holder is
    // emptied; with copy a copy goes.
    static int PutDibOnClipboard(HWND window, CGlobalHandle& dib, int copy);

    // ---- device output ---- (image/kernels/draw)
    // The source rectangle at (sourceX, sourceY) of the width x height image
    // is as large as the destination unless sourceW and sourceH are given
    // (the stretch path); source y counts from the top.
    int Draw24(HDC dc, int x, int y, int w, int h, const BYTE* data, int sourceX, int sourceY, int width,
               int height, int sourceW = -1, int sourceH = -1);
    int Draw1(HDC dc, const RECT& target, const BYTE* data, const uint32_t* palette, int sourceX, int sourceY,
              int width, int height, int sourceW = -1, int sourceH = -1);
    int Draw8(HDC dc, const RECT& target, const BYTE* data, const uint32_t* palette, int sourceX, int sourceY,
              int width, int height, int sourceW = -1, int sourceH = -1);
    int BlitBitmap(HDC dc, HBITMAP bitmap, int x, int y, int sourceX, int sourceY, int w, int h, HPALETTE palette);
    int BlitBitmapAt(HDC dc, HBITMAP bitmap, int x, int y, int w, int h, HPALETTE palette);
    int Draw24AsBitmap(HDC dc, int x, int y, const BYTE* data, int width, int height);
    int Draw8AsBitmap(HDC dc, int x, int y, const BYTE* data, const uint32_t* palette, int width, int height);
    int Draw1AsBitmap(HDC dc, int x, int y, const BYTE* data, const uint32_t* palette, int width, int height);

private:
    String m_errorText;
    int32_t m_errorCode = 0;
    int32_t m_useDibSection = 1;
    IProgressNotification* m_sink = nullptr;
    IZAVUnknownSp* m_advanced = nullptr;
    int32_t m_advancedOwned = 1;
};

}  // namespace ZAV
