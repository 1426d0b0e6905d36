// CImgKernels: the context every pixel operation runs its kernels in. It
// carries the error text and code a kernel leaves behind, the image's
// progress sink, the choice between DIB sections and device-dependent
// bitmaps, and optionally an advanced image-processing object.
//
// Kernels return 1 on success and 0 on failure; the caller reads the error
// text only after a 0. They never throw.
#pragma once

#include <cstdint>

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
