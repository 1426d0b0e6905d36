#include "formats/jpeg/JpegProgress.h"

#include "formats/codec/CodecDataSource.h"

namespace ZAV {

namespace {

void ReportProgress(j_common_ptr object)
{
    JpegProgress* progress = reinterpret_cast<JpegProgress*>(object->progress);
    const jpeg_progress_mgr& base = progress->base;
    if (base.pass_limit <= 0 || base.total_passes <= 0)
        return;
    const double inPass = static_cast<double>(base.pass_counter) / static_cast<double>(base.pass_limit);
    // Nothing may be thrown through libjpeg's frames.
    try {
        ReportSourceProgress(progress->source, (inPass + base.completed_passes) / base.total_passes);
    } catch (...) {
    }
}

}  // namespace

jpeg_progress_mgr* InitJpegProgress(JpegProgress& progress, IDataSource* source)
{
    progress.base = jpeg_progress_mgr();
    progress.base.progress_monitor = ReportProgress;
    progress.source = source;
    return &progress.base;
}

}  // namespace ZAV
