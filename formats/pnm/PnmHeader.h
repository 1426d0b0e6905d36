// The header of a portable map: magic, width, height and (not for PBM) the
// maximum sample value, then where the raster begins.
#pragma once

#include "formats/pnm/PnmFormat.h"

namespace ZAV {

class CDataSource;
class CZAVImg;
class IDataSource;

constexpr int kPnmMaxSampleValue = 65535;

struct PnmHeader {
    bool binary = false;
    int width = 0;
    int height = 0;
    int maxValue = 1;
};

// Reads the header and leaves the source on the raster's first byte; sets
// the file facts. Refuses a wrong magic, a missing number, a zero size and
// a maximum outside 1..65535 with the format's header text.
PnmHeader ReadPnmHeader(IDataSource* source, const PnmFormat& format, CZAVImg& image);

CDataSource& PnmSource(IDataSource* source, const PnmFormat& format);

}  // namespace ZAV
