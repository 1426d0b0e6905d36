// What a PCX header's bits per pixel and planes make of the picture: the
// image depth and where its palette comes from, with the header checks
// that keep every row inside its buffer.
#pragma once

#include "formats/pcx/PcxHeader.h"

namespace ZAV {

enum class PcxPaletteSource { kBlackWhite, kHeader16, kTrailing256, kNone };

struct PcxLayout {
    int width = 0;
    int height = 0;
    int imageDepth = 0;
    PcxPaletteSource palette = PcxPaletteSource::kNone;
};

// Refuses the combinations no row converter handles, sizes whose maximum
// lies below the minimum, and bytes per line fewer than a row needs.
PcxLayout ChoosePcxLayout(const PcxHeader& header);

}  // namespace ZAV
