// What the box reader found in a JP2 file or raw codestream.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "outside/kvw_jp2/kvw_jp2.h"

namespace KVWJP2 {

using Bytes = std::vector<uint8_t>;

struct ImageHeader {
    bool present = false;
    uint32_t height = 0;
    uint32_t width = 0;
    uint16_t components = 0;
    uint8_t bpc = 0;  // 255 when the bpcc box gives the depths
    uint8_t ipr = 0;
};

struct ColourBox {
    bool present = false;
    uint8_t method = 0;
    uint32_t enumerated = 0;
    std::vector<uint32_t> labParams;  // EP of enumerated 14, when given
    Bytes icc;
};

struct PaletteModel {
    bool present = false;
    uint32_t entries = 0;
    std::vector<uint8_t> bits;      // per column, 1-based depth
    std::vector<uint8_t> isSigned;  // per column
    std::vector<std::vector<uint32_t>> values;
};

struct Resolution {
    bool present = false;
    double x = 0;
    double y = 0;
};

struct UuidInfo {
    std::vector<JP2_UUID_Text> ids;
    std::string url;
};

struct UuidBox {
    JP2_UUID_Text id;
    Bytes data;
};

struct JP2FileModel {
    bool isRaw = false;
    uint64_t codestreamOffset = 0;
    uint64_t codestreamLength = 0;  // 0: to the end of the data
    ImageHeader header;
    std::vector<uint8_t> bpcc;
    ColourBox colour;
    PaletteModel palette;
    std::vector<JP2_Channel_Def> channelDefs;
    std::vector<uint16_t> mappedComponents;  // components a cmap box names
    std::vector<int32_t> mappedColumns;      // their palette columns, -1 when used directly
    Resolution capture;
    Resolution display;
    std::vector<Bytes> xml;
    std::vector<Bytes> ip;
    std::vector<Bytes> iptc;
    std::vector<UuidBox> uuids;
    std::vector<UuidInfo> uuidInfos;
    std::vector<Bytes> comments;
};

// The IPTC UUID 33C7A4D2-B81D-4723-A0BA-F1A3E097AD38.
extern const uint8_t kIptcUuid[16];

void FormatUuid(const uint8_t* id, JP2_UUID_Text& text);

}  // namespace KVWJP2
