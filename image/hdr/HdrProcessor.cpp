#include "image/hdr/HdrProcessor.h"

#include <atomic>

namespace ZAV {

namespace {

std::atomic<HdrProcessorFactory> g_factory{nullptr};

}  // namespace

void SetHdrProcessorFactory(HdrProcessorFactory factory)
{
    g_factory.store(factory);
}

HdrProcessorFactory GetHdrProcessorFactory()
{
    return g_factory.load();
}

}  // namespace ZAV
