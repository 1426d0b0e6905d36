// Old-style (WMF) metafiles: read from a file, copied out, freed, and
// converted to enhanced metafiles (SetWinMetaFileBits, the records a
// picture is made of: mapping, extents and origins, SaveDC and RestoreDC,
// rectangular clipping, the stretch mode, and the four DIB records with
// SRCCOPY; any other record fails the conversion with ERROR_NOT_SUPPORTED).
#pragma once

#include "platform/gdi/metafile/MetafileTypes.h"

// The metafile in the named file when it starts with a valid META_HEADER
// (type 1 or 2, a 9-word header, a size inside the file); null otherwise.
// A placeable file is not one: its 22-byte header comes first.
HMETAFILE GetMetaFileA(const char* fileName);

// The bytes copied out (up to size); with a null buffer, the size.
UINT GetMetaFileBitsEx(HMETAFILE metafile, UINT size, void* buffer);

BOOL DeleteMetaFile(HMETAFILE metafile);

// An enhanced metafile of the old-style data, drawn in the picture's
// mapping mode and extents (0.01 mm for MM_ISOTROPIC and MM_ANISOTROPIC);
// the reference DC's device (the screen's for null) sizes it. Null on
// failure: ERROR_NOT_SUPPORTED for a record outside the converted set,
// ERROR_INVALID_DATA for damaged data.
HENHMETAFILE SetWinMetaFileBits(UINT size, const BYTE* bits, HDC reference, const METAFILEPICT* picture);
