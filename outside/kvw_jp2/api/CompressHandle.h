// The compression handle: the picture description, coding settings, metadata
// to write and the caller's callbacks.
#pragma once

#include "outside/kvw_jp2/box/BoxWriter.h"
#include "outside/kvw_jp2/codestream/J2KEncoder.h"

struct JP2_Comp_Rec {
    JP2_Callback_Free release = nullptr;
    void* releaseUser = nullptr;
    KVWJP2::EncoderSettings settings;
    KVWJP2::JP2FileOut file;
    int32_t container = 1;
    int32_t bits = 8;
    int32_t colourSpace = cJP2_Space_sRGB;
    JP2_Callback_Input input = nullptr;
    void* inputUser = nullptr;
    JP2_Callback_Write output = nullptr;
    void* outputUser = nullptr;
    std::vector<std::array<int32_t, 4>> regions;  // recorded only
    int32_t regionEnhance = 0;
    std::string lastError;
};

namespace KVWJP2 {

JP2_Error SetCompressProperty(JP2_Comp_Rec& handle, int32_t id, intptr_t value);
// Collects the samples, codes them, wraps them and writes the result.
JP2_Error CompressImage(JP2_Comp_Rec& handle);

}  // namespace KVWJP2
