#include "formats/codec/CodecErrorText.h"

#include <cstring>

namespace ZAV {

namespace {

char g_codecErrorText[kCodecErrorTextSize];

}  // namespace

char* GetCodecErrorText()
{
    return g_codecErrorText;
}

void SetCodecErrorText(const char* text)
{
    std::strncpy(g_codecErrorText, text ? text : "", kCodecErrorTextSize - 1);
    g_codecErrorText[kCodecErrorTextSize - 1] = 0;
}

}  // namespace ZAV
