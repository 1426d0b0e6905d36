#include "formats/codec/PicCodecFactory.h"

namespace ZAV {

namespace {

PicDecoderFactory g_decoderFactory = nullptr;
PicEncoderFactory g_encoderFactory = nullptr;

}  // namespace

void SetPicCodecFactories(PicDecoderFactory decoders, PicEncoderFactory encoders)
{
    g_decoderFactory = decoders;
    g_encoderFactory = encoders;
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
