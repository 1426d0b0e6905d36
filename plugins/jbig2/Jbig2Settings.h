// The JBIG2 plug-in's process-wide save settings: the eight values the host
// last gave through JBIG2Settings.
#pragma once

#include "formats/FilterInterface.h"

namespace ZAV {

Jbig2EncoderSettings& GetJbig2PluginSettings();

}  // namespace ZAV
