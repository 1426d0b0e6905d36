// OpenJPEG glue shared by decoding and encoding: message handlers that keep
// the last error instead of printing it, and the thread count.
#pragma once

#include <string>

#include <openjpeg.h>

namespace KVWJP2 {

struct OpjMessages {
    std::string lastError;
};

// Routes the codec's messages into messages and lets it use a thread per core.
void PrepareCodec(opj_codec_t* codec, OpjMessages& messages);

}  // namespace KVWJP2
