#include "formats/tga/TgaColourMap.h"

#include "formats/codec/FileBytes.h"
#include "formats/codec/PicDecoder.h"
#include "formats/tga/TgaPixels.h"
#include "image/core/ImagePalette.h"

namespace ZAV {

namespace {

constexpr int kCodeMap = 2;
constexpr size_t kPaletteEntries = 256;

bool IsMapEntrySize(int bits)
{
    return bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

std::vector<uint32_t> ReadTgaColourMap(CFileBytes& bytes, const TgaHeader& header)
{
    if (!IsMapEntrySize(header.mapEntryBits))
        CPicDecoder::ThrowError(kCodeMap, "Invalid color map entry size.");
    std::vector<uint32_t> entries(kPaletteEntries, 0);
    for (size_t i = 0; i < header.mapLength; ++i) {
        const TgaColor colour = ReadTgaColor(bytes, header.mapEntryBits, false);
        const size_t index = header.mapFirst + i;
        if (index < kPaletteEntries)
            entries[index] = MakePaletteEntry(colour.red, colour.green, colour.blue, 0);
    }
    return entries;
}

}  // namespace ZAV
