#include "interfaces/imageedit/facets/settings/Jpeg2000MetadataOps.h"

namespace ZAV {

void ClearMetadata(Jpeg2000MetadataRecord& record)
{
    record.xmlData.clear();
    record.ipData.clear();
    record.iptcData.clear();
    record.uuidId.clear();
    record.uuidData.clear();
    record.uuidInfoIds.clear();
    record.uuidInfoUrl.clear();
}

void ClearAllMetadata(Jpeg2000MetadataRecord& record)
{
    ClearMetadata(record);
    record.roiRectangles.clear();
}

void SetMetadata(Jpeg2000MetadataRecord& record, const Jpeg2000MetadataRecord& source)
{
    ClearMetadata(record);
    record.xmlData = source.xmlData;
    record.ipData = source.ipData;
    record.iptcData = source.iptcData;
    record.uuidId = source.uuidId;
    record.uuidData = source.uuidData;
    record.uuidInfoIds = source.uuidInfoIds;
    record.uuidInfoUrl = source.uuidInfoUrl;
}

void SetRoiRectangles(Jpeg2000MetadataRecord& record, const std::vector<int32_t>& values)
{
    record.roiRectangles.clear();
    record.roiRectangles = values;
}

}  // namespace ZAV
