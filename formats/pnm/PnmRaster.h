// The raster of a portable map into image rows: binary samples of one or
// two bytes (big-endian, netpbm's rule for a maximum above 255), text
// samples as decimal numbers, plain PBM as one digit a pixel. Samples are
// scaled from 0..maximum to 0..255.
#pragma once

#include "formats/pnm/PnmHeader.h"

namespace ZAV {

class CDataSource;
class CZAVImg;

// Refuses a raster the rest of the source cannot hold (the end-of-data
// text), before the image is made.
void CheckPnmRasterFits(CDataSource& source, const PnmFormat& format, const PnmHeader& header);

// Fills the created image from the source's position. A sample above the
// maximum, a missing number and a PBM digit other than 0 or 1 fail with the
// format's data text.
void ReadPnmRaster(CDataSource& source, const PnmFormat& format, const PnmHeader& header, CZAVImg& image);

}  // namespace ZAV
