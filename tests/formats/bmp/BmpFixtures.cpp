#include "formats/bmp/BmpFixtures.h"

namespace ZAVTest {

namespace {

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutInfoHeader(std::vector<uint8_t>& out, const BmpSpec& spec)
{
    if (spec.headerSize == 12) {
        Put(out, 12, 4);
        Put(out, static_cast<uint32_t>(spec.width), 2);
        Put(out, static_cast<uint32_t>(spec.height), 2);
        Put(out, 1, 2);
        Put(out, spec.bits, 2);
        return;
    }
    const size_t start = out.size();
    Put(out, spec.headerSize, 4);
    Put(out, static_cast<uint32_t>(spec.width), 4);
    Put(out, static_cast<uint32_t>(spec.height), 4);
    Put(out, 1, 2);
    Put(out, spec.bits, 2);
    Put(out, spec.compression, 4);
    Put(out, static_cast<uint32_t>(spec.pixels.size()), 4);
    Put(out, static_cast<uint32_t>(spec.pixelsPerMetre), 4);
    Put(out, static_cast<uint32_t>(spec.pixelsPerMetre), 4);
    Put(out, spec.coloursUsed ? spec.coloursUsed : static_cast<uint32_t>(spec.tableEntries), 4);
    Put(out, 0, 4);
    if (spec.headerSize > 40) {  // red, green, blue and alpha masks, then zeros
        Put(out, 0x00FF0000, 4);
        Put(out, 0x0000FF00, 4);
        Put(out, 0x000000FF, 4);
        Put(out, 0xFF000000, 4);
    }
    out.resize(start + spec.headerSize, 0);
}

}  // namespace

std::vector<uint8_t> BuildBmp(const BmpSpec& spec)
{
    const size_t entrySize = spec.headerSize == 12 ? 3 : 4;
    const size_t offset = 14 + spec.headerSize + entrySize * spec.tableEntries + spec.gap;
    std::vector<uint8_t> out;
    Put(out, 0x4D42, 2);
    Put(out, static_cast<uint32_t>(offset + spec.pixels.size()), 4);
    Put(out, 0, 4);
    Put(out, static_cast<uint32_t>(offset), 4);
    PutInfoHeader(out, spec);
    for (int i = 0; i < spec.tableEntries; ++i) {
        Put(out, static_cast<uint32_t>(7 * i) & 0xFF, 1);
        Put(out, static_cast<uint32_t>(13 * i) & 0xFF, 1);
        Put(out, static_cast<uint32_t>(255 - i) & 0xFF, 1);
        if (entrySize == 4)
            Put(out, 0, 1);
    }
    out.resize(offset, 0xEE);  // the gap: bytes no reader may take for pixels
    out.insert(out.end(), spec.pixels.begin(), spec.pixels.end());
    return out;
}

}  // namespace ZAVTest
