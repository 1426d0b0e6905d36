// Recording enhanced metafiles in memory: a metafile device context takes
// the calls the image drawer makes (mapping, clipping, saving and restoring
// the DC, stretch mode, and DIBs or memory-DC bitmaps copied with SRCCOPY)
// as EMF records; every other drawing call on it fails with
// ERROR_NOT_SUPPORTED. Closing it gives the metafile (EMR_HEADER, the
// records, EMR_EOF), whose bytes GetEnhMetaFileBits copies out.
#pragma once

#include "platform/gdi/metafile/MetafileTypes.h"

// A metafile DC over the reference DC's device (the screen's for null),
// in memory only: a file name is refused. The frame is in 0.01 mm; null
// takes it from the bounds of what is drawn. The description is not kept.
HDC CreateEnhMetaFileA(HDC reference, const char* fileName, const RECT* frame, const char* description);

// The metafile the DC recorded; the DC is gone afterwards. Null when the
// handle is not a metafile DC.
HENHMETAFILE CloseEnhMetaFile(HDC dc);

namespace ZAV {

// The millimetres a device of that many pixels at that resolution spans, rounded.
int DeviceMillimetres(int pixels, int pixelsPerInch);

}  // namespace ZAV
