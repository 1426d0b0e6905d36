#include "formats/dcx/DCXDecoder.h"

#include "formats/dcx/DcxPageTable.h"
#include "formats/pcx/PCXDecoder.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

int CDCXDecoder::DoGetFrameCount(IDataSource* source)
{
    return static_cast<int>(ReadDcxPageTable(source, *GetImage()).offsets.size());
}

int CDCXDecoder::DoGetFileInfo(IDataSource* source, FilterImageInfo* info)
{
    const DcxPageTable table = ReadDcxPageTable(source, *GetImage());
    SeekDcxPage(source, table, GetFrameIndex());
    CPCXDecoder page;
    return page.GetFileInfo(GetImage(), source, info);
}

int CDCXDecoder::DoLoadPicture(IDataSource* source, int* depth)
{
    const DcxPageTable table = ReadDcxPageTable(source, *GetImage());
    SeekDcxPage(source, table, GetFrameIndex());
    CPCXDecoder page;
    const int result = page.LoadPicture(GetImage(), source, depth ? *depth : 0);
    if (depth)
        *depth = GetImage()->GetBitsPerPixel();
    return result;
}

}  // namespace ZAV
