// The JPEG 2000 plug-in before its codec is built in: every read and write
// fails, so the host sees the plug-in's own open and write texts.
#include "plugins/shared/PluginCodec.h"

#include <stdexcept>

namespace ZAV {

void ReadPluginInfo(CDataSource&, FilterImageInfo*)
{
    throw std::runtime_error("no JPEG 2000 codec");
}

void DecodePluginPicture(CDataSource&, FilterLoadedPicture&)
{
    throw std::runtime_error("no JPEG 2000 codec");
}

void EncodePluginPicture(CDataSource&, const FilterSavePixels&)
{
    throw std::runtime_error("no JPEG 2000 codec");
}

}  // namespace ZAV
