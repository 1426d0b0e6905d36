#include "image/shadow/ShadowImage.h"

#include <atomic>

#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

std::atomic<ShadowImageFactory> g_factory{nullptr};

}  // namespace

void SetShadowImageFactory(ShadowImageFactory factory)
{
    g_factory.store(factory);
}

ShadowImagePtr CreateShadowWorkImage()
{
    const ShadowImageFactory factory = g_factory.load();
    ShadowImagePtr image = factory ? factory() : nullptr;
    if (!image)
        ThrowTextException("Error creating image-edit object!");
    return image;
}

}  // namespace ZAV
