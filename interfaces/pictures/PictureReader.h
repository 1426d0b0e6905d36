// Reading the image XObjects of a document into pictures: the dictionary's
// size, depth, colours and filters, the decoding of its stream through the
// Encode facet of work images bound to the document's plug-ins, and the
// log lines of every decoding step.
#pragma once

#include <vector>

#include "foundation/objects/ZAVPtr.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"
#include "interfaces/pictures/PictureDecodeParms.h"
#include "interfaces/pictures/PictureFilters.h"
#include "pdf/objects/PDFObject.h"

namespace ZAVPDF {
class CPDFDictionary;
class CPDFName;
}  // namespace ZAVPDF

namespace ZAV {

class CZAVPdfDocument;

// What the decoders are told of a picture.
struct CPictureLayout {
    int width = 0;
    int height = 0;
    zavBitsPerPixel depth = zavbpp24;
    // Samples are c, m, y, k: rows hold 4 bytes a pixel until made RGB.
    bool cmyk = false;
};

// What the decoding leaves: the pixel bytes, whether a 1-bit result has
// 1 = black (white-first palette), and whether the bytes are the PDF's
// sample rows (CMYK still to be made RGB) rather than the image's rows.
struct CDecodedPicture {
    ZAVPDF::CPDFByteArray bytes;
    int whiteFirst = 0;
    bool sampleRows = false;
};

class CPdfPictureReader {
public:
    // The document's log and plug-in paths are read at each use.
    explicit CPdfPictureReader(CZAVPdfDocument& document) : m_document(document) {}

    // One image XObject (its dictionary and the indirect object holding its
    // stream) decoded into a new image-edit object; failures are
    // CTextExceptions with the texts of the reading and of the decoders.
    CZAVPtr<IZAVImageEditSp> ReadImageXObject(const ZAVPDF::CPDFDictionary* dictionary,
                                              const ZAVPDF::CPDFObject* stream);

    // A new image-edit object with the JPEG 2000 plug-in bound first (format
    // id 101), then the JBIG2 one (102), each when its path is set.
    CZAVPtr<IZAVImageEditSp> CreatePictureImage();

    // Runs the filters in order, each on the output of the one before; a
    // filter before the last must give plain bytes (Flate without a
    // predictor), else "Unsupported filter chain!".
    void DecodeFilters(const CPictureFilterList& filters, const std::vector<CPictureDecodeParms>& parms,
                       const CPictureLayout& layout, const ZAVPDF::CPDFByteArray& stored, CDecodedPicture& output);
    // One filter; data without bytes leaves the output as it was.
    void DecodePictureStream(const ZAVPDF::CPDFName& filter, const CPictureDecodeParms& parms,
                             const CPictureLayout& layout, const ZAVPDF::CPDFByteArray& data, CDecodedPicture& output);

private:
    void LogDecoding(const CPictureLayout& layout, const ZAVPDF::CPDFName& filter);
    void DecodeFlate(const CPictureDecodeParms& parms, const CPictureLayout& layout, const ZAVPDF::CPDFByteArray& data,
                     CDecodedPicture& output);
    CZAVPtr<IZAVArrayByteSp> DecodeByFacet(const ZAVPDF::CPDFName& filter, const CPictureDecodeParms& parms,
                                           const CPictureLayout& layout, const ZAVPDF::CPDFByteArray& data,
                                           CDecodedPicture& output);

    CZAVPdfDocument& m_document;
};

// Bytes of the PDF sample rows of a picture (CMYK: 4 bytes a pixel), in 64
// bits.
int64_t PictureSampleBytes(const CPictureLayout& layout);

}  // namespace ZAV
