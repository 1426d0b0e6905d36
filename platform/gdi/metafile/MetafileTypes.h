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
constexpr uint32_t EMR_POLYLINE = 4;
constexpr uint32_t EMR_SETWINDOWEXTEX = 9;
constexpr uint32_t EMR_SETWINDOWORGEX = 10;
constexpr uint32_t EMR_SETVIEWPORTEXTEX = 11;
constexpr uint32_t EMR_SETVIEWPORTORGEX = 12;
constexpr uint32_t EMR_EOF = 14;
constexpr uint32_t EMR_SETMAPMODE = 17;
constexpr uint32_t EMR_SETBKMODE = 18;
constexpr uint32_t EMR_SETPOLYFILLMODE = 19;
constexpr uint32_t EMR_SETROP2 = 20;
constexpr uint32_t EMR_SETSTRETCHBLTMODE = 21;
constexpr uint32_t EMR_SETTEXTALIGN = 22;
constexpr uint32_t EMR_SETTEXTCOLOR = 24;
constexpr uint32_t EMR_SETBKCOLOR = 25;
constexpr uint32_t EMR_INTERSECTCLIPRECT = 30;
constexpr uint32_t EMR_SAVEDC = 33;
constexpr uint32_t EMR_RESTOREDC = 34;
constexpr uint32_t EMR_GDICOMMENT = 70;
constexpr uint32_t EMR_EXTSELECTCLIPRGN = 75;
constexpr uint32_t EMR_BITBLT = 76;
constexpr uint32_t EMR_STRETCHBLT = 77;
constexpr uint32_t EMR_SETDIBITSTODEVICE = 80;
constexpr uint32_t EMR_STRETCHDIBITS = 81;
constexpr uint32_t EMR_EXTTEXTOUTW = 84;

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
