#include "image/formatlayer/PicCodec.h"

namespace ZAV {

namespace {

PicDecoderFactory g_decoders = nullptr;
PicEncoderFactory g_encoders = nullptr;
char g_codecErrorText[kCodecErrorTextSize] = {};

}  // namespace

void SetPicCodecFactories(PicDecoderFactory decoders, PicEncoderFactory encoders)
{
    g_decoders = decoders;
    g_encoders = encoders;
}

std::unique_ptr<CPicDecoder> MakePicDecoder(int formatId)
{
    return g_decoders ? g_decoders(formatId) : nullptr;
}

std::unique_ptr<CPicEncoder> MakePicEncoder(int formatId)
{
    return g_encoders ? g_encoders(formatId) : nullptr;
}

char* GetCodecErrorText()
{
    return g_codecErrorText;
}

}  // namespace ZAV
