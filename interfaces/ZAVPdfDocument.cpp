#include "interfaces/ZAVPdfDocument.h"

#include "foundation/text/TextException.h"
#include "interfaces/ZAVPdfPage.h"
#include "interfaces/ZAVPdfPageSp.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/document/PDFPage.h"
#include "pdf/document/PDFTransfer.h"
#include "pdf/document/PDFUpdateableDocument.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/DescriptorStreamBuffer.h"
#include "platform/LastError.h"

#include <cerrno>
#include <cstdio>
#include <ostream>

namespace ZAV {

using namespace ZAVPDF;

namespace {

[[noreturn]] void ThrowNotFound(const std::string& fileName)
{
    String text;
    text.Format("File '%s' not found!", fileName.c_str());
    ThrowTextException(text.GetText());
}

[[noreturn]] void ThrowWriteError(const std::string& fileName, int err)
{
    SetLastErrorFromErrno(err);
    String text;
    text.Format("Can't write file '%s'!", fileName.c_str());
    ThrowLastError(text.GetText());
}

// The document straight into the file: a document of pictures is mostly
// their coded bytes, which would otherwise be held twice more in memory
// (gathered, then copied out). 0 or the errno of a failed write.
int WriteDocument(CPDFDocument& document, int fd)
{
    CDescriptorStreamBuffer buffer(fd);
    std::ostream stream(&buffer);
    try {
        document.Write(stream);
    } catch (const CTextException&) {
        // A refused write shows as the stream's failure inside the writer;
        // it is reported as the file's, with the system's reason.
        if (buffer.GetFailure() != 0)
            return buffer.GetFailure();
        throw;
    }
    stream.flush();
    if (buffer.GetFailure() != 0)
        return buffer.GetFailure();
    return stream ? 0 : EIO;
}

// The version of a file header ("%PDF-1.7" gives "1.7"), or "".
std::string HeaderVersion(const std::string& header)
{
    const std::string mark = "%PDF-";
    const size_t start = header.find(mark);
    if (start == std::string::npos)
        return std::string();
    size_t end = start + mark.size();
    while (end < header.size() && ((header[end] >= '0' && header[end] <= '9') || header[end] == '.'))
        ++end;
    return header.substr(start + mark.size(), end - start - mark.size());
}

}  // namespace

CZAVPdfDocument::CZAVPdfDocument()
    : m_document(new CPDFDocument), m_dataSource(std::make_shared<CDataSource>()), m_pageWriter(this), m_info(this)
{
}

CZAVPdfDocument::~CZAVPdfDocument() = default;

void CZAVPdfDocument::SetLogFileName(const std::string& name)
{
    m_logFileName = name;
    m_logFile.SetFileName(String(name));
}

int CZAVPdfDocument::GetDocumentOption() const
{
    return m_document->GetOptionB();
}

int CZAVPdfDocument::SetDocumentOption(int option)
{
    m_document->SetOptionB(option);
    return option;
}

void CZAVPdfDocument::Load(const std::string& fileName)
{
    // One open: the parser steps back often, which costs nothing on a
    // mapped file. A file that cannot be mapped (an empty one) is read
    // plainly and fails in the parser.
    auto dataSource = std::make_shared<CDataSource>();
    if (!dataSource->OpenMapped(fileName.c_str()) && !dataSource->OpenFile(fileName.c_str()))
        ThrowNotFound(fileName);
    boost::shared_ptr<CPDFDocument> document(new CPDFDocument);
    document->SetDataSource(dataSource.get());
    document->SetOptionA(0);
    document->Parse();
    const std::string version = HeaderVersion(document->GetFileVersion());
    if (!version.empty())
        document->GetInfo().SetVersion(version);
    // Only a document read whole replaces the one held.
    m_document = document;
    m_dataSource = dataSource;
    m_fileName = fileName;
}

void CZAVPdfDocument::ReleaseDocument()
{
    m_document.reset(new CPDFDocument);
    m_dataSource = std::make_shared<CDataSource>();
}

void CZAVPdfDocument::Save(const std::string& fileName)
{
    // The name never holds half a document, and a failed save leaves what it held.
    CPDFDocument& document = *m_document;
    if (const int failure = ReplaceFileAtomically(
            fileName, [&document](int fd) { return WriteDocument(document, fd); }, 0666))
        ThrowWriteError(fileName, failure);
}

namespace {

const boost::shared_ptr<CPDFObject>& PageObjectOf(const CZAVPdfPage& page)
{
    if (!page.GetPage() || !page.GetPage()->GetPageObject())
        ThrowTextException("Page does not exist!");
    return page.GetPage()->GetPageObject();
}

// Copies a page into a document. The transfer map serves one page only.
template <class Document>
void CopyPageInto(Document& document, const boost::shared_ptr<CPDFObject>& pageObject)
{
    try {
        document.ImportPage(pageObject);
    } catch (...) {
        TransferObjectsMap().Clear();
        throw;
    }
    TransferObjectsMap().Clear();
}

// One incremental update of the file that adds one page.
void AppendPageUpdate(const std::string& fileName, const boost::shared_ptr<CPDFObject>& pageObject)
{
    CPDFUpdateableDocument update;
    update.ReadIncrementalUpdateFile(fileName.c_str());
    CopyPageInto(update, pageObject);
    update.WriteUpdate(fileName.c_str());
}

}  // namespace

void CZAVPdfDocument::AddPage(const CZAVPdfPage& page)
{
    const boost::shared_ptr<CPDFObject> pageObject = PageObjectOf(page);
    m_document->SetDataSource(m_dataSource.get());
    m_document->SetOptionA(0);
    CopyPageInto(*m_document, pageObject);
}

void CZAVPdfDocument::AppendPageToFile(const std::string& fileName, const CZAVPdfPage& page)
{
    AppendPageUpdate(fileName, PageObjectOf(page));
}

void CZAVPdfDocument::AppendDocumentPageToFile(const std::string& fileName)
{
    if (m_document->GetPageCount() < 1)
        ThrowTextException("No Pdf document loaded!");
    for (int index = 0; index < m_document->GetPageCount(); ++index) {
        const boost::shared_ptr<CPDFPage> page = m_document->GetPage(index);
        if (!page->GetPageObject())
            ThrowTextException("Page does not exist!");
        AppendPageUpdate(fileName, page->GetPageObject());
    }
}

void CZAVPdfDocument::RemovePage(int index)
{
    m_document->RemovePageObjects(index);
}

int CZAVPdfDocument::GetPageCount() const
{
    return m_document->GetPageCount();
}

CZAVPtr<IZAVPdfPageSp> CZAVPdfDocument::GetPage(int index)
{
    if (m_document->GetPageCount() < 1)
        ThrowTextException("No Pdf document loaded!");
    boost::shared_ptr<CPDFPage> page = m_document->GetPage(index);
    return CreatePdfPageSp(CZAVPdfPage(this, m_document, m_dataSource, page));
}

}  // namespace ZAV
