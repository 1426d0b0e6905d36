// The page writer's rules that need no document: names, numbers as text,
// the rectangles of a page and the codings a PDF image can carry.
#include "interfaces/pagewriter/ZAVPdfDocumentPageWriter.h"

#include "foundation/geometry/Geometry.h"
#include "foundation/text/TextException.h"
#include "interfaces/pagewriter/PageWriterCodes.h"

#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>

namespace ZAV {

namespace {

constexpr double kPointsPerInch = 72.0;
// A picture whose resolution is not known is taken at screen resolution
// rather than divided by zero.
constexpr int32_t kFallbackResolution = 72;
// A placement narrower than this means "the picture's own size".
constexpr double kZeroWidth = 1e-9;

double Extent(int32_t pixels, int32_t resolution)
{
    return pixels * kPointsPerInch / (resolution > 0 ? resolution : kFallbackResolution);
}

bool IsAlphanumeric(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void CheckTiffCoding(CPageImage& image, int32_t depth)
{
    const int32_t compression = image.GetTiffCompression();
    if (depth == 1) {
        if (compression == kTiffCcittGroup3 && (image.GetTiffT4Options() & kTiffT4TwoDimensional) != 0)
            ThrowTextException("Invalid CCITTFAX3 option! 2D not supported.");
        if (compression != kTiffCcittGroup3 && compression != kTiffCcittGroup4 && !IsTiffDeflate(compression) &&
            compression != kTiffLzw)
            ThrowTextException("Invalid PDF/TIFF compression mode for 1bit Black&White image!");
        return;
    }
    if (!IsTiffDeflate(compression) && compression != kTiffLzw && compression != kTiffPackBits &&
        compression != kTiffNone)
        ThrowTextException("Invalid PDF/TIFF compression mode for 8bit palette or 24bit RGB image!");
}

}  // namespace

std::string CZAVPdfDocumentPageWriter::NormaliseName(const std::string& name)
{
    std::string normalised;
    for (char c : name)
        if (IsAlphanumeric(c))
            normalised += c;
    return normalised;
}

std::string CZAVPdfDocumentPageWriter::FormatReal(double value)
{
    // The classic locale: a reader needs the decimal point whatever the
    // process's locale says.
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << std::fixed << std::setprecision(2) << value;
    return text.str();
}

_PdfRect CZAVPdfDocumentPageWriter::GetImageRect(CPageImage& image)
{
    return {0.0, 0.0, Extent(image.GetWidth(), image.GetXResolution()),
            Extent(image.GetHeight(), image.GetYResolution())};
}

_PdfRect CZAVPdfDocumentPageWriter::GetPlacementRect(const CPdfImageEntry& entry)
{
    if (std::fabs(entry.rect.x2 - entry.rect.x1) < kZeroWidth)
        return GetImageRect(*entry.image);
    return entry.rect;
}

_PdfRect CZAVPdfDocumentPageWriter::GetContentRect()
{
    CBoundingBox box;
    for (const CImageList* list : {&m_layerImages, &m_contentImages})
        for (const std::shared_ptr<CPdfImageEntry>& entry : list->GetEntries()) {
            const _PdfRect rect = GetPlacementRect(*entry);
            box.AddRect(rect.x1, rect.y1, rect.x2, rect.y2);
        }
    for (const CPageWriterList<CPdfTextEntry>* list : {&m_textsBelow, &m_textsAbove})
        for (const std::shared_ptr<CPdfTextEntry>& entry : list->GetEntries())
            box.AddRect(entry->rect.x1, entry->rect.y1, entry->rect.x2, entry->rect.y2);
    return {box.left, box.bottom, box.right, box.top};
}

void CZAVPdfDocumentPageWriter::CheckImageCoding(CPageImage& image)
{
    const int32_t depth = image.GetBitsPerPixel();
    // Other depths would get no colour space a reader understands.
    if (depth != 1 && depth != 8 && depth != 24)
        ThrowTextException("Requires 1, 8 or 24bpp image for PDF export!");
    const int32_t coding = image.GetPdfImageCoding();
    if (coding == kPdfCodingTiff) {
        CheckTiffCoding(image, depth);
    } else if (coding == kPdfCodingJpeg) {
        if (!(depth == 24 || (depth == 8 && image.IsGrayScale())))
            ThrowTextException("Invalid PDF/TIFF compression mode for 8bit palette or 24bit RGB image! JPG just valid "
                               "for grayscale or RGB image.");
    } else {
        const int32_t jbig2Id = image.GetJbig2DllId();
        if (jbig2Id != kNoPlugin && coding == jbig2Id && depth != 1)
            ThrowTextException("Invalid PDF/JBIG2 compression mode for 1bit Black&White image!");
    }
}

}  // namespace ZAV
