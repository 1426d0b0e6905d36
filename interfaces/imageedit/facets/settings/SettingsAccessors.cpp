// The plain getters and setters of the file-format settings facet: each
// reads or stores one setting of the owner's image, unchecked.
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/facets/settings/ZAVImageEditFileFormatSettings.h"

namespace ZAV {

int CZAVImageEditFileFormatSettings::GetPrepareOnSave()
{
    return Image().m_prepareBeforeSave;
}

void CZAVImageEditFileFormatSettings::SetPrepareOnSave(int value)
{
    Image().m_prepareBeforeSave = value;
}

int CZAVImageEditFileFormatSettings::GetJpegQuality()
{
    return Image().m_jpegQuality;
}

void CZAVImageEditFileFormatSettings::SetJpegQuality(int value)
{
    Image().m_jpegQuality = value;
}

int CZAVImageEditFileFormatSettings::GetJpegProgressive()
{
    return Image().m_jpegOptionA;
}

void CZAVImageEditFileFormatSettings::SetJpegProgressive(int value)
{
    Image().m_jpegOptionA = value;
}

int CZAVImageEditFileFormatSettings::GetJpegGrayscale()
{
    return Image().m_jpegGray;
}

void CZAVImageEditFileFormatSettings::SetJpegGrayscale(int value)
{
    Image().m_jpegGray = value;
}

int CZAVImageEditFileFormatSettings::GetBmpRle()
{
    return Image().m_bmpOption;
}

void CZAVImageEditFileFormatSettings::SetBmpRle(int value)
{
    Image().m_bmpOption = value;
}

int CZAVImageEditFileFormatSettings::GetTiffCompression()
{
    return Image().m_tiffCompression;
}

void CZAVImageEditFileFormatSettings::SetTiffCompression(int value)
{
    Image().m_tiffCompression = value;
}

int CZAVImageEditFileFormatSettings::GetTiffPredictor()
{
    return Image().m_tiffOptionA;
}

void CZAVImageEditFileFormatSettings::SetTiffPredictor(int value)
{
    Image().m_tiffOptionA = value;
}

int CZAVImageEditFileFormatSettings::GetTiffT4Options()
{
    return Image().m_tiffOptionB;
}

void CZAVImageEditFileFormatSettings::SetTiffT4Options(int value)
{
    Image().m_tiffOptionB = value;
}

int CZAVImageEditFileFormatSettings::GetTiffT6Options()
{
    return Image().m_ccittOptionA;
}

void CZAVImageEditFileFormatSettings::SetTiffT6Options(int value)
{
    Image().m_ccittOptionA = value;
}

int CZAVImageEditFileFormatSettings::GetTiffFaxMode()
{
    return Image().m_ccittOptionB;
}

void CZAVImageEditFileFormatSettings::SetTiffFaxMode(int value)
{
    Image().m_ccittOptionB = value;
}

int CZAVImageEditFileFormatSettings::GetPngColorType()
{
    return Image().m_pngColorType;
}

void CZAVImageEditFileFormatSettings::SetPngColorType(int value)
{
    Image().m_pngColorType = value;
}

int CZAVImageEditFileFormatSettings::GetPngInterlace()
{
    return Image().m_pngInterlace;
}

void CZAVImageEditFileFormatSettings::SetPngInterlace(int value)
{
    Image().m_pngInterlace = value;
}

int CZAVImageEditFileFormatSettings::GetSpareValue()
{
    return Image().m_spareWord;
}

void CZAVImageEditFileFormatSettings::SetSpareValue(int value)
{
    Image().m_spareWord = value;
}

int CZAVImageEditFileFormatSettings::GetPsdReadResources()
{
    return Image().m_psdOptionA;
}

void CZAVImageEditFileFormatSettings::SetPsdReadResources(int value)
{
    Image().m_psdOptionA = value;
}

int CZAVImageEditFileFormatSettings::GetSpareValue2()
{
    return Image().m_spareSetting;
}

void CZAVImageEditFileFormatSettings::SetSpareValue2(int value)
{
    Image().m_spareSetting = value;
}

int CZAVImageEditFileFormatSettings::GetPdfImageCoding()
{
    return Image().m_pdfImageCoding;
}

void CZAVImageEditFileFormatSettings::SetPdfImageCoding(int value)
{
    Image().m_pdfImageCoding = value;
}

int CZAVImageEditFileFormatSettings::GetPnmBinary()
{
    return Image().m_portableMapOption;
}

void CZAVImageEditFileFormatSettings::SetPnmBinary(int value)
{
    Image().m_portableMapOption = value;
}

int CZAVImageEditFileFormatSettings::GetGifBuiltInDecoding()
{
    return Image().m_gifEnabled;
}

void CZAVImageEditFileFormatSettings::SetGifBuiltInDecoding(int value)
{
    Image().m_gifEnabled = value;
}

int CZAVImageEditFileFormatSettings::GetExrValue3()
{
    return Image().m_exr.flag;
}

void CZAVImageEditFileFormatSettings::SetExrValue3(int value)
{
    Image().m_exr.flag = value;
}

int CZAVImageEditFileFormatSettings::GetMagickValue1()
{
    return Image().m_magickSettings[0];
}

void CZAVImageEditFileFormatSettings::SetMagickValue1(int value)
{
    Image().m_magickSettings[0] = value;
}

int CZAVImageEditFileFormatSettings::GetMagickValue2()
{
    return Image().m_magickSettings[1];
}

void CZAVImageEditFileFormatSettings::SetMagickValue2(int value)
{
    Image().m_magickSettings[1] = value;
}

int CZAVImageEditFileFormatSettings::GetMagickValue3()
{
    return Image().m_magickSettings[2];
}

void CZAVImageEditFileFormatSettings::SetMagickValue3(int value)
{
    Image().m_magickSettings[2] = value;
}

int CZAVImageEditFileFormatSettings::GetMagickValue4()
{
    return Image().m_magickSettings[3];
}

void CZAVImageEditFileFormatSettings::SetMagickValue4(int value)
{
    Image().m_magickSettings[3] = value;
}

int CZAVImageEditFileFormatSettings::GetMagickValue5()
{
    return Image().m_magickSettings[4];
}

void CZAVImageEditFileFormatSettings::SetMagickValue5(int value)
{
    Image().m_magickSettings[4] = value;
}

double CZAVImageEditFileFormatSettings::GetExrValue1()
{
    return Image().m_exr.exposure;
}

void CZAVImageEditFileFormatSettings::SetExrValue1(double value)
{
    Image().m_exr.exposure = value;
}

double CZAVImageEditFileFormatSettings::GetExrValue2()
{
    return Image().m_exr.gamma;
}

void CZAVImageEditFileFormatSettings::SetExrValue2(double value)
{
    Image().m_exr.gamma = value;
}

COLORREF CZAVImageEditFileFormatSettings::GetWmfBackgroundColor()
{
    return Image().m_metafileBackground;
}

void CZAVImageEditFileFormatSettings::SetWmfBackgroundColor(COLORREF value)
{
    Image().m_metafileBackground = value;
}

}  // namespace ZAV
