// The image-edit object as a page picture: each question goes to the
// object's own operation or facet.
#include "interfaces/pagewriter/PageImage.h"
#include "interfaces/pagewriter/ZAVPdfDocumentPageWriter.h"

#include "foundation/objects/ZAVArrayObjectSp.h"
#include "foundation/text/TextException.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"

namespace ZAV {

namespace {

class CImageEditPageImage final : public CPageImage {
public:
    // Takes over one reference of the image.
    explicit CImageEditPageImage(CZAVPtr<IZAVImageEditSp> image) : m_image(std::move(image)) {}

    int32_t GetWidth() override { return m_image->GetWidth(); }
    int32_t GetHeight() override { return m_image->GetHeight(); }
    int32_t GetBitsPerPixel() override { return m_image->GetBitsPerPixel(); }
    int32_t GetXResolution() override { return m_image->GetXResolution(); }
    int32_t GetYResolution() override { return m_image->GetYResolution(); }
    int32_t GetPdfImageCoding() override { return Settings()->GetPdfImageCoding(); }
    int32_t GetTiffCompression() override { return Settings()->GetTiffCompression(); }
    void SetTiffCompression(int32_t compression) override { Settings()->SetTiffCompression(compression); }
    int32_t GetTiffT4Options() override { return Settings()->GetTiffT4Options(); }
    int32_t GetJbig2DllId() override { return Settings()->GetJbig2DllId(); }
    int32_t GetJpeg2000DllId() override { return Settings()->GetJpeg2000DllId(); }
    bool IsGrayScale() override { return m_image->GetPalette()->IsGrayScale(); }
    int32_t GetPaletteCount() override { return m_image->GetPalette()->GetPaletteCount(); }
    uint32_t GetPaletteEntry(int32_t index) override { return m_image->GetPalette()->GetPaletteEntry(index); }
    void SetMinIsBlack() override { m_image->GetColor()->SetMinIsBlack(); }
    void SetMinIsWhite() override { m_image->GetColor()->SetMinIsWhite(); }
    CCodedBytes Encode(ePageImageFilter filter) override;

private:
    IZAVImageEditFileFormatSettingsCpp* Settings() { return m_image->GetFileFormatSettings(); }
    CZAVPtr<IZAVArrayByteSp> EncodeBy(ePageImageFilter filter);

    CZAVPtr<IZAVImageEditSp> m_image;
};

CZAVPtr<IZAVArrayByteSp> CImageEditPageImage::EncodeBy(ePageImageFilter filter)
{
    IZAVImageEditEncodeCpp* encode = m_image->GetEncode();
    switch (filter) {
    case ePageImageFilter::RunLength:
        return encode->EncodeRunLength();
    case ePageImageFilter::Dct:
        return encode->EncodeDct();
    case ePageImageFilter::Jpx:
        return encode->EncodeJpx();
    case ePageImageFilter::Jbig2:
        return encode->EncodeJbig2();
    case ePageImageFilter::Ccitt:
        return encode->EncodeCcitt();
    case ePageImageFilter::Lzw:
        return encode->EncodeLzw();
    case ePageImageFilter::Flate:
        return encode->EncodeFlate();
    }
    ThrowTextException("Unknown PDF image filter!");
}

CCodedBytes CImageEditPageImage::Encode(ePageImageFilter filter)
{
    CZAVPtr<IZAVArrayByteSp> bytes = EncodeBy(filter);
    // The object view's implementation is the byte array itself. The
    // encoder made the object for this call alone, so its bytes are taken
    // over; an object someone else still holds would keep its bytes and
    // they are copied.
    CZAVPtr<IZAVObjectSp> view = bytes->GetObjectSp();
    auto* array = static_cast<CCodedBytes*>(view->GetImplementation());
    // Held here by bytes and view alone.
    constexpr int32_t kOnlyOurReferences = 2;
    if (array->OwnsData() && bytes->GetRefCount() == kOnlyOurReferences)
        return std::move(*array);
    return CCodedBytes(*array);
}

}  // namespace

CPageImagePtr WrapImageEdit(IZAVImageEditSp* image)
{
    if (image == nullptr)
        ThrowTextException("Null pointer provided for image");
    CZAVPtr<IZAVImageEditSp> held;
    held.Assign(image);
    return std::make_shared<CImageEditPageImage>(std::move(held));
}

CPageImagePtr QueryPageImage(IZAVObjectSp* element)
{
    if (element == nullptr || !element->SupportsInterface(zaviidImageEdit))
        ThrowTextException("Provided imagearray is no ZAVImageEdit object!");
    return std::make_shared<CImageEditPageImage>(QueryInterfaceSp<IZAVImageEditSp>(element));
}

void CZAVPdfDocumentPageWriter::AddImageAsPage(IZAVImageEditSp* image)
{
    if (image == nullptr)
        ThrowTextException("Null pointer provided for image");
    CZAVPtr<IZAVArrayObjectSp> images = CreateArrayObjectSp();
    images->SetSize(1);
    images->SetAt(0, image->GetObjectSp().Get());
    AddImageArray(images.Get());
}

}  // namespace ZAV
