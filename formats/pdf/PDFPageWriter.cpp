// One page: the page object, its content stream, procedure set, image
// XObject with its length, and colour space (with the palette of an 8-bit
// image).
#include <algorithm>
#include <string>

#include "foundation/datasource/DataSource.h"
#include "formats/pdf/PDFCodes.h"
#include "formats/pdf/PDFEncoder.h"
#include "formats/pdf/PDFPageObjects.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

constexpr int kPdfUnitsPerInch = 72;
// The smallest page side written: the least "%.2f" real above 0, so a tiny
// picture at a high resolution still gets a page a reader can draw.
constexpr double kSmallestPageSide = 0.01;
// Entries an /Indexed colour space can have (PDF 32000-1 8.6.6.3).
constexpr int kMaxIndexedEntries = 256;

// Page units of a side at its resolution, not rounded to whole units; a
// resolution of 0 or less is taken as 72 dpi, so the page never divides by it.
double PageUnits(int pixels, int dpi)
{
    if (dpi <= 0)
        dpi = kPdfUnitsPerInch;
    return std::max(static_cast<double>(pixels) * kPdfUnitsPerInch / dpi, kSmallestPageSide);
}

unsigned long Number(int64_t value)
{
    return static_cast<unsigned long>(value);
}

}  // namespace

void CPDFEncoder::WritePage(CDataSource& out, int32_t index)
{
    PageObjects page;
    page.index = index;
    page.image = GetSourceImage();
    const std::string width = FormatPdfReal(PageUnits(page.image->GetWidth(), page.image->GetXResolution()));
    const std::string height = FormatPdfReal(PageUnits(page.image->GetHeight(), page.image->GetYResolution()));
    page.page = m_objectCount + 1;
    WritePageObject(out, page, width, height);
    WriteContentStream(out, page, width, height);
    StartObject(out);
    WritePdfText(out, page.image->GetBitsPerPixel() == 24 ? "[ /PDF /ImageC ]\n" : "[ /PDF /ImageI ]\n");
    WritePdfText(out, "endobj\n");
    WriteImageXObject(out, page);
    StartObject(out);
    WritePdfText(out, "%lu\nendobj\n", Number(static_cast<int64_t>(m_streamEnd - m_streamStart)));
    WriteColourSpace(out, page);
}

void CPDFEncoder::WritePageObject(CDataSource& out, const PageObjects& page, const std::string& pageWidth,
                                  const std::string& pageHeight)
{
    StartObject(out);
    WritePdfText(out, "<<\n/Type /Page\n/Parent %lu 0 R\n/MediaBox [0 0 %s %s]\n/Resources\n<<\n", 3UL,
                 pageWidth.c_str(), pageHeight.c_str());
    WritePdfText(out, "/XObject << /Im%lu %lu 0 R >>\n/ProcSet %lu 0 R \n>>\n/Contents [%lu 0 R]\n>>\nendobj\n",
                 Number(page.index), Number(page.XObject()), Number(page.ProcedureSet()), Number(page.Content()));
    m_pageList.push_back(static_cast<int>(page.page));
}

void CPDFEncoder::WriteContentStream(CDataSource& out, const PageObjects& page, const std::string& pageWidth,
                                     const std::string& pageHeight)
{
    char content[160];
    const int length = std::snprintf(content, sizeof(content), "q\n%s 0 0 %s %ld %ld cm\n/Im%lu Do\nQ\n",
                                     pageWidth.c_str(), pageHeight.c_str(), 0L, 0L, Number(page.index));
    StartObject(out);
    // The last line feed is the end-of-line before "endstream".
    WritePdfText(out, "<<\n/Length %i\n>>\nstream\n", length - 1);
    WritePdfBytes(out, content, static_cast<size_t>(length));
    WritePdfText(out, "endstream\nendobj\n");
}

void CPDFEncoder::WriteColourSpace(CDataSource& out, const PageObjects& page)
{
    StartObject(out);
    const int depth = page.image->GetBitsPerPixel();
    if (depth == 24)
        WritePdfText(out, "/DeviceRGB\n");
    else if (depth == 1)
        WritePdfText(out, "/DeviceGray\n");
    if (depth != 8) {
        WritePdfText(out, "endobj\n");
        return;
    }
    const CImagePalette& palette = page.image->GetPalette();
    const int entries = std::min(std::max(palette.GetCount(), 1), kMaxIndexedEntries);
    WritePdfText(out, "[ /Indexed /DeviceRGB %lu %lu 0 R ]\nendobj\n", Number(entries - 1), Number(page.Palette()));
    StartObject(out);
    WritePdfText(out, "<<\n/Length %lu 0 R\n>>\nstream\n", Number(page.PaletteLength()));
    const uint64_t start = out.GetPosition();
    std::string colours(static_cast<size_t>(entries) * 3, '\0');
    for (int i = 0; i < entries; ++i) {
        uint32_t entry = 0;
        palette.GetEntry(i, entry);
        colours[3 * i] = static_cast<char>(PaletteRed(entry));
        colours[3 * i + 1] = static_cast<char>(PaletteGreen(entry));
        colours[3 * i + 2] = static_cast<char>(PaletteBlue(entry));
    }
    WritePdfBytes(out, colours.data(), colours.size());
    const uint64_t end = out.GetPosition();
    WritePdfText(out, "\nendstream\nendobj\n");
    StartObject(out);
    WritePdfText(out, "%lu\nendobj\n", Number(static_cast<int64_t>(end - start)));
}

}  // namespace ZAV
