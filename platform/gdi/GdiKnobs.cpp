#include "platform/gdi/GdiKnobs.h"

namespace ZAV {

GdiFailureKnobs& GdiKnobs()
{
    static GdiFailureKnobs knobs;
    return knobs;
}

void ResetGdiKnobs()
{
    GdiKnobs() = GdiFailureKnobs{};
}

}  // namespace ZAV
