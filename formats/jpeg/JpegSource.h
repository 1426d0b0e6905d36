// libjpeg's source manager over a data source, with a buffer of 4096
// bytes. When the data ends before the image does, a warning is emitted
// and an end-of-image marker supplied, so the rows read so far stay; data
// that holds no byte at all is libjpeg's "empty input file" error.
#pragma once

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

namespace ZAV {

class IDataSource;

// Installs the manager, made in libjpeg's permanent pool. Raises libjpeg's
// error (by longjmp) when the pool refuses: call it inside a step.
void InstallJpegSource(j_decompress_ptr decompressor, IDataSource* source);

}  // namespace ZAV
