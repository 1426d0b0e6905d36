// The state of the PDF document object and the work its operations do: one
// document of the PDF object model with the data source it reads from, the
// log and the plug-in paths, and the document information facet.
#pragma once

#include <boost/shared_ptr.hpp>

#include <memory>
#include <string>

#include "foundation/datasource/DataSource.h"
#include "foundation/files/LogFile.h"
#include "foundation/objects/ZAVPtr.h"
#include "interfaces/ZAVPdfDocumentInfo.h"
#include "interfaces/ZAVPdfInterfaces.h"
#include "interfaces/pagewriter/ZAVPdfDocumentPageWriter.h"

namespace ZAVPDF {
class CPDFDocument;
}

namespace ZAV {

class CZAVPdfPage;

class CZAVPdfDocument {
public:
    CZAVPdfDocument();
    ~CZAVPdfDocument();
    CZAVPdfDocument(const CZAVPdfDocument&) = delete;
    CZAVPdfDocument& operator=(const CZAVPdfDocument&) = delete;

    // Never empty: a new document until a load replaces it.
    const boost::shared_ptr<ZAVPDF::CPDFDocument>& GetDocument() const { return m_document; }
    CZAVPdfDocumentInfo* GetDocumentInfo() { return &m_info; }
    CZAVPdfDocumentPageWriter* GetPageWriter() { return &m_pageWriter; }

    const std::string& GetFileName() const { return m_fileName; }
    const std::string& GetLogFileName() const { return m_logFileName; }
    void SetLogFileName(const std::string& name);
    CLogFile& GetLogFile() { return m_logFile; }
    const std::string& GetJpeg2000PluginPath() const { return m_jpeg2000PluginPath; }
    void SetJpeg2000PluginPath(const std::string& path) { m_jpeg2000PluginPath = path; }
    const std::string& GetJbig2PluginPath() const { return m_jbig2PluginPath; }
    void SetJbig2PluginPath(const std::string& path) { m_jbig2PluginPath = path; }
    int GetDocumentOption() const;
    int SetDocumentOption(int option);

    void Load(const std::string& fileName);
    // Lets go of the document read and everything loaded from it, keeping
    // the file name: a caller that loads the file again does not hold two
    // copies of it at once.
    void ReleaseDocument();
    void Save(const std::string& fileName);
    void AppendPageToFile(const std::string& fileName, const CZAVPdfPage& page);
    void AppendDocumentPageToFile(const std::string& fileName);
    void AddPage(const CZAVPdfPage& page);
    void RemovePage(int index);
    int GetPageCount() const;
    CZAVPtr<IZAVPdfPageSp> GetPage(int index);

private:
    boost::shared_ptr<ZAVPDF::CPDFDocument> m_document;
    std::shared_ptr<CDataSource> m_dataSource;
    std::string m_fileName;
    CLogFile m_logFile;
    std::string m_logFileName;
    std::string m_jpeg2000PluginPath;
    std::string m_jbig2PluginPath;
    CZAVPdfDocumentPageWriter m_pageWriter;
    CZAVPdfDocumentInfo m_info;
};

}  // namespace ZAV
