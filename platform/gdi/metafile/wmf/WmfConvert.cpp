// SetWinMetaFileBits: old-style records become the enhanced records of a
// metafile DC, the DIB records keeping their DIBs ([MS-WMF] bitmap record
// types: META_DIBBITBLT, META_DIBSTRETCHBLT, META_SETDIBTODEV and
// META_STRETCHDIB, in their forms that carry a DIB); the drawing records
// are converted in WmfConvertDrawing.cpp.
#include "platform/LastError.h"
#include "platform/gdi/DCState.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/DibPixels.h"
#include "platform/gdi/Metafiles.h"
#include "platform/gdi/metafile/record/EmfRecorder.h"
#include "platform/gdi/metafile/record/EmfRecording.h"
#include "platform/gdi/metafile/MetaBytes.h"
#include "platform/gdi/metafile/record/MetafileDC.h"
#include "platform/gdi/metafile/wmf/WmfConvert.h"
#include "platform/gdi/metafile/wmf/WmfFiles.h"
#include "platform/gdi/metafile/wmf/WmfRecords.h"

#include <cmath>

namespace ZAV {
namespace Meta {

namespace {

Outcome FromDib(DibCheck check)
{
    return check == DibCheck::Unsupported ? Outcome::Unsupported : Outcome::Broken;
}

// The parameters of a DIB record: fixed bytes, then the packed DIB.
Outcome AppendDib(EmfRecording& r, uint32_t type, const WmfRecord& w, size_t fixed, uint16_t usage, const BlitFields& f,
                  uint64_t bandRows)
{
    RecordDib dib;
    const DibCheck check = LocatePackedDib(w.params + fixed, w.paramBytes - fixed, usage, bandRows, dib);
    if (check != DibCheck::Ok)
        return FromDib(check);
    const uint64_t bitsBytes = Gdi::DibStride(dib.width, dib.Info()->bmiHeader.biBitCount) * uint64_t(dib.rows);
    return Check(AppendBitmapRecord(r, type, f, dib, bitsBytes));
}

// META_DIBBITBLT and META_DIBSTRETCHBLT: RasterOperation, then (SrcHeight,
// SrcWidth for the stretch) YSrc, XSrc, Height, Width, YDest, XDest.
Outcome ConvertBlit(EmfRecording& r, const WmfRecord& w, bool stretch)
{
    const size_t fixed = stretch ? 20 : 16;
    // The forms without a DIB are one word longer than their head alone.
    if (w.paramBytes == fixed + 2)
        return Outcome::Unsupported;
    if (w.paramBytes < fixed)
        return Outcome::Broken;
    const uint8_t* p = w.params;
    BlitFields f;
    f.rop = GetDword(p);
    const uint8_t* q = p + (stretch ? 8 : 4);
    f.ySrc = GetShort(q), f.xSrc = GetShort(q + 2), f.cyDest = GetShort(q + 4), f.cxDest = GetShort(q + 6);
    f.yDest = GetShort(q + 8), f.xDest = GetShort(q + 10);
    f.cySrc = stretch ? GetShort(p + 4) : f.cyDest;
    f.cxSrc = stretch ? GetShort(p + 6) : f.cxDest;
    if (f.rop != SRCCOPY)
        return Outcome::Unsupported;
    return AppendDib(r, stretch ? EMR_STRETCHBLT : EMR_BITBLT, w, fixed, DIB_RGB_COLORS, f, 0);
}

// META_SETDIBTODEV: ColorUsage, ScanCount, StartScan, yDib, xDib, Height,
// Width, yDest, xDest. The band's rows become a DIB of their own.
Outcome ConvertSetDib(EmfRecording& r, const WmfRecord& w)
{
    constexpr size_t kFixed = 18;
    if (w.paramBytes < kFixed)
        return Outcome::Broken;
    const uint8_t* p = w.params;
    const uint16_t scans = GetWord(p + 2);
    if (scans == 0)
        return Outcome::Broken;
    BlitFields f;
    f.ySrc = GetShort(p + 6) - GetWord(p + 4), f.xSrc = GetShort(p + 8);
    f.cySrc = GetShort(p + 10), f.cxSrc = GetShort(p + 12);
    f.yDest = GetShort(p + 14), f.xDest = GetShort(p + 16);
    return AppendDib(r, EMR_SETDIBITSTODEVICE, w, kFixed, GetWord(p), f, scans);
}

// META_STRETCHDIB: RasterOperation, ColorUsage, SrcHeight, SrcWidth, YSrc,
// XSrc, DestHeight, DestWidth, yDst, xDst.
Outcome ConvertStretchDib(EmfRecording& r, const WmfRecord& w)
{
    constexpr size_t kFixed = 22;
    if (w.paramBytes < kFixed)
        return Outcome::Broken;
    const uint8_t* p = w.params;
    BlitFields f;
    f.rop = GetDword(p);
    f.cySrc = GetShort(p + 6), f.cxSrc = GetShort(p + 8), f.ySrc = GetShort(p + 10), f.xSrc = GetShort(p + 12);
    f.cyDest = GetShort(p + 14), f.cxDest = GetShort(p + 16), f.yDest = GetShort(p + 18), f.xDest = GetShort(p + 20);
    if (f.rop != SRCCOPY)
        return Outcome::Unsupported;
    return AppendDib(r, EMR_STRETCHDIBITS, w, kFixed, GetWord(p + 4), f, 0);
}

// The records with two 16-bit parameters stored y first.
Outcome ConvertPair(HDC dc, const WmfRecord& w)
{
    if (w.paramBytes < 4)
        return Outcome::Broken;
    const int y = GetShort(w.params);
    const int x = GetShort(w.params + 2);
    switch (w.function) {
    case META_SETWINDOWORG:
        return Check(SetWindowOrgEx(dc, x, y, nullptr));
    case META_SETWINDOWEXT:
        return Check(SetWindowExtEx(dc, x, y, nullptr));
    case META_SETVIEWPORTORG:
        return Check(SetViewportOrgEx(dc, x, y, nullptr));
    default:
        return Check(SetViewportExtEx(dc, x, y, nullptr));
    }
}

Outcome ConvertState(HDC dc, const WmfRecord& w)
{
    const bool hasWord = w.paramBytes >= 2;
    switch (w.function) {
    case META_SAVEDC:
        return Check(SaveDC(dc) != 0);
    case META_RESTOREDC:
        return hasWord ? Check(RestoreDC(dc, GetShort(w.params))) : Outcome::Broken;
    case META_SETMAPMODE:
        return !hasWord                            ? Outcome::Broken
               : SetMapMode(dc, GetWord(w.params)) ? Outcome::Converted
                                                   : Outcome::Unsupported;
    case META_SETSTRETCHBLTMODE:
        return hasWord ? Check(SetStretchBltMode(dc, GetWord(w.params)) != 0) : Outcome::Broken;
    case META_INTERSECTCLIPRECT:
        if (w.paramBytes < 8)
            return Outcome::Broken;
        return Check(IntersectClipRect(dc, GetShort(w.params + 6), GetShort(w.params + 4), GetShort(w.params + 2),
                                       GetShort(w.params)) != ERROR);
    default:
        return ConvertPair(dc, w);
    }
}

Outcome ConvertRecord(HDC dc, WmfObjectTable& objects, const WmfRecord& w)
{
    EmfRecording& r = *RecordingOf(dc);
    if (IsWmfDrawingRecord(w.function))
        return ConvertDrawingRecord(r, objects, w);
    switch (w.function) {
    case META_DIBBITBLT:
        return ConvertBlit(r, w, false);
    case META_DIBSTRETCHBLT:
        return ConvertBlit(r, w, true);
    case META_SETDIBTODEV:
        return ConvertSetDib(r, w);
    case META_STRETCHDIB:
        return ConvertStretchDib(r, w);
    case META_SAVEDC:
    case META_RESTOREDC:
    case META_SETMAPMODE:
    case META_SETSTRETCHBLTMODE:
    case META_INTERSECTCLIPRECT:
    case META_SETWINDOWORG:
    case META_SETWINDOWEXT:
    case META_SETVIEWPORTORG:
    case META_SETVIEWPORTEXT:
        return ConvertState(dc, w);
    default:
        return Outcome::Unsupported;
    }
}

bool Scalable(const METAFILEPICT* picture)
{
    return picture && (picture->mm == MM_ISOTROPIC || picture->mm == MM_ANISOTROPIC) && picture->xExt > 0 &&
           picture->yExt > 0;
}

// A scalable picture's window fills its extents: the viewport is the
// frame's size in reference-device pixels.
bool Prologue(HDC dc, const METAFILEPICT& picture)
{
    const auto pixels = [dc](LONG hundredths, int resIndex, int sizeIndex) {
        const double mm = GetDeviceCaps(dc, sizeIndex);
        return static_cast<int>(std::lround(hundredths * GetDeviceCaps(dc, resIndex) / (mm * 100)));
    };
    return SetMapMode(dc, picture.mm) != 0 && SetViewportExtEx(dc, pixels(picture.xExt, HORZRES, HORZSIZE),
                                                               pixels(picture.yExt, VERTRES, VERTSIZE), nullptr);
}

}  // namespace

}  // namespace Meta
}  // namespace ZAV

HENHMETAFILE SetWinMetaFileBits(UINT size, const BYTE* bits, HDC reference, const METAFILEPICT* picture)
{
    using namespace ZAV::Meta;
    WmfHeader header;
    if (!ReadWmfHeader(bits, size, header)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    const bool scalable = Scalable(picture);
    const RECT frame{0, 0, scalable ? picture->xExt : 0, scalable ? picture->yExt : 0};
    HDC dc = CreateEnhMetaFileA(reference, nullptr, scalable ? &frame : nullptr, nullptr);
    if (!dc)
        return nullptr;
    Outcome outcome = scalable && !Prologue(dc, *picture) ? Outcome::Broken : Outcome::Converted;
    WmfObjectTable objects;
    const WmfWalk walked =
        outcome != Outcome::Converted ? WmfWalk::Stopped : WalkWmfRecords(bits, header, [&](const WmfRecord& w) {
            outcome = ConvertRecord(dc, objects, w);
            return outcome == Outcome::Converted;
        });
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    if (walked == WmfWalk::Done)
        return metafile;
    DeleteEnhMetaFile(metafile);
    SetLastError(outcome == Outcome::Unsupported ? ERROR_NOT_SUPPORTED : ERROR_INVALID_DATA);
    return nullptr;
}
