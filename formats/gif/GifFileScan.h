// One pass over a GIF file: the logical screen, one record per image
// descriptor, and the extensions met on the way reported as file facts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace ZAV {

class CFileFacts;

struct GifFrameRecord {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    int colorDepth = 0;    // 1, 4 or 8: the size of the table in effect
    int bitsPerPixel = 0;  // of the image it decodes into: 1 or 8
    int interlaced = 0;
    // Blue, green, red, 0 entries of the frame's own table; empty without one.
    std::vector<uint32_t> localPalette;
    size_t codeSizePosition = 0;  // of the LZW minimum-code-size byte
    uint64_t codeBytes = 0;       // held by the frame's data sub-blocks
};

struct GifFileLayout {
    uint16_t screenWidth = 0;
    uint16_t screenHeight = 0;
    uint8_t packed = 0;
    int tableSize = 0;
    std::vector<uint32_t> globalPalette;
    std::vector<GifFrameRecord> frames;
    // The transparent index in effect after each frame index's last
    // graphic control extension; frames without one are absent.
    std::map<int, int> transparentByFrame;
};

// Reads the header and scans the file. The file's facts (and those of the
// requested frame when it exists) go to facts.
GifFileLayout ScanGifFile(const std::vector<uint8_t>& file, CFileFacts& facts, int requestedFrame);

}  // namespace ZAV
