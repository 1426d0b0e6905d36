// Enhanced metafiles, held as opaque bytes: made from bytes, copied to
// memory or to a file, and freed. Nothing is played.
#pragma once

#include "platform/gdi/GdiTypes.h"

HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* bytes);
// With a file name the bytes are written there; returns a new handle, or
// null when the file cannot be written.
HENHMETAFILE CopyEnhMetaFileA(HENHMETAFILE metafile, const char* fileName);
// The bytes copied out (up to size); with a null buffer, the size.
UINT GetEnhMetaFileBits(HENHMETAFILE metafile, UINT size, BYTE* buffer);
BOOL DeleteEnhMetaFile(HENHMETAFILE metafile);
