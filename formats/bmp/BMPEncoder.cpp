#include "formats/bmp/BMPEncoder.h"

#include "formats/bmp/BmpRleCoder.h"
#include "formats/codec/CodecDataSource.h"
#include "foundation/datasource/IDataSource.h"
#include "image/dib/DibHeader.h"
#include "image/dib/DibRows.h"
#include "image/object/ZAVImg.h"

#include <cstring>

namespace ZAV {

namespace {

constexpr uint16_t kBmpSignature = 0x4D42;  // "BM"
constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kHeadersBytes = kFileHeaderBytes + kInfoHeaderBytes;
constexpr int kCodeDepth = 2;
constexpr int kCodeMemory = 10;
constexpr int kCodePalette = 17;
constexpr int kCodeParameter = 19;
constexpr int kCodeHeaderWrite = 20;
constexpr int kCodeWrite = 21;

void PutLittle(uint8_t* out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out[i] = static_cast<uint8_t>(value >> (8 * i));
}

void WriteOrFail(IDataSource& target, const void* data, size_t size, int code, const char* text)
{
    if (size && !target.Write(data, size))
        CPicEncoder::ThrowError(code, text);
}

// The file's size in its 32-bit field; a picture past it cannot be written.
uint32_t FileSize(int64_t tableBytes, int64_t dataBytes)
{
    const int64_t size = kHeadersBytes + tableBytes + dataBytes;
    if (size > static_cast<int64_t>(UINT32_MAX))
        CPicEncoder::ThrowError(kCodeDepth, "Encoding BMP: Image too large.");
    return static_cast<uint32_t>(size);
}

}  // namespace

int CBMPEncoder::DoSavePicture(IDataSource* target, uint32_t* bytesWritten)
{
    if (!target || !GetImage())
        ThrowError(kCodeParameter, "Invalid parameter!");
    uint32_t bytes = 0;
    if (GetImage()->m_bmpOption && GetImage()->GetBitsPerPixel() == 8)
        SaveRunLength(*target, bytes);
    else
        SaveUncompressed(*target, bytes);
    if (bytesWritten)
        *bytesWritten = bytes;
    return 1;
}

uint32_t CBMPEncoder::WriteHeaders(IDataSource& target, int64_t dataBytes, uint32_t compression, int colours)
{
    const CZAVImg& image = *GetImage();
    const int64_t tableBytes = int64_t(4) * colours;
    const uint32_t fileSize = FileSize(tableBytes, dataBytes);
    uint8_t fileHeader[kFileHeaderBytes] = {};
    PutLittle(fileHeader, kBmpSignature, 2);
    PutLittle(fileHeader + 2, fileSize, 4);
    PutLittle(fileHeader + 10, kHeadersBytes + static_cast<uint32_t>(tableBytes), 4);
    WriteOrFail(target, fileHeader, sizeof fileHeader, kCodeHeaderWrite, "Can't write BMP FileHeader!");
    uint8_t info[kInfoHeaderBytes] = {};
    PutLittle(info, kInfoHeaderBytes, 4);
    PutLittle(info + 4, static_cast<uint32_t>(image.GetWidth()), 4);
    PutLittle(info + 8, static_cast<uint32_t>(image.GetHeight()), 4);
    PutLittle(info + 12, 1, 2);
    PutLittle(info + 14, static_cast<uint32_t>(image.GetBitsPerPixel()), 2);
    PutLittle(info + 16, compression, 4);
    PutLittle(info + 20, static_cast<uint32_t>(dataBytes), 4);
    PutLittle(info + 32, static_cast<uint32_t>(colours), 4);
    PutLittle(info + 36, static_cast<uint32_t>(colours), 4);
    WriteOrFail(target, info, sizeof info, kCodeHeaderWrite, "Can't write BMP InfoHeader!");
    std::vector<uint8_t> table(static_cast<size_t>(tableBytes));
    for (int i = 0; i < colours; ++i) {
        uint32_t entry = 0;
        image.GetPalette().GetEntry(i, entry);
        PutLittle(table.data() + 4 * i, entry & 0x00FFFFFF, 4);  // blue, green, red, 0
    }
    WriteOrFail(target, table.data(), table.size(), kCodeWrite, "Error writing to file!");
    return fileSize;
}

void CBMPEncoder::SaveUncompressed(IDataSource& target, uint32_t& bytesWritten)
{
    CZAVImg& image = *GetImage();
    const int depth = image.GetBitsPerPixel();
    if (depth != 1 && depth != 8 && depth != 24)
        ThrowError(kCodeDepth, "Encoding BMP: Illegal bpp value.");
    const int colours = depth == 24 ? 0 : image.GetPalette().GetCount();
    if (depth != 24 && colours == 0)
        ThrowError(kCodePalette, "No Palette available!");
    BYTE** lines = image.GetLineArray();
    if (!lines || !image.HasImage())
        ThrowError(kCodeParameter, "Invalid parameter!");
    const int height = image.GetHeight();
    const int64_t stride = GetDibStride(image.GetWidth(), 1, depth);
    const uint32_t fileSize = WriteHeaders(target, stride * height, BI_RGB, colours);
    std::vector<BYTE> row;
    try {
        row.assign(static_cast<size_t>(stride), 0);
    } catch (const std::bad_alloc&) {
        ThrowError(kCodeMemory, "Out of memory!");
    }
    for (int y = height - 1; y >= 0; --y) {
        std::memcpy(row.data(), lines[y], static_cast<size_t>(image.GetBytesPerLine()));
        if (depth == 24)
            SwapRedBlue(row.data(), image.GetWidth(), 1);
        WriteOrFail(target, row.data(), row.size(), kCodeWrite, "Error writing to file!");
        ReportSourceProgress(&target, static_cast<double>(height - y) / height);
    }
    bytesWritten = fileSize;
}

void CBMPEncoder::SaveRunLength(IDataSource& target, uint32_t& bytesWritten)
{
    CZAVImg& image = *GetImage();
    const int colours = image.GetPalette().GetCount();
    BYTE** lines = image.GetLineArray();
    if (colours == 0 || !lines || !image.HasImage())
        ThrowError(kCodeParameter, "Invalid parameter!");
    // The codes are gathered first, so both headers carry their sizes
    // without seeking back in the target.
    std::vector<uint8_t> codes;
    const int height = image.GetHeight();
    for (int y = height - 1; y >= 0; --y) {
        AppendRleRow(lines[y], image.GetWidth(), codes);
        ReportSourceProgress(&target, static_cast<double>(height - y) / height);
    }
    AppendRleEnd(codes);
    bytesWritten = WriteHeaders(target, static_cast<int64_t>(codes.size()), BI_RLE8, colours);
    WriteOrFail(target, codes.data(), codes.size(), kCodeWrite, "Error writing to file!");
}

}  // namespace ZAV
