#include "formats/dcx/DCXEncoder.h"

#include "formats/dcx/DcxPageTable.h"
#include "formats/pcx/PCXEncoder.h"
#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"

#include <vector>

namespace ZAV {

namespace {

constexpr int kCodeWrite = 27;

void PutLittle32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void WriteOrFail(CDataSource& target, const std::vector<uint8_t>& bytes)
{
    if (!target.Write(bytes.data(), bytes.size()))
        CPicEncoder::ThrowError(kCodeWrite, "PCX write error!");
}

// The identifier and the table: the page offsets and the zero behind them.
std::vector<uint8_t> TableBytes(const std::vector<uint32_t>& offsets)
{
    std::vector<uint8_t> bytes;
    PutLittle32(bytes, kDcxIdentifier);
    for (uint32_t offset : offsets)
        PutLittle32(bytes, offset);
    PutLittle32(bytes, 0);
    return bytes;
}

uint32_t PageOffset(CDataSource& target, uint64_t start)
{
    const uint64_t offset = target.GetPosition() - start;
    if (offset > UINT32_MAX)
        CPicEncoder::ThrowError(kCodeWrite, "PCX write error! DCX file too large.");
    return static_cast<uint32_t>(offset);
}

}  // namespace

int CDCXEncoder::DoSavePicture(IDataSource* target, uint32_t* bytesWritten)
{
    CZAVImg* page = GetImage();
    return DoSaveMultiPicture(&page, 1, target, 0, bytesWritten);
}

int CDCXEncoder::DoSaveMultiPicture(CZAVImg** images, int count, IDataSource* target, int, uint32_t* bytesWritten)
{
    if (count < 1)
        ThrowTextException("Invalid number of pages");
    if (count > kDcxMaxPages)
        ThrowTextException("DCX files are limited to a maximum of 1023 pages!");
    CDataSource* sink = dynamic_cast<CDataSource*>(target);
    if (!sink || !images)
        ThrowError(kCodeWrite, "PCX write error!");
    const uint64_t start = sink->GetPosition();
    std::vector<uint32_t> offsets(static_cast<size_t>(count), 0);
    WriteOrFail(*sink, TableBytes(offsets));
    for (int i = 0; i < count; ++i) {
        if (!images[i])
            ThrowError(kCodeWrite, "PCX write error!");
        offsets[static_cast<size_t>(i)] = PageOffset(*sink, start);
        CPCXEncoder page;
        page.SavePicture(images[i], sink, nullptr);
    }
    const uint64_t end = sink->GetPosition();
    if (!sink->Seek(static_cast<int64_t>(start), 0))
        ThrowError(kCodeWrite, "PCX write error!");
    WriteOrFail(*sink, TableBytes(offsets));
    sink->Seek(static_cast<int64_t>(end), 0);
    const uint32_t length = static_cast<uint32_t>(sink->GetLength());
    if (bytesWritten)
        *bytesWritten = length;
    return static_cast<int>(length);
}

}  // namespace ZAV
