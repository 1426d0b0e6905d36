#include "formats/dcx/DcxPageTable.h"

#include "formats/codec/FileFacts.h"
#include "formats/codec/PicDecoder.h"
#include "foundation/datasource/DataSource.h"

namespace ZAV {

namespace {

constexpr int kCodeDcx = 1;

uint32_t ReadLittle32(IDataSource& source)
{
    const unsigned char* p = source.ReadDWord();
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

CDataSource& Seekable(IDataSource* source)
{
    CDataSource* data = dynamic_cast<CDataSource*>(source);
    if (!data)
        CPicDecoder::ThrowError(kCodeDcx, "Not a DCX file!");
    return *data;
}

}  // namespace

DcxPageTable ReadDcxPageTable(IDataSource* source, CZAVImg& image)
{
    CDataSource& data = Seekable(source);
    DcxPageTable table;
    table.start = data.GetPosition();
    if (ReadLittle32(data) != kDcxIdentifier)
        CPicDecoder::ThrowError(kCodeDcx, "Not a DCX file!");
    for (;;) {
        const uint32_t offset = ReadLittle32(data);
        if (offset == 0)
            break;
        if (static_cast<int>(table.offsets.size()) == kDcxMaxPages)
            CPicDecoder::ThrowError(kCodeDcx, "DCX file format allows a maximum of 1023 pages!");
        table.offsets.push_back(offset);
    }
    CFileFacts(image).SetInt("FRAMES", static_cast<int>(table.offsets.size()));
    return table;
}

void SeekDcxPage(IDataSource* source, const DcxPageTable& table, int index)
{
    if (index < 0 || index >= static_cast<int>(table.offsets.size()))
        CPicDecoder::ThrowError(kCodeDcx, "Frame index out of range!");
    CDataSource& data = Seekable(source);
    const uint64_t position = table.start + table.offsets[static_cast<size_t>(index)];
    // A seek past the end would succeed on a file and leave the page
    // reader nothing; an offset is only good inside the data.
    if (position >= data.GetLength() || !data.Seek(static_cast<int64_t>(position), 0))
        CPicDecoder::ThrowError(kCodeDcx, "Invalid frame offset!");
}

}  // namespace ZAV
