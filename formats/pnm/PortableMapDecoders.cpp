#include "formats/pnm/PortableMapDecoders.h"

#include "formats/pnm/PnmHeader.h"
#include "formats/pnm/PnmRaster.h"
#include "foundation/datasource/DataSource.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

constexpr int kCodeCreate = 10;

}  // namespace

int CPortableMapDecoder::DoGetFileInfo(IDataSource* source, FilterImageInfo* info)
{
    const PnmHeader header = ReadPnmHeader(source, m_format, *GetImage());
    if (info) {
        *info = FilterImageInfo{};
        info->width = header.width;
        info->height = header.height;
        info->bitsPerPixel = m_format.imageDepth;
        CZAVImgBase::ConvertResolution(0, 0, kResolutionUnitInch, info->dpiX, info->dpiY);
    }
    return 1;
}

int CPortableMapDecoder::DoLoadPicture(IDataSource* source, int* depth)
{
    CZAVImg& image = *GetImage();
    const PnmHeader header = ReadPnmHeader(source, m_format, image);
    CDataSource& data = PnmSource(source, m_format);
    CheckPnmRasterFits(data, m_format, header);
    if (depth)
        *depth = m_format.imageDepth;
    image.SetResolution(0, 0, kResolutionUnitInch);
    if (!image.Create(header.width, header.height, m_format.imageDepth))
        ThrowError(kCodeCreate, image.GetErrorText().GetText());
    if (m_format.imageDepth == 8)
        image.GetPalette().CreateGrayScale();
    else if (m_format.imageDepth == 1)
        image.GetPalette().CreateWhiteBlack();
    ReadPnmRaster(data, m_format, header, image);
    return 1;
}

}  // namespace ZAV
