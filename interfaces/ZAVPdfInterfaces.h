// The interfaces of the PDF document object (id 104), its page objects
// (id 103) and its document information facet. Page indexes count from 0.
#pragma once

#include "foundation/objects/ZAVArrayByteSp.h"
#include "foundation/objects/ZAVArrayObjectSp.h"
#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVPtr.h"
#include "interfaces/pagewriter/ZAVPdfPageWriterInterface.h"

#include <cstdint>
#include <string>

namespace ZAV {

// The information of the document loaded last; not reference counted, valid
// while its document object lives.
class IZAVPdfDocumentInfoCpp {
public:
    // "1.4" in a new document; the version of the file header after a load.
    virtual std::string GetPdfVersion() = 0;
    virtual void SetPdfVersion(const std::string& text) = 0;
    virtual std::string GetTitle() = 0;
    virtual void SetTitle(const std::string& text) = 0;
    virtual std::string GetCreator() = 0;
    virtual void SetCreator(const std::string& text) = 0;
    virtual std::string GetProducer() = 0;
    virtual void SetProducer(const std::string& text) = 0;
    // The application that saved the document; kept, never written.
    virtual std::string GetSavedBy() = 0;
    virtual void SetSavedBy(const std::string& text) = 0;
    // Dates are "D:yyyymmddHHMMSS"; the setters refuse other texts.
    virtual std::string GetCreationDate() = 0;
    virtual void SetCreationDate(const std::string& text) = 0;
    virtual std::string GetModDate() = 0;
    virtual void SetModDate(const std::string& text) = 0;
    // The name of the layer configuration, "Layers" unless set.
    virtual std::string GetLayersName() = 0;
    virtual void SetLayersName(const std::string& text) = 0;

protected:
    ~IZAVPdfDocumentInfoCpp() = default;
};

// One page of a loaded document. A page object must not outlive the
// document object that made it.
class IZAVPdfPageSp : public IZAVUnknownSp, public IZAVQueryInterfaceSp {
public:
    static constexpr int32_t kInterfaceId = zaviidPdfPage;

    virtual CZAVPtr<IZAVObjectSp> GetObjectSp() = 0;
    // The pictures of the page: 2n elements for n pictures, the information
    // (an IZAVNameValuePairsSp with "Name", and for a picture handed back as
    // its stored bytes "Type" "JPEG" or "JPEG2000" and "Extension" "jpg" or
    // "jp2") followed by the picture (an IZAVArrayByteSp of those bytes, or
    // an IZAVImageEditSp). rawJpeg 0 decodes every picture. Pictures that
    // fail are logged to the document's log and left out.
    virtual CZAVPtr<IZAVArrayObjectSp> GetPictures(int rawJpeg) = 0;
    // The bytes of the page's content stream (the first stream when
    // /Contents is an array; none without one), inflated when decode is not
    // 0 and the stream is Flate-coded.
    virtual CZAVPtr<IZAVArrayByteSp> GetContentData(int decode) = 0;

protected:
    ~IZAVPdfPageSp() = default;
};

class IZAVPdfDocumentSp : public IZAVUnknownSp, public IZAVQueryInterfaceSp {
public:
    static constexpr int32_t kInterfaceId = zaviidPdfDocument;

    virtual CZAVPtr<IZAVObjectSp> GetObjectSp() = 0;
    // The page writer that builds new pages of this document.
    virtual IZAVPdfDocumentPageWriterCpp* GetPageWriter() = 0;
    virtual IZAVPdfDocumentInfoCpp* GetDocumentInfo() = 0;

    virtual std::string GetLogFileName() = 0;
    // The log the object writes its picture messages to ("" for none).
    virtual void SetLogFileName(const std::string& name) = 0;
    virtual void SetJbig2PluginPath(const std::string& path) = 0;
    virtual std::string GetJbig2PluginPath() = 0;
    virtual void SetJpeg2000PluginPath(const std::string& path) = 0;
    virtual std::string GetJpeg2000PluginPath() = 0;

    // The name given to the last load that succeeded ("" before).
    virtual std::string GetFileName() = 0;
    virtual int GetDocumentOption() = 0;
    virtual int SetDocumentOption(int option) = 0;

    // Reads a PDF file in place of the document held; on failure the
    // document and name held before stay. "File '%s' not found!" when the
    // file cannot be read.
    virtual void Load(const std::string& fileName) = 0;
    // Writes the whole document as a new file. The file appears complete or
    // not at all: it is written beside under another name and renamed.
    virtual void Save(const std::string& fileName) = 0;

    // Adds a page (of any document object) to an existing PDF file by an
    // incremental update; a file that does not exist is written whole. A
    // failed update leaves the file as it was.
    virtual void AppendPageToFile(const std::string& fileName, IZAVPdfPageSp* page) = 0;
    // Adds every page of this document to the file, one update per page.
    virtual void AppendDocumentPageToFile(const std::string& fileName) = 0;

    // Copies a page (usually of another document object), with everything
    // it uses, behind the pages of this document.
    virtual void AddPage(IZAVPdfPageSp* page) = 0;
    // Removes the page and the objects only it uses.
    virtual void RemovePage(int index) = 0;
    // The image as a new page of its natural size; returns 1.
    virtual int AddSingleImage(IZAVImageEditSp* image) = 0;
    virtual int GetPageCount() = 0;
    // "No Pdf document loaded!" when the document has no page.
    virtual CZAVPtr<IZAVPdfPageSp> GetPage(int index) = 0;

protected:
    ~IZAVPdfDocumentSp() = default;
};

}  // namespace ZAV
