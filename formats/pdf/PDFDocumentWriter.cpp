// The document frame around the pages: header, information dictionary,
// catalog, page tree, cross-reference table and trailer.
#include <algorithm>
#include <string>

#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "formats/pdf/PDFCodes.h"
#include "formats/pdf/PDFEncoder.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

constexpr uint32_t kInfoObject = 1;
constexpr uint32_t kCatalogObject = 2;
constexpr uint32_t kPagesObject = 3;
// Objects of a page: page, content, procedure set, image, its length and
// its colour space; an 8-bit image adds its palette stream and length.
constexpr int kObjectsPerPage = 6;
constexpr int kObjectsPerPalettePage = 8;
// Width the /Kids numbers keep at the least, so small documents keep their
// familiar bytes.
constexpr int kMinKidsWidth = 4;

// The document texts in the order the information dictionary lists them.
const char* const kInformationKeys[] = {"Creator", "CreationDate", "Author",  "Producer",
                                        "Title",   "Subject",      "Keywords"};

int DecimalDigits(int64_t value)
{
    int digits = 1;
    for (; value >= 10; value /= 10)
        ++digits;
    return digits;
}

void SeekOrThrow(CDataSource& out, uint64_t position)
{
    if (!out.Seek(static_cast<int64_t>(position), 0)) {
        const char* text = out.GetErrorText();
        ThrowTextException(text && *text ? text : "Error seeking in datasource!");
    }
}

}  // namespace

uint32_t CPDFEncoder::StartObject(CDataSource& out)
{
    m_offsets.push_back(out.GetPosition());
    m_objectCount = static_cast<uint32_t>(m_offsets.size());
    WritePdfText(out, "%lu 0 obj\n", static_cast<unsigned long>(m_objectCount));
    return m_objectCount;
}

void CPDFEncoder::MeasureKids(CZAVImg** images, int32_t count)
{
    int64_t lastPage = kPagesObject + 1;
    for (int32_t i = 0; i + 1 < count; ++i)
        lastPage += images[i]->GetBitsPerPixel() == 8 ? kObjectsPerPalettePage : kObjectsPerPage;
    m_kidsWidth = std::max(kMinKidsWidth, DecimalDigits(lastPage));
}

void CPDFEncoder::WriteDocument(CZAVImg** images, int32_t count, IDataSource* target)
{
    CDataSource& out = PdfTarget(target);
    CZAVImg* const own = GetSourceImage();
    m_imageCount = count;
    m_offsets.clear();
    m_pageList.clear();
    m_offsets.reserve(static_cast<size_t>(std::max(count, 0)) * kObjectsPerPalettePage + kPagesObject);
    MeasureKids(images, count);
    WritePdfText(out, "%%PDF-%s\n", GetPdfVersion(images, count).c_str());
    WriteInformation(out);
    WriteCatalog(out);
    WritePagesPlaceholder(out, count);
    for (int32_t i = 0; i < count; ++i) {
        m_currentImage = i;
        m_source = images[i];
        CheckCompression();
        WritePage(out, i);
        m_source = own;
    }
    FinishDocument(out);
}

void CPDFEncoder::WriteInformation(CDataSource& out)
{
    const CZAVImg& image = *GetSourceImage();
    StartObject(out);
    WritePdfText(out, "<<\n");
    for (int i = 0; i < 7; ++i)
        WritePdfText(out, "/%s (%s)\n", kInformationKeys[i],
                     EscapePdfLiteral(image.m_settingTexts[i].GetText()).c_str());
    WritePdfText(out, ">>\nendobj\n");
}

void CPDFEncoder::WriteCatalog(CDataSource& out)
{
    StartObject(out);
    WritePdfText(out, "<<\n/Type /Catalog\n/Pages %lu 0 R\n>>\nendobj\n", static_cast<unsigned long>(kPagesObject));
}

void CPDFEncoder::WritePagesPlaceholder(CDataSource& out, int32_t count)
{
    StartObject(out);
    m_pagesPosition = out.GetPosition();
    WritePdfText(out, "<<\n/Type /Pages\n/Kids [");
    const std::string placeholder = std::string(static_cast<size_t>(m_kidsWidth), '0') + " 0 R ";
    for (int32_t i = 0; i < count; ++i)
        WritePdfBytes(out, placeholder.data(), placeholder.size());
    WritePdfText(out, "]\n/Count %lu\n/MediaBox [0 0 %ld %ld]\n>>\nendobj\n", static_cast<unsigned long>(count), 0L,
                 0L);
}

void CPDFEncoder::RewritePages(CDataSource& out)
{
    const uint64_t end = out.GetPosition();
    SeekOrThrow(out, m_pagesPosition);
    WritePdfText(out, "<<\n/Type /Pages\n/Kids [");
    for (int page : m_pageList)
        WritePdfText(out, "%*d 0 R ", m_kidsWidth, page);
    SeekOrThrow(out, end);
}

void CPDFEncoder::WriteCrossReference(CDataSource& out)
{
    WritePdfText(out, "xref\n0 %lu\n0000000000 65535 f \n", static_cast<unsigned long>(m_objectCount + 1));
    for (uint64_t offset : m_offsets)
        WritePdfText(out, "%010lu 00000 n \n", static_cast<unsigned long>(offset & 0xFFFFFFFFu));
}

void CPDFEncoder::FinishDocument(CDataSource& out)
{
    RewritePages(out);
    const uint64_t crossReference = out.GetPosition();
    WriteCrossReference(out);
    WritePdfText(out, "trailer\n<<\n/Size %lu\n/Root %lu 0 R\n/Info %lu 0 R\n>>\nstartxref\n%lu\n",
                 static_cast<unsigned long>(m_objectCount + 1), static_cast<unsigned long>(kCatalogObject),
                 static_cast<unsigned long>(kInfoObject), static_cast<unsigned long>(crossReference));
    WritePdfBytes(out, "%%EOF\n", 6);
}

}  // namespace ZAV
