// What the opcode walk of a PICT picture finds before its first bitmap:
// the kind of bitmap, its pixel map record and its size. Fields are
// big-endian in the file.
#pragma once

#include <cstdint>

namespace ZAV {

class CFileBytes;
class CZAVImg;

enum class PictBitmapKind { kNone = 0, kDirect = 1, kPixMap = 2, kBitmap = 3 };

struct PictRect {
    int16_t top = 0, left = 0, bottom = 0, right = 0;
};

// The pixel map record behind the row-bytes word (Inside Macintosh:
// Imaging With QuickDraw, "PixMap"), resolutions as integer parts.
struct PictPixMap {
    PictRect bounds;
    uint16_t version = 0;
    uint16_t packType = 0;
    uint32_t packSize = 0;
    uint16_t hRes = 0, vRes = 0;
    uint16_t pixelType = 0, pixelSize = 0, componentCount = 0, componentSize = 0;
    uint32_t planeBytes = 0, table = 0, reserved = 0;
};

struct PictPicture {
    int version = 0;
    PictBitmapKind kind = PictBitmapKind::kNone;
    uint16_t rowBytes = 0;
    bool withRegion = false;
    PictPixMap pixMap;
    int width = 0;
    int height = 0;
    int bits = 0;  // 8, or 32 for pixels above 8 bits
};

PictRect ReadPictRect(CFileBytes& bytes);
// Bounds first, then the rest of the record.
PictPixMap ReadPictPixMap(CFileBytes& bytes);

// Skips the 512-byte preamble and reads size, frame and version; refuses a
// missing or unknown version.
int ReadPictVersion(CFileBytes& bytes);

// Walks the opcodes up to the first bitmap and sets the file facts.
PictPicture WalkPictOpcodes(CFileBytes& bytes, int version, CZAVImg& image);

}  // namespace ZAV
