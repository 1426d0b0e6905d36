// The JPEG 2000 plug-in's codec calls: facts and loads through the reader,
// saves through the writer, both over kvw_jp2.
#include <algorithm>

#include "foundation/containers/NameVariantPairs.h"
#include "plugins/jpeg2000/Jpeg2000Settings.h"
#include "plugins/jpeg2000/reader/Jpeg2000Reader.h"
#include "plugins/jpeg2000/writer/Jpeg2000Writer.h"
#include "plugins/shared/PluginCodec.h"

namespace ZAV {

void ReadPluginInfo(CDataSource& source, FilterImageInfo* info)
{
    CNameVariantPairs& properties = GetFilterImageProperties();
    properties.RemoveAll();
    Jpeg2000Reader reader(source, &properties, GetJpeg2000PluginSettings().reduceTo8Bits);
    reader.ReadFacts(info);
}

void DecodePluginPicture(CDataSource& source, FilterLoadedPicture& picture)
{
    CNameVariantPairs& properties = GetFilterImageProperties();
    properties.RemoveAll();
    Jpeg2000Reader reader(source, &properties, GetJpeg2000PluginSettings().reduceTo8Bits);
    reader.Load(picture);
}

void EncodePluginPicture(CDataSource& target, const FilterSavePixels& pixels)
{
    const Jpeg2000EncoderSettings& kept = GetJpeg2000PluginSettings().encoder;
    Jpeg2000WriteSettings settings = {};
    std::copy(kept.values, kept.values + 9, settings.values);
    settings.rate = kept.CompressionRate;
    settings.bitRate = kept.CompressionBitRate;
    settings.fileSize = kept.CompressionDestinationFileSize;
    settings.metadata = kept.metadata;
    Jpeg2000Writer writer(target, pixels, settings);
    writer.Write();
}

}  // namespace ZAV
