// The IDAT data of a PNG file: the one zlib stream of filtered rows that a
// PDF /FlateDecode stream with a PNG predictor holds (PNG 5.3, 11.2.4).
#pragma once

namespace ZAV {

class CDataSource;
class IDataSource;

// Walks the chunks after the signature and writes the data of the IDAT
// run to the target. Throws "PNG IDAT chunk sequence broken" for an IDAT
// after another chunk ended the run, "Seek in PNG file failed!" when a
// chunk reaches past the file.
void CopyPngIdatData(CDataSource& file, IDataSource& target);

}  // namespace ZAV
