#include "plugins/jpeg2000/Jpeg2000Settings.h"

namespace ZAV {

Jpeg2000PluginSettings& GetJpeg2000PluginSettings()
{
    static Jpeg2000PluginSettings settings;
    return settings;
}

void KeepJpeg2000EncoderSettings(const Jpeg2000EncoderSettings& settings)
{
    Jpeg2000PluginSettings& kept = GetJpeg2000PluginSettings();
    const bool hadMetadata = kept.encoder.metadata != nullptr;
    if (settings.metadata)
        kept.metadata = *settings.metadata;
    kept.encoder = settings;
    kept.encoder.metadata = (settings.metadata || hadMetadata) ? &kept.metadata : nullptr;
}

}  // namespace ZAV
