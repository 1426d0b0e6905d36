// Image XObjects: every mask, layer image and content image of the page as
// a stream object with its colour space (and palette for 8-bit pictures).
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
#include "pdf/PDFArray.h"
#include "pdf/PDFDictionary.h"
#include "pdf/PDFDocument.h"
#include "pdf/PDFFactories.h"
#include "pdf/PDFName.h"
#include "pdf/PDFNumber.h"
#include "pdf/PDFObject.h"
#include "pdf/PDFRef.h"
#include "pdf/PDFString.h"
#include "pdf/PDFBool.h"

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

int32_t CZAVPdfDocumentPageWriter::WriteImageObject(CPdfImageEntry& entry, bool imageMask)
{
    // The entry's reference keeps the picture alive while it is coded.
    CPageImagePtr image = entry.image;
    const int32_t layer = LayerObjectNumber(entry);
    CheckImageCoding(*image);
    const CCodedImage coded = CodeImage(&Document(), *image);
    if (coded.filter == "/JPXDecode")
        RaiseVersion("1.5");

    CPDFDocument& document = Document();
    const int32_t colorSpace = WriteColorSpace(document, *image);
    if (colorSpace < 0)
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
    dictionary->SetRef("/ColorSpace", colorSpace, 0);
    dictionary->SetInteger("/Width", image->GetWidth());
    dictionary->SetInteger("/Height", image->GetHeight());
    dictionary->SetInteger("/BitsPerComponent", coded.bitsPerComponent);
    object->SetStreamData(coded.data.data(), static_cast<int>(coded.data.size()));
    entry.objectNumber = AddToDocument(document, object);
    return entry.objectNumber;
}

}  // namespace ZAV
