// zlib compression and decompression of whole files.
#pragma once

#include <string>

namespace ZAV {

// The input file must exist ("File '%s' does not exist!"). The result is
// written to a new file beside the output name and renamed over it only when
// it is complete, so a failure leaves no output behind and an existing output
// file is replaced only by a whole result. Corrupt or truncated compressed
// data fails with a CTextException naming the fault.
void ZlibCompressFile(const std::string& inputPath, const std::string& outputPath);
void ZlibDecompressFile(const std::string& inputPath, const std::string& outputPath);

}  // namespace ZAV
