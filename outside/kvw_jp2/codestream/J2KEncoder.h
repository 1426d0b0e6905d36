// Codes 8-bit samples with OpenJPEG's J2K compressor into memory.
#pragma once

#include <string>
#include <vector>

#include "outside/kvw_jp2/box/JP2FileModel.h"

namespace KVWJP2 {

struct EncoderSettings {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t components = 1;
    bool colourTransform = false;  // RGB through the reversible or irreversible component transform
    uint32_t wavelet = 0;          // 0 reversible 5/3, 1 irreversible 9/7
    uint32_t levels = 5;
    uint32_t layers = 1;
    uint32_t codeBlockStyle = 0;
    uint32_t progression = 0;
    uint32_t tileWidth = 0;
    uint32_t tileHeight = 0;
    uint32_t codeBlockWidth = 64;
    uint32_t codeBlockHeight = 64;
    uint64_t targetSize = 0;  // 0: no rate control, the last layer lossless
};

// planes: one plane of width x height samples per component.
JP2_Error EncodeCodestream(const EncoderSettings& settings, const std::vector<Bytes>& planes, Bytes& codestream,
                           std::string& lastError);

// Decomposition levels lowered until the smallest tile side holds them.
uint32_t FittingLevels(const EncoderSettings& settings);

}  // namespace KVWJP2
