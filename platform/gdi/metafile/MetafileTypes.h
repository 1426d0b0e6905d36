// Types, record numbers and constants of the metafile layer, in the Windows
// spelling the codec was designed with. Record layouts follow the published
// Enhanced Metafile Format ([MS-EMF]) and Windows Metafile Format ([MS-WMF])
// documents; only the records this layer writes, plays or converts are named.
#pragma once

#include "platform/gdi/GdiTypes.h"

using HMETAFILE = void*;

// Index of GetDeviceCaps: the device's size in millimetres.
constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;

// Mapping modes the player maps ([MS-WMF] MapMode enumeration).
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;

// Region mode of the clip records besides RGN_AND and RGN_COPY.
constexpr int RGN_OR = 2;

// The one line mix the player draws with ([MS-WMF] BinaryRasterOperation).
constexpr uint32_t R2_COPYPEN = 13;

// The fields of EMR_HEADER as GetEnhMetaFileHeader reports them: the base
// header and both extensions, 108 bytes on disk, little-endian.
struct RECTL {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct SIZEL {
    LONG cx;
    LONG cy;
};

struct ENHMETAHEADER {
    DWORD iType;
    DWORD nSize;
    RECTL rclBounds;  // device pixels, inclusive
    RECTL rclFrame;   // 0.01 mm, inclusive
    DWORD dSignature;
    DWORD nVersion;
    DWORD nBytes;
    DWORD nRecords;
    WORD nHandles;
    WORD sReserved;
    DWORD nDescription;
    DWORD offDescription;
    DWORD nPalEntries;
    SIZEL szlDevice;
    SIZEL szlMillimeters;
    DWORD cbPixelFormat;
    DWORD offPixelFormat;
    DWORD bOpenGL;
    SIZEL szlMicrometers;
};

// What SetWinMetaFileBits is told of an old-style picture: its mapping mode
// and, for the two scalable modes, its size in 0.01 mm.
struct METAFILEPICT {
    LONG mm;
    LONG xExt;
    LONG yExt;
    HMETAFILE hMF;
};

namespace ZAV {
namespace Meta {

constexpr uint32_t kEnhHeaderBytes = 108;       // base header and both extensions
constexpr uint32_t kEnhBaseHeaderBytes = 88;    // the oldest header a reader must accept
constexpr uint32_t kEnhSignature = 0x464D4520;  // " EMF"
constexpr uint32_t kEnhVersion = 0x00010000;
constexpr uint32_t kEnhRecordHead = 8;  // Type and Size of every record

// EMF record types ([MS-EMF] RecordType enumeration).
constexpr uint32_t EMR_HEADER = 1;
constexpr uint32_t EMR_POLYBEZIER = 2;
constexpr uint32_t EMR_POLYGON = 3;
constexpr uint32_t EMR_POLYLINE = 4;
constexpr uint32_t EMR_POLYBEZIERTO = 5;
constexpr uint32_t EMR_POLYLINETO = 6;
constexpr uint32_t EMR_POLYPOLYLINE = 7;
constexpr uint32_t EMR_POLYPOLYGON = 8;
constexpr uint32_t EMR_SETWINDOWEXTEX = 9;
constexpr uint32_t EMR_SETWINDOWORGEX = 10;
constexpr uint32_t EMR_SETVIEWPORTEXTEX = 11;
constexpr uint32_t EMR_SETVIEWPORTORGEX = 12;
constexpr uint32_t EMR_SETBRUSHORGEX = 13;
constexpr uint32_t EMR_EOF = 14;
constexpr uint32_t EMR_SETPIXELV = 15;
constexpr uint32_t EMR_SETMAPPERFLAGS = 16;
constexpr uint32_t EMR_SETMAPMODE = 17;
constexpr uint32_t EMR_SETBKMODE = 18;
constexpr uint32_t EMR_SETPOLYFILLMODE = 19;
constexpr uint32_t EMR_SETROP2 = 20;
constexpr uint32_t EMR_SETSTRETCHBLTMODE = 21;
constexpr uint32_t EMR_SETTEXTALIGN = 22;
constexpr uint32_t EMR_SETTEXTCOLOR = 24;
constexpr uint32_t EMR_SETCOLORADJUSTMENT = 23;
constexpr uint32_t EMR_SETBKCOLOR = 25;
constexpr uint32_t EMR_MOVETOEX = 27;
constexpr uint32_t EMR_SETMETARGN = 28;
constexpr uint32_t EMR_INTERSECTCLIPRECT = 30;
constexpr uint32_t EMR_SAVEDC = 33;
constexpr uint32_t EMR_RESTOREDC = 34;
constexpr uint32_t EMR_SETWORLDTRANSFORM = 35;
constexpr uint32_t EMR_MODIFYWORLDTRANSFORM = 36;
constexpr uint32_t EMR_SELECTOBJECT = 37;
constexpr uint32_t EMR_CREATEPEN = 38;
constexpr uint32_t EMR_CREATEBRUSHINDIRECT = 39;
constexpr uint32_t EMR_DELETEOBJECT = 40;
constexpr uint32_t EMR_ANGLEARC = 41;
constexpr uint32_t EMR_ELLIPSE = 42;
constexpr uint32_t EMR_RECTANGLE = 43;
constexpr uint32_t EMR_ROUNDRECT = 44;
constexpr uint32_t EMR_ARC = 45;
constexpr uint32_t EMR_CHORD = 46;
constexpr uint32_t EMR_PIE = 47;
constexpr uint32_t EMR_SELECTPALETTE = 48;
constexpr uint32_t EMR_CREATEPALETTE = 49;
constexpr uint32_t EMR_REALIZEPALETTE = 52;
constexpr uint32_t EMR_LINETO = 54;
constexpr uint32_t EMR_ARCTO = 55;
constexpr uint32_t EMR_POLYDRAW = 56;
constexpr uint32_t EMR_SETARCDIRECTION = 57;
constexpr uint32_t EMR_SETMITERLIMIT = 58;
constexpr uint32_t EMR_BEGINPATH = 59;
constexpr uint32_t EMR_ENDPATH = 60;
constexpr uint32_t EMR_CLOSEFIGURE = 61;
constexpr uint32_t EMR_FILLPATH = 62;
constexpr uint32_t EMR_STROKEANDFILLPATH = 63;
constexpr uint32_t EMR_STROKEPATH = 64;
constexpr uint32_t EMR_FLATTENPATH = 65;
constexpr uint32_t EMR_WIDENPATH = 66;
constexpr uint32_t EMR_SELECTCLIPPATH = 67;
constexpr uint32_t EMR_ABORTPATH = 68;
constexpr uint32_t EMR_GDICOMMENT = 70;
constexpr uint32_t EMR_FILLRGN = 71;
constexpr uint32_t EMR_PAINTRGN = 74;
constexpr uint32_t EMR_EXTSELECTCLIPRGN = 75;
constexpr uint32_t EMR_BITBLT = 76;
constexpr uint32_t EMR_STRETCHBLT = 77;
constexpr uint32_t EMR_SETDIBITSTODEVICE = 80;
constexpr uint32_t EMR_STRETCHDIBITS = 81;
constexpr uint32_t EMR_EXTCREATEFONTINDIRECTW = 82;
constexpr uint32_t EMR_EXTTEXTOUTA = 83;
constexpr uint32_t EMR_EXTTEXTOUTW = 84;
constexpr uint32_t EMR_POLYBEZIER16 = 85;
constexpr uint32_t EMR_POLYGON16 = 86;
constexpr uint32_t EMR_POLYLINE16 = 87;
constexpr uint32_t EMR_POLYBEZIERTO16 = 88;
constexpr uint32_t EMR_POLYLINETO16 = 89;
constexpr uint32_t EMR_POLYPOLYLINE16 = 90;
constexpr uint32_t EMR_POLYPOLYGON16 = 91;
constexpr uint32_t EMR_CREATEMONOBRUSH = 93;
constexpr uint32_t EMR_CREATEDIBPATTERNBRUSHPT = 94;
constexpr uint32_t EMR_EXTCREATEPEN = 95;
constexpr uint32_t EMR_SETICMMODE = 98;
constexpr uint32_t EMR_SETLAYOUT = 115;
constexpr uint32_t EMR_SETTEXTJUSTIFICATION = 120;

// The stock-object flag of an object index ([MS-EMF] StockObject).
constexpr uint32_t kStockObjectFlag = 0x80000000;
// Sizes of the fixed parts of the object records, Type and Size included.
constexpr uint32_t kCreatePenBytes = 28;
constexpr uint32_t kCreateBrushBytes = 24;
constexpr uint32_t kExtCreatePenBytes = 52;
constexpr uint32_t kLogFontWBytes = 92;  // LogFont: 28 bytes of fields, then 32 UTF-16 units of face
constexpr uint32_t kExtTextOutFixedBytes = 76;

// Fixed parts of the bitmap records, before their DIB.
constexpr uint32_t kBitBltFixedBytes = 100;
constexpr uint32_t kStretchBltFixedBytes = 108;
constexpr uint32_t kSetDIBitsFixedBytes = 76;
constexpr uint32_t kStretchDIBitsFixedBytes = 80;
constexpr uint32_t kEofBytes = 20;
constexpr uint32_t kRegionHeaderBytes = 32;  // RegionDataHeader
constexpr uint32_t RDH_RECTANGLES = 1;

// WMF record functions ([MS-WMF] RecordType enumeration).
constexpr uint16_t META_EOF = 0x0000;
constexpr uint16_t META_SAVEDC = 0x001E;
constexpr uint16_t META_SETBKMODE = 0x0102;
constexpr uint16_t META_SETMAPMODE = 0x0103;
constexpr uint16_t META_SETSTRETCHBLTMODE = 0x0107;
constexpr uint16_t META_RESTOREDC = 0x0127;
constexpr uint16_t META_SETWINDOWORG = 0x020B;
constexpr uint16_t META_SETWINDOWEXT = 0x020C;
constexpr uint16_t META_SETVIEWPORTORG = 0x020D;
constexpr uint16_t META_SETVIEWPORTEXT = 0x020E;
constexpr uint16_t META_LINETO = 0x0213;
constexpr uint16_t META_REALIZEPALETTE = 0x0035;
constexpr uint16_t META_CREATEPALETTE = 0x00F7;
constexpr uint16_t META_SETROP2 = 0x0104;
constexpr uint16_t META_SETRELABS = 0x0105;
constexpr uint16_t META_SETPOLYFILLMODE = 0x0106;
constexpr uint16_t META_SETTEXTCHAREXTRA = 0x0108;
constexpr uint16_t META_SELECTOBJECT = 0x012D;
constexpr uint16_t META_SETTEXTALIGN = 0x012E;
constexpr uint16_t META_SETLAYOUT = 0x0149;
constexpr uint16_t META_DELETEOBJECT = 0x01F0;
constexpr uint16_t META_SETBKCOLOR = 0x0201;
constexpr uint16_t META_SETTEXTCOLOR = 0x0209;
constexpr uint16_t META_SETTEXTJUSTIFICATION = 0x020A;
constexpr uint16_t META_MOVETO = 0x0214;
constexpr uint16_t META_SETMAPPERFLAGS = 0x0231;
constexpr uint16_t META_SELECTPALETTE = 0x0234;
constexpr uint16_t META_CREATEPENINDIRECT = 0x02FA;
constexpr uint16_t META_CREATEFONTINDIRECT = 0x02FB;
constexpr uint16_t META_CREATEBRUSHINDIRECT = 0x02FC;
constexpr uint16_t META_POLYGON = 0x0324;
constexpr uint16_t META_POLYLINE = 0x0325;
constexpr uint16_t META_ELLIPSE = 0x0418;
constexpr uint16_t META_RECTANGLE = 0x041B;
constexpr uint16_t META_SETPIXEL = 0x041F;
constexpr uint16_t META_TEXTOUT = 0x0521;
constexpr uint16_t META_POLYPOLYGON = 0x0538;
constexpr uint16_t META_ROUNDRECT = 0x061C;
constexpr uint16_t META_ESCAPE = 0x0626;
constexpr uint16_t META_ARC = 0x0817;
constexpr uint16_t META_PIE = 0x081A;
constexpr uint16_t META_CHORD = 0x0830;
constexpr uint16_t META_EXTTEXTOUT = 0x0A32;
constexpr uint16_t META_INTERSECTCLIPRECT = 0x0416;
constexpr uint16_t META_DIBBITBLT = 0x0940;
constexpr uint16_t META_DIBSTRETCHBLT = 0x0B41;
constexpr uint16_t META_SETDIBTODEV = 0x0D33;
constexpr uint16_t META_STRETCHDIB = 0x0F43;

constexpr uint32_t kWmfHeaderBytes = 18;  // META_HEADER
constexpr uint32_t kWmfHeaderWords = 9;
constexpr uint32_t kWmfRecordHeadWords = 3;  // RecordSize and RecordFunction

}  // namespace Meta
}  // namespace ZAV
