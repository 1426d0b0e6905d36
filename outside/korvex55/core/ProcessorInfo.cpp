#include "outside/korvex55/core/ProcessorInfo.h"

#include <string>

namespace KORVEX55 {

namespace {

std::string DescribeProcessor()
{
#if defined(__x86_64__) || defined(__i386__)
    std::string text = sizeof(void*) == 8 ? "x86-64" : "x86";
    __builtin_cpu_init();
    if (__builtin_cpu_supports("sse2"))
        text += " SSE2";
    if (__builtin_cpu_supports("sse4.2"))
        text += " SSE4.2";
    if (__builtin_cpu_supports("avx2"))
        text += " AVX2";
    return text;
#elif defined(__aarch64__)
    return "AArch64";
#else
    return "unknown";
#endif
}

}  // namespace

const char* LibraryVersion()
{
    return "KORVEX55 1.0";
}

const char* ProcessorDetected()
{
    static const std::string text = DescribeProcessor();
    return text.c_str();
}

const char* ProcessorCodeUsed()
{
    return "portable C++";
}

}  // namespace KORVEX55
