// The hook by which the image object gets the codec of a format id: the
// built-in codecs unless a test installs fakes (null restores the built-ins).
#pragma once

#include "formats/codec/PicDecoder.h"
#include "formats/codec/PicEncoder.h"

#include <memory>

namespace ZAV {

// The built-in codec of a format id, or null when there is none.
using PicDecoderFactory = std::unique_ptr<CPicDecoder> (*)(int formatId);
using PicEncoderFactory = std::unique_ptr<CPicEncoder> (*)(int formatId);

void SetPicCodecFactories(PicDecoderFactory decoders, PicEncoderFactory encoders);
// Null when the format has no codec.
std::unique_ptr<CPicDecoder> MakePicDecoder(int formatId);
std::unique_ptr<CPicEncoder> MakePicEncoder(int formatId);

}  // namespace ZAV
