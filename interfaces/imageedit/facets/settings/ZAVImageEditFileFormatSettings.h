// The file-format settings facet: every operation reads or writes a setting
// of the owner's image.
#pragma once

#include "interfaces/imageedit/facets/ImageEditFacetInterfaces.h"

namespace ZAV {

class CZAVImageEdit;
class CZAVImg;

class CZAVImageEditFileFormatSettings : public IZAVImageEditFileFormatSettingsCpp {
public:
    explicit CZAVImageEditFileFormatSettings(CZAVImageEdit* owner) : m_owner(owner) {}

    int GetPrepareOnSave() override;
    void SetPrepareOnSave(int value) override;
    void PrepareForFormat(int format) override;
    int GetJpegQuality() override;
    void SetJpegQuality(int value) override;
    int GetJpegProgressive() override;
    void SetJpegProgressive(int value) override;
    int GetJpegGrayscale() override;
    void SetJpegGrayscale(int value) override;
    int GetBmpRle() override;
    void SetBmpRle(int value) override;
    int GetTiffCompression() override;
    void SetTiffCompression(int value) override;
    int GetTiffPredictor() override;
    void SetTiffPredictor(int value) override;
    int GetTiffT4Options() override;
    void SetTiffT4Options(int value) override;
    int GetTiffT6Options() override;
    void SetTiffT6Options(int value) override;
    int GetTiffFaxMode() override;
    void SetTiffFaxMode(int value) override;
    int GetPngColorType() override;
    void SetPngColorType(int value) override;
    int GetPngInterlace() override;
    void SetPngInterlace(int value) override;
    int GetSpareValue() override;
    void SetSpareValue(int value) override;
    int GetPsdReadResources() override;
    void SetPsdReadResources(int value) override;
    void SetJpeg2000Settings(int value1, int value2, int value3, int value4, int value5, int value6, int value7,
                             int value8, int value9, double compressionRate, double compressionBitRate,
                             int compressionDestinationFileSize) override;
    void SetJpeg2000Metadata(const CArraySimple<unsigned char, 1>& xmlData,
                             const CArraySimple<unsigned char, 1>& ipData,
                             const CArraySimple<unsigned char, 1>& iptcData, const std::string& uuidId,
                             const CArraySimple<unsigned char, 1>& uuidData, CArrayString& uuidInfoIds,
                             const std::string& uuidInfoUrl) override;
    void SetJpeg2000RoiRectangles(const CArraySimple<int32_t, 2>& values) override;
    void SetJbig2Settings(int value1, int value2, int value3, int value4, int value5, int value6, int value7,
                          int value8) override;
    int GetJpeg2000DllId() override;
    int GetJbig2DllId() override;
    COLORREF GetWmfBackgroundColor() override;
    void SetWmfBackgroundColor(COLORREF value) override;
    int GetSpareValue2() override;
    void SetSpareValue2(int value) override;
    void SetPdfDocumentTexts(const std::string& creator, const std::string& creationDate, const std::string& author,
                             const std::string& producer, const std::string& title, const std::string& subject,
                             const std::string& keywords) override;
    int GetPdfImageCoding() override;
    void SetPdfImageCoding(int value) override;
    void SelectPdfImageCoding() override;
    void SetGifSettings(int writerMode, CArrayString& comments, int transparentIndex, int delay, int disposalMethod,
                        int frameLeft, int frameTop, int loopCount, int localColorTable) override;
    int GetPnmBinary() override;
    void SetPnmBinary(int value) override;
    int GetGifBuiltInDecoding() override;
    void SetGifBuiltInDecoding(int value) override;
    double GetExrValue1() override;
    void SetExrValue1(double value) override;
    double GetExrValue2() override;
    void SetExrValue2(double value) override;
    int GetExrValue3() override;
    void SetExrValue3(int value) override;
    int GetMagickValue1() override;
    void SetMagickValue1(int value) override;
    int GetMagickValue2() override;
    void SetMagickValue2(int value) override;
    int GetMagickValue3() override;
    void SetMagickValue3(int value) override;
    int GetMagickValue4() override;
    void SetMagickValue4(int value) override;
    int GetMagickValue5() override;
    void SetMagickValue5(int value) override;

private:
    CZAVImg& Image();

    CZAVImageEdit* m_owner;
};

}  // namespace ZAV
