#include "formats/pict/PictColourTable.h"

#include "formats/codec/FileBytes.h"
#include "foundation/text/TextException.h"
#include "image/core/ImagePalette.h"

namespace ZAV {

namespace {

// Flag bit 15: the entries are in order, their values not indices.
constexpr uint16_t kDeviceTable = 0x8000;
constexpr size_t kMaxPaletteEntries = 256;

}  // namespace

std::vector<uint32_t> ReadPictColourTable(CFileBytes& bytes)
{
    bytes.Skip(4);  // seed
    const uint16_t flags = bytes.BE16();
    const uint32_t count = uint32_t(bytes.BE16()) + 1;
    std::vector<uint32_t> entries(count < kMaxPaletteEntries ? count : kMaxPaletteEntries, 0);
    for (uint32_t i = 0; i < count; ++i) {
        const uint16_t value = bytes.BE16();
        const uint8_t* rgb = bytes.Take(6);
        const uint32_t index = (flags & kDeviceTable) ? i : value;
        if (index >= count)
            ThrowTextException("pixel value greater than colour table size.");
        if (index < entries.size())
            entries[index] = MakePaletteEntry(rgb[0], rgb[2], rgb[4]);
    }
    return entries;
}

}  // namespace ZAV
