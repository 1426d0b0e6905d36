// The 18-byte TGA header (Truevision TGA File Format, version 2.0,
// "Data Type 1, 2, 3, 9, 10, 11"), little-endian, and the file facts it
// gives.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ZAV {

class CFileBytes;
class CZAVImg;

constexpr size_t kTgaHeaderBytes = 18;
// Descriptor bits: rows stored top to bottom, and the attribute bit count.
constexpr uint8_t kTgaTopDown = 0x20;
constexpr uint8_t kTgaAttributeBits = 0x0F;

enum TgaImageType : uint8_t {
    kTgaMapped = 1,
    kTgaTrueColour = 2,
    kTgaBlackWhite = 3,
    kTgaRleMapped = 9,
    kTgaRleTrueColour = 10,
    kTgaRleBlackWhite = 11,
};

struct TgaHeader {
    uint8_t idLength = 0;
    uint8_t colourMapType = 0;
    uint8_t imageType = 0;
    uint16_t mapFirst = 0;
    uint16_t mapLength = 0;
    uint8_t mapEntryBits = 0;
    uint16_t xOrigin = 0, yOrigin = 0, width = 0, height = 0;
    uint8_t pixelDepth = 0;
    uint8_t descriptor = 0;

    bool IsRunLength() const { return imageType >= kTgaRleMapped; }
    bool IsKnownType() const
    {
        return (imageType >= kTgaMapped && imageType <= kTgaBlackWhite) ||
               (imageType >= kTgaRleMapped && imageType <= kTgaRleBlackWhite);
    }
};

// The header and the skipped id field; sets the file facts.
TgaHeader ReadTgaHeader(CFileBytes& bytes, CZAVImg& image);

}  // namespace ZAV
