// Wraps a codestream in the boxes of a JP2 file (T.800 Annex I).
#pragma once

#include <array>

#include "outside/kvw_jp2/box/JP2FileModel.h"

namespace KVWJP2 {

struct UuidInfoOut {
    bool present = false;
    std::vector<std::array<uint8_t, 16>> ids;
    std::string url;
};

struct UuidOut {
    std::array<uint8_t, 16> id;
    Bytes data;
};

struct JP2FileOut {
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t components = 1;
    bool rgb = false;      // sRGB, else greyscale
    PaletteModel palette;  // 8-bit columns, written with a component map
    uint32_t dpiX = 0;     // 0: no resolution box
    uint32_t dpiY = 0;
    std::vector<Bytes> xml;
    std::vector<Bytes> ip;
    std::vector<Bytes> iptc;
    std::vector<UuidOut> uuids;
    UuidInfoOut uuidInfo;
};

void WriteJP2File(const JP2FileOut& file, const Bytes& codestream, Bytes& out);

}  // namespace KVWJP2
