// Reading and playing enhanced metafiles on the software graphics layer.
// The player plays what pictures are made of: the header and end records,
// mapping modes MM_TEXT, MM_ISOTROPIC and MM_ANISOTROPIC with their window
// and viewport records, world transforms, rectangular clipping and clip
// paths, SaveDC and RestoreDC, the stretch mode, the four bitmap records
// with uncompressed 1, 4, 8, 24 and 32-bit DIBs copied with SRCCOPY, pens,
// solid and hatched brushes and fonts, lines, curves, shapes, paths,
// filled regions and text (drawn by the graphics layer's own calls).
// Comments (EMF+ records inside them too) and the settings that change
// nothing these records draw are passed over. Any other record (pattern
// brushes, user-styled pens, regions of many rectangles as clips, other
// raster operations, compressed DIBs, ...) stops the play before anything
// of it is drawn.
#pragma once

#include "platform/gdi/metafile/MetafileTypes.h"

// The metafile in the named file, when the file starts with a valid
// EMR_HEADER; null otherwise.
HENHMETAFILE GetEnhMetaFileA(const char* fileName);

// The header (108 bytes; the extensions an older header lacks are zero).
// With a null buffer, the size; 0 when the metafile's header is not valid.
UINT GetEnhMetaFileHeader(HENHMETAFILE metafile, UINT size, ENHMETAHEADER* header);

// Plays the metafile so that its frame fills the rectangle (logical units
// of the DC). FALSE when a record cannot be played: last error
// ERROR_NOT_SUPPORTED for a record outside the played set, ERROR_INVALID_DATA
// for a damaged one.
BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* rect);

namespace ZAV {

// The type of the record the last failed PlayEnhMetaFile of this thread
// stopped at (0 when it stopped before any record).
DWORD GetLastUnplayedRecord();

}  // namespace ZAV
