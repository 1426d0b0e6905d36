// libjpeg's progress monitor, reporting the fraction done through the
// data source's progress sink.
#pragma once

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

namespace ZAV {

class IDataSource;

struct JpegProgress {
    // First, so the pointer libjpeg holds to it is the monitor's own.
    jpeg_progress_mgr base;
    IDataSource* source;
};

// Fills the monitor and returns the pointer a libjpeg object takes.
jpeg_progress_mgr* InitJpegProgress(JpegProgress& progress, IDataSource* source);

}  // namespace ZAV
