// The JBIG2 plug-in's codec calls: facts and loads through the reader,
// saves through the writer, both over kvd_jb2.
#include "foundation/containers/NameVariantPairs.h"
#include "plugins/jbig2/Jbig2Settings.h"
#include "plugins/jbig2/reader/Jbig2Reader.h"
#include "plugins/jbig2/writer/Jbig2Writer.h"
#include "plugins/shared/PluginCodec.h"

namespace ZAV {

void ReadPluginInfo(CDataSource& source, FilterImageInfo* info)
{
    CNameVariantPairs& properties = GetFilterImageProperties();
    properties.RemoveAll();
    Jbig2Reader reader(source, &properties);
    reader.ReadFacts(info);
}

void DecodePluginPicture(CDataSource& source, FilterLoadedPicture& picture)
{
    CNameVariantPairs& properties = GetFilterImageProperties();
    properties.RemoveAll();
    Jbig2Reader reader(source, &properties);
    reader.Load(picture);
}

void EncodePluginPicture(CDataSource& target, const FilterSavePixels& pixels)
{
    Jbig2Writer writer(target, pixels, GetJbig2PluginSettings());
    writer.Write();
}

}  // namespace ZAV
