// The parts of a Photoshop document before its pixel data: the header, the
// colour mode data, the image resources and the layer records, read and
// reported as file facts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ZAV {

class CFileFacts;
class CFileBytes;

struct PsdFileHeader {
    uint16_t version = 0;
    uint16_t channels = 0;
    uint32_t rows = 0;
    uint32_t columns = 0;
    uint16_t depth = 0;
    uint16_t mode = 0;
};

// A layer record holds at most this many channel entries.
constexpr int kPsdMaxLayerChannels = 24;

struct PsdChannelEntry {
    int16_t id = 0;
    uint32_t length = 0;  // compression word and data
};

struct PsdLayerInfo {
    int32_t width = 0;
    int32_t height = 0;
    int32_t left = 0;
    int32_t top = 0;
    int32_t maskWidth = 0;
    int32_t maskHeight = 0;
    int32_t maskLeft = 0;
    int32_t maskTop = 0;
    uint16_t channelCount = 0;
    PsdChannelEntry channels[kPsdMaxLayerChannels];
    char blendKey[5] = {};
    int32_t opacity = 0;
    uint8_t clipping = 0;
    uint8_t visible = 0;
    uint8_t flags = 0;
    std::string name;
};

struct PsdDocument {
    PsdFileHeader header;
    // Blue, green, red, 0 entries from the mode and the colour mode data;
    // empty for RGB and CMYK.
    std::vector<uint32_t> palette;
    std::vector<PsdLayerInfo> layers;
    size_t channelDataStart = 0;  // of the first layer's channel data
    bool mergedStartKnown = false;
    size_t mergedStart = 0;  // of the merged image's compression word
};

// Reads the header alone and reports its facts; refuses what is no PSD.
PsdFileHeader ReadPsdHeader(CFileBytes& cursor, CFileFacts& facts);

// Reads everything before the pixel data; readResources walks the image
// resource blocks instead of skipping them.
PsdDocument ReadPsdStructure(CFileBytes& cursor, CFileFacts& facts, bool readResources);

}  // namespace ZAV
