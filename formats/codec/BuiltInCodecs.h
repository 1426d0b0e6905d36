// The codecs compiled into the library, by format id: the factories the
// image object uses unless a test installs its own.
#pragma once

#include "formats/codec/PicDecoder.h"
#include "formats/codec/PicEncoder.h"

#include <memory>

namespace ZAV {

// Null when the format has no built-in decoder (or encoder).
std::unique_ptr<CPicDecoder> MakeBuiltInDecoder(int formatId);
std::unique_ptr<CPicEncoder> MakeBuiltInEncoder(int formatId);

}  // namespace ZAV
