// Image XObjects: every mask, layer image and content image of the page as
// a stream object with its colour space (and palette for 8-bit pictures);
// masks are image masks, which the pictures added with them refer to.
// The picture is coded before any object is made, so a picture that fails
// leaves nothing behind in the document.
#include "interfaces/pagewriter/ZAVPdfDocumentPageWriter.h"

#include "foundation/containers/ChunkBuffer.h"
#include "foundation/text/String.h"
#include "foundation/text/TextException.h"
#include "interfaces/ZAVPdfDocument.h"
#include "interfaces/pagewriter/PageWriterCodes.h"
#include "interfaces/pagewriter/PageWriterImageCoding.h"
#include "interfaces/pagewriter/PageWriterObjects.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFName.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/objects/PDFRef.h"
#include "pdf/objects/PDFString.h"
#include "pdf/objects/PDFBool.h"

#include <utility>

namespace ZAV {

using namespace ZAVPDF;

namespace {

constexpr int32_t kNoObject = -1;

int32_t WritePalette(CPDFDocument& document, CPageImage& image)
{
    CPDFDictionary* dictionary = nullptr;
    boost::shared_ptr<CPDFObject> object = CreateIndirectDictionary(&document, dictionary);
    CChunkBuffer buffer(CChunkBuffer::kDefaultChunkSize);
    const int32_t count = image.GetPaletteCount();
    for (int32_t i = 0; i < count; ++i) {
        // Entries are 0x00BBGGRR; the lookup table holds red, green, blue.
        const uint32_t entry = image.GetPaletteEntry(i);
        const unsigned char rgb[3] = {static_cast<unsigned char>(entry & 0xFF),
                                      static_cast<unsigned char>((entry >> 8) & 0xFF),
                                      static_cast<unsigned char>((entry >> 16) & 0xFF)};
        buffer.Append(rgb, sizeof rgb);
    }
    CArraySimple<unsigned char, 1> bytes;
    buffer.CopyTo(bytes);
    object->SetStreamData(bytes);
    return AddToDocument(document, object);
}

int32_t WriteColorSpace(CPDFDocument& document, CPageImage& image)
{
    boost::shared_ptr<CPDFObject> object = CreatePDFObject(&document);
    const int32_t depth = image.GetBitsPerPixel();
    if (depth == 24) {
        object->SetInnerObject(CreatePDFName(&document, "/DeviceRGB"));
    } else if (depth == 8) {
        const int32_t palette = WritePalette(document, image);
        boost::shared_ptr<CPDFArray> indexed = CreatePDFArray(&document);
        indexed->Add(CreatePDFName(&document, "/Indexed"));
        indexed->Add(CreatePDFName(&document, "/DeviceRGB"));
        indexed->Add(CreatePDFInteger(&document, image.GetPaletteCount() - 1));
        indexed->Add(CreatePDFRef(&document, palette, 0));
        object->SetInnerObject(indexed);
    } else if (depth == 1) {
        object->SetInnerObject(CreatePDFName(&document, "/DeviceGray"));
    }
    return AddToDocument(document, object);
}

}  // namespace

void CZAVPdfDocumentPageWriter::WriteImageObjects()
{
    for (const std::shared_ptr<CPdfImageEntry>& mask : m_masks.GetEntries())
        WriteImageObject(*mask, true);
    for (const CImageList* list : {&m_layerImages, &m_contentImages})
        for (const std::shared_ptr<CPdfImageEntry>& image : list->GetEntries())
            WriteImageObject(*image, false);
}

int32_t CZAVPdfDocumentPageWriter::LayerObjectNumber(const CPdfImageEntry& entry)
{
    if (entry.layerName.empty())
        return kNoObject;
    const int index = m_layers.Find(entry.layerName);
    return index < 0 ? kNoObject : m_layers.GetAt(index)->objectNumber;
}

int32_t CZAVPdfDocumentPageWriter::MaskObjectNumber(const CPdfImageEntry& entry)
{
    // Only a mask of the masks list is an image mask a picture can refer to;
    // an ordinary picture named as the mask stays unreferenced.
    if (entry.maskName.empty())
        return kNoObject;
    const int index = m_masks.Find(entry.maskName);
    return index < 0 ? kNoObject : m_masks.GetAt(index)->objectNumber;
}

int32_t CZAVPdfDocumentPageWriter::WriteImageObject(CPdfImageEntry& entry, bool imageMask)
{
    // The entry's reference keeps the picture alive while it is coded.
    CPageImagePtr image = entry.image;
    const int32_t layer = LayerObjectNumber(entry);
    const int32_t mask = imageMask ? kNoObject : MaskObjectNumber(entry);
    CheckImageCoding(*image);
    CCodedImage coded = CodeImage(&Document(), *image);
    if (coded.filter == "/JPXDecode")
        RaiseVersion("1.5");

    CPDFDocument& document = Document();
    // An image mask has no colour space (ISO 32000-1, 8.9.6.2).
    const int32_t colorSpace = imageMask ? kNoObject : WriteColorSpace(document, *image);
    if (!imageMask && colorSpace < 0)
        ThrowTextException("Missing colorspace object!");
    CPDFDictionary* dictionary = nullptr;
    boost::shared_ptr<CPDFObject> object = CreateIndirectDictionary(&document, dictionary);
    dictionary->SetName("/Type", "/XObject");
    dictionary->SetName("/Subtype", "/Image");
    dictionary->SetName("/Name", "/Im" + entry.name);
    if (imageMask)
        dictionary->SetBool("/ImageMask", true);
    if (layer != kNoObject)
        dictionary->SetRef("/OC", layer, 0);
    dictionary->SetName("/Filter", coded.filter);
    if (coded.decodeParms)
        dictionary->Set("/DecodeParms", coded.decodeParms);
    if (coded.interpolate)
        dictionary->SetBool("/Interpolate", true);
    if (!imageMask)
        dictionary->SetRef("/ColorSpace", colorSpace, 0);
    dictionary->SetInteger("/Width", image->GetWidth());
    dictionary->SetInteger("/Height", image->GetHeight());
    dictionary->SetInteger("/BitsPerComponent", coded.bitsPerComponent);
    // Every 1-bit coding leaves black as sample 0 (the polarity calls of the
    // coding), and an image mask paints where its sample decodes to 0: so
    // the picture shows where the mask is black and the page where it is
    // white, whatever the mask's palette order was (8.9.6.2, 8.9.6.3).
    if (imageMask)
        dictionary->Set("/Decode", CreatePDFIntegerArray(&document, {0, 1}));
    if (mask != kNoObject)
        dictionary->SetRef("/Mask", mask, 0);
    object->SetStreamData(std::move(coded.data));
    entry.objectNumber = AddToDocument(document, object);
    return entry.objectNumber;
}

}  // namespace ZAV
