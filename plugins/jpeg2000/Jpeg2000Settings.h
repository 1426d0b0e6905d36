// The JPEG 2000 plug-in's process-wide settings: what the host last gave
// through JPEG2000Settings, JPEG2000Settings2 and FastThumbLoading.
#pragma once

#include "formats/FilterInterface.h"

namespace ZAV {

struct Jpeg2000PluginSettings {
    // Before any call: one container (JP2), one layer, the wavelet left to the target size.
    Jpeg2000EncoderSettings encoder = {{1, 1, 99, 0, 0, 0, 0, 0, 0}, 0, 0, 0, nullptr};
    // The copy encoder.metadata points to once the host gave a record.
    Jpeg2000MetadataRecord metadata;
    // Non-zero: loads of more than 8 bits per component deliver 8.
    int32_t reduceTo8Bits = 0;
    int32_t fastThumbEnabled = 0;
    int32_t fastThumbWidth = 0;
    int32_t fastThumbHeight = 0;
};

Jpeg2000PluginSettings& GetJpeg2000PluginSettings();

// Keeps the settings; the metadata record is copied, and a null record
// keeps the copy of an earlier call.
void KeepJpeg2000EncoderSettings(const Jpeg2000EncoderSettings& settings);

}  // namespace ZAV
