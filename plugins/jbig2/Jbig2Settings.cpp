#include "plugins/jbig2/Jbig2Settings.h"

namespace ZAV {

Jbig2EncoderSettings& GetJbig2PluginSettings()
{
    static Jbig2EncoderSettings settings = {{0, 10, 20, 0, 0, 0, 1, 5}};
    return settings;
}

}  // namespace ZAV
