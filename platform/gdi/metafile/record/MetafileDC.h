// Where the graphics layer's calls meet a metafile DC: each supported call
// checks RecordingOf first and, on a metafile DC, is recorded instead of
// drawn; the drawing calls a metafile cannot hold ask RefusedOnMetafile.
#pragma once

#include "platform/LastError.h"
#include "platform/gdi/metafile/MetafileTypes.h"

namespace ZAV {
namespace Meta {

struct EmfRecording;

// The recording of a metafile DC; null for every other handle.
EmfRecording* RecordingOf(HDC dc);

// True, with last error ERROR_NOT_SUPPORTED, when the DC is a metafile DC.
bool RefusedOnMetafile(HDC dc);

// A call a metafile DC cannot record: the failure value, with last error
// ERROR_NOT_SUPPORTED.
template <class T>
T Refuse(T failure)
{
    SetLastError(ERROR_NOT_SUPPORTED);
    return failure;
}

// The recorded forms of the calls; each sets ERROR_NOT_SUPPORTED when the
// call cannot be recorded (another raster operation, a compressed or
// palette-indexed DIB, a source without a bitmap).
int RecordStretchDIBits(EmfRecording& recording, int x, int y, int width, int height, int sourceX, int sourceY,
                        int sourceWidth, int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                        DWORD rop);
int RecordSetDIBitsToDevice(EmfRecording& recording, int x, int y, DWORD width, DWORD height, int sourceX, int sourceY,
                            UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);
BOOL RecordBlit(EmfRecording& recording, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop, bool stretch);
int RecordClipRegion(EmfRecording& recording, HRGN region, int mode);
int RecordIntersectClip(EmfRecording& recording, int left, int top, int right, int bottom);
BOOL RecordDword(EmfRecording& recording, uint32_t type, uint32_t value);

}  // namespace Meta
}  // namespace ZAV
