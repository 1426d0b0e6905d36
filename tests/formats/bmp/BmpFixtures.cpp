#include "formats/bmp/BmpFixtures.h"

namespace ZAVTest {

namespace {

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutInfoHeader(std::vector<uint8_t>& out, const BmpLayout& layout)
{
    if (layout.headerSize == 12) {
        Put(out, 12, 4);
        Put(out, static_cast<uint32_t>(layout.width), 2);
        Put(out, static_cast<uint32_t>(layout.height), 2);
        Put(out, 1, 2);
        Put(out, layout.bits, 2);
        return;
    }
    const size_t start = out.size();
    Put(out, layout.headerSize, 4);
    Put(out, static_cast<uint32_t>(layout.width), 4);
    Put(out, static_cast<uint32_t>(layout.height), 4);
    Put(out, 1, 2);
    Put(out, layout.bits, 2);
    Put(out, layout.compression, 4);
    Put(out, static_cast<uint32_t>(layout.pixels.size()), 4);
    Put(out, static_cast<uint32_t>(layout.pixelsPerMetre), 4);
    Put(out, static_cast<uint32_t>(layout.pixelsPerMetre), 4);
    Put(out, layout.coloursUsed ? layout.coloursUsed : static_cast<uint32_t>(layout.tableEntries), 4);
    Put(out, 0, 4);
    if (layout.headerSize > 40) {  // red, green, blue and alpha masks, then zeros
        Put(out, 0x00FF0000, 4);
        Put(out, 0x0000FF00, 4);
        Put(out, 0x000000FF, 4);
        Put(out, 0xFF000000, 4);
    }
    out.resize(start + layout.headerSize, 0);
}

}  // namespace

std::vector<uint8_t> BuildBmp(const BmpLayout& layout)
{
    const size_t entrySize = layout.headerSize == 12 ? 3 : 4;
    const size_t offset = 14 + layout.headerSize + entrySize * layout.tableEntries + layout.gap;
    std::vector<uint8_t> out;
    Put(out, 0x4D42, 2);
    Put(out, static_cast<uint32_t>(offset + layout.pixels.size()), 4);
    Put(out, 0, 4);
    Put(out, static_cast<uint32_t>(offset), 4);
    PutInfoHeader(out, layout);
    for (int i = 0; i < layout.tableEntries; ++i) {
        Put(out, static_cast<uint32_t>(7 * i) & 0xFF, 1);
        Put(out, static_cast<uint32_t>(13 * i) & 0xFF, 1);
        Put(out, static_cast<uint32_t>(255 - i) & 0xFF, 1);
        if (entrySize == 4)
            Put(out, 0, 1);
    }
    out.resize(offset, 0xEE);  // the gap: bytes no reader may take for pixels
    out.insert(out.end(), layout.pixels.begin(), layout.pixels.end());
    return out;
}

}  // namespace ZAVTest
