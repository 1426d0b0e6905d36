// The JBIG2 plug-in's process-wide save settings: the eight values the host
// last gave through JBIG2Settings.
#pragma once

#include "formats/FilterInterface.h"

namespace ZAV {

// Where each value sits among the eight.
enum Jbig2SettingIndex {
    kJbig2Quiet = 0,
    kJbig2ExportFormat = 1,
    kJbig2Coder = 2,
    kJbig2GenericTemplate = 3,
    kJbig2SymbolTemplate = 4,
    kJbig2Lossless = 5,
    kJbig2MatchingMode = 6,
    kJbig2MatchingQuality = 7
};

// A template or quality value the host leaves to the plug-in.
constexpr int32_t kJbig2SettingNotSet = 99;

// Before any call: loud, JBIG2 file, arithmetic coder, template 0, lossy
// efficient symbol matching of quality 5.
Jbig2EncoderSettings& GetJbig2PluginSettings();

}  // namespace ZAV
