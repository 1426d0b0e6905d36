#include "outside/kvw_jp2/codestream/OpjSupport.h"

#include <thread>

namespace KVWJP2 {

static void KeepError(const char* text, void* user)
{
    static_cast<OpjMessages*>(user)->lastError = text ? text : "";
}

static void Ignore(const char*, void*)
{
}

void PrepareCodec(opj_codec_t* codec, OpjMessages& messages)
{
    opj_set_error_handler(codec, KeepError, &messages);
    opj_set_warning_handler(codec, Ignore, nullptr);
    opj_set_info_handler(codec, Ignore, nullptr);
    const unsigned cores = std::thread::hardware_concurrency();
    if (opj_has_thread_support() && cores > 1)
        opj_codec_set_threads(codec, static_cast<int>(cores));
}

}  // namespace KVWJP2
