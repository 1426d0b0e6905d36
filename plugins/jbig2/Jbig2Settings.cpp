#include "plugins/jbig2/Jbig2Settings.h"

namespace ZAV {

Jbig2EncoderSettings& GetJbig2PluginSettings()
{
    static Jbig2EncoderSettings settings = {};
    return settings;
}

}  // namespace ZAV
