#include "formats/codec/PicCodecFactory.h"

#include "formats/codec/BuiltInCodecs.h"

namespace ZAV {

namespace {

PicDecoderFactory g_decoderFactory = MakeBuiltInDecoder;
PicEncoderFactory g_encoderFactory = MakeBuiltInEncoder;

}  // namespace

void SetPicCodecFactories(PicDecoderFactory decoders, PicEncoderFactory encoders)
{
    g_decoderFactory = decoders ? decoders : MakeBuiltInDecoder;
    g_encoderFactory = encoders ? encoders : MakeBuiltInEncoder;
}

std::unique_ptr<CPicDecoder> MakePicDecoder(int formatId)
{
    return g_decoderFactory ? g_decoderFactory(formatId) : nullptr;
}

std::unique_ptr<CPicEncoder> MakePicEncoder(int formatId)
{
    return g_encoderFactory ? g_encoderFactory(formatId) : nullptr;
}

}  // namespace ZAV
