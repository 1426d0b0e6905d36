// The page's content stream: texts below the images, the images, texts
// above them. Masks are resources only and are not drawn.
#include "interfaces/pagewriter/ZAVPdfDocumentPageWriter.h"

#include "foundation/containers/ChunkBuffer.h"
#include "foundation/objects/ZAVEncoder.h"
#include "foundation/text/String.h"
#include "interfaces/ZAVPdfDocument.h"
#include "interfaces/pagewriter/PageWriterObjects.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFName.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/objects/PDFRef.h"
#include "pdf/objects/PDFString.h"
#include "pdf/objects/PDFBool.h"

#include <algorithm>
#include <cmath>

namespace ZAV {

using namespace ZAVPDF;

namespace {

// Line spacing relative to the font size.
constexpr double kLeadingFactor = 1.2;
// Coordinates this close to zero need no translation.
constexpr double kZeroOffset = 1e-9;

// Each line of the text as a literal string of its own, escaped on its own,
// so that no escape can reach across a line break.
std::string ShowLines(CPDFDocument& document, const std::string& text)
{
    std::string shown;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (start > 0)
            shown += " Tj\nT* ";
        shown += CreatePDFString(&document, line, false)->ToPDFString();
        if (end == std::string::npos)
            return shown;
        start = end + 1;
    }
}

}  // namespace

int32_t CZAVPdfDocumentPageWriter::WriteContentStream()
{
    CPDFDocument& document = Document();
    CPDFDictionary* dictionary = nullptr;
    boost::shared_ptr<CPDFObject> object = CreateIndirectDictionary(&document, dictionary);
    CChunkBuffer buffer(CChunkBuffer::kDefaultChunkSize);
    for (const std::shared_ptr<CPdfTextEntry>& text : m_textsBelow.GetEntries())
        WriteTextObject(buffer, *text);
    for (const CImageList* list : {&m_layerImages, &m_contentImages})
        for (const std::shared_ptr<CPdfImageEntry>& image : list->GetEntries())
            WriteImagePlacement(buffer, *image);
    for (const std::shared_ptr<CPdfTextEntry>& text : m_textsAbove.GetEntries())
        WriteTextObject(buffer, *text);

    CArraySimple<unsigned char, 1> bytes;
    buffer.CopyTo(bytes);
    if (GetDocumentOption() != 0) {
        dictionary->SetName("/Filter", "/FlateDecode");
        bytes = CreateEncoder()->GetCompressedBuffer(bytes);
    }
    object->SetStreamData(bytes);
    return AddToDocument(document, object);
}

void CZAVPdfDocumentPageWriter::WriteTextObject(CChunkBuffer& buffer, const CPdfTextEntry& text)
{
    String line;
    buffer.AppendString("BT\n");
    line.Format("  /F%s %d Tf\n", text.fontName.c_str(), static_cast<int>(std::trunc(text.size)));
    buffer.AppendString(line.GetText());
    line.Format("  %d TL\n", static_cast<int>(std::trunc(text.size * kLeadingFactor)));
    buffer.AppendString(line.GetText());
    line.Format("  %s %s Td\n", FormatReal(std::min(text.rect.x1, text.rect.x2)).c_str(),
                FormatReal(std::min(text.rect.y1, text.rect.y2)).c_str());
    buffer.AppendString(line.GetText());
    buffer.AppendString("  ");
    buffer.AppendString(ShowLines(Document(), text.text).c_str());
    buffer.AppendString(" Tj\nET\n");
}

void CZAVPdfDocumentPageWriter::WriteImagePlacement(CChunkBuffer& buffer, const CPdfImageEntry& image)
{
    const _PdfRect placement = GetPlacementRect(image);
    const double x1 = std::min(placement.x1, placement.x2);
    const double y1 = std::min(placement.y1, placement.y2);
    const double x2 = std::max(placement.x1, placement.x2);
    const double y2 = std::max(placement.y1, placement.y2);
    String line;
    buffer.AppendString("q\n");
    if (!(std::fabs(x1) < kZeroOffset && std::fabs(y1) < kZeroOffset)) {
        line.Format("1 0 0 1 %s %s cm\n", FormatReal(x1).c_str(), FormatReal(y1).c_str());
        buffer.AppendString(line.GetText());
    }
    line.Format("%s 0 0 %s 0 0 cm\n", FormatReal(x2 - x1).c_str(), FormatReal(y2 - y1).c_str());
    buffer.AppendString(line.GetText());
    line.Format("/Im%s Do\n", image.name.c_str());
    buffer.AppendString(line.GetText());
    buffer.AppendString("Q\n");
}

}  // namespace ZAV
