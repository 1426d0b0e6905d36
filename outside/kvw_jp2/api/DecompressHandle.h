// The decompression handle: what the box reader found, the codestream decoder
// and the caller's settings.
#pragma once

#include <memory>

#include "outside/kvw_jp2/box/JP2FileModel.h"
#include "outside/kvw_jp2/box/JP2Source.h"
#include "outside/kvw_jp2/codestream/J2KDecoder.h"

struct JP2_Decomp_Rec {
    JP2_Decomp_Rec(JP2_Callback_Read read, void* user) : source(read, user) {}

    JP2_Callback_Free release = nullptr;
    void* releaseUser = nullptr;
    KVWJP2::JP2Source source;
    KVWJP2::JP2FileModel model;
    std::unique_ptr<KVWJP2::J2KDecoder> decoder;
    int32_t colourSpace = 0;
    int32_t delivery = 1;
    JP2_Callback_Output output = nullptr;
    void* outputUser = nullptr;
    bool decoded = false;
    JP2_Palette palette = {};
    std::vector<JP2_Palette_Column> paletteColumns;
};

namespace KVWJP2 {

// Checks the boxes against the codestream's SIZ and fixes the colour space.
JP2_Error DescribeFile(JP2_Decomp_Rec& handle);

}  // namespace KVWJP2
