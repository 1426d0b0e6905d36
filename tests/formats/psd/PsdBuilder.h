// Photoshop documents built byte by byte for the PSD tests: a header, colour
// mode data, image resources, layer records with their channels and
// additional information, and the merged image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ZAVTest {

using Bytes = std::vector<uint8_t>;

void PutBig(Bytes& out, uint32_t value, int bytes);

// Rows of samples coded with PackBits (repeats of three or more as runs).
Bytes PackBitsRow(const Bytes& row);

struct PsdTestChannel {
    int16_t id = 0;
    uint16_t compression = 0;  // 0 raw, 1 PackBits
    Bytes samples;             // rows x bytesPerRow
};

struct PsdTestLayer {
    int32_t top = 0, left = 0, bottom = 0, right = 0;
    std::vector<PsdTestChannel> channels;
    std::string blendKey = "norm";
    uint8_t opacity = 255;
    uint8_t flags = 0;
    std::string name = "layer";
    bool hasMask = false;
    int32_t maskTop = 0, maskLeft = 0, maskBottom = 0, maskRight = 0;
    Bytes additional;  // keyed blocks after the name
    bool noExtraData = false;
};

struct PsdTestDocument {
    uint16_t mode = 3;
    uint16_t depth = 8;
    uint16_t channels = 3;
    uint32_t width = 0;
    uint32_t height = 0;
    Bytes colourData;
    Bytes resources;
    std::vector<PsdTestLayer> layers;
    bool negativeCount = false;
    uint16_t mergedCompression = 0;
    std::vector<Bytes> mergedPlanes;  // one per channel of the header
};

// A keyed block: "8BIM", key, length, data.
Bytes KeyedBlock(const std::string& key, const Bytes& data);
// A drop-shadow record (41 bytes, or 51 for version 2).
Bytes ShadowRecord(int version, int blur, int angle, uint8_t red, uint8_t green, uint8_t blue, uint8_t opacity);

Bytes BuildPsd(const PsdTestDocument& document);

// A plane of width x height samples following a pattern.
Bytes PatternPlane(int width, int height, int seed);

}  // namespace ZAVTest
