#include "formats/wbmp/WBMPEncoder.h"

#include "formats/codec/CodecDataSource.h"
#include "formats/wbmp/WbmpHeader.h"
#include "foundation/datasource/IDataSource.h"
#include "image/object/ZAVImg.h"

#include <vector>

namespace ZAV {

namespace {

constexpr int kCodeWbmp = 0;

void WriteOrFail(IDataSource& target, const std::vector<uint8_t>& bytes)
{
    if (!bytes.empty() && !target.Write(bytes.data(), bytes.size()))
        CPicEncoder::ThrowError(kCodeWbmp, "WBMP write error!");
}

}  // namespace

int CWBMPEncoder::DoSavePicture(IDataSource* target, uint32_t* bytesWritten)
{
    CZAVImg& image = *GetImage();
    if (!target || !image.HasImage() || image.GetBitsPerPixel() != 1)
        ThrowError(kCodeWbmp, "Encoding WBMP: Illegal bpp value. Requires 1bit image to export!");
    std::vector<uint8_t> bytes = {0, 0};
    AppendWbmpInteger(static_cast<uint32_t>(image.GetWidth()), bytes);
    AppendWbmpInteger(static_cast<uint32_t>(image.GetHeight()), bytes);
    WriteOrFail(*target, bytes);
    // The format's 1 is white: a white-first palette's bits say the
    // opposite and are written inverted.
    const bool invert = image.GetPalette().IsInverted();
    const size_t rowBytes = (static_cast<size_t>(image.GetWidth()) + 7) / 8;
    BYTE** lines = image.GetLineArray();
    const int height = image.GetHeight();
    for (int y = 0; y < height; ++y) {
        bytes.assign(lines[y], lines[y] + rowBytes);
        if (invert)
            for (uint8_t& b : bytes)
                b = static_cast<uint8_t>(~b);
        WriteOrFail(*target, bytes);
        ReportSourceProgress(target, static_cast<double>(y + 1) / height);
    }
    if (bytesWritten)
        *bytesWritten = static_cast<uint32_t>(GetSourceLength(target, 0));
    return 1;
}

}  // namespace ZAV
