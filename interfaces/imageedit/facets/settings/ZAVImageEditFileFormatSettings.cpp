// The file-format settings facet's operations that do more than store a
// value.
#include "interfaces/imageedit/facets/settings/ZAVImageEditFileFormatSettings.h"

#include "foundation/text/TextException.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/facets/settings/Jpeg2000MetadataOps.h"

namespace ZAV {

namespace {

constexpr int kPdfCodingJpeg = 4;
constexpr int kPdfCodingTiff = 5;
// libtiff compression codes.
constexpr int kTiffCcittG4 = 4;
constexpr int kTiffLzw = 5;
// The JBIG2 values a PDF picture is coded with: a PDF stream, the
// arithmetic coder, template 0, lossy with symbol matching of quality 5.
constexpr int32_t kPdfJbig2Settings[8] = {0, 100, 20, 0, 0, 0, 1, 5};

// The indexes of the PDF document texts in the image.
enum PdfText { kCreator, kCreationDate, kAuthor, kProducer, kTitle, kSubject, kKeywords };

std::vector<uint8_t> BytesOf(const CArraySimple<unsigned char, 1>& array)
{
    return std::vector<uint8_t>(array.GetData(), array.GetData() + array.GetSize());
}

std::vector<std::string> TextsOf(CArrayString& array)
{
    return std::vector<std::string>(array.GetData(), array.GetData() + array.GetSize());
}

}  // namespace

CZAVImg& CZAVImageEditFileFormatSettings::Image()
{
    return m_owner->GetImage();
}

void CZAVImageEditFileFormatSettings::PrepareForFormat(int format)
{
    Image().CheckSaveOptions(format);
}

void CZAVImageEditFileFormatSettings::SetJpeg2000Settings(int value1, int value2, int value3, int value4, int value5,
                                                          int value6, int value7, int value8, int value9,
                                                          double compressionRate, double compressionBitRate,
                                                          int compressionDestinationFileSize)
{
    CJpeg2000Settings& settings = Image().m_jpeg2000;
    const int32_t values[9] = {value1, value2, value3, value4, value5, value6, value7, value8, value9};
    std::copy(values, values + 9, settings.ints);
    settings.doubles[0] = compressionRate;
    settings.doubles[1] = compressionBitRate;
    settings.last = compressionDestinationFileSize;
}

void CZAVImageEditFileFormatSettings::SetJpeg2000Metadata(const CArraySimple<unsigned char, 1>& xmlData,
                                                          const CArraySimple<unsigned char, 1>& ipData,
                                                          const CArraySimple<unsigned char, 1>& iptcData,
                                                          const std::string& uuidId,
                                                          const CArraySimple<unsigned char, 1>& uuidData,
                                                          CArrayString& uuidInfoIds, const std::string& uuidInfoUrl)
{
    Jpeg2000MetadataRecord source;
    source.xmlData = BytesOf(xmlData);
    source.ipData = BytesOf(ipData);
    source.iptcData = BytesOf(iptcData);
    source.uuidId = uuidId;
    source.uuidData = BytesOf(uuidData);
    source.uuidInfoIds = TextsOf(uuidInfoIds);
    source.uuidInfoUrl = uuidInfoUrl;
    SetMetadata(Image().m_jpeg2000Metadata, source);
}

void CZAVImageEditFileFormatSettings::SetJpeg2000RoiRectangles(const CArraySimple<int32_t, 2>& values)
{
    SetRoiRectangles(Image().m_jpeg2000Metadata,
                     std::vector<int32_t>(values.GetData(), values.GetData() + values.GetSize()));
}

void CZAVImageEditFileFormatSettings::SetJbig2Settings(int value1, int value2, int value3, int value4, int value5,
                                                       int value6, int value7, int value8)
{
    const int32_t values[8] = {value1, value2, value3, value4, value5, value6, value7, value8};
    std::copy(values, values + 8, Image().m_jbig2Settings);
}

int CZAVImageEditFileFormatSettings::GetJpeg2000DllId()
{
    return Image().GetImportExportDlls().GetJpeg2000DllId();
}

int CZAVImageEditFileFormatSettings::GetJbig2DllId()
{
    return Image().GetImportExportDlls().GetJbig2DllId();
}

void CZAVImageEditFileFormatSettings::SetPdfDocumentTexts(const std::string& creator, const std::string& creationDate,
                                                          const std::string& author, const std::string& producer,
                                                          const std::string& title, const std::string& subject,
                                                          const std::string& keywords)
{
    String* texts = Image().m_settingTexts;
    texts[kCreator] = String(creator.c_str());
    texts[kCreationDate] = String(creationDate.c_str());
    texts[kAuthor] = String(author.c_str());
    texts[kProducer] = String(producer.c_str());
    texts[kTitle] = String(title.c_str());
    texts[kSubject] = String(subject.c_str());
    texts[kKeywords] = String(keywords.c_str());
}

void CZAVImageEditFileFormatSettings::SelectPdfImageCoding()
{
    CZAVImg& image = Image();
    switch (image.GetBitsPerPixel()) {
    case 1: {
        const int jbig2 = GetJbig2DllId();
        if (jbig2 < 0) {
            image.m_pdfImageCoding = kPdfCodingTiff;
            image.m_tiffCompression = kTiffCcittG4;
            image.m_ccittOptionB = 1;
            image.m_ccittOptionA = 0;
        } else {
            image.m_pdfImageCoding = jbig2;
            const int32_t* v = kPdfJbig2Settings;
            SetJbig2Settings(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
        }
        return;
    }
    case 8:
        image.m_pdfImageCoding = kPdfCodingTiff;
        image.m_tiffCompression = kTiffLzw;
        return;
    case 24: {
        const int jpeg2000 = GetJpeg2000DllId();
        image.m_pdfImageCoding = jpeg2000 < 0 ? kPdfCodingJpeg : jpeg2000;
        return;
    }
    default: {
        String text;
        text.Format("Invalid bit depth %d!", image.GetBitsPerPixel());
        ThrowTextException(text.GetText());
    }
    }
}

void CZAVImageEditFileFormatSettings::SetGifSettings(int writerMode, CArrayString& comments, int transparentIndex,
                                                     int delay, int disposalMethod, int frameLeft, int frameTop,
                                                     int loopCount, int localColorTable)
{
    CGifSettings& gif = Image().m_gif;
    gif.flag = writerMode;
    gif.comments = TextsOf(comments);
    const int32_t values[7] = {transparentIndex, delay,     disposalMethod, frameLeft,
                               frameTop,         loopCount, localColorTable};
    std::copy(values, values + 7, gif.values);
}

}  // namespace ZAV
