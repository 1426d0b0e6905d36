// The texts the image-information list shows for TIFF compression and
// photometric codes.
#pragma once

namespace ZAV {

// "" for a code without a name.
const char* TiffCompressionName(int compression);
const char* TiffPhotometricName(int photometric);

}  // namespace ZAV
